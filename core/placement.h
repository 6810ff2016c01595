#pragma once

// Remembered window positions kept on the screen.

namespace kirel {

// One stored coordinate against the screen's extent in that direction: below 0
// or beyond the extent becomes 10; the extent itself stays.
constexpr int onScreen(int value, int extent) {
    return value < 0 || value > extent ? 10 : value;
}

}  // namespace kirel
