# Main window, counter, clipboard capture and quoting.
target_sources(kirelcore PRIVATE
    appstate.h appstate.cpp
    counter.h counter.cpp
    capture.h capture.cpp
    startup.h startup.cpp
)
target_sources(kirelui PRIVATE
    unit1.h unit1.cpp unit1_menus.cpp unit1_lifecycle.cpp
    bytetally.h bytetally.cpp
    counterdisplay.h counterdisplay.cpp
    clipcapture.h clipcapture.cpp
    quoting.h quoting.cpp
    imecolors.h imecolors.cpp
)
