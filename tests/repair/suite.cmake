qn_suite(repair)
add_dependencies(qn_repair_tests QNRepair)
