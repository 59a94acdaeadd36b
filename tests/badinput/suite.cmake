qn_suite(badinput)
