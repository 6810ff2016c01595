#include "controls/dotwidthgutter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "core/artwidth.h"

namespace kirel {

namespace {

// A line's width is kept in the line's own user state (the block's integer,
// which travels with the line when lines above are added or removed); -1, the
// state of a new line, means not measured yet. The line's user data belongs to
// the running byte count of the edit pane and is left alone.
constexpr int kNotMeasured = -1;

constexpr int kMargin = 4;

}  // namespace

QFont DotWidthGutter::boardFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(16);
    return font;
}

DotWidthTable& DotWidthGutter::boardWidths() {
    static DotWidthTable table([metrics = QFontMetrics(boardFont())](char32_t c) {
        return metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
    });
    return table;
}

DotWidthGutter::DotWidthGutter(QPlainTextEdit* editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("DotWidths"));
    setToolTip(QStringLiteral("各行の幅（ドット）です"));
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    connect(editor_->document(), &QTextDocument::contentsChange, this,
            &DotWidthGutter::contentsChanged);
    // Anything that moves the lines on screen repaints the strip.
    connect(editor_, &QPlainTextEdit::updateRequest, this, [this] { update(); });
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, [this] { update(); });
    connect(editor_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
}

QSize DotWidthGutter::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("→00000")) + 2 * kMargin, 0};
}

void DotWidthGutter::measure(const QTextBlock& block) {
    const int w = boardWidths().lineWidth(block.text());
    ++linesMeasured_;
    QTextBlock b = block;
    b.setUserState(w);
}

int DotWidthGutter::lineWidth(const QTextBlock& block) {
    if (!block.isValid()) return 0;
    if (block.userState() == kNotMeasured) measure(block);
    return block.userState();
}

int DotWidthGutter::lineWidth(int blockNumber) {
    return lineWidth(editor_->document()->findBlockByNumber(blockNumber));
}

void DotWidthGutter::contentsChanged(int position, int /*removed*/, int added) {
    // Only the lines the edit touched, from the one it started in to the one its
    // inserted text ends in, lose their width; they are measured again when shown
    // or aligned. A pasted picture is measured as its lines come into view.
    QTextDocument* doc = editor_->document();
    QTextBlock block = doc->findBlock(position);
    const QTextBlock last = doc->findBlock(position + added);
    while (block.isValid()) {
        block.setUserState(kNotMeasured);
        if (block == last) break;
        block = block.next();
    }
    update();
}

bool DotWidthGutter::toggleTargetLine() {
    const QTextBlock line = editor_->textCursor().block();
    if (!target_.isNull() && target_.block() == line) {
        target_ = QTextCursor();
    } else {
        // A cursor on the line follows it when lines above are added or removed.
        target_ = QTextCursor(line);
    }
    update();
    return !target_.isNull();
}

void DotWidthGutter::clearTargetLine() {
    target_ = QTextCursor();
    update();
}

int DotWidthGutter::targetLine() const {
    return target_.isNull() ? -1 : target_.blockNumber();
}

DotWidthGutter::Alignment DotWidthGutter::alignLines() {
    Alignment result;
    QTextDocument* doc = editor_->document();
    const QTextCursor sel = editor_->textCursor();
    const QTextBlock first = doc->findBlock(sel.selectionStart());
    QTextBlock last = doc->findBlock(sel.selectionEnd());
    // A selection that ends at the very start of a line does not take that line.
    if (sel.hasSelection() && last != first && sel.selectionEnd() == last.position())
        last = last.previous();

    int target = -1;
    if (targetLine() >= 0) {
        target = lineWidth(target_.block());
    } else {
        for (QTextBlock b = first; b.isValid(); b = b.next()) {
            target = std::max(target, lineWidth(b));
            if (b == last) break;
        }
    }
    if (target < 0) return result;
    result.target = target;

    // Without a selection the spaces go in at the caret, so that what follows
    // it (a picture's right edge) moves to the target; otherwise at each line's
    // end.
    const bool atCaret = !sel.hasSelection();
    DotWidthTable& widths = boardWidths();
    QTextCursor edit(doc);
    edit.beginEditBlock();
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        const QString text = b.text();
        const int at = atCaret ? sel.position() - b.position() : int(text.size());
        const bool mayOpen = at > 0 && text[at - 1] != QLatin1Char(' ');
        const bool mayClose = at >= text.size() || text[at] != QLatin1Char(' ');
        const Padding pad = padToWidth(lineWidth(b), target, widths.fullSpace(), widths.halfSpace(),
                                       mayOpen, mayClose);
        if (!pad.spaces.isEmpty()) {
            edit.setPosition(b.position() + at);
            edit.insertText(pad.spaces);
        }
        ++result.lines;
        if (pad.remaining > 0) {
            ++result.shortLines;
            result.maxRemaining = std::max(result.maxRemaining, pad.remaining);
        }
        if (b == last) break;
    }
    edit.endEditBlock();
    return result;
}

void DotWidthGutter::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xEE, 0xF2, 0xF7));
    p.setPen(QColor(0xB8, 0xC4, 0xD0));
    p.drawLine(width() - 1, 0, width() - 1, height());

    // Line positions through the editor's public geometry: the viewport's
    // offset from this strip, then each line's caret rectangle in the viewport.
    QWidget* viewport = editor_->viewport();
    const int offset =
        viewport->mapTo(window(), QPoint(0, 0)).y() - mapTo(window(), QPoint(0, 0)).y();
    const int caretLine = editor_->textCursor().blockNumber();
    const int bottom = viewport->height();
    QTextBlock block = editor_->cursorForPosition(QPoint(0, 0)).block();
    while (block.isValid()) {
        if (!block.isVisible()) {
            block = block.next();
            continue;
        }
        const QRect caret = editor_->cursorRect(QTextCursor(block));
        if (caret.top() > bottom) break;
        const QRect row(0, caret.top() + offset, width() - 1, caret.height());
        if (block.blockNumber() == caretLine) p.fillRect(row, QColor(0xFF, 0xE8, 0xA8));
        QString text = QString::number(lineWidth(block));
        if (!target_.isNull() && block == target_.block()) {
            p.fillRect(row, QColor(0xC8, 0xE6, 0xC9));
            text.prepend(QStringLiteral("→"));
        }
        p.setPen(Qt::black);
        p.drawText(row.adjusted(kMargin, 0, -kMargin, 0), Qt::AlignRight | Qt::AlignVCenter, text);
        block = block.next();
    }
}

}  // namespace kirel
