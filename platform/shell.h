#pragma once

#include <QString>
#include <functional>

class QUrl;

namespace kirel {

// Opens a file (full path) or an address with the desktop's default program, as
// the shell's "open" verb does. Returns false when nothing could open it.
bool shellOpen(const QString& fileOrAddress);

// shellOpen, and when nothing could open the target the plain message
// "<target> を開けません。".
void shellOpenOrReport(const QString& fileOrAddress);

// What shellOpen hands the request to; tests replace it to record the requests.
std::function<bool(const QUrl&)>& shellOpener();

}  // namespace kirel
