# profile tests
kirel_unit_test(test_profile test_profile.cpp)
