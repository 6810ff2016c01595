#include "platform/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/failure.h"
#include "platform/sjis.h"

namespace kirel {
namespace {

QString nativePath(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void writeBytesFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Without a writable folder QSaveFile cannot make its temporary file; writing
    // straight into the target would lose the old file on a failure, so refuse.
    if (!file.open(QIODevice::WriteOnly)) {
        throw Failure(QStringLiteral("%1 に書き込めません。\r\n%2")
                          .arg(nativePath(path), file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        throw Failure(QStringLiteral("%1 に書き込めません。\r\n%2").arg(nativePath(path), why));
    }
}

void writeTextFile(const QString& path, const QString& paneText) {
    writeBytesFile(path, sjis::toFile(paneText));
}

QString readTextFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(
            QStringLiteral("%1 を開けません。\r\n%2").arg(nativePath(path), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw Failure(QStringLiteral("%1 を読み込めません。\r\n%2")
                          .arg(nativePath(path), file.errorString()));
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

}  // namespace kirel
