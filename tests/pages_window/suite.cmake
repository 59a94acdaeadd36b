# Under the emulated 32-bit Wine, the next window that the test program creates after the German
# warning box ends it with an X error (BadWindow on unmapping); alone, both tests pass there.
# The English warning runs on both builds.
qn_suite(pages_window NOT_EMULATED MdacRepair.GermanUserGetsTheWarningInGerman)

# A component built for the other processor width than the tests': it carries a version, so the
# pages list it and the repair tries it, but the loader refuses it.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(qn_other_triplet i686-w64-mingw32)
else()
  set(qn_other_triplet x86_64-w64-mingw32)
endif()
set(QN_OTHER_WIDTH_VERSION 2.80.1022.3)
string(REPLACE "." "," FIXTURE_VERSION_COMMAS ${QN_OTHER_WIDTH_VERSION})
configure_file(${QN_FIXTURE_DIR}/fixture_version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.rc @ONLY)
set(qn_other_width_dll ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.dll)
add_custom_command(
  OUTPUT ${qn_other_width_dll}
  COMMAND ${qn_other_triplet}-windres ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.rc
          -O coff -o ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.res.o
  COMMAND ${qn_other_triplet}-gcc-posix -shared -static -Os -Wall -Wextra -Werror
          -o ${qn_other_width_dll} ${QN_FIXTURE_DIR}/fixture_dll.c ${QN_FIXTURE_DIR}/fixture.def
          ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.res.o -Wl,--enable-stdcall-fixup
  DEPENDS ${QN_FIXTURE_DIR}/fixture_dll.c ${QN_FIXTURE_DIR}/fixture.def
          ${CMAKE_CURRENT_BINARY_DIR}/fx_other_width.rc
  VERBATIM)
add_custom_target(fx_other_width DEPENDS ${qn_other_width_dll})
add_dependencies(qn_pages_window_tests fx_other_width)
