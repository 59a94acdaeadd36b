# Under the emulated 32-bit Wine, a test program that closes the window during a repair, or
# whose German warning box is followed by another window, ends with an X error (BadWindow on
# unmapping a window) before its result (the German pair passes alone there); all pass on the
# 64-bit build. The repairs themselves, their failures and their English warning run on both.
qn_suite(pages_window NOT_EMULATED RepairInterplay.* MdacRepair.GermanUserGetsTheWarningInGerman)

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

# The JSON the program writes is read back with a real parser, Debian's header-only nlohmann
# json. Only its own folder is put on the cross compiler's include path, never /usr/include.
set(qn_json_include ${CMAKE_CURRENT_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${qn_json_include})
file(CREATE_LINK /usr/include/nlohmann ${qn_json_include}/nlohmann SYMBOLIC)
target_include_directories(qn_pages_window_tests SYSTEM PRIVATE ${qn_json_include})
# The command-line tests start the program itself.
add_dependencies(qn_pages_window_tests QNRepair)
