#pragma once

// Windows that take part in the clipboard capture while they are open. A window
// registers itself in captureTargets() when it opens and clears its entry when
// it closes; the capture routine talks to it only through these interfaces.

#include <QString>
#include <functional>

namespace kirel {

// The link dialog ("リンクする"): a copied address goes straight into it.
class LinkTarget {
  public:
    virtual ~LinkTarget() = default;
    // Brings the dialog above every other window.
    virtual void bringToTop() = 0;
    // Puts the address into the address box and makes the tag again, by the
    // dialog's own rules (image box, alignment, new window).
    virtual void takeAddress(const QString& address) = 0;
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
    // Opens the link dialog for an address just copied (set by the main window).
    std::function<void(const QString& address)> openLinkDialog;
};

// The one set of targets of the running program.
CaptureTargets& captureTargets();

}  // namespace kirel
