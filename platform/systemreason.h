#pragma once

// The reason a file operation failed, in words for the user: the common
// reasons in Japanese of our own, the system's text for the rest.

#include <QString>

namespace kirel {

// The reason of a system error number (errno): no space, read-only file
// system, permission, is a folder, not found, name too long, too many open
// files and input/output errors in Japanese; other numbers as the system words
// them; 0 (no number known) as a general failure.
QString systemReason(int error);

// The reason an operation on path failed right after it set errno to error: a
// path that names a folder is reported as a folder whatever the number (the
// file layer refuses folders itself, without one).
QString fileReason(const QString& path, int error);

}  // namespace kirel
