// Windows that show a whole list or picture file, with 1 MB and 5 MB files: the
// decorative-rules dialog opened on a long "kazari.txt" and saving it, and the
// fixed-phrase window opened on a long phrase menu and a long picture. Each as a
// user feels it: the wall time and the longest stall of the window's thread.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "benchapplication.h"
#include "core/appstate.h"
#include "decoration/ruledialog.h"
#include "phrases/phrasewindow.h"
#include "platform/sjis.h"
#include "platform/textfile.h"
#include "stallprobe.h"

namespace {

using kirel::bench::application;

// Lines of mixed Japanese of about this many Shift-JIS bytes (CR LF counted).
QStringList linesOf(qint64 bytes) {
    const QString line = QStringLiteral("━━━☆彡 こんにちは、今日の話題について返信します abc ｱｲｳ ");
    QStringList lines;
    qint64 n = 0;
    for (int i = 0; n < bytes; ++i) {
        lines << line + QString::number(i);
        n += kirel::sjis::byteLength(lines.last()) + 2;
    }
    return lines;
}

// A program folder with the long files, and the main window over it.
struct Folder {
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> form;
    explicit Folder(qint64 bytes) {
        application();
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkpath(QStringLiteral("user/custom/mozie"));
        const QStringList lines = linesOf(bytes);
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/kazari.txt")), lines);
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/custom/Itemlist.txt")),
                             {QStringLiteral("長いメニュー")});
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/custom/長いメニュー.txt")),
                             lines);
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/custom/mozie/Itemlist.txt")),
                             {QStringLiteral("長い絵")});
        kirel::writeTextFile(kirel::app().path(QStringLiteral("user/custom/mozie/長い絵.txt")),
                             lines.join(QLatin1Char('\n')));
        form = std::make_unique<MainWindow>();
        form->show();
    }
};

void report(benchmark::State& state, const bench::Felt& felt) {
    state.counters["wall_ms"] = felt.wallMs;
    state.counters["stall_ms"] = felt.stallMs;
}

void OpenRuleDialog(benchmark::State& state) {
    Folder folder(state.range(0) * 1000000);
    for (auto _ : state) {
        kirel::RuleDialog* d = nullptr;
        report(state, bench::feel(
                          [&] {
                              d = new kirel::RuleDialog(*folder.form, folder.form.get());
                              d->show();
                          },
                          [&] { return d && d->saveButton->isEnabled(); }));
        delete d;
    }
}

void SaveRuleDialog(benchmark::State& state) {
    Folder folder(state.range(0) * 1000000);
    for (auto _ : state) {
        state.PauseTiming();
        auto* d = new kirel::RuleDialog(*folder.form, folder.form.get());
        d->show();
        bench::feel([] {}, [d] { return d->saveButton->isEnabled(); });
        state.ResumeTiming();
        // Written, then the editor filled again from the file.
        report(state,
               bench::feel([d] { d->saveRules(); }, [d] { return d->saveButton->isEnabled(); }));
        delete d;
    }
}

void OpenPhraseWindow(benchmark::State& state) {
    Folder folder(state.range(0) * 1000000);
    for (auto _ : state) {
        kirel::PhraseWindow* w = nullptr;
        report(state, bench::feel(
                          [&] {
                              w = new kirel::PhraseWindow(folder.form.get(), *folder.form);
                              w->show();
                          },
                          [&] { return w && !w->artEditor->isReadOnly(); }));
        state.counters["items"] = w->items->count();
        delete w;
    }
}

void longAction(benchmark::internal::Benchmark* b) {
    b->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
    b->ComputeStatistics("min", bench::least)->ReportAggregatesOnly(true);
}
BENCHMARK(OpenRuleDialog)->Apply(longAction);
BENCHMARK(SaveRuleDialog)->Apply(longAction);
BENCHMARK(OpenPhraseWindow)->Apply(longAction);

}  // namespace

BENCHMARK_MAIN();
