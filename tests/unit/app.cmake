# app tests
kirel_unit_test(test_editcommands test_editcommands.cpp)
# The scripted prompter includes <QColor>.
target_link_libraries(test_editcommands PRIVATE Qt6::Gui)
