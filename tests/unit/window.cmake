# Counter, capture decisions, start-up values.
kirel_unit_test(test_window_logic test_counter.cpp test_capture.cpp test_startup.cpp)
