qn_suite(window)
