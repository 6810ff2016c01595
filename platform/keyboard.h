#pragma once

// Keyboard conventions that every window of the program follows, installed once
// for the whole application, so that windows added later follow them too:
//  - Shift+F10 opens the focused control's context menu at its caret (at the
//    current item of a list), as the Menu key does;
//  - in a menu, an accelerator letter shared by several items goes to the
//    enabled ones: a single enabled item is chosen at once, several enabled
//    items are stepped through, disabled and hidden items are passed over.

namespace kirel {

// Installs the conventions on the application object (once; later calls do
// nothing).
void installKeyboardConventions();

}  // namespace kirel
