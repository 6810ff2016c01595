#include "preferences/rulesfetch.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "boardrules/settingtxt.h"

namespace kirel {

RulesFetch::RulesFetch(QObject* parent)
    : QObject(parent), network_(new QNetworkAccessManager(this)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kTimeoutMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("掲示板が10秒以内に応答しませんでした。\r\n読み込みを中止しました。"));
    });
}

RulesFetch::~RulesFetch() {
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

void RulesFetch::start(const QUrl& url) {
    url_ = url;
    QNetworkRequest request(url);
    // Each redirect is checked here: only to the same host, over http or https.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(5);
    request.setTransferTimeout(kTimeoutMs);
    reply_ = network_->get(request);
    QNetworkReply* reply = reply_;
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& to) {
        const QUrl target = url_.resolved(to);
        const QString scheme = target.scheme().toLower();
        if (target.host().compare(url_.host(), Qt::CaseInsensitive) != 0 ||
            (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
            fail(QStringLiteral("別のサーバーへ転送されたため、読み込みを中止しました。\r\n") +
                 target.toDisplayString());
            return;
        }
        emit reply->redirectAllowed();
    });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > boardrules::kMaxSettingBytes || total > boardrules::kMaxSettingBytes) {
            fail(boardrules::kTooLarge);
            return;
        }
        emit progress(received, total);
    });
    connect(reply, &QNetworkReply::finished, this, &RulesFetch::done);
    timer_.start();
}

void RulesFetch::cancel() {
    fail(kFetchCancelled);
}

void RulesFetch::fail(const QString& message) {
    if (!reply_) return;
    failure_ = message;
    reply_->abort();  // reports finished, which reports the failure
}

void RulesFetch::done() {
    timer_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    if (!reply) return;
    reply->deleteLater();
    if (!failure_.isEmpty()) {
        emit failed(failure_);
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status != 200) {
        QString reason = status != 0 ? QStringLiteral("HTTP %1").arg(status) : reply->errorString();
        if (reply->error() == QNetworkReply::OperationCanceledError)
            reason = QStringLiteral("時間切れ");
        emit failed(QStringLiteral("掲示板からSETTING.TXTを読み込めませんでした（") + reason +
                    QStringLiteral("）。\r\n") + url_.toDisplayString());
        return;
    }
    const QByteArray bytes = reply->read(boardrules::kMaxSettingBytes + 1);
    emit finished(bytes);
}

}  // namespace kirel
