#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Unattended.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Before anything else is loaded: a DLL planted beside the program or in the current
    // folder must never be picked up.
    qn::RestrictDllSearchToSystemDirectory();
    // Components' registration code may expect OLE on the thread that calls it.
    const OleSession ole;

    const std::vector<std::wstring> arguments = qn::ProgramArguments();
    // The program started by itself to learn what a component would register.
    if (arguments.size() == 2 && ::lstrcmpiW(arguments[0].c_str(), qn::kCaptureHostSwitch) == 0) {
        return qn::RunCaptureHost(arguments[1]);
    }
    // With arguments the program serves a script: no window.
    if (!arguments.empty()) return qn::RunUnattended(arguments);

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
