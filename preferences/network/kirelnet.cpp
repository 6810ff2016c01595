// The network module "kirelnet": downloads through Qt's network library, which
// only this module links.
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>

#include "platform/httpget.h"

namespace kirel {
namespace {

class QtHttpGet final : public HttpGet {
  public:
    explicit QtHttpGet(const HttpGetRequest& request) : request_(request) {
        QNetworkRequest r(request.url);
        // Each redirect is put to the caller before it is followed.
        r.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
        r.setMaximumRedirectsAllowed(request.maxRedirects);
        r.setTransferTimeout(request.transferTimeoutMs);
        reply_ = network_->get(r);
        QNetworkReply* reply = reply_;
        QObject::connect(reply, &QNetworkReply::redirected, reply, [this, reply](const QUrl& to) {
            if (!request_.allowRedirect || request_.allowRedirect(request_.url.resolved(to)))
                emit reply->redirectAllowed();
        });
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [this](qint64 received, qint64 total) {
                             if (request_.progress) request_.progress(received, total);
                         });
        QObject::connect(reply, &QNetworkReply::finished, reply, [this] {
            ended_ = true;
            if (request_.finished) request_.finished();
        });
    }

    // The reply may be the one reporting right now: it and its manager go from
    // the event loop, after the report has returned.
    ~QtHttpGet() override {
        if (reply_) {
            reply_->disconnect();
            if (!ended_) reply_->abort();
        }
        network_->deleteLater();
    }

    void abort() override {
        if (reply_ && !ended_) reply_->abort();
    }
    int status() const override {
        return reply_ ? reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
    }
    bool failed() const override { return !reply_ || reply_->error() != QNetworkReply::NoError; }
    QString errorText() const override { return reply_ ? reply_->errorString() : QString(); }
    bool aborted() const override {
        return reply_ && reply_->error() == QNetworkReply::OperationCanceledError;
    }
    QByteArray read(qint64 max) override { return reply_ ? reply_->read(max) : QByteArray(); }

  private:
    HttpGetRequest request_;
    QNetworkAccessManager* network_ = new QNetworkAccessManager;  // owns the reply
    QPointer<QNetworkReply> reply_;
    bool ended_ = false;
};

class NetworkFactory final : public QObject, public HttpGetFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KIREL_HTTP_GET_FACTORY_IID FILE "kirelnet.json")
    Q_INTERFACES(kirel::HttpGetFactory)

  public:
    HttpGet* get(const HttpGetRequest& request) override { return new QtHttpGet(request); }
};

}  // namespace
}  // namespace kirel

#include "kirelnet.moc"
