#include "platform/imecolors.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextCharFormat>

namespace kirel {
namespace {

QTextCharFormat composing(bool target) {
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    if (target) {
        f.setForeground(QColor(0x17, 0x17, 0x1A));
        f.setBackground(QColor(0x00, 0xFF, 0xFF));
    } else {
        f.setForeground(QColor(0x00, 0x00, 0xFF));
        f.setBackground(QColor(0xFF, 0xFF, 0xFF));
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
    QList<QInputMethodEvent::Attribute> attributes;
    for (const QInputMethodEvent::Attribute& a : ime->attributes()) {
        if (a.type == QInputMethodEvent::TextFormat)
            attributes.append(
                {a.type, a.start, a.length,
                 composing(isTarget(qvariant_cast<QTextFormat>(a.value).toCharFormat()))});
        else
            attributes.append(a);
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
