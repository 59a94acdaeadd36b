/* A stand-in for version.dll, as an attacker would put one beside a program. It offers the three
   functions the program looks up and records in the file named by QN_PLANT_MARKER, one line each,
   how it was loaded ("attach static": resolved as an import while the process started; "attach
   dynamic": loaded by LoadLibrary later) and every call of its functions ("call <name>"). */
#include <windows.h>

static void Record(const char* event) {
    WCHAR marker[MAX_PATH];
    if (!GetEnvironmentVariableW(L"QN_PLANT_MARKER", marker, MAX_PATH)) return;
    HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, event, (DWORD)lstrlenA(event), &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
}

DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR path, LPDWORD handle) {
    (void)path;
    Record("call GetFileVersionInfoSizeW");
    if (handle) *handle = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
}

BOOL WINAPI GetFileVersionInfoW(LPCWSTR path, DWORD handle, DWORD size, LPVOID data) {
    (void)path; (void)handle; (void)size; (void)data;
    Record("call GetFileVersionInfoW");
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
}

BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length) {
    (void)block; (void)subBlock;
    Record("call VerQueryValueW");
    if (buffer) *buffer = NULL;
    if (length) *length = 0;
    return FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    /* For DLL_PROCESS_ATTACH the reserved argument is non-null for a load at process start. */
    if (reason == DLL_PROCESS_ATTACH) Record(reserved ? "attach static" : "attach dynamic");
    return TRUE;
}
