qn_suite(repair INDEPENDENT)
