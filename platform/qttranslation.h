#pragma once

// Qt's own texts (the buttons of message boxes, the file and colour dialogs, the
// context menus of text fields) in Japanese. The program speaks Japanese whatever
// the user's locale, so Qt's Japanese catalogue is loaded for the whole process.

class QString;

namespace kirel {

// Loads Qt's Japanese catalogue from Qt's translations folder and installs it in
// the application, once. False when the catalogue is missing: Qt's texts then
// stay in English and the program goes on.
bool installQtJapanese();

// Path of the catalogue the program loads.
QString qtJapaneseCatalogue();

}  // namespace kirel
