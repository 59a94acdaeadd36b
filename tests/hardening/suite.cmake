qn_suite(hardening)
set(QN_HARDENING_DIR ${CMAKE_CURRENT_SOURCE_DIR}/hardening)

# A planted version.dll, built into a folder of its own so that it lies beside no program
# until a test puts it there.
add_library(qn_plant_version SHARED ${QN_HARDENING_DIR}/plant_version.c ${QN_HARDENING_DIR}/plant_version.def)
set_target_properties(qn_plant_version PROPERTIES PREFIX "" OUTPUT_NAME version SUFFIX ".dll"
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plant
                      ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plant)
target_compile_options(qn_plant_version PRIVATE -Wall -Wextra -Werror)
target_link_options(qn_plant_version PRIVATE -static -Wl,--enable-stdcall-fixup)

# The control: a program that imports version.dll statically and so does load the plant.
add_executable(qn_static_version_user ${QN_HARDENING_DIR}/static_version_user.c)
set_target_properties(qn_static_version_user PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plant_control)
target_compile_options(qn_static_version_user PRIVATE -Wall -Wextra -Werror)
target_link_options(qn_static_version_user PRIVATE -static -municode)
target_link_libraries(qn_static_version_user PRIVATE version)
# The baseline: a program that imports user32 but never version.dll.
add_executable(qn_user32_only ${QN_HARDENING_DIR}/user32_only.c)
set_target_properties(qn_user32_only PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/plant_control)
target_compile_options(qn_user32_only PRIVATE -Wall -Wextra -Werror)
target_link_options(qn_user32_only PRIVATE -static -municode)
add_dependencies(qn_hardening_tests qn_plant_version qn_static_version_user qn_user32_only QNRepair)

# The program's import table, read with the cross tools: only KnownDLLs and comctl32.
set(QN_OBJDUMP ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-objdump)
set(QN_CHECK_IMPORTS ${QN_HARDENING_DIR}/check_imports.cmake)
add_test(NAME ${QN_TEST_PREFIX}imports
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QN_OBJDUMP} -DFILE=${QN_PROGRAM_FILE} -P ${QN_CHECK_IMPORTS})
# The check itself must catch a program that imports version.dll.
add_test(NAME ${QN_TEST_PREFIX}imports_check_catches_version_dll
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QN_OBJDUMP} -DFILE=$<TARGET_FILE:qn_static_version_user>
                 -P ${QN_CHECK_IMPORTS})
set_tests_properties(${QN_TEST_PREFIX}imports_check_catches_version_dll PROPERTIES
                     PASS_REGULAR_EXPRESSION "not KnownDLLs: VERSION\\.dll")

# The 32-bit program starts on Windows XP SP3: every function it imports is exported there.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(QN_CHECK_XP_IMPORTS -DOBJDUMP=${QN_OBJDUMP} -DEXPORTS=${CMAKE_CURRENT_SOURCE_DIR}/data/nt51-exports
                          -P ${QN_HARDENING_DIR}/check_xp_imports.cmake)
  add_test(NAME ${QN_TEST_PREFIX}imports_windows_xp COMMAND ${CMAKE_COMMAND} -DFILE=${QN_PROGRAM_FILE}
                                                            ${QN_CHECK_XP_IMPORTS})
  # The check must catch what the POSIX-thread runtime pulls into the test programs.
  add_test(NAME ${QN_TEST_PREFIX}imports_windows_xp_check_catches_GetTickCount64
           COMMAND ${CMAKE_COMMAND} -DFILE=$<TARGET_FILE:qn_hardening_tests> ${QN_CHECK_XP_IMPORTS})
  set_tests_properties(${QN_TEST_PREFIX}imports_windows_xp_check_catches_GetTickCount64 PROPERTIES
                       PASS_REGULAR_EXPRESSION "KERNEL32\\.dll!GetTickCount64")
endif()
target_link_libraries(qn_hardening_tests PRIVATE psapi)
