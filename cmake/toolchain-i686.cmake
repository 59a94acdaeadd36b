# Cross build for 32-bit Windows: the program that ships (MDAC and Jet are 32-bit). The win32
# thread model keeps the POSIX-thread runtime out of it, whose GetTickCount64 import would stop
# the program from starting on Windows XP.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QN_TRIPLET i686-w64-mingw32)
set(QN_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
