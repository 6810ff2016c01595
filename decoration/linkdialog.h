#pragma once

// The link and image dialog "リンクする": builds a link or an image tag from an
// address and a comment, shows the tag while it is built, and on OK puts it in
// place of the edit pane's selection. It keeps a list of titled addresses in
// two files, asks the browser for the address it shows, and previews an image
// address in a small browser view.
//
// The window and its widgets carry the designer names as objectName ("Form6",
// "ComboBox2", "CheckBox4", "Edit3", ...) so that tests and automation find
// them; members are named by role.

#include <QDialog>
#include <chrono>

#include "core/capturetargets.h"
#include "decoration/linkrules.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kirel {

class BrowserView;
class EditorHost;
class ServiceRequester;

class LinkDialog final : public QDialog, public LinkTarget {
    Q_OBJECT
  public:
    // copiedAddress: the address whose copy opened the dialog; empty when the
    // user opened it.
    LinkDialog(QWidget* owner, EditorHost& host, const QString& copiedAddress = QString());
    ~LinkDialog() override;

    QComboBox* titleBox = nullptr;    // "アドレス選択": the titles
    QComboBox* addressBox = nullptr;  // "リンク先のアドレス": the addresses
    QLineEdit* commentEdit = nullptr;
    QLineEdit* tagEdit = nullptr;  // the generated tag, read-only
    QCheckBox* copyAddressCheck = nullptr;
    QCheckBox* newWindowCheck = nullptr;
    QCheckBox* autoOpenCheck = nullptr;  // open this dialog for copied addresses
    QCheckBox* imageCheck = nullptr;
    QRadioButton* noWrapRadio = nullptr;
    QRadioButton* leftRadio = nullptr;
    QRadioButton* rightRadio = nullptr;
    BrowserView* imagePreview = nullptr;
    QPushButton* fetchButton = nullptr;  // "アドレス取得"
    QPushButton* addButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    // The lists' context menu and its items.
    QMenu* listMenu = nullptr;
    QAction *pasteItem = nullptr, *menuSeparator = nullptr, *addItem = nullptr,
            *deleteItem = nullptr;

    // How long "アドレス取得" waits for the browser's answer.
    std::chrono::milliseconds addressRequestLimit{10000};

    // Makes the tag again from the boxes and buttons.
    void regenerate();
    // "アドレス取得": asks the browser for the address it shows.
    void fetchAddress();
    bool fetching() const;
    void addToList();
    void deleteFromList();
    // "貼り付け(&P)": the clipboard text replaces the address box's selection.
    void pasteAddress();

    // LinkTarget: the capture hands over a copied address while the dialog is open.
    void bringToTop() override;
    void takeAddress(const QString& address) override;

  public slots:
    // OK: the tag replaces the edit pane's selection and the dialog closes.
    void accept() override;
    void done(int result) override;

  protected:
    bool event(QEvent* event) override;

  private:
    void buildWidgets();
    // What the boxes and buttons hold now.
    link::TagChoice choice() const;
    void connectHandlers();
    void applyPrefill(const link::Prefill& prefill);
    void showListMenu(QWidget* box, const QPoint& pos);
    void chooseEntry(QComboBox* chosen, QComboBox* other, int index);
    void imageToggled(bool on);
    void showPreview(const QString& address);
    void fillListBoxes();

    EditorHost& host_;
    link::Lists lists_;
    ServiceRequester* requester_ = nullptr;
    // The picture preview loads after the dialog's first paint, so opening the
    // dialog never waits for the browser module.
    bool painted_ = false;
    bool previewQueued_ = false;
    QString previewPending_;
    QString previewShown_;
    bool finished_ = false;
};

}  // namespace kirel
