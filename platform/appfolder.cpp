#include "platform/appfolder.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/failure.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"

// Where an installation puts the data and the browser module, relative to its
// bin/ folder (set by the build from the install layout).
#ifndef KIREL_DATA_FROM_BIN
#define KIREL_DATA_FROM_BIN "../share/kirel"
#endif
#ifndef KIREL_MODULES_FROM_BIN
#define KIREL_MODULES_FROM_BIN "../lib/kirel"
#endif

namespace kirel {
namespace {

// What ships beside a copy of the program (the staged program folder): the
// emoticon lists, the mascot pictures, the user lists and background, the help
// page and the font configuration. Everything else in such a folder is the
// program itself or its user's files.
const QStringList kShippedEntries = {
    QStringLiteral("kao"),        QStringLiteral("images"),           QStringLiteral("user"),
    QStringLiteral("fonts.conf"), QStringLiteral("リファレンス.htm"),
};

// Folders the windows write their lists into; they must exist even when nothing
// shipped in them.
const QStringList kFolders = {
    QStringLiteral("kao"),
    QStringLiteral("images"),
    QStringLiteral("user"),
    QStringLiteral("user/custom"),
    QStringLiteral("user/custom/mozie"),
};

// The record of what was copied, kept in the data folder: one line per file,
// "relative path TAB source size TAB source time TAB SHA-1 of the copy".
const QString kRecordName = QStringLiteral(".seeded");

struct Record {
    qint64 size = -1;
    qint64 time = -1;
    QByteArray hash;
};

QString withSlash(const QString& dir) {
    return QDir::cleanPath(dir) + QLatin1Char('/');
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(QStringLiteral("%1 を開けません。\r\n%2").arg(path, fileReason(path, errno)));
    }
    errno = 0;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Failure(QStringLiteral("%1 を読み込めません。\r\n%2").arg(path, systemReason(errno)));
    }
    return bytes;
}

QByteArray hashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

QHash<QString, Record> readRecords(const QString& path) {
    QHash<QString, Record> records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return records;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = line.split('\t');
        if (f.size() != 4) continue;
        records.insert(QString::fromUtf8(f[0]), {f[1].toLongLong(), f[2].toLongLong(), f[3]});
    }
    return records;
}

void writeRecords(const QString& path, const QHash<QString, Record>& records) {
    QStringList names = records.keys();
    names.sort();
    QByteArray bytes;
    for (const QString& name : names) {
        const Record& r = records[name];
        bytes += name.toUtf8() + '\t' + QByteArray::number(r.size) + '\t' +
                 QByteArray::number(r.time) + '\t' + r.hash + '\n';
    }
    writeBytesFile(path, bytes);
}

// Relative paths of the files under source, limited to the given top-level
// entries when there are any.
QStringList shippedFiles(const QString& source, const QStringList& entries) {
    const QDir root(source);
    QStringList files;
    auto addTree = [&](const QString& dir) {
        QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) files << root.relativeFilePath(it.next());
    };
    if (entries.isEmpty()) {
        addTree(source);
    } else {
        for (const QString& entry : entries) {
            const QFileInfo info(root.filePath(entry));
            if (info.isDir())
                addTree(info.filePath());
            else if (info.isFile())
                files << entry;
        }
    }
    files.removeAll(kRecordName);
    files.sort();
    return files;
}

bool makeFolder(const QString& path, QString* error) {
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), ec);
    if (ec && !QFileInfo(path).isDir()) {
        *error = QStringLiteral("フォルダ %1 を作成できません。\r\n%2")
                     .arg(path, QString::fromLocal8Bit(ec.message().c_str()));
        return false;
    }
    return true;
}

}  // namespace

QString userDataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
}

QString installedDataFolder(const QString& exeDir) {
    const QString data = QDir::cleanPath(exeDir + QStringLiteral("/" KIREL_DATA_FROM_BIN));
    return QFileInfo(data).isDir() ? data : QString();
}

AppFolder chooseAppFolder(const QString& exeDir, bool exeDirWritable, const QString& installedData,
                          const QString& dataHome) {
    const QString dataFolder = withSlash(dataHome + QStringLiteral("/kirel"));
    // An installation's bin/ folder is shared with other programs, and root may
    // write to it: the user's files never go there, writable or not.
    if (!installedData.isEmpty()) return {dataFolder, QDir::cleanPath(installedData), {}};
    if (exeDirWritable) return {withSlash(exeDir), {}, {}};
    return {dataFolder, QDir::cleanPath(exeDir), kShippedEntries};
}

AppFolder locateAppFolder(const QString& exeDir) {
    return chooseAppFolder(exeDir, QFileInfo(exeDir).isWritable(), installedDataFolder(exeDir),
                           userDataHome());
}

QString modulePath(const QString& name) {
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString folder =
        installedDataFolder(exeDir).isEmpty()
            ? exeDir
            : QDir::cleanPath(exeDir + QStringLiteral("/" KIREL_MODULES_FROM_BIN));
    return folder + QLatin1Char('/') + name;
}

SeedReport seedAppFolder(const AppFolder& folder) {
    SeedReport report;
    // Nothing to fill from, or an installation into the user's own data folder
    // (prefix ~/.local): the shipped data is already where the program looks.
    if (folder.seedSource.isEmpty() ||
        QDir::cleanPath(folder.seedSource) == QDir::cleanPath(folder.path))
        return report;
    const QDir target(folder.path);
    if (!makeFolder(target.path(), &report.error)) return report;
    for (const QString& sub : kFolders) {
        QString error;
        if (!makeFolder(target.filePath(sub), &error) && report.error.isEmpty())
            report.error = error;
    }

    const QString recordPath = target.filePath(kRecordName);
    QHash<QString, Record> records = readRecords(recordPath);
    bool recordsChanged = false;
    const QDir source(folder.seedSource);
    for (const QString& rel : shippedFiles(folder.seedSource, folder.seedEntries)) {
        try {
            const QFileInfo from(source.filePath(rel));
            const QFileInfo to(target.filePath(rel));
            const Record seen{from.size(), from.lastModified().toMSecsSinceEpoch(), {}};
            const auto known = records.find(rel);
            if (!to.exists()) {
                QString error;
                if (!makeFolder(to.absolutePath(), &error)) throw Failure(error);
                const QByteArray bytes = readAll(from.filePath());
                writeBytesFile(to.filePath(), bytes);
                records.insert(rel, {seen.size, seen.time, hashOf(bytes)});
                recordsChanged = true;
                report.copied << rel;
                continue;
            }
            // A file the user had before it was ever copied is theirs.
            if (known == records.end() || !to.isFile()) continue;
            if (known->size == seen.size && known->time == seen.time) continue;
            const QByteArray bytes = readAll(from.filePath());
            const QByteArray shippedHash = hashOf(bytes);
            if (shippedHash != known->hash && hashOf(readAll(to.filePath())) == known->hash) {
                writeBytesFile(to.filePath(), bytes);
                known->hash = shippedHash;
                report.updated << rel;
            }
            // The hash stays that of the last copy, so a file the user changed is
            // never taken for an untouched one.
            known->size = seen.size;
            known->time = seen.time;
            recordsChanged = true;
        } catch (const Failure& f) {
            if (report.error.isEmpty()) report.error = f.message();
        }
    }
    if (recordsChanged) {
        try {
            writeRecords(recordPath, records);
        } catch (const Failure& f) {
            if (report.error.isEmpty()) report.error = f.message();
        }
    }
    return report;
}

}  // namespace kirel
