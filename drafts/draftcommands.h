#pragma once

#include <QObject>

#include "app/editactions.h"
#include "drafts/drafts.h"

class TForm1;

namespace kirel {

// Quick save and load, open, save as, overwrite save and insertion of a text file,
// connected to the toolbar buttons and menu items of the main window.
class DraftCommands : public QObject {
    Q_OBJECT
  public:
    explicit DraftCommands(TForm1* form);

    void PictureButton7Click() { store_.quickSave0(); }
    void PictureButton8Click() { store_.quickLoad0(); }
    void N11Click() { store_.quickSave(1); }
    void N21Click() { store_.quickSave(2); }
    void N31Click() { store_.quickSave(3); }
    void N12Click() { store_.quickLoad(1); }
    void N22Click() { store_.quickLoad(2); }
    void N32Click() { store_.quickLoad(3); }
    void O1Click() { store_.open(); }
    void SaveAs1Click() { store_.saveAs(); }
    void N37Click() { store_.overwriteSave(); }
    void T1Click() { store_.insertFile(); }

    const DraftStore& store() const { return store_; }

  private:
    TForm1* form_;
    QtTextPane edit_;
    QtTextPane quote_;
    DraftStore store_;
};

}  // namespace kirel
