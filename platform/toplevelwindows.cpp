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

void bringToFront(QWidget* window, const QString& activationToken) {
    if (!window) return;
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    if (activationToken.isEmpty()) {
        window->activateWindow();
        return;
    }
    // Qt's Wayland platform presents the token it finds in the environment when
    // the window asks to be activated. A token is good for one activation only,
    // so it is not left there for a later request, used or not (X11, or a
    // compositor without activation, ignores it).
    constexpr char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";
    qputenv(kTokenVariable, activationToken.toUtf8());
    window->activateWindow();
    qunsetenv(kTokenVariable);
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
