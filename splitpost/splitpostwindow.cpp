#include "splitpost/splitpostwindow.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <functional>

#include "core/appstate.h"
#include "core/colors.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "platform/bytetally.h"
#include "platform/clipboard.h"
#include "platform/editmenu.h"
#include "platform/failure.h"
#include "platform/imecolors.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/qttextpane.h"
#include "platform/readonlyinput.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "platform/textpieces.h"
#include "platform/windowlook.h"
#include "splitpost/linetally.h"
#include "splitpost/partsbar.h"

namespace kirel {
namespace {

const QString kFilter = QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
constexpr int kEditorColor = 16707279;  // #CFEEFE
constexpr int kProgressDelayMs = 500;

// The editor, handing long pastes and drops to the window and telling it when
// the others begin and end.
class SplitEditor : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;
    std::function<bool(const QMimeData* source)> pasteInSteps;
    std::function<void(bool starting)> pasting;

  protected:
    void insertFromMimeData(const QMimeData* source) override {
        if (pasteInSteps && pasteInSteps(source)) return;
        if (pasting) pasting(true);
        QPlainTextEdit::insertFromMimeData(source);
        if (pasting) pasting(false);
    }
};

QLineEdit* countBox(QWidget* parent, const char* name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);  // not in the tab order
    box->setContextMenuPolicy(Qt::PreventContextMenu);
    box->setFixedWidth(width);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QAction* item(QMenu* menu, const char* name, const QString& caption,
              const QKeySequence& shortcut = {}) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(shortcut);
    return a;
}

}  // namespace

const QString SplitPostWindow::kCaption = QStringLiteral("分割投稿する");

SplitPostWindow::SplitPostWindow(QWidget* owner, EditorHost& host)
    : QWidget(owner, Qt::Window), host_(host) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    buildWidgets();
    buildMenus();
    new ImeColors(editor);
    refuseInputMethodWhileReadOnly(editor);
    bytes_ = new ByteTally(editor->document());
    lines_ = new LineTally(editor);
    connect(editor, &QPlainTextEdit::textChanged, this, &SplitPostWindow::count);
    connect(lines_, &LineTally::counted, this, &SplitPostWindow::count);
    connect(lines_, &LineTally::stepped, this,
            [this] { progressBar->setValue(int(lines_->progress() * progressBar->maximum())); });
    insertSteps_ = new QTimer(this);
    insertSteps_->setSingleShot(true);
    insertSteps_->setInterval(0);
    connect(insertSteps_, &QTimer::timeout, this, &SplitPostWindow::insertPiece);
    const QString text = host.editText().selectedText();
    if (text.size() <= kPieceChars) {
        editor->setPlainText(text);
    } else {
        // Like setPlainText, the opening's text is no undo step.
        editor->document()->setUndoRedoEnabled(false);
        insertInSteps(text, QTextCursor(editor->document()));
    }
    applyWindowLook(this);
    resize(520, 400);
}

SplitPostWindow::~SplitPostWindow() = default;

void SplitPostWindow::buildWidgets() {
    auto* splitEditor = new SplitEditor(this);
    splitEditor->pasting = [this](bool starting) { pasting(starting); };
    splitEditor->pasteInSteps = [this](const QMimeData* source) { return pasteInSteps(source); };
    editor = splitEditor;
    editor->setObjectName(QStringLiteral("RichEdit1"));
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(15);
    editor->setFont(font);
    editor->document()->setDefaultFont(font);
    editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The wrap width changes only with the window: a scroll bar that came and
    // went with the text would wrap the lines anew while they are counted.
    editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette p = editor->palette();
    p.setColor(QPalette::Base, qcolorOf(kEditorColor));
    p.setColor(QPalette::Text, Qt::black);
    editor->setPalette(p);
    editor->viewport()->installEventFilter(this);

    linesLabel = label(this, "Label1", QStringLiteral("行"));
    bytesLabel = label(this, "Label2", QStringLiteral("バイト数"));
    fullWidthLabel = label(this, "Label3", QStringLiteral("全角文字相当"));
    titleLabel = label(this, "Label4", QStringLiteral("謎表示"));
    linesBox = countBox(this, "Edit2", 64);
    bytesBox = countBox(this, "Edit3", 80);
    fullWidthBox = countBox(this, "Edit4", 80);
    titleBox = countBox(this, "Edit5", 140);

    // Counts in two rows above the editor, which takes the rest of the window.
    auto* counts = new QGridLayout;
    counts->setContentsMargins(6, 4, 6, 2);
    counts->setHorizontalSpacing(6);
    counts->setVerticalSpacing(3);
    counts->addWidget(linesLabel, 0, 0, Qt::AlignRight);
    counts->addWidget(linesBox, 0, 1);
    counts->addWidget(bytesLabel, 0, 2, Qt::AlignRight);
    counts->addWidget(bytesBox, 0, 3);
    counts->addWidget(fullWidthLabel, 1, 0, Qt::AlignRight);
    counts->addWidget(fullWidthBox, 1, 1);
    counts->addWidget(titleLabel, 1, 2, Qt::AlignRight);
    counts->addWidget(titleBox, 1, 3);
    counts->setColumnStretch(4, 1);

    progressRow = new QWidget(this);
    progressRow->setObjectName(QStringLiteral("progressRow"));
    progressLabel = new QLabel(progressRow);
    progressLabel->setObjectName(QStringLiteral("progressLabel"));
    progressBar = new QProgressBar(progressRow);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 1000);
    progressBar->setTextVisible(false);
    cancelButton = new QPushButton(QStringLiteral("中止"), progressRow);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    auto* progress = new QHBoxLayout(progressRow);
    progress->setContentsMargins(6, 0, 6, 4);
    progress->addWidget(progressLabel);
    progress->addWidget(progressBar, 1);
    progress->addWidget(cancelButton);
    progressRow->hide();
    progressDelay_ = new QTimer(this);
    progressDelay_->setSingleShot(true);
    progressDelay_->setInterval(kProgressDelayMs);
    connect(progressDelay_, &QTimer::timeout, this, &SplitPostWindow::showProgress);
    connect(cancelButton, &QPushButton::clicked, this, &SplitPostWindow::cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(counts);
    parts = new PartsBar(editor, this);
    layout->addWidget(parts);
    layout->addWidget(editor, 1);
    layout->addWidget(progressRow);
}

void SplitPostWindow::buildMenus() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menuBar);

    fileMenu = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("F1"));
    save = item(fileMenu, "Save1", QStringLiteral("上書き保存(&S)"));
    saveAs = item(fileMenu, "SaveAs1", QStringLiteral("名前をつけて保存(&A)"));

    // The edit commands of the main window. They act on the editor only: the
    // count boxes are read-only by every path, also when one of them has the
    // focus as the window-wide shortcut Ctrl+V or Ctrl+X is pressed.
    editMenu = menuBar->addMenu(QStringLiteral("編集(&E)"));
    editMenu->setObjectName(QStringLiteral("E1"));
    const EditItems edit = addEditItems(editMenu, [this] { return editor; });
    undo = edit.undo;
    cut = edit.cut;
    copy = edit.copy;
    paste = edit.paste;
    selectAll = edit.selectAll;
    // In a menu bar the shortcuts work for the whole window.
    for (QAction* a : editMenu->actions()) a->setShortcutContext(Qt::WindowShortcut);

    transfer = menuBar->addAction(QStringLiteral("クリップボードに転送(&C)"));
    transfer->setObjectName(QStringLiteral("C1"));
    exit = menuBar->addAction(QStringLiteral("終了(&X)"));
    exit->setObjectName(QStringLiteral("Exit1"));

    splitMenu = new QMenu(QStringLiteral("分割(&D)"), menuBar);
    splitMenu->setObjectName(QStringLiteral("SplitMenu"));
    menuBar->insertMenu(transfer, splitMenu);
    splitToBoard = item(splitMenu, "SplitToBoard", QStringLiteral("掲示板の制限で分割(&B)"));
    partNumbers = item(splitMenu, "PartNumbers", QStringLiteral("部分の番号 (1/3) をつける(&N)"));
    partNumbers->setCheckable(true);
    partNumbers->setChecked(
        Profile(app().iniPath()).readBool(keys::kSplitPost, keys::kPartNumbers, false));
    connect(splitToBoard, &QAction::triggered, this, [this] { splitForBoard(); });
    connect(partNumbers, &QAction::toggled, this, [](bool on) {
        try {
            Profile(app().iniPath()).writeBool(keys::kSplitPost, keys::kPartNumbers, on);
        } catch (const Failure& failure) {
            showError(failure.message());
        }
    });

    connect(save, &QAction::triggered, this, &SplitPostWindow::saveText);
    connect(saveAs, &QAction::triggered, this, &SplitPostWindow::saveTextAs);
    connect(transfer, &QAction::triggered, this, &SplitPostWindow::transferToClipboard);
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void SplitPostWindow::count() {
    // Until the window shows, the editor has no width to wrap at: the first count
    // is made as it shows. A text going in by pieces is counted once it is in.
    if (!shown_ || inserting()) return;
    const qint64 bytes = bytes_->bytes();
    const std::optional<qint64> lines = lines_->lines();
    if (!lines) {
        // The lines and their rank follow when every block is laid out; the bytes
        // are right at once.
        bytesBox->setText(QString::number(bytes));
        fullWidthBox->setText(QString::number(splitpost::fullWidthOf(bytes)));
        wait(boxes_.shownRank() == 0 ? Wait::Opening : pasting_ ? Wait::Pasting : Wait::Counting);
        return;
    }
    const splitpost::CountBoxes::Texts t = boxes_.update(*lines, bytes);
    linesBox->setText(t.lines);
    bytesBox->setText(t.bytes);
    fullWidthBox->setText(t.fullWidth);
    if (t.title) titleBox->setText(*t.title);
    wait(Wait::Nothing);
}

void SplitPostWindow::wait(Wait what) {
    if (what == waiting_ || waiting_ == Wait::Opening) {
        if (what == Wait::Nothing)
            waiting_ = what;  // the opening is done
        else
            return;
    }
    const bool starting = waiting_ == Wait::Nothing;
    waiting_ = what;
    // An opening or a paste can be taken back only while nothing else is typed.
    editor->setReadOnly(what == Wait::Opening || what == Wait::Pasting);
    if (what == Wait::Nothing) {
        steppedInsert_ = false;
        progressDelay_->stop();
        progressRow->hide();
        return;
    }
    if (progressRow->isVisible())
        showProgress();
    else if (starting)
        progressDelay_->start();
}

void SplitPostWindow::showProgress() {
    if (waiting_ == Wait::Nothing) return;
    progressLabel->setText(waiting_ == Wait::Opening   ? QStringLiteral("開いています…")
                           : waiting_ == Wait::Pasting ? QStringLiteral("貼り付けています…")
                                                       : QStringLiteral("行数を数えています…"));
    cancelButton->setVisible(waiting_ == Wait::Opening ||
                             (waiting_ == Wait::Pasting && pasteUndoable_));
    progressBar->setValue(int(progress() * progressBar->maximum()));
    progressRow->show();
}

double SplitPostWindow::progress() const {
    // With a text going in by pieces, that is the first half of the way.
    if (inserting()) return 0.5 * double(insertedTo_) / double(inserting_.size());
    return steppedInsert_ ? 0.5 + 0.5 * lines_->progress() : lines_->progress();
}

bool SplitPostWindow::pasteInSteps(const QMimeData* source) {
    if (!source->hasText() || inserting()) return false;
    const QString text = source->text();
    if (text.size() <= kPieceChars) return false;
    pasteUndoable_ = true;  // the pieces make one undo step
    wait(Wait::Pasting);
    insertInSteps(text, editor->textCursor());
    return true;
}

void SplitPostWindow::insertInSteps(const QString& text, const QTextCursor& at) {
    inserting_ = text;
    insertedTo_ = 0;
    insertAt_ = at;
    joinPieces_ = false;
    steppedInsert_ = true;
    if (boxes_.shownRank() == 0) wait(Wait::Opening);
    insertPiece();
}

void SplitPostWindow::insertPiece() {
    if (!inserting()) return;
    const qsizetype end = pieceEnd(inserting_, insertedTo_, kPieceChars);
    // The first piece replaces the selection; the others join its undo step.
    if (joinPieces_)
        insertAt_.joinPreviousEditBlock();
    else
        insertAt_.beginEditBlock();
    insertAt_.insertText(inserting_.mid(insertedTo_, end - insertedTo_));
    insertAt_.endEditBlock();
    joinPieces_ = true;
    insertedTo_ = end;
    if (end < inserting_.size()) {
        progressBar->setValue(int(progress() * progressBar->maximum()));
        insertSteps_->start();
        return;
    }
    inserting_.clear();
    insertedTo_ = 0;
    QTextDocument* document = editor->document();
    if (!document->isUndoRedoEnabled()) {
        document->setUndoRedoEnabled(true);  // the opening's text is in
    } else {
        editor->setTextCursor(insertAt_);  // the caret after the pasted text
    }
    count();
}

void SplitPostWindow::pasting(bool starting) {
    QTextDocument* document = editor->document();
    if (starting) {
        undoStepsBeforePaste_ = document->availableUndoSteps();
        pasting_ = true;
        return;
    }
    pasting_ = false;
    // A paste is an undo step of its own (Qt never joins it to the typing
    // before it): one undo takes it back whole.
    pasteUndoable_ = document->availableUndoSteps() > undoStepsBeforePaste_;
    if (waiting_ == Wait::Pasting && progressRow->isVisible()) showProgress();
}

void SplitPostWindow::cancel() {
    if (waiting_ == Wait::Opening) {
        close();  // the main window's text is untouched: nothing to take back
        return;
    }
    if (waiting_ != Wait::Pasting || !pasteUndoable_) return;
    QTextDocument* document = editor->document();
    pasteUndoable_ = false;
    insertSteps_->stop();
    inserting_.clear();
    insertedTo_ = 0;
    wait(Wait::Counting);  // what the paste left unlaid-out is still counted
    document->undo();
    document->clearUndoRedoStacks(QTextDocument::RedoStack);  // no redo of half a paste
}

void SplitPostWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    count();
}

void SplitPostWindow::saveText() {
    if (fileName_.isEmpty())
        saveTextAs();
    else
        writeTo(fileName_);
}

void SplitPostWindow::saveTextAs() {
    const QString folder = fileName_.isEmpty() ? QString() : QFileInfo(fileName_).absolutePath();
    const QString name = Prompter::current().saveFileName(
        {QStringLiteral("名前を付けて保存"), folder, fileName_, kFilter});
    if (name.isEmpty()) return;
    fileName_ = name;
    writeTo(name);
}

void SplitPostWindow::writeTo(const QString& name) {
    try {
        writeTextFile(splitpost::withTextExtension(name), paneText(*editor->document()));
    } catch (const Failure& failure) {
        showError(failure.message());
    }
}

void SplitPostWindow::transferToClipboard() {
    const QString text = paneText(*editor->document());
    if (text.isEmpty()) {
        showMessage(QStringLiteral(
                        "クリップボードに転送するものがありませんでした。\r\n処理を中止します。"),
                    Icon::Information);
        return;
    }
    // What a Shift-JIS board receives, as the main window's transfer does.
    host_.clipboard().setText(sjis::toBoardText(text));
    showPlain(QStringLiteral("編集欄の内容をクリップボードに転送しました。"));
}

bool SplitPostWindow::splitForBoard() {
    return parts->split(currentBoardLimits());
}

bool SplitPostWindow::splitForBoard(const QString& text) {
    return parts->split(text, currentBoardLimits());
}

bool SplitPostWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor->viewport() && event->type() == QEvent::Wheel) {
        wheel(static_cast<QWheelEvent*>(event));
        return false;  // the editor scrolls as usual too
    }
    return QWidget::eventFilter(watched, event);
}

void SplitPostWindow::wheelEvent(QWheelEvent* event) {
    wheel(event);
    QWidget::wheelEvent(event);
}

void SplitPostWindow::wheel(const QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    editor->setFocus(Qt::MouseFocusReason);
    QScrollBar* bar = editor->verticalScrollBar();
    bar->setValue(bar->value() + (delta < 0 ? 1 : -1));
}

}  // namespace kirel
