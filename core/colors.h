#pragma once

// The program's two forms of a colour, and QColor for the windows.
//
// - colour string: "#RRGGBB", red first, as HTML writes it (board colours, page
//   colours, the hexadecimal fields); some settings allow it empty (no colour);
// - colour integer: the value 0x00BBGGRR, red in the low byte, stored in decimal
//   (window colours, colour swatches).

#include <QString>

class QColor;

namespace kirel {

// "#RRGGBB" to 0x00BBGGRR: the (up to) six characters after "#" are reordered to
// BBGGRR and read as hexadecimal, so "#82C2F2" gives 15909506. Returns false
// when they are not hexadecimal.
bool colorStringToInt(const QString& text, int* out);

// Six upper-case hexadecimal digits RRGGBB, without "#" (bits above the three
// colour bytes are ignored).
QString colorIntToString(int value);

// The bytes of a colour integer.
constexpr int colorRed(int c) {
    return c & 0xFF;
}
constexpr int colorGreen(int c) {
    return (c >> 8) & 0xFF;
}
constexpr int colorBlue(int c) {
    return (c >> 16) & 0xFF;
}
constexpr int colorInt(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}

// QColor of a colour integer, and back. Templates, so that this header needs no
// Qt GUI module: they are instantiated by window code, where QColor is known.
template <typename Color = QColor>
Color qcolorOf(int value) {
    return Color(colorRed(value), colorGreen(value), colorBlue(value));
}
template <typename Color>
int colorIntOf(const Color& color) {
    return colorInt(color.red(), color.green(), color.blue());
}

}  // namespace kirel
