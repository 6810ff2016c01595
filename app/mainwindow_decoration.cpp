// The decoration window and the decorative-rule dialog, opened from the main window.
#include <QAction>
#include <QShortcut>
#include <QString>

#include "app/mainwindow.h"
#include "decoration/decorationwindow.h"
#include "decoration/ruledialog.h"
#include "phrases/inputdialog.h"
#include "platform/toplevelwindows.h"

using namespace kirel;

QWidget* MainWindow::decorationWindow() const {
    return decorationWindow_ && decorationWindow_->isVisible() ? decorationWindow_.data() : nullptr;
}

void MainWindow::toggleDecorationWindow() {
    if (QWidget* open = decorationWindow()) {
        open->close();
        return;
    }
    auto* window = new DecorationWindow(
        *this, this,
        {&kirel::askMarqueeWidth, [this](QWidget* owner) { return openPreferences(owner); }});
    decorationWindow_ = window;
    if (!decorationKey_) {
        decorationKey_ = new QShortcut(decorationShortcut->shortcut(), this);
        decorationKey_->setContext(Qt::WindowShortcut);
        connect(decorationKey_, &QShortcut::activated, this, &MainWindow::toggleDecorationWindow);
    }
    // The key works while the window shows (eventFilter turns it on and off),
    // also when the decoration window is the active one: a tool window keeps
    // its owner's window shortcuts working.
    window->installEventFilter(this);
    // It takes the keyboard, as the tool windows do.
    bringToFront(window);
}

void MainWindow::openRuleDialog() {
    if (!editPaneEnabled()) return;
    RuleDialog dialog(*this, this);
    dialog.exec();
}
