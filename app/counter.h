#pragma once

// Remaining-character counter: how many Shift-JIS bytes of the selected board's
// limit are left, and the two warnings shown once per approach.

#include <QString>
#include <optional>

#include "platform/prompter.h"

namespace kirel::counter {

inline const QString kDesignHint = QStringLiteral("残り文字数の表示です");
inline const QString kOffHint = QStringLiteral("文字数制限の設定がオフです");

// What the bar, its labels and its hint show.
struct Display {
    QString label1;   // left end of the scale
    QString label2;   // right end: the limit
    int maximum = 0;  // bar maximum; unchanged when the limit is off
    bool setMaximum = false;
    int position = 0;
    QString hint;
};

// Remaining bytes: limit x 2 minus the byte length of the text.
inline qint64 remaining(int charLimit, qint64 bytes) {
    return qint64(charLimit) * 2 - bytes;
}

QString hintFor(qint64 remaining);

// Display after a change of the limit. atStartup: with the limit on, the hint
// keeps the window's design text until the first change of the text.
Display reset(int charLimit, qint64 bytes, bool atStartup);

struct Warning {
    QString text;
    Icon icon;
};

struct Update {
    bool changed = false;  // false: limit off, nothing to show
    int position = 0;
    QString hint;
    std::optional<Warning> warning;  // shown after the display changed
};

// One update after a change of the text; moves limitWarnState.
Update update(int charLimit, qint64 bytes, int& limitWarnState);

}  // namespace kirel::counter
