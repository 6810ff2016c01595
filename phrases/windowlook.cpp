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
#include "core/placement.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "platform/profile.h"
#include "platform/prompter.h"

namespace kirel::phrases {
namespace {

const QScreen* screenOf(const QWidget* w) {
    const QScreen* s = w ? w->screen() : nullptr;
    return s ? s : QGuiApplication::primaryScreen();
}

}  // namespace

QPoint placeOnScreen(QPoint stored, const QWidget* window) {
    const QScreen* screen = screenOf(window);
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    return {onScreen(stored.x(), size.width()), onScreen(stored.y(), size.height())};
}

namespace {

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
