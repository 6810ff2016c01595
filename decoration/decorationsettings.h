#pragma once

// What the decoration window reads from and writes to the settings file.

#include <array>

#include "platform/profile.h"

namespace kirel::decoration {

// Colours of the eight swatches when the settings file has none (colour integers).
inline constexpr std::array<int, 8> kSwatchDefaults = {255,      16744448, 13876988, 16559015,
                                                       15909506, 12701097, 14647167, 657930};

struct DecorationSettings {
    int formColor = 15909506;                       // window background
    QString textColor;                              // sample text colour, "#RRGGBB"
    QString cellColor;                              // sample background colour; empty: the picture
    QString background;                             // sample background picture
    std::array<int, 8> swatches = kSwatchDefaults;  // may hold system colours
    int makeColor = 15909506;                       // last colour made with the colour dialog
};

DecorationSettings readDecorationSettings(const Profile& ini);
// Throws kirel::Failure when the settings file cannot be written.
void writeMakeColor(const Profile& ini, int color);

}  // namespace kirel::decoration
