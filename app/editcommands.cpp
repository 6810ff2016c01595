#include "app/editcommands.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/finddialog.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "splitpost/splitpostwindow.h"

namespace kirel {

EditCommands::EditCommands(MainWindow* form)
    : QObject(form),
      form_(form),
      editPane_(form->editPane),
      edit_(form->editPane),
      quote_(form->quotePane) {
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
    form->editPane->installEventFilter(this);
}

EditCommands::~EditCommands() = default;

bool EditCommands::postOpen() const {
    return form_->editPaneEnabled();
}

bool EditCommands::eventFilter(QObject* watched, QEvent* event) {
    // Only while the main window is whole: a change that comes while it is being
    // taken down finds none of its menus and dialogs any more.
    if (watched == editPane_ && event->type() == QEvent::EnabledChange &&
        qobject_cast<MainWindow*>(editPane_->window()))
        postLockChanged();
    return QObject::eventFilter(watched, event);
}

void EditCommands::postLockChanged() {
    const bool open = postOpen();
    if (!open) form_->quoteToEdit->setEnabled(false);
    if (findDialog_) findDialog_->setSearchAllowed(open);
    if (replaceDialog_) replaceDialog_->setSearchAllowed(open);
}

void EditCommands::editMenuShowing() {
    const bool selected = edit_.hasSelection();
    form_->countSelection->setEnabled(selected);
    form_->splitPost->setEnabled(selected);
}

void EditCommands::quoteMenuShowing() {
    form_->quoteToEdit->setEnabled(postOpen() && quote_.hasSelection());
}

void EditCommands::insertQuoteMarks() {
    if (postOpen()) editing::insertQuoteMarks(edit_, app().QuoteMark);
}

void EditCommands::heartMark1() {
    if (postOpen()) editing::insertHeart(edit_, editing::kHeartTag1);
}

void EditCommands::heartMark2() {
    if (postOpen()) editing::insertHeart(edit_, editing::kHeartTag2);
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
        findDialog_->setSearchAllowed(postOpen());
        connect(findDialog_, &FindDialog::find, this, &EditCommands::findNext);
    }
    return findDialog_;
}

ReplaceDialog* EditCommands::replaceDialog() {
    if (!replaceDialog_) {
        replaceDialog_ = new ReplaceDialog(form_);
        replaceDialog_->setSearchAllowed(postOpen());
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

// Finding moves the selection, which the decoration window holds as well.
void EditCommands::findNext() {
    if (!postOpen()) return;
    editing::findNext(edit_, findDialog()->findText());
}

void EditCommands::replaceNext() {
    if (!postOpen()) return;
    editing::replaceFirst(edit_, replaceDialog()->findText(), replaceDialog()->replaceText());
}

void EditCommands::convertBreaks() {
    if (!postOpen()) return;
    editing::convertLineBreaks(edit_);
}

void EditCommands::copyFromQuote() {
    if (!postOpen()) return;
    editing::copyFromQuotePane(quote_, edit_);
}

}  // namespace kirel
