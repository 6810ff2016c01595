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
//
// A local page may be any HTML file the user opens, so it must not read the
// user's other files. Each local page is loaded under an address of its own,
// "kirel-local://<key>/<path>", where the key stands for that one page: the key
// is the page's origin, so pages cannot read each other, and the handler serves
// under a key only the page's own file and the pictures in its folder (and,
// for a view without scripts, which cannot read what it shows, any picture).
// Local pages get no access to file: addresses, and frames of other local files
// are refused. A link to another local file loads it as a page of its own.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QObject>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
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

// The local pages shown so far, each under its key. Used on the GUI thread only
// (views, navigation checks and the scheme handler all run there).
struct LocalPage {
    QString file;    // canonical path of the page's file
    QString folder;  // canonical path of its folder
    bool scripts;    // the view runs scripts
};

class LocalPages {
  public:
    // The key of the page's file in a view with or without scripts; one per
    // file and kind of view, so that reloading keeps the page's origin.
    QString keyFor(const QString& file, bool scripts) {
        const QString canonical = QFileInfo(file).canonicalFilePath();
        const QString lookup = canonical + (scripts ? QStringLiteral("|s") : QStringLiteral("|-"));
        QString key = keys_.value(lookup);
        if (key.isEmpty()) {
            const quint64 r = QRandomGenerator::system()->generate64();
            key = QStringLiteral("p%1").arg(r, 16, 16, QLatin1Char('0'));
            keys_.insert(lookup, key);
            pages_.insert(key, {canonical, QFileInfo(canonical).absolutePath(), scripts});
        }
        return key;
    }
    const LocalPage* page(const QString& key) const {
        const auto it = pages_.constFind(key);
        return it == pages_.constEnd() ? nullptr : &*it;
    }

  private:
    QHash<QString, QString> keys_;
    QHash<QString, LocalPage> pages_;
};

LocalPages& localPages() {
    static LocalPages pages;
    return pages;
}

QUrl urlFor(const QString& address, bool scripts) {
    const LocalAddress local = localAddressOf(address);
    // Folders and missing files go to the engine's own file handling, which shows
    // a listing or its error page.
    if (!local.path.isEmpty() && QFileInfo(local.path).isFile()) {
        QUrl url;
        url.setScheme(QString::fromLatin1(kLocalScheme));
        url.setHost(localPages().keyFor(local.path, scripts));
        url.setPath(QFileInfo(local.path).absoluteFilePath(), QUrl::DecodedMode);
        if (!local.fragment.isEmpty()) url.setFragment(local.fragment);
        return url;
    }
    return QUrl::fromUserInput(address);
}

bool isLocalScheme(const QUrl& url) {
    return url.scheme() == QLatin1String(kLocalScheme);
}

// The file a local address stands for, canonical; empty when it is none.
QString canonicalFileOf(const QUrl& url) {
    return QFileInfo(url.path(QUrl::FullyDecoded)).canonicalFilePath();
}

bool isPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QMimeType type = QMimeDatabase().mimeTypeForFileNameAndData(path, file.peek(4096));
    return type.name().startsWith(QLatin1String("image/"));
}

// What the page under the key may load: its own file, and pictures in its
// folder or below it (anywhere, for a page that runs no scripts).
bool mayServe(const LocalPage& page, const QString& canonical) {
    if (canonical.isEmpty()) return false;
    if (canonical == page.file) return true;
    const bool inFolder = canonical.startsWith(page.folder + QLatin1Char('/'));
    return (inFolder || !page.scripts) && isPicture(canonical);
}

// A local page is shown as its path (with the part after "#" when there is one),
// so that it can be loaded again from the address box.
QString addressOf(const QUrl& url) {
    QString path;
    if (isLocalScheme(url)) {
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
        const QUrl url = job->requestUrl();
        const LocalPage* page = localPages().page(url.host());
        const QString path = canonicalFileOf(url);
        if (!page || !mayServe(*page, path)) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
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

// A page may read no file: address; the scheme's local access would allow it,
// and the view setting against it does not hold for this scheme's pages. Only a
// whole page may be a file: address (a folder listing the user asked for).
class FileRequestGuard final : public QWebEngineUrlRequestInterceptor {
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        if (info.requestUrl().isLocalFile() &&
            info.resourceType() != QWebEngineUrlRequestInfo::ResourceTypeMainFrame) {
            info.block(true);
        }
    }
};

// Checks every navigation of a view's pages: frames may not show other local
// files, and a link to another local file is loaded as a page of its own (under
// its own key) instead of inside the origin of the page that links to it.
class Page final : public QWebEnginePage {
  public:
    Page(QWebEngineProfile* profile, QObject* parent, std::function<void(const QString&)> open)
        : QWebEnginePage(profile, parent), open_(std::move(open)) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
        const bool local = isLocalScheme(url) || url.isLocalFile();
        if (!local) return true;
        // The view's own loads (an address, back, forward, reload) are the user's.
        if (isMainFrame && (type == NavigationTypeTyped || type == NavigationTypeBackForward ||
                            type == NavigationTypeReload)) {
            return true;
        }
        // The page's own file again (a frame of itself, a link to a part of it).
        if (isLocalScheme(url)) {
            const LocalPage* page = localPages().page(url.host());
            if (page && canonicalFileOf(url) == page->file) return true;
        }
        if (isMainFrame && type == NavigationTypeLinkClicked) {
            const QString address = addressOf(url);
            QTimer::singleShot(0, this, [this, address] { open_(address); });
        }
        return false;
    }

  private:
    std::function<void(const QString&)> open_;
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
        profile->setUrlRequestInterceptor(new FileRequestGuard(profile));
    }
    return profile;
}

class EngineView final : public QWebEngineView, public BrowserEngine {
  public:
    EngineView(QWidget* parent, const BrowserOptions& options)
        : QWebEngineView(parent), scripts_(options.javaScript) {
        QWebEngineProfile* profile = profileFor(options);
        if (profile != QWebEngineProfile::defaultProfile()) ownProfile_ = profile;
        setPage(new Page(profile, this, [this](const QString& address) { navigate(address); }));
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, options.javaScript);
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                 options.localPagesLoadRemote);
        // Local pages read no file: addresses (see FileRequestGuard).
        settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
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
        connect(this, &QWebEngineView::loadStarted, this, [this] {
            loading_ = true;
            complete_ = false;
        });
        connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
            loading_ = false;
            complete_ = ok;
            report();
        });
        connect(page(), &QWebEnginePage::renderProcessTerminated, this,
                [this] { complete_ = false; });
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
    void navigate(const QString& address) override { load(urlFor(address, scripts_)); }
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
    bool pageComplete() override { return complete_ && !loading_; }

  protected:
    // A link that asks for a new window opens in this view.
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }

  private:
    void report() {
        if (handler_) handler_(addressOf(url()));
    }

    const bool scripts_;
    std::function<void(const QString&)> handler_;
    bool loading_ = false;
    bool complete_ = false;  // the last load finished well and its renderer lives
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
        // A host part carries the page's key, so that each page is an origin of
        // its own. Local: web pages cannot load it. Local access allowed: without
        // it a page could not even load its own pictures from this scheme; what
        // it gets is limited by the handler, and file: addresses are turned off
        // in each view's settings.
        QWebEngineUrlScheme scheme(kLocalScheme);
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
        scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
        QWebEngineUrlScheme::registerScheme(scheme);
    }

    BrowserEngine* createEngine(QWidget* parent, const BrowserOptions& options) override {
        return new EngineView(parent, options);
    }
};

}  // namespace kirel

#include "kirelweb.moc"
