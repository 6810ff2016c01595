#include "drafts/tooldialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "core/appstate.h"
#include "core/settingskeys.h"
#include "platform/failure.h"
#include "platform/launcher.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/windowlook.h"

namespace kirel {
namespace {

constexpr int kPathRole = Qt::UserRole;

QString pathOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString() : QString();
}

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

Profile settings() {
    return Profile(app().iniPath());
}

}  // namespace

const QString ToolDialog::kCaption = QStringLiteral("外部ツールの登録");

ToolDialog::ToolDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(kCaption);
    buildWidgets();
    applyWindowLook(this);
    setFixedSize(520, 340);

    drives_ = tool::currentDrives();
    programmatic_ = true;
    for (const tool::Drive& d : drives_) driveBox->addItem(d.text);
    programmatic_ = false;

    // The program folder, or the registered program's folder with the program
    // selected; the path box stays empty either way.
    const QString tool = tool::registered(settings());
    QString start = QDir::cleanPath(app().AppDir);
    const QFileInfo registered(tool);
    if (!tool.isEmpty() && registered.isAbsolute() && QFileInfo(registered.absolutePath()).isDir())
        start = registered.absolutePath();
    const int drive = tool::driveOf(drives_, start);
    showDrive(std::max(drive, 0), start);
    if (!tool.isEmpty() && folder_ == registered.absolutePath()) {
        programmatic_ = true;
        const QList<QListWidgetItem*> found =
            fileList->findItems(registered.fileName(), Qt::MatchExactly);
        if (!found.isEmpty()) {
            fileList->setCurrentItem(found.first());
            fileList->scrollToItem(found.first());
        }
        programmatic_ = false;
    }
    fileList->setFocus();
}

void ToolDialog::buildWidgets() {
    driveBox = new QComboBox(this);
    driveBox->setObjectName(QStringLiteral("DriveComboBox1"));
    folderTree = new QTreeWidget(this);
    folderTree->setObjectName(QStringLiteral("DirectoryListBox1"));
    folderTree->setHeaderHidden(true);
    folderTree->setColumnCount(1);
    folderTree->header()->setStretchLastSection(false);
    folderTree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    fileList = new QListWidget(this);
    fileList->setObjectName(QStringLiteral("FileListBox1"));
    fileList->setSortingEnabled(false);
    pathLabel = new QLabel(QStringLiteral("パスの表示"), this);
    pathLabel->setObjectName(QStringLiteral("Label1"));
    pathEdit = new QLineEdit(this);
    pathEdit->setObjectName(QStringLiteral("Edit1"));
    pathEdit->setReadOnly(true);
    registerButton = new QPushButton(QStringLiteral("登録(&A)"), this);
    registerButton->setObjectName(QStringLiteral("Button1"));
    registerButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("キャンセル(&X)"), this);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    cancelButton->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(6);
    grid->addWidget(driveBox, 0, 0);
    grid->addWidget(folderTree, 1, 0);
    grid->addWidget(fileList, 0, 1, 2, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(pathEdit, 1);
    grid->addLayout(pathRow, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(registerButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, 3, 0, 1, 2);

    connect(driveBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!programmatic_) chooseDrive(index);
    });
    connect(folderTree, &QTreeWidget::itemExpanded, this, &ToolDialog::fillChildren);
    connect(folderTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { userChoseFolder(item); });
    // A file is chosen when the user selects it (the list only moves its current
    // item when it takes the focus), or clicks it again.
    connect(fileList, &QListWidget::itemSelectionChanged, this, [this] { userChoseFile(); });
    connect(fileList, &QListWidget::itemClicked, this, [this] { userChoseFile(); });
    connect(registerButton, &QPushButton::clicked, this, &ToolDialog::registerTool);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

QTreeWidgetItem* ToolDialog::folderItem(const QString& name, const QString& path) {
    auto* item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, kPathRole, path);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

void ToolDialog::fillChildren(QTreeWidgetItem* item) {
    if (item->childCount() > 0 ||
        item->childIndicatorPolicy() == QTreeWidgetItem::DontShowIndicatorWhenChildless)
        return;
    const QString path = pathOf(item);
    for (const QString& name : tool::subfolders(path))
        item->addChild(folderItem(name, joined(path, name)));
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void ToolDialog::showDrive(int index, const QString& folder) {
    programmatic_ = true;
    driveBox->setCurrentIndex(index);
    folderTree->clear();
    const QString root = drives_.value(index).root;
    QTreeWidgetItem* item = folderItem(root, root);
    folderTree->addTopLevelItem(item);
    item->setExpanded(true);
    // Down the tree to the folder, as far as it exists.
    const QString relative = QDir(root).relativeFilePath(QDir::cleanPath(folder));
    if (!relative.startsWith(QLatin1String("..")) && relative != QLatin1String(".")) {
        for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            fillChildren(item);
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && !next; ++i)
                if (item->child(i)->text(0) == part) next = item->child(i);
            if (!next) break;
            item = next;
            item->setExpanded(true);
        }
    }
    folderTree->setCurrentItem(item);
    folderTree->scrollToItem(item);
    showFolder(pathOf(item));
    programmatic_ = false;
}

void ToolDialog::showFolder(const QString& folder) {
    const bool was = programmatic_;
    programmatic_ = true;
    folder_ = folder;
    fileList->clear();
    fileList->addItems(tool::offeredFiles(folder));
    programmatic_ = was;
}

void ToolDialog::chooseDrive(int index) {
    if (index < 0 || index >= drives_.size()) return;
    showDrive(index, drives_[index].root);
    pathEdit->clear();
}

void ToolDialog::userChoseFolder(QTreeWidgetItem* item) {
    if (programmatic_ || !item) return;
    showFolder(pathOf(item));
    pathEdit->clear();
}

void ToolDialog::userChoseFile() {
    if (programmatic_) return;
    const QList<QListWidgetItem*> chosen = fileList->selectedItems();
    if (chosen.isEmpty()) return;
    pathEdit->setText(joined(folder_, chosen.first()->text()));
}

void ToolDialog::registerTool() {
    const QString path = pathEdit->text();
    if (path.isEmpty()) {
        showMessage(QStringLiteral("外部ツールを指定していません。"), Icon::Warning);
        return;
    }
    try {
        tool::setRegistered(settings(), path);
    } catch (const Failure& failure) {
        showError(failure.message());
        return;
    }
    showPlain(QStringLiteral("登録が完了しました。"));
}

void openToolDialog(QWidget* owner) {
    ToolDialog dialog(owner);
    dialog.exec();
}

void launchExternalTool(QWidget* owner) {
    const QString registered = tool::registered(settings());
    if (tool::launch(registered, startProgram) != tool::Launch::NothingRegistered) return;
    if (ask(QStringLiteral("外部ツールに何も登録されていません。\r\n外部ツールを設定しますか？"),
            Icon::Information))
        openToolDialog(owner);
}

}  // namespace kirel
