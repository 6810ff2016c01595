#pragma once

#include <QObject>

class TForm1;

namespace kirel {

// The editing commands of the edit pane's and quote pane's context menus, and the
// find and replace dialogs. Connects itself to the window's menu items.
class EditCommands : public QObject {
    Q_OBJECT
public:
    explicit EditCommands(TForm1* form);

private:
    TForm1* form_;
};

}  // namespace kirel
