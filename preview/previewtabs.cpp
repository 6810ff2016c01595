#include "preview/previewtabs.h"

#include "app/unit1.h"

namespace kirel {

PreviewTabs::PreviewTabs(TForm1* form) : QObject(form), form_(form) {}

}  // namespace kirel
