#pragma once

// The external tool: one program the user registers (its full path is the
// setting Tool of section "Form9") and starts from the edit pane's menu.
//
// On this platform the registration dialog browses the mounted file systems a
// user can browse (the drive list), their folders and the programs in them: the
// regular files the user may execute, and desktop entries (*.desktop).

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QFileInfo;

namespace kirel {

class Profile;

namespace tool {

// The registered program; empty when none is.
QString registered(const Profile& settings);
// Registers path. Throws kirel::Failure when the settings file cannot be written.
void setRegistered(const Profile& settings, const QString& path);

enum class Launch {
    Started,
    NotStarted,         // registered, but it could not be started
    NothingRegistered,  // the caller offers the registration
};
// Starts the registered program tool through start (which gets the path as
// it is, and nothing else).
Launch launch(const QString& tool, const std::function<bool(const QString&)>& start);

// Whether a full path comes back unchanged from the settings file: one line
// whose stored form (characters Shift-JIS cannot hold and blanks at the ends as
// "&#N;" references) fits in 2047 bytes. A path that would not could be
// registered but never started.
bool isStorable(const QString& path);

// A shared library ("*.so", "*.so.N", or an ELF shared object that names no
// program interpreter): executable by its mode, but no program to start.
bool isSharedLibrary(const QFileInfo& file);

// Whether the file list offers the file: a regular file (or a link to one) the
// user may execute that is no shared library, or a desktop entry, whose full
// path can be registered.
bool isOffered(const QFileInfo& file);
// Names of the offered files of a folder, hidden ones left out, in name order.
QStringList offeredFiles(const QString& folder);
// Names of the subfolders of a folder, hidden ones left out, in name order.
QStringList subfolders(const QString& folder);

// A mounted file system as the system reports it.
struct Mount {
    QString root;        // mount point
    QString type;        // file system type ("ext4", "tmpfs", ...)
    QString label;       // volume name, may be empty
    bool usable = true;  // mounted, readable and a folder
};

// One entry of the drive list.
struct Drive {
    QString root;  // folder the tree starts at
    QString text;  // what the list shows
    bool operator==(const Drive&) const = default;
};

// The drive list: the root folder first, then the home folder, then the other
// mounted volumes a user browses (removable media, other disks, network
// shares), in path order. System, memory and image file systems are left out.
QList<Drive> drives(const QList<Mount>& mounts, const QString& home);
// drives() of the file systems mounted now and the user's home folder.
QList<Drive> currentDrives();

// Index of the drive that holds folder: the one with the longest root that is
// the folder or one of its parents; -1 when none does.
int driveOf(const QList<Drive>& drives, const QString& folder);

}  // namespace tool
}  // namespace kirel
