# The browser engine module "kirelweb", beside the executable in the program
# folder. Only this module links Qt WebEngine; the program loads it the first time
# it shows a page, so a start-up without a page costs what a plain window costs.
if(TARGET Qt6::WebEngineWidgets)
    add_library(kirelweb MODULE
        browserengine.h
        webengine/kirelweb.cpp webengine/kirelweb.json
    )
    target_link_libraries(kirelweb PRIVATE Qt6::WebEngineWidgets)
    target_include_directories(kirelweb PRIVATE ${CMAKE_SOURCE_DIR})
    set_target_properties(kirelweb PROPERTIES
        PREFIX ""
        LIBRARY_OUTPUT_DIRECTORY ${KIREL_APPDIR})
    kirel_warnings(kirelweb)
    # Building the program builds the module (the executable is made later, at
    # the end of the top directory).
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL add_dependencies kirel kirelweb)
else()
    message(WARNING "Qt WebEngine not found: the preview and browser tabs will show no pages")
endif()
