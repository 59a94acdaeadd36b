#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <cstdlib>

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

    // The program started by itself to learn what a component would register.
    int argc = 0;
    if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc)) {
        const bool captureHost = argc == 4 && ::lstrcmpiW(argv[1], qn::kCaptureHostSwitch) == 0;
        const int exitCode = captureHost ? qn::RunCaptureHost(argv[2], argv[3]) : 0;
        ::LocalFree(argv);
        if (captureHost) return exitCode;
    }

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
