#pragma once

// Windows that take part in the clipboard capture while they are open. A window
// registers itself in captureTargets() when it opens and clears its entry when
// it closes; the capture routine talks to it only through these interfaces.

#include <QString>

namespace kirel {

// The link dialog ("リンクする"): a copied address goes straight into it.
class LinkTarget {
  public:
    virtual ~LinkTarget() = default;
    // Brings the dialog above every other window.
    virtual void bringToTop() = 0;
    virtual QString comment() const = 0;
    virtual bool imageChecked() const = 0;
    virtual bool newWindowChecked() const = 0;
    virtual void setAddress(const QString& address) = 0;
    virtual void setImageEnabled(bool enabled) = 0;
    virtual void setTag(const QString& tag) = 0;
};

// The fixed-phrase window ("定型文選択"): it may take copied text for text art.
class TextArtTarget {
  public:
    virtual ~TextArtTarget() = default;
    // Turns to the text-art page and puts the focus on its menu list.
    virtual void showTextArtMenus() = 0;
};

struct CaptureTargets {
    LinkTarget* link = nullptr;
    TextArtTarget* textArt = nullptr;
};

// The one set of targets of the running program.
CaptureTargets& captureTargets();

}  // namespace kirel
