# Shared part of the MinGW-w64 toolchains; QN_TRIPLET names the target, QN_THREAD_MODEL the
# compilers' thread model (posix unless the toolchain says otherwise).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT QN_THREAD_MODEL)
  # GoogleTest needs std::mutex, which the win32 thread model of GCC 12 lacks.
  set(QN_THREAD_MODEL posix)
endif()
set(CMAKE_C_COMPILER   ${QN_TRIPLET}-gcc-${QN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${QN_TRIPLET}-g++-${QN_THREAD_MODEL})
set(CMAKE_RC_COMPILER  ${QN_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
