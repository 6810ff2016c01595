#pragma once

// Whole-file text reads and writes in Shift-JIS with CR LF line breaks.
// Writes replace the file in one step (a temporary file beside it is renamed over
// it), so a crash or a full disk never leaves a half-written file behind.
// Failures throw kirel::Failure with a message for the user.

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

// Item-list files: one entry per line; read as lines ended by CR LF, LF or CR;
// written whole with every entry followed by CR LF.
QStringList readItemList(const QString& path);
void writeItemList(const QString& path, const QStringList& items);

// Raw bytes, same atomic replacement. The old file is replaced only once every
// byte of the new one has been written to the disk; otherwise it stays as it was
// and WriteFailure is thrown.
void writeBytesFile(const QString& path, const QByteArray& bytes);

// Removes what saves interrupted by a kill or a power cut leave behind: the
// temporary copy of a save is made beside its file as "<name>.XXXXXX" (six
// letters) and renamed over the file at the end. Only copies of the program's
// kinds of files (".txt", ".ini", ".htm") in the folder and its "kao" and "user"
// subfolders are removed. Run at start-up by the one running copy of the program,
// never while a save may be in progress. Returns how many were removed.
int removeSaveLeftovers(const QString& folder);

}  // namespace kirel
