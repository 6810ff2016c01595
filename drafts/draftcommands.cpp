#include "drafts/draftcommands.h"

#include "app/unit1.h"

namespace kirel {

DraftCommands::DraftCommands(TForm1* form) : QObject(form), form_(form) {}

}  // namespace kirel
