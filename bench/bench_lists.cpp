// List files of 20 MB: reading and writing one, and each list window's opening
// (created until shown), save (one entry added, or the rules saved) and closing
// with such a file. The windows run on the real main window, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "benchapplication.h"
#include "core/appstate.h"
#include "decoration/linkdialog.h"
#include "decoration/linkrules.h"
#include "decoration/ruledialog.h"
#include "phrases/quotemarkdialog.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace {

using kirel::bench::application;

constexpr qsizetype kListBytes = 20 * 1024 * 1024;

// Answers Yes and shows nothing.
class QuietPrompter final : public kirel::Prompter {
  public:
    void message(const QString&, kirel::Icon, const QString&) override {}
    bool question(const QString&, kirel::Icon, const QString&) override { return true; }
    QString openFileName(const kirel::FileRequest&) override { return {}; }
    QString saveFileName(const kirel::FileRequest&) override { return {}; }
    QString openPictureName(const kirel::FileRequest&) override { return {}; }
    std::optional<unsigned> chooseColor(unsigned) override { return std::nullopt; }
};

// Lines made from the pattern until they hold 20 MB in Shift-JIS.
QStringList listOf(const QString& pattern, qsizetype lineBytes, qsizetype lines = 0) {
    if (lines == 0) lines = kListBytes / lineBytes;
    QStringList out;
    out.reserve(lines);
    for (qsizetype i = 0; i < lines; ++i) out.append(pattern.arg(i, 7, 10, QLatin1Char('0')));
    return out;
}

// Titles and addresses of the same count, each file about 20 MB.
const QString kTitle = QStringLiteral("掲示板のスレッドの題名 その%1 ですよ");  // 41 bytes
const QString kAddress = QStringLiteral("http://example.jp/test/read.cgi/board/%1/l50");
const QString kRule = QStringLiteral("☆★☆★☆★☆★ %1 ☆★☆★☆★☆★");

struct Folder {
    QTemporaryDir dir;
    QuietPrompter prompter;
    Folder() {
        kirel::Prompter::setCurrent(&prompter);
        kirel::app().AppDir = dir.path() + QLatin1Char('/');
        QDir(dir.path()).mkpath(QStringLiteral("user"));
        const qsizetype pairs = kListBytes / 45;
        kirel::writeItemList(kirel::app().path(kirel::link::kTitleListFile),
                             listOf(kTitle, 45, pairs));
        kirel::writeItemList(kirel::app().path(kirel::link::kAddressListFile),
                             listOf(kAddress, 45, pairs));
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/kazari.txt")),
                             listOf(kRule, 45));
        kirel::writeItemList(kirel::app().path(QStringLiteral("user/inyoufu.txt")),
                             listOf(QStringLiteral("＞%1＞"), 11));
    }
    ~Folder() { kirel::Prompter::setCurrent(nullptr); }
};

double msSince(const QElapsedTimer& clock) {
    return double(clock.nsecsElapsed()) / 1e6;
}

void ReadList20MB(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    kirel::writeItemList(path, listOf(kTitle, 45));
    for (auto _ : state) benchmark::DoNotOptimize(kirel::readItemList(path).size());
}
BENCHMARK(ReadList20MB)->Unit(benchmark::kMillisecond)->Iterations(3);

void WriteList20MB(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    const QStringList list = listOf(kTitle, 45);
    for (auto _ : state) kirel::writeItemList(path, list);
}
BENCHMARK(WriteList20MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// One read of a key at the end of a 20 MB settings file (start-up makes a few
// dozen of them).
void ReadKeyOf20MBSettingsFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kirel.ini"));
    QByteArray bytes = "[Form1]\r\n";
    for (int i = 0; bytes.size() < kListBytes; ++i)
        bytes +=
            "Key" + QByteArray::number(i) + "=value of the key " + QByteArray::number(i) + "\r\n";
    bytes += "[Form10]\r\nFormColor=123\r\n";
    kirel::writeBytesFile(path, bytes);
    const kirel::Profile ini(path);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ini.readInteger(QStringLiteral("Form10"), QStringLiteral("FormColor"), 0));
}
BENCHMARK(ReadKeyOf20MBSettingsFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// One opening, save and closing of a window; the three times as counters, the
// opening as the iteration's time.
template <typename Open, typename Save>
void measureWindow(benchmark::State& state, Open open, Save save) {
    application();
    Folder folder;
    MainWindow form;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto window = open(form);
        window->show();
        QCoreApplication::processEvents();
        const double opened = msSince(clock);
        clock.restart();
        save(*window);
        QCoreApplication::processEvents();
        const double saved = msSince(clock);
        clock.restart();
        window.reset();
        QCoreApplication::processEvents();
        state.SetIterationTime(opened / 1000.0);
        state.counters["open_ms"] = opened;
        state.counters["save_ms"] = saved;
        state.counters["close_ms"] = msSince(clock);
    }
}

void LinkDialog20MBLists(benchmark::State& state) {
    measureWindow(
        state, [](MainWindow& form) { return std::make_unique<kirel::LinkDialog>(&form, form); },
        [](kirel::LinkDialog& d) {
            d.titleBox->setEditText(QStringLiteral("新しい題名"));
            d.addressBox->setEditText(QStringLiteral("http://example.jp/new"));
            d.addButton->click();
        });
}
BENCHMARK(LinkDialog20MBLists)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

void RuleDialog20MBList(benchmark::State& state) {
    measureWindow(
        state, [](MainWindow& form) { return std::make_unique<kirel::RuleDialog>(form, &form); },
        [](kirel::RuleDialog& d) { d.saveButton->click(); });
}
BENCHMARK(RuleDialog20MBList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

void QuoteMarkDialog20MBList(benchmark::State& state) {
    measureWindow(
        state, [](MainWindow& form) { return std::make_unique<kirel::QuoteMarkDialog>(&form); },
        [](kirel::QuoteMarkDialog& d) {
            d.marks->setEditText(QStringLiteral("｜"));
            d.addMark->trigger();
        });
}
BENCHMARK(QuoteMarkDialog20MBList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
