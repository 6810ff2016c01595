// The split-post window's cost per keystroke with 1 MB of text: the four counts
// kept up to date from each change (display lines from the editor's layout,
// Shift-JIS bytes), next to counting the whole text again. Then the long
// actions with 1 MB and 5 MB of text (opening, a paste, undoing a delete-all,
// the first key after a resize) as a user feels them: the wall time until the
// counts are right and the longest stall of the window's thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include "app/mainwindow.h"
#include "benchapplication.h"
#include "benchtext.h"
#include "core/appstate.h"
#include "platform/sjis.h"
#include "splitpost/linetally.h"
#include "splitpost/splitpostwindow.h"
#include "stallprobe.h"

namespace {

using kirel::bench::application;

// About 1 MB of Shift-JIS: lines of mixed Japanese and ASCII, every third one
// long enough to wrap.
QString longPost(qint64 bytes = 1024 * 1024) {
    return kirel::bench::longPost(
        QStringLiteral("こんにちは、今日のスレッドの話題について返信します。abc 123 ｱｲｳ\n"), bytes);
}

// Resident memory of the process in kB.
double residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// The main window with 1 MB selected in its edit pane.
struct Editor {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;

    Editor() {
        application();
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        form = std::make_unique<MainWindow>();
        form->editPane->setPlainText(longPost());
        form->editPane->selectAll();
    }
    static Editor& shared() {
        static Editor editor;
        return editor;
    }
};

// (A window that counts everything at once is done when the action returns.)
template <class Window>
bool settled(const Window* w) {
    if constexpr (requires { w->waiting(); })
        return w->waiting() == Window::Wait::Nothing;
    else
        return true;
}

// A split-post window opened on that text, shown at its size.
struct Window {
    kirel::SplitPostWindow* window = nullptr;
    double openedKb = 0;  // memory the open window takes

    Window() {
        Editor& e = Editor::shared();
        const double before = residentKb();
        window = new kirel::SplitPostWindow(e.form.get(), *e.form);
        window->show();
        bench::feel([] {}, [this] { return settled(window); });
        openedKb = residentKb() - before;
    }
    ~Window() { delete window; }
    static Window& shared() {
        static Window w;
        return w;
    }
};

void Keystroke(benchmark::State& state, bool middle) {
    Window& w = Window::shared();
    QPlainTextEdit* editor = w.window->editor;
    QTextCursor cursor(editor->document());
    if (middle)
        cursor.setPosition(editor->document()->characterCount() / 2);
    else
        cursor.movePosition(QTextCursor::End);
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("あ"));
        cursor.deletePreviousChar();
    }
    state.counters["bytes"] = w.window->bytesBox->text().toDouble();
    state.counters["lines"] = w.window->linesBox->text().toDouble();
    state.counters["open_window_kB"] = w.openedKb;
    // Two changes, so two counts, per iteration.
    state.SetItemsProcessed(2 * state.iterations());
}
void KeystrokeAtTheEnd(benchmark::State& state) {
    Keystroke(state, false);
}
void KeystrokeInTheMiddle(benchmark::State& state) {
    Keystroke(state, true);
}
BENCHMARK(KeystrokeAtTheEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeInTheMiddle)->Unit(benchmark::kMicrosecond);

// For comparison: every line laid out and every byte counted again.
void FullRecount(benchmark::State& state) {
    Window& w = Window::shared();
    kirel::LineTally lines(w.window->editor);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lines.recount());
        benchmark::DoNotOptimize(kirel::sjis::byteLength(w.window->editor->toPlainText()));
    }
}
BENCHMARK(FullRecount)->Unit(benchmark::kMillisecond);

// Opening the window on 1 MB: the text laid out and counted once.
void Open(benchmark::State& state) {
    Editor& e = Editor::shared();
    for (auto _ : state) {
        auto* window = new kirel::SplitPostWindow(e.form.get(), *e.form);
        window->show();
        delete window;
    }
}
BENCHMARK(Open)->Unit(benchmark::kMillisecond)->Iterations(3);

// The long actions. Each is run from the event loop and counted done when the
// window's counts are right again.
void report(benchmark::State& state, const bench::Felt& felt) {
    state.counters["wall_ms"] = felt.wallMs;
    state.counters["stall_ms"] = felt.stallMs;
}

// The main window with a text of the given size selected.
MainWindow& editorWith(qint64 bytes) {
    Editor& e = Editor::shared();
    if (kirel::sjis::byteLength(e.form->editPane->toPlainText()) / 1000000 != bytes / 1000000) {
        e.form->editPane->setPlainText(longPost(bytes));
        e.form->editPane->selectAll();
    }
    return *e.form;
}

// A window opened on that text, its counts done.
kirel::SplitPostWindow* settledWindow(qint64 bytes) {
    MainWindow& form = editorWith(bytes);
    auto* w = new kirel::SplitPostWindow(&form, form);
    w->show();
    bench::feel([] {}, [w] { return settled(w); });
    return w;
}

void OpenLong(benchmark::State& state) {
    MainWindow& form = editorWith(state.range(0) * 1000000);
    for (auto _ : state) {
        kirel::SplitPostWindow* w = nullptr;
        report(state, bench::feel(
                          [&] {
                              w = new kirel::SplitPostWindow(&form, form);
                              w->show();
                          },
                          [&] { return w && settled(w); }));
        delete w;
    }
}

void PasteLong(benchmark::State& state) {
    const QString text = longPost(state.range(0) * 1000000);
    for (auto _ : state) {
        state.PauseTiming();
        editorWith(10).editPane->selectAll();
        kirel::SplitPostWindow* w = settledWindow(10);
        QApplication::clipboard()->setText(text);
        state.ResumeTiming();
        report(state, bench::feel([w] { w->editor->paste(); }, [w] { return settled(w); }));
        delete w;
    }
}

void UndoDeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        kirel::SplitPostWindow* w = settledWindow(state.range(0) * 1000000);
        w->editor->selectAll();
        w->editor->textCursor().removeSelectedText();
        bench::feel([] {}, [w] { return settled(w); });
        state.ResumeTiming();
        report(state, bench::feel([w] { w->editor->undo(); }, [w] { return settled(w); }));
        delete w;
    }
}

// The window made wider, then a key typed at once.
void KeyAfterWidthChange(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        kirel::SplitPostWindow* w = settledWindow(state.range(0) * 1000000);
        w->editor->moveCursor(QTextCursor::End);
        state.ResumeTiming();
        report(state, bench::feel(
                          [w] {
                              const int before = w->editor->viewport()->width();
                              w->resize(w->width() + 40, w->height());
                              while (w->editor->viewport()->width() == before)
                                  QApplication::processEvents();
                              QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                            QStringLiteral("あ"));
                              QApplication::sendEvent(w->editor, &key);
                          },
                          [w] { return settled(w); }));
        delete w;
    }
}

void longAction(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
    b->ComputeStatistics("min", bench::least)->ReportAggregatesOnly(true);
}
BENCHMARK(OpenLong)->Apply(longAction);
BENCHMARK(PasteLong)->Apply(longAction);
BENCHMARK(UndoDeleteAll)->Apply(longAction);
BENCHMARK(KeyAfterWidthChange)->Apply(longAction);

}  // namespace

BENCHMARK_MAIN();
