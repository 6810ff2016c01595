#include "app/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/about.h"
#include "app/boardmenu.h"
#include "app/boardsplit.h"
#include "app/clipcapture.h"
#include "app/counter.h"
#include "app/counterdisplay.h"
#include "app/editcommands.h"
#include "app/editpane.h"
#include "app/quoting.h"
#include "app/startup.h"
#include "app/toolbarpictures.h"
#include "controls/dotwidthgutter.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/capturetargets.h"
#include "decoration/linkdialog.h"
#include "drafts/drafts.h"
#include "drafts/tooldialog.h"
#include "phrases/emoticonwindow.h"
#include "phrases/phrasewindow.h"
#include "phrases/quotemarkdialog.h"
#include "platform/failure.h"
#include "platform/imecolors.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/qtclipboard.h"
#include "platform/qttextpane.h"
#include "platform/readonlyinput.h"
#include "platform/startuptrace.h"
#include "platform/toplevelwindows.h"
#include "preview/previewtabs.h"

using namespace kirel;

namespace {

const QString kPaneFont = QStringLiteral("ＭＳ Ｐゴシック");

template <typename Pane = QPlainTextEdit>
Pane* makePane(QWidget* parent, const char* name, const QColor& color) {
    auto* pane = new Pane(parent);
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

// Tabs 22 pixels high. A style, not a style sheet: a sheet on the tabs would
// style every widget on every page through Qt's sheet engine, which costs the
// start several milliseconds of polishing and sizing.
class TabHeightStyle : public QProxyStyle {
  public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_TabBarTab) result.setHeight(22);
        return result;
    }
};

// The quote pane's splitter, its handle filled with the design's pale blue.
class TintedSplitter : public QSplitter {
  public:
    using QSplitter::QSplitter;

  protected:
    QSplitterHandle* createHandle() override {
        class Handle : public QSplitterHandle {
          public:
            using QSplitterHandle::QSplitterHandle;

          protected:
            void paintEvent(QPaintEvent*) override {
                QPainter(this).fillRect(rect(), QColor(0xD7, 0xED, 0xFF));
            }
        };
        return new Handle(orientation(), this);
    }
};

PictureButton* makeButton(QWidget* parent, const char* name, int n) {
    auto* b = new PictureButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(47, 30);
    b->setPicture(toolbarPicture(n));
    // A toolbar button is clicked, not worked from the keyboard: no focus rectangle.
    b->setFocusStyle(PictureButton::bfsNone);
    return b;
}

}  // namespace

MainWindow::MainWindow(const QStringList& arguments, Clipboard* clipboard, QWidget* parent)
    : QWidget(parent) {
    if (!clipboard) {
        ownClipboard_ = std::make_unique<QtClipboard>();
        clipboard = ownClipboard_.get();
    }
    clipboard_ = clipboard;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kAppTitle);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMainWindow(this);
    buildWidgets();
    startupMark("main window: widgets and toolbar pictures");
    buildMenus();
    startupMark("main window: menus");
    connectHandlers();
    editText_ = std::make_unique<QtTextPane>(editPane);
    quoteText_ = std::make_unique<QtTextPane>(quotePane);
    drafts_ = std::make_unique<DraftStore>(*editText_, *quoteText_);
    connectDrafts();
    counter_ = new CounterDisplay(this);
    new EditCommands(this);
    new BoardSplit(this, counter_);
    previewTabs_ = new PreviewTabs(tabs, *this);
    new BoardMenu(this, previewTabs_);
    connect(openInBrowser, &QAction::triggered, previewTabs_, &PreviewTabs::openInBrowser);
    connect(help, &QAction::triggered, this, &about::openHelp);
    connect(versionInfo, &QAction::triggered, this, &about::showVersion);
    connect(homepage, &QAction::triggered, this, &about::openHomepage);
    connect(runTool, &QAction::triggered, this, [this] { launchExternalTool(this); });
    connect(toolSettings, &QAction::triggered, this, [this] { openToolDialog(this); });
    startupMark("main window: drafts, counter, preview and browser tabs");
    applyStartupSettings(arguments);
    startupMark("main window: settings read and applied");
    connect(insertLink, &QAction::triggered, this, [this] { openLinkDialog(); });
    captureTargets().openLinkDialog = [this](const QString& address) {
        // Not while the decoration window works on the selection: the post is not
        // changed from elsewhere then, and the address stays on the clipboard.
        if (!editPaneEnabled()) return;
        // Opened from the event loop, not inside the activation or focus change
        // that ran the capture.
        QMetaObject::invokeMethod(
            this, [this, address] { openLinkDialog(address); }, Qt::QueuedConnection);
    };
}

MainWindow::~MainWindow() {
    captureTargets().openLinkDialog = nullptr;
}

void MainWindow::connectDrafts() {
    DraftStore* d = drafts_.get();
    const auto on = [this](QAction* item, auto command) {
        connect(item, &QAction::triggered, this, command);
    };
    connect(saveButton, &PictureButton::clicked, this, [d] { d->quickSave0(); });
    connect(loadButton, &PictureButton::clicked, this, [d] { d->quickLoad0(); });
    on(menuQuickSave0, [d] { d->quickSave0(); });
    on(menuQuickLoad0, [d] { d->quickLoad0(); });
    for (QAction* item : {quickSave1, menuQuickSave1}) on(item, [d] { d->quickSave(1); });
    for (QAction* item : {quickSave2, menuQuickSave2}) on(item, [d] { d->quickSave(2); });
    for (QAction* item : {quickSave3, menuQuickSave3}) on(item, [d] { d->quickSave(3); });
    for (QAction* item : {quickLoad1, menuQuickLoad1}) on(item, [d] { d->quickLoad(1); });
    for (QAction* item : {quickLoad2, menuQuickLoad2}) on(item, [d] { d->quickLoad(2); });
    for (QAction* item : {quickLoad3, menuQuickLoad3}) on(item, [d] { d->quickLoad(3); });
    for (QAction* item : {openFile, menuOpenFile}) on(item, [d] { d->open(); });
    for (QAction* item : {saveAs, menuSaveAs}) on(item, [d] { d->saveAs(); });
    for (QAction* item : {overwriteSave, menuOverwriteSave}) on(item, [d] { d->overwriteSave(); });
    // Inserting changes the post: not while the edit pane is disabled. Loading a
    // draft replaces the post whole and stays allowed; the decoration window
    // then leaves the replaced post alone.
    on(insertTextFile, [this, d] {
        if (editPaneEnabled()) d->insertFile();
    });
}

void MainWindow::buildWidgets() {
    setMinimumSize(400, 402);
    setAutoFillBackground(true);
    QFont font(kPaneFont);
    setFont(font);

    mascot = new QLabel(this);
    mascot->setObjectName(QStringLiteral("Image1"));
    mascot->setFixedSize(48, 60);
    mascot->setAlignment(Qt::AlignCenter);
    // Its picture comes with the settings: the built-in one only when no picture
    // file is set (applyStartupSettings).

    counterCaption = new QLabel(QStringLiteral("残り文字数"), this);
    counterCaption->setObjectName(QStringLiteral("Label3"));
    counterLabel = new QLabel(QStringLiteral("0"), this);
    counterLabel->setObjectName(QStringLiteral("Label1"));
    counterBar = new QProgressBar(this);
    counterBar->setObjectName(QStringLiteral("ProgressBar1"));
    counterBar->setFixedSize(150, 17);
    counterBar->setTextVisible(false);
    counterBar->setRange(0, 100);
    counterBar->setToolTip(counter::kDesignHint);
    limitLabel = new QLabel(this);
    limitLabel->setObjectName(QStringLiteral("Label2"));

    transferButton = makeButton(this, "PictureButton1", 1);
    decorationButton = makeButton(this, "PictureButton2", 2);
    emoticonButton = makeButton(this, "PictureButton3", 3);
    phraseButton = makeButton(this, "PictureButton4", 4);
    settingsButton = makeButton(this, "PictureButton6", 6);
    saveButton = makeButton(this, "PictureButton7", 7);
    loadButton = makeButton(this, "PictureButton8", 8);
    settingsButton->setHint(QStringLiteral("各種設定を行います"));
    loadButton->setHint(QStringLiteral("最後に保存した内容を読み込んで表示します"));

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("PageControl1"));
    auto* tabStyle = new TabHeightStyle;
    tabStyle->setParent(tabs->tabBar());
    tabs->tabBar()->setStyle(tabStyle);
    editTab = new QWidget;
    editTab->setObjectName(QStringLiteral("TabSheet1"));
    previewTab = new QWidget;
    previewTab->setObjectName(QStringLiteral("TabSheet2"));
    browserTab = new QWidget;
    browserTab->setObjectName(QStringLiteral("TabSheet3"));
    tabs->addTab(editTab, QStringLiteral("　編集　"));
    tabs->addTab(previewTab, QStringLiteral("　確認　"));
    tabs->addTab(browserTab, QStringLiteral("　ブラウザ　"));

    quoteSplitter = new TintedSplitter(Qt::Vertical, editTab);
    quoteSplitter->setObjectName(QStringLiteral("Splitter1"));
    quoteSplitter->setHandleWidth(3);
    quoteSplitter->setChildrenCollapsible(false);
    quotePane = makePane(quoteSplitter, "RichEdit3", QColor(0xF3, 0xF4, 0xEC));
    quotePane->setReadOnly(true);
    quotePane->setAttribute(Qt::WA_InputMethodEnabled, false);
    refuseInputMethodWhileReadOnly(quotePane);
    quotePane->setContextMenuPolicy(Qt::CustomContextMenu);
    editSplitter = new QSplitter(Qt::Horizontal, quoteSplitter);
    editSplitter->setObjectName(QStringLiteral("Splitter2"));
    editSplitter->setChildrenCollapsible(false);
    editPane = makePane<EditPane>(editSplitter, "RichEdit1", Qt::white);
    editPane->setMinimumWidth(100);
    editPane->setContextMenuPolicy(Qt::CustomContextMenu);
    sidePanel = new QFrame(editSplitter);
    sidePanel->setObjectName(QStringLiteral("Panel2"));
    sidePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sidePanel->setMinimumWidth(1);
    sidePanel->setAutoFillBackground(true);
    QPalette pp = sidePanel->palette();
    pp.setColor(QPalette::Window, QColor(0x2F, 0x53, 0x77));
    sidePanel->setPalette(pp);
    editSplitter->setStretchFactor(0, 0);
    editSplitter->setStretchFactor(1, 1);
    quoteSplitter->setStretchFactor(0, 0);
    quoteSplitter->setStretchFactor(1, 1);
    auto* tabLayout = new QVBoxLayout(editTab);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->addWidget(quoteSplitter);

    // Layout: mascot and toolbar down the left edge, counter along the top,
    // the tabs filling the rest.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setSpacing(3);
    auto* toolbar = new QVBoxLayout;
    toolbar->setSpacing(2);
    toolbar->addWidget(mascot, 0, Qt::AlignHCenter);
    toolbar->addSpacing(4);
    for (PictureButton* b : {transferButton, decorationButton, emoticonButton, phraseButton,
                             settingsButton, saveButton, loadButton})
        toolbar->addWidget(b, 0, Qt::AlignHCenter);
    toolbar->addStretch(1);
    auto* counterRow = new QHBoxLayout;
    counterRow->setSpacing(6);
    counterRow->addWidget(counterCaption);
    counterRow->addSpacing(8);
    counterRow->addWidget(counterLabel);
    counterRow->addWidget(counterBar);
    counterRow->addWidget(limitLabel);
    counterRow->addStretch(1);
    grid->addLayout(toolbar, 0, 0, 2, 1);
    grid->addLayout(counterRow, 0, 1);
    grid->addWidget(tabs, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    new ImeColors(editPane);
    editPane->installEventFilter(this);
    editPane->viewport()->installEventFilter(this);
    quotePane->installEventFilter(this);
    quotePane->viewport()->installEventFilter(this);
}

void MainWindow::connectHandlers() {
    connect(transferButton, &PictureButton::clicked, this, &MainWindow::transfer);
    connect(transferShortcut, &QAction::triggered, this, &MainWindow::transfer);
    connect(decorationButton, &PictureButton::clicked, this, &MainWindow::toggleDecorationWindow);
    connect(insertRule, &QAction::triggered, this, &MainWindow::openRuleDialog);
    connect(showArtWidths, &QAction::toggled, this, &MainWindow::setArtWidthsShown);
    // The emoticon and phrase buttons close their window when it is open and
    // open a new one otherwise. A new one takes the keyboard: the window
    // manager leaves it with the main window otherwise, and the keys meant for
    // the new window would go into the post.
    connect(emoticonButton, &PictureButton::clicked, this, [this] {
        if (QWidget* w = findWindow(EmoticonWindow::kCaption))
            w->close();
        else
            bringToFront(new EmoticonWindow(this, *this));
    });
    connect(phraseButton, &PictureButton::clicked, this, [this] {
        if (QWidget* w = findWindow(PhraseWindow::kCaption))
            w->close();
        else
            bringToFront(new PhraseWindow(this, *this));
    });
    connect(chooseQuoteMark, &QAction::triggered, this, [this] { QuoteMarkDialog::choose(this); });
    connect(preferences, &QAction::triggered, this, [this] { openPreferences(); });
    connect(decorate, &QAction::triggered, decorationButton, &PictureButton::clicked);
    connect(decorationShortcut, &QAction::triggered, decorationButton, &PictureButton::clicked);
    connect(emoticonShortcut, &QAction::triggered, emoticonButton, &PictureButton::clicked);
    connect(phraseShortcut, &QAction::triggered, phraseButton, &PictureButton::clicked);
    connect(settingsButton, &PictureButton::mouseUp, this, &MainWindow::settingsButtonReleased);
    connect(saveButton, &PictureButton::mouseLeave, this, [this] { setToolHint(); });
    saveButton->setPopupMenu(saveMenu);
    loadButton->setPopupMenu(loadMenu);
    connect(alwaysOnTop, &QAction::triggered, this, &MainWindow::toggleAlwaysOnTop);
    connect(editPane, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { editMenu->popup(editPane->mapToGlobal(p)); });
    connect(quotePane, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { quoteMenu->popup(quotePane->mapToGlobal(p)); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &MainWindow::applicationStateChanged);
}

void MainWindow::applicationStateChanged(Qt::ApplicationState state) {
    const bool wasActive = lastState_ == Qt::ApplicationActive;
    lastState_ = state;
    if (state == Qt::ApplicationActive && !wasActive) {
        runCapture();
    } else if (state != Qt::ApplicationActive && wasActive) {
        deactivated(*this);
    }
}

void MainWindow::runCapture() {
    kirel::runCapture(*this);
}

void MainWindow::takeSnapshot() {
    kirel::takeSnapshot(*this);
}

void MainWindow::restartCounter() {
    counter_->reset(false);
    if (app().CharLimit != 0 || app().LineLimit != 0) counter_->update();
}

void MainWindow::resetCounter() {
    counter_->reset(false);
}

TextPane& MainWindow::editText() {
    return *editText_;
}

TextPane& MainWindow::quoteText() {
    return *quoteText_;
}

bool MainWindow::editPaneEnabled() const {
    return editPane->isEnabled();
}

void MainWindow::setEditPaneEnabled(bool enabled) {
    editPane->setEnabled(enabled);
}

EditorHost::Tab MainWindow::currentTab() const {
    return Tab(tabs->currentIndex());
}

void MainWindow::showTab(Tab tab) {
    // The preview is built whenever its tab is shown; asked for again while it
    // is the current tab, it is built again.
    if (tab == Tab::Preview && tabs->currentIndex() == int(tab))
        previewTabs_->showPreviewPage();
    else
        tabs->setCurrentIndex(int(tab));
}

void MainWindow::setWindowHint(const QString& hint) {
    windowHint_ = hint;
    if (!toolTip().isEmpty()) setToolTip(hint);
}

void MainWindow::showWindowHint(bool on) {
    setToolTip(on ? windowHint_ : QString());
    // The hint speaks to a user pointing at this window while another one of
    // the program (the decoration window) is the active one.
    setAttribute(Qt::WA_AlwaysShowToolTips, on);
}

qint64 MainWindow::editByteLength() const {
    return counter_->bytes();
}

void MainWindow::setArtWidthsShown(bool shown) {
    if (showArtWidths->isChecked() != shown) showArtWidths->setChecked(shown);
    if (!editWidths && shown) {
        // First showing: the edit pane moves into a box it shares with the strip,
        // in the splitter's place of the pane, so the pane's width setting keeps
        // meaning the whole edit area.
        const bool focused = editPane->hasFocus();
        auto* area = new QWidget;
        area->setObjectName(QStringLiteral("EditArea"));
        editSplitter->replaceWidget(editSplitter->indexOf(editPane), area);
        auto* row = new QHBoxLayout(area);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(0);
        editWidths = new kirel::DotWidthGutter(editPane, area);
        row->addWidget(editWidths);
        row->addWidget(editPane, 1);
        editPane->show();
        if (focused) editPane->setFocus();
    }
    if (editWidths) editWidths->setVisible(shown);
}

int MainWindow::editPaneWidth() const {
    const QList<int> sizes = editSplitter->sizes();
    return sizes.isEmpty() || sizes[0] == 0 ? editPane->width() : sizes[0];
}

void MainWindow::setEditPaneWidth(int width) {
    width = std::max(width, editPane->minimumWidth());
    const int total = std::max(editSplitter->width(), width + 1);
    editSplitter->setSizes({width, std::max(total - width - editSplitter->handleWidth(), 1)});
}

int MainWindow::quotePaneHeight() const {
    const QList<int> sizes = quoteSplitter->sizes();
    return sizes.isEmpty() || sizes[0] == 0 ? quotePane->height() : sizes[0];
}

void MainWindow::setQuotePaneHeight(int height) {
    const int total = std::max(quoteSplitter->height(), height + 1);
    quoteSplitter->setSizes({height, std::max(total - height - quoteSplitter->handleWidth(), 1)});
}

int MainWindow::checkedBoard() const {
    if (board1->isChecked()) return 0;
    if (board2->isChecked()) return 1;
    if (board3->isChecked()) return 2;
    return -1;
}

bool MainWindow::editTabActive() const {
    return tabs->currentWidget() == editTab;
}

void MainWindow::transfer() {
    transferToClipboard(*this);
}

void MainWindow::toggleAlwaysOnTop() {
    // The menu has already inverted the check mark.
    QWidget* window = findWindow(kAppTitle);
    if (!window) return;
    setTopMost(window, alwaysOnTop->isChecked());
    showPlain(alwaysOnTop->isChecked() ? QStringLiteral("常に最前面とする設定しました。")
                                       : QStringLiteral("常に最前面とする設定を解除しました。"));
}

void MainWindow::settingsButtonReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                        QPoint pos) {
    if (!editPane->isEnabled()) {
        showMessage(QStringLiteral(
                        "「HTMLタグで文字を修飾」のウィンドウが開いているため、\r\n設定できません。"
                        "\r\n\r\n「HTMLタグで文字を修飾」のウィンドウを閉じてください。"),
                    Icon::Information);
        return;
    }
    if (button != Qt::LeftButton ||
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return;
    const QPoint at = settingsButton->mapToGlobal(pos);
    app().QuoteDlgLeft = at.x();
    app().QuoteDlgTop = at.y() - 30;
    settingsMenu->popup(at);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == decorationWindow_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        decorationKey_->setEnabled(event->type() == QEvent::Show);
        return false;
    }
    if (watched == editPane && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::ControlModifier) {
            // The hidden items of the edit pane's menu keep their shortcuts.
            for (QAction* a :
                 {transferShortcut, decorationShortcut, emoticonShortcut, phraseShortcut}) {
                if (a->shortcut() == QKeySequence(key->keyCombination())) {
                    a->trigger();
                    return true;
                }
            }
        }
        return quotingKeyDown(*this, key);
    }
    if (watched == editPane && event->type() == QEvent::InputMethod) {
        inputMethodTyping(*this, static_cast<QInputMethodEvent*>(event));
        return false;
    }
    // The form sees every key first: Esc moves a quote line also while the quote
    // pane has the focus (a click on the line to quote, then Esc).
    if (watched == quotePane && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        transferQuoteLine(*this);
        return true;
    }
    if (event->type() == QEvent::Wheel && editTabActive() &&
        (watched == editPane->viewport() || watched == quotePane->viewport())) {
        // The wheel scrolls the target pane, and only it: the pane under the
        // pointer does not scroll as well, nor does the event go on to the form.
        wheel(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::wheelEvent(QWheelEvent* event) {
    // Turned over the rest of the edit tab or the toolbar.
    if (!editTabActive()) {
        QWidget::wheelEvent(event);
        return;
    }
    wheel(event);
    event->accept();
}

void MainWindow::wheel(QWheelEvent* event) {
    QPlainTextEdit* target = editPane;
    if (event->modifiers() & Qt::ShiftModifier) {
        quotePane->setFocus();
        target = quotePane;
    } else if (quotePane->hasFocus()) {
        target = quotePane;
    }
    // One notch (120) is one line; the finer steps of a touchpad add up to it.
    const QPoint angle = event->angleDelta();
    wheelRest_ += angle.y() != 0 ? angle.y() : angle.x();
    const int lines = wheelRest_ / 120;
    wheelRest_ %= 120;
    if (lines == 0) return;
    QScrollBar* bar = target->verticalScrollBar();
    bar->setValue(bar->value() - lines);
}

void MainWindow::openLinkDialog(const QString& copiedAddress) {
    if (LinkTarget* open = captureTargets().link) {
        open->bringToTop();
        if (!copiedAddress.isEmpty()) open->takeAddress(copiedAddress);
        return;
    }
    if (!editPaneEnabled()) return;
    LinkDialog dialog(this, *this, copiedAddress);
    dialog.exec();
}
