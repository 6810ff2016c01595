// The counter's cost per keystroke in a long post: the running byte count updated
// from one change, next to a full recount of the whole text.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/counter.h"
#include "benchapplication.h"
#include "platform/bytetally.h"
#include "platform/sjis.h"

namespace {

using kirel::bench::application;

// About 1 MB of Shift-JIS: lines of mixed Japanese and ASCII.
QString longPost() {
    const QString line =
        QStringLiteral("こんにちは、今日のスレッドの話題について返信します。abc 123 ｱｲｳ\n");
    QString text;
    while (kirel::sjis::byteLength(text) < 1024 * 1024) text += line;
    return text;
}

void KeystrokeRunningCount(benchmark::State& state) {
    application();
    QPlainTextEdit edit;
    edit.setPlainText(longPost());
    kirel::ByteTally tally(edit.document());
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    int warn = 0;
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("あ"));
        benchmark::DoNotOptimize(kirel::counter::update(1000, tally.bytes(), warn));
        cursor.deletePreviousChar();
    }
    state.counters["bytes"] = double(tally.bytes());
}
BENCHMARK(KeystrokeRunningCount)->Unit(benchmark::kMicrosecond);

void KeystrokeFullRecount(benchmark::State& state) {
    application();
    QPlainTextEdit edit;
    edit.setPlainText(longPost());
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    int warn = 0;
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("あ"));
        const qint64 bytes = kirel::sjis::byteLength(edit.toPlainText());
        benchmark::DoNotOptimize(kirel::counter::update(1000, bytes, warn));
        cursor.deletePreviousChar();
    }
}
BENCHMARK(KeystrokeFullRecount)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
