#include "platform/systemreason.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace kirel {

QString systemReason(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return QStringLiteral("ディスクの空き容量が足りません。");
        case EROFS:
            return QStringLiteral("読み取り専用のファイルシステムです。");
        case EACCES:
        case EPERM:
            return QStringLiteral("アクセス権がありません。");
        case EISDIR:
            return QStringLiteral("ファイルではなくフォルダです。");
        case ENOENT:
            return QStringLiteral("ファイルまたはフォルダが見つかりません。");
        case ENAMETOOLONG:
            return QStringLiteral("ファイル名が長すぎます。");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("開いているファイルが多すぎます。");
        case EIO:
            return QStringLiteral("入出力エラーが発生しました。");
        case 0:
            return QStringLiteral("原因不明のエラーが発生しました。");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString fileReason(const QString& path, int error) {
    if (QFileInfo(path).isDir()) return systemReason(EISDIR);
    return systemReason(error);
}

}  // namespace kirel
