// Line widths in dots beside text art and the post, and aligning line ends, on
// the real windows with the board font our fonts.conf resolves.

#include <QAction>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include "app/mainwindow.h"
#include "controls/dotwidthgutter.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/artwidth.h"
#include "phrases/phrasewindow.h"
#include "support/windowfixture.h"

using namespace kirel;

class ArtWidthGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    MainWindow* form_ = nullptr;

    PhraseWindow* openArt() {
        emit form_->phraseButton->clicked();
        auto* w = form_->findChild<PhraseWindow*>();
        if (!w || !QTest::qWaitForWindowExposed(w)) return nullptr;
        w->pages->setCurrentIndex(1);
        return w;
    }
    static int measured(const QString& line) {
        return QFontMetrics(DotWidthGutter::boardFont()).horizontalAdvance(line);
    }
    static void putCaret(QPlainTextEdit* e, int line, int column = -1) {
        QTextCursor c(e->document()->findBlockByNumber(line));
        if (column < 0)
            c.movePosition(QTextCursor::EndOfBlock);
        else
            c.setPosition(c.position() + column);
        e->setTextCursor(c);
    }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        QDir(app().AppDir).mkpath(QStringLiteral("user"));
    }
    void cleanup() { fixture_.cleanup(); }

    void widthsAreTheBoardFontsOwnAdvances() {
        // The board font resolves to the font with the boards' metrics.
        QCOMPARE(QFontInfo(DotWidthGutter::boardFont()).family(), QStringLiteral("Monapo"));
        DotWidthTable& table = DotWidthGutter::boardWidths();
        const QString samples[] = {
            QStringLiteral("A"),
            QStringLiteral("i"),
            QStringLiteral("W"),
            QStringLiteral("|"),
            QStringLiteral("ｱ"),
            QStringLiteral("あ"),
            QStringLiteral("ヽ"),
            QStringLiteral("漢"),
            QStringLiteral("─"),
            QStringLiteral("┃"),
            QStringLiteral(" "),
            QStringLiteral("\u3000"),
            QStringLiteral("（´・ω・｀）"),
            QStringLiteral(" |　 ＿＿_"),
        };
        for (const QString& s : samples) QCOMPARE(table.lineWidth(s), measured(s));
        QCOMPARE(table.fullSpace(), measured(QString(QChar(0x3000))));
        QCOMPARE(table.halfSpace(), measured(QStringLiteral(" ")));
        qInfo(
            "full-width space %d, half-width space %d, A %d, i %d, W %d, | %d, ｱ %d, あ %d, "
            "漢 %d, ─ %d",
            table.fullSpace(), table.halfSpace(), measured("A"), measured("i"), measured("W"),
            measured("|"), measured("ｱ"), measured("あ"), measured("漢"), measured("─"));
    }

    void widthsShowAndFollowEditsOfAPicture() {
        PhraseWindow* w = openArt();
        QVERIFY(w);
        QVERIFY(w->artWidths->isVisible());
        QString picture;
        for (int i = 0; i < 200; ++i)
            picture += QString(i % 7, QChar(0x3000)) + QStringLiteral("（´・ω・｀）\n");
        w->artEditor->setPlainText(picture);
        QApplication::processEvents();
        QCOMPARE(w->artWidths->lineWidth(3), measured(QString(3, QChar(0x3000)) + "（´・ω・｀）"));
        // Showing measured the lines on screen, not the whole picture.
        QVERIFY(w->artWidths->linesMeasured() < 100);
        const int before = w->artWidths->linesMeasured();

        // A key on line 5: that line's width changes, and only it is measured.
        putCaret(w->artEditor, 5);
        w->artEditor->setFocus();
        QTest::keyClick(w->artEditor, Qt::Key_A);
        QCOMPARE(w->artWidths->lineWidth(5),
                 measured(QString(5, QChar(0x3000)) + QStringLiteral("（´・ω・｀）a")));
        w->artWidths->repaint();
        QVERIFY(w->artWidths->linesMeasured() - before <= 2);
        // A new line splits it: both halves have their own width.
        putCaret(w->artEditor, 5, 5);
        QTest::keyClick(w->artEditor, Qt::Key_Return);
        QCOMPARE(w->artWidths->lineWidth(5), measured(QString(5, QChar(0x3000))));
        QCOMPARE(w->artWidths->lineWidth(6), measured(QStringLiteral("（´・ω・｀）a")));
        // Undo puts the line back whole, with its width.
        w->artEditor->undo();
        QCOMPARE(w->artWidths->lineWidth(5),
                 measured(QString(5, QChar(0x3000)) + QStringLiteral("（´・ω・｀）a")));
        QCOMPARE(w->artWidths->lineWidth(6), measured(QString(6, QChar(0x3000)) + "（´・ω・｀）"));
    }

    void alignsSelectedLinesToTheWidestAndToAPickedLine() {
        PhraseWindow* w = openArt();
        QVERIFY(w);
        w->artEditor->setPlainText(QStringLiteral("┌────────┐\n│ｱｲ\n│あい\n│\n└────────┘"));
        QTextCursor c(w->artEditor->document()->findBlockByNumber(0));
        c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 3);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        w->artEditor->setTextCursor(c);
        w->artEditor->setFocus();
        emit w->menu->aboutToShow();
        QVERIFY(w->alignLines->isVisible() && w->alignLines->isEnabled());
        w->alignLines->trigger();
        const int top = measured(QStringLiteral("┌────────┐"));
        DotWidthTable& table = DotWidthGutter::boardWidths();
        const QString before[] = {QStringLiteral("│ｱｲ"), QStringLiteral("│あい"),
                                  QStringLiteral("│")};
        for (int line = 1; line <= 3; ++line) {
            const QString text = w->artEditor->document()->findBlockByNumber(line).text();
            QVERIFY2(!text.contains(QStringLiteral("  ")), qPrintable(text));
            QVERIFY(text.startsWith(before[line - 1]));
            QCOMPARE(w->artWidths->lineWidth(line), measured(text));
            // As near as the two spaces get without passing.
            const Padding best = padToWidth(measured(before[line - 1]), top, table.fullSpace(),
                                            table.halfSpace(), true, true);
            QCOMPARE(measured(text), best.width);
        }
        QVERIFY(w->artStatus->text().contains(QStringLiteral("4 行を %1 ドット").arg(top)));
        // One undo takes the whole alignment back.
        w->artEditor->undo();
        QCOMPARE(w->artEditor->document()->findBlockByNumber(2).text(), QStringLiteral("│あい"));

        // A picked line: the bottom edge; the caret before nothing on line 3
        // pads it there with Ctrl+J.
        putCaret(w->artEditor, 4);
        QTest::keyClick(w->artEditor, Qt::Key_J, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w->artWidths->targetLine(), 4);
        putCaret(w->artEditor, 2, 1);  // between "│" and "あい"
        QTest::keyClick(w->artEditor, Qt::Key_J, Qt::ControlModifier);
        const QString padded = w->artEditor->document()->findBlockByNumber(2).text();
        QVERIFY(padded.startsWith(QStringLiteral("│")) && padded.endsWith(QStringLiteral("あい")));
        QCOMPARE(w->artWidths->lineWidth(2), measured(padded));
        const Padding best =
            padToWidth(measured(QStringLiteral("│あい")), measured(QStringLiteral("└────────┘")),
                       table.fullSpace(), table.halfSpace(), true, true);
        QCOMPARE(measured(padded), best.width);
        QVERIFY(w->artModified());
    }

    void thePostShowsWidthsOnDemand() {
        QVERIFY(!form_->editWidths);  // nothing made before it is asked for
        form_->editPane->setPlainText(QStringLiteral("abc\n（´・ω・｀）"));
        const int paneWidth = form_->editPaneWidth();
        form_->showArtWidths->trigger();
        QVERIFY(form_->showArtWidths->isChecked());
        QVERIFY(form_->editWidths && form_->editWidths->isVisible());
        QCOMPARE(form_->editWidths->lineWidth(1), measured(QStringLiteral("（´・ω・｀）")));
        QCOMPARE(form_->editPaneWidth(), paneWidth);  // the edit area keeps its width
        putCaret(form_->editPane, 1);
        form_->editPane->setFocus();
        QTest::keyClick(form_->editPane, Qt::Key_X);
        QCOMPARE(form_->editWidths->lineWidth(1), measured(QStringLiteral("（´・ω・｀）x")));
        form_->showArtWidths->trigger();
        QVERIFY(!form_->editWidths->isVisible());
        QVERIFY(form_->editPane->isVisible());
    }
};

QTEST_MAIN(ArtWidthGui)
#include "test_artwidth_gui.moc"
