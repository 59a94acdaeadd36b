qn_suite(platform)
