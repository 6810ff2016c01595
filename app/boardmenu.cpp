#include "app/boardmenu.h"

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "boardrules/published.h"
#include "core/appstate.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "preview/previewtabs.h"

namespace kirel {

BoardMenu::BoardMenu(MainWindow* window, PreviewTabs* previewTabs)
    : QObject(window), window_(window), previewTabs_(previewTabs) {
    QAction* boards[] = {window_->board1, window_->board2, window_->board3};
    checkedBefore_ = window_->checkedBoard() + 1;
    for (int i = 0; i < 3; ++i) {
        connect(boards[i], &QAction::triggered, this, [this, i] { choose(i + 1); });
        // Qt checks the clicked item before it reports the click, so the item
        // checked before a click is kept here. The update is queued: it runs after
        // the click's handler, and checks made by other code (at start-up) arrive
        // before the next click.
        connect(
            boards[i], &QAction::toggled, this,
            [this] { checkedBefore_ = window_->checkedBoard() + 1; }, Qt::QueuedConnection);
    }
    // The items carry the names the boards published, as the preferences keep them.
    connect(window_->boardMenu, &QMenu::aboutToShow, this, &BoardMenu::showBoardNames);
    showBoardNames();
}

void BoardMenu::showBoardNames() {
    static const QString captions[] = {QStringLiteral("掲示板１"), QStringLiteral("掲示板２"),
                                       QStringLiteral("掲示板３")};
    QAction* boards[] = {window_->board1, window_->board2, window_->board3};
    const Profile ini(app().iniPath());
    for (int i = 0; i < 3; ++i)
        boards[i]->setText(
            boardrules::withBoardName(captions[i], boardrules::boardName(ini, i + 1)));
}

void BoardMenu::choose(int board) {
    QAction* boards[] = {window_->board1, window_->board2, window_->board3};
    int before = checkedBefore_;
    // A group that lets the checked item be unchecked has just done so: it was
    // checked before the click.
    if (!boards[board - 1]->isChecked()) before = board;
    try {
        // The item checked before stays checked until the selection gets that far.
        if (before != board) {
            for (int i = 0; i < 3; ++i) boards[i]->setChecked(i + 1 == before);
        } else {
            boards[board - 1]->setChecked(true);
        }
        preview::selectBoard(board, before, {app().AppDir, app().PreviewBody}, *this);
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    checkedBefore_ = window_->checkedBoard() + 1;
}

int BoardMenu::editPaneWidth() const {
    return window_->editPaneWidth();
}

void BoardMenu::setEditPaneWidth(int width) {
    window_->setEditPaneWidth(width);
}

void BoardMenu::checkBoard(int board) {
    QAction* items[] = {window_->board1, window_->board2, window_->board3};
    for (int i = 0; i < 3; ++i) items[i]->setChecked(i + 1 == board);
}

bool BoardMenu::previewShowing() const {
    return previewTabs_->previewShowing();
}

void BoardMenu::showPreview(const QString& path) {
    previewTabs_->showPreviewFile(path);
}

void BoardMenu::setCharLimit(int limit) {
    app().CharLimit = limit;
    app().LineLimit = boardrules::lineLimit(Profile(app().iniPath()), window_->checkedBoard() + 1);
    window_->restartCounter();
}

}  // namespace kirel
