#include "platform/fontpreload.h"

#include <fontconfig/fontconfig.h>

namespace kirel {

FontPreload::FontPreload() : thread_([] { FcInit(); }) {}

FontPreload::~FontPreload() {
    wait();
}

void FontPreload::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace kirel
