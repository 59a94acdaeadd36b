/* The careless program the planting test compares against: it imports version.dll statically,
   so the loader resolves it at start-up by the ordinary search, which begins in the program's
   own folder. Exit code 0 when the version of its own file could be read. */
#include <windows.h>

int wmain(void) {
    WCHAR self[MAX_PATH];
    DWORD handle = 0;
    if (!GetModuleFileNameW(NULL, self, MAX_PATH)) return 2;
    return GetFileVersionInfoSizeW(self, &handle) != 0 ? 0 : 1;
}
