#include "platform/windowlook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/colors.h"

namespace kirel {

int windowPointSize(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    return dpi == 96 ? 9 : 11;
}

void applyWindowLook(QWidget* window, int formColor) {
    QFont font = window->font();
    font.setPointSize(windowPointSize(window));
    window->setFont(font);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, qcolorOf(formColor));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

}  // namespace kirel
