#pragma once

// The line side of the counter, for a board that limits the lines of a post:
// lines are the post's line breaks plus one. The hint shows the lines left
// beside the bytes, and a post over the limit is warned about once per
// approach, with its own state beside LimitWarnState.

#include <QString>
#include <optional>

#include "app/counter.h"

namespace kirel::counter {

// LineWarnState: 0 none yet, 1 within the limit, 3 the over-limit box was shown.
// Moves only when the line limit is on.
std::optional<Warning> updateLines(int lineLimit, qint64 lines, int& lineWarnState);

// The hint with the lines left beside the bytes when the line limit is on:
// "残り 120 文字(Byte)です　残り 3 行".
QString withLines(const QString& hint, int lineLimit, qint64 lines);

// Added to an over-limit warning (bytes or lines) when the post can be split.
inline const QString kSplitOffer =
    QStringLiteral("\r\n\r\n掲示板の制限に合わせて投稿を分割しますか？");

}  // namespace kirel::counter
