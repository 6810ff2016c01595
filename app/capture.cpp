#include "app/capture.h"

#include "platform/sjis.h"

namespace kirel::capture {

QString normalizeLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

Snapshot snapshotOf(const QString& clipboardText) {
    const QString t = normalizeLineBreaks(clipboardText);
    const QByteArray bytes = sjis::toFile(t);
    Snapshot s;
    s.length = int(bytes.size());
    s.head = isAddress(t) ? bytes : bytes.left(10);
    return s;
}

bool isUnchanged(const QString& clipboardText, int snapLength, const QByteArray& snapHead) {
    if (snapHead.isEmpty()) return false;
    const QByteArray bytes = sjis::toFile(normalizeLineBreaks(clipboardText));
    return bytes.size() == snapLength && bytes.startsWith(snapHead);
}

QString handleInsertion(const QString& text, int maxLen, const QString& prefix,
                        const QString& suffix) {
    QString name = normalizeLineBreaks(text);
    if (maxLen == 0 || sjis::byteLength(name) > maxLen) return QString();
    name.remove(QLatin1Char(' '));
    return prefix + name + suffix + QLatin1Char('\n');
}

QString appendQuote(const QString& quoteText, const QString& text) {
    if (quoteText.isEmpty()) return text;
    return quoteText + QLatin1Char('\n') + text;
}

}  // namespace kirel::capture
