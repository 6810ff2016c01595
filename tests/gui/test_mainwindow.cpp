// The main window driven offscreen: start-up and shut-down through "Kirel.ini",
// menus, counter messages, clipboard capture, quoting keys and the transfer.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/clipcapture.h"
#include "app/mainwindow.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/capturetargets.h"
#include "core/textpane.h"
#include "platform/keyboard.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "support/fakeclipboard.h"
#include "support/scriptedprompter.h"

using namespace kirel;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::ScriptedPrompter> prompter_;
    test::FakeClipboard clip_;

    QString ini() const { return dir_->filePath(QStringLiteral("Kirel.ini")); }
    void writeIni(const QString& text) {
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(sjis::toFile(text));
    }
    std::unique_ptr<MainWindow> open(const QStringList& args = {}) {
        auto form = std::make_unique<MainWindow>(args, &clip_);
        form->show();
        return form;
    }
    static void type(QPlainTextEdit* pane, const QString& text) {
        pane->textCursor().insertText(text);
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        app() = AppState();
        app().AppDir = dir_->path() + QLatin1Char('/');
        prompter_ = std::make_unique<test::ScriptedPrompter>();
        clip_.clear();
    }
    void cleanup() { prompter_.reset(); }

    void freshStartDefaults() {
        auto form = open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Kirel Editor"));
        QCOMPARE(form->geometry().top(), 100);
        QCOMPARE(form->geometry().left(), 50);
        QCOMPARE(form->geometry().size(), QSize(623, 402));
        QVERIFY(form->board1->isChecked());
        QCOMPARE(app().CharLimit, 0);
        QCOMPARE(form->counterBar->toolTip(), QStringLiteral("文字数制限の設定がオフです"));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(0x82, 0xC2, 0xF2));
        QVERIFY(form->editPane->toPlainText().isEmpty());
        QCOMPARE(form->editPane->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(form->editPane->font().pixelSize(), 15);
        // The Windows font name resolves to an installed Japanese font with its metrics.
        const QString resolved = QFontInfo(form->editPane->font()).family();
        QVERIFY2(resolved == QStringLiteral("Monapo") || resolved.startsWith(QStringLiteral("IPA")),
                 qPrintable(resolved));
        QCOMPARE(form->saveButton->hint(), QStringLiteral("編集された内容を保存します"));
    }

    void startupFromPreparedIni() {
        writeIni(QStringLiteral("[Form1]\nForm1Top=-5\nForm1Height=5000\nRichEdit3Height=2000\n"
                                "[Form5]\nHnMax=100\nHnFront=＞\n[Form10]\nCheck2=1\nMojiOK=1000\n"
                                "InyoColor=1\nFormColor=255\nSavePath=%1\n")
                     .arg(dir_->path()));
        QFile tool(dir_->filePath(QStringLiteral("post.txt")));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        auto form = open({QStringLiteral("/elsewhere/post.txt")});
        QCOMPARE(form->geometry().top(), 10);
        QCOMPARE(form->geometry().height(), 402);
        QCOMPARE(form->quotePaneHeight(), 201);  // half the window
        QCOMPARE(app().HandleMaxLen, 20);
        QCOMPARE(app().HandlePrefix, QStringLiteral("＞"));
        QVERIFY(app().QuoteColorOn);
        QVERIFY(!form->board1->isChecked() && form->board2->isChecked() &&
                !form->board3->isChecked());
        QCOMPARE(app().CharLimit, 1000);
        QCOMPARE(form->counterLabel->text(), QStringLiteral("0"));
        QCOMPARE(form->limitLabel->text(), QStringLiteral("1000"));
        QCOMPARE(form->counterBar->maximum(), 2000);
        QCOMPARE(form->counterBar->value(), 2000);
        QCOMPARE(form->counterBar->toolTip(), QStringLiteral("残り文字数の表示です"));
        QCOMPARE(form->palette().color(QPalette::Window), QColor(255, 0, 0));
        QCOMPARE(app().ToolFileName, QStringLiteral("post.txt"));
        QCOMPARE(form->saveButton->hint(),
                 QStringLiteral("編集された内容を保存します\r\npost.txt"));
    }

    void shutdownWritesAndDeletesPreview() {
        writeIni(QStringLiteral("; kept\n[Other]\nx=1\n[Form10]\nCheck2=7\n"));
        QFile page(app().path(QStringLiteral("0.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();
        auto form = open();
        QVERIFY(form->checkedBoard() == -1);
        app().QuoteMark = QStringLiteral("≫");
        form->setGeometry(40, 60, 640, 420);
        form->close();
        const Profile p(ini());
        const QString f1 = QStringLiteral("Form1");
        QCOMPARE(p.readInteger(f1, QStringLiteral("Form1Top"), 0), 60);
        QCOMPARE(p.readInteger(f1, QStringLiteral("Form1Left"), 0), 40);
        QCOMPARE(p.readInteger(f1, QStringLiteral("Form1Width"), 0), 640);
        QCOMPARE(p.readInteger(f1, QStringLiteral("Form1Height"), 0), 420);
        QCOMPARE(p.readString(QStringLiteral("Form2"), QStringLiteral("Inyoufu"), {}),
                 QStringLiteral("≫"));
        QCOMPARE(p.readString(f1, QStringLiteral("TopMost"), {}), QStringLiteral("0"));
        const int width = p.readInteger(f1, QStringLiteral("RichEdit1width"), 0);
        QVERIFY(width >= 100);
        QCOMPARE(p.readInteger(f1, QStringLiteral("RichEdit1widthBBS3"), 0), width);
        QCOMPARE(p.readString(f1, QStringLiteral("RichEdit1widthBBS1"), QStringLiteral("none")),
                 QStringLiteral("none"));
        QVERIFY(!QFile::exists(app().path(QStringLiteral("0.htm"))));
        QFile f(ini());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().startsWith("; kept\r\n[Other]\r\nx=1\r\n"));
    }

    void menuCaptionsAndShortcuts() {
        auto form = open();
        const QList<QPair<const char*, QString>> captions = {
            {"N11", QStringLiteral("クイックセーブ1")},
            {"SaveAs1", QStringLiteral("名前をつけて保存(&A)")},
            {"O1", QStringLiteral("ファイルを開く(&O)")},
            {"N2", QStringLiteral("選択した文字を修飾する(&W)")},
            {"H1", QStringLiteral("ハートマークを入れる(H)")},
            {"N6", QStringLiteral("選択した文字をカウントする")},
            {"BR1", QStringLiteral("<br>を加えた改行へ変換する")},
            {"N29", QStringLiteral("ブラウザで確認(&B)")},
            {"N310", QStringLiteral("クイックロード3")},
            {"N38", QStringLiteral("名前をつけて保存(&A)")},
            {"KirelEditor1", QStringLiteral("Kirel Editorについて")},
            {"N110", QStringLiteral("掲示板１")},
            {"F1", QStringLiteral("常に最前面(&F)")},
            {"N14", QStringLiteral("選択された文字を編集欄に転送する")},
            {"Undo1", QStringLiteral("元に戻す(&U)")},
            {"Undo2", QStringLiteral("すべてを選択(&A)")},
            {"N33", QStringLiteral("アイテムリストから削除(&D)")},
            {"Paste3", QStringLiteral("貼り付け(&P)")},
        };
        for (const auto& [name, caption] : captions) {
            auto* a = form->findChild<QAction*>(QLatin1String(name));
            QVERIFY2(a, name);
            QCOMPARE(a->text(), caption);
        }
        QCOMPARE(form->editUndo->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Backspace));
        QCOMPARE(form->transferShortcut->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QVERIFY(!form->transferShortcut->isVisible() && !form->phraseShortcut->isVisible());
        QCOMPARE(form->tabs->tabText(0), QStringLiteral("　編集　"));
        QCOMPARE(form->tabs->tabText(2), QStringLiteral("　ブラウザ　"));
        QCOMPARE(
            form->transferButton->hint(),
            QStringLiteral("クリップボードに編集した内容を転送します\r\nショートカット　Ctrl+E"));
        // The board items form one radio group.
        form->board3->setChecked(true);
        QVERIFY(!form->board1->isChecked());
    }

    void editItemsFollowThePane() {
        auto form = open();
        emit form->editMenu->aboutToShow();
        QVERIFY(!form->editUndo->isEnabled() && !form->editCut->isEnabled() &&
                !form->editCopy->isEnabled());
        type(form->editPane, QStringLiteral("abc"));
        form->editPane->selectAll();
        emit form->editMenu->aboutToShow();
        QVERIFY(form->editUndo->isEnabled() && form->editCut->isEnabled() &&
                form->editCopy->isEnabled());
        form->quotePane->setPlainText(QStringLiteral("quote"));
        form->quotePane->selectAll();
        emit form->quoteMenu->aboutToShow();
        QVERIFY(form->quoteCopy->isEnabled() && !form->quoteCut->isEnabled());
        // Choosing the item runs the action on the focused pane.
        form->editPane->moveCursor(QTextCursor::End);
        form->editPane->setFocus();
        QApplication::setActiveWindow(form.get());
        form->editSelectAll->trigger();
        QCOMPARE(form->editPane->textCursor().selectedText(), QStringLiteral("abc"));
    }

    void ctrlETransfersFromTheEditPane() {
        auto form = open();
        type(form->editPane, QStringLiteral("本文"));
        QTest::keyClick(form->editPane, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(clip_.content, QStringLiteral("本文"));
        QCOMPARE(prompter_->last(), QStringLiteral("編集中の内容をクリップボードに転送しました。"));
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("本文"));  // Ctrl+E typed nothing
    }

    void counterWarnsOnceThroughTheSeam() {
        writeIni(QStringLiteral("[Form10]\nMojiOK=1000\n"));
        auto form = open();
        type(form->editPane, QString(1799, QLatin1Char('a')));
        QCOMPARE(form->counterBar->toolTip(), QStringLiteral("残り 201 文字(Byte)です"));
        QVERIFY(prompter_->shown.isEmpty());
        type(form->editPane, QStringLiteral("a"));  // 200 left: nothing
        QVERIFY(prompter_->shown.isEmpty());
        type(form->editPane, QStringLiteral("a"));
        QCOMPARE(prompter_->texts(), QStringList{QStringLiteral("残り99文字です")});
        QCOMPARE(prompter_->shown[0].icon, Icon::Information);
        QCOMPARE(prompter_->shown[0].caption, QStringLiteral("Kirel Editor"));
        type(form->editPane, QStringLiteral("あ\n"));  // 4 more bytes, still few left
        QCOMPARE(prompter_->shown.size(), 1);
        type(form->editPane, QString(300, QLatin1Char('b')));
        QCOMPARE(prompter_->shown.size(), 2);
        QCOMPARE(prompter_->shown[1].icon, Icon::Warning);
        QCOMPARE(form->counterBar->value(), 0);
        QCOMPARE(form->editByteLength(), 1801 + 4 + 300);
    }

    void runningByteCountMatchesARecount() {
        auto form = open();
        QPlainTextEdit* pane = form->editPane;
        const QStringList pieces = {QStringLiteral("abc"),    QStringLiteral("あいう"),
                                    QStringLiteral("\n"),     QStringLiteral("😀"),
                                    QStringLiteral("〜\n\n"), QStringLiteral("ｱｲ")};
        QRandomGenerator rng(7);
        for (int i = 0; i < 400; ++i) {
            QTextCursor c(pane->document());
            const int len = pane->document()->characterCount() - 1;
            const int a = int(rng.bounded(len + 1)), b = int(rng.bounded(len + 1));
            c.setPosition(a);
            c.setPosition(b, QTextCursor::KeepAnchor);
            if (rng.bounded(3) == 0)
                c.removeSelectedText();
            else
                c.insertText(pieces[int(rng.bounded(pieces.size()))]);
            if (i % 50 == 0) pane->undo();
            QCOMPARE(form->editByteLength(), sjis::byteLength(pane->toPlainText()));
        }
        pane->setPlainText(QStringLiteral("x\ny"));
        QCOMPARE(form->editByteLength(), 4);
        pane->clear();
        QCOMPARE(form->editByteLength(), 0);
    }

    void firstActivationOnlySnapshots() {
        auto form = open();
        clip_.setText(QStringLiteral("present at start-up, long enough to be a quote"));
        form->runCapture();  // first activation
        QVERIFY(form->quotePane->toPlainText().isEmpty());
        deactivated(*form);
        QVERIFY(!form->quotePane->isReadOnly());
        form->runCapture();  // back without copying anything
        QVERIFY(form->quotePane->toPlainText().isEmpty());
        QVERIFY(form->quotePane->isReadOnly());
    }

    void captureBranches() {
        auto form = open();
        form->runCapture();
        auto cycle = [&](const QString& text) {
            deactivated(*form);
            clip_.setText(text);
            form->runCapture();
        };
        // Two long texts go to the quote pane, one per line.
        const QString a = QStringLiteral("最初に引用する文章です。十分に長い。");
        const QString b = QStringLiteral("二番目に引用する文章です。これも長い。");
        cycle(a);
        cycle(b);
        QCOMPARE(form->quotePane->toPlainText(), a + QLatin1Char('\n') + b);
        // A short text is a handle name, inserted at the caret.
        cycle(QStringLiteral("たろう abcd"));
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral(">たろうabcdさん\n"));
        // Capture off: nothing.
        app().ClipCaptureOn = 0;
        cycle(QStringLiteral("ignored while capture is off, and long"));
        app().ClipCaptureOn = 1;
        QCOMPARE(form->quotePane->toPlainText(), a + QLatin1Char('\n') + b);
        // An address does not reach the quote pane; in capitals it is no address.
        cycle(QStringLiteral("http://example.jp/thread/read.cgi?no=12345"));
        cycle(QStringLiteral("ftp://example.jp/pub/file-archive/long-name"));
        QCOMPARE(form->quotePane->toPlainText(), a + QLatin1Char('\n') + b);
        cycle(QStringLiteral("HTTP://EXAMPLE.JP/THREAD/READ.CGI"));
        QVERIFY(form->quotePane->toPlainText().endsWith(
            QStringLiteral("HTTP://EXAMPLE.JP/THREAD/READ.CGI")));
        // Handle capture off: short texts are quotes too.
        app().HandleMaxLen = 0;
        cycle(QStringLiteral("じろう"));
        QVERIFY(form->quotePane->toPlainText().endsWith(QStringLiteral("\nじろう")));
        // A clipboard without text: nothing.
        deactivated(*form);
        clip_.clear();
        const QString before = form->quotePane->toPlainText();
        form->runCapture();
        QCOMPARE(form->quotePane->toPlainText(), before);
        QVERIFY(prompter_->shown.isEmpty());
    }

    void phraseWindowQuestion() {
        auto form = open();
        form->runCapture();
        // The fixed-phrase window, as the capture sees it while it is open.
        struct PhraseWindow : TextArtTarget {
            int textArtShown = 0;
            void showTextArtMenus() override { ++textArtShown; }
        } phrases;
        captureTargets().textArt = &phrases;
        prompter_->answers << true << false;
        deactivated(*form);
        clip_.setText(QStringLiteral("(´・ω・｀) text art copied from a thread"));
        form->runCapture();
        QCOMPARE(phrases.textArtShown, 1);
        QVERIFY(form->quotePane->toPlainText().isEmpty());
        QCOMPARE(prompter_->shown[0].text,
                 QStringLiteral("クリップボードにある内容「編集欄」に転送せずに\r\n「定型文選択」で"
                                "使用しますか？"));
        QVERIFY(prompter_->shown[0].isQuestion);
        deactivated(*form);
        clip_.setText(QStringLiteral("another long text for the quote pane"));
        form->runCapture();  // No: goes on to the quote pane
        QCOMPARE(form->quotePane->toPlainText(),
                 QStringLiteral("another long text for the quote pane"));
        QCOMPARE(phrases.textArtShown, 1);
        captureTargets().textArt = nullptr;
    }

    void addressGoesIntoAnOpenLinkDialog() {
        auto form = open();
        form->runCapture();
        // The link dialog, as the capture sees it while it is open.
        struct LinkDialog : LinkTarget {
            bool onTop = false;
            QStringList addresses;
            void bringToTop() override { onTop = true; }
            void takeAddress(const QString& a) override { addresses << a; }
        } link;
        captureTargets().link = &link;
        deactivated(*form);
        clip_.setText(QStringLiteral("http://example.jp/a.png"));
        form->runCapture();
        QVERIFY(link.onTop);
        QCOMPARE(link.addresses, QStringList{QStringLiteral("http://example.jp/a.png")});
        QVERIFY(form->quotePane->toPlainText().isEmpty());
        captureTargets().link = nullptr;
        // With automatic links off an address is text like any other.
        app().AutoLinkOn = false;
        deactivated(*form);
        clip_.setText(QStringLiteral("http://example.jp/another/long/page.html"));
        form->runCapture();
        QCOMPARE(form->quotePane->toPlainText(),
                 QStringLiteral("http://example.jp/another/long/page.html"));
    }

    void escMovesTheCurrentQuoteLine() {
        auto form = open();
        form->quotePane->setPlainText(QStringLiteral("一行目\n二行目\n三行目"));
        QTextCursor qc(form->quotePane->document()->findBlockByNumber(1));
        qc.movePosition(QTextCursor::Right);
        form->quotePane->setTextCursor(qc);
        type(form->editPane, QStringLiteral("前"));
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("前>二行目"));
        QCOMPARE(form->editPane->textCursor().selectedText(), QStringLiteral(">二行目"));
        QCOMPARE(form->quotePane->toPlainText(), QStringLiteral("一行目\n三行目"));
        // The last line goes without leaving an empty line behind.
        form->quotePane->moveCursor(QTextCursor::End);
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QCOMPARE(form->quotePane->toPlainText(), QStringLiteral("一行目"));
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QCOMPARE(form->quotePane->toPlainText(), QString());
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QCOMPARE(prompter_->last(), QStringLiteral("転送するものがありませんでした。"));
    }

    void escThenEnterDecorates() {
        auto form = open();
        app().QuoteItalicOn = true;
        app().QuoteColorOn = true;
        app().QuoteMark = QStringLiteral("＞＞");
        form->quotePane->setPlainText(QStringLiteral("引用文"));
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QTest::keyClick(form->editPane, Qt::Key_Return);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("＞＞引用文"));  // no new line
        QTextCursor c = form->editPane->textCursor();
        QVERIFY(!c.hasSelection());
        QCOMPARE(c.position(), 5);
        auto formatAt = [&](int pos) {
            QTextCursor k(form->editPane->document());
            k.setPosition(pos + 1);
            return k.charFormat();
        };
        QCOMPARE(formatAt(0).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatAt(1).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(formatAt(2).foreground().color(), QColor(Qt::black));
        QVERIFY(formatAt(3).fontItalic());
        // Typed text is plain black again.
        type(form->editPane, QStringLiteral("x"));
        QVERIFY(!formatAt(5).fontItalic());
        // Files and the clipboard see plain text only.
        form->transfer();
        QCOMPARE(clip_.content, QStringLiteral("＞＞引用文x"));
    }

    void enterOnAPlainSelectionWithOptionsOff() {
        auto form = open();
        type(form->editPane, QStringLiteral("abc def\nnext"));
        QTextCursor c = form->editPane->textCursor();
        c.setPosition(1);
        c.setPosition(6, QTextCursor::KeepAnchor);
        form->editPane->setTextCursor(c);
        QTest::keyClick(form->editPane, Qt::Key_Return);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("abc def\nnext"));
        QCOMPARE(form->editPane->textCursor().position(), 7);
    }

    void transferToClipboard() {
        auto form = open();
        form->transfer();
        QCOMPARE(prompter_->last(),
                 QStringLiteral(
                     "クリップボードに転送するものがありませんでした。\r\n処理を中止します。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::Information);
        type(form->editPane, QStringLiteral("波〜線\nマイナス−😀"));
        form->transfer();
        QCOMPARE(prompter_->last(), QStringLiteral("編集中の内容をクリップボードに転送しました。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::None);
        // What a Shift-JIS board receives, the same text the counter counted.
        QCOMPARE(clip_.content, QStringLiteral("波～線\nマイナス－😀"));
        QFile backup(app().path(QStringLiteral("backup.txt")));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        const QByteArray bytes = backup.readAll();
        QCOMPARE(bytes, sjis::toFile(form->editPane->toPlainText()));
        QVERIFY(bytes.contains("\x81\x60"));
        QVERIFY(bytes.contains("&#128512;"));
        QCOMPARE(qint64(bytes.size()), form->editByteLength());
        // The snapshot now holds the transferred text: coming back captures nothing.
        form->runCapture();  // first activation
        form->runCapture();
        QVERIFY(form->quotePane->toPlainText().isEmpty());
    }

    void countTransferAndBackupAgreeOnSpacesAndSeparators() {
        auto form = open();
        // As pasted from a web page: no-break spaces and a line separator.
        type(form->editPane, QStringLiteral("A\u00A0B\u00A0\u00A0C\u2028D"));
        QCOMPARE(form->editByteLength(), 9);  // "A B  C", CR LF, "D"
        form->transfer();
        QCOMPARE(clip_.content, QStringLiteral("A B  C\nD"));
        QFile backup(app().path(QStringLiteral("backup.txt")));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), QByteArray("A B  C\r\nD"));
        QCOMPARE(sjis::byteLength(clip_.content), form->editByteLength());
        QCOMPARE(sjis::byteLength(form->editText().text()), form->editByteLength());
    }

    void copyFromTheEditPaneGivesTheBoardForm() {
        auto form = open();
        QClipboard* clipboard = QGuiApplication::clipboard();
        type(form->editPane, QStringLiteral("A〜B\u00A0C−"));
        form->editPane->selectAll();
        QTest::keyClick(form->editPane, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("A～B C－"));
        QVERIFY(!clipboard->mimeData()->hasHtml());
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("A〜B C−"));
        // Cut gives the same and leaves the pane empty; the edit menu's items too.
        clipboard->clear();
        QTest::keyClick(form->editPane, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("A～B C－"));
        QVERIFY(form->editPane->toPlainText().isEmpty());
        // Pasted back into the pane itself, the text has the characters it had.
        QTest::keyClick(form->editPane, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("A〜B C−"));
        // The quote pane copies what it shows.
        form->quotePane->setPlainText(QStringLiteral("引用〜"));
        form->quotePane->selectAll();
        form->quotePane->copy();
        QCOMPARE(clipboard->text(), QStringLiteral("引用〜"));
    }

    void failedBackupStillTransfers() {
        auto form = open();
        app().AppDir = dir_->filePath(QStringLiteral("missing/"));
        type(form->editPane, QStringLiteral("text"));
        form->transfer();
        QCOMPARE(prompter_->shown.size(), 2);
        QVERIFY(prompter_->shown[0].text.contains(QStringLiteral("に書き込めません")));
        QCOMPARE(clip_.content, QStringLiteral("text"));
    }

    void wheel() {
        auto form = open();
        type(form->quotePane, QString(QStringLiteral("line\n")).repeated(100));
        form->quotePane->moveCursor(QTextCursor::Start);
        form->editPane->setFocus();
        QPlainTextEdit* quote = form->quotePane;
        const QPoint at = form->editPane->viewport()->rect().center();
        QWheelEvent shifted(at, form->editPane->viewport()->mapToGlobal(at), {}, {0, -120},
                            Qt::NoButton, Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form->editPane->viewport(), &shifted);
        QCOMPARE(form->focusWidget(), quote);
        QCOMPARE(quote->verticalScrollBar()->value(), 1);
        // On the preview tab nothing happens.
        form->tabs->setCurrentIndex(1);
        form->editPane->setFocus();
        const int before = quote->verticalScrollBar()->value();
        QApplication::sendEvent(form->editPane->viewport(), &shifted);
        QCOMPARE(quote->verticalScrollBar()->value(), before);
    }

    void oneWheelNotchScrollsOneLine() {
        auto form = open();
        form->quotePane->setPlainText(QStringLiteral("short"));  // cannot scroll
        form->editPane->setPlainText(QString(QStringLiteral("line\n")).repeated(100));
        form->editPane->setFocus();
        QScrollBar* bar = form->editPane->verticalScrollBar();
        // A notch as the window system delivers it: to the widget under the
        // pointer, then to its parents while it is ignored (Qt does not pass a
        // notch sent by a program on to the parents, so the walk is done here).
        const auto turn = [&](QWidget* under) {
            const QPoint spot = under->mapToGlobal(under->rect().center());
            for (QWidget* w = under; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
                QWheelEvent notch(w->mapFromGlobal(spot), spot, {}, {0, -120}, Qt::NoButton,
                                  Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(w, &notch);
                if (notch.isAccepted()) break;
            }
        };
        // Over the quote pane, which cannot scroll, the edit pane moves one line.
        turn(form->quotePane->viewport());
        QCOMPARE(bar->value(), 1);
        // Over the edit pane itself: one line, not the pane's own three more.
        turn(form->editPane->viewport());
        QCOMPARE(bar->value(), 2);
        // Over the strip beside the edit pane.
        turn(form->sidePanel);
        QCOMPARE(bar->value(), 3);
        QCOMPARE(form->quotePane->verticalScrollBar()->value(), 0);
    }

    void toolbarButtonsShowNoFocusRectangle() {
        auto form = open();
        QApplication::setActiveWindow(form.get());
        for (PictureButton* b :
             {form->transferButton, form->decorationButton, form->emoticonButton,
              form->phraseButton, form->settingsButton, form->saveButton, form->loadButton}) {
            b->clearFocus();
            const QImage before = b->grab().toImage();
            b->setFocus(Qt::MouseFocusReason);  // as a click leaves it
            QVERIFY(b->hasFocus());
            QCOMPARE(b->grab().toImage(), before);
        }
    }

    // The look the design gives the tabs and the quote pane's handle, on every
    // page, without a style sheet.
    void tabsAndQuoteHandleLook() {
        auto form = open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        for (int i = 0; i < form->tabs->count(); ++i)
            QCOMPARE(form->tabs->tabBar()->tabRect(i).height(), 22);
        QSplitterHandle* handle = form->quoteSplitter->handle(1);
        const QImage picture = handle->grab().toImage();
        QCOMPARE(picture.pixelColor(picture.width() / 2, 1), QColor(0xD7, 0xED, 0xFF));
    }

    void settingsButton() {
        auto form = open();
        emit form->settingsButton->mouseUp(Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(!form->settingsMenu->isVisible());
        emit form->settingsButton->mouseUp(Qt::LeftButton, Qt::ControlModifier, QPoint(5, 5));
        QVERIFY(!form->settingsMenu->isVisible());
        emit form->settingsButton->mouseUp(Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(form->settingsMenu->isVisible());
        const QPoint at = form->settingsButton->mapToGlobal(QPoint(5, 5));
        QCOMPARE(app().QuoteDlgLeft, at.x());
        QCOMPARE(app().QuoteDlgTop, at.y() - 30);
        form->settingsMenu->hide();
        form->editPane->setEnabled(false);
        emit form->settingsButton->mouseUp(Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(prompter_->last().startsWith(
            QStringLiteral("「HTMLタグで文字を修飾」のウィンドウが開いているため、")));
    }

    void composingTextColours() {
        auto form = open();
        const auto sendComposition = [&](const QList<QTextCharFormat>& clauses) {
            QList<QInputMethodEvent::Attribute> attributes;
            for (int i = 0; i < clauses.size(); ++i)
                attributes.append({QInputMethodEvent::TextFormat, 2 * i, 2, clauses[i]});
            QInputMethodEvent ime(QStringLiteral("にほんご").left(2 * int(clauses.size())),
                                  attributes);
            QApplication::sendEvent(form->editPane, &ime);
            return form->editPane->textCursor().block().layout()->formats();
        };
        QTextCharFormat underline;
        underline.setFontUnderline(true);
        QTextCharFormat selected;
        selected.setBackground(Qt::darkBlue);
        // Typed, not converted yet: blue on white, bold.
        QList<QTextLayout::FormatRange> formats = sendComposition({underline});
        QCOMPARE(formats.size(), 1);
        QCOMPARE(formats[0].format.foreground().color(), QColor(0, 0, 0xFF));
        QCOMPARE(formats[0].format.background().color(), QColor(0xFF, 0xFF, 0xFF));
        QCOMPARE(formats[0].format.fontWeight(), int(QFont::Bold));
        // Converting: the highlighted clause dark on cyan, bold; the other clause,
        // converted already, navy on yellow, underlined.
        formats = sendComposition({underline, selected});
        QCOMPARE(formats.size(), 2);
        QCOMPARE(formats[0].format.foreground().color(), QColor(0, 0, 0x80));
        QCOMPARE(formats[0].format.background().color(), QColor(0xFF, 0xFF, 0));
        QVERIFY(formats[0].format.fontUnderline());
        QCOMPARE(formats[1].format.foreground().color(), QColor(0x17, 0x17, 0x1A));
        QCOMPARE(formats[1].format.background().color(), QColor(0, 0xFF, 0xFF));
        QCOMPARE(formats[1].format.fontWeight(), int(QFont::Bold));
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("日本語"));
        QApplication::sendEvent(form->editPane, &commit);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("日本語"));
        QCOMPARE(form->editByteLength(), 6);
    }

    void inputMethodTextIsPlainBlack() {
        auto form = open();
        app().QuoteItalicOn = true;
        app().QuoteColorOn = true;
        form->quotePane->setPlainText(QStringLiteral("引用文"));
        QTest::keyClick(form->editPane, Qt::Key_Escape);
        QTest::keyClick(form->editPane, Qt::Key_Return);  // ">" red, the line italic
        const auto formatAt = [&](int pos) {
            QTextCursor k(form->editPane->document());
            k.setPosition(pos + 1);
            return k.charFormat();
        };
        const auto commit = [&](const QString& text) {
            QInputMethodEvent ime;
            ime.setCommitString(text);
            QApplication::sendEvent(form->editPane, &ime);
        };
        // At the start of the line the caret would take the red of the mark.
        form->editPane->moveCursor(QTextCursor::StartOfLine);
        commit(QStringLiteral("日本"));
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("日本>引用文"));
        for (int i : {0, 1}) {
            QCOMPARE(formatAt(i).foreground().color(), QColor(Qt::black));
            QVERIFY(!formatAt(i).fontItalic());
        }
        QCOMPARE(formatAt(2).foreground().color(), QColor(255, 0, 0));
        // A commit over a selection of the decorated line is plain too.
        QTextCursor c = form->editPane->textCursor();
        c.setPosition(3);
        c.setPosition(5, QTextCursor::KeepAnchor);
        form->editPane->setTextCursor(c);
        commit(QStringLiteral("語"));
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral("日本>語文"));
        QVERIFY(!formatAt(3).fontItalic());
        QVERIFY(formatAt(4).fontItalic());
    }

    void quotePaneTakesNoInputMethodText() {
        auto form = open();
        form->runCapture();  // in the foreground: the quote pane is read-only
        form->quotePane->setPlainText(QStringLiteral("引用"));
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(form->quotePane, &query);
        QVERIFY(!query.value(Qt::ImEnabled).toBool());
        QInputMethodEvent ime;
        ime.setCommitString(QStringLiteral("日本語"));
        QApplication::sendEvent(form->quotePane, &ime);
        QCOMPARE(form->quotePane->toPlainText(), QStringLiteral("引用"));
    }

    void escInTheQuotePaneQuotesItsLine() {
        auto form = open();
        QApplication::setActiveWindow(form.get());
        form->quotePane->setPlainText(QStringLiteral("一行目\n二行目"));
        form->quotePane->moveCursor(QTextCursor::End);  // a click on the second line
        form->quotePane->setFocus();
        QTest::keyClick(form->quotePane, Qt::Key_Escape);
        QCOMPARE(form->editPane->toPlainText(), QStringLiteral(">二行目"));
        QCOMPARE(form->quotePane->toPlainText(), QStringLiteral("一行目"));
        QCOMPARE(QApplication::focusWidget(), form->editPane);
    }

    void shiftF10AndAcceleratorsInTheEditMenu() {
        installKeyboardConventions();
        auto form = open();
        QApplication::setActiveWindow(form.get());
        type(form->editPane, QStringLiteral("本文"));
        form->editPane->setFocus();
        QTest::keyClick(form->editPane, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(form->editMenu->isVisible());
        const QPoint caret = form->editPane->mapToGlobal(
            form->editPane->inputMethodQuery(Qt::ImCursorRectangle).toRect().center());
        QVERIFY((form->editMenu->pos() - caret).manhattanLength() <= 2);
        // "T": cut is disabled without a selection, so the text file is inserted.
        QSignalSpy inserted(form->insertTextFile, &QAction::triggered);
        QTest::keyClick(form->editMenu, Qt::Key_T);
        QCOMPARE(inserted.size(), 1);
        QVERIFY(!form->editMenu->isVisible());

        form->quotePane->setPlainText(QStringLiteral("引用"));
        form->quotePane->setFocus();
        QTest::keyClick(form->quotePane, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(form->quoteMenu->isVisible());
        form->quoteMenu->hide();
    }

    void alwaysOnTop() {
        auto form = open();
        form->alwaysOnTop->trigger();
        QVERIFY(form->alwaysOnTop->isChecked());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(prompter_->last(), QStringLiteral("常に最前面とする設定しました。"));
        form->alwaysOnTop->trigger();
        QVERIFY(!(form->windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(prompter_->last(), QStringLiteral("常に最前面とする設定を解除しました。"));
        form->alwaysOnTop->trigger();
        form->close();
        QVERIFY(Profile(ini()).readBool(QStringLiteral("Form1"), QStringLiteral("TopMost"), false));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
