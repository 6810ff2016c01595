#include "platform/textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>

#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/sjis.h"
#include "platform/systemreason.h"

namespace kirel {
namespace {

SaveStepHook stepHook = nullptr;
ReadFaultHook readFault = nullptr;

void step(SaveStep s, const QString& path) {
    if (stepHook) stepHook(s, path);
}

QString nativePath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

const QString kTempMark = QStringLiteral(".kirel-");
const QString kGroupSuffix = QStringLiteral(".kirel-group");

// The file a save replaces: a symbolic link is followed to the file it names, so
// the link itself stays.
QString saveTarget(const QString& path) {
    QString target = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

[[noreturn]] void refuseWrite(const QString& path, const QString& why) {
    throw WriteFailure(QStringLiteral("%1 に書き込めません。\r\n%2").arg(nativePath(path), why),
                       why);
}

const QString kNotRegular = QStringLiteral("通常のファイルではありません。");

QString tempNameFor(const QString& target) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString random;
    for (int i = 0; i < 6; ++i)
        random += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + kTempMark + random;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// Writes bytes to a new temporary file beside target and makes them reach the
// disk. Returns its path; on a failure nothing is left behind.
QString writeTemp(const QString& path, const QString& target, const QByteArray& bytes) {
    struct stat old {};
    const QByteArray targetName = QFile::encodeName(target);
    const bool exists = ::stat(targetName.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        refuseWrite(path, S_ISDIR(old.st_mode) ? systemReason(EISDIR) : kNotRegular);
    QString temp;
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = tempNameFor(target);
        tempName = QFile::encodeName(temp);
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) refuseWrite(path, systemReason(errno));
    // The new file keeps the permissions the user gave the old one.
    if (exists) (void)::fchmod(fd, old.st_mode & 07777);
    int error = 0;
    // Every write goes to the file system at once, so a full disk is reported by
    // the write itself; fdatasync reports the blocks a file system only allocates
    // when it writes them out (delayed allocation, network and quota-limited file
    // systems).
    if (!writeAll(fd, bytes) || ::fdatasync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(tempName.constData());
        refuseWrite(path, systemReason(error));
    }
    step(SaveStep::TempWritten, target);
    return temp;
}

// Renames temp over target; 0 or the error.
int replaceWith(const QString& temp, const QString& target) {
    if (::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) != 0)
        return errno;
    step(SaveStep::Replaced, target);
    return 0;
}

// Lists whose last read failed, by absolute path.
QSet<QString>& unreadLists() {
    static QSet<QString> lists;
    return lists;
}

QString listKey(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

// Reads a regular file whole. The file is opened without waiting (a FIFO would
// block an ordinary open until a writer came) and checked to be a regular file
// before anything is read.
QByteArray readRegularFile(const QString& path) {
    const auto refuse = [&path](const QString& why) -> QByteArray {
        throw Failure(QStringLiteral("%1 を開けません。\r\n%2").arg(nativePath(path), why));
    };
    if (readFault) {
        if (const int error = readFault(path)) return refuse(systemReason(error));
    }
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return refuse(systemReason(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return refuse(systemReason(error));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(S_ISDIR(st.st_mode) ? systemReason(EISDIR) : kNotRegular);
    }
    QByteArray bytes;
    bytes.resize(qsizetype(st.st_size));
    qsizetype got = 0;
    int error = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(got + 65536);  // the file grew
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
            break;
        }
        if (n == 0) break;
        got += n;
    }
    ::close(fd);
    if (error != 0) {
        throw Failure(QStringLiteral("%1 を読み込めません。\r\n%2")
                          .arg(nativePath(path), systemReason(error)));
    }
    bytes.truncate(got);
    return bytes;
}

}  // namespace

void setSaveStepHook(SaveStepHook hook) {
    stepHook = hook;
}

void setReadFaultHook(ReadFaultHook hook) {
    readFault = hook;
}

void writeBytesFile(const QString& path, const QByteArray& bytes) {
    const QString target = saveTarget(path);
    const QString temp = writeTemp(path, target, bytes);
    if (const int error = replaceWith(temp, target)) {
        ::unlink(QFile::encodeName(temp).constData());
        refuseWrite(path, systemReason(error));
    }
}

namespace {

// Renames an existing file to a name that must not exist yet; 0 or the error.
int moveNoReplace(const QString& from, const QString& to) {
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without the flag: check, then rename.
    struct stat st {};
    if (::lstat(t.constData(), &st) == 0) return EEXIST;
    return ::rename(f.constData(), t.constData()) == 0 ? 0 : errno;
}

bool isOwnTemp(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(QLatin1Char('.')) && name.contains(kTempMark);
}

QString recordPathFor(const QString& file) {
    const QFileInfo info(file);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + kGroupSuffix;
}

}  // namespace

void writeFilesTogether(const QList<FileBytes>& files, const QList<FileMove>& moves) {
    if (files.isEmpty() && moves.isEmpty()) return;
    QStringList targets;
    QStringList temps;
    const auto dropTemps = [&temps] {
        for (const QString& temp : temps) ::unlink(QFile::encodeName(temp).constData());
    };
    try {
        for (const FileBytes& file : files) {
            targets.append(saveTarget(file.path));
            temps.append(writeTemp(file.path, targets.last(), file.bytes));
        }
    } catch (const Failure&) {
        dropTemps();
        throw;
    }
    // The record: pairs of lines, what is renamed and the name it gets; the
    // moves first, in the order they are done.
    QByteArray record;
    for (const FileMove& move : moves) {
        record += QFileInfo(move.from).absoluteFilePath().toUtf8() + '\n' +
                  QFileInfo(move.to).absoluteFilePath().toUtf8() + '\n';
    }
    for (qsizetype i = 0; i < temps.size(); ++i)
        record += temps.at(i).toUtf8() + '\n' + targets.at(i).toUtf8() + '\n';
    const QString firstPath = files.isEmpty() ? moves.first().from : files.first().path;
    const QString recordPath = recordPathFor(files.isEmpty() ? firstPath : targets.first());
    try {
        writeBytesFile(recordPath, record);
    } catch (const WriteFailure& failure) {
        dropTemps();
        refuseWrite(firstPath, failure.reason());
    }
    step(SaveStep::GroupRecorded, recordPath);
    int error = 0;
    QString failed;
    for (const FileMove& move : moves) {
        if (const int e = moveNoReplace(move.from, move.to); e != 0) {
            // Nothing of the group is done yet: it is given up whole.
            ::unlink(QFile::encodeName(recordPath).constData());
            dropTemps();
            refuseWrite(move.from, systemReason(e));
        }
        step(SaveStep::Replaced, move.to);
    }
    for (qsizetype i = 0; i < temps.size(); ++i) {
        if (const int e = replaceWith(temps.at(i), targets.at(i)); e != 0 && error == 0) {
            error = e;
            failed = files.at(i).path;
        }
    }
    // With a rename refused the record stays, so that the next opening finishes
    // the group rather than leave the files disagreeing.
    if (error != 0) refuseWrite(failed, systemReason(error));
    ::unlink(QFile::encodeName(recordPath).constData());
}

namespace {

// The pairs of a group record: what is renamed, and to what.
QList<std::pair<QString, QString>> readRecord(const QString& recordPath) {
    QList<std::pair<QString, QString>> pairs;
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly)) return pairs;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        pairs.append({QString::fromUtf8(lines.at(i)), QString::fromUtf8(lines.at(i + 1))});
    return pairs;
}

QFileInfoList groupRecords(const QString& folder) {
    return QDir(folder).entryInfoList({QStringLiteral(".*") + kGroupSuffix},
                                      QDir::Files | QDir::Hidden | QDir::NoSymLinks);
}

}  // namespace

QStringList completeInterruptedSaves(const QString& folder) {
    QStringList completed;
    const QString here = QDir(folder).absolutePath();
    for (const QFileInfo& record : groupRecords(folder)) {
        for (const auto& [from, to] : readRecord(record.filePath())) {
            // Only files of this folder are renamed. A temporary file replaces its
            // file; a moved file never replaces another.
            if (QFileInfo(from).absolutePath() != here || QFileInfo(to).absolutePath() != here ||
                !QFileInfo(from).isFile())
                continue;
            const int error = isOwnTemp(from) ? replaceWith(from, to) : moveNoReplace(from, to);
            if (error == 0) completed.append(to);
        }
        QFile::remove(record.filePath());
    }
    return completed;
}

QString completedSavesMessage(const QStringList& files) {
    QStringList names;
    for (const QString& file : files) names.append(nativePath(file));
    return QStringLiteral("前回中断された保存を最後まで済ませました。\r\n%1")
        .arg(names.join(QStringLiteral("\r\n")));
}

QStringList programWriteFolders(const QString& programFolder) {
    QStringList folders;
    for (const char* sub : {"", "kao", "images", "user", "user/custom", "user/custom/mozie"}) {
        folders.append(QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(sub)));
    }
    return folders;
}

int removeSaveLeftovers(const QString& folder) {
    // ".<name>.kirel-" and six letters or digits: a name no user file has.
    static const QRegularExpression leftover(QStringLiteral("^\\..+\\.kirel-[A-Za-z0-9]{6}$"));
    int removed = 0;
    for (const QString& path : programWriteFolders(folder)) {
        // The files of a recorded group are kept for the window that owns them,
        // which finishes the group when it opens and says so.
        QSet<QString> recorded;
        for (const QFileInfo& record : groupRecords(path)) {
            for (const auto& [from, to] : readRecord(record.filePath()))
                recorded.insert(QFileInfo(from).fileName());
        }
        const QDir dir(path);
        const QFileInfoList files =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QFileInfo& file : files) {
            if (leftover.match(file.fileName()).hasMatch() && !recorded.contains(file.fileName()) &&
                QFile::remove(file.filePath()))
                ++removed;
        }
    }
    return removed;
}

void writeTextFile(const QString& path, const QString& paneText) {
    writeBytesFile(path, sjis::toFile(paneText));
}

QByteArray readBytesFile(const QString& path) {
    return readRegularFile(path);
}

QString readTextFile(const QString& path) {
    return sjis::fromFile(readRegularFile(path));
}

QStringList readItemList(const QString& path) {
    const QString key = listKey(path);
    QString text;
    try {
        text = readTextFile(path);
    } catch (const Failure&) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink()) unreadLists().insert(key);
        throw;
    }
    unreadLists().remove(key);
    if (text.isEmpty()) return {};
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

bool listUnread(const QString& path) {
    return unreadLists().contains(listKey(path));
}

QString listUnreadMessage(const QString& path) {
    return QStringLiteral(
               "%1 を読み込めなかったため、書き換えません。\r\n"
               "中身を失わないように、この変更は保存しませんでした。\r\n"
               "ファイルを読めるようにしてから、ウィンドウを開き直してください。")
        .arg(nativePath(path));
}

bool refuseUnreadList(const QString& path) {
    if (!listUnread(path)) return false;
    showMessage(listUnreadMessage(path), Icon::Warning);
    return true;
}

QByteArray itemListBytes(const QStringList& items) {
    qsizetype size = 0;
    for (const QString& item : items) size += item.size() * 2 + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QString& item : items) {
        bytes += sjis::encode(item);
        bytes += "\r\n";
    }
    return bytes;
}

void writeItemList(const QString& path, const QStringList& items) {
    if (listUnread(path)) throw Failure(listUnreadMessage(path));
    writeBytesFile(path, itemListBytes(items));
}

}  // namespace kirel
