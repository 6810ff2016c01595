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

#include "platform/activationrequest.h"
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
        listen();
        return true;
    }
    // A lock that names its process: that copy may still be starting, so give it
    // a moment to answer. A lock that cannot be read (empty or garbled after a
    // power cut) names nobody; only a copy that has just made the file and not yet
    // written it could own it, and that one answers at once.
    qint64 pid = 0;
    QString host, application;
    const bool readable = lock_->getLockInfo(&pid, &host, &application);
    if (askRunningCopy(readable ? 3000 : 1000)) {
        lock_.reset();
        return false;
    }
    // Nobody answers, so nobody runs: the lock is left over. Take it over. (A copy
    // that still holds the file open keeps it: then it is the running one.)
    if (lock_->removeStaleLockFile() && lock_->tryLock(0)) {
        listen();
        return true;
    }
    askRunningCopy(3000);
    lock_.reset();
    return false;
}

void SingleInstance::listen() {
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    server_->listen(socketPath_);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::askRunningCopy(int patienceMs) {
    QElapsedTimer timer;
    timer.start();
    do {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(200)) {
            socket.write(activationRequest(qEnvironmentVariable("XDG_ACTIVATION_TOKEN")));
            socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(50);
    } while (timer.elapsed() < patienceMs);
    return false;
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The request is one line, which may arrive in pieces.
        auto pending = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] {
            pending->append(socket->readAll());
            qsizetype end;
            while ((end = pending->indexOf('\n')) >= 0) {
                const std::optional<QString> token = activationToken(pending->left(end));
                pending->remove(0, end + 1);
                if (token) emit activationRequested(*token);
            }
            if (pending->size() > kMaxActivationRequest) {
                socket->abort();
                socket->deleteLater();
            }
        });
    }
}

}  // namespace kirel
