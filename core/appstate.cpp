#include "core/appstate.h"

#include "core/capturetargets.h"

namespace kirel {

AppState& app() {
    static AppState state;
    return state;
}

CaptureTargets& captureTargets() {
    static CaptureTargets targets;
    return targets;
}

}  // namespace kirel
