#pragma once

// What the windows and tabs of the other subsystems may ask of the main window.
// They never include the main window itself: the main window implements this
// interface and hands itself over when it creates them.

#include <QString>

namespace kirel {

class Clipboard;
class TextPane;

class EditorHost {
  public:
    enum class Tab { Edit = 0, Preview = 1, Browser = 2 };

    virtual ~EditorHost() = default;

    // The post being written, and the pane of captured quotes.
    virtual TextPane& editText() = 0;
    virtual TextPane& quoteText() = 0;
    virtual Clipboard& clipboard() const = 0;

    // Clipboard capture as on coming back to the program, and a new snapshot of
    // the clipboard (so what is on it now is not captured later).
    virtual void runCapture() = 0;
    virtual void takeSnapshot() = 0;

    // The character limit changed (CharLimit already holds it): the counter
    // starts again from it.
    virtual void restartCounter() = 0;
    // The same without the counter's change handling: the bar, its labels and
    // its hint show the new limit; no warning is shown, and the warning state
    // stays as it was until the text changes next.
    virtual void resetCounter() = 0;

    // The edit pane is disabled while a window works on its selection.
    virtual bool editPaneEnabled() const = 0;
    virtual void setEditPaneEnabled(bool enabled) = 0;

    virtual Tab currentTab() const = 0;
    // Makes the tab the current one. Showing the preview tab builds its page
    // from the post again, also when it is already the current tab.
    virtual void showTab(Tab tab) = 0;

    // The main window's own hint: shown as the tooltip over the parts of the
    // window that have none of their own (the disabled edit pane among them)
    // while it is switched on.
    virtual void setWindowHint(const QString& hint) = 0;
    virtual void showWindowHint(bool on) = 0;
};

}  // namespace kirel
