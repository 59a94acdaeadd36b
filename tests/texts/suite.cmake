qn_suite(texts)
