# controls tests
kirel_gui_test(test_pictbtn test_pictbtn.cpp)
