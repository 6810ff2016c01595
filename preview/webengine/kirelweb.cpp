// The browser views of the program on Qt WebEngine, built as a module that the
// program loads the first time it shows a page.
//
// Local pages. The pages the program writes (the preview "0.htm", the user guide)
// are Shift-JIS without a character-set declaration. Left to itself the engine
// guesses their encoding and gets short pages wrong, and no default encoding
// setting changes that. So local files are not loaded through file: addresses
// but through the program's own scheme, whose handler reads the file and declares
// Shift-JIS for HTML that does not name its own character set. The scheme is
// local: web pages cannot load from it.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QObject>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <QWebEngineView>

#include "platform/browserengine.h"

namespace kirel {
namespace {

const QByteArray kLocalScheme = QByteArrayLiteral("kirel-local");

// A local file address (a full path or a file: URL, either with a "#" part) as
// the file's path and the "#" part; an empty path for anything else.
struct LocalAddress {
    QString path;
    QString fragment;
};

LocalAddress localAddressOf(const QString& address) {
    if (address.startsWith(QLatin1Char('/'))) {
        const qsizetype hash = address.lastIndexOf(QLatin1Char('#'));
        if (hash > 0 && !QFileInfo(address).isFile() && QFileInfo(address.left(hash)).isFile()) {
            return {address.left(hash), address.mid(hash + 1)};
        }
        return {address, QString()};
    }
    if (address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        const QUrl url(address);
        if (url.isLocalFile()) return {url.toLocalFile(), url.fragment()};
    }
    return {};
}

QUrl urlFor(const QString& address) {
    const LocalAddress local = localAddressOf(address);
    // Folders and missing files go to the engine's own file handling, which shows
    // a listing or its error page.
    if (!local.path.isEmpty() && QFileInfo(local.path).isFile()) {
        QUrl url;
        url.setScheme(QString::fromLatin1(kLocalScheme));
        url.setPath(QFileInfo(local.path).absoluteFilePath(), QUrl::DecodedMode);
        if (!local.fragment.isEmpty()) url.setFragment(local.fragment);
        return url;
    }
    return QUrl::fromUserInput(address);
}

// A local page is shown as its path (with the part after "#" when there is one),
// so that it can be loaded again from the address box.
QString addressOf(const QUrl& url) {
    QString path;
    if (url.scheme() == QLatin1String(kLocalScheme)) {
        path = url.path(QUrl::FullyDecoded);
    } else if (url.isLocalFile()) {
        path = url.toLocalFile();
    } else {
        return url.toString();
    }
    if (url.hasFragment()) path += QLatin1Char('#') + url.fragment();
    return path;
}

// A page that names its character set itself (a meta declaration or a byte
// order mark) keeps it; any other text is the program's: Shift-JIS.
bool namesItsCharset(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
        bytes.startsWith("\xFE\xFF")) {
        return true;
    }
    return bytes.left(1024).toLower().contains("charset");
}

QByteArray contentTypeOf(const QString& path, const QByteArray& bytes) {
    const QMimeType type = QMimeDatabase().mimeTypeForFileNameAndData(path, bytes);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html") ||
        type.inherits(QStringLiteral("text/html"))) {
        return namesItsCharset(bytes) ? QByteArrayLiteral("text/html")
                                      : QByteArrayLiteral("text/html;charset=Shift_JIS");
    }
    if (type.inherits(QStringLiteral("text/plain"))) {
        return namesItsCharset(bytes) ? QByteArrayLiteral("text/plain")
                                      : QByteArrayLiteral("text/plain;charset=Shift_JIS");
    }
    return type.name().toLatin1();
}

class LocalFileHandler final : public QWebEngineUrlSchemeHandler {
  public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QString path = job->requestUrl().path(QUrl::FullyDecoded);
        QFile file(path);
        if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(file.readAll());
        buffer->open(QIODevice::ReadOnly);
        job->reply(contentTypeOf(path, buffer->data()), buffer);
    }
};

// The profile a view works in. Without a storage folder: the engine's default
// profile, off the record. With one: a profile of its own that keeps cookies,
// logins and its cache in that folder, owned by the view that uses it (one view
// per folder).
QWebEngineProfile* profileFor(const BrowserOptions& options) {
    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    if (!options.storageFolder.isEmpty()) {
        profile = new QWebEngineProfile(QStringLiteral("browser"));
        profile->setPersistentStoragePath(options.storageFolder);
        profile->setCachePath(options.storageFolder + QStringLiteral("/cache"));
        profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
    }
    if (!profile->urlSchemeHandler(kLocalScheme)) {
        profile->installUrlSchemeHandler(kLocalScheme, new LocalFileHandler(profile));
    }
    return profile;
}

class EngineView final : public QWebEngineView, public BrowserEngine {
  public:
    EngineView(QWidget* parent, const BrowserOptions& options) : QWebEngineView(parent) {
        QWebEngineProfile* profile = profileFor(options);
        if (profile != QWebEngineProfile::defaultProfile()) {
            ownProfile_ = profile;
            setPage(new QWebEnginePage(profile, this));
        }
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, options.javaScript);
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                 options.localPagesLoadRemote);
        // Pages that name no font are drawn as a Japanese Windows browser draws
        // them: in the proportional Gothic that posts and text art are made for.
        const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
        settings()->setFontFamily(QWebEngineSettings::StandardFont, gothic);
        settings()->setFontFamily(QWebEngineSettings::SansSerifFont, gothic);
        settings()->setFontFamily(QWebEngineSettings::FixedFont, QStringLiteral("ＭＳ ゴシック"));
        settings()->setFontSize(QWebEngineSettings::DefaultFontSize, 16);
        // A navigation is complete when its load has finished. A move inside the
        // page (a link to "#part", or back and forward between such links) loads
        // nothing and only changes the address.
        connect(this, &QWebEngineView::loadStarted, this, [this] { loading_ = true; });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
            loading_ = false;
            report();
        });
        connect(this, &QWebEngineView::urlChanged, this, [this] {
            if (!loading_) report();
        });
    }

    ~EngineView() override {
        // The page goes before its profile, which writes its cookies as it goes.
        // Parting from its page, the view reports an empty address: nobody
        // listens any more.
        handler_ = nullptr;
        blockSignals(true);
        if (ownProfile_) {
            delete page();
            delete ownProfile_;
        }
    }

    QWidget* widget() override { return this; }
    void navigate(const QString& address) override { load(urlFor(address)); }
    bool goBack() override {
        if (!history()->canGoBack()) return false;
        back();
        return true;
    }
    bool goForward() override {
        if (!history()->canGoForward()) return false;
        forward();
        return true;
    }
    void refresh() override { reload(); }
    void setNavigateComplete(std::function<void(const QString&)> handler) override {
        handler_ = std::move(handler);
    }
    QString pageAddress() override { return url().isEmpty() ? QString() : addressOf(url()); }
    QString pageTitle() override { return title(); }

  protected:
    // A link that asks for a new window opens in this view.
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }

  private:
    void report() {
        if (handler_) handler_(addressOf(url()));
    }

    std::function<void(const QString&)> handler_;
    bool loading_ = false;
    QWebEngineProfile* ownProfile_ = nullptr;
};

}  // namespace

class WebEngineFactory final : public QObject, public BrowserEngineFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KIREL_BROWSER_ENGINE_FACTORY_IID FILE "kirelweb.json")
    Q_INTERFACES(kirel::BrowserEngineFactory)
  public:
    WebEngineFactory() {
        // Before any view exists: the engine reads the scheme list once.
        QWebEngineUrlScheme scheme(kLocalScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
    }

    BrowserEngine* createEngine(QWidget* parent, const BrowserOptions& options) override {
        return new EngineView(parent, options);
    }
};

}  // namespace kirel

#include "kirelweb.moc"
