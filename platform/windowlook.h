#pragma once

// The look every window of the program shares: its font size by the screen's
// pixel density, and its background colour.

class QWidget;

namespace kirel {

// 9 points on a 96-dpi screen, 11 points otherwise.
int windowPointSize(const QWidget* window);

// Sets the window's font size (windowPointSize) and fills its background with
// the colour integer formColor (0x00BBGGRR).
void applyWindowLook(QWidget* window, int formColor);

}  // namespace kirel
