#include "platform/toplevelwindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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

bool keptOnTop(const QWidget* w) {
    return w->windowFlags() & Qt::WindowStaysOnTopHint;
}

// A visible window of the program kept on top, other than except; message
// boxes do not count.
QWidget* windowKeptOnTop(const QWidget* except = nullptr) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == except || !w->isVisible() || qobject_cast<QMessageBox*>(w)) continue;
        if (w->isWindow() && keptOnTop(w)) return w;
    }
    return nullptr;
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
    reattachOwnedWindows(window);
}

void reattachOwnedWindows(QWidget* owner) {
    if (!owner || !owner->windowHandle()) return;
    const QPointer<QWidget> active = QApplication::activeWindow();
    bool shownAgain = false;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == owner || !w->isVisible() || !w->parentWidget() ||
            w->parentWidget()->window() != owner || !w->windowHandle() ||
            w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip)
            continue;
        // The window system learns who owns a window when the window is shown:
        // shown again, the window stays with its owner's new native window.
        const QRect geometry = w->geometry();
        const Qt::WindowFlags flags = w->windowFlags();
        if (flags & Qt::WindowStaysOnTopHint) {
            // A native window of its own as well: hidden and shown again at
            // once, the window manager would drop its place on top.
            w->setWindowFlags(flags & ~Qt::WindowStaysOnTopHint);
            w->setWindowFlags(flags);
        } else {
            w->windowHandle()->setTransientParent(owner->windowHandle());
            w->hide();
        }
        w->setGeometry(geometry);
        w->show();
        shownAgain = true;
    }
    // The keyboard stays where it was, not with a window shown again.
    if (shownAgain && showing(active)) active->activateWindow();
}

QWidget* dialogParent() {
    if (showing(askingWindow())) return askingWindow();
    if (QWidget* w = QApplication::activeModalWidget(); showing(w)) return w;
    if (QWidget* w = QApplication::activeWindow(); showing(w)) return w;
    if (QWidget* w = windowKeptOnTop()) return w;
    if (showing(mainWindow())) return mainWindow();
    return nullptr;
}

void showAboveProgram(QWidget* box) {
    if (windowKeptOnTop(box)) box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // Once the box shows (its modal loop has started): to the front, with the
    // keyboard, also where the window manager gives a new window no focus.
    QTimer::singleShot(0, box, [box] {
        box->raise();
        box->activateWindow();
    });
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
