#pragma once

// Where the program keeps its files (AppDir), decided once at start-up.
//
// A copy of the program in a folder the user may write to (unpacked into the
// user's own folder, the build folder, the tests) keeps everything beside the
// executable. An installed program (executable in bin/, read-only data in
// share/kirel/) and a copy in a folder the user may not write to keep the user's
// files in the user's data folder, $XDG_DATA_HOME/kirel/ (~/.local/share/kirel/),
// which is filled from the read-only data that ships with the program.

#include <QString>
#include <QStringList>

namespace kirel {

struct AppFolder {
    QString path;        // AppDir, ending with '/'
    QString seedSource;  // read-only data to fill `path` from; empty: nothing to fill
    // What of seedSource is filled in (top-level names); empty means all of it.
    QStringList seedEntries;
};

// The decision itself. installedData is the installed data folder that belongs
// to this executable, or empty when the executable is not part of an
// installation.
AppFolder chooseAppFolder(const QString& exeDir, bool exeDirWritable, const QString& installedData,
                          const QString& dataHome);

// The decision for an executable in exeDir, from the file system and the
// environment.
AppFolder locateAppFolder(const QString& exeDir);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString userDataHome();

// The installed data folder (share/kirel beside the bin/ folder) when exeDir is
// the bin/ folder of an installation, else empty.
QString installedDataFolder(const QString& exeDir);

// A module of the program (path without its suffix): in the installation's
// private library folder when the program is installed, else beside the
// executable.
QString modulePath(const QString& name);

// The outcome of filling the user's data folder.
struct SeedReport {
    QStringList copied;   // files that were missing
    QStringList updated;  // files the user had not changed, replaced by a newer shipped one
    QString error;        // the first failure, for the user; empty when all went well
};

// Fills folder.path from folder.seedSource: creates the folders the program
// expects, copies every shipped file the user does not have yet, and replaces a
// file by a newer shipped one only while the user's copy is still exactly what
// was copied before (a record of the copies is kept in the folder). A file the
// user changed, or had before it was ever copied, is never overwritten. Each copy
// replaces its target in one step, so an interrupted start leaves no half file.
SeedReport seedAppFolder(const AppFolder& folder);

}  // namespace kirel
