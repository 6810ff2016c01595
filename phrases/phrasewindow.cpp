#include "phrases/phrasewindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "controls/dotwidthgutter.h"
#include "core/appstate.h"
#include "core/artwidth.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "phrases/inputdialog.h"
#include "phrases/phrasemenu.h"
#include "phrases/windowlook.h"
#include "platform/editmenu.h"
#include "platform/failure.h"
#include "platform/piecefill.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/toplevelwindows.h"
#include "platform/windowlook.h"

namespace kirel {

using phrases::InputRole;

namespace {

constexpr int kPhrasePage = 0;
constexpr int kArtPage = 1;

QStringList entriesOf(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

QStringList entriesOf(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

int selectedRow(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->currentRow() : -1;
}

QLabel* label(const QString& text, const char* name, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QComboBox* menuList(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(QStringLiteral("ユーザー選択メニューです"));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

}  // namespace

const QString PhraseWindow::kCaption = QStringLiteral("定型文選択");

PhraseWindow::PhraseWindow(QWidget* owner, EditorHost& host)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host),
      owner_(owner),
      phraseLibrary_(app().path(phrases::kPhraseFolder)),
      artLibrary_(app().path(phrases::kArtFolder)),
      art_(artLibrary_) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    buildWidgets();

    const Profile ini(app().iniPath());
    const QPoint stored(ini.readInteger(keys::kPhrases, keys::kPhraseLeft, 70),
                        ini.readInteger(keys::kPhrases, keys::kPhraseTop, 10));
    applyWindowLook(this);
    resize(330, 370);
    move(phrases::placeOnScreen(stored, this));

    open();
    pageShown(kPhrasePage);
    captureTargets().textArt = this;
}

PhraseWindow::~PhraseWindow() {
    if (captureTargets().textArt == this) captureTargets().textArt = nullptr;
}

void PhraseWindow::buildWidgets() {
    pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->setTabPosition(QTabWidget::South);
    phrasePage = new QWidget;
    phrasePage->setObjectName(QStringLiteral("TabSheet1"));
    artPage = new QWidget;
    artPage->setObjectName(QStringLiteral("TabSheet2"));
    pages->addTab(phrasePage, QStringLiteral("定型文選択(&F)"));
    pages->addTab(artPage, QStringLiteral("文字絵(&A)"));

    phraseMenus = menuList("ComboBox1", phrasePage);
    items = new QListWidget(phrasePage);
    items->setObjectName(QStringLiteral("ListBox1"));
    items->setToolTip(QStringLiteral("設定されたアイテムが表示されます"));
    items->setUniformItemSizes(true);  // one line each: long menus open quickly
    auto* p1 = new QVBoxLayout(phrasePage);
    p1->setContentsMargins(6, 6, 6, 6);
    auto* row1 = new QHBoxLayout;
    row1->addWidget(label(QStringLiteral("メニュー"), "Label1", phrasePage));
    row1->addWidget(phraseMenus, 1);
    p1->addLayout(row1);
    p1->addWidget(label(QStringLiteral("アイテム"), "Label2", phrasePage));
    p1->addWidget(items, 1);

    artMenus = menuList("ComboBox2", artPage);
    artEditor = new QPlainTextEdit(artPage);
    artEditor->setObjectName(QStringLiteral("RichEdit1"));
    artEditor->setToolTip(QStringLiteral("ここで文字絵を編集します"));
    // Pictures are drawn for the boards' proportional Gothic at 16 pixels; lines
    // are never wrapped, so a picture looks as it will in the post.
    QFont artFont(QStringLiteral("ＭＳ Ｐゴシック"));
    artFont.setPixelSize(16);
    artEditor->setFont(artFont);
    artEditor->document()->setDefaultFont(artFont);
    artEditor->setLineWrapMode(QPlainTextEdit::NoWrap);
    artEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* p2 = new QVBoxLayout(artPage);
    p2->setContentsMargins(6, 6, 6, 6);
    auto* row2 = new QHBoxLayout;
    row2->addWidget(label(QStringLiteral("メニュー"), "Label3", artPage));
    row2->addWidget(artMenus, 1);
    p2->addLayout(row2);
    p2->addWidget(label(QStringLiteral("アイテム"), "Label4", artPage));
    // Each line's width in dots beside the picture, and what aligning did below.
    artWidths = new DotWidthGutter(artEditor, artPage);
    auto* artRow = new QHBoxLayout;
    artRow->setSpacing(0);
    artRow->addWidget(artWidths);
    artRow->addWidget(artEditor, 1);
    p2->addLayout(artRow, 1);
    artStatus = new QLabel(artPage);
    artStatus->setObjectName(QStringLiteral("ArtWidthStatus"));
    artStatus->setWordWrap(true);
    p2->addWidget(artStatus);

    button = new QPushButton(this);
    button->setObjectName(QStringLiteral("Button2"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 6);
    layout->addWidget(pages, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button);
    layout->addLayout(buttons);

    menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto command = [this](QAction*& slot, const char* name, const QString& caption) {
        slot = menu->addAction(caption);
        slot->setObjectName(QLatin1String(name));
    };
    command(addMenu, "P1", QStringLiteral("メニューを追加(&M)"));
    command(renameMenu, "R1", QStringLiteral("メニューの名称を変更(&R)"));
    command(deleteMenu, "D1", QStringLiteral("メニューの削除(&D)"));
    menu->addSeparator();
    command(saveItem, "S1", QStringLiteral("アイテムリストに追加(&A)"));
    command(deleteItem, "N2", QStringLiteral("アイテムリストから削除(&D)"));
    menu->addSeparator();
    addEditItems(menu, [this] { return focusWidget(); });
    // Aligning line ends of a picture: its items work with their shortcuts while
    // the picture editor has the focus, and show on the text-art page only.
    artSeparator = menu->addSeparator();
    command(alignLines, "AlignWidth1", QStringLiteral("行末をそろえる(&J)"));
    alignLines->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_J));
    command(alignTarget, "AlignTarget1", QStringLiteral("この行を揃え先にする(&G)"));
    alignTarget->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_J));
    for (QAction* a : {alignLines, alignTarget}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        artEditor->addAction(a);
    }
    connect(menu, &QMenu::aboutToShow, this, &PhraseWindow::updateMenu);
    // The text-art menu list has no menu of its own and shows the window's, as
    // every other control does.
    for (QWidget* w : {static_cast<QWidget*>(this), static_cast<QWidget*>(phraseMenus),
                       static_cast<QWidget*>(items), static_cast<QWidget*>(artMenus),
                       static_cast<QWidget*>(artEditor)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](QPoint p) { menu->exec(w->mapToGlobal(p)); });
    }

    connect(pages, &QTabWidget::currentChanged, this, &PhraseWindow::pageShown);
    connect(phraseMenus, &QComboBox::activated, this, &PhraseWindow::choosePhraseMenu);
    connect(artMenus, &QComboBox::activated, this, &PhraseWindow::chooseArtMenu);
    connect(items, &QListWidget::itemDoubleClicked, this, &PhraseWindow::insertSelectedItem);
    items->installEventFilter(this);
    phrases::selectCurrentOnFocus(items);
    artFill_ = new PieceFill(artEditor);
    connect(artEditor, &QPlainTextEdit::textChanged, this, [this] {
        // The pieces of a long picture going in are no edit.
        if (!settingArt_ && !artFill_->running())
            art_.edited(artEditor->toPlainText(), artMenus->currentText(),
                        artMenus->currentIndex());
    });
    connect(button, &QPushButton::clicked, this, &PhraseWindow::buttonClicked);
    connect(addMenu, &QAction::triggered, this, &PhraseWindow::addMenuCommand);
    connect(renameMenu, &QAction::triggered, this, &PhraseWindow::renameMenuCommand);
    connect(deleteMenu, &QAction::triggered, this, &PhraseWindow::deleteMenuCommand);
    connect(saveItem, &QAction::triggered, this, &PhraseWindow::saveItemCommand);
    connect(deleteItem, &QAction::triggered, this, &PhraseWindow::deleteItemCommand);
    connect(alignLines, &QAction::triggered, this, &PhraseWindow::alignLinesCommand);
    connect(alignTarget, &QAction::triggered, this, &PhraseWindow::alignTargetCommand);
}

void PhraseWindow::alignLinesCommand() {
    if (artEditor->isReadOnly()) return;
    const DotWidthGutter::Alignment a = artWidths->alignLines();
    artStatus->setText(a.lines == 0
                           ? QString()
                           : alignmentReport(a.lines, a.target, a.shortLines, a.maxRemaining));
}

void PhraseWindow::alignTargetCommand() {
    if (artWidths->toggleTargetLine())
        artStatus->setText(QStringLiteral("%1 行目の幅（%2 ドット）にそろえます。")
                               .arg(artWidths->targetLine() + 1)
                               .arg(artWidths->lineWidth(artWidths->targetLine())));
    else
        artStatus->setText(QStringLiteral("選択した行のうち最も広い行にそろえます。"));
}

void PhraseWindow::open() {
    try {
        phraseLibrary_.ensure();
        artLibrary_.ensure();
    } catch (const Failure& failure) {
        // Without "user/" there is nowhere to keep menus: the lists stay empty.
        showError(failure.message());
        return;
    }
    // An add or rename of a menu that was interrupted is finished before the
    // lists are read, and the user told once.
    for (const phrases::MenuLibrary* library : {&phraseLibrary_, &artLibrary_}) {
        const QString repaired = library->repair();
        if (!repaired.isEmpty()) showMessage(repaired, Icon::Information);
    }
    try {
        phraseMenus->addItems(phraseLibrary_.readMenus());
        if (phraseMenus->count() > 0) {
            phraseMenus->setCurrentIndex(0);
            choosePhraseMenu(0);
        }
    } catch (const Failure& failure) {
        showPlain(failure.message());
    }
    try {
        artMenus->addItems(artLibrary_.readMenus());
        if (artMenus->count() > 0) {
            artMenus->setCurrentIndex(0);
            chooseArtMenu(0);
        }
    } catch (const Failure& failure) {
        showPlain(failure.message());
    }
    art_.loaded();
    phraseMenus->setFocus();
}

void PhraseWindow::pageShown(int page) {
    if (page == kArtPage) {
        button->setText(QStringLiteral("挿入(&I)"));
        button->setToolTip(QStringLiteral("編集欄へアイテムを転送します"));
        artMenus->setFocus();
    } else {
        button->setText(QStringLiteral("キャンセル(&X)"));
        button->setToolTip(QStringLiteral("定型文選択ウィンドウを閉じます"));
        phraseMenus->setFocus();
    }
}

void PhraseWindow::showTextArtMenus() {
    pages->setCurrentIndex(kArtPage);
    bringToFront(this);
    artMenus->setFocus();
}

const phrases::MenuLibrary& PhraseWindow::libraryShown() const {
    return pages->currentIndex() == kArtPage ? artLibrary_ : phraseLibrary_;
}

QComboBox* PhraseWindow::menusShown() const {
    return pages->currentIndex() == kArtPage ? artMenus : phraseMenus;
}

void PhraseWindow::loadPhraseItems(const QString& name) {
    if (name.isEmpty()) {
        items->clear();
        return;
    }
    if (const auto lines = phraseLibrary_.loadItems(name)) {
        items->clear();
        items->addItems(*lines);
    }
}

void PhraseWindow::choosePhraseMenu(int index) {
    const QString name = phraseMenus->itemText(index);
    if (!name.isEmpty()) loadPhraseItems(name);
}

void PhraseWindow::setArtText(const QString& text) {
    settingArt_ = true;
    artFill_->fill(text);
    settingArt_ = false;
    // Another picture: no target line, nothing to report.
    artWidths->clearTargetLine();
    artStatus->clear();
}

void PhraseWindow::showArt(const phrases::TextArtSession::View& view) {
    if (view.setMenu) artMenus->setCurrentIndex(view.menuIndex);
    if (view.setText) setArtText(view.text);
    if (view.focusMenus) artMenus->setFocus();
}

void PhraseWindow::chooseArtMenu(int index) {
    showArt(art_.choose(artMenus->itemText(index), artEditor->toPlainText()));
}

void PhraseWindow::loadFirstArt() {
    if (artMenus->count() == 0) {
        setArtText(QString());
        art_.loaded();
    } else if (const auto picture = artLibrary_.loadPicture(artMenus->itemText(0))) {
        setArtText(*picture);
        art_.loaded();
    }
}

void PhraseWindow::insertSelectedItem() {
    if (phrases::refuseWhileDecorating(host_, QStringLiteral("定型文"))) return;
    const int row = selectedRow(items);
    if (row >= 0) phrases::insertIntoPost(host_, owner_, items->item(row)->text());
}

void PhraseWindow::buttonClicked() {
    if (pages->currentIndex() != kArtPage) {
        close();
        return;
    }
    if (artFill_->running()) return;  // the picture is not all in the editor yet
    const QString picture = artEditor->toPlainText();
    if (picture.isEmpty()) {
        ask(QStringLiteral("挿入するテキストがありません。"), Icon::Warning);
        return;
    }
    if (phrases::refuseWhileDecorating(host_, QStringLiteral("定型文"))) return;
    phrases::insertIntoPost(host_, owner_, picture);
}

bool PhraseWindow::addMenuNamed(const QString& name) {
    QComboBox* box = menusShown();
    QStringList menus = entriesOf(box);
    if (libraryShown().addMenu(menus, name)) {
        // The new menu is listed, not chosen: the page keeps showing its menu.
        // The name as the library keeps it (menuName()).
        const int shown = box->currentIndex();
        box->addItem(menus.last());
        box->setCurrentIndex(shown);
    }
    return false;
}

void PhraseWindow::addMenuCommand() {
    InputDialog dialog(InputRole::AddMenu, this,
                       [this](const QString& text) { return addMenuNamed(text); });
    dialog.exec();
}

bool PhraseWindow::renameShownMenu(const QString& name) {
    if (!ask(phrases::kRenameQuestion, Icon::Warning)) return false;
    QComboBox* box = menusShown();
    const int index = box->currentIndex();
    if (index < 0) {
        showMessage(phrases::kNoMenuName, Icon::Warning);
        return false;
    }
    QStringList menus = entriesOf(box);
    const QString oldName = menus.at(index);
    if (!libraryShown().renameMenu(menus, index, name)) return false;
    const QString newName = menus.at(index);  // as the library keeps it
    box->setItemText(index, newName);
    box->setCurrentIndex(0);
    // The page shows the content of the menu now shown, so that a later save
    // writes that menu's own items.
    if (box == phraseMenus) {
        loadPhraseItems(box->itemText(0));
    } else {
        art_.menuRenamed(oldName, newName);
        if (!art_.modified()) loadFirstArt();
    }
    return true;
}

void PhraseWindow::renameMenuCommand() {
    InputDialog dialog(InputRole::RenameMenu, this,
                       [this](const QString& text) { return renameShownMenu(text); });
    dialog.exec();
}

void PhraseWindow::deleteMenuCommand() {
    if (!ask(phrases::kDeleteMenuQuestion, Icon::Warning)) return;
    QComboBox* box = menusShown();
    const int index = box->currentIndex();
    if (index < 0) return;
    QStringList menus = entriesOf(box);
    const QString name = menus.at(index);
    if (!libraryShown().deleteMenu(menus, index)) return;
    box->removeItem(index);
    box->setCurrentIndex(box->count() > 0 ? 0 : -1);
    if (box == phraseMenus) {
        loadPhraseItems(box->itemText(0));
    } else {
        art_.menuDeleted(name);
        if (!art_.modified()) loadFirstArt();
    }
}

bool PhraseWindow::addItem(const QString& text) {
    const QString name = phraseMenus->currentText();
    if (name.isEmpty()) {
        showMessage(phrases::kNoMenuName, Icon::Warning);
        return false;
    }
    if (refuseUnreadList(phraseLibrary_.menuPath(name))) return false;
    items->addItem(text);
    if (phraseLibrary_.saveItems(name, entriesOf(items)))
        showMessage(phrases::kItemAdded, Icon::None);
    return false;
}

void PhraseWindow::saveItemCommand() {
    if (pages->currentIndex() == kArtPage) {
        if (artFill_->running()) return;  // saving half a picture would cut its file
        showArt(art_.save(artMenus->currentText(), artEditor->toPlainText()));
        return;
    }
    InputDialog dialog(InputRole::AddItem, this,
                       [this](const QString& text) { return addItem(text); });
    dialog.exec();
}

void PhraseWindow::deleteItemCommand() {
    if (refuseUnreadList(phraseLibrary_.menuPath(phraseMenus->currentText()))) return;
    if (!ask(phrases::kDeleteItemQuestion, Icon::Warning)) return;
    const int row = selectedRow(items);
    if (row >= 0) delete items->takeItem(row);
    const QString name = phraseMenus->currentText();
    if (!name.isEmpty()) phraseLibrary_.saveItems(name, entriesOf(items));
}

void PhraseWindow::updateMenu() {
    phrases::PhraseContext c;
    c.page = pages->currentIndex();
    const QWidget* f = focusWidget();
    if (f == phraseMenus)
        c.focus = phrases::PhraseFocus::PhraseMenus;
    else if (f == items)
        c.focus = phrases::PhraseFocus::Items;
    else if (f == artEditor)
        c.focus = phrases::PhraseFocus::ArtEditor;
    c.phraseMenuShown = !phraseMenus->currentText().isEmpty();
    c.itemsPresent = items->count() > 0;
    c.artText = !artEditor->document()->isEmpty();
    c.artMenuShown = !artMenus->currentText().isEmpty();
    const phrases::PhraseCommands m = phrases::phraseCommands(c);
    saveItem->setText(m.saveCaption);
    addMenu->setEnabled(m.addMenu);
    renameMenu->setEnabled(m.renameMenu);
    deleteMenu->setEnabled(m.deleteMenu);
    saveItem->setEnabled(m.saveItem);
    deleteItem->setEnabled(m.deleteItem);
    const bool artPageShown = c.page == 1;
    for (QAction* a : {static_cast<QAction*>(artSeparator), alignLines, alignTarget})
        a->setVisible(artPageShown);
    alignLines->setEnabled(f == artEditor && c.artText);
    alignTarget->setEnabled(f == artEditor && c.artText);
}

void PhraseWindow::closeEvent(QCloseEvent* event) {
    // Unsaved text art is dropped without a question. From now on copied text is
    // no business of this window, though it is freed only later.
    if (captureTargets().textArt == this) captureTargets().textArt = nullptr;
    try {
        const Profile ini(app().iniPath());
        ini.writeInteger(keys::kPhrases, keys::kPhraseTop, y());
        ini.writeInteger(keys::kPhrases, keys::kPhraseLeft, x());
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    event->accept();
}

bool PhraseWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == items && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insertSelectedItem();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kirel
