#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace kirel {

bool shellOpen(const QString& target) {
    const QUrl url =
        target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

}  // namespace kirel
