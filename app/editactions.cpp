#include "app/editactions.h"

#include "app/unit1.h"

namespace kirel {

EditCommands::EditCommands(TForm1* form) : QObject(form), form_(form) {}

}  // namespace kirel
