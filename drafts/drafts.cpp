#include "drafts/drafts.h"

#include <QFileInfo>

#include "core/appstate.h"
#include "core/settingskeys.h"
#include "core/textpane.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel {
namespace {

const QString kBackup = QStringLiteral("backup.txt");
const QString kQuoteBackup = QStringLiteral("inback.txt");

// Only a regular file counts: a folder of that name cannot be loaded or replaced.
bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Whether the file name (not the folders) has an extension, the way the save
// dialog's callers decide to add ".txt": "name." and ".profile" count as having one.
bool hasExtension(const QString& path) {
    return QFileInfo(path).fileName().contains(QLatin1Char('.'));
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

Profile settings() {
    return Profile(app().iniPath());
}

}  // namespace

const QString DraftStore::kFilter =
    QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");

QString DraftStore::slotFileName(int slot) {
    return QStringLiteral("qick%1.txt").arg(slot);
}

QString DraftStore::appPath(const QString& name) const {
    // A bare name (what quick loads 1 to 3 remember) means the file in the program
    // folder, whatever the process's current folder is.
    if (QFileInfo(name).isRelative()) return app().path(name);
    return name;
}

QString DraftStore::toolPath() const {
    const QString folder = settings().readString(keys::kShared, keys::kSavePath, {});
    return joinPath(folder, app().ToolFileName);
}

QString DraftStore::lastSavePath() const {
    return settings().readString(keys::kMainWindow, keys::kLastSavePath, {});
}

void DraftStore::setLastSavePath(const QString& path) const {
    settings().writeString(keys::kMainWindow, keys::kLastSavePath, path);
}

template <typename F>
bool DraftStore::guarded(F step) const {
    try {
        step();
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

template <typename F>
bool DraftStore::unguarded(F step) const {
    try {
        step();
        return true;
    } catch (const Failure& failure) {
        showError(failure.message());
        return false;
    }
}

QString DraftStore::askOpenName() const {
    return Prompter::current().openFileName(
        {QStringLiteral("開く"), app().AppDir, openName_, kFilter});
}

QString DraftStore::askSaveName(const QString& directory) const {
    return Prompter::current().saveFileName(
        {QStringLiteral("名前を付けて保存"), directory, saveName_, kFilter});
}

void DraftStore::remember(const QString& name) {
    openName_ = name;
    saveName_ = name;
}

void DraftStore::loadQuotePane() {
    const QString path = app().path(kQuoteBackup);
    if (!fileExists(path)) return;
    guarded([&] { quote_.setText(readTextFile(path)); });
}

void DraftStore::quickSave0() {
    if (edit_.isEmpty()) {
        if (quote_.isEmpty()) {
            showMessage(QStringLiteral("保存に失敗しました。\r\n保存するテキストがありません。"),
                        Icon::None);
        }
        return;
    }
    const QString post = edit_.text();
    if (!app().ToolFileName.isEmpty()) {
        // Started by a tool: the post goes back to the tool's exchange folder only.
        guarded([&] {
            const QString path = toolPath();
            setLastSavePath(path);
            writeTextFile(path, post);
        });
        return;
    }
    guarded([&] {
        const QString last = lastSavePath();
        if (fileExists(last)) {
            writeTextFile(last, post);
        } else {
            // No record, or the recorded file has gone: the backup file, recorded so
            // that quick load 0 finds the text just saved.
            const QString backup = app().path(kBackup);
            writeTextFile(backup, post);
            setLastSavePath(backup);
        }
        writeTextFile(app().path(kQuoteBackup), quote_.text());
    });
}

void DraftStore::quickLoad0() {
    const QString last = lastSavePath();
    if (last.isEmpty()) {
        const QString chosen = askOpenName();
        if (!chosen.isEmpty()) {
            if (!unguarded([&] { edit_.setText(readTextFile(chosen)); })) return;
            remember(chosen);
        }
    } else if (fileExists(last)) {
        if (guarded([&] { edit_.setText(readTextFile(last)); })) remember(last);
    }
    loadQuotePane();
}

void DraftStore::quickSave(int slot) {
    if (edit_.isEmpty() && quote_.isEmpty()) return;
    const QString path = app().path(slotFileName(slot));
    const bool saved = guarded([&] {
        writeTextFile(path, edit_.text());
        if (slot == 1) writeTextFile(app().path(kQuoteBackup), quote_.text());
        setLastSavePath(path);
    });
    if (!saved) return;
    static const QChar fullWidthDigits[] = {u'０', u'１', u'２', u'３'};
    showMessage(QStringLiteral("編集中の内容を保存しました。 (クィックセーブ%1)")
                    .arg(fullWidthDigits[slot]),
                Icon::None);
}

void DraftStore::quickLoad(int slot) {
    const QString name = slotFileName(slot);
    const QString path = app().path(name);
    if (fileExists(path)) {
        if (guarded([&] { edit_.setText(readTextFile(path)); })) remember(name);
    }
    loadQuotePane();
}

void DraftStore::open() {
    const QString chosen = askOpenName();
    if (chosen.isEmpty()) return;
    if (unguarded([&] { edit_.setText(readTextFile(chosen)); })) remember(chosen);
}

void DraftStore::saveAs() {
    QString directory = app().AppDir;
    if (!app().ToolFileName.isEmpty()) {
        const QString path = toolPath();
        // Recorded before the dialog: quick save 0 writes to the tool's file even
        // when this dialog is cancelled.
        if (!unguarded([&] { setLastSavePath(path); })) return;
        directory = QFileInfo(path).path();
        saveName_ = app().ToolFileName;
    } else if (!openName_.isEmpty()) {
        saveName_ = openName_;
    }
    QString chosen = askSaveName(directory);
    if (chosen.isEmpty()) return;
    if (!hasExtension(chosen)) chosen += QStringLiteral(".txt");
    saveName_ = chosen;
    unguarded([&] {
        writeTextFile(chosen, edit_.text());
        setLastSavePath(chosen);
    });
}

void DraftStore::overwriteSave() {
    if (!openName_.isEmpty()) {
        const QString path = appPath(openName_);
        unguarded([&] { writeTextFile(path, edit_.text()); });
        return;
    }
    QString chosen = askSaveName(app().AppDir);
    if (chosen.isEmpty()) return;
    const bool addExtension = !hasExtension(chosen);
    if (addExtension) chosen += QStringLiteral(".txt");
    saveName_ = chosen;
    unguarded([&] {
        writeTextFile(chosen, edit_.text());
        if (addExtension) setLastSavePath(chosen);
    });
}

void DraftStore::insertFile() {
    const QString chosen = askOpenName();
    if (chosen.isEmpty()) return;
    guarded([&] {
        QString text = readTextFile(chosen);
        openName_ = chosen;
        if (text.isEmpty()) return;
        // Every line, the last one too, is inserted followed by a line break.
        if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
        edit_.replaceSelection(text);
    });
}

}  // namespace kirel
