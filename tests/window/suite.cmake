qn_suite(window ELSEWHERE OnWindowsXP.*)

# Wine reports Windows XP to a program it finds under AppDefaults in its registry. A copy of the
# window tests under a name of its own, registered there first, runs the tests that need it.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(qn_xp_exe qn_window_xp_tests.exe)
  add_custom_command(TARGET qn_window_tests POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:qn_window_tests>
                             ${CMAKE_CURRENT_BINARY_DIR}/${qn_xp_exe})
  set(xp_test ${QN_TEST_PREFIX}window_xp)
  add_test(NAME ${xp_test}_setup
           COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add "HKCU\\Software\\Wine\\AppDefaults\\${qn_xp_exe}"
                   /v Version /d winxp /f)
  set_tests_properties(${xp_test}_setup PROPERTIES FIXTURES_SETUP window_xp ENVIRONMENT "WINEDEBUG=-all")
  add_test(NAME ${xp_test} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${CMAKE_CURRENT_BINARY_DIR}/${qn_xp_exe}
                                  --gtest_filter=OnWindowsXP.*)
  set_tests_properties(${xp_test} PROPERTIES FIXTURES_REQUIRED window_xp TIMEOUT 120
                       RESOURCE_LOCK ${QN_MACHINE_LOCK}
                       ENVIRONMENT "LC_ALL=en_US.UTF-8;QN_EXPECT_WINDOWS_XP=1;${QN_TEST_ENV}")
endif()

# The screen-reader tests ask for the window's accessible objects as a screen reader does.
target_link_libraries(qn_window_tests PRIVATE oleacc)
