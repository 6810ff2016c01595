# preview tests
kirel_unit_test(test_preview test_preview.cpp)
# The scripted prompter includes <QColor>.
target_link_libraries(test_preview PRIVATE Qt6::Gui)
# The shipped user guide matches its source and the program's homepage address.
add_test(NAME help_page_current
    COMMAND bash ${CMAKE_SOURCE_DIR}/preview/help/make_reference.sh --check)
set_tests_properties(help_page_current PROPERTIES LABELS unit)
