#pragma once

#include <QObject>

#include "platform/servicerequest.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace kirel {

class BrowserView;
class EditorHost;

// The preview and browser tabs of the main window. Builds the content of the
// tab control's second and third pages and follows its page changes.
//
// Preview tab: showing it turns clipboard capture off, converts the post, builds
// "0.htm" from the current board and shows it. Browser tab: showing it turns
// capture off, loads the saved address list and takes the clipboard snapshot;
// leaving it turns capture on and runs the capture check once, so what was
// copied in the browser is caught as if the user came back from another program.
//
// The browser tab is the program's web browser: it answers the request for the
// page it shows (service "Iexplore", topic "WWW_GetWindowInfo") with that page's
// address and title, and fails it while it shows no page.
class PreviewTabs : public QObject, public ServiceAnswerer {
    Q_OBJECT
  public:
    // tabs: the main window's tab control, whose pages 1 and 2 this fills.
    PreviewTabs(QTabWidget* tabs, EditorHost& host);
    ~PreviewTabs() override;

    bool hasTopic(const QString& topic) const override;
    void answer(const QString& topic, const QString& item, ServiceReply reply) override;

    // The views: previewView on the preview tab, browserView on the browser tab.
    BrowserView* previewView = nullptr;
    BrowserView* browserView = nullptr;
    // Browser tab controls.
    QLabel* addressLabel = nullptr;
    QComboBox* addressBox = nullptr;
    QPushButton* backButton = nullptr;
    QPushButton* forwardButton = nullptr;
    QPushButton* reloadButton = nullptr;
    // The address box's context menu (objectName addressMenu) and its items.
    QMenu* addressMenu = nullptr;
    QAction *addressPaste = nullptr, *addressSeparator = nullptr, *addressAdd = nullptr,
            *addressDelete = nullptr;

    // True while the preview tab is the active page.
    bool previewShowing() const;
    // Shows a page file in the preview view.
    void showPreviewFile(const QString& path);

    // Builds "0.htm" from the post and opens it in the desktop's browser (through
    // its copy that declares the character set).
    void openInBrowser();

    void showPreviewPage();
    void showBrowserPage();
    void pasteAddress();
    void addAddress();
    void deleteAddress();
    void addressMenuShowing();
    void goBack();
    void goForward();
    void reload();

  private:
    void buildPreviewTab();
    void buildBrowserTab();
    void buildAddressMenu();
    void pageChanged(int index);
    void focusChanged(QWidget* old, QWidget* now);
    void leavePage();
    void navigateToBox();
    QString addressListPath() const;
    QStringList addressItems() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QTabWidget* tabs_;
    QWidget* previewPage_;
    QWidget* browserPage_;
    EditorHost& host_;
    // The page (1 preview, 2 browser) that was shown and not left yet; 0 none.
    int shownPage_ = 0;
    // The bytes of "0.htm" the preview view was last sent to; empty when it was
    // sent elsewhere or the page could not be written.
    QByteArray previewBytes_;
};

}  // namespace kirel
