// The preview: building the page, and showing the preview tab of the real main
// window until its browser view reports the page loaded, the first time in the
// process (module loaded, engine started, view created) and again afterwards.
// The showings need an X display (bench/bench_preview.sh provides one).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPluginLoader>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/browserview.h"
#include "preview/boards.h"
#include "preview/previewpage.h"
#include "preview/previewtabs.h"

namespace {

QString samplePost() {
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("今日のスレッドの話題について<B>返信</B>します。abc ｱｲｳ\n");
    return text;
}

void PageAssembly(benchmark::State& state) {
    const auto settings = kirel::preview::normalized(
        kirel::preview::pageSettingsOf(kirel::preview::boardDefaults(1, QStringLiteral("/a/"))));
    const QString body = kirel::preview::previewBodyFrom(samplePost());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kirel::preview::pageBytes(kirel::preview::assemblePage(settings, body)));
    }
}
BENCHMARK(PageAssembly)->Unit(benchmark::kMicrosecond);

// One main window for the showings, in a program folder of its own.
struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;
    kirel::BrowserView* view = nullptr;

    Editor() {
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>();
        form->show();
        form->editPane->setPlainText(samplePost());
        view = form->findChild<kirel::PreviewTabs*>()->previewView;
    }

    // Shows the preview tab; milliseconds until the view has loaded the page.
    double showPreview() {
        form->tabs->setCurrentIndex(0);
        QEventLoop loop;
        QObject::connect(view, &kirel::BrowserView::navigateComplete, &loop, &QEventLoop::quit);
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        QElapsedTimer t;
        t.start();
        form->tabs->setCurrentIndex(1);
        loop.exec();
        return double(t.nsecsElapsed()) / 1e6;
    }
};

Editor* editor = nullptr;

// The program folder's browser module, loaded when the first view is made, as
// the program does (this benchmark does not live in the program folder).
class ModuleOnDemand final : public kirel::BrowserEngineFactory {
  public:
    kirel::BrowserEngine* createEngine(QWidget* parent,
                                       const kirel::BrowserOptions& options) override {
        if (!module_) {
            loader_.setFileName(QStringLiteral(KIREL_APPDIR "/kirelweb"));
            module_ = qobject_cast<kirel::BrowserEngineFactory*>(loader_.instance());
            if (!module_) qFatal("no browser module: %s", qPrintable(loader_.errorString()));
        }
        return module_->createEngine(parent, options);
    }

  private:
    QPluginLoader loader_;
    kirel::BrowserEngineFactory* module_ = nullptr;
};

void PreviewFirstShowing(benchmark::State& state) {
    for (auto _ : state) {
        editor = new Editor;
        state.SetIterationTime(editor->showPreview() / 1000.0);
    }
}
BENCHMARK(PreviewFirstShowing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void PreviewSecondShowing(benchmark::State& state) {
    if (!editor) editor = new Editor;
    for (auto _ : state) state.SetIterationTime(editor->showPreview() / 1000.0);
}
BENCHMARK(PreviewSecondShowing)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // As the program does: shared contexts before the application object, and no
    // sandbox for root only.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication application(argc, argv);

    ModuleOnDemand module;
    kirel::BrowserView::setFactory(&module);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete editor;
    return 0;
}
