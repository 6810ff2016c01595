// The decoration window's showing time: from the toolbar command until the
// window is exposed, the first time in the process (the font list is read from
// the system then) and again afterwards. Run on the offscreen platform or on an
// X display; FONTCONFIG_FILE should name the program's fonts.conf, as the
// program itself arranges.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QWindow>

#include "app/mainwindow.h"
#include "core/appstate.h"

namespace {

struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;

    Editor() {
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>();
        form->show();
        form->editPane->setPlainText(QStringLiteral("今日の話題について返信します。"));
        form->editPane->selectAll();
        QApplication::processEvents();
    }

    // Opens the window; milliseconds until it is exposed. Closes it again.
    double showDecoration() {
        QElapsedTimer t;
        t.start();
        form->toggleDecorationWindow();
        QWidget* w = form->decorationWindow();
        while (!w->windowHandle() || !w->windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        form->toggleDecorationWindow();
        QApplication::processEvents();
        return ms;
    }
};

Editor* editor = nullptr;

void DecorationFirstShowing(benchmark::State& state) {
    for (auto _ : state) {
        editor = new Editor;
        state.SetIterationTime(editor->showDecoration() / 1000.0);
    }
}
BENCHMARK(DecorationFirstShowing)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void DecorationLaterShowing(benchmark::State& state) {
    if (!editor) editor = new Editor;
    for (auto _ : state) state.SetIterationTime(editor->showDecoration() / 1000.0);
}
BENCHMARK(DecorationLaterShowing)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete editor;
    return 0;
}
