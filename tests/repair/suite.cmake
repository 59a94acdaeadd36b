qn_suite(repair)
