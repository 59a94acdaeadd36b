qn_suite(platform INDEPENDENT)
