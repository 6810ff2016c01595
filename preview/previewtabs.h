#pragma once

#include <QObject>

class TForm1;

namespace kirel {

// The preview and browser tabs of the main window, the board selection menu and
// the help, version and homepage commands. Builds the tabs' content and connects
// itself to the window's menu items and tab control.
class PreviewTabs : public QObject {
    Q_OBJECT
  public:
    explicit PreviewTabs(TForm1* form);

  private:
    TForm1* form_;
};

}  // namespace kirel
