#pragma once

// One running editor per user and display. The first instance holds a lock on a
// file and listens on a local socket; a second start finds the lock held, asks
// the first instance to come to the front (handing on its activation token, see
// activationrequest.h) and ends without a window. The lock is the system's
// (flock): it goes with the process that holds it, so whatever a crash or a
// power cut leaves in the file, the next start takes it. Taking it writes
// nothing to the disk and waits for no disk. The socket is a plain Unix socket
// watched by the event loop: the program needs no networking library at start.

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace kirel {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first instance (and now holds the lock).
    // Otherwise the running instance has been asked to come to the front.
    bool claim();

  signals:
    // Another start asked this instance to come to the front, handing on the
    // activation token its launcher gave it (empty when it had none).
    void activationRequested(const QString& token);

  private:
    void listen();
    // Asks a running instance to come to the front, trying for up to patienceMs;
    // false when none answered.
    bool askRunningCopy(int patienceMs);
    void acceptConnection();

    QString lockPath_;
    QString socketPath_;
    int lockFd_ = -1;    // holds the lock while open
    int serverFd_ = -1;  // the listening socket
    QSocketNotifier* listener_ = nullptr;
};

}  // namespace kirel
