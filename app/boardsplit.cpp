#include "app/boardsplit.h"

#include <QAction>
#include <QMenu>

#include "app/counterdisplay.h"
#include "app/mainwindow.h"
#include "boardrules/postsplitter.h"
#include "core/textpane.h"
#include "splitpost/partsbar.h"
#include "splitpost/splitpostwindow.h"

namespace kirel {

BoardSplit::BoardSplit(MainWindow* form, CounterDisplay* counter) : QObject(form), form_(form) {
    // At the end of the first group of the edit menu, after "飾り罫を挿入".
    QAction* before = form->editSeparator1;
    action = new QAction(QStringLiteral("掲示板の制限で分割(&W)"), form->editMenu);
    action->setObjectName(QStringLiteral("SplitForBoard"));
    form->editMenu->insertAction(before, action);
    connect(action, &QAction::triggered, this, [this] { split(); });
    // Queued: the warning that offered it has closed and the change is complete.
    connect(counter, &CounterDisplay::splitRequested, this, &BoardSplit::split,
            Qt::QueuedConnection);
}

SplitPostWindow* BoardSplit::split() {
    const boardrules::SplitLimits limits = currentBoardLimits();
    if (limits.bytes <= 0 && limits.lines <= 0) {
        showMessage(kNoBoardLimits, Icon::Warning);
        return nullptr;
    }
    auto* window = new SplitPostWindow(form_, *form_);
    if (!window->splitForBoard(form_->editText().text())) {
        window->deleteLater();
        return nullptr;
    }
    window->show();
    return window;
}

}  // namespace kirel
