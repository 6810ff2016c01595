#pragma once

// The look every window of the program shares: its font size by the screen's
// pixel density, and its background colour.

class QWidget;

namespace kirel {

// The window colour setting ("FormColor", a colour integer 0x00BBGGRR), read
// from the settings file now.
int formColorSetting();

// 9 points on a 96-dpi screen, 11 points otherwise.
int windowPointSize(const QWidget* window);

// Sets the window's font size (windowPointSize) and fills its background with
// the colour integer formColor (0x00BBGGRR).
void applyWindowLook(QWidget* window, int formColor);
// The same with the window colour setting.
void applyWindowLook(QWidget* window);

}  // namespace kirel
