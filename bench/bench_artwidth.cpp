// Line widths beside a 2,000-line picture: the work one keystroke costs them
// (the touched line measured again, the strip painted), next to measuring every
// line of the picture.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "benchapplication.h"
#include "controls/dotwidthgutter.h"
#include "core/artwidth.h"

namespace {

using kirel::bench::application;

QString picture() {
    const QString lines[] = {
        QStringLiteral("　　　　　　 ∧＿∧"),
        QStringLiteral("　　　　　 （　´∀｀）　＜　テスト"),
        QStringLiteral("　　　　　 （　　　　）"),
        QStringLiteral("　　　　　 ｜ ｜　|"),
        QStringLiteral("　　　　　 （_＿）＿）"),
        QStringLiteral("┌────────────────────┐"),
        QStringLiteral("│ ﾟ･*:.｡..｡.:*･ﾟ　ｷﾗｷﾗ　ﾟ･*:.｡. │"),
    };
    QString text;
    for (int i = 0; i < 2000; ++i) text += lines[i % 7] + QLatin1Char('\n');
    return text;
}

struct Art {
    QWidget box;
    QPlainTextEdit* editor;
    kirel::DotWidthGutter* strip;
    QPixmap canvas;

    explicit Art(bool withStrip = true) {
        editor = new QPlainTextEdit(&box);
        editor->setFont(kirel::DotWidthGutter::boardFont());
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        strip = withStrip ? new kirel::DotWidthGutter(editor, &box) : nullptr;
        box.resize(700, 600);
        if (strip) strip->setGeometry(0, 0, 60, 600);
        editor->setGeometry(60, 0, 640, 600);
        editor->setPlainText(picture());
        QTextCursor c(editor->document()->findBlockByNumber(1000));
        editor->setTextCursor(c);
        editor->centerCursor();
        box.show();
        QApplication::processEvents();
        if (strip) {
            canvas = QPixmap(strip->size());
            strip->render(&canvas);  // the lines on screen measured once
        }
    }
};

// One character typed and taken back on a line in the middle of the picture,
// with the strip painted after each: the widths' share of a keystroke.
void BM_KeystrokeWidths(benchmark::State& state) {
    application();
    Art art;
    QTextCursor c = art.editor->textCursor();
    for (auto _ : state) {
        c.insertText(QStringLiteral("ｱ"));
        art.strip->render(&art.canvas);
        c.deletePreviousChar();
        art.strip->render(&art.canvas);
    }
    // Two keystrokes an iteration.
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeWidths)->Unit(benchmark::kMicrosecond);

// The same keystrokes without the strip: the difference is the widths' share.
void BM_KeystrokeWithoutWidths(benchmark::State& state) {
    application();
    Art art(false);
    QTextCursor c = art.editor->textCursor();
    for (auto _ : state) {
        c.insertText(QStringLiteral("ｱ"));
        c.deletePreviousChar();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_KeystrokeWithoutWidths)->Unit(benchmark::kMicrosecond);

// For comparison: measuring every line of the picture again.
void BM_WholePicture(benchmark::State& state) {
    application();
    Art art;
    kirel::DotWidthTable& table = kirel::DotWidthGutter::boardWidths();
    for (auto _ : state) {
        int total = 0;
        for (QTextBlock b = art.editor->document()->begin(); b.isValid(); b = b.next())
            total += table.lineWidth(b.text());
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_WholePicture)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
