#include "platform/editmenu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

namespace kirel {

EditItems addEditItems(QMenu* menu, std::function<QWidget*()> target) {
    struct Item {
        const char* name;
        QString caption;
        QKeySequence key;
        const char* method;
    };
    const Item items[] = {
        {"Undo1", QStringLiteral("元に戻す(&U)"), QKeySequence(Qt::ALT | Qt::Key_Backspace),
         "undo"},
        {"Cut1", QStringLiteral("切り取り(&T)"), QKeySequence(Qt::CTRL | Qt::Key_X), "cut"},
        {"Copy1", QStringLiteral("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C), "copy"},
        {"Paste1", QStringLiteral("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V), "paste"},
        {"SelectAll1", QStringLiteral("すべてを選択(&A)"), QKeySequence(), "selectAll"},
    };
    QList<QAction*> actions;
    for (const Item& item : items) {
        QAction* a = menu->addAction(item.caption);
        a->setObjectName(QLatin1String(item.name));
        a->setShortcut(item.key);
        // The shortcut is shown only: the text controls handle the keys themselves.
        a->setShortcutContext(Qt::WidgetShortcut);
        const char* method = item.method;
        QObject::connect(a, &QAction::triggered, menu, [target, method] {
            QWidget* w = target();
            if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QLineEdit*>(w))
                QMetaObject::invokeMethod(w, method);
        });
        actions << a;
    }
    QObject::connect(menu, &QMenu::aboutToShow, menu, [target, actions] {
        QWidget* w = target();
        bool text = false, writable = false, selection = false, undo = false, any = false;
        if (auto* pane = qobject_cast<QPlainTextEdit*>(w)) {
            text = true;
            writable = !pane->isReadOnly();
            selection = pane->textCursor().hasSelection();
            undo = pane->document()->isUndoAvailable();
            any = !pane->document()->isEmpty();
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            text = true;
            writable = !field->isReadOnly();
            selection = field->hasSelectedText();
            undo = field->isUndoAvailable();
            any = !field->text().isEmpty();
        }
        const QClipboard* clip = QGuiApplication::clipboard();
        const bool canPaste = clip && !clip->text().isEmpty();
        actions[0]->setEnabled(text && writable && undo);
        actions[1]->setEnabled(text && writable && selection);
        actions[2]->setEnabled(text && selection);
        actions[3]->setEnabled(text && writable && canPaste);
        actions[4]->setEnabled(text && any);
    });
    return {actions[0], actions[1], actions[2], actions[3], actions[4]};
}

}  // namespace kirel
