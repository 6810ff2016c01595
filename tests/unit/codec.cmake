# codec tests
kirel_unit_test(test_sjis test_sjis.cpp)
