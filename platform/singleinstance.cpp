#include "platform/singleinstance.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
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

// Opens the lock file and takes its lock; -1 when another process holds it
// (*held) or the file cannot be made. A file removed by a copy that was ending,
// between our opening and our lock, is left for a fresh one.
int takeLock(const QString& path, bool* held) {
    const QByteArray name = QFile::encodeName(path);
    *held = false;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            *held = errno == EWOULDBLOCK;
            ::close(fd);
            return -1;
        }
        struct stat opened = {};
        struct stat named = {};
        if (::fstat(fd, &opened) == 0 && ::stat(name.constData(), &named) == 0 &&
            opened.st_dev == named.st_dev && opened.st_ino == named.st_ino) {
            // The process number, for whoever looks: the lock is what counts, and
            // nothing waits for the disk.
            const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
            if (::ftruncate(fd, 0) == 0) {
                [[maybe_unused]] const ssize_t written =
                    ::write(fd, pid.constData(), size_t(pid.size()));
            }
            return fd;
        }
        ::close(fd);
    }
    return -1;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    const QString base = runtimeFolder() + QLatin1Char('/') + fileKey(key);
    lockPath_ = base + QStringLiteral(".lock");
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
    if (lockFd_ < 0) return;
    // Removed while still held, so that a start now makes a fresh file.
    ::unlink(QFile::encodeName(lockPath_).constData());
    ::close(lockFd_);
}

bool SingleInstance::claim() {
    bool held = false;
    lockFd_ = takeLock(lockPath_, &held);
    if (lockFd_ >= 0) {
        listen();
        return true;
    }
    // The lock is held: a copy runs, and may still be starting, so give it a
    // moment to answer.
    if (askRunningCopy(held ? 3000 : 1000)) return false;
    if (!held) {
        // No lock file can be made here (a runtime folder we may not write):
        // nobody answers, so run without one rather than not at all.
        listen();
        return true;
    }
    lockFd_ = takeLock(lockPath_, &held);  // the holder may have ended meanwhile
    if (lockFd_ >= 0) {
        listen();
        return true;
    }
    askRunningCopy(3000);
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
