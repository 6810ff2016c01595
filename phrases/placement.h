#pragma once

// Window positions of the phrase windows.

namespace kirel::phrases {

// The window colour when the settings hold none ("#82C2F2").
constexpr int kDefaultFormColor = 15909506;

// One stored coordinate against the screen's extent in that direction: below 0
// or beyond the extent becomes 10; the extent itself stays.
constexpr int onScreen(int value, int extent) {
    return value < 0 || value > extent ? 10 : value;
}

}  // namespace kirel::phrases
