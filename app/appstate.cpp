#include "app/appstate.h"

namespace kirel {

AppState& app() {
    static AppState state;
    return state;
}

}  // namespace kirel
