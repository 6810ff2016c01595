#include "platform/toplevelwindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace kirel {
namespace {

QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> window;
    return window;
}

QPointer<QWidget>& askingWindow() {
    static QPointer<QWidget> window;
    return window;
}

bool showing(const QWidget* w) {
    return w && w->isVisible();
}

}  // namespace

QWidget* findWindow(const QString& caption) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != caption) continue;
        if (qobject_cast<QMessageBox*>(w)) continue;
        return w;
    }
    return nullptr;
}

void bringToFront(QWidget* window) {
    if (!window) return;
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

void setTopMost(QWidget* window, bool on) {
    if (!window || bool(window->windowFlags() & Qt::WindowStaysOnTopHint) == on) return;
    const QRect geometry = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    // Changing the flags re-creates the native window; put it back where it was.
    window->setGeometry(geometry);
    if (visible) window->show();
}

QWidget* dialogParent() {
    if (showing(askingWindow())) return askingWindow();
    if (QWidget* w = QApplication::activeModalWidget(); showing(w)) return w;
    if (QWidget* w = QApplication::activeWindow(); showing(w)) return w;
    if (showing(mainWindow())) return mainWindow();
    return nullptr;
}

void setMainWindow(QWidget* window) {
    mainWindow() = window;
}

DialogOwner::DialogOwner(QWidget* window) : previous_(askingWindow()) {
    askingWindow() = window;
}

DialogOwner::~DialogOwner() {
    askingWindow() = previous_;
}

}  // namespace kirel
