#include "phrases/emoticonwindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

#include "core/appstate.h"
#include "core/editorhost.h"
#include "core/settingskeys.h"
#include "phrases/inputdialog.h"
#include "phrases/windowlook.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/textfile.h"
#include "platform/windowlook.h"

namespace kirel {

const QString EmoticonWindow::kCaption = QStringLiteral("顔文字選択");

EmoticonWindow::EmoticonWindow(QWidget* owner, EditorHost& host)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint),
      host_(host),
      owner_(owner),
      library_(app().AppDir) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(kCaption);
    setAttribute(Qt::WA_DeleteOnClose);

    label = new QLabel(QStringLiteral("表情選択"), this);
    label->setObjectName(QStringLiteral("Label1"));
    categories = new QComboBox(this);
    categories->setObjectName(QStringLiteral("ComboBox1"));
    for (const phrases::EmoticonCategory& c : phrases::kEmoticonCategories)
        categories->addItem(c.caption);
    categories->setContextMenuPolicy(Qt::NoContextMenu);
    label->setBuddy(categories);
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("ListBox1"));
    QFont listFont(QStringLiteral("ＭＳ Ｐゴシック"));
    listFont.setPixelSize(16);
    list->setFont(listFont);
    // Every entry is one line: the list need not measure each of a long
    // category's entries to lay them out.
    list->setUniformItemSizes(true);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->installEventFilter(this);
    phrases::selectCurrentOnFocus(list);

    menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    addEntry = menu->addAction(QStringLiteral("アイテムリストに追加(&A)"));
    addEntry->setObjectName(QStringLiteral("P1"));
    deleteEntry = menu->addAction(QStringLiteral("アイテムリストから削除(&D)"));
    deleteEntry->setObjectName(QStringLiteral("D1"));

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(categories, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(list, 1);

    connect(categories, &QComboBox::activated, this, &EmoticonWindow::chooseCategory);
    connect(list, &QListWidget::itemDoubleClicked, this, &EmoticonWindow::insertSelected);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this](QPoint p) { menu->exec(list->viewport()->mapToGlobal(p)); });
    connect(addEntry, &QAction::triggered, this, &EmoticonWindow::addEntries);
    connect(deleteEntry, &QAction::triggered, this, &EmoticonWindow::deleteSelected);

    const Profile ini(app().iniPath());
    const QPoint stored(ini.readInteger(keys::kEmoticons, keys::kEmoticonLeft, 30),
                        ini.readInteger(keys::kEmoticons, keys::kEmoticonTop, 30));
    applyWindowLook(this);
    resize(230, 340);
    move(phrases::placeOnScreen(stored, this));

    category_ = 0;
    categories->setCurrentIndex(0);
    try {
        library_.ensureFiles();
        entries_ = library_.load(0);
    } catch (const Failure& failure) {
        // Without "kao/" the window opens with an empty list.
        showError(failure.message());
    }
    showEntries(-1);
    // The list has the keyboard: Down and Return put an emoticon into the post.
    list->setFocus();
}

void EmoticonWindow::showEntries(int selected) {
    list->clear();
    list->addItems(entries_);
    if (selected >= 0) list->setCurrentRow(selected);
}

void EmoticonWindow::chooseCategory(int index) {
    if (index < 0 || index >= int(phrases::kEmoticonCategories.size())) return;
    category_ = index;
    try {
        entries_ = library_.load(index);
    } catch (const Failure& failure) {
        showError(failure.message());
        entries_.clear();
    }
    showEntries(-1);
}

void EmoticonWindow::insertSelected() {
    if (phrases::refuseWhileDecorating(host_, QStringLiteral("顔文字"))) return;
    const QListWidgetItem* item = list->currentItem();
    if (item && item->isSelected()) phrases::insertIntoPost(host_, owner_, item->text());
}

bool EmoticonWindow::addOne(const QString& entry) {
    const QListWidgetItem* current = list->currentItem();
    const int selected = current && current->isSelected() ? list->currentRow() : -1;
    const int at = library_.add(category_, entries_, selected, entry);
    if (at < 0) return false;
    // The selection stays on the entry it was on, so further entries line up
    // before it in the order they were added.
    list->insertItem(at, entry);
    if (selected >= 0) list->setCurrentRow(selected + 1);
    return false;
}

void EmoticonWindow::addEntries() {
    InputDialog dialog(phrases::InputRole::AddEmoticon, this,
                       [this](const QString& text) { return addOne(text); });
    dialog.exec();
}

void EmoticonWindow::deleteSelected() {
    if (refuseUnreadList(library_.path(category_))) return;
    if (!ask(phrases::kDeleteEmoticonQuestion, Icon::Warning)) return;
    const QListWidgetItem* current = list->currentItem();
    if (current && current->isSelected()) {
        const int row = list->currentRow();
        entries_.removeAt(row);
        delete list->takeItem(row);
    }
    library_.save(category_, entries_);
}

void EmoticonWindow::closeEvent(QCloseEvent* event) {
    try {
        const Profile ini(app().iniPath());
        ini.writeInteger(keys::kEmoticons, keys::kEmoticonTop, y());
        ini.writeInteger(keys::kEmoticons, keys::kEmoticonLeft, x());
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    event->accept();
}

bool EmoticonWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            insertSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kirel
