#include "platform/servicerequest.h"

#include <QHash>
#include <QPointer>

namespace kirel {
namespace {

QHash<QString, ServiceAnswerer*>& services() {
    static QHash<QString, ServiceAnswerer*> map;
    return map;
}

QString keyOf(const QString& service) {
    return service.toCaseFolded();
}

}  // namespace

void registerService(const QString& service, ServiceAnswerer* answerer) {
    services().insert(keyOf(service), answerer);
}

void unregisterService(const QString& service, const ServiceAnswerer* answerer) {
    const auto it = services().constFind(keyOf(service));
    if (it != services().cend() && it.value() == answerer) services().erase(it);
}

ServiceAnswerer* findService(const QString& service) {
    return services().value(keyOf(service), nullptr);
}

ServiceRequester::ServiceRequester(QObject* parent) : QObject(parent) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] { finish(serial_, std::nullopt); });
}

ServiceRequester::~ServiceRequester() = default;

void ServiceRequester::request(const QString& service, const QString& topic, const QString& item,
                               std::chrono::milliseconds limit, ServiceReply done) {
    cancel();
    const quint64 serial = ++serial_;
    done_ = std::move(done);
    // Every reply, even one given at once, is delivered from the event loop:
    // the caller never sees its done run inside request().
    QPointer<ServiceRequester> self(this);
    auto deliver = [self, serial](const std::optional<QString>& reply) {
        if (!self) return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, serial, reply] {
                if (self) self->finish(serial, reply);
            },
            Qt::QueuedConnection);
    };
    ServiceAnswerer* answerer = findService(service);
    if (!answerer || !answerer->hasTopic(topic)) {
        deliver(std::nullopt);
        return;
    }
    limit_.start(limit);
    answerer->answer(topic, item, deliver);
}

void ServiceRequester::cancel() {
    ++serial_;
    limit_.stop();
    done_ = nullptr;
}

void ServiceRequester::finish(quint64 serial, const std::optional<QString>& reply) {
    if (serial != serial_ || !done_) return;
    limit_.stop();
    const ServiceReply done = std::move(done_);
    done_ = nullptr;
    done(reply);
}

}  // namespace kirel
