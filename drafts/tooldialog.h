#pragma once

// Registration of the external tool: a modal dialog that browses the drives
// (mounted file systems), their folders and the programs in them. Choosing a
// program puts its full path in the read-only box; "登録(&A)" stores it. The
// dialog opens on the registered program's folder with the program selected and
// the box empty, so registering again needs a deliberate choice.
//
// Widgets carry the designer names as objectName ("Form9", "DriveComboBox1",
// "DirectoryListBox1", "FileListBox1", "Edit1", "Button1", ...).

#include <QDialog>

#include "drafts/externaltool.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kirel {

class ToolDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ToolDialog(QWidget* owner);

    static const QString kCaption;  // "外部ツールの登録"

    QComboBox* driveBox = nullptr;
    QTreeWidget* folderTree = nullptr;
    QListWidget* fileList = nullptr;
    QLabel* pathLabel = nullptr;
    QLineEdit* pathEdit = nullptr;
    QPushButton* registerButton = nullptr;
    QPushButton* cancelButton = nullptr;

    // The folder the file list shows.
    const QString& folder() const { return folder_; }
    // Another drive (index in the drive list) was chosen.
    void chooseDrive(int index);
    // "登録(&A)".
    void registerTool();

  private:
    void buildWidgets();
    // Shows a drive's tree and, in it and in the file list, folder.
    void showDrive(int index, const QString& folder);
    void showFolder(const QString& folder);
    QTreeWidgetItem* folderItem(const QString& name, const QString& path);
    void fillChildren(QTreeWidgetItem* item);
    void userChoseFolder(QTreeWidgetItem* item);
    void userChoseFile();

    QList<tool::Drive> drives_;
    QString folder_;
    bool programmatic_ = false;  // the dialog, not the user, is moving a list
};

// Opens the registration dialog modally over owner and frees it when it closes.
void openToolDialog(QWidget* owner);

// The edit pane's "外部ツール": starts the registered program, or, with none
// registered, offers to register one.
void launchExternalTool(QWidget* owner);

}  // namespace kirel
