# preview tests
kirel_gui_test(test_preview_gui test_preview_gui.cpp)
