#pragma once

// Drafts: quick save and load 0 to 3, open, save as, overwrite save and insertion
// of a text file, working on the edit and quote panes.
//
// Files live in AppDir: "backup.txt" (the post), "inback.txt" (the quote pane),
// "qick1.txt" to "qick3.txt" (the post in slots 1 to 3). Every save replaces its
// file atomically, so a failed save leaves the previous draft and the panes as
// they were and says why. The file saved last is recorded as LastSavePath in
// section "Form1" of the settings file.

#include <QString>

namespace kirel {

class TextPane;

class DraftStore {
  public:
    DraftStore(TextPane& edit, TextPane& quote) : edit_(edit), quote_(quote) {}

    void quickSave0();
    void quickLoad0();
    void quickSave(int slot);  // 1 to 3
    void quickLoad(int slot);  // 1 to 3
    void open();
    void saveAs();
    void overwriteSave();
    void insertFile();

    // The names the open and save dialogs keep between uses. The open dialog's
    // name is also where overwrite save writes.
    const QString& openName() const { return openName_; }
    const QString& saveName() const { return saveName_; }

    static const QString kFilter;
    static QString slotFileName(int slot);  // "qick1.txt" ...

  private:
    QString appPath(const QString& name) const;
    QString toolPath() const;
    QString lastSavePath() const;
    void setLastSavePath(const QString& path) const;
    // Runs a guarded step; a failure is shown as a plain message. Returns success.
    template <typename F>
    bool guarded(F step) const;
    // Runs a step whose failure reaches the general error dialog.
    template <typename F>
    bool unguarded(F step) const;
    QString askOpenName() const;
    QString askSaveName(const QString& directory) const;
    void remember(const QString& name);
    void loadQuotePane();

    TextPane& edit_;
    TextPane& quote_;
    QString openName_;
    QString saveName_ = QStringLiteral("New");
};

}  // namespace kirel
