#pragma once

#include <QObject>

class TForm1;

namespace kirel {

// Quick save and load, open, save as, overwrite save and insertion of a text file,
// connected to the toolbar buttons and menu items of the main window.
class DraftCommands : public QObject {
    Q_OBJECT
public:
    explicit DraftCommands(TForm1* form);

private:
    TForm1* form_;
};

}  // namespace kirel
