# preview tests
kirel_unit_test(test_preview test_preview.cpp)
# The scripted prompter includes <QColor>.
target_link_libraries(test_preview PRIVATE Qt6::Gui)
