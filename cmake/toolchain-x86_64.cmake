# Cross build for 64-bit Windows; the tests run this build under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QN_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
