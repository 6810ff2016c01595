#include "platform/systemcolors.h"

#include <QGuiApplication>
#include <QPalette>

#include "core/colors.h"

namespace kirel {
namespace {

int fromPalette(QPalette::ColorRole role, QPalette::ColorGroup group = QPalette::Active) {
    return colorIntOf(QGuiApplication::palette().color(group, role));
}

}  // namespace

int systemColor(int index) {
    switch (index) {
        case 0:  // scroll bar
            return colorInt(0xC8, 0xC8, 0xC8);
        case 1:  // desktop
            return 0;
        case 2:   // active caption
        case 13:  // highlight
        case 29:  // menu highlight
            return fromPalette(QPalette::Highlight);
        case 3:  // inactive caption
            return fromPalette(QPalette::Highlight, QPalette::Inactive);
        case 4:   // menu
        case 30:  // menu bar
            return fromPalette(QPalette::Window);
        case 5:  // window
            return fromPalette(QPalette::Base);
        case 6:   // window frame
        case 21:  // 3-D dark shadow
            return fromPalette(QPalette::Shadow);
        case 7:  // menu text
            return fromPalette(QPalette::WindowText);
        case 8:  // window text
            return fromPalette(QPalette::Text);
        case 9:   // caption text
        case 14:  // highlighted text
            return fromPalette(QPalette::HighlightedText);
        case 10:  // active border
            return colorInt(0xB4, 0xB4, 0xB4);
        case 11:  // inactive border
            return colorInt(0xF4, 0xF7, 0xFC);
        case 12:  // application workspace
            return colorInt(0xAB, 0xAB, 0xAB);
        case 15:  // button face
            return fromPalette(QPalette::Button);
        case 16:  // button shadow
            return fromPalette(QPalette::Dark);
        case 17:  // grey text
            return fromPalette(QPalette::Text, QPalette::Disabled);
        case 18:  // button text
            return fromPalette(QPalette::ButtonText);
        case 19:  // inactive caption text
            return colorInt(0x43, 0x4E, 0x54);
        case 20:  // button highlight
            return fromPalette(QPalette::Light);
        case 22:  // 3-D light
            return fromPalette(QPalette::Midlight);
        case 23:  // tooltip text
            return fromPalette(QPalette::ToolTipText);
        case 24:  // tooltip background
            return fromPalette(QPalette::ToolTipBase);
        case 26:  // hot-tracked item
            return fromPalette(QPalette::Link);
        case 27:  // gradient of the active caption
            return colorInt(0xB9, 0xD1, 0xEA);
        case 28:  // gradient of the inactive caption
            return colorInt(0xD7, 0xE4, 0xF2);
        default:
            return 0;
    }
}

QColor resolvedColor(int value) {
    return qcolorOf(colorToRgb(value, systemColor));
}

}  // namespace kirel
