# Cross build for 32-bit Windows: the program that ships (MDAC and Jet are 32-bit).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QN_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
