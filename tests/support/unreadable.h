#pragma once

// Makes a file unreadable for the program as a user's machine would: permission
// 0200 (write only). Root reads such a file anyway, so the read is also refused
// through the file layer's fault hook, with the error a refused permission gives.

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>

#include "platform/textfile.h"

namespace kirel::test {

inline QSet<QString>& unreadablePaths() {
    static QSet<QString> paths;
    return paths;
}

inline int refuseUnreadable(const QString& path) {
    return unreadablePaths().contains(QFileInfo(path).absoluteFilePath()) ? EACCES : 0;
}

inline void makeUnreadable(const QString& path) {
    QFile::setPermissions(path, QFile::WriteOwner);
    unreadablePaths().insert(QFileInfo(path).absoluteFilePath());
    setReadFaultHook(&refuseUnreadable);
}

inline void makeReadable(const QString& path) {
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    unreadablePaths().remove(QFileInfo(path).absoluteFilePath());
}

// The file's bytes, whatever its permission (which is left as it was).
inline QByteArray bytesOf(const QString& path) {
    const QFile::Permissions was = QFile::permissions(path);
    QFile::setPermissions(path, was | QFile::ReadOwner);
    QFile f(path);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    QFile::setPermissions(path, was);
    return bytes;
}

}  // namespace kirel::test
