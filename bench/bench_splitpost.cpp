// The split-post window's cost per keystroke with 1 MB of text: the four counts
// kept up to date from each change (display lines from the editor's layout,
// Shift-JIS bytes), next to counting the whole text again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/sjis.h"
#include "splitpost/linetally.h"
#include "splitpost/splitpostwindow.h"

namespace {

// About 1 MB of Shift-JIS: lines of mixed Japanese and ASCII, every third one
// long enough to wrap.
QString longPost() {
    const QString line =
        QStringLiteral("こんにちは、今日のスレッドの話題について返信します。abc 123 ｱｲｳ\n");
    const QString longLine =
        QString(3, QChar(u'長')) + line.repeated(2).remove(QChar(u'\n')) + QLatin1Char('\n');
    QString text;
    for (int i = 0; kirel::sjis::byteLength(text) < 1024 * 1024; ++i)
        text += i % 3 == 2 ? longLine : line;
    return text;
}

QApplication* application() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
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

// A split-post window opened on that text, shown at its size.
struct Window {
    kirel::SplitPostWindow* window = nullptr;
    double openedKb = 0;  // memory the open window takes

    Window() {
        Editor& e = Editor::shared();
        const double before = residentKb();
        window = new kirel::SplitPostWindow(e.form.get(), *e.form);
        window->show();
        QApplication::processEvents();
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

}  // namespace

BENCHMARK_MAIN();
