// The link dialog's showing: from creating it until it has been drawn, opened
// for a text that is no address (no picture preview) and for a picture address
// (the preview loads after the first paint). For the picture, also the time
// until the preview has loaded it: the first time in the process (browser module
// loaded, engine started) and again afterwards. Needs an X display
// (bench/bench_preview.sh provides one).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "decoration/linkdialog.h"
#include "platform/browserview.h"
#include "platform/clipboard.h"

Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

class HeldClipboard final : public kirel::Clipboard {
  public:
    QString content;
    bool hasText() const override { return !content.isEmpty(); }
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
};

// Quits a loop at the first paint of the watched widget.
class FirstPaint final : public QObject {
  public:
    explicit FirstPaint(QEventLoop* loop) : loop_(loop) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) loop_->quit();
        return QObject::eventFilter(watched, event);
    }

  private:
    QEventLoop* loop_;
};

struct Editor {
    QTemporaryDir dir;
    HeldClipboard clipboard;
    std::unique_ptr<MainWindow> form;

    Editor() {
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>(QStringList(), &clipboard);
        form->show();
        QEventLoop settle;
        QTimer::singleShot(300, &settle, &QEventLoop::quit);
        settle.exec();
    }

    struct Times {
        double shown = 0;    // ms until the dialog was drawn
        double picture = 0;  // ms until the preview loaded the picture (0 without)
    };

    // Opens the dialog with the clipboard holding text; closes it again.
    Times open(const QString& text) {
        clipboard.content = text;
        Times times;
        QElapsedTimer clock;
        clock.start();
        auto dialog = std::make_unique<kirel::LinkDialog>(form.get(), *form);
        {
            QEventLoop loop;
            FirstPaint painted(&loop);
            dialog->installEventFilter(&painted);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            dialog->show();
            loop.exec();
            dialog->removeEventFilter(&painted);
        }
        times.shown = double(clock.nsecsElapsed()) / 1e6;
        if (dialog->imageCheck->isEnabled()) {
            QEventLoop loop;
            QObject::connect(dialog->imagePreview, &kirel::BrowserView::navigateComplete, &loop,
                             &QEventLoop::quit);
            QTimer::singleShot(20000, &loop, &QEventLoop::quit);
            loop.exec();
            times.picture = double(clock.nsecsElapsed()) / 1e6;
        }
        dialog->reject();
        return times;
    }
};

Editor* editor = nullptr;

QString pictureAddress() {
    return QUrl::fromLocalFile(QStringLiteral(KIREL_APPDIR "/user/Background.jpg")).toString();
}

// The program folder's browser module, loaded when the first view is made, as
// the program does (this benchmark does not live in the program folder), with
// the shared OpenGL context made just before, as the program makes it.
class ModuleOnDemand final : public kirel::BrowserEngineFactory {
  public:
    kirel::BrowserEngine* createEngine(QWidget* parent,
                                       const kirel::BrowserOptions& options) override {
        if (!module_) {
            context_.setFormat(QSurfaceFormat::defaultFormat());
            if (context_.create()) qt_gl_set_global_share_context(&context_);
            loader_.setFileName(QStringLiteral(KIREL_APPDIR "/kirelweb"));
            module_ = qobject_cast<kirel::BrowserEngineFactory*>(loader_.instance());
            if (!module_) qFatal("no browser module: %s", qPrintable(loader_.errorString()));
        }
        return module_->createEngine(parent, options);
    }

  private:
    QOpenGLContext context_;
    QPluginLoader loader_;
    kirel::BrowserEngineFactory* module_ = nullptr;
};

// The first dialog of the process, then later ones.
void LinkDialogFirstShowingNoPicture(benchmark::State& state) {
    if (!editor) editor = new Editor;
    for (auto _ : state)
        state.SetIterationTime(editor->open(QStringLiteral("plain text")).shown / 1000.0);
}
BENCHMARK(LinkDialogFirstShowingNoPicture)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void LinkDialogShowingNoPicture(benchmark::State& state) {
    if (!editor) editor = new Editor;
    for (auto _ : state)
        state.SetIterationTime(editor->open(QStringLiteral("plain text")).shown / 1000.0);
}
BENCHMARK(LinkDialogShowingNoPicture)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The first picture of the process: the dialog is drawn before the browser
// module is loaded; "picture_ms" counts until the picture is on view.
void LinkDialogFirstShowingWithPicture(benchmark::State& state) {
    if (!editor) editor = new Editor;
    for (auto _ : state) {
        const Editor::Times t = editor->open(pictureAddress());
        state.SetIterationTime(t.shown / 1000.0);
        state.counters["picture_ms"] = t.picture;
    }
}
BENCHMARK(LinkDialogFirstShowingWithPicture)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void LinkDialogLaterShowingWithPicture(benchmark::State& state) {
    if (!editor) editor = new Editor;
    double picture = 0;
    for (auto _ : state) {
        const Editor::Times t = editor->open(pictureAddress());
        state.SetIterationTime(t.shown / 1000.0);
        picture += t.picture;
    }
    state.counters["picture_ms"] = picture / double(state.iterations());
}
BENCHMARK(LinkDialogLaterShowingWithPicture)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // As the program does: no sandbox for root only.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication application(argc, argv);

    ModuleOnDemand module;
    kirel::BrowserView::setFactory(&module);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete editor;
    qt_gl_set_global_share_context(nullptr);
    return 0;
}
