qn_suite(texts INDEPENDENT)
