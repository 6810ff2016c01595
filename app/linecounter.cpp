#include "app/linecounter.h"

namespace kirel::counter {

std::optional<Warning> updateLines(int lineLimit, qint64 lines, int& state) {
    if (lineLimit <= 0) return std::nullopt;
    if (lines <= lineLimit) {
        state = 1;
        return std::nullopt;
    }
    if (state == 3) return std::nullopt;
    state = 3;
    return Warning{QStringLiteral("改行が多すぎます（この掲示板は") + QString::number(lineLimit) +
                       QStringLiteral("行まで）。\r\n投稿することはできません。"),
                   Icon::Warning};
}

QString withLines(const QString& hint, int lineLimit, qint64 lines) {
    if (lineLimit <= 0) return hint;
    return hint + QStringLiteral("　残り ") + QString::number(lineLimit - lines) +
           QStringLiteral(" 行");
}

}  // namespace kirel::counter
