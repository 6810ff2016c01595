#include "drafts/draftcommands.h"

#include <QAction>

#include "app/unit1.h"
#include "controls/pictbtn.h"

namespace kirel {

DraftCommands::DraftCommands(TForm1* form)
    : QObject(form),
      form_(form),
      edit_(form->RichEdit1),
      quote_(form->RichEdit3),
      store_(edit_, quote_) {
    connect(form->PictureButton7, &TPictureButton::clicked, this,
            &DraftCommands::PictureButton7Click);
    connect(form->PictureButton8, &TPictureButton::clicked, this,
            &DraftCommands::PictureButton8Click);
    const auto on = [this](QAction* action, void (DraftCommands::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    on(form->N02, &DraftCommands::PictureButton7Click);
    on(form->N01, &DraftCommands::PictureButton8Click);
    on(form->N11, &DraftCommands::N11Click);
    on(form->N112, &DraftCommands::N11Click);
    on(form->N21, &DraftCommands::N21Click);
    on(form->N211, &DraftCommands::N21Click);
    on(form->N31, &DraftCommands::N31Click);
    on(form->N311, &DraftCommands::N31Click);
    on(form->N12, &DraftCommands::N12Click);
    on(form->N111, &DraftCommands::N12Click);
    on(form->N22, &DraftCommands::N22Click);
    on(form->N210, &DraftCommands::N22Click);
    on(form->N32, &DraftCommands::N32Click);
    on(form->N310, &DraftCommands::N32Click);
    on(form->O1, &DraftCommands::O1Click);
    on(form->N36, &DraftCommands::O1Click);
    on(form->SaveAs1, &DraftCommands::SaveAs1Click);
    on(form->N38, &DraftCommands::SaveAs1Click);
    on(form->N39, &DraftCommands::N37Click);
    on(form->N37, &DraftCommands::N37Click);
    on(form->T1, &DraftCommands::T1Click);
}

}  // namespace kirel
