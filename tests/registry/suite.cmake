qn_suite(registry)
