// One running editor per user: a lock left behind in any state (empty after a
// power cut, garbled, naming a process that is gone) must not keep the program
// from starting, and a start while the first really runs must still reach it,
// handing on the activation token its launcher gave it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/desktopsession.h"
#include "platform/singleinstance.h"

using namespace kirel;

namespace {

const QString kKey = QStringLiteral("Kirel Test");

}  // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> runtime_;

    // The lock of this user on this desktop session.
    QString lockPath() const {
        const QString session =
            desktopSessionName(QGuiApplication::platformName(), qEnvironmentVariable("DISPLAY"),
                               qEnvironmentVariable("WAYLAND_DISPLAY"));
        return runtime_->filePath(
            QStringLiteral("Kirel_Test-%1-%2.lock").arg(::getuid()).arg(session));
    }
    QString socketPath() const {
        QString path = lockPath();
        path.chop(int(qstrlen(".lock")));
        return path + QStringLiteral(".socket");
    }
    void putLock(const QByteArray& bytes) const {
        QFile f(lockPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    // The program starts (takes the lock) without waiting out the full search for
    // a running copy, and a second start then finds it and brings it forward.
    void startsAndIsFoundAfterwards() {
        SingleInstance first(kKey);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(first.claim());
        QVERIFY2(timer.elapsed() < 2500, qPrintable(QString::number(timer.elapsed())));
        // Other users may not even connect.
        struct stat socketFile = {};
        QCOMPARE(::stat(QFile::encodeName(socketPath()).constData(), &socketFile), 0);
        QVERIFY(S_ISSOCK(socketFile.st_mode));
        QCOMPARE(socketFile.st_mode & 077, 0u);
        secondStartReaches(first);
    }

    static void secondStartReaches(SingleInstance& first) {
        QSignalSpy activated(&first, &SingleInstance::activationRequested);
        SingleInstance second(kKey);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!second.claim());
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(activated.wait(3000));
        QCOMPARE(activated.size(), 1);
        QCOMPARE(activated.first().first().toString(),
                 qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
    }

    // A peer of the socket that writes these pieces, a moment apart.
    void sendInPieces(const QList<QByteArray>& pieces) const {
        QLocalSocket peer;
        peer.connectToServer(socketPath());
        QVERIFY(peer.waitForConnected(1000));
        for (const QByteArray& piece : pieces) {
            peer.write(piece);
            QVERIFY(peer.waitForBytesWritten(1000));
            QTest::qWait(50);
        }
        peer.disconnectFromServer();
    }

  private slots:
    void init() {
        runtime_ = std::make_unique<QTemporaryDir>();
        QVERIFY(runtime_->isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_->path()));
        qunsetenv("XDG_ACTIVATION_TOKEN");
    }
    void cleanup() { qunsetenv("XDG_ACTIVATION_TOKEN"); }

    // A launcher (on Wayland) gives the second start a token; the running copy
    // needs it to take the focus.
    void activationTokenHandedToTheRunningCopy() {
        SingleInstance first(kKey);
        QVERIFY(first.claim());
        qputenv("XDG_ACTIVATION_TOKEN", "launcher_TIME1234-5678");
        secondStartReaches(first);
        // Without a token the request still arrives, without one.
        qunsetenv("XDG_ACTIVATION_TOKEN");
        secondStartReaches(first);
    }

    void requestArrivingInPieces() {
        SingleInstance first(kKey);
        QVERIFY(first.claim());
        QSignalSpy activated(&first, &SingleInstance::activationRequested);
        sendInPieces({"acti", "vate tok", "en-7\n"});
        QTRY_COMPARE(activated.size(), 1);
        QCOMPARE(activated.first().first().toString(), QStringLiteral("token-7"));
    }

    // A peer that sends no request line brings nothing forward, and endless
    // bytes without a line end are cut off; real starts are still answered.
    void otherTrafficIsNoRequest() {
        SingleInstance first(kKey);
        QVERIFY(first.claim());
        QSignalSpy activated(&first, &SingleInstance::activationRequested);
        sendInPieces({"hello\n", "activated\n"});
        QLocalSocket flood;
        flood.connectToServer(socketPath());
        QVERIFY(flood.waitForConnected(1000));
        const QByteArray junk(4096, 'a');
        for (int i = 0; i < 64 && flood.state() == QLocalSocket::ConnectedState; ++i) {
            flood.write(junk);
            flood.waitForBytesWritten(200);
            QTest::qWait(10);
        }
        QTRY_COMPARE(flood.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(activated.size(), 0);
        // A peer that connects and says nothing holds up no other start.
        QLocalSocket silent;
        silent.connectToServer(socketPath());
        QVERIFY(silent.waitForConnected(1000));
        secondStartReaches(first);
        QCOMPARE(silent.state(), QLocalSocket::ConnectedState);
    }

    void noLock() { startsAndIsFoundAfterwards(); }

    void emptyLock() {
        putLock(QByteArray());
        startsAndIsFoundAfterwards();
    }

    void lockOfRandomBytes() {
        for (int round = 0; round < 3; ++round) {
            QByteArray junk(int(QRandomGenerator::global()->bounded(1, 200)), Qt::Uninitialized);
            for (char& c : junk) c = char(QRandomGenerator::global()->bounded(256));
            putLock(junk);
            startsAndIsFoundAfterwards();
            QVERIFY(!QFile::exists(lockPath()));
        }
    }

    void lockOfADeadProcess() {
        // A lock written the way a running copy writes it, then given the number
        // of a process that has ended.
        QByteArray content;
        {
            QLockFile probe(lockPath());
            QVERIFY(probe.tryLock(0));
            QFile f(lockPath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            content = f.readAll();
            probe.unlock();
        }
        const pid_t child = ::fork();
        if (child == 0) ::_exit(0);
        QVERIFY(child > 0);
        ::waitpid(child, nullptr, 0);
        const qsizetype firstLineEnd = content.indexOf('\n');
        QVERIFY(firstLineEnd > 0);
        putLock(QByteArray::number(child) + content.mid(firstLineEnd));
        startsAndIsFoundAfterwards();
    }

    // After a restart the number in a left-over lock can belong to another live
    // process (here the first one, always running): only a held lock counts.
    void lockNamingAnotherLiveProcess() {
        putLock("1\nkirel\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        startsAndIsFoundAfterwards();
    }

    // A copy that holds the lock keeps it, even one that does not answer.
    void heldLockIsRespected() {
        const QByteArray name = QFile::encodeName(lockPath());
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        SingleInstance second(kKey);
        QVERIFY(!second.claim());
        ::close(fd);
    }

    void lockLeftByAFirstCopyThatEnded() {
        {
            SingleInstance first(kKey);
            QVERIFY(first.claim());
        }
        // The copy that ended took its socket along (before giving up the lock).
        QVERIFY(!QFile::exists(socketPath()));
        startsAndIsFoundAfterwards();
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "test_singleinstance.moc"
