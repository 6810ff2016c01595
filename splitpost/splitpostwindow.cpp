#include "splitpost/splitpostwindow.h"

#include <QAction>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

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
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "platform/windowlook.h"
#include "splitpost/linetally.h"
#include "splitpost/partsbar.h"

namespace kirel {
namespace {

const QString kFilter = QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
constexpr int kEditorColor = 16707279;  // #CFEEFE

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
    bytes_ = new ByteTally(editor->document());
    lines_ = new LineTally(editor);
    connect(editor, &QPlainTextEdit::textChanged, this, &SplitPostWindow::count);
    editor->setPlainText(host.editText().selectedText());
    applyWindowLook(this);
    resize(520, 400);
}

SplitPostWindow::~SplitPostWindow() = default;

void SplitPostWindow::buildWidgets() {
    editor = new QPlainTextEdit(this);
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(counts);
    parts = new PartsBar(editor, this);
    layout->addWidget(parts);
    layout->addWidget(editor, 1);
}

void SplitPostWindow::buildMenus() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(menuBar);

    fileMenu = menuBar->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("F1"));
    save = item(fileMenu, "Save1", QStringLiteral("上書き保存(&S)"));
    saveAs = item(fileMenu, "SaveAs1", QStringLiteral("名前をつけて保存(&A)"));

    // The edit commands of the main window, acting on the focused control.
    editMenu = menuBar->addMenu(QStringLiteral("編集(&E)"));
    editMenu->setObjectName(QStringLiteral("E1"));
    const EditItems edit = addEditItems(editMenu, [this] { return focusWidget(); });
    undo = edit.undo;
    cut = edit.cut;
    copy = edit.copy;
    paste = edit.paste;
    selectAll = edit.selectAll;
    // In a menu bar the shortcuts work for the whole window (Alt+Backspace undoes
    // in either field).
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
    // is made as it shows.
    if (!shown_) return;
    const splitpost::CountBoxes::Texts t = boxes_.update(lines_->lines(), bytes_->bytes());
    linesBox->setText(t.lines);
    bytesBox->setText(t.bytes);
    fullWidthBox->setText(t.fullWidth);
    if (t.title) titleBox->setText(*t.title);
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
        writeTextFile(splitpost::withTextExtension(name), editor->toPlainText());
    } catch (const Failure& failure) {
        showError(failure.message());
    }
}

void SplitPostWindow::transferToClipboard() {
    const QString text = editor->toPlainText();
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
