#include "platform/launcher.h"

#include <QFileInfo>
#include <QProcess>

namespace kirel {
namespace {

bool startDetached(const QString& path) {
    const QFileInfo file(path);
    if (!file.isAbsolute() || !file.isFile()) {
        qWarning("Kirel Editor: the external tool \"%s\" is not a file", qUtf8Printable(path));
        return false;
    }
    QProcess process;
    if (path.endsWith(QLatin1String(".desktop"))) {
        process.setProgram(QStringLiteral("gio"));
        process.setArguments({QStringLiteral("launch"), path});
    } else {
        process.setProgram(path);
    }
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        qWarning("Kirel Editor: the external tool \"%s\" could not be started: %s",
                 qUtf8Printable(path), qUtf8Printable(process.errorString()));
        return false;
    }
    return true;
}

}  // namespace

std::function<bool(const QString&)>& programStarter() {
    static std::function<bool(const QString&)> start = startDetached;
    return start;
}

bool startProgram(const QString& path) {
    return programStarter()(path);
}

}  // namespace kirel
