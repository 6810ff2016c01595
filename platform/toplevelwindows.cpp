#include "platform/toplevelwindows.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace kirel {

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

}  // namespace kirel
