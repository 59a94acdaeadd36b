qn_suite(pages)
# The shared environment list splits WINEDLLOVERRIDES at its semicolons, so Wine would still
# serve msxml.dll and the other names from its built-in DLLs; set the overrides whole again.
set_property(TEST pages pages_german APPEND PROPERTY ENVIRONMENT
  "WINEDLLOVERRIDES=mscoree=\\;mshtml=\\;msado15=n\\;oledb32=n\\;msdasql=n\\;msdaps=n\\;vbscript=n\\;msxml=n\\;msjet40=n")
