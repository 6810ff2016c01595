# drafts tests
kirel_unit_test(test_drafts test_drafts.cpp)
# The scripted prompter includes <QColor>.
target_link_libraries(test_drafts PRIVATE Qt6::Gui)
