#include "app/unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/appstate.h"
#include "app/clipcapture.h"
#include "app/counter.h"
#include "app/counterdisplay.h"
#include "app/editactions.h"
#include "app/imecolors.h"
#include "app/quoting.h"
#include "app/startup.h"
#include "controls/pictbtn.h"
#include "controls/toolbarpictures.h"
#include "drafts/draftcommands.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/qtclipboard.h"
#include "platform/windows.h"
#include "preview/previewtabs.h"

TForm1* Form1 = nullptr;

using namespace kirel;

namespace {

const QString kPaneFont = QStringLiteral("ＭＳ Ｐゴシック");

QPlainTextEdit* makePane(QWidget* parent, const char* name, const QColor& color) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(QLatin1String(name));
    QFont font(kPaneFont);
    font.setPixelSize(15);
    pane->setFont(font);
    pane->document()->setDefaultFont(font);
    pane->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = pane->palette();
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::Text, Qt::black);
    pane->setPalette(p);
    return pane;
}

TPictureButton* makeButton(QWidget* parent, const char* name, int n) {
    auto* b = new TPictureButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(47, 30);
    b->setPicture(toolbarPicture(n));
    return b;
}

}  // namespace

TForm1::TForm1(const QStringList& arguments, Clipboard* clipboard, QWidget* parent)
    : QWidget(parent) {
    Form1 = this;
    if (!clipboard) {
        ownClipboard_ = std::make_unique<QtClipboard>();
        clipboard = ownClipboard_.get();
    }
    clipboard_ = clipboard;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildWidgets();
    buildMenus();
    connectHandlers();
    counter_ = new CounterDisplay(this);
    new EditCommands(this);
    new DraftCommands(this);
    new PreviewTabs(this);
    FormCreate(arguments);
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::buildWidgets() {
    setMinimumSize(400, 402);
    setAutoFillBackground(true);
    QFont font(kPaneFont);
    setFont(font);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(48, 60);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(builtinMascot());

    Label3 = new QLabel(QStringLiteral("残り文字数"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1 = new QLabel(QStringLiteral("0"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setFixedSize(150, 17);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setToolTip(counter::kDesignHint);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));

    PictureButton1 = makeButton(this, "PictureButton1", 1);
    PictureButton2 = makeButton(this, "PictureButton2", 2);
    PictureButton3 = makeButton(this, "PictureButton3", 3);
    PictureButton4 = makeButton(this, "PictureButton4", 4);
    PictureButton6 = makeButton(this, "PictureButton6", 6);
    PictureButton7 = makeButton(this, "PictureButton7", 7);
    PictureButton8 = makeButton(this, "PictureButton8", 8);
    PictureButton6->setHint(QStringLiteral("各種設定を行います"));
    PictureButton8->setHint(QStringLiteral("最後に保存した内容を読み込んで表示します"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { height: 22px; }"));
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet1, QStringLiteral("　編集　"));
    PageControl1->addTab(TabSheet2, QStringLiteral("　確認　"));
    PageControl1->addTab(TabSheet3, QStringLiteral("　ブラウザ　"));

    Splitter1 = new QSplitter(Qt::Vertical, TabSheet1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle:vertical { background: #D7EDFF; }"));
    RichEdit3 = makePane(Splitter1, "RichEdit3", QColor(0xF3, 0xF4, 0xEC));
    RichEdit3->setReadOnly(true);
    RichEdit3->setAttribute(Qt::WA_InputMethodEnabled, false);
    RichEdit3->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter2 = new QSplitter(Qt::Horizontal, Splitter1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    RichEdit1 = makePane(Splitter2, "RichEdit1", Qt::white);
    RichEdit1->setMinimumWidth(100);
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    Panel2 = new QFrame(Splitter2);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setMinimumWidth(1);
    Panel2->setAutoFillBackground(true);
    QPalette pp = Panel2->palette();
    pp.setColor(QPalette::Window, QColor(0x2F, 0x53, 0x77));
    Panel2->setPalette(pp);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    auto* tabLayout = new QVBoxLayout(TabSheet1);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->addWidget(Splitter1);

    RichEdit2 = new QPlainTextEdit(this);
    RichEdit2->setObjectName(QStringLiteral("RichEdit2"));
    RichEdit2->setReadOnly(true);
    RichEdit2->hide();

    // Layout: mascot and toolbar down the left edge, counter along the top,
    // the tabs filling the rest.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    auto* toolbar = new QVBoxLayout;
    toolbar->setSpacing(2);
    toolbar->addWidget(Image1, 0, Qt::AlignHCenter);
    toolbar->addSpacing(4);
    for (TPictureButton* b : {PictureButton1, PictureButton2, PictureButton3, PictureButton4,
                              PictureButton6, PictureButton7, PictureButton8})
        toolbar->addWidget(b, 0, Qt::AlignHCenter);
    toolbar->addStretch(1);
    auto* counterRow = new QHBoxLayout;
    counterRow->setSpacing(6);
    counterRow->addWidget(Label3);
    counterRow->addSpacing(8);
    counterRow->addWidget(Label1);
    counterRow->addWidget(ProgressBar1);
    counterRow->addWidget(Label2);
    counterRow->addStretch(1);
    grid->addLayout(toolbar, 0, 0, 2, 1);
    grid->addLayout(counterRow, 0, 1);
    grid->addWidget(PageControl1, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    new ImeColors(RichEdit1);
    RichEdit1->installEventFilter(this);
    RichEdit1->viewport()->installEventFilter(this);
    RichEdit3->viewport()->installEventFilter(this);
}

void TForm1::connectHandlers() {
    connect(PictureButton1, &TPictureButton::clicked, this, &TForm1::PictureButton1Click);
    connect(N44, &QAction::triggered, this, &TForm1::PictureButton1Click);
    connect(PictureButton2, &TPictureButton::clicked, this,
            [this] { toggleToolWindow(QStringLiteral("HTMLタグで文字を修飾")); });
    connect(PictureButton3, &TPictureButton::clicked, this,
            [this] { toggleToolWindow(QStringLiteral("顔文字選択")); });
    connect(PictureButton4, &TPictureButton::clicked, this,
            [this] { toggleToolWindow(QStringLiteral("定型文選択")); });
    connect(N2, &QAction::triggered, PictureButton2, &TPictureButton::clicked);
    connect(N42, &QAction::triggered, PictureButton2, &TPictureButton::clicked);
    connect(N41, &QAction::triggered, PictureButton3, &TPictureButton::clicked);
    connect(N43, &QAction::triggered, PictureButton4, &TPictureButton::clicked);
    connect(PictureButton6, &TPictureButton::mouseUp, this, &TForm1::PictureButton6MouseUp);
    connect(PictureButton7, &TPictureButton::mouseLeave, this, [this] { setToolHint(); });
    PictureButton7->setPopupMenu(PopupMenu1);
    PictureButton8->setPopupMenu(PopupMenu2);
    connect(F1, &QAction::triggered, this, &TForm1::F1Click);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { PopupMenu4->popup(RichEdit1->mapToGlobal(p)); });
    connect(RichEdit3, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { PopupMenu8->popup(RichEdit3->mapToGlobal(p)); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &TForm1::applicationStateChanged);
}

void TForm1::applicationStateChanged(Qt::ApplicationState state) {
    const bool wasActive = lastState_ == Qt::ApplicationActive;
    lastState_ = state;
    if (state == Qt::ApplicationActive && !wasActive) {
        runCapture();
    } else if (state != Qt::ApplicationActive && wasActive) {
        deactivated(*this);
    }
}

void TForm1::runCapture() {
    kirel::runCapture(*this);
}

void TForm1::takeSnapshot() {
    kirel::takeSnapshot(*this);
}

void TForm1::counterReset() {
    counter_->reset(false);
}

void TForm1::RichEdit1Change() {
    counter_->update();
}

qint64 TForm1::editByteLength() const {
    return counter_->bytes();
}

int TForm1::editPaneWidth() const {
    const QList<int> sizes = Splitter2->sizes();
    return sizes.isEmpty() || sizes[0] == 0 ? RichEdit1->width() : sizes[0];
}

void TForm1::setEditPaneWidth(int width) {
    width = std::max(width, RichEdit1->minimumWidth());
    const int total = std::max(Splitter2->width(), width + 1);
    Splitter2->setSizes({width, std::max(total - width - Splitter2->handleWidth(), 1)});
}

int TForm1::quotePaneHeight() const {
    const QList<int> sizes = Splitter1->sizes();
    return sizes.isEmpty() || sizes[0] == 0 ? RichEdit3->height() : sizes[0];
}

void TForm1::setQuotePaneHeight(int height) {
    const int total = std::max(Splitter1->height(), height + 1);
    Splitter1->setSizes({height, std::max(total - height - Splitter1->handleWidth(), 1)});
}

int TForm1::checkedBoard() const {
    if (N110->isChecked()) return 0;
    if (N24->isChecked()) return 1;
    if (N25->isChecked()) return 2;
    return -1;
}

bool TForm1::editTabActive() const {
    return PageControl1->currentWidget() == TabSheet1;
}

void TForm1::PictureButton1Click() {
    transferToClipboard(*this);
}

void TForm1::F1Click() {
    // The menu has already inverted the check mark.
    QWidget* window = findWindow(kAppTitle);
    if (!window) return;
    setTopMost(window, F1->isChecked());
    showPlain(F1->isChecked() ? QStringLiteral("常に最前面とする設定しました。")
                              : QStringLiteral("常に最前面とする設定を解除しました。"));
}

void TForm1::PictureButton6MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                   QPoint pos) {
    if (!RichEdit1->isEnabled()) {
        showMessage(QStringLiteral(
                        "「HTMLタグで文字を修飾」のウィンドウが開いているため、\r\n設定できません。"
                        "\r\n\r\n「HTMLタグで文字を修飾」のウィンドウを閉じてください。"),
                    Icon::Information);
        return;
    }
    if (button != Qt::LeftButton ||
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return;
    const QPoint at = PictureButton6->mapToGlobal(pos);
    app().QuoteDlgLeft = at.x();
    app().QuoteDlgTop = at.y() - 30;
    PopupMenu5->popup(at);
}

void TForm1::toggleToolWindow(const QString& caption) {
    // A tool window that is open is closed; the windows themselves arrive with
    // their own features.
    if (QWidget* w = findWindow(caption)) w->close();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == RichEdit1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier) {
            // The hidden items of the edit pane's menu keep their shortcuts.
            for (QAction* a : {N44, N42, N41, N43}) {
                if (a->shortcut() == QKeySequence(key->keyCombination())) {
                    a->trigger();
                    return true;
                }
            }
        }
        return quotingKeyDown(*this, key);
    }
    if (event->type() == QEvent::Wheel &&
        (watched == RichEdit1->viewport() || watched == RichEdit3->viewport())) {
        wheel(static_cast<QWheelEvent*>(event));
        return false;  // the pane scrolls as usual too
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::wheelEvent(QWheelEvent* event) {
    wheel(event);
    QWidget::wheelEvent(event);
}

void TForm1::wheel(QWheelEvent* event) {
    if (!editTabActive()) return;
    QPlainTextEdit* target = RichEdit1;
    if (event->modifiers() & Qt::ShiftModifier) {
        RichEdit3->setFocus();
        target = RichEdit3;
    } else if (RichEdit3->hasFocus()) {
        target = RichEdit3;
    }
    const int delta = event->angleDelta().y();
    if (delta == 0) return;
    QScrollBar* bar = target->verticalScrollBar();
    bar->setValue(bar->value() + (delta < 0 ? 1 : -1));
}
