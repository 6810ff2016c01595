// A board's limits on long posts: splitting a 1 MB post into parts within the
// byte and line limits, and the counter's line count per keystroke, which takes
// the same time in a post of 64 KB and of 1 MB (the document keeps its line
// count; nothing walks the text).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/linecounter.h"
#include "benchapplication.h"
#include "boardrules/postsplitter.h"
#include "platform/sjis.h"

namespace {

using kirel::bench::application;

// Lines of mixed Japanese, ASCII, a reference and a tag, to `bytes` of Shift-JIS.
QString longPost(qint64 bytes) {
    const QString line = QStringLiteral(
        "こんにちは、今日のスレッドの話題について返信します。abc 123 ｱｲｳ &#128512; "
        "<b>太字</b>\n");
    QString text;
    while (kirel::sjis::byteLength(text) < bytes) text += line;
    return text;
}

void SplitOneMegabyte(benchmark::State& state) {
    const QString text = longPost(1024 * 1024);
    const kirel::boardrules::SplitLimits limits{4096, 32, state.range(0) != 0};
    qsizetype parts = 0;
    for (auto _ : state) {
        const auto result = kirel::boardrules::splitPost(text, limits);
        parts = result.parts.size();
        benchmark::DoNotOptimize(result);
    }
    state.counters["parts"] = double(parts);
    state.SetBytesProcessed(state.iterations() * kirel::sjis::byteLength(text));
}
BENCHMARK(SplitOneMegabyte)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One long line: every cut falls inside a line.
void SplitOneMegabyteLine(benchmark::State& state) {
    QString text = longPost(1024 * 1024);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    for (auto _ : state)
        benchmark::DoNotOptimize(kirel::boardrules::splitPost(text, {4096, 32, false}));
}
BENCHMARK(SplitOneMegabyteLine)->Unit(benchmark::kMillisecond);

// A keystroke (a line break typed and taken back) with the line count and its
// warning, in a post of range(0) bytes.
void KeystrokeLineCount(benchmark::State& state) {
    application();
    QPlainTextEdit edit;
    edit.setPlainText(longPost(state.range(0)));
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    int warn = 0;
    for (auto _ : state) {
        cursor.insertText(QStringLiteral("\n"));
        const qint64 lines = edit.document()->blockCount();
        benchmark::DoNotOptimize(kirel::counter::updateLines(32, lines, warn));
        cursor.deletePreviousChar();
    }
    state.counters["lines"] = double(edit.document()->blockCount());
}
BENCHMARK(KeystrokeLineCount)->Arg(64 * 1024)->Arg(1024 * 1024)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
