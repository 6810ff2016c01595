#include "platform/desktopsession.h"

#include <QCryptographicHash>

namespace kirel {
namespace {

// Letters, digits, '.' and '-' stay; anything else becomes '_'.
QString fileSafe(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        const bool keep = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                          (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                          c == QLatin1Char('.') || c == QLatin1Char('-');
        if (!keep) c = QLatin1Char('_');
    }
    return out;
}

// Local socket paths are limited to about a hundred bytes: a long name is
// replaced by a digest of it.
QString bounded(const QString& prefix, const QString& name) {
    if (name.size() <= 32) return prefix + fileSafe(name);
    const QByteArray digest = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1);
    return prefix + QString::fromLatin1(digest.toHex().left(16));
}

}  // namespace

QString desktopSessionName(const QString& platformName, const QString& x11Display,
                           const QString& waylandDisplay) {
    if (platformName == QLatin1String("xcb")) {
        // [host]:display[.screen]; "unix:N" is the local display N.
        const qsizetype colon = x11Display.lastIndexOf(QLatin1Char(':'));
        QString host = colon < 0 ? QString() : x11Display.left(colon);
        QString number = colon < 0 ? x11Display : x11Display.mid(colon + 1);
        const qsizetype dot = number.indexOf(QLatin1Char('.'));
        if (dot >= 0) number.truncate(dot);
        if (host == QLatin1String("unix")) host.clear();
        return bounded(QStringLiteral("x11-"), host.isEmpty() ? number : host + u'_' + number);
    }
    if (platformName.startsWith(QLatin1String("wayland"))) {
        return bounded(QStringLiteral("wl-"),
                       waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : waylandDisplay);
    }
    return bounded(QString(), platformName);
}

}  // namespace kirel
