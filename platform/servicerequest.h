#pragma once

// Requests to answering services: another part of the program (or, later,
// another program) registers under a service name and answers requests for
// items on its topics with text. A requester asks one service for one item with
// a time limit. The answer arrives through the event loop, so the user interface
// keeps painting and taking input while it waits; an answering side that never
// replies costs the time limit and nothing more.

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

namespace kirel {

// The reply to one request: its text, or nothing when the request failed.
using ServiceReply = std::function<void(const std::optional<QString>&)>;

// One answering side, registered under a service name.
class ServiceAnswerer {
  public:
    virtual ~ServiceAnswerer() = default;
    // False: no conversation on this topic can be opened.
    virtual bool hasTopic(const QString& topic) const = 0;
    // Answers the request for item by calling reply once, at once or later, with
    // the text or with nothing (failed). Never calling it is allowed: the
    // requester gives up at its time limit. reply may be called after the
    // requester is gone; it then does nothing.
    virtual void answer(const QString& topic, const QString& item, ServiceReply reply) = 0;
};

// The answering services of the running program. Service names compare
// ignoring case. A new registration under a name replaces the old one;
// unregistering removes a name only while it still belongs to that answerer.
void registerService(const QString& service, ServiceAnswerer* answerer);
void unregisterService(const QString& service, const ServiceAnswerer* answerer);
ServiceAnswerer* findService(const QString& service);

// Asks a service for an item, one request at a time.
class ServiceRequester : public QObject {
    Q_OBJECT
  public:
    explicit ServiceRequester(QObject* parent = nullptr);
    ~ServiceRequester() override;

    // Starts a request; done is called exactly once, from the event loop, with
    // the reply, or with nothing when there is no such service or topic, the
    // answerer reports a failure or the time limit passes first. A request
    // still pending is dropped without its done being called.
    void request(const QString& service, const QString& topic, const QString& item,
                 std::chrono::milliseconds limit, ServiceReply done);
    bool pending() const { return bool(done_); }
    // Drops the pending request; its done is never called.
    void cancel();

  private:
    void finish(quint64 serial, const std::optional<QString>& reply);

    QTimer limit_;
    quint64 serial_ = 0;
    ServiceReply done_;
};

}  // namespace kirel
