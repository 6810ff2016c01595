// The preview: building the page, and showing the preview tab of the real main
// window until its browser view reports the page loaded, the first time in the
// process (module loaded, engine started, view created) and again afterwards.
// Then the warm showing (the page already shown once) of a small post and of a
// 1 MB post as a user feels it: from the tab click until the page is drawn, and
// the longest stall of the window's thread meanwhile; the same for a 1 MB post
// changed before each showing; and the steps of the window's thread that make up
// the 1 MB page (taking the text, assembling, encoding, writing the file).
// The showings need an X display (bench/bench_preview.sh provides one).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPlainTextEdit>
#include <QPluginLoader>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

#include "app/mainwindow.h"
#include "benchtext.h"
#include "core/appstate.h"
#include "platform/browserview.h"
#include "platform/qttextpane.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "preview/boards.h"
#include "preview/previewpage.h"
#include "preview/previewtabs.h"
#include "stallprobe.h"

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

// About 1 MB of Shift-JIS: lines of mixed Japanese and ASCII with a tag, every
// third one long enough to wrap.
QString longPost(qint64 bytes = 1024 * 1024) {
    return kirel::bench::longPost(
        QStringLiteral("こんにちは、今日のスレッドの<B>話題</B>について返信します。abc 123 ｱｲｳ\n"),
        bytes);
}

// The steps of the window's thread that make the 1 MB page, one by one.
struct BigPage {
    QString paneText = longPost();
    kirel::preview::PageSettings settings = kirel::preview::normalized(
        kirel::preview::pageSettingsOf(kirel::preview::boardDefaults(1, QStringLiteral("/a/"))));
    QString body = kirel::preview::previewBodyFrom(paneText);
    QString page = kirel::preview::assemblePage(settings, body);
    QByteArray bytes = kirel::preview::pageBytes(page);
};

BigPage& bigPage() {
    static BigPage page;
    return page;
}

void BigPaneText(benchmark::State& state) {
    QTextDocument document;
    document.setPlainText(bigPage().paneText);
    for (auto _ : state) benchmark::DoNotOptimize(kirel::paneText(document));
}
BENCHMARK(BigPaneText)->Unit(benchmark::kMillisecond);

void BigPreviewBody(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(kirel::preview::previewBodyFrom(bigPage().paneText));
}
BENCHMARK(BigPreviewBody)->Unit(benchmark::kMillisecond);

void BigAssembly(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(kirel::preview::assemblePage(bigPage().settings, bigPage().body));
    }
}
BENCHMARK(BigAssembly)->Unit(benchmark::kMillisecond);

void BigEncoding(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kirel::preview::pageBytes(bigPage().page));
}
BENCHMARK(BigEncoding)->Unit(benchmark::kMillisecond);

void BigFileWrite(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(kirel::preview::kPageFileName);
    for (auto _ : state) kirel::writeBytesFile(path, bigPage().bytes);
}
BENCHMARK(BigFileWrite)->Unit(benchmark::kMillisecond);

// Navigations the views were sent on, all views together.
int navigations = 0;

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

    // Shows the preview tab as a user clicks it, the page already shown once:
    // the time until the page is drawn and the longest stall meanwhile. When the
    // view is sent to the page again, drawn means the view has reported the load
    // finished and a widget of the engine's view (its compositor output, which
    // the engine may replace for a new page) has painted a frame since the
    // click, whichever comes later: the engine draws a long page as it parses
    // it, and after the load has finished it paints again only if something
    // changed. When the page on view is kept, drawn means the view's picture
    // shows the page (its title bar, in the board's colour) again.
    // Also, when marker is given (a colour the top of the new post shows), when
    // the top of the new page was first seen in the view's picture.
    bench::Felt feelPreview(QColor marker = QColor()) {
        // As a user comes to it: writing in the edit pane, then the tab clicked.
        form->tabs->setCurrentIndex(0);
        form->activateWindow();
        form->editPane->setFocus();
        settle();
        bool loaded = false, painted = false;
        // The view's picture is taken only after it has painted something new:
        // taking it often would itself hold the view's drawing up. Taking it
        // paints the view too, which does not count.
        bool fresh = false, grabbing = false;
        double freshMs = 0;  // when the view last painted
        QWidget* engineView = view->engine()->widget();
        PaintWatch watch([&](QObject* watched) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (grabbing || !w || !(w == engineView || engineView->isAncestorOf(w))) return;
            fresh = true;
            freshMs = clicked.nsecsElapsed() / 1e6;
            if (!painted) {
                painted = true;
                firstPaintMs = clicked.nsecsElapsed() / 1e6;
            }
        });
        const auto showsNow = [&](const QColor& colour) {
            if (!fresh) return false;
            fresh = false;
            grabbing = true;
            const bool seen = shows(engineView, colour);
            grabbing = false;
            // Not seen yet: looked at again after the next paint.
            return seen;
        };
        qApp->installEventFilter(&watch);
        const auto c =
            QObject::connect(view, &kirel::BrowserView::navigateComplete, [&](const QString&) {
                loaded = true;
                loadedMs = clicked.nsecsElapsed() / 1e6;
            });
        QElapsedTimer waited;
        waited.start();
        bool navigated = false;
        topSeenMs = -1;
        const bench::Felt felt = bench::feel(
            [&] {
                const int before = navigations;
                clicked.start();
                form->tabs->setCurrentIndex(1);
                navigated = navigations != before;
            },
            [&] {
                if (waited.elapsed() > 20000) qFatal("page not drawn");
                // The top counts as seen when the view painted the frame that shows it.
                if (marker.isValid() && topSeenMs < 0 && showsNow(marker)) topSeenMs = freshMs;
                if (navigated) return loaded && painted && (!marker.isValid() || topSeenMs >= 0);
                return showsNow(QColor(0x80, 0x80, 0xFF));
            },
            1);
        if (!navigated) loadedMs = 0;
        QObject::disconnect(c);
        qApp->removeEventFilter(&watch);
        return felt;
    }

    // When the last showing's first frame was painted, its load finished (0 when
    // the page on view was kept) and the top of its post was first seen.
    double firstPaintMs = 0;
    double loadedMs = 0;
    double topSeenMs = -1;

  private:
    QElapsedTimer clicked;

    // Whether the view's picture, as on the screen, holds the colour in its top
    // half (looked at on a coarse grid).
    static bool shows(QWidget* view, const QColor& colour) {
        if (!view->isVisible()) return false;
        const QImage image = view->grab().toImage();
        const QRgb want = colour.rgb();
        for (int y = 0; y < image.height() / 2; y += 3)
            for (int x = 0; x < image.width(); x += 5)
                if ((image.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) return true;
        return false;
    }

    // Lets the window finish painting and the engine go idle.
    static void settle() {
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
    }

    class PaintWatch final : public QObject {
      public:
        explicit PaintWatch(std::function<void(QObject*)> painted) : painted_(std::move(painted)) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted_(watched);
            return false;
        }

      private:
        std::function<void(QObject*)> painted_;
    };
};

Editor* editor = nullptr;

// A module's view, counting the navigations it is sent on.
class CountingEngine final : public kirel::BrowserEngine {
  public:
    explicit CountingEngine(kirel::BrowserEngine* inner) : inner_(inner) {
        QObject::connect(inner->widget(), &QObject::destroyed, [this] { delete this; });
    }
    QWidget* widget() override { return inner_->widget(); }
    void navigate(const QString& address) override {
        ++navigations;
        inner_->navigate(address);
    }
    bool goBack() override { return inner_->goBack(); }
    bool goForward() override { return inner_->goForward(); }
    void refresh() override { inner_->refresh(); }
    void setNavigateComplete(std::function<void(const QString&)> handler) override {
        inner_->setNavigateComplete(std::move(handler));
    }
    QString pageAddress() override { return inner_->pageAddress(); }
    QString pageTitle() override { return inner_->pageTitle(); }
    bool pageComplete() override { return inner_->pageComplete(); }

  private:
    kirel::BrowserEngine* inner_;
};

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
        return new CountingEngine(module_->createEngine(parent, options));
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

// The warm showing from the click to the page drawn: the median wall time, of
// the first frame painted and of the load finished, and the longest stall of
// ten showings.
// With changed, the post changes before each showing: its first line alternates
// between two markers of their own colours.
void feelWarm(benchmark::State& state, const QString& post, bool changed = false) {
    if (!editor) editor = new Editor;
    const QColor markers[] = {QColor(0x00, 0xC0, 0x00), QColor(0xC0, 0x00, 0xC0)};
    const auto marked = [&](int i) {
        return QStringLiteral("<FONT color=\"%1\">■■■■■■■■■■</FONT>\n").arg(markers[i % 2].name()) +
               post;
    };
    editor->form->editPane->setPlainText(changed ? marked(1) : post);
    editor->showPreview();  // the page shown once
    std::vector<double> walls, paints, loads, tops;
    double stall = 0;
    int i = 0;
    for (auto _ : state) {
        if (changed) editor->form->editPane->setPlainText(marked(i));
        const bench::Felt felt = editor->feelPreview(changed ? markers[i % 2] : QColor());
        ++i;
        walls.push_back(felt.wallMs);
        paints.push_back(editor->firstPaintMs);
        loads.push_back(editor->loadedMs);
        tops.push_back(editor->topSeenMs);
        stall = std::max(stall, felt.stallMs);
        state.SetIterationTime(felt.wallMs / 1000.0);
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.counters["drawn_ms"] = median(walls);
    state.counters["first_paint_ms"] = median(paints);
    state.counters["loaded_ms"] = median(loads);
    if (changed) state.counters["top_seen_ms"] = median(tops);
    state.counters["stall_ms"] = stall;
}

void PreviewWarmSmall(benchmark::State& state) {
    feelWarm(state, samplePost());
}
BENCHMARK(PreviewWarmSmall)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void PreviewWarm1MB(benchmark::State& state) {
    feelWarm(state, longPost());
}
BENCHMARK(PreviewWarm1MB)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void PreviewChangedSmall(benchmark::State& state) {
    feelWarm(state, samplePost(), true);
}
BENCHMARK(PreviewChangedSmall)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

void PreviewChanged1MB(benchmark::State& state) {
    feelWarm(state, longPost(), true);
}
BENCHMARK(PreviewChanged1MB)->Iterations(6)->UseManualTime()->Unit(benchmark::kMillisecond);

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
