#include "app/counter.h"

#include <algorithm>
#include <limits>

namespace kirel::counter {
namespace {

int clampToInt(qint64 v) {
    return int(
        std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

QString hintFor(qint64 r) {
    return QStringLiteral("残り ") + QString::number(r) + QStringLiteral(" 文字(Byte)です");
}

Display reset(int charLimit, qint64 bytes, bool atStartup) {
    Display d;
    if (charLimit != 0) {
        const qint64 r = remaining(charLimit, bytes);
        d.label1 = QStringLiteral("0");
        d.label2 = QString::number(charLimit);
        d.maximum = clampToInt(qint64(charLimit) * 2);
        d.setMaximum = true;
        d.position = clampToInt(r);
        d.hint = atStartup ? kDesignHint : hintFor(r);
    } else {
        d.position = 0;
        d.hint = kOffHint;
    }
    return d;
}

Update update(int charLimit, qint64 bytes, int& state) {
    Update u;
    if (charLimit == 0) return u;
    const qint64 r = remaining(charLimit, bytes);
    u.changed = true;
    u.position = clampToInt(r);
    u.hint = hintFor(r);
    if (r > 200) {
        state = 1;
    } else if (r > 0 && r < 200) {
        if (state != 2) {
            u.warning = Warning{
                QStringLiteral("残り") + QString::number(r / 2) + QStringLiteral("文字です"),
                Icon::Information};
            state = 2;
        }
    } else if (r <= 0) {
        if (state != 3) {
            u.warning = Warning{
                QStringLiteral("投稿できる文字数を越えています。\r\n投稿することはできません。"),
                Icon::Warning};
            state = 3;
        }
    }
    // r == 200 exactly: nothing shown, state unchanged.
    return u;
}

}  // namespace kirel::counter
