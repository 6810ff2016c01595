// The split-post window opened from the real main window: its counts, several
// windows at once, the transfer, the saves and the wheel.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/sjis.h"
#include "splitpost/splitpostwindow.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class SplitPostGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;

    // Selects text in the edit pane and opens a window from the edit menu.
    SplitPostWindow* open(const QString& post, int start, int length) {
        form_->editPane->setPlainText(post);
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(start);
        c.setPosition(start + length, QTextCursor::KeepAnchor);
        form_->editPane->setTextCursor(c);
        const QList<SplitPostWindow*> before = windows();
        form_->splitPost->trigger();
        const QList<SplitPostWindow*> after = windows();
        if (after.size() != before.size() + 1) return nullptr;
        for (SplitPostWindow* w : after)
            if (!before.contains(w)) return w;
        return nullptr;
    }
    QList<SplitPostWindow*> windows() const {
        QList<SplitPostWindow*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<SplitPostWindow*>(w); s && s->isVisible()) out << s;
        return out;
    }
    static QStringList boxes(const SplitPostWindow* w) {
        return {w->linesBox->text(), w->bytesBox->text(), w->fullWidthBox->text(),
                w->titleBox->text()};
    }
    static void type(QPlainTextEdit* editor, const QString& text) {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n'))
                QTest::keyClick(editor, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), {});
        }
    }
    // Display lines of one line of n full-width characters at the editor's width.
    static int wrappedLines(const SplitPostWindow* w, int n) {
        const qreal advance = QFontMetricsF(w->editor->font()).horizontalAdvance(QChar(0x3042));
        const qreal margin = w->editor->document()->documentMargin();
        const int perLine = int((w->editor->viewport()->width() - 2 * margin) / advance);
        return (n + perLine - 1) / perLine;
    }
    // The display lines of the whole text, every block laid out anew at the
    // editor's width now, the empty last line not counted.
    static QString fullRecount(const SplitPostWindow* w) {
        QTextDocument* document = w->editor->document();
        document->markContentsDirty(0, document->characterCount());
        auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
        int lines = 0;
        for (QTextBlock b = document->firstBlock(); b.isValid(); b = b.next()) {
            layout->ensureBlockLayout(b);
            lines += b.layout()->lineCount();
        }
        if (document->lastBlock().length() <= 1) --lines;
        return QString::number(lines);
    }
    static bool settled(const SplitPostWindow* w) {
        return w->waiting() == SplitPostWindow::Wait::Nothing;
    }
    // Lines of mixed text, some of them long enough to wrap, of about this many
    // Shift-JIS bytes.
    static QString mixedLines(int lines) {
        QString text;
        for (int i = 0; i < lines; ++i) {
            text += QStringLiteral("%1行目 mixed ｶﾅ text ").arg(i);
            if (i % 3 == 0) text += QString(60 + i % 40, QChar(u'字'));
            text += QLatin1Char('\n');
        }
        return text;
    }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
    }
    void cleanup() {
        fixture_.cleanup();
        QVERIFY(windows().isEmpty());  // they belong to the main window
    }

    void opensOnTheSelectionWithItsCounts() {
        SplitPostWindow* w = open(QStringLiteral("前\n一行目\n二行目\n三行目\n後"), 2, 12);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->objectName(), QStringLiteral("Form11"));
        QCOMPARE(w->windowTitle(), QStringLiteral("分割投稿する"));
        QVERIFY(!w->isModal());
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("一行目\n二行目\n三行目\n"));
        // 3 lines (the empty last one is not counted); 18 + 3 x 2 bytes.
        QCOMPARE(boxes(w), (QStringList{"3", "24", "12", "ぷちぷち級"}));
        QCOMPARE(w->editor->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(w->editor->font().pixelSize(), 15);
        QCOMPARE(w->editor->palette().color(QPalette::Base), QColor(0xCF, 0xEE, 0xFE));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0x82, 0xC2, 0xF2));
        for (QLineEdit* box : {w->linesBox, w->bytesBox, w->fullWidthBox, w->titleBox}) {
            QVERIFY(box->isReadOnly());
            QVERIFY(!(box->focusPolicy() & Qt::TabFocus));
        }
        QCOMPARE(w->editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);

        // Typing counts at once; emptying gives 0, 0, 0 and "（謎".
        w->editor->moveCursor(QTextCursor::End);
        type(w->editor, QStringLiteral("ｱ"));
        QCOMPARE(boxes(w), (QStringList{"4", "25", "12", "ぷちぷち級"}));
        type(w->editor, QStringLiteral("\n\n"));
        QCOMPARE(boxes(w), (QStringList{"5", "29", "14", "ぷちカキコ級"}));
        w->editor->selectAll();
        QTest::keyClick(w->editor, Qt::Key_Delete);
        QCOMPARE(boxes(w), (QStringList{"0", "0", "0", "（謎"}));
    }

    void wrappedLinesCountAfterTheNextChangeOnly() {
        constexpr int n = 80;
        const QString line(n, QChar(0x3042));  // one line of full-width characters
        SplitPostWindow* w = open(line, 0, int(line.size()));
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const int wide = wrappedLines(w, n);
        QVERIFY(wide >= 2);
        QCOMPARE(w->linesBox->text(), QString::number(wide));

        // Narrower: the counts stay until the text changes.
        w->resize(w->minimumSizeHint().width(), w->height());
        QTRY_VERIFY(wrappedLines(w, n) > wide);
        QCOMPARE(w->linesBox->text(), QString::number(wide));
        w->editor->moveCursor(QTextCursor::End);
        type(w->editor, QStringLiteral("\nx"));
        QCOMPARE(w->linesBox->text(), QString::number(wrappedLines(w, n) + 1));
        QCOMPARE(w->bytesBox->text(), QString::number(2 * n + 3));

        // Changes in the middle of a long text keep the count exact.
        QString many;
        for (int i = 0; i < 200; ++i) many += line + QLatin1Char('\n');
        w->editor->setPlainText(many);
        const int each = wrappedLines(w, n);
        // A big change is laid out in steps: the count is exact once they end.
        QTRY_COMPARE(w->linesBox->text(), QString::number(200 * each));
        QTextCursor c = w->editor->textCursor();
        c.setPosition((n + 1) * 100 + 5);
        c.insertText(line + QLatin1Char('\n'));  // one more long line in the middle
        QTRY_COMPARE(w->linesBox->text(), QString::number(201 * each));
        c.setPosition((n + 1) * 50);
        c.setPosition((n + 1) * 52, QTextCursor::KeepAnchor);
        c.removeSelectedText();  // two lines fewer
        QTRY_COMPARE(w->linesBox->text(), QString::number(199 * each));
        QCOMPARE(w->bytesBox->text(), QString::number(199 * (2 * n + 2)));
        QCOMPARE(w->titleBox->text(), QStringLiteral("伝説のカキコ帝王"));
    }

    void countsAfterAnyWidthChangeEqualAFullRecount() {
        // 60 lines of 50 full-width characters; then 2,000 mixed lines.
        QString wide;
        for (int i = 0; i < 60; ++i) wide += QString(50, QChar(0x3042)) + QLatin1Char('\n');
        for (const QString& text : {wide, mixedLines(2000)}) {
            SplitPostWindow* w = open(text, 0, int(text.size()));
            QVERIFY(w);
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QTRY_VERIFY(settled(w));
            const QString before = w->linesBox->text();
            QCOMPARE(before, fullRecount(w));
            // Wider and back to the same width: Qt has dropped every line's layout.
            const QSize size = w->size();
            w->resize(size.width() + 200, size.height());
            QTRY_COMPARE(w->editor->viewport()->width() > size.width(), true);
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            QCOMPARE(w->linesBox->text(), before);  // no change until the text changes
            w->editor->moveCursor(QTextCursor::End);
            type(w->editor, QStringLiteral("あ"));
            QTest::keyClick(w->editor, Qt::Key_Backspace);
            QTRY_VERIFY(settled(w));
            QCOMPARE(w->linesBox->text(), before);
            QCOMPARE(w->linesBox->text(), fullRecount(w));
            // Narrower: counted at the new width on the next change.
            w->resize(size.width() - 150, size.height());
            QTRY_COMPARE(w->size().width(), size.width() - 150);
            type(w->editor, QStringLiteral("x"));
            QTRY_VERIFY(settled(w));
            QCOMPARE(w->linesBox->text(), fullRecount(w));
            QVERIFY(w->linesBox->text().toInt() > before.toInt());
            QCOMPARE(w->bytesBox->text(), QString::number(sjis::byteLength(text) + 1));
            w->close();
        }
    }

    void longTextsAreCountedInStepsAndEqualAFullRecount() {
        // Long enough that laying out every line takes several steps.
        const QString text = mixedLines(20000);
        SplitPostWindow* w = open(text, 0, int(text.size()));
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->waiting(), SplitPostWindow::Wait::Opening);
        QVERIFY(w->editor->isReadOnly());  // an opening takes no input
        QTRY_VERIFY_WITH_TIMEOUT(w->progressRow->isVisible() || settled(w), 60000);
        if (!settled(w)) {  // half a second was not enough: progress, and a way out
            QCOMPARE(w->progressLabel->text(), QStringLiteral("開いています…"));
            QVERIFY(w->cancelButton->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(settled(w), 60000);
        QVERIFY(!w->editor->isReadOnly());
        QVERIFY(!w->progressRow->isVisible());
        const QString lines = w->linesBox->text();
        QCOMPARE(lines, fullRecount(w));
        const qint64 bytes = sjis::byteLength(text);  // a line break is CR LF
        QCOMPARE(w->bytesBox->text(), QString::number(bytes));
        QCOMPARE(w->fullWidthBox->text(), QString::number(bytes / 2));
        QCOMPARE(w->titleBox->text(), QStringLiteral("伝説のカキコ帝王"));

        // Delete everything and undo: the same counts again, in steps.
        w->editor->selectAll();
        QTest::keyClick(w->editor, Qt::Key_Delete);
        QCOMPARE(boxes(w), (QStringList{"0", "0", "0", "（謎"}));
        w->editor->undo();
        QTRY_VERIFY_WITH_TIMEOUT(settled(w), 60000);
        QCOMPARE(boxes(w), (QStringList{lines, QString::number(bytes), QString::number(bytes / 2),
                                        "伝説のカキコ帝王"}));

        // A paste in the middle, typing while the count goes on after a resize.
        QApplication::clipboard()->setText(text);
        QTextCursor c = w->editor->textCursor();
        c.setPosition(int(text.size()) / 2);
        w->editor->setTextCursor(c);
        w->editor->paste();
        QCOMPARE(w->waiting(), SplitPostWindow::Wait::Pasting);
        QTRY_VERIFY_WITH_TIMEOUT(settled(w), 60000);
        QCOMPARE(w->linesBox->text(), fullRecount(w));
        QCOMPARE(w->bytesBox->text(), QString::number(2 * bytes));
        w->resize(w->width() - 100, w->height());
        type(w->editor, QStringLiteral("あい"));
        QTRY_VERIFY_WITH_TIMEOUT(settled(w), 60000);
        QCOMPARE(w->linesBox->text(), fullRecount(w));
        QCOMPARE(w->bytesBox->text(), QString::number(2 * bytes + 4));
        QVERIFY(prompter_->shown.isEmpty());
    }

    void cancellingLeavesNothingHalfDone() {
        // An opening: the window goes, the main window's text and selection stay.
        const QString text = mixedLines(20000);
        SplitPostWindow* first = open(text, 0, int(text.size()));
        QVERIFY(first);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QPointer<SplitPostWindow> opening = first;
        QCOMPARE(first->waiting(), SplitPostWindow::Wait::Opening);
        first->cancel();
        QTRY_VERIFY(opening.isNull());
        QCOMPARE(form_->editPane->toPlainText(), text);
        QCOMPARE(form_->editPane->textCursor().selectedText().size(), text.size());
        QVERIFY(windows().isEmpty());

        // A paste over a selection: the text and the counts as before, no redo.
        SplitPostWindow* w = open(QStringLiteral("前\n選択\n後"), 0, 6);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QTRY_VERIFY(settled(w));
        const QStringList counts = boxes(w);
        QTextCursor c = w->editor->textCursor();
        c.setPosition(2);
        c.setPosition(4, QTextCursor::KeepAnchor);
        w->editor->setTextCursor(c);
        QApplication::clipboard()->setText(text);
        w->editor->paste();
        QCOMPARE(w->waiting(), SplitPostWindow::Wait::Pasting);
        QVERIFY(w->editor->isReadOnly());
        type(w->editor, QStringLiteral("x"));  // refused while pasting
        w->cancel();
        QTRY_VERIFY_WITH_TIMEOUT(settled(w), 60000);
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("前\n選択\n後"));
        QCOMPARE(boxes(w), counts);
        QVERIFY(!w->editor->document()->isRedoAvailable());
        QVERIFY(!w->editor->isReadOnly());
        QVERIFY(!w->progressRow->isVisible());
    }

    void countBoxesAreReadOnlyByEveryPath() {
        SplitPostWindow* w = open(QStringLiteral("一行目\n二行目"), 0, 7);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QString text = w->editor->toPlainText();
        QApplication::clipboard()->setText(QStringLiteral("貼"));
        // Each box shows the count of the editor's text, whatever reached it.
        auto showsTheCounts = [w] {
            const QString t = w->editor->toPlainText();
            const qint64 bytes = sjis::byteLength(t);
            return boxes(w) == QStringList{w->linesBox->text(), QString::number(bytes),
                                           QString::number(bytes / 2),
                                           splitpost::rankTitle(splitpost::rankOf(
                                               w->linesBox->text().toLongLong()))} &&
                   !w->linesBox->text().isEmpty() && !w->linesBox->text().contains(u'貼');
        };
        for (QLineEdit* box : {w->linesBox, w->bytesBox, w->fullWidthBox, w->titleBox}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(showsTheCounts());
            box->selectAll();
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClick(box, Qt::Key_Backspace, Qt::AltModifier);
            QVERIFY(showsTheCounts());
            box->selectAll();
            w->cut->trigger();
            w->paste->trigger();
            QVERIFY(showsTheCounts());
            QCOMPARE(w->focusWidget(), box);
        }
        // The commands went to the editor alone.
        QVERIFY(w->editor->toPlainText() != text);
        QVERIFY(w->editor->toPlainText().contains(QStringLiteral("貼")));
        // Ctrl+C still copies a count.
        w->bytesBox->setFocus();
        w->bytesBox->selectAll();
        QTest::keyClick(w->bytesBox, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), w->bytesBox->text());
    }

    void severalWindowsAtOnceEachWithItsOwnText() {
        SplitPostWindow* first = open(QStringLiteral("a\nb\nc"), 0, 5);
        SplitPostWindow* second = open(QStringLiteral("x\ny\nz"), 0, 3);
        QVERIFY(first && second && first != second);
        QCOMPARE(windows().size(), 2);
        QCOMPARE(boxes(first), (QStringList{"3", "7", "3", "ぷちぷち級"}));
        QCOMPARE(boxes(second), (QStringList{"2", "4", "2", "ぷちぷち級"}));
        second->editor->appendPlainText(QStringLiteral("more"));
        QCOMPARE(first->editor->toPlainText(), QStringLiteral("a\nb\nc"));
        first->exit->trigger();
        QTRY_COMPARE(windows().size(), 1);  // closing frees it, no question asked
        QVERIFY(prompter_->shown.isEmpty());
    }

    void selectionCountQuestionOpensTheWindowOnYes() {
        form_->editPane->setPlainText(QStringLiteral("あいうえお"));
        form_->editPane->selectAll();
        app().CharLimit = 20;  // 10 bytes selected: fewer than 400 below the limit
        prompter_->answers.enqueue(false);
        form_->countSelection->trigger();
        QCOMPARE(prompter_->last(), QStringLiteral("選択された文字を分割投稿としますか？"));
        QVERIFY(windows().isEmpty());
        prompter_->answers.enqueue(true);
        form_->countSelection->trigger();
        QCOMPARE(windows().size(), 1);
        QCOMPARE(windows().first()->editor->toPlainText(), QStringLiteral("あいうえお"));
    }

    void transferRefusesAnEmptyTextAndLeavesTheClipboard() {
        SplitPostWindow* w = open(QStringLiteral("一行目〜\n二行目"), 0, 8);
        QVERIFY(w);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        w->editor->clear();
        w->transfer->trigger();
        QCOMPARE(prompter_->shown.size(), 1);
        QCOMPARE(prompter_->last(),
                 QStringLiteral("クリップボードに転送するものがありませんでした。"
                                "\r\n処理を中止します。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::Information);
        QCOMPARE(prompter_->shown.last().caption, QStringLiteral("Kirel Editor"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));

        w->editor->setPlainText(QStringLiteral("一行目〜\n二行目"));
        w->transfer->trigger();
        QCOMPARE(prompter_->last(), QStringLiteral("編集欄の内容をクリップボードに転送しました。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::None);
        // As a Shift-JIS board receives it, like the main window's transfer.
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("一行目～\n二行目"));
        QVERIFY(w->isVisible());
    }

    void savesAddTxtAndSaveAgainToTheSameFile() {
        SplitPostWindow* w = open(QStringLiteral("一\n二"), 0, 3);
        QVERIFY(w);
        const QString piece = fixture_.dir->filePath(QStringLiteral("piece"));
        w->save->trigger();  // no name yet: asks like save as
        QCOMPARE(prompter_->fileRequests.size(), 1);
        QCOMPARE(prompter_->fileRequests.last().filter,
                 QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
        QVERIFY(!QFile::exists(piece + ".txt"));  // cancelled

        prompter_->fileNames.enqueue(piece);
        w->saveAs->trigger();
        QCOMPARE(bytesOf(piece + ".txt"), sjis::encode(u"一") + "\r\n" + sjis::encode(u"二"));
        QVERIFY(!QFile::exists(piece));
        w->editor->appendPlainText(QStringLiteral("三"));
        w->save->trigger();  // the same file, without asking
        QCOMPARE(prompter_->fileRequests.size(), 2);
        QCOMPARE(bytesOf(piece + ".txt"), sjis::toFile(u"一\n二\n三"));

        prompter_->fileNames.enqueue(piece + ".TXT");
        w->saveAs->trigger();
        QCOMPARE(prompter_->fileRequests.last().fileName, piece);
        QVERIFY(QFile::exists(piece + ".TXT.txt"));

        // A save that fails is reported; the window keeps its text.
        prompter_->fileNames.enqueue(
            fixture_.dir->filePath(QStringLiteral("no/such/folder/x.txt")));
        w->saveAs->trigger();
        QCOMPARE(prompter_->shown.size(), 1);
        QCOMPARE(prompter_->shown.last().icon, Icon::Error);
        QVERIFY(w->isVisible());
        QCOMPARE(w->editor->toPlainText(), QStringLiteral("一\n二\n三"));
    }

    void wheelFocusesTheEditorAndScrollsALineMore() {
        QString text;
        for (int i = 0; i < 100; ++i) text += QStringLiteral("line %1\n").arg(i);
        SplitPostWindow* w = open(text, 0, int(text.size()));
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        w->titleBox->setFocus();
        QScrollBar* bar = w->editor->verticalScrollBar();
        bar->setValue(10);
        // Beside the editor: the window's rule alone.
        const QPoint label = w->titleLabel->geometry().center();
        QWheelEvent down(label, w->mapToGlobal(label), {}, {0, -120}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &down);
        QCOMPARE(bar->value(), 11);
        QCOMPARE(w->focusWidget(), w->editor);
        // On the editor: one line from the rule, then the editor's own scrolling.
        QWheelEvent up(QPointF(5, 5), w->editor->viewport()->mapToGlobal(QPointF(5, 5)), {},
                       {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w->editor->viewport(), &up);
        QVERIFY(bar->value() < 10);
    }
};

QTEST_MAIN(SplitPostGui)
#include "test_splitpost_gui.moc"
