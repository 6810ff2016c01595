#include "preview/previewtabs.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/appstate.h"
#include "app/capture.h"
#include "app/unit1.h"
#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/shell.h"
#include "preview/about.h"
#include "preview/addresslist.h"
#include "preview/boardselection.h"
#include "preview/browserview.h"
#include "preview/previewpage.h"

namespace kirel {
namespace {

constexpr int kPreviewPage = 1;
constexpr int kBrowserPage = 2;

const QString kNoPageBack = QStringLiteral("戻るページはありません。");
const QString kNoPageForward = QStringLiteral("進むページはありません。");
const QString kErrorCaption = QStringLiteral("エラー");

bool within(const QWidget* page, const QWidget* w) {
    return w && (w == page || page->isAncestorOf(w));
}

// The main window as the board selection sees it.
class FormBoardHost final : public preview::BoardHost {
  public:
    FormBoardHost(TForm1* form, PreviewTabs* tabs) : form_(form), tabs_(tabs) {}
    int editPaneWidth() const override { return form_->editPaneWidth(); }
    void setEditPaneWidth(int width) override { form_->setEditPaneWidth(width); }
    void checkBoard(int board) override {
        QAction* items[] = {form_->N110, form_->N24, form_->N25};
        for (int i = 0; i < 3; ++i) items[i]->setChecked(i + 1 == board);
    }
    bool previewShowing() const override { return tabs_->previewShowing(); }
    void showPreview(const QString& path) override { tabs_->WebBrowser1->navigate(path); }
    void setCharLimit(int limit) override {
        app().CharLimit = limit;
        form_->counterReset();
        if (limit != 0) form_->RichEdit1Change();
    }

  private:
    TForm1* form_;
    PreviewTabs* tabs_;
};

void openWithShell(const QString& target) {
    if (!shellOpen(target)) showPlain(QStringLiteral("%1 を開けません。").arg(target));
}

}  // namespace

PreviewTabs::PreviewTabs(TForm1* form) : QObject(form), form_(form) {
    buildPreviewTab();
    buildBrowserTab();
    connectMenus();
    connect(form_->PageControl1, &QTabWidget::currentChanged, this, &PreviewTabs::pageChanged);
    connect(qApp, &QApplication::focusChanged, this, &PreviewTabs::focusChanged);
}

void PreviewTabs::buildPreviewTab() {
    auto* layout = new QVBoxLayout(form_->TabSheet2);
    layout->setContentsMargins(0, 0, 0, 0);
    BrowserOptions options;
    options.javaScript = false;
    WebBrowser1 = new BrowserView(options, form_->TabSheet2);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(WebBrowser1);
}

void PreviewTabs::buildBrowserTab() {
    QWidget* sheet = form_->TabSheet3;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);

    auto* bar = new QHBoxLayout;
    Label4 = new QLabel(QStringLiteral("アドレス選択"), sheet);
    Label4->setObjectName(QStringLiteral("Label4"));
    ComboBoxEx1 = new QComboBox(sheet);
    ComboBoxEx1->setObjectName(QStringLiteral("ComboBoxEx1"));
    ComboBoxEx1->setEditable(true);
    ComboBoxEx1->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxEx1->setDuplicatesEnabled(true);
    ComboBoxEx1->setToolTip(QStringLiteral("ブラウザに表示するアドレスを選択します"));
    ComboBoxEx1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Typed addresses must not be completed into other items of the list.
    ComboBoxEx1->setCompleter(nullptr);
    Label4->setBuddy(ComboBoxEx1);

    auto button = [sheet](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, sheet);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setFixedWidth(32);
        return b;
    };
    Button1 = button("Button1", QStringLiteral("←"), QStringLiteral("1ページ戻ります"));
    Button2 = button("Button2", QStringLiteral("→"), QStringLiteral("1ページ進みます"));
    Button3 = button("Button3", QStringLiteral("R"), QStringLiteral("ページを再読込します"));
    bar->addWidget(Label4);
    bar->addWidget(ComboBoxEx1, 1);
    bar->addWidget(Button1);
    bar->addWidget(Button2);
    bar->addWidget(Button3);
    layout->addLayout(bar);

    WebBrowser2 = new BrowserView(BrowserOptions{}, sheet);
    WebBrowser2->setObjectName(QStringLiteral("WebBrowser2"));
    layout->addWidget(WebBrowser2, 1);

    connect(ComboBoxEx1, &QComboBox::activated, this, [this] { navigateToBox(); });
    ComboBoxEx1->installEventFilter(this);
    // The box's line edit has no menu of its own: a right click reaches the box.
    ComboBoxEx1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ComboBoxEx1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { form_->PopupMenu9->exec(ComboBoxEx1->mapToGlobal(pos)); });
    connect(Button1, &QPushButton::clicked, this, &PreviewTabs::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &PreviewTabs::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &PreviewTabs::Button3Click);
    connect(WebBrowser2, &BrowserView::navigateComplete, this,
            [this](const QString& address) { ComboBoxEx1->setEditText(address); });
}

void PreviewTabs::connectMenus() {
    QAction* boards[] = {form_->N110, form_->N24, form_->N25};
    checkedBefore_ = form_->checkedBoard() + 1;
    for (int i = 0; i < 3; ++i) {
        connect(boards[i], &QAction::triggered, this, [this, i] { boardClick(i + 1); });
        // Qt checks the clicked item before it reports the click, so the item
        // checked before a click is kept here. The update is queued: it runs after
        // the click's handler, and checks made by other code (at start-up) arrive
        // before the next click.
        connect(
            boards[i], &QAction::toggled, this,
            [this] { checkedBefore_ = form_->checkedBoard() + 1; }, Qt::QueuedConnection);
    }
    connect(form_->N29, &QAction::triggered, this, &PreviewTabs::N29Click);
    connect(form_->N26, &QAction::triggered, this, &PreviewTabs::N26Click);
    connect(form_->N27, &QAction::triggered, this, &PreviewTabs::N27Click);
    connect(form_->N28, &QAction::triggered, this, &PreviewTabs::N28Click);
    connect(form_->P1, &QAction::triggered, this, &PreviewTabs::P1Click);
    connect(form_->N30, &QAction::triggered, this, &PreviewTabs::N30Click);
    connect(form_->N33, &QAction::triggered, this, &PreviewTabs::N33Click);
    connect(form_->PopupMenu9, &QMenu::aboutToShow, this, &PreviewTabs::PopupMenu9Popup);
}

bool PreviewTabs::previewShowing() const {
    return form_->PageControl1->currentIndex() == kPreviewPage;
}

// --- board selection ---------------------------------------------------------------

void PreviewTabs::boardClick(int board) {
    QAction* boards[] = {form_->N110, form_->N24, form_->N25};
    int before = checkedBefore_;
    // A group that lets the checked item be unchecked has just done so: it was
    // checked before the click.
    if (!boards[board - 1]->isChecked()) before = board;
    FormBoardHost host(form_, this);
    try {
        // The item checked before stays checked until the selection gets that far.
        if (before != board) {
            for (int i = 0; i < 3; ++i) boards[i]->setChecked(i + 1 == before);
        } else {
            boards[board - 1]->setChecked(true);
        }
        preview::selectBoard(board, before, {app().AppDir, app().PreviewBody}, host);
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    checkedBefore_ = form_->checkedBoard() + 1;
}

// --- preview tab ---------------------------------------------------------------------

QString PreviewTabs::generatePreview() {
    app().PreviewBody = preview::previewBodyFrom(form_->RichEdit1->toPlainText());
    return preview::generatePreview(app().AppDir, app().PreviewBody);
}

void PreviewTabs::TabSheet2Show() {
    app().ClipCaptureOn = 0;
    WebBrowser1->navigate(generatePreview());
}

void PreviewTabs::N29Click() {
    const QString path = generatePreview();
    openWithShell(path);
}

// --- tab changes and focus -----------------------------------------------------------

void PreviewTabs::pageChanged(int index) {
    leavePage();
    if (index == kPreviewPage) {
        shownPage_ = kPreviewPage;
        TabSheet2Show();
    } else if (index == kBrowserPage) {
        shownPage_ = kBrowserPage;
        TabSheet3Show();
    }
}

void PreviewTabs::focusChanged(QWidget* old, QWidget* now) {
    if (shownPage_ == 0 || !now || !old || now->window() != old->window()) return;
    const QWidget* page = shownPage_ == kPreviewPage ? form_->TabSheet2 : form_->TabSheet3;
    if (within(page, old) && !within(page, now)) leavePage();
}

void PreviewTabs::leavePage() {
    const int left = shownPage_;
    shownPage_ = 0;
    if (left == 0) return;
    app().ClipCaptureOn = 1;
    // What was copied in the browser is caught as on coming back from another program.
    if (left == kBrowserPage) form_->runCapture();
}

// --- browser tab ---------------------------------------------------------------------

QString PreviewTabs::addressListPath() const {
    return app().AppDir + preview::kAddressListFile;
}

QStringList PreviewTabs::addressItems() const {
    QStringList items;
    for (int i = 0; i < ComboBoxEx1->count(); ++i) items << ComboBoxEx1->itemText(i);
    return items;
}

void PreviewTabs::TabSheet3Show() {
    app().ClipCaptureOn = 0;
    const preview::LoadResult list = preview::loadAddressList(addressListPath());
    if (list.outcome == preview::LoadResult::Abandon) return;
    if (list.outcome == preview::LoadResult::Loaded) {
        // The box keeps showing the address of the page on view.
        const QString text = ComboBoxEx1->currentText();
        ComboBoxEx1->clear();
        ComboBoxEx1->addItems(list.items);
        ComboBoxEx1->setCurrentIndex(-1);
        ComboBoxEx1->setEditText(text);
    }
    form_->takeSnapshot();
}

void PreviewTabs::navigateToBox() {
    const QString address = ComboBoxEx1->currentText();
    if (!address.isEmpty()) WebBrowser2->navigate(address);
}

bool PreviewTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ComboBoxEx1) return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // The user entering the box (click, Tab, shortcut) loads its address. The
        // focus that comes back after a menu, a message box or another program,
        // or that the tab itself moves into the box when it is shown, does not:
        // showing the tab again keeps the page on view.
        switch (static_cast<QFocusEvent*>(event)->reason()) {
            case Qt::MouseFocusReason:
            case Qt::TabFocusReason:
            case Qt::BacktabFocusReason:
            case Qt::ShortcutFocusReason:
                navigateToBox();
                break;
            default:
                break;
        }
    } else if (event->type() == QEvent::KeyPress) {
        // Enter loads the address typed into the box.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            navigateToBox();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PreviewTabs::PopupMenu9Popup() {
    const Clipboard& clipboard = form_->clipboard();
    form_->P1->setEnabled(clipboard.hasText() && capture::isAddress(clipboard.text()));
    const bool hasText = !ComboBoxEx1->currentText().isEmpty();
    form_->N30->setEnabled(hasText);
    form_->N33->setEnabled(hasText);
}

void PreviewTabs::P1Click() {
    ComboBoxEx1->setEditText(preview::firstLine(form_->clipboard().text()));
}

void PreviewTabs::N30Click() {
    QStringList items = addressItems();
    const QString text = ComboBoxEx1->currentText();
    if (preview::addAddress(items, text, addressListPath())) {
        ComboBoxEx1->addItem(text);
        ComboBoxEx1->setEditText(text);
    }
}

void PreviewTabs::N33Click() {
    QStringList items = addressItems();
    const QString text = ComboBoxEx1->currentText();
    const int removed =
        preview::deleteAddress(items, ComboBoxEx1->currentIndex(), text, addressListPath());
    if (removed < 0) return;
    ComboBoxEx1->removeItem(removed);
    ComboBoxEx1->setCurrentIndex(-1);
    ComboBoxEx1->setEditText(text);
}

void PreviewTabs::Button1Click() {
    if (!WebBrowser2->goBack())
        Prompter::current().message(kNoPageBack, Icon::Error, kErrorCaption);
}

void PreviewTabs::Button2Click() {
    if (!WebBrowser2->goForward()) {
        Prompter::current().message(kNoPageForward, Icon::Error, kErrorCaption);
    }
}

void PreviewTabs::Button3Click() {
    WebBrowser2->refresh();
}

// --- about ---------------------------------------------------------------------------

void PreviewTabs::N26Click() {
    const QString path = app().AppDir + preview::kHelpFileName;
    openWithShell(path);
}

void PreviewTabs::N27Click() {
    showPlain(preview::kVersionMessage);
}

void PreviewTabs::N28Click() {
    openWithShell(preview::kHomepageAddress);
}

}  // namespace kirel
