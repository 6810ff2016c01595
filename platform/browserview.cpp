#include "platform/browserview.h"

#include <QCoreApplication>
#include <QLabel>
#include <QOpenGLContext>
#include <QVBoxLayout>

#include "platform/module.h"

// Qt's context that every OpenGL context of the program shares (exported by Qt
// GUI). The browser engine hands its pictures over through it.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace kirel {
namespace {

BrowserEngineFactory* installedFactory = nullptr;

// The browser engine needs the shared context before it is loaded. Qt makes it
// at start-up when asked to (Qt::AA_ShareOpenGLContexts), but that loads the
// OpenGL driver into every start, pages or not: about 60 ms and 70 MB here. So it
// is made now, when the first page is about to be shown.
void ensureSharedContext() {
    static bool tried = false;
    if (tried || QOpenGLContext::globalShareContext()) return;
    tried = true;
    static QOpenGLContext* context = nullptr;
    context = new QOpenGLContext;
    context->setFormat(QSurfaceFormat::defaultFormat());
    if (!context->create()) return;  // the engine falls back to drawing without it
    qt_gl_set_global_share_context(context);
    qAddPostRoutine([] {
        qt_gl_set_global_share_context(nullptr);
        delete context;
    });
}

// The module "kirelweb" beside the executable.
BrowserEngineFactory* moduleFactory(QString* error) {
    ensureSharedContext();
    return loadModule<BrowserEngineFactory>(QStringLiteral("kirelweb"), error);
}

}  // namespace

BrowserView::BrowserView(const BrowserOptions& options, QWidget* parent)
    : QWidget(parent), options_(options), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
}

void BrowserView::setFactory(BrowserEngineFactory* factory) {
    installedFactory = factory;
}

bool BrowserView::ensureEngine() {
    if (engine()) return true;
    if (failure_) return false;
    QString error;
    BrowserEngineFactory* factory = installedFactory ? installedFactory : moduleFactory(&error);
    if (factory) engine_ = factory->createEngine(this, options_);
    if (!engine_) {
        failure_ = new QLabel(
            QStringLiteral(
                "ブラウザ部品 (kirelweb) を読み込めなかったため、ページを表示できません。\n\n%1")
                .arg(error),
            this);
        failure_->setObjectName(QStringLiteral("BrowserFailure"));
        failure_->setAlignment(Qt::AlignCenter);
        failure_->setWordWrap(true);
        failure_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout_->addWidget(failure_);
        return false;
    }
    view_ = engine_->widget();
    layout_->addWidget(view_);
    engine_->setNavigateComplete(
        [this](const QString& address) { emit navigateComplete(address); });
    return true;
}

QString BrowserView::failureText() const {
    return failure_ ? failure_->text() : QString();
}

void BrowserView::navigate(const QString& address) {
    if (ensureEngine()) engine()->navigate(address);
}

bool BrowserView::goBack() {
    return engine() && engine()->goBack();
}

bool BrowserView::goForward() {
    return engine() && engine()->goForward();
}

void BrowserView::refresh() {
    if (engine()) engine()->refresh();
}

QString BrowserView::pageAddress() const {
    return engine_ ? engine_->pageAddress() : QString();
}

QString BrowserView::pageTitle() const {
    return engine_ ? engine_->pageTitle() : QString();
}

bool BrowserView::pageComplete() const {
    return engine_ && engine_->pageComplete();
}

}  // namespace kirel
