#include "platform/singleinstance.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <functional>

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

// The address of a socket file; false when the path does not fit into one.
bool socketAddress(const QByteArray& path, sockaddr_un* address) {
    *address = {};
    address->sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address->sun_path) return false;
    ::memcpy(address->sun_path, path.constData(), size_t(path.size()));
    return true;
}

// Hands one request to the copy listening at path; false when none listens
// there (or it took nothing within a moment).
bool sendRequest(const QByteArray& path, const QByteArray& request) {
    sockaddr_un address;
    if (!socketAddress(path, &address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // Bounds both the connection (a copy too busy to accept) and the write.
    const timeval patience = {0, 200 * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    bool sent = false;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        const ssize_t written =
            ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
        sent = written == ssize_t(request.size());
    }
    ::close(fd);
    return sent;
}

// One connection to the listening socket: reads its request lines, which may
// arrive in pieces, and ends when the peer closes it or sends more than a
// request without ending its line.
class Peer : public QObject {
  public:
    Peer(int fd, std::function<void(const QString&)> onRequest, QObject* parent)
        : QObject(parent), fd_(fd), onRequest_(std::move(onRequest)) {
        auto* notifier = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
            const bool open = readAvailable();
            if (!open) notifier->setEnabled(false);
            // Handed on once the reading is done, the connection closed first.
            QStringList tokens;
            tokens.swap(tokens_);
            if (!open) deleteLater();
            for (const QString& token : std::as_const(tokens)) onRequest_(token);
        });
    }
    ~Peer() override { ::close(fd_); }

  private:
    // Reads what has arrived; false when the connection is to end.
    bool readAvailable() {
        char buffer[1024];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
            if (n <= 0) return false;  // closed by the peer, or failed
            pending_.append(buffer, n);
            qsizetype end;
            while ((end = pending_.indexOf('\n')) >= 0) {
                const std::optional<QString> token = activationToken(pending_.left(end));
                pending_.remove(0, end + 1);
                if (token) tokens_.append(*token);
            }
            if (pending_.size() > kMaxActivationRequest) return false;
        }
    }

    int fd_;
    std::function<void(const QString&)> onRequest_;
    QByteArray pending_;
    QStringList tokens_;
};

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent) {
    const QString base = runtimeFolder() + QLatin1Char('/') + fileKey(key);
    lockPath_ = base + QStringLiteral(".lock");
    socketPath_ = base + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance() {
    if (serverFd_ >= 0) {
        delete listener_;
        ::close(serverFd_);
        // Removed while the lock is still held: a copy starting now makes its own.
        ::unlink(QFile::encodeName(socketPath_).constData());
    }
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
    const QByteArray path = QFile::encodeName(socketPath_);
    sockaddr_un address;
    if (!socketAddress(path, &address)) return;  // unreachable: run alone
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    ::unlink(path.constData());  // left by a copy that ended without removing it
    // Only this user may connect: the socket file is made without rights for others.
    const mode_t mask = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::umask(mask);
    if (!bound || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        return;
    }
    serverFd_ = fd;
    listener_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(listener_, &QSocketNotifier::activated, this, &SingleInstance::acceptConnection);
}

bool SingleInstance::askRunningCopy(int patienceMs) {
    const QByteArray path = QFile::encodeName(socketPath_);
    const QByteArray request = activationRequest(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
    QElapsedTimer timer;
    timer.start();
    do {
        if (sendRequest(path, request)) return true;
        QThread::msleep(50);
    } while (timer.elapsed() < patienceMs);
    return false;
}

void SingleInstance::acceptConnection() {
    for (;;) {
        const int fd = ::accept4(serverFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;  // none waiting (or none to be had now)
        }
        new Peer(
            fd, [this](const QString& token) { emit activationRequested(token); }, this);
    }
}

}  // namespace kirel
