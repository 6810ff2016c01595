#include "app/editactions.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/appstate.h"
#include "app/finddialog.h"
#include "app/unit1.h"

namespace kirel {

QString QtTextPane::text() const {
    return edit_->toPlainText();
}

void QtTextPane::setText(const QString& text) {
    edit_->setPlainText(text);
}

qsizetype QtTextPane::selectionStart() const {
    return edit_->textCursor().selectionStart();
}

qsizetype QtTextPane::selectionLength() const {
    const QTextCursor cursor = edit_->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void QtTextPane::select(qsizetype start, qsizetype length) {
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    edit_->setTextCursor(cursor);
}

void QtTextPane::replaceSelection(const QString& text) {
    QTextCursor cursor = edit_->textCursor();
    cursor.insertText(text);
    edit_->setTextCursor(cursor);
}

void QtTextPane::giveFocus() {
    // Focus within the pane's own window: a find dialog in front keeps the
    // keyboard, so Enter there steps on instead of typing over the match.
    edit_->setFocus(Qt::OtherFocusReason);
}

void QtTextPane::showCaret() {
    edit_->ensureCursorVisible();
}

EditCommands::EditCommands(TForm1* form)
    : QObject(form), form_(form), edit_(form->RichEdit1), quote_(form->RichEdit3) {
    connect(form->N1, &QAction::triggered, this, &EditCommands::N1Click);
    connect(form->N13, &QAction::triggered, this, &EditCommands::N13Click);
    connect(form->N23, &QAction::triggered, this, &EditCommands::N23Click);
    connect(form->N6, &QAction::triggered, this, &EditCommands::N6Click);
    connect(form->N7, &QAction::triggered, this, &EditCommands::N7Click);
    connect(form->Find1, &QAction::triggered, this, &EditCommands::Find1Click);
    connect(form->Replace1, &QAction::triggered, this, &EditCommands::Replace1Click);
    connect(form->BR1, &QAction::triggered, this, &EditCommands::BR1Click);
    connect(form->N14, &QAction::triggered, this, &EditCommands::N14Click);
    connect(form->PopupMenu4, &QMenu::aboutToShow, this, &EditCommands::PopupMenu4Popup);
    connect(form->PopupMenu8, &QMenu::aboutToShow, this, &EditCommands::PopupMenu8Popup);
}

EditCommands::~EditCommands() = default;

void EditCommands::PopupMenu4Popup() {
    const bool selected = edit_.hasSelection();
    form_->N6->setEnabled(selected);
    form_->N7->setEnabled(selected);
}

void EditCommands::PopupMenu8Popup() {
    form_->N14->setEnabled(quote_.hasSelection());
}

void EditCommands::N1Click() {
    editing::insertQuoteMarks(edit_, app().QuoteMark);
}

void EditCommands::N13Click() {
    editing::insertHeart(edit_, editing::kHeartTag1);
}

void EditCommands::N23Click() {
    editing::insertHeart(edit_, editing::kHeartTag2);
}

void EditCommands::N6Click() {
    if (!edit_.hasSelection()) return;
    if (editing::countSelection(edit_, app().CharLimit)) openSplitPost();
}

void EditCommands::N7Click() {
    if (edit_.hasSelection()) openSplitPost();
}

void EditCommands::openSplitPost() {
    // The split-post window comes later; until then the command has nothing to open.
}

FindDialog* EditCommands::findDialog() {
    if (!FindDialog1) {
        FindDialog1 = new FindDialog(form_);
        connect(FindDialog1, &FindDialog::find, this, &EditCommands::FindDialog1Find);
    }
    return FindDialog1;
}

ReplaceDialog* EditCommands::replaceDialog() {
    if (!ReplaceDialog1) {
        ReplaceDialog1 = new ReplaceDialog(form_);
        connect(ReplaceDialog1, &ReplaceDialog::replace, this,
                &EditCommands::ReplaceDialog1Replace);
        connect(ReplaceDialog1, &ReplaceDialog::replaceAll, this,
                &EditCommands::ReplaceDialog1Replace);
    }
    return ReplaceDialog1;
}

void EditCommands::Find1Click() {
    findDialog()->popup();
}

void EditCommands::Replace1Click() {
    replaceDialog()->popup();
}

void EditCommands::FindDialog1Find() {
    editing::findNext(edit_, findDialog()->findText());
}

void EditCommands::ReplaceDialog1Replace() {
    editing::replaceFirst(edit_, replaceDialog()->findText(), replaceDialog()->replaceText());
}

void EditCommands::BR1Click() {
    editing::convertLineBreaks(edit_);
}

void EditCommands::N14Click() {
    editing::copyFromQuotePane(quote_, edit_);
}

}  // namespace kirel
