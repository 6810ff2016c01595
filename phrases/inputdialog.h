#pragma once

// The one-line input dialog: a field and an OK button, opened modally by the
// emoticon, fixed-phrase and decoration windows for six jobs. The opener names
// the job (InputRole) and, for the adding and renaming jobs, the work to do with
// a confirmed text.
//
// Its objectNames are the designer names ("Form4", "Edit1", "Button1").

#include <QDialog>
#include <functional>

#include "phrases/inputrules.h"

class QLineEdit;
class QPushButton;

namespace kirel {

class InputDialog : public QDialog {
    Q_OBJECT
  public:
    // Runs the opener's job with a confirmed, non-empty text; returns true when
    // the dialog is done and closes, false when it stays open for another entry.
    using Job = std::function<bool(const QString& text)>;

    // The dialog is modal over owner and centred on the program's main window.
    // Clipboard capture is off while it exists.
    InputDialog(phrases::InputRole role, QWidget* owner, Job job = {});
    ~InputDialog() override;

    phrases::InputRole role() const { return role_; }

    // OK (the button, or Enter in the field).
    void confirm();

    // Width job: the text confirmed with OK exactly as typed, or a null string
    // when the dialog went away without a confirmed width.
    QString confirmedWidth() const { return confirmedWidth_; }

    QLineEdit* field = nullptr;
    QPushButton* okButton = nullptr;

  private:
    void widthChanged(const QString& text);

    phrases::InputRole role_;
    Job job_;
    QString confirmedWidth_;
};

// Asks for the width of scrolling text (1..100) in the input dialog's width role,
// modal over owner. Returns the text exactly as confirmed ("050" stays "050"),
// or a null QString when the dialog was closed without a confirmed width
// (the caller then turns scrolling off).
QString askMarqueeWidth(QWidget* owner);

}  // namespace kirel
