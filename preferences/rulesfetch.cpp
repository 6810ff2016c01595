#include "preferences/rulesfetch.h"

#include "boardrules/settingtxt.h"
#include "platform/httpget.h"

namespace kirel {

RulesFetch::RulesFetch(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(kTimeoutMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        fail(QStringLiteral("掲示板が10秒以内に応答しませんでした。\r\n読み込みを中止しました。"));
    });
}

RulesFetch::~RulesFetch() = default;

void RulesFetch::start(const QUrl& url) {
    url_ = url;
    QString error;
    HttpGetFactory* network = httpModule(&error);
    if (!network) {
        // Reported from the event loop, as every other ending is.
        QTimer::singleShot(0, this, [this, error] {
            emit failed(QStringLiteral("通信部品 (kirelnet) を読み込めなかったため、掲示板から"
                                       "読み込めません。\r\n\r\n") +
                        error);
        });
        return;
    }
    HttpGetRequest request;
    request.url = url;
    request.maxRedirects = 5;
    request.transferTimeoutMs = kTimeoutMs;
    // Redirects only to the same host, over http or https.
    request.allowRedirect = [this](const QUrl& target) {
        const QString scheme = target.scheme().toLower();
        if (target.host().compare(url_.host(), Qt::CaseInsensitive) != 0 ||
            (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
            fail(QStringLiteral("別のサーバーへ転送されたため、読み込みを中止しました。\r\n") +
                 target.toDisplayString());
            return false;
        }
        return true;
    };
    request.progress = [this](qint64 received, qint64 total) {
        if (received > boardrules::kMaxSettingBytes || total > boardrules::kMaxSettingBytes) {
            fail(boardrules::kTooLarge);
            return;
        }
        emit progress(received, total);
    };
    request.finished = [this] { done(); };
    running_ = true;
    get_.reset(network->get(request));
    timer_.start();
}

void RulesFetch::cancel() {
    fail(kFetchCancelled);
}

void RulesFetch::fail(const QString& message) {
    if (!running_ || !failure_.isEmpty()) return;
    failure_ = message;
    get_->abort();  // reports finished, which reports the failure
}

void RulesFetch::done() {
    timer_.stop();
    if (!running_) return;
    running_ = false;
    if (!failure_.isEmpty()) {
        emit failed(failure_);
        return;
    }
    const int status = get_->status();
    if (get_->failed() || status != 200) {
        QString reason = status != 0 ? QStringLiteral("HTTP %1").arg(status) : get_->errorText();
        if (get_->aborted()) reason = QStringLiteral("時間切れ");
        emit failed(QStringLiteral("掲示板からSETTING.TXTを読み込めませんでした（") + reason +
                    QStringLiteral("）。\r\n") + url_.toDisplayString());
        return;
    }
    emit finished(get_->read(boardrules::kMaxSettingBytes + 1));
}

}  // namespace kirel
