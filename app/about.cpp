#include "app/about.h"

#include "core/appstate.h"
#include "platform/prompter.h"
#include "platform/shell.h"

namespace kirel::about {

void openHelp() {
    shellOpenOrReport(app().path(kHelpFileName));
}

void showVersion() {
    showPlain(kVersionMessage);
}

void openHomepage() {
    shellOpenOrReport(kHomepageAddress);
}

}  // namespace kirel::about
