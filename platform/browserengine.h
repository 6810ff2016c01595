#pragma once

// The embedded web browser as the program uses it: load an address, go back and
// forward in the view's own history, reload, and hear when a navigation has
// completed.
//
// The browser engine is large: linking it into the program would double its
// start-up time and memory even when no page is ever shown. So the engine lives
// in a module beside the executable ("kirelweb"), loaded the first time a view
// is needed. This header is all the program and the module share: plain
// interfaces, no signals, so nothing of either side's meta-objects has to cross.

#include <QString>
#include <QtPlugin>
#include <functional>

class QWidget;

namespace kirel {

struct BrowserOptions {
    // The preview shows the user's own post: no scripts there, as on the board.
    bool javaScript = true;
    // Local pages may load pictures and styles from web addresses.
    bool localPagesLoadRemote = false;
    // Folder where the view keeps cookies, logins and its cache between runs;
    // empty: nothing is kept (off the record).
    QString storageFolder;
};

// One browser view. It is a widget (widget()) owned by its parent widget; the
// interface lives as long as that widget.
class BrowserEngine {
  public:
    virtual ~BrowserEngine() = default;
    virtual QWidget* widget() = 0;
    // A full local path, a file: address or a web address as the user typed it.
    virtual void navigate(const QString& address) = 0;
    // False when the history has no page in that direction.
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;
    virtual void refresh() = 0;
    // Called after each completed navigation with the address of the page (a
    // local file as its full path).
    virtual void setNavigateComplete(std::function<void(const QString&)> handler) = 0;
    // The page on view: its address as navigations report it, and its title;
    // empty while no page has been shown.
    virtual QString pageAddress() { return QString(); }
    virtual QString pageTitle() { return QString(); }
    // Whether the page on view has loaded in full without an error and is still
    // drawn (its renderer alive), so that loading it again would show nothing new.
    virtual bool pageComplete() { return false; }
};

// The module's entry point.
class BrowserEngineFactory {
  public:
    virtual ~BrowserEngineFactory() = default;
    virtual BrowserEngine* createEngine(QWidget* parent, const BrowserOptions& options) = 0;
};

}  // namespace kirel

#define KIREL_BROWSER_ENGINE_FACTORY_IID "jp.example.kirel-editor.BrowserEngineFactory/1.2"
Q_DECLARE_INTERFACE(kirel::BrowserEngineFactory, KIREL_BROWSER_ENGINE_FACTORY_IID)
