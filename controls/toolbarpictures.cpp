#include "controls/toolbarpictures.h"

// Temporary plain pictures; replaced by the drawn ones.
namespace kirel {
QPixmap toolbarPicture(int) { QPixmap p(24, 24); p.fill(Qt::gray); return p; }
QPixmap builtinMascot() { QPixmap p(48, 60); p.fill(Qt::white); return p; }
}  // namespace kirel
