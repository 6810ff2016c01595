#pragma once

// One HTTP or HTTPS download, as the program uses it: a GET with a time limit,
// redirects decided by the caller, progress, and the body once it has arrived.
//
// Qt's network library and the libraries it pulls in (Kerberos, the proxy
// resolver) cost every start a few milliseconds and megabytes, and the program
// downloads nothing until the user asks for a board's rules. So the transport
// lives in a module beside the executable ("kirelnet"), loaded the first time
// it is needed. This header is all the program and the module share: plain
// interfaces and callbacks, no signals.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QtPlugin>
#include <functional>

namespace kirel {

struct HttpGetRequest {
    QUrl url;
    int maxRedirects = 5;
    // No data for this long ends the download as timed out.
    int transferTimeoutMs = 10000;
    // Asked at each redirect with the address it leads to (resolved); false
    // stops the download.
    std::function<bool(const QUrl& target)> allowRedirect;
    // Bytes received so far and the whole size, -1 when unknown.
    std::function<void(qint64 received, qint64 total)> progress;
    // Once, when the download has ended one way or another (also after abort()).
    std::function<void()> finished;
};

// A download under way or ended. Deleting it stops it without a report.
class HttpGet {
  public:
    virtual ~HttpGet() = default;
    // Ends the download; finished is reported (at once) with aborted() true.
    virtual void abort() = 0;
    // After finished: the HTTP status (0 when no answer came), whether it failed
    // and why in the system's words, whether it was stopped by abort() or the
    // time limit, and up to max bytes of the body.
    virtual int status() const = 0;
    virtual bool failed() const = 0;
    virtual QString errorText() const = 0;
    virtual bool aborted() const = 0;
    virtual QByteArray read(qint64 max) = 0;
};

// The module's entry point.
class HttpGetFactory {
  public:
    virtual ~HttpGetFactory() = default;
    virtual HttpGet* get(const HttpGetRequest& request) = 0;
};

// The module "kirelnet", loaded on the first call and kept. Null, with the
// loader's reason in error, when it cannot be loaded.
HttpGetFactory* httpModule(QString* error);
// A factory to use instead of the module, e.g. the module loaded by a test from
// another folder; null goes back to the module.
void setHttpModule(HttpGetFactory* factory);

}  // namespace kirel

#define KIREL_HTTP_GET_FACTORY_IID "jp.example.kirel-editor.HttpGetFactory/1.0"
Q_DECLARE_INTERFACE(kirel::HttpGetFactory, KIREL_HTTP_GET_FACTORY_IID)
