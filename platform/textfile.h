#pragma once

// Whole-file text reads and writes in Shift-JIS with CR LF line breaks.
// Writes replace the file in one step: the new bytes go to a temporary file
// beside it, ".<name>.kirel-XXXXXX", which reaches the disk and is then renamed
// over the file, so a crash or a full disk never leaves a half-written file
// behind. A symbolic link keeps pointing where it did: its target is replaced.
// Only regular files are read or written; a folder, a FIFO or a device in place
// of a file is refused with a message rather than opened (a FIFO would block).
// Failures throw kirel::Failure with a message for the user.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/failure.h"

namespace kirel {

// A save that did not reach the disk: the message names the file and gives the
// reason on its second line; reason() is that line alone (a full disk, a
// refused folder...).
class WriteFailure : public Failure {
  public:
    WriteFailure(const QString& message, const QString& reason)
        : Failure(message), reason_(reason) {}
    const QString& reason() const noexcept { return reason_; }

  private:
    QString reason_;
};

// Pane text ("\n" line breaks) -> file.
void writeTextFile(const QString& path, const QString& paneText);
// File -> pane text ("\n" line breaks).
QString readTextFile(const QString& path);

// The bytes of a regular file, read whole; throws Failure.
QByteArray readBytesFile(const QString& path);

// Item-list files: one entry per line; read as lines ended by CR LF, LF or CR;
// written whole with every entry followed by CR LF. Both are one pass over the
// bytes.
//
// A list whose file exists but could not be read is never written over: its
// contents are unknown, and writing the list the window holds (empty, or with
// one new entry) would lose them. Until a later read of it succeeds,
// writeItemList refuses it with listUnreadMessage().
QStringList readItemList(const QString& path);
void writeItemList(const QString& path, const QStringList& items);
QByteArray itemListBytes(const QStringList& items);
// True while the list file at path failed to load (and no read has succeeded
// since). A missing file is not "unread": there is nothing in it to lose.
bool listUnread(const QString& path);
QString listUnreadMessage(const QString& path);
// Shows listUnreadMessage() as a warning when the list is unread; true then, so
// a command can stop before it changes anything.
bool refuseUnreadList(const QString& path);

// Raw bytes, same atomic replacement. The old file is replaced only once every
// byte of the new one has been written to the disk; otherwise it stays as it was
// and WriteFailure is thrown.
void writeBytesFile(const QString& path, const QByteArray& bytes);

// Replaces several files of one folder, and renames files in it, as one change:
// every new file is written to its temporary file first, then a record of the
// renames to do is saved beside the first file (".<name>.kirel-group"), then
// the moves are done (a moved file never replaces another), the temporary files
// are renamed over their files, and the record is removed. After an
// interruption either nothing changed (no record yet: the temporary files are
// leftovers) or the record lets completeInterruptedSaves() finish the group.
struct FileBytes {
    QString path;
    QByteArray bytes;
};
struct FileMove {
    QString from;
    QString to;
};
void writeFilesTogether(const QList<FileBytes>& files, const QList<FileMove>& moves = {});

// Finishes the groups recorded in folder whose renames were interrupted, for
// the window that owns the files, when it opens. Returns the files completed.
QStringList completeInterruptedSaves(const QString& folder);
// What a window says once after completing: the files named.
QString completedSavesMessage(const QStringList& files);

// The folders of the program folder the program writes to.
QStringList programWriteFolders(const QString& programFolder);

// Start-up cleanup: removes the temporary files ".<name>.kirel-XXXXXX" that
// interrupted saves left in every folder the program writes to, except those a
// group record still names. No other file is touched. Run by the one running copy of the
// program, never while a save may be in progress. Returns how many were removed.
int removeSaveLeftovers(const QString& folder);

// Steps of a save, for tests that stop the process between two of them.
enum class SaveStep {
    TempWritten,    // a temporary file holds the new bytes on disk (path: the file)
    GroupRecorded,  // the record of a group is saved (path: the record)
    Replaced,       // a file was replaced by its new bytes (path: the file)
};
using SaveStepHook = void (*)(SaveStep step, const QString& path);
// Installs a hook called at every step; nullptr removes it.
void setSaveStepHook(SaveStepHook hook);
// For tests that need a read to fail where permissions cannot make it fail (as
// root): the hook returns an error number to fail the read of path with, or 0.
using ReadFaultHook = int (*)(const QString& path);
void setReadFaultHook(ReadFaultHook hook);

}  // namespace kirel
