#pragma once

// The program's two forms of a colour, and QColor for the windows.
//
// - colour string: "#RRGGBB", red first, as HTML writes it (board colours, page
//   colours, the hexadecimal fields); some settings allow it empty (no colour);
// - colour integer: the value 0x00BBGGRR, red in the low byte, stored in decimal
//   (window colours, colour swatches).

#include <QString>
#include <functional>

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

// System colours: a colour integer whose top byte is 0x80 names a colour of the
// desktop by its index in the low byte (0x8000000F is the button face) instead of
// giving red, green and blue.
constexpr bool isSystemColor(int value) {
    return (unsigned(value) & 0xFF000000u) == 0x80000000u;
}
constexpr int systemColorIndex(int value) {
    return int(unsigned(value) & 0xFFu);
}

// The colour reduced to red, green and blue (0x00BBGGRR): a system colour is
// looked up with systemColor (index -> colour integer); any other value keeps
// its three colour bytes.
int colorToRgb(int value, const std::function<int(int index)>& systemColor);

}  // namespace kirel
