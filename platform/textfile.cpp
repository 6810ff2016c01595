#include "platform/textfile.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cerrno>

#include "platform/failure.h"
#include "platform/sjis.h"
#include "platform/systemreason.h"

namespace kirel {
namespace {

QString nativePath(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void writeBytesFile(const QString& path, const QByteArray& bytes) {
    const auto refuse = [&path](const QString& why) {
        throw WriteFailure(QStringLiteral("%1 に書き込めません。\r\n%2").arg(nativePath(path), why),
                           why);
    };
    QSaveFile file(path);
    // Unbuffered, so that every write reaches the file system at once and a full
    // disk is reported by the write itself. A buffered save file only finds out at
    // the final flush inside commit(), which ignores the error and renames a short
    // or empty file over the old one.
    // Without a writable folder QSaveFile cannot make its temporary file; writing
    // straight into the target would lose the old file on a failure, so refuse.
    // The reason is taken from errno at once: Qt's own texts are English, and a
    // write that stops part-way (a full disk) leaves it no text at all.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) refuse(fileReason(path, errno));
    QString why;
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        why = systemReason(errno);
    } else if (::fdatasync(file.handle()) != 0) {
        // Blocks a file system only allocates when it writes them out (delayed
        // allocation, network and quota-limited file systems) fail here.
        why = systemReason(errno);
    } else if (file.size() != bytes.size()) {
        why = QStringLiteral("書き込んだ大きさ (%1 バイト) が %2 バイトと違います。")
                  .arg(file.size())
                  .arg(bytes.size());
    } else if (errno = 0; !file.commit()) {
        why = fileReason(path, errno);
    } else {
        return;
    }
    file.cancelWriting();
    refuse(why);
}

void writeTextFile(const QString& path, const QString& paneText) {
    writeBytesFile(path, sjis::toFile(paneText));
}

QString readTextFile(const QString& path) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(QStringLiteral("%1 を開けません。\r\n%2")
                          .arg(nativePath(path), fileReason(path, errno)));
    }
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Failure(QStringLiteral("%1 を読み込めません。\r\n%2")
                          .arg(nativePath(path), systemReason(errno)));
    }
    return sjis::fromFile(bytes);
}

QStringList readItemList(const QString& path) {
    QString text = readTextFile(path);
    if (text.isEmpty()) return {};
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.split(QLatin1Char('\n'));
}

void writeItemList(const QString& path, const QStringList& items) {
    QByteArray bytes;
    for (const QString& item : items) {
        bytes += sjis::encode(item);
        bytes += "\r\n";
    }
    writeBytesFile(path, bytes);
}

int removeSaveLeftovers(const QString& folder) {
    // QSaveFile names its temporary copy after the file with six random letters.
    static const QRegularExpression leftover(QStringLiteral("^.+\\.(txt|ini|htm)\\.[A-Za-z]{6}$"),
                                             QRegularExpression::CaseInsensitiveOption);
    int removed = 0;
    for (const QString& sub : {QString(), QStringLiteral("kao"), QStringLiteral("user")}) {
        const QDir dir(sub.isEmpty() ? folder : folder + QLatin1Char('/') + sub);
        const QFileInfoList files =
            dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        for (const QFileInfo& file : files) {
            if (leftover.match(file.fileName()).hasMatch() && QFile::remove(file.filePath()))
                ++removed;
        }
    }
    return removed;
}

}  // namespace kirel
