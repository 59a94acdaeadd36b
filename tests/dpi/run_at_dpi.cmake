# Runs a test program at another system DPI. Wine reads the system DPI when a process starts, so
# the setting is made before the test program starts and put back to 96 after it, whatever its
# outcome; as one test, it holds the machine lock all that time, and no other window test
# starts at the changed DPI.
#   cmake -DWINE=<wine> -DDPI=<dpi> -DPROGRAM=<test exe> -DFILTER=<gtest filter> -P run_at_dpi.cmake
cmake_minimum_required(VERSION 3.20)
set(desktop "HKCU\\Control Panel\\Desktop")
function(set_dpi value)
  execute_process(COMMAND ${WINE} reg add ${desktop} /v LogPixels /t REG_DWORD /d ${value} /f
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "setting the system DPI to ${value} failed: ${status}")
  endif()
endfunction()
set_dpi(${DPI})
execute_process(COMMAND ${WINE} ${PROGRAM} --gtest_filter=${FILTER} RESULT_VARIABLE status)
set_dpi(96)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed at ${DPI} DPI: ${status}")
endif()
