#pragma once

// The desktop's colours for colour integers that name a system colour
// (0x80000000 + index, as settings written on other desktops may hold them).

#include <QColor>

namespace kirel {

// The colour (0x00BBGGRR) of system colour index 0..30: taken from the
// application palette where it has a counterpart, else the usual desktop value;
// 0 (black) for an index that names no colour.
int systemColor(int index);

// A colour integer as a QColor, a system colour resolved to its red, green and
// blue.
QColor resolvedColor(int value);

}  // namespace kirel
