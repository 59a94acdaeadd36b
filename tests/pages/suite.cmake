qn_suite(pages)
