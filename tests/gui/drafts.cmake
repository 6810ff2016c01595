# drafts tests (and the editing commands' window tests)
kirel_gui_test(test_editing_gui test_editing_gui.cpp)
kirel_gui_test(test_drafts_gui test_drafts_gui.cpp)
