// The decoration window and the decorative-rule dialog, opened from the main window.
#include <QString>

#include "app/mainwindow.h"
#include "decoration/decorationwindow.h"
#include "decoration/ruledialog.h"
#include "phrases/inputdialog.h"

using namespace kirel;

void MainWindow::toggleDecorationWindow() {
    if (decorationWindow_) {
        decorationWindow_->close();
        return;
    }
    auto* window = new DecorationWindow(
        *this, this,
        {&kirel::askMarqueeWidth, [this](QWidget* owner) { return openPreferences(owner); }});
    decorationWindow_ = window;
    window->show();
}

void MainWindow::openRuleDialog() {
    RuleDialog dialog(*this, this);
    dialog.exec();
}
