#pragma once

// Starting a program the user registered (the external tool), detached from the
// editor: the file itself is run, with no arguments and no shell, so nothing in
// its path is ever read as a command. A desktop entry (a name ending in
// ".desktop") is started through the desktop's launcher ("gio launch"), which
// runs what the entry says.

#include <QString>
#include <functional>

namespace kirel {

// Starts the program at path (a full path). Returns false when it could not be
// started: the path is not a full path, no such file, not executable; the reason
// is written to standard error.
bool startProgram(const QString& path);

// What startProgram hands the request to; tests replace it to record requests.
std::function<bool(const QString&)>& programStarter();

}  // namespace kirel
