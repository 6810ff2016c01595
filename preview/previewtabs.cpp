#include "preview/previewtabs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "core/address.h"
#include "core/appstate.h"
#include "core/editorhost.h"
#include "core/textpane.h"
#include "core/windowinfo.h"
#include "platform/browserview.h"
#include "platform/clipboard.h"
#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/rulefield.h"
#include "platform/shell.h"
#include "preview/addresslist.h"
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

}  // namespace

PreviewTabs::PreviewTabs(QTabWidget* tabs, EditorHost& host)
    : QObject(tabs),
      tabs_(tabs),
      previewPage_(tabs->widget(kPreviewPage)),
      browserPage_(tabs->widget(kBrowserPage)),
      host_(host) {
    buildPreviewTab();
    buildBrowserTab();
    buildAddressMenu();
    connect(tabs_, &QTabWidget::currentChanged, this, &PreviewTabs::pageChanged);
    connect(qApp, &QApplication::focusChanged, this, &PreviewTabs::focusChanged);
    registerService(windowinfo::kService, this);
}

PreviewTabs::~PreviewTabs() {
    unregisterService(windowinfo::kService, this);
}

void PreviewTabs::buildPreviewTab() {
    auto* layout = new QVBoxLayout(previewPage_);
    layout->setContentsMargins(0, 0, 0, 0);
    BrowserOptions options;
    options.javaScript = false;
    // Posts show pictures and styles from the web (an <IMG> of the link dialog).
    options.localPagesLoadRemote = true;
    previewView = new BrowserView(options, previewPage_);
    previewView->setObjectName(QStringLiteral("WebBrowser1"));
    layout->addWidget(previewView);
}

void PreviewTabs::buildBrowserTab() {
    QWidget* sheet = browserPage_;
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);

    auto* bar = new QHBoxLayout;
    addressLabel = new QLabel(QStringLiteral("アドレス選択"), sheet);
    addressLabel->setObjectName(QStringLiteral("Label4"));
    addressBox = new QComboBox(sheet);
    addressBox->setObjectName(QStringLiteral("ComboBoxEx1"));
    addressBox->setEditable(true);
    // An address of the list file is one line, however it comes into the box.
    holdRule(addressBox->lineEdit(), FieldRule::OneLine);
    addressBox->setInsertPolicy(QComboBox::NoInsert);
    addressBox->setDuplicatesEnabled(true);
    addressBox->setToolTip(QStringLiteral("ブラウザに表示するアドレスを選択します"));
    addressBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Typed addresses must not be completed into other items of the list.
    addressBox->setCompleter(nullptr);
    addressLabel->setBuddy(addressBox);

    auto button = [sheet](const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, sheet);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setFixedWidth(32);
        return b;
    };
    backButton = button("Button1", QStringLiteral("←"), QStringLiteral("1ページ戻ります"));
    forwardButton = button("Button2", QStringLiteral("→"), QStringLiteral("1ページ進みます"));
    reloadButton = button("Button3", QStringLiteral("R"), QStringLiteral("ページを再読込します"));
    bar->addWidget(addressLabel);
    bar->addWidget(addressBox, 1);
    bar->addWidget(backButton);
    bar->addWidget(forwardButton);
    bar->addWidget(reloadButton);
    layout->addLayout(bar);

    // The browser tab keeps cookies and logins between runs, in the program folder.
    BrowserOptions options;
    options.storageFolder = app().AppDir + QStringLiteral("user/browser");
    browserView = new BrowserView(options, sheet);
    browserView->setObjectName(QStringLiteral("WebBrowser2"));
    layout->addWidget(browserView, 1);

    connect(addressBox, &QComboBox::activated, this, [this] { navigateToBox(); });
    addressBox->installEventFilter(this);
    // The box's line edit has no menu of its own: a right click reaches the box.
    addressBox->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(addressBox, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { addressMenu->exec(addressBox->mapToGlobal(pos)); });
    connect(backButton, &QPushButton::clicked, this, &PreviewTabs::goBack);
    connect(forwardButton, &QPushButton::clicked, this, &PreviewTabs::goForward);
    connect(reloadButton, &QPushButton::clicked, this, &PreviewTabs::reload);
    connect(browserView, &BrowserView::navigateComplete, this,
            [this](const QString& address) { addressBox->setEditText(address); });
}

void PreviewTabs::buildAddressMenu() {
    addressMenu = new QMenu(addressBox);
    addressMenu->setObjectName(QStringLiteral("PopupMenu9"));
    auto item = [this](QAction*& slot, const char* name, const QString& caption) {
        slot = addressMenu->addAction(caption);
        slot->setObjectName(QLatin1String(name));
    };
    item(addressPaste, "P1", QStringLiteral("貼り付け(&P)"));
    addressSeparator = addressMenu->addSeparator();
    addressSeparator->setObjectName(QStringLiteral("N34"));
    item(addressAdd, "N30", QStringLiteral("アイテムリストに追加(&A)"));
    item(addressDelete, "N33", QStringLiteral("アイテムリストから削除(&D)"));
    connect(addressPaste, &QAction::triggered, this, &PreviewTabs::pasteAddress);
    connect(addressAdd, &QAction::triggered, this, &PreviewTabs::addAddress);
    connect(addressDelete, &QAction::triggered, this, &PreviewTabs::deleteAddress);
    connect(addressMenu, &QMenu::aboutToShow, this, &PreviewTabs::addressMenuShowing);
}

bool PreviewTabs::previewShowing() const {
    return tabs_->currentIndex() == kPreviewPage;
}

// --- preview tab ---------------------------------------------------------------------

void PreviewTabs::showPreviewPage() {
    app().ClipCaptureOn = 0;
    app().PreviewBody = preview::previewBodyFrom(host_.editText().text());
    QByteArray bytes;
    const QString path = preview::generatePreview(app().AppDir, app().PreviewBody, &bytes);
    // The view already shows this very page (the same file, loaded, with the same
    // bytes, drawing nothing from elsewhere): loading it again would only blank
    // the view and make the user wait, seconds for a long post, for the same page.
    if (!bytes.isEmpty() && bytes == previewBytes_ && previewView->pageComplete() &&
        previewView->pageAddress() == path && !preview::pageNamesOtherFiles(bytes))
        return;
    previewBytes_ = bytes;
    previewView->navigate(path);
}

void PreviewTabs::openInBrowser() {
    app().PreviewBody = preview::previewBodyFrom(host_.editText().text());
    shellOpenOrReport(preview::generateBrowserPreview(app().AppDir, app().PreviewBody));
}

void PreviewTabs::showPreviewFile(const QString& path) {
    previewBytes_.clear();
    previewView->navigate(path);
}

// --- tab changes and focus -----------------------------------------------------------

void PreviewTabs::pageChanged(int index) {
    leavePage();
    if (index == kPreviewPage) {
        shownPage_ = kPreviewPage;
        showPreviewPage();
    } else if (index == kBrowserPage) {
        shownPage_ = kBrowserPage;
        showBrowserPage();
    }
}

void PreviewTabs::focusChanged(QWidget* old, QWidget* now) {
    if (shownPage_ == 0 || !now || !old || now->window() != old->window()) return;
    const QWidget* page = shownPage_ == kPreviewPage ? previewPage_ : browserPage_;
    if (within(page, old) && !within(page, now)) leavePage();
}

void PreviewTabs::leavePage() {
    const int left = shownPage_;
    shownPage_ = 0;
    if (left == 0) return;
    app().ClipCaptureOn = 1;
    // What was copied in the browser is caught as on coming back from another program.
    if (left == kBrowserPage) host_.runCapture();
}

// --- browser tab ---------------------------------------------------------------------

QString PreviewTabs::addressListPath() const {
    return app().AppDir + preview::kAddressListFile;
}

QStringList PreviewTabs::addressItems() const {
    QStringList items;
    for (int i = 0; i < addressBox->count(); ++i) items << addressBox->itemText(i);
    return items;
}

void PreviewTabs::showBrowserPage() {
    app().ClipCaptureOn = 0;
    const preview::LoadResult list = preview::loadAddressList(addressListPath());
    if (list.outcome == preview::LoadResult::Abandon) return;
    if (list.outcome == preview::LoadResult::Loaded) {
        // The box keeps showing the address of the page on view.
        const QString text = addressBox->currentText();
        addressBox->clear();
        addressBox->addItems(list.items);
        addressBox->setCurrentIndex(-1);
        addressBox->setEditText(text);
    }
    host_.takeSnapshot();
}

void PreviewTabs::navigateToBox() {
    const QString address = addressBox->currentText();
    if (!address.isEmpty()) browserView->navigate(address);
}

bool PreviewTabs::eventFilter(QObject* watched, QEvent* event) {
    if (watched != addressBox) return QObject::eventFilter(watched, event);
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

void PreviewTabs::addressMenuShowing() {
    const Clipboard& clipboard = host_.clipboard();
    addressPaste->setEnabled(clipboard.hasText() && isAddress(clipboard.text()));
    const bool hasText = !addressBox->currentText().isEmpty();
    addressAdd->setEnabled(hasText);
    addressDelete->setEnabled(hasText);
}

void PreviewTabs::pasteAddress() {
    addressBox->setEditText(preview::firstLine(host_.clipboard().text()));
}

void PreviewTabs::addAddress() {
    QStringList items = addressItems();
    const QString text = addressBox->currentText();
    if (preview::addAddress(items, text, addressListPath())) {
        addressBox->addItem(text);
        addressBox->setEditText(text);
    }
}

void PreviewTabs::deleteAddress() {
    QStringList items = addressItems();
    const QString text = addressBox->currentText();
    const int removed =
        preview::deleteAddress(items, addressBox->currentIndex(), text, addressListPath());
    if (removed < 0) return;
    addressBox->removeItem(removed);
    addressBox->setCurrentIndex(-1);
    addressBox->setEditText(text);
}

void PreviewTabs::goBack() {
    if (!browserView->goBack())
        Prompter::current().message(kNoPageBack, Icon::Error, kErrorCaption);
}

void PreviewTabs::goForward() {
    if (!browserView->goForward()) {
        Prompter::current().message(kNoPageForward, Icon::Error, kErrorCaption);
    }
}

void PreviewTabs::reload() {
    browserView->refresh();
}

// --- the page on view, for the link dialog's address request ------------------------

namespace {

// The browser view reports a local page by its path (with its "#part"); the
// answer names it by its file address, as a link to it is written.
QString linkAddressOf(const QString& page) {
    if (!page.startsWith(QLatin1Char('/'))) return page;
    const qsizetype hash = page.lastIndexOf(QLatin1Char('#'));
    if (hash > 0 && !QFileInfo(page).isFile() && QFileInfo(page.left(hash)).isFile()) {
        QUrl url = QUrl::fromLocalFile(page.left(hash));
        url.setFragment(page.mid(hash + 1));
        return url.toString();
    }
    return QUrl::fromLocalFile(page).toString();
}

}  // namespace

bool PreviewTabs::hasTopic(const QString& topic) const {
    return topic == windowinfo::kTopic;
}

void PreviewTabs::answer(const QString& topic, const QString& item, ServiceReply reply) {
    const QString page = browserView->pageAddress();
    if (topic != windowinfo::kTopic || item != windowinfo::kActiveWindow || page.isEmpty()) {
        reply(std::nullopt);
        return;
    }
    reply(windowinfo::reply(linkAddressOf(page), browserView->pageTitle()));
}

}  // namespace kirel
