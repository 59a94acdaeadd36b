# Cross build for 32-bit Windows with the tests, run under the emulated 32-bit Wine
# (tools/wine32). The tests drive the shipped program where they start it as a program.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QN_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
get_filename_component(QN_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QN_SOURCE_ROOT}/tools/wine32)
