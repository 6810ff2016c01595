# Editing commands and find/replace.
target_sources(kirelcore PRIVATE
    editcommands.h editcommands.cpp
)
target_sources(kirelui PRIVATE
    editactions.h editactions.cpp
    finddialog.h finddialog.cpp
)
