#pragma once

// Names the desktop session a window is shown on, for keying what is per desktop
// (one running editor per user and display).

#include <QString>

namespace kirel {

// A short name, usable in a file name, for the display the program's windows go
// to: on X, the display from x11Display without the screen number (":0" and
// ":0.0" are one display; "localhost:10.0", a remote session forwarded over SSH,
// is another); on Wayland, the compositor's socket from waylandDisplay
// ("wayland-0" when empty); on any other platform, the platform's name.
QString desktopSessionName(const QString& platformName, const QString& x11Display,
                           const QString& waylandDisplay);

}  // namespace kirel
