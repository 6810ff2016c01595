#pragma once

// Fetching a board's SETTING.TXT over HTTP or HTTPS: at most 10 seconds and 64
// KiB, redirects followed only within the same host, cancellable. One fetch per
// object; it reports once, by finished or failed.

#include <QObject>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace kirel {

class HttpGet;

class RulesFetch : public QObject {
    Q_OBJECT
  public:
    explicit RulesFetch(QObject* parent = nullptr);
    ~RulesFetch() override;

    static constexpr int kTimeoutMs = 10000;

    void start(const QUrl& url);
    // Stops a fetch under way; it then reports failed with the cancel message.
    void cancel();
    bool running() const { return running_; }

  signals:
    void progress(qint64 received, qint64 total);  // total -1 when unknown
    void finished(const QByteArray& bytes);
    void failed(const QString& message);

  private:
    void fail(const QString& message);
    void done();

    // Kept until this object goes: it may be reporting when the fetch ends.
    std::unique_ptr<HttpGet> get_;
    bool running_ = false;
    QTimer timer_;
    QUrl url_;
    QString failure_;  // why the fetch was stopped, when it was
};

inline const QString kFetchCancelled = QStringLiteral("読み込みを中止しました。");

}  // namespace kirel
