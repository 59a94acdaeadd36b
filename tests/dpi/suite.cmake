qn_suite(dpi)

# The layout at 144 DPI. Wine reads the system DPI when a process starts, so the setting is made
# before the test process starts and put back to 96 after it, whatever its outcome.
set(QN_DESKTOP_KEY "HKCU\\Control Panel\\Desktop")
add_test(NAME dpi_144_setup
         COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add ${QN_DESKTOP_KEY} /v LogPixels /t REG_DWORD /d 144 /f)
add_test(NAME dpi_144 COMMAND qn_dpi_tests --gtest_filter=SystemDpi.*)
add_test(NAME dpi_144_cleanup
         COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add ${QN_DESKTOP_KEY} /v LogPixels /t REG_DWORD /d 96 /f)
set_tests_properties(dpi_144_setup PROPERTIES FIXTURES_SETUP dpi_144 TIMEOUT 60)
set_tests_properties(dpi_144_cleanup PROPERTIES FIXTURES_CLEANUP dpi_144 TIMEOUT 60)
set_tests_properties(dpi_144 PROPERTIES FIXTURES_REQUIRED dpi_144 TIMEOUT 120
                     ENVIRONMENT "LC_ALL=en_US.UTF-8;WINEDEBUG=-all;QN_EXPECT_DPI=144")
