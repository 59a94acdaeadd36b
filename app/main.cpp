#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/RegistrationCommands.h"
#include "app/frmQNRepair.h"
#include "platform/SystemLibrary.h"
#include "repair/RegistrationCapture.h"

namespace {

// Undoes OleInitialize when the program ends.
struct OleSession {
    HRESULT result = ::OleInitialize(nullptr);
    ~OleSession() {
        if (SUCCEEDED(result)) ::OleUninitialize();
    }
};

// The command line's arguments after the program's name.
std::vector<std::wstring> Arguments() {
    std::vector<std::wstring> args;
    int count = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
        ::LocalFree(argv);
    }
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Before anything else is loaded: a DLL planted beside the program or in the current
    // folder must never be picked up.
    qn::RestrictDllSearchToSystemDirectory();
    // Components' registration code may expect OLE on the thread that calls it.
    const OleSession ole;

    const std::vector<std::wstring> args = Arguments();
    // The program started by itself to learn what a component would register.
    if (args.size() == 3 && ::lstrcmpiW(args[0].c_str(), qn::kCaptureHostSwitch) == 0) {
        return qn::RunCaptureHost(args[1], args[2]);
    }
    if (const std::optional<int> exitCode = qn::RunRegistrationCommand(args, qn::ThisProgramPath())) return *exitCode;

    qn::frmQNRepair form(instance);
    if (!form.Create(showCommand)) return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!form.PreTranslateMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

namespace __gnu_cxx {
// The toolchain's default terminate handler prints the demangled exception type to a console
// that a window program does not have; its demangler alone would make up a sixth of the program.
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
