#include "splitpost/partsbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/appstate.h"
#include "core/settingskeys.h"
#include "platform/profile.h"
#include "platform/prompter.h"

namespace kirel {

using boardrules::PostPart;

PartsBar::PartsBar(QPlainTextEdit* editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("PartsBar"));
    previous = new QPushButton(QStringLiteral("前の部分"), this);
    previous->setObjectName(QStringLiteral("PreviousPart"));
    next = new QPushButton(QStringLiteral("次の部分"), this);
    next->setObjectName(QStringLiteral("NextPart"));
    position = new QLabel(this);
    position->setObjectName(QStringLiteral("PartPosition"));
    previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    previous->setToolTip(QStringLiteral("前の部分を表示します (Ctrl+PageUp)"));
    next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    next->setToolTip(QStringLiteral("次の部分を表示します (Ctrl+PageDown)"));
    for (QPushButton* b : {previous, next}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(previous);
    row->addWidget(position);
    row->addWidget(next);
    row->addStretch(1);
    connect(previous, &QPushButton::clicked, this, [this] { showPart(current_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPart(current_ + 1); });
    hide();
}

bool PartsBar::split(const boardrules::SplitLimits& limits) {
    return split(wholeText(), limits);
}

bool PartsBar::split(const QString& text, const boardrules::SplitLimits& limits) {
    if (limits.bytes <= 0 && limits.lines <= 0) {
        showMessage(kNoBoardLimits, Icon::Warning);
        return false;
    }
    boardrules::SplitResult result = boardrules::splitPost(text, limits);
    if (!result.fits) {
        showMessage(kLimitsTooSmall, Icon::Warning);
        return false;
    }
    parts_ = std::move(result.parts);
    numbered_ = limits.numbered;
    current_ = -1;
    show();
    showPart(0);
    return true;
}

void PartsBar::keepShown() {
    if (current_ < 0 || current_ >= parts_.size()) return;
    QString text = editor_->toPlainText();
    // The number line is the window's own; the body is what the user wrote.
    const QString number =
        QLatin1Char('\n') + boardrules::partNumber(current_ + 1, int(parts_.size()));
    if (numbered_ && text.endsWith(number)) text.chop(number.size());
    parts_[current_].body = text;
}

void PartsBar::showPart(int i) {
    if (i < 0 || i >= parts_.size()) return;
    keepShown();
    current_ = i;
    editor_->setPlainText(boardrules::postedText(parts_, i, numbered_));
    position->setText(QStringLiteral("%1/%2").arg(i + 1).arg(parts_.size()));
    previous->setEnabled(i > 0);
    next->setEnabled(i + 1 < parts_.size());
}

QString PartsBar::wholeText() {
    if (current_ < 0) return editor_->toPlainText();
    keepShown();
    return boardrules::joinParts(parts_);
}

boardrules::SplitLimits currentBoardLimits() {
    const AppState& st = app();
    boardrules::SplitLimits limits;
    limits.bytes = qint64(st.CharLimit) * 2;
    limits.lines = st.LineLimit;
    limits.numbered = Profile(st.iniPath()).readBool(keys::kSplitPost, keys::kPartNumbers, false);
    return limits;
}

}  // namespace kirel
