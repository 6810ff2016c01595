#pragma once

// A browser view (the preview tab's, the browser tab's, the link dialog's picture
// preview). It stays an empty widget until the first navigation; then it loads
// the browser module beside the program and creates its engine view inside
// itself. When the module cannot be loaded, it shows why instead of a page.

#include <QPointer>
#include <QWidget>

#include "platform/browserengine.h"

class QLabel;
class QVBoxLayout;

namespace kirel {

class BrowserView : public QWidget {
    Q_OBJECT
  public:
    explicit BrowserView(const BrowserOptions& options, QWidget* parent = nullptr);

    void navigate(const QString& address);
    // False when the history has no page in that direction (or there is no view).
    bool goBack();
    bool goForward();
    void refresh();
    // The page on view (address and title); empty while none has been shown.
    QString pageAddress() const;
    QString pageTitle() const;
    bool pageComplete() const;

    // The engine view, once created; nullptr before, when the module failed, or
    // once the view has gone.
    BrowserEngine* engine() const { return view_ ? engine_ : nullptr; }
    // The text shown in place of the view when the module failed.
    QString failureText() const;

    // The factory that makes engine views: the browser module by default. Tests
    // install their own; nullptr restores the module.
    static void setFactory(BrowserEngineFactory* factory);

  signals:
    void navigateComplete(const QString& address);

  private:
    bool ensureEngine();

    BrowserOptions options_;
    QVBoxLayout* layout_;
    // The engine's widget, watched: it may be deleted before this object (with a
    // common parent) or by this object's own QWidget destructor, after this
    // class's part is gone. QPointer learns of it without a handler that would
    // write into a half-destroyed BrowserView.
    QPointer<QWidget> view_;
    BrowserEngine* engine_ = nullptr;
    QLabel* failure_ = nullptr;
};

}  // namespace kirel
