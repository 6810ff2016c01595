// The real browser module, offscreen: a local page (an HTML file the user opens in
// the browser tab) tries to read other local files by every road a page has, and
// a web page tries to reach the local pages. The pages report what they could
// read in their titles.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPluginLoader>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEngineView>

#include "platform/browserengine.h"

using namespace kirel;

namespace {

// Tries each read; every result is "read" (the secret came back), "blocked", or
// for the picture "shown".
const char kProbe[] = R"(<html><head><title>start</title></head><body>
<script>
var results = {}, expected = %COUNT%;
function report() {
  if (Object.keys(results).length < expected) return;
  document.title = "done " + Object.keys(results).sort().map(function (k) {
    return k + "=" + results[k];
  }).join(" ");
}
function put(name, value) { if (!(name in results)) { results[name] = value; report(); } }
function xhr(name, url) {
  tried.push(name);
  try {
    var x = new XMLHttpRequest();
    x.open("GET", url);
    x.onload = function () { put(name, x.responseText.indexOf("SECRET") >= 0 ? "read" : "blocked"); };
    x.onerror = function () { put(name, "blocked"); };
    x.send();
  } catch (e) { put(name, "blocked"); }
}
function fetchIt(name, url) {
  tried.push(name);
  try {
    fetch(url).then(function (r) { return r.text(); })
      .then(function (t) { put(name, t.indexOf("SECRET") >= 0 ? "read" : "blocked"); },
            function () { put(name, "blocked"); });
  } catch (e) { put(name, "blocked"); }
}
function frame(name, url) {
  tried.push(name);
  var f = document.createElement("iframe");
  f.onload = function () {
    var text = "";
    try { text = f.contentDocument.body.innerText; } catch (e) {}
    put(name, text.indexOf("SECRET") >= 0 ? "read" : "blocked");
  };
  f.src = url;
  document.body.appendChild(f);
}
function picture(name, url) {
  tried.push(name);
  var i = new Image();
  i.onload = function () { put(name, "shown"); };
  i.onerror = function () { put(name, "blocked"); };
  i.src = url;
}
var tried = [];
setTimeout(function () {
  tried.forEach(function (k) { put(k, "blocked"); });  // no answer at all
}, 4000);
%TRIES%
</script></body></html>)";

QByteArray page(const QStringList& tries) {
    QByteArray html(kProbe);
    html.replace("%COUNT%", QByteArray::number(tries.size()));
    html.replace("%TRIES%", tries.join(QLatin1Char('\n')).toUtf8());
    return html;
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A web server on 127.0.0.1 answering every request with one page.
class OnePageServer : public QTcpServer {
  public:
    QByteArray html;

  protected:
    void incomingConnection(qintptr handle) override {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            if (!socket->readAll().contains("\r\n\r\n")) return;
            socket->write(
                "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\n"
                "Connection: close\r\nContent-Length: " +
                QByteArray::number(html.size()) + "\r\n\r\n" + html);
            socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
};

}  // namespace

class BrowserIsolationTest : public QObject {
    Q_OBJECT

  private:
    QPluginLoader loader_;
    BrowserEngineFactory* factory_ = nullptr;
    QTemporaryDir dir_;
    std::unique_ptr<QWidget> window_;
    BrowserEngine* engine_ = nullptr;

    QWebEngineView* view() const { return qobject_cast<QWebEngineView*>(engine_->widget()); }
    QString at(const QString& name) const { return dir_.filePath(name); }

    // Loads the address and waits for the page's report: the first title it sets
    // that starts with "done".
    QString reportOf(const QString& address) {
        QString report;
        const auto c = connect(view(), &QWebEngineView::titleChanged, this, [&](const QString& t) {
            if (report.isEmpty() && t.startsWith(QLatin1String("done"))) report = t;
        });
        engine_->navigate(address);
        const bool reported = QTest::qWaitFor([&] { return !report.isEmpty(); }, 30000);
        disconnect(c);
        return reported ? report : QStringLiteral("no report: ") + view()->title();
    }

  private slots:
    void initTestCase() {
        const QString appDir = qEnvironmentVariable("KIREL_TEST_APPDIR");
        if (appDir.isEmpty()) QSKIP("KIREL_TEST_APPDIR not set");
        loader_.setFileName(appDir + QStringLiteral("/kirelweb"));
        factory_ = qobject_cast<BrowserEngineFactory*>(loader_.instance());
        if (!factory_)
            QSKIP(qPrintable(QStringLiteral("no browser module: ") + loader_.errorString()));
        window_ = std::make_unique<QWidget>();
        window_->resize(400, 300);
        engine_ = factory_->createEngine(window_.get(), BrowserOptions{});
        window_->show();

        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("site/pictures")));
        QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("outside")));
        put(at(QStringLiteral("site/secret.txt")), "SECRET beside the page");
        put(at(QStringLiteral("outside/secret.txt")), "SECRET in another folder");
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(at(QStringLiteral("site/pictures/red.png"))));
    }

    void localPageReadsNoOtherFile() {
        const QString fileUrl =
            QUrl::fromLocalFile(at(QStringLiteral("site/secret.txt"))).toString();
        put(at(QStringLiteral("site/page.htm")),
            page({
                QStringLiteral("xhr('xhr-beside', 'secret.txt');"),
                QStringLiteral("xhr('xhr-file', '%1');").arg(fileUrl),
                QStringLiteral("xhr('xhr-outside', '../outside/secret.txt');"),
                QStringLiteral("fetchIt('fetch-beside', 'secret.txt');"),
                QStringLiteral("frame('frame-beside', 'secret.txt');"),
                QStringLiteral("frame('frame-file', '%1');").arg(fileUrl),
                QStringLiteral("frame('frame-outside', '../outside/secret.txt');"),
                // Its own pictures still show.
                QStringLiteral("picture('picture', 'pictures/red.png');"),
            }));
        QCOMPARE(reportOf(at(QStringLiteral("site/page.htm"))),
                 QStringLiteral("done fetch-beside=blocked frame-beside=blocked "
                                "frame-file=blocked frame-outside=blocked picture=shown "
                                "xhr-beside=blocked xhr-file=blocked xhr-outside=blocked"));
    }

    void webPageReachesNoLocalPage() {
        // The local page's own address (with whatever the module put in it) and its
        // picture, both of which the local page itself may load.
        put(at(QStringLiteral("site/plain.htm")),
            "<html><head><title>done plain</title></head><body>SECRET plain page</body></html>");
        reportOf(at(QStringLiteral("site/plain.htm")));
        const QUrl local = view()->url();
        QVERIFY2(local.scheme() != QLatin1String("file"), qPrintable(local.toString()));
        const QString localPage = local.toString();
        const QString localPicture =
            local.resolved(QUrl(QStringLiteral("pictures/red.png"))).toString();

        OnePageServer server;
        server.html = page({
            QStringLiteral("xhr('remote-xhr', '%1');").arg(localPage),
            QStringLiteral("frame('remote-frame', '%1');").arg(localPage),
            QStringLiteral("picture('remote-picture', '%1');").arg(localPicture),
        });
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QCOMPARE(
            reportOf(QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort())),
            QStringLiteral("done remote-frame=blocked remote-picture=blocked remote-xhr=blocked"));
    }

    void linkToAnotherLocalFileOpensItAsAPageOfItsOwn() {
        put(at(QStringLiteral("site/other.htm")),
            "<html><head><title>done other</title></head><body>other</body></html>");
        put(at(QStringLiteral("site/links.htm")),
            "<html><head><title>links</title></head><body><a id=\"l\" href=\"other.htm\">x</a>"
            "<script>document.getElementById('l').click();</script></body></html>");
        QCOMPARE(reportOf(at(QStringLiteral("site/links.htm"))), QStringLiteral("done other"));
        const QUrl other = view()->url();
        QCOMPARE(other.path(), at(QStringLiteral("site/other.htm")));
        // Each file is an origin of its own.
        const QUrl links = view()->history()->backItem().url();
        QCOMPARE(links.path(), at(QStringLiteral("site/links.htm")));
        QVERIFY(!links.host().isEmpty());
        QVERIFY(links.host() != other.host());
    }

    void cleanupTestCase() {
        window_.reset();
        engine_ = nullptr;
    }
};

int main(int argc, char** argv) {
    // The browser engine needs the shared OpenGL context before the application
    // exists; as root its sandbox cannot run.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    BrowserIsolationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_browser_isolation.moc"
