# Editing commands and find/replace.
target_sources(kirelui PRIVATE
    editactions.h editactions.cpp
)
