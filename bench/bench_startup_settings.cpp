// Reading the main window's start-up keys from "Kirel.ini": the snapshot read
// once, next to one read of the file per key, on a small file and on a large
// one (long phrase lists kept in the settings by other tools).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/startup.h"
#include "core/settingskeys.h"
#include "platform/profile.h"

namespace {

// A settings file of about kib KiB: the start-up keys after other sections.
QString settingsFile(QTemporaryDir& dir, int kib) {
    const QString path = dir.filePath(QStringLiteral("Kirel.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return path;
    QByteArray other;
    for (int i = 0; other.size() < qsizetype(kib) * 1024; ++i)
        other += "[Other" + QByteArray::number(i / 50) + "]\r\nKey" + QByteArray::number(i) +
                 "=some value of a tool\r\n";
    file.write(other);
    file.write(
        "[Form1]\r\nForm1Top=100\r\nForm1Left=50\r\nForm1Height=402\r\nForm1Width=623\r\n"
        "RichEdit3Height=89\r\nRichEdit1width=520\r\nTopMost=0\r\n[Form2]\r\nInyoufu=>\r\n"
        "[Form5]\r\nHnMax=20\r\n[Form6]\r\nhttp=1\r\n[Form10]\r\nCheck2=1\r\nMojiOK=1000\r\n"
        "FormColor=15909506\r\nInyoColor=0\r\nInyoItalic=0\r\nSavePath=\r\n");
    return path;
}

void StartupSettingsSnapshot(benchmark::State& state) {
    QTemporaryDir dir;
    const kirel::Profile ini(settingsFile(dir, int(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(kirel::readStartupSettings(ini, dir.path()));
}
BENCHMARK(StartupSettingsSnapshot)->Arg(4)->Arg(2048)->Unit(benchmark::kMillisecond);

// The same twenty keys, each read from the file on its own.
void StartupSettingsPerKey(benchmark::State& state) {
    QTemporaryDir dir;
    const kirel::Profile ini(settingsFile(dir, int(state.range(0))));
    using namespace kirel::keys;
    const QString keys[][2] = {{kMainWindow, kTop},
                               {kMainWindow, kLeft},
                               {kMainWindow, kHeight},
                               {kMainWindow, kWidth},
                               {kShared, kFormColor},
                               {kShared, kPicturePath},
                               {kMainWindow, kQuotePaneHeight},
                               {kMainWindow, kEditPaneWidth},
                               {kMainWindow, kTopMost},
                               {kQuoteMark, kInyoufu},
                               {kHandleName, kHandleMax},
                               {kHandleName, kHandleFront},
                               {kHandleName, kHandleBack},
                               {kShared, kSavePath},
                               {kLink, kAutoLink},
                               {kShared, kCurrentBoard},
                               {kShared, kCharLimit},
                               {kShared, kQuoteColor},
                               {kShared, kQuoteItalic}};
    for (auto _ : state)
        for (const auto& k : keys) benchmark::DoNotOptimize(ini.readString(k[0], k[1], QString()));
}
BENCHMARK(StartupSettingsPerKey)->Arg(4)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
