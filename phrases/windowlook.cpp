#include "phrases/windowlook.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "phrases/placement.h"
#include "platform/profile.h"
#include "platform/prompter.h"

namespace kirel::phrases {
namespace {

const QScreen* screenOf(const QWidget* w) {
    const QScreen* s = w ? w->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}

}  // namespace

void applyWindowLook(QWidget* window) {
    const int color =
        Profile(app().iniPath()).readInteger(keys::kShared, keys::kFormColor, kDefaultFormColor);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, qcolorOf(color));
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    const QScreen* screen = screenOf(window);
    const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    QFont f = window->font();
    f.setPointSize(dpi == 96 ? 9 : 11);
    window->setFont(f);
}

QPoint placeOnScreen(QPoint stored, const QWidget* window) {
    const QScreen* screen = screenOf(window);
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    return {onScreen(stored.x(), size.width()), onScreen(stored.y(), size.height())};
}

void addEditItems(QMenu* menu, std::function<QWidget*()> target) {
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
}

namespace {

class MnemonicFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* menu = qobject_cast<QMenu*>(watched);
        if (!menu || event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() != 1 || (key->modifiers() & ~(Qt::ShiftModifier | Qt::AltModifier)))
            return false;
        const QChar letter = key->text().front().toUpper();
        QAction* only = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
            const QKeySequence mnemonic = QKeySequence::mnemonic(a->text());
            if (mnemonic.isEmpty() || (mnemonic[0].toCombined() & 0xFFFF) != letter.unicode())
                continue;
            if (only) return false;  // several enabled: the menu steps through them
            only = a;
        }
        if (!only) return false;
        menu->setActiveAction(only);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(menu, &enter);
        return true;
    }
};

class FocusSelect : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* list = qobject_cast<QListWidget*>(watched);
        if (list && event->type() == QEvent::FocusIn) {
            // The list sets its current entry while it takes the focus, after
            // this filter has run.
            QTimer::singleShot(0, list, [list] {
                QListWidgetItem* item = list->currentItem();
                if (item && list->selectedItems().isEmpty()) item->setSelected(true);
            });
        }
        return false;
    }
};

}  // namespace

void selectCurrentOnFocus(QListWidget* list) {
    list->installEventFilter(new FocusSelect(list));
}

void chooseByEnabledMnemonic(QMenu* menu) {
    menu->installEventFilter(new MnemonicFilter(menu));
}

bool refuseWhileDecorating(const EditorHost& host, const QString& what) {
    if (host.editPaneEnabled()) return false;
    showMessage(
        QStringLiteral("「HTMLタグで文字を修飾」のウィンドウが開いているため、\r\n%1の挿入が"
                       "できません。\r\n\r\n「HTMLタグで文字を修飾」のウィンドウを閉じて"
                       "ください。")
            .arg(what),
        Icon::Information);
    return true;
}

void insertIntoPost(EditorHost& host, QWidget* owner, const QString& text) {
    if (host.currentTab() != EditorHost::Tab::Edit) host.showTab(EditorHost::Tab::Edit);
    TextPane& post = host.editText();
    post.replaceSelection(text);
    post.showCaret();
    // The keyboard goes back to the post: its window comes forward, as a click
    // into the pane would make it.
    if (owner) owner->window()->activateWindow();
    post.giveFocus();
}

}  // namespace kirel::phrases
