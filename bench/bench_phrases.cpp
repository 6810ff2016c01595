// The emoticon window with a long category: opening it with a 10,000-line file,
// and inserting an entry from it into a 1 MB post of the real main window (the
// counter's update included).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

#include "app/mainwindow.h"
#include "benchapplication.h"
#include "core/appstate.h"
#include "phrases/emoticonwindow.h"
#include "platform/sjis.h"
#include "platform/textfile.h"

namespace {

using kirel::bench::application;

// A program folder whose first category holds 10,000 emoticons.
struct Folder {
    QTemporaryDir dir;
    Folder() {
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkpath(QStringLiteral("kao"));
        QStringList lines;
        for (int i = 0; i < 10000; ++i) lines << QStringLiteral("(´・ω・｀)%1ｼｮﾎﾞｰﾝ").arg(i);
        kirel::writeItemList(kirel::app().path(QStringLiteral("kao/zyouyou.txt")), lines);
    }
};

QString longPost() {
    const QString line =
        QStringLiteral("こんにちは、今日のスレッドの話題について返信します。abc 123 ｱｲｳ\n");
    QString text;
    while (kirel::sjis::byteLength(text) < 1024 * 1024) text += line;
    return text;
}

void OpenEmoticonWindow10000Lines(benchmark::State& state) {
    application();
    Folder folder;
    MainWindow form;
    for (auto _ : state) {
        auto* w = new kirel::EmoticonWindow(&form, form);
        w->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w->list->count());
        state.PauseTiming();
        delete w;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenEmoticonWindow10000Lines)->Unit(benchmark::kMillisecond);

void InsertEmoticonInto1MbPost(benchmark::State& state) {
    application();
    Folder folder;
    MainWindow form;
    form.editPane->setPlainText(longPost());
    auto* w = new kirel::EmoticonWindow(&form, form);
    w->show();
    w->list->setCurrentRow(5000);
    const qsizetype size = form.editPane->document()->characterCount();
    for (auto _ : state) {
        QTextCursor c = form.editPane->textCursor();
        c.setPosition(int(size / 2));
        form.editPane->setTextCursor(c);
        w->insertSelected();
        state.PauseTiming();
        c = form.editPane->textCursor();
        c.setPosition(int(size / 2), QTextCursor::KeepAnchor);
        c.removeSelectedText();
        state.ResumeTiming();
    }
    state.counters["bytes"] = double(form.editByteLength());
    delete w;
}
BENCHMARK(InsertEmoticonInto1MbPost)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
