#pragma once

#include <QString>

namespace kirel {

// A text counts as an address when it begins with "http", "ftp" or "file",
// compared case-sensitively (clipboard capture, the browser tab's address box,
// the link dialog).
inline bool isAddress(const QString& text) {
    return text.startsWith(QLatin1String("http")) || text.startsWith(QLatin1String("ftp")) ||
           text.startsWith(QLatin1String("file"));
}

}  // namespace kirel
