# Main window.
kirel_gui_test(test_mainwindow test_mainwindow.cpp)
