#include "app/editcommands.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/finddialog.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "splitpost/splitpostwindow.h"

namespace kirel {

EditCommands::EditCommands(MainWindow* form)
    : QObject(form), form_(form), edit_(form->editPane), quote_(form->quotePane) {
    connect(form->insertQuoteMarks, &QAction::triggered, this, &EditCommands::insertQuoteMarks);
    connect(form->heartMark1, &QAction::triggered, this, &EditCommands::heartMark1);
    connect(form->heartMark2, &QAction::triggered, this, &EditCommands::heartMark2);
    connect(form->countSelection, &QAction::triggered, this, &EditCommands::countSelection);
    connect(form->splitPost, &QAction::triggered, this, &EditCommands::splitPost);
    connect(form->find, &QAction::triggered, this, &EditCommands::showFind);
    connect(form->replace, &QAction::triggered, this, &EditCommands::showReplace);
    connect(form->convertBreaks, &QAction::triggered, this, &EditCommands::convertBreaks);
    connect(form->quoteToEdit, &QAction::triggered, this, &EditCommands::copyFromQuote);
    connect(form->editMenu, &QMenu::aboutToShow, this, &EditCommands::editMenuShowing);
    connect(form->quoteMenu, &QMenu::aboutToShow, this, &EditCommands::quoteMenuShowing);
}

EditCommands::~EditCommands() = default;

void EditCommands::editMenuShowing() {
    const bool selected = edit_.hasSelection();
    form_->countSelection->setEnabled(selected);
    form_->splitPost->setEnabled(selected);
}

void EditCommands::quoteMenuShowing() {
    form_->quoteToEdit->setEnabled(quote_.hasSelection());
}

void EditCommands::insertQuoteMarks() {
    editing::insertQuoteMarks(edit_, app().QuoteMark);
}

void EditCommands::heartMark1() {
    editing::insertHeart(edit_, editing::kHeartTag1);
}

void EditCommands::heartMark2() {
    editing::insertHeart(edit_, editing::kHeartTag2);
}

void EditCommands::countSelection() {
    if (!edit_.hasSelection()) return;
    if (editing::countSelection(edit_, app().CharLimit)) openSplitPost();
}

void EditCommands::splitPost() {
    if (edit_.hasSelection()) openSplitPost();
}

void EditCommands::openSplitPost() {
    // A new window each time: several pieces can be worked on side by side.
    (new SplitPostWindow(form_, *form_))->show();
}

FindDialog* EditCommands::findDialog() {
    if (!findDialog_) {
        findDialog_ = new FindDialog(form_);
        connect(findDialog_, &FindDialog::find, this, &EditCommands::findNext);
    }
    return findDialog_;
}

ReplaceDialog* EditCommands::replaceDialog() {
    if (!replaceDialog_) {
        replaceDialog_ = new ReplaceDialog(form_);
        connect(replaceDialog_, &ReplaceDialog::replace, this, &EditCommands::replaceNext);
        connect(replaceDialog_, &ReplaceDialog::replaceAll, this, &EditCommands::replaceNext);
    }
    return replaceDialog_;
}

void EditCommands::showFind() {
    findDialog()->popup();
}

void EditCommands::showReplace() {
    replaceDialog()->popup();
}

void EditCommands::findNext() {
    editing::findNext(edit_, findDialog()->findText());
}

void EditCommands::replaceNext() {
    editing::replaceFirst(edit_, replaceDialog()->findText(), replaceDialog()->replaceText());
}

void EditCommands::convertBreaks() {
    editing::convertLineBreaks(edit_);
}

void EditCommands::copyFromQuote() {
    editing::copyFromQuotePane(quote_, edit_);
}

}  // namespace kirel
