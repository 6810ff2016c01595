#include "platform/windowlook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "core/appstate.h"
#include "core/colors.h"
#include "core/settingskeys.h"
#include "platform/profile.h"

namespace kirel {

int formColorSetting() {
    return Profile(app().iniPath())
        .readInteger(keys::kShared, keys::kFormColor, keys::kFormColorDefault);
}

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

void applyWindowLook(QWidget* window) {
    applyWindowLook(window, formColorSetting());
}

}  // namespace kirel
