/* The baseline of the planting test: a program that imports user32 and never asks for
   version.dll. Whatever loads the plant into it is the platform's doing, not the program's. */
#include <windows.h>

int wmain(void) { return GetSystemMetrics(SM_CXSCREEN) > 0 ? 0 : 1; }
