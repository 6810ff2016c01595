#include "phrases/inputrules.h"

namespace kirel::phrases {

RoleSetup roleSetup(InputRole role) {
    RoleSetup s;
    switch (role) {
        case InputRole::AddEmoticon:
            s.caption = QStringLiteral("顔文字を追加");
            s.latinInput = true;
            break;
        case InputRole::AddMenu:
            s.caption = QStringLiteral("メニューを追加");
            break;
        case InputRole::AddItem:
            s.caption = QStringLiteral("アイテムリストを追加");
            break;
        case InputRole::RenameMenu:
            s.caption = QStringLiteral("メニューの名称を変更");
            break;
        case InputRole::Width:
            s.caption = QStringLiteral("可変幅の設定");
            s.latinInput = true;
            s.digitsOnly = true;
            s.maxLength = 3;
            s.editMenu = false;
            s.hint = QStringLiteral("可変幅として1%～100%まで設定できます。");
            break;
    }
    return s;
}

WidthCheck checkWidth(const QString& text) {
    if (text.isEmpty()) return WidthCheck::Empty;
    // Only plain digits count as a number: a pasted sign, blank or hexadecimal
    // prefix would otherwise end up inside the generated tag.
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return WidthCheck::OutOfRange;
        value = value * 10 + (c.unicode() - '0');
        if (value > 100) return WidthCheck::OutOfRange;
    }
    return value >= 1 ? WidthCheck::InRange : WidthCheck::OutOfRange;
}

}  // namespace kirel::phrases
