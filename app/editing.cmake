# Editing commands and find/replace
