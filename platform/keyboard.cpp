#include "platform/keyboard.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

namespace kirel {
namespace {

// Where a keyboard context menu opens in the control: at its caret, at its
// current item, or in its middle.
QPoint menuPoint(QWidget* w) {
    if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        const QRect item = view->visualRect(view->currentIndex());
        if (item.isValid()) return view->viewport()->mapTo(view, item.center());
        return view->rect().center();
    }
    const QRect caret = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (caret.isValid() && w->rect().intersects(caret)) return caret.center();
    return w->rect().center();
}

bool openContextMenu(QWidget* w) {
    const QPoint at = menuPoint(w);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, at, w->mapToGlobal(at));
    QCoreApplication::sendEvent(w, &event);
    return event.isAccepted();
}

bool sharesMnemonic(const QAction* action, QChar letter) {
    if (action->isSeparator()) return false;
    const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
    return !mnemonic.isEmpty() && (mnemonic[0].toCombined() & 0xFFFF) == int(letter.unicode());
}

// A letter typed in a menu. Qt's own handling is right while every item with
// that accelerator can be chosen; with a disabled or hidden one among them it
// would highlight that one and run nothing.
bool menuAccelerator(QMenu* menu, const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isLetterOrNumber()) return false;
    const QChar letter = text[0].toUpper();
    QList<QAction*> enabled;
    int all = 0;
    for (QAction* a : menu->actions()) {
        if (!sharesMnemonic(a, letter)) continue;
        ++all;
        if (a->isVisible() && a->isEnabled()) enabled << a;
    }
    if (all == enabled.size() && all <= 1) return false;
    if (enabled.isEmpty()) return true;  // nothing to choose
    if (enabled.size() == 1) {
        // Chosen at once: Return on the item runs it, or opens its submenu.
        menu->setActiveAction(enabled.first());
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
        return true;
    }
    const qsizetype current = enabled.indexOf(menu->activeAction());
    menu->setActiveAction(enabled[(current + 1) % enabled.size()]);
    return true;
}

class KeyboardConventions final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        if (auto* menu = qobject_cast<QMenu*>(widget)) return menuAccelerator(menu, key);
        // The key reaches the focused control first; parents that see it
        // afterwards are not asked again.
        if (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier &&
            widget == QApplication::focusWidget()) {
            return openContextMenu(widget);
        }
        return false;
    }
};

}  // namespace

void installKeyboardConventions() {
    static KeyboardConventions* installed = nullptr;
    if (installed || !qApp) return;
    installed = new KeyboardConventions(qApp);
    qApp->installEventFilter(installed);
}

}  // namespace kirel
