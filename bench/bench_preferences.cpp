// Opening the preferences dialog: reading every setting it shows from a full
// settings file, building its six pages and showing it, on the real main window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "benchapplication.h"
#include "core/appstate.h"
#include "preferences/preferencesdialog.h"

namespace {

using kirel::bench::application;

void BM_OpenPreferences(benchmark::State& state) {
    application();
    QTemporaryDir dir;
    kirel::app() = kirel::AppState();
    kirel::app().AppDir = dir.path() + QLatin1Char('/');
    MainWindow form;
    form.show();
    {
        // A settings file as a long-used program has it: every key present.
        QFile ini(kirel::app().iniPath());
        if (!ini.open(QIODevice::WriteOnly)) state.SkipWithError("no settings file");
        QByteArray text = "[Form10]\r\n";
        for (int b = 1; b <= 3; ++b)
            text += "MOJISU" + QByteArray::number(b) + "=1000\r\nF" + QByteArray::number(b) +
                    "Color=#000000\r\nC" + QByteArray::number(b) + "Color=#FFFFFF\r\n";
        ini.write(text + "[Form3]\r\nHTML1=#FF0000\r\n[Form5]\r\nHnMax=20\r\n");
    }
    for (auto _ : state) {
        kirel::PreferencesDialog dialog(form, &form, {});
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.pages->count());
    }
}
BENCHMARK(BM_OpenPreferences)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
