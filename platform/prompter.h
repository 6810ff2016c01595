#pragma once

// The one seam for every modal interaction: message boxes, questions, file,
// colour and picture dialogs. The program installs the Qt implementation; tests
// install a scripted one that records each text and answers as told.

#include <QString>
#include <optional>

namespace kirel {

inline const QString kAppTitle = QStringLiteral("Kirel Editor");

enum class Icon { None, Information, Warning, Error };

struct FileRequest {
    QString title;
    QString directory;  // initial folder
    QString fileName;   // initial name
    QString filter;  // "テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*" style
};

class Prompter {
  public:
    virtual ~Prompter() = default;

    // OK box.
    virtual void message(const QString& text, Icon icon, const QString& caption) = 0;
    // Yes/No box; true for Yes.
    virtual bool question(const QString& text, Icon icon, const QString& caption) = 0;
    // Empty result: the user cancelled.
    virtual QString openFileName(const FileRequest& request) = 0;
    virtual QString saveFileName(const FileRequest& request) = 0;
    virtual QString openPictureName(const FileRequest& request) = 0;
    // Colour as 0xRRGGBB; nullopt when cancelled.
    virtual std::optional<unsigned> chooseColor(unsigned initialRgb) = 0;

    static Prompter& current();
    // Installs p (not owned); nullptr restores the one that does nothing.
    static void setCurrent(Prompter* p);
};

// Message box captioned "Kirel Editor" with the given icon.
void showMessage(const QString& text, Icon icon);
// Plain message: OK box without icon, captioned with the application title.
void showPlain(const QString& text);
// Yes/No question captioned "Kirel Editor"; true for Yes.
bool ask(const QString& text, Icon icon = Icon::Warning);
// The general error dialog: shows the error text, the program goes on.
void showError(const QString& text);

}  // namespace kirel
