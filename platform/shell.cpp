#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/prompter.h"

namespace kirel {

std::function<bool(const QUrl&)>& shellOpener() {
    static std::function<bool(const QUrl&)> open = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return open;
}

bool shellOpen(const QString& target) {
    const QUrl url =
        target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return shellOpener()(url);
}

void shellOpenOrReport(const QString& target) {
    if (!shellOpen(target)) showPlain(QStringLiteral("%1 を開けません。").arg(target));
}

}  // namespace kirel
