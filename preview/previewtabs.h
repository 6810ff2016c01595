#pragma once

#include <QObject>

class QComboBox;
class QLabel;
class QPushButton;
class TForm1;

namespace kirel {

class BrowserView;

// The preview and browser tabs of the main window, the board selection menu and
// the help, version and homepage commands. Builds the tabs' content and connects
// itself to the window's menu items and tab control.
//
// Preview tab: showing it turns clipboard capture off, converts the post, builds
// "0.htm" from the current board and shows it. Browser tab: showing it turns
// capture off, loads the saved address list and takes the clipboard snapshot;
// leaving it turns capture on and runs the capture check once, so what was
// copied in the browser is caught as if the user came back from another program.
class PreviewTabs : public QObject {
    Q_OBJECT
  public:
    explicit PreviewTabs(TForm1* form);

    // The views: WebBrowser1 on the preview tab, WebBrowser2 on the browser tab.
    BrowserView* WebBrowser1 = nullptr;
    BrowserView* WebBrowser2 = nullptr;
    // Browser tab controls.
    QLabel* Label4 = nullptr;
    QComboBox* ComboBoxEx1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

    // True while the preview tab is the active page.
    bool previewShowing() const;

    // Handlers, by the names of their menu items and controls.
    void boardClick(int board);  // N110, N24, N25
    void TabSheet2Show();
    void TabSheet3Show();
    void N29Click();
    void N26Click();
    void N27Click();
    void N28Click();
    void P1Click();
    void N30Click();
    void N33Click();
    void PopupMenu9Popup();
    void Button1Click();
    void Button2Click();
    void Button3Click();

  private:
    void buildPreviewTab();
    void buildBrowserTab();
    void connectMenus();
    void pageChanged(int index);
    void focusChanged(QWidget* old, QWidget* now);
    void leavePage();
    void navigateToBox();
    QString generatePreview();
    QString addressListPath() const;
    QStringList addressItems() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TForm1* form_;
    // The page (1 preview, 2 browser) that was shown and not left yet; 0 none.
    int shownPage_ = 0;
    // The board whose item was checked before the current click (1..3, 0 none).
    int checkedBefore_ = 0;
};

}  // namespace kirel
