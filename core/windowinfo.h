#pragma once

// The conversation in which a web browser tells which page it shows: the link
// dialog's "アドレス取得" asks, the browser that shows pages answers (in this
// program the browser tab). The reply is `"address","title"`.

#include <QString>

namespace kirel::windowinfo {

inline const QString kService = QStringLiteral("Iexplore");
inline const QString kTopic = QStringLiteral("WWW_GetWindowInfo");
// The item naming the browser's active window.
inline const QString kActiveWindow = QStringLiteral("0xFFFFFFFF");

// The reply for a page: the address and the title, each in double quotes. The
// asking side cuts the address at the reply's first comma, so a comma of the
// address is written %2C (the same address to a browser).
inline QString reply(const QString& address, const QString& title) {
    return QLatin1Char('"') + QString(address).replace(QLatin1Char(','), QLatin1String("%2C")) +
           QStringLiteral("\",\"") + title + QLatin1Char('"');
}

}  // namespace kirel::windowinfo
