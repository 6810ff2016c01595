// Fetching a board's SETTING.TXT through the real network module, from a board
// this test serves itself on 127.0.0.1: what is accepted, what is refused with
// which message, and cancelling. Also the message when the module is missing.
#include <QPluginLoader>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "boardrules/settingtxt.h"
#include "platform/httpget.h"
#include "preferences/rulesfetch.h"

using namespace kirel;

namespace {

const QByteArray kRules = "BBS_TITLE=テスト\nBBS_MESSAGE_COUNT=150\n";

// A board that answers by the path asked for; "/silent" never answers.
class Board : public QObject {
  public:
    Board() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QUrl url(const QString& path, const QString& host = QStringLiteral("127.0.0.1")) const {
        return QUrl(QStringLiteral("http://%1:%2%3").arg(host).arg(server_.serverPort()).arg(path));
    }
    QStringList asked;

  private:
    void answer(QTcpSocket* s) {
        request_[s] += s->readAll();
        const QByteArray request = request_[s];
        if (!request.contains("\r\n\r\n")) return;
        request_.remove(s);
        const QByteArray path = request.split(' ').value(1);
        asked << QString::fromLatin1(path);
        QByteArray status = "200 OK", body = kRules, extra;
        if (path == "/silent") return;
        if (path == "/moved") {
            status = "302 Found";
            extra = "Location: /test/SETTING.TXT\r\n";
            body.clear();
        } else if (path == "/elsewhere") {
            status = "302 Found";
            extra =
                "Location: " +
                url(QStringLiteral("/test/SETTING.TXT"), QStringLiteral("localhost")).toEncoded() +
                "\r\n";
            body.clear();
        } else if (path == "/big") {
            body = QByteArray(boardrules::kMaxSettingBytes + 10, 'x');
        } else if (path == "/gone") {
            status = "404 Not Found";
            body = "no such board";
        }
        s->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                 "\r\n" + extra + "Connection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> request_;
};

struct Outcome {
    bool ended = false;
    QByteArray bytes;
    QString failure;
};

Outcome fetchNow(const QUrl& url, const std::function<void(RulesFetch&)>& meanwhile = {}) {
    Outcome out;
    RulesFetch fetch;
    int reports = 0;
    QObject::connect(&fetch, &RulesFetch::finished, [&](const QByteArray& b) {
        ++reports;
        out.bytes = b;
    });
    QObject::connect(&fetch, &RulesFetch::failed, [&](const QString& m) {
        ++reports;
        out.failure = m;
    });
    fetch.start(url);
    if (meanwhile) meanwhile(fetch);
    out.ended = QTest::qWaitFor([&] { return reports > 0; }, 8000);
    // Reported once, and no more afterwards.
    QTest::qWait(50);
    if (reports != 1) out.ended = false;
    return out;
}

}  // namespace

class RulesFetchTest : public QObject {
    Q_OBJECT

  private slots:
    // First, before any module is installed: this test's folder has none.
    void aMissingModuleIsReportedNotHidden() {
        const Outcome out = fetchNow(QUrl(QStringLiteral("http://127.0.0.1:9/SETTING.TXT")));
        QVERIFY(out.ended);
        QVERIFY2(out.failure.startsWith(QStringLiteral("通信部品 (kirelnet) を読み込めなかった")),
                 qPrintable(out.failure));
    }

    void theModuleLoads() {
        const QString appDir = qEnvironmentVariable("KIREL_TEST_APPDIR");
        if (appDir.isEmpty()) QSKIP("KIREL_TEST_APPDIR not set");
        loader_.setFileName(appDir + QStringLiteral("/kirelnet"));
        auto* factory = qobject_cast<HttpGetFactory*>(loader_.instance());
        QVERIFY2(factory, qPrintable(loader_.errorString()));
        setHttpModule(factory);
    }

    void rulesArriveAlsoAfterARedirectOnTheSameHost() {
        Outcome out = fetchNow(board_.url(QStringLiteral("/test/SETTING.TXT")));
        QVERIFY(out.ended);
        QCOMPARE(out.failure, QString());
        QCOMPARE(out.bytes, kRules);
        out = fetchNow(board_.url(QStringLiteral("/moved")));
        QVERIFY(out.ended);
        QCOMPARE(out.failure, QString());
        QCOMPARE(out.bytes, kRules);
    }

    void refusalsSayWhy() {
        Outcome out = fetchNow(board_.url(QStringLiteral("/elsewhere")));
        QVERIFY(out.ended);
        QVERIFY2(out.failure.startsWith(QStringLiteral("別のサーバーへ転送されたため")),
                 qPrintable(out.failure));
        QVERIFY(out.failure.contains(QStringLiteral("localhost")));
        QVERIFY(!board_.asked.isEmpty());
        // The other host was never asked: the board saw one request only.
        const int asked = board_.asked.size();

        out = fetchNow(board_.url(QStringLiteral("/big")));
        QVERIFY(out.ended);
        QCOMPARE(out.failure, boardrules::kTooLarge);

        out = fetchNow(board_.url(QStringLiteral("/gone")));
        QVERIFY(out.ended);
        QVERIFY2(out.failure.contains(QStringLiteral("（HTTP 404）")), qPrintable(out.failure));
        QVERIFY(out.failure.contains(board_.url(QStringLiteral("/gone")).toDisplayString()));
        QCOMPARE(board_.asked.size(), asked + 2);
    }

    void cancellingEndsAFetchThatHangs() {
        const Outcome out = fetchNow(board_.url(QStringLiteral("/silent")), [](RulesFetch& f) {
            QVERIFY(f.running());
            QTimer::singleShot(200, &f, [&f] { f.cancel(); });
        });
        QVERIFY(out.ended);
        QCOMPARE(out.failure, kFetchCancelled);
    }

    // Going away mid-fetch reports nothing and leaves nothing behind to call back.
    void deletingAFetchUnderWayIsQuiet() {
        int reports = 0;
        auto* fetch = new RulesFetch;
        connect(fetch, &RulesFetch::finished, this, [&] { ++reports; });
        connect(fetch, &RulesFetch::failed, this, [&] { ++reports; });
        fetch->start(board_.url(QStringLiteral("/silent")));
        QTest::qWait(100);
        delete fetch;
        QTest::qWait(200);
        QCOMPARE(reports, 0);
    }

    void cleanupTestCase() { setHttpModule(nullptr); }

  private:
    Board board_;
    QPluginLoader loader_;
};

QTEST_MAIN(RulesFetchTest)
#include "test_rulesfetch_gui.moc"
