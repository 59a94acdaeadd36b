# Shared part of the two MinGW-w64 toolchains; QN_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix compilers: the default win32 thread model lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER   ${QN_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QN_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${QN_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
