#pragma once

// One running editor per user and display. The first instance holds a lock file and listens on
// a local socket; a second start finds the lock taken, asks the first instance to
// come to the front (handing on its activation token, see activationrequest.h)
// and ends without a window. A lock left by a crashed instance
// (its process is gone), or one that cannot be read (empty or garbled after a
// power cut) and behind which no running instance answers, is taken over.

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

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
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

}  // namespace kirel
