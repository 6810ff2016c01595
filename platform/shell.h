#pragma once

#include <QString>

namespace kirel {

// Opens a file (full path) or an address with the desktop's default program, as
// the shell's "open" verb does. Returns false when nothing could open it.
bool shellOpen(const QString& fileOrAddress);

}  // namespace kirel
