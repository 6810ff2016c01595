#include "platform/imecolors.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextCharFormat>
#include <algorithm>

namespace kirel {
namespace {

enum class Clause { Input, Target, Converted };

QTextCharFormat composing(Clause clause) {
    QTextCharFormat f;
    switch (clause) {
        case Clause::Input:
            f.setFontWeight(QFont::Bold);
            f.setForeground(QColor(0x00, 0x00, 0xFF));
            f.setBackground(QColor(0xFF, 0xFF, 0xFF));
            break;
        case Clause::Target:
            f.setFontWeight(QFont::Bold);
            f.setForeground(QColor(0x17, 0x17, 0x1A));
            f.setBackground(QColor(0x00, 0xFF, 0xFF));
            break;
        case Clause::Converted:
            f.setFontUnderline(true);
            f.setForeground(QColor(0x00, 0x00, 0x80));
            f.setBackground(QColor(0xFF, 0xFF, 0x00));
            break;
    }
    return f;
}

// The input method marks the clause being converted by a background, reverse
// colours or a heavier look than the rest.
bool isTarget(const QTextCharFormat& f) {
    return f.hasProperty(QTextFormat::BackgroundBrush) || f.fontWeight() > QFont::Normal ||
           f.hasProperty(QTextFormat::ForegroundBrush);
}

}  // namespace

ImeColors::ImeColors(QPlainTextEdit* pane) : QObject(pane), pane_(pane) {
    pane->installEventFilter(this);
}

bool ImeColors::eventFilter(QObject* watched, QEvent* event) {
    if (watched != pane_ || event->type() != QEvent::InputMethod || resending_) return false;
    auto* ime = static_cast<QInputMethodEvent*>(event);
    if (ime->preeditString().isEmpty()) return false;
    // While one clause is highlighted the text is being converted, and the other
    // clauses are converted text too, not plain input.
    const auto targetOf = [](const QInputMethodEvent::Attribute& a) {
        return a.type == QInputMethodEvent::TextFormat &&
               isTarget(qvariant_cast<QTextFormat>(a.value).toCharFormat());
    };
    const bool converting =
        std::any_of(ime->attributes().begin(), ime->attributes().end(), targetOf);
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& a : ime->attributes()) {
        if (a.type != QInputMethodEvent::TextFormat) {
            attributes.append(a);
            continue;
        }
        const Clause clause = targetOf(a)  ? Clause::Target
                              : converting ? Clause::Converted
                                           : Clause::Input;
        attributes.append({a.type, a.start, a.length, composing(clause)});
    }
    QInputMethodEvent recoloured(ime->preeditString(), attributes);
    recoloured.setCommitString(ime->commitString(), ime->replacementStart(),
                               ime->replacementLength());
    resending_ = true;
    QCoreApplication::sendEvent(pane_, &recoloured);
    resending_ = false;
    return true;
}

}  // namespace kirel
