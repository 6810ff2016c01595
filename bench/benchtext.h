#pragma once

// Long posts for the benchmarks: about `bytes` of Shift-JIS made of `line` (one
// line ending in "\n"), every third line three times as long so that it wraps.

#include <QString>

#include "platform/sjis.h"

namespace kirel::bench {

inline QString longPost(const QString& line, qint64 bytes) {
    const QString longLine =
        QString(3, QChar(u'長')) + line.repeated(2).remove(QChar(u'\n')) + QLatin1Char('\n');
    const qint64 lineBytes = kirel::sjis::byteLength(line) + 1;  // CR LF
    const qint64 longBytes = kirel::sjis::byteLength(longLine) + 1;
    QString text;
    qint64 n = 0;
    for (int i = 0; n < bytes; ++i) {
        text += i % 3 == 2 ? longLine : line;
        n += i % 3 == 2 ? longBytes : lineBytes;
    }
    return text;
}

}  // namespace kirel::bench
