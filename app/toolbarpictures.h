#pragma once

// Built-in pictures of the main window: the toolbar buttons and the mascot.
#include <QPixmap>

namespace kirel {

// Picture of toolbar button n (1-4, 6-8), sized for a 47 x 30 button.
QPixmap toolbarPicture(int n);
// The mascot shown when no picture file is loaded (48 x 60 area).
QPixmap builtinMascot();
// The picture file shown in the mascot's place, scaled into area keeping its
// proportions; null when the file is missing or cannot be read.
QPixmap mascotPicture(const QString& path, QSize area);

}  // namespace kirel
