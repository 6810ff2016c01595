#include "platform/singleinstance.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#include "platform/desktopsession.h"

namespace kirel {
namespace {

QString runtimeFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

// "Kirel Editor" -> "Kirel_Editor-<uid>-<display>", usable as a file name. The
// runtime folder is shared by all sessions of a user (a local desktop and a
// remote one): the display in the name gives each session its own editor.
QString fileKey(const QString& key) {
    QString k = key;
    k.replace(QLatin1Char(' '), QLatin1Char('_'));
    const QString session =
        desktopSessionName(QGuiApplication::platformName(), qEnvironmentVariable("DISPLAY"),
                           qEnvironmentVariable("WAYLAND_DISPLAY"));
    return k + QLatin1Char('-') + QString::number(::getuid()) + QLatin1Char('-') + session;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    const QString base = runtimeFolder() + QLatin1Char('/') + fileKey(key);
    lockPath_ = base + QStringLiteral(".lock");
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::claim() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    lock_->setStaleLockTime(0);  // stale only when the owning process is gone
    if (lock_->tryLock(0)) {
        QLocalServer::removeServer(socketPath_);
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        server_->listen(socketPath_);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
        return true;
    }
    lock_.reset();
    // The first instance may still be starting: try for a moment to reach it.
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 3000) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(200)) {
            socket.write("activate\n");
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return false;
        }
        QThread::msleep(50);
    }
    return false;
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("activate")) emit activationRequested();
        });
    }
}

}  // namespace kirel
