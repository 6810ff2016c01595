// The preview and browser tabs and the board menu of the main window, offscreen,
// with a browser view that records what it is asked to show.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/browserview.h"
#include "platform/keyboard.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/sjis.h"
#include "preview/previewtabs.h"
#include "support/fakeclipboard.h"
#include "support/scriptedprompter.h"

using namespace kirel;

namespace {

// A browser view with a history, completing every navigation at once.
class FakeEngine final : public QWidget, public BrowserEngine {
  public:
    FakeEngine(QWidget* parent, const BrowserOptions& o) : QWidget(parent), options(o) {}
    BrowserOptions options;
    QStringList loads;  // every address loaded, reloads included
    QStringList history;
    int at = -1;
    std::function<void(const QString&)> done;
    bool loadsFail = false;  // the next loads end in an error
    bool complete = false;

    QWidget* widget() override { return this; }
    QString pageAddress() override { return at >= 0 ? history[at] : QString(); }
    bool pageComplete() override { return complete; }
    void navigate(const QString& address) override {
        history = history.mid(0, at + 1);
        history << address;
        at = int(history.size()) - 1;
        load();
    }
    bool goBack() override { return step(-1); }
    bool goForward() override { return step(+1); }
    void refresh() override {
        if (at >= 0) load();
    }
    void setNavigateComplete(std::function<void(const QString&)> h) override {
        done = std::move(h);
    }

  private:
    bool step(int d) {
        if (at + d < 0 || at + d >= history.size()) return false;
        at += d;
        load();
        return true;
    }
    void load() {
        loads << history[at];
        complete = !loadsFail;
        if (done) done(history[at]);
    }
};

class FakeFactory final : public BrowserEngineFactory {
  public:
    BrowserEngine* createEngine(QWidget* parent, const BrowserOptions& options) override {
        return new FakeEngine(parent, options);
    }
};

FakeEngine* engineOf(BrowserView* view) {
    return static_cast<FakeEngine*>(view->engine());
}

}  // namespace

class PreviewGuiTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::ScriptedPrompter> prompter_;
    test::FakeClipboard clip_;
    FakeFactory factory_;
    QList<QUrl> opened_;

    QString path(const QString& name) const { return app().AppDir + name; }
    QByteArray readAll(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeIni(const QString& text) {
        QFile f(path(QStringLiteral("Kirel.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(sjis::toFile(text));
    }
    int ini(const char* section, const char* key) const {
        return Profile(app().iniPath()).readInteger(QLatin1String(section), QLatin1String(key), -1);
    }
    std::unique_ptr<MainWindow> open() {
        auto form = std::make_unique<MainWindow>(QStringList(), &clip_);
        form->show();
        // Let the board menu learn which item start-up checked.
        QCoreApplication::processEvents();
        return form;
    }
    static PreviewTabs* tabs(MainWindow* form) { return form->findChild<PreviewTabs*>(); }
    static void type(QPlainTextEdit* pane, const QString& text) {
        pane->textCursor().insertText(text);
    }

  private slots:
    void initTestCase() {
        BrowserView::setFactory(&factory_);
        shellOpener() = [this](const QUrl& url) {
            opened_ << url;
            return true;
        };
    }
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        app() = AppState();
        app().AppDir = dir_->path() + QLatin1Char('/');
        prompter_ = std::make_unique<test::ScriptedPrompter>();
        clip_.clear();
        opened_.clear();
    }
    void cleanup() { prompter_.reset(); }

    void boardSelectionResetsTheCounter() {
        auto form = open();
        QVERIFY(form->board1->isChecked());
        type(form->editPane, QStringLiteral("ab\nあ"));  // 6 bytes
        form->setEditPaneWidth(300);
        const int width = form->editPaneWidth();

        form->board2->trigger();
        QVERIFY(form->board2->isChecked());
        QVERIFY(!form->board1->isChecked());
        QCOMPARE(app().CharLimit, 1000);
        QCOMPARE(form->counterLabel->text(), QStringLiteral("0"));
        QCOMPARE(form->limitLabel->text(), QStringLiteral("1000"));
        QCOMPARE(form->counterBar->maximum(), 2000);
        QCOMPARE(form->counterBar->value(), 1994);
        QCOMPARE(form->counterBar->toolTip(), QStringLiteral("残り 1994 文字(Byte)です"));
        QCOMPARE(ini("Form1", "RichEdit1widthBBS1"), width);
        QCOMPARE(ini("Form1", "RichEdit1width"), width);
        QCOMPARE(ini("Form10", "Check2"), 1);
        QCOMPARE(ini("Form10", "MojiOK"), 1000);
        QCOMPARE(form->editPaneWidth(), 520);
        QVERIFY(prompter_->shown.isEmpty());

        // The board already selected: nothing is written, the item stays checked.
        const QByteArray before = readAll(QStringLiteral("Kirel.ini"));
        form->setEditPaneWidth(250);
        const int width2 = form->editPaneWidth();
        app().CharLimit = 7;
        form->board2->trigger();
        QVERIFY(form->board2->isChecked());
        QCOMPARE(readAll(QStringLiteral("Kirel.ini")), before);
        QCOMPARE(app().CharLimit, 7);

        app().CharLimit = 1000;
        form->board1->trigger();
        QCOMPARE(app().CharLimit, 0);
        QCOMPARE(form->counterLabel->text(), QString());
        QCOMPARE(form->limitLabel->text(), QString());
        QCOMPARE(form->counterBar->value(), 0);
        QCOMPARE(form->counterBar->toolTip(), QStringLiteral("文字数制限の設定がオフです"));
        QCOMPARE(ini("Form1", "RichEdit1widthBBS2"), width2);
    }

    void boardFromSettingsAtStartUp() {
        writeIni(
            QStringLiteral("[Form10]\nCheck2=2\nMojiOK=3000\n[Form1]\nRichEdit1widthBBS1=400\n"));
        auto form = open();
        QVERIFY(form->board3->isChecked());
        const int width = form->editPaneWidth();
        form->board1->trigger();
        QCOMPARE(ini("Form1", "RichEdit1widthBBS3"), width);
        QCOMPARE(form->editPaneWidth(), 400);
        QCOMPARE(ini("Form10", "Check2"), 0);
    }

    void previewTabShowsThePost() {
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        type(form->editPane, QStringLiteral("a\n<B>b</B>"));
        form->tabs->setCurrentIndex(1);
        QCOMPARE(app().ClipCaptureOn, 0);
        QCOMPARE(app().PreviewBody, QStringLiteral("a<BR><B>b</B>"));
        FakeEngine* view = engineOf(t->previewView);
        QVERIFY(view);
        QVERIFY(!view->options.javaScript);
        // The post's pictures and styles may come from the web; nothing is kept.
        QVERIFY(view->options.localPagesLoadRemote);
        QVERIFY(view->options.storageFolder.isEmpty());
        QCOMPARE(view->loads, QStringList({path(QStringLiteral("0.htm"))}));
        const QByteArray page = readAll(QStringLiteral("0.htm"));
        QVERIFY(page.startsWith("<BODY bgcolor=\"#FCBED3\">"));
        QVERIFY(page.contains("<FONT color=\"#000000\">a<BR><B>b</B></FONT>"));
        // The browser tab's view is made when it first shows a page, with scripts.
        QVERIFY(!t->browserView->engine());

        // A board chosen while the preview shows redraws it with the same text.
        type(form->editPane, QStringLiteral("changed"));
        form->board2->trigger();
        QCOMPARE(view->loads.size(), 2);
        QVERIFY(readAll(QStringLiteral("0.htm")).startsWith("<BODY bgcolor=\"#A7ABFC\">"));
        QVERIFY(readAll(QStringLiteral("0.htm")).contains(">a<BR><B>b</B></FONT>"));

        form->tabs->setCurrentIndex(0);
        QCOMPARE(app().ClipCaptureOn, 1);
        // "ブラウザで確認(&B)" converts again and opens the page in the default
        // browser, through a copy that names its character set: a browser left to
        // guess takes a post of half-width kana for another encoding. "0.htm"
        // itself stays byte for byte as it was.
        type(form->editPane, QStringLiteral("ｱｲｳ"));
        form->openInBrowser->trigger();
        QCOMPARE(opened_,
                 QList<QUrl>({QUrl::fromLocalFile(path(QStringLiteral("0-browser.htm")))}));
        const QByteArray page0 = readAll(QStringLiteral("0.htm"));
        QVERIFY(page0.startsWith("<BODY "));
        QVERIFY(page0.contains("<B>b</B>changed\xB1\xB2\xB3</FONT>"));
        QCOMPARE(readAll(QStringLiteral("0-browser.htm")),
                 "<META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\r\n" +
                     page0);
        QCOMPARE(view->loads.size(), 2);
        // Both pages go when the window closes.
        form->close();
        QVERIFY(!QFile::exists(path(QStringLiteral("0.htm"))));
        QVERIFY(!QFile::exists(path(QStringLiteral("0-browser.htm"))));
    }

    // Shown again with the same page on view, the preview is written again but
    // not loaded again: a long post would blank the view for seconds. Whatever
    // may differ when loaded again is loaded again.
    void anUnchangedPreviewIsNotLoadedAgain() {
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        type(form->editPane, QStringLiteral("今日は<B>返信</B>します。"));
        form->tabs->setCurrentIndex(1);
        FakeEngine* view = engineOf(t->previewView);
        const QString page = path(QStringLiteral("0.htm"));
        QCOMPARE(view->loads, QStringList({page}));
        const QByteArray first = readAll(QStringLiteral("0.htm"));
        const auto showAgain = [&] {
            form->tabs->setCurrentIndex(0);
            QVERIFY(QFile::remove(page));
            form->tabs->setCurrentIndex(1);
            // The file is there for whoever reads it, every time.
            QVERIFY(QFile::exists(page));
        };
        showAgain();
        QCOMPARE(view->loads.size(), 1);
        QCOMPARE(readAll(QStringLiteral("0.htm")), first);
        QCOMPARE(app().ClipCaptureOn, 0);
        // Asked for again while it is the current tab: the same.
        form->showTab(EditorHost::Tab::Preview);
        QCOMPARE(view->loads.size(), 1);

        // A changed post, a picture from elsewhere, another board.
        form->tabs->setCurrentIndex(0);
        type(form->editPane, QStringLiteral("追記"));
        form->tabs->setCurrentIndex(1);
        QCOMPARE(view->loads.size(), 2);
        form->tabs->setCurrentIndex(0);
        type(form->editPane, QStringLiteral("<IMG SRC=\"http://127.0.0.1:9/a.png\">"));
        form->tabs->setCurrentIndex(1);
        showAgain();
        QCOMPARE(view->loads.size(), 4);
        form->board2->trigger();
        QCOMPARE(view->loads.size(), 5);

        // The view sent elsewhere, or a load that failed: loaded again.
        form->tabs->setCurrentIndex(0);
        form->editPane->setPlainText(QStringLiteral("abc"));
        form->tabs->setCurrentIndex(1);
        QCOMPARE(view->loads.size(), 6);
        t->previewView->navigate(QStringLiteral("/elsewhere/page.htm"));
        showAgain();
        QCOMPARE(view->loads.size(), 8);
        QCOMPARE(view->loads.last(), page);
        view->loadsFail = true;
        form->tabs->setCurrentIndex(0);
        type(form->editPane, QStringLiteral("d"));
        form->tabs->setCurrentIndex(1);
        QCOMPARE(view->loads.size(), 9);
        showAgain();
        QCOMPARE(view->loads.size(), 10);
        view->loadsFail = false;
        showAgain();
        QCOMPARE(view->loads.size(), 11);
        showAgain();
        QCOMPARE(view->loads.size(), 11);
    }

    void browserTabAddressList() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        clip_.setText(QStringLiteral("0123456789abcdef"));
        form->tabs->setCurrentIndex(2);
        QCOMPARE(app().ClipCaptureOn, 0);
        QCOMPARE(app().ClipSnapLen, 16);
        QCOMPARE(app().ClipSnapHead, QByteArray("0123456789"));
        QVERIFY(QFile::exists(path(QStringLiteral("user/bbs.txt"))));
        QCOMPARE(t->addressBox->count(), 0);

        // Menu items as the menu opens.
        clip_.setText(QStringLiteral("https://example.jp/"));
        t->addressMenu->popup(QPoint(0, 0));
        QVERIFY(t->addressPaste->isEnabled());
        QVERIFY(!t->addressAdd->isEnabled());
        QVERIFY(!t->addressDelete->isEnabled());
        t->addressMenu->hide();
        clip_.setText(QStringLiteral("www.example.jp"));
        t->addressBox->setEditText(QStringLiteral("x"));
        t->addressMenu->popup(QPoint(0, 0));
        QVERIFY(!t->addressPaste->isEnabled());
        QVERIFY(t->addressAdd->isEnabled());
        QVERIFY(t->addressDelete->isEnabled());
        t->addressMenu->hide();

        // Disabled items do nothing.
        clip_.setText(QStringLiteral("http://board.example.jp/"));
        t->addressPaste->trigger();
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("x"));
        t->addressMenu->popup(QPoint(0, 0));
        t->addressMenu->hide();
        t->addressPaste->trigger();
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://board.example.jp/"));
        t->addressAdd->trigger();
        t->addressAdd->trigger();
        QCOMPARE(readAll(QStringLiteral("user/bbs.txt")),
                 QByteArray("http://board.example.jp/\r\nhttp://board.example.jp/\r\n"));
        QCOMPARE(prompter_->last(), QStringLiteral("アイテムリストに追加しました。"));
        t->addressBox->setEditText(QStringLiteral("ftp://files.example.jp/"));
        t->addressAdd->trigger();
        QCOMPARE(t->addressBox->count(), 3);

        // Delete the item chosen in the list, after a Yes.
        t->addressBox->setCurrentIndex(1);
        t->addressDelete->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("選択されたアドレスを削除します。\r\nよろしいですか？"));
        QCOMPARE(t->addressBox->count(), 3);
        prompter_->answers.enqueue(true);
        t->addressDelete->trigger();
        QCOMPARE(t->addressBox->count(), 2);
        QCOMPARE(readAll(QStringLiteral("user/bbs.txt")),
                 QByteArray("http://board.example.jp/\r\nftp://files.example.jp/\r\n"));

        // Shift+F10 in the address box opens its menu, as a right click does.
        installKeyboardConventions();
        QApplication::setActiveWindow(form.get());
        t->addressBox->setFocus();
        QWidget* opened = nullptr;
        QTimer::singleShot(0, [&opened] {
            opened = QApplication::activePopupWidget();
            if (opened) opened->close();
        });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(opened, t->addressMenu);

        // Shown again: the list is read from the file.
        QFile f(path(QStringLiteral("user/bbs.txt")));
        QVERIFY(f.open(QIODevice::Append));
        f.write("file:///tmp/a.htm\r\n");
        f.close();
        form->tabs->setCurrentIndex(0);
        form->tabs->setCurrentIndex(2);
        QCOMPARE(t->addressBox->count(), 3);
        QCOMPARE(t->addressBox->itemText(2), QStringLiteral("file:///tmp/a.htm"));
    }

    void browserTabWithoutUserFolder() {
        auto form = open();
        clip_.setText(QStringLiteral("abc"));
        form->tabs->setCurrentIndex(2);
        QCOMPARE(prompter_->shown.size(), 1);
        QCOMPARE(prompter_->shown[0].icon, Icon::Error);
        // The snapshot is not taken.
        QCOMPARE(app().ClipSnapLen, 0);
    }

    void leavingTheBrowserCapturesWhatWasCopied() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        app().ClipSnapTaken = true;
        clip_.setText(QStringLiteral("before"));
        form->tabs->setCurrentIndex(2);
        clip_.setText(QStringLiteral("a passage copied from the page in the browser tab"));
        form->tabs->setCurrentIndex(0);
        QCOMPARE(app().ClipCaptureOn, 1);
        QCOMPARE(form->quotePane->toPlainText(),
                 QStringLiteral("a passage copied from the page in the browser tab"));
    }

    void browserNavigation() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        form->tabs->setCurrentIndex(2);

        // No page yet: both directions fail with their messages.
        t->backButton->click();
        t->forwardButton->click();
        QCOMPARE(prompter_->texts(),
                 QStringList({"戻るページはありません。", "進むページはありません。"}));
        QCOMPARE(prompter_->shown[0].caption, QStringLiteral("エラー"));
        QCOMPARE(prompter_->shown[0].icon, Icon::Error);
        prompter_->clear();

        // Entering the box loads its address; focus coming back after a menu, or
        // moved into the box by the tab being shown, does not.
        t->addressBox->setEditText(QStringLiteral("http://a.example.jp/"));
        for (Qt::FocusReason reason :
             {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
            QFocusEvent back(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(t->addressBox, &back);
        }
        QVERIFY(!t->browserView->engine());
        QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(t->addressBox, &tabIn);
        FakeEngine* view = engineOf(t->browserView);
        QVERIFY(view);
        QVERIFY(view->options.javaScript);
        // Cookies and logins are kept in the program folder between runs.
        QCOMPARE(view->options.storageFolder, path(QStringLiteral("user/browser")));
        QVERIFY(!view->options.localPagesLoadRemote);
        QCOMPARE(view->loads, QStringList({"http://a.example.jp/"}));

        // Enter loads what was typed; a completed navigation shows its address.
        t->addressBox->setEditText(QStringLiteral("http://b.example.jp/"));
        QTest::keyClick(t->addressBox, Qt::Key_Return);
        QCOMPARE(view->loads.last(), QStringLiteral("http://b.example.jp/"));
        t->addressBox->setEditText(QString());
        view->done(QStringLiteral("http://b.example.jp/next.html"));
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://b.example.jp/next.html"));

        t->backButton->click();
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://a.example.jp/"));
        t->forwardButton->click();
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://b.example.jp/"));
        t->reloadButton->click();
        QCOMPARE(view->loads.size(), 5);
        QVERIFY(prompter_->shown.isEmpty());

        // Showing the tab again keeps the page: nothing is loaded.
        form->tabs->setCurrentIndex(0);
        form->tabs->setCurrentIndex(2);
        QCOMPARE(view->loads.size(), 5);
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://b.example.jp/"));

        // A chosen list item loads.
        t->addressBox->addItem(QStringLiteral("http://c.example.jp/"));
        emit t->addressBox->activated(t->addressBox->count() - 1);
        QCOMPARE(view->loads.last(), t->addressBox->currentText());
    }

    void aboutCommands() {
        auto form = open();
        form->versionInfo->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral(
                     "ダウンロードありがとうございます。\r\n現在のバージョンは、4.41βです。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::None);
        form->help->trigger();
        form->homepage->trigger();
        QCOMPARE(opened_.size(), 2);
        QCOMPARE(opened_[0], QUrl::fromLocalFile(path(QStringLiteral("リファレンス.htm"))));
        QCOMPARE(opened_[1].scheme(), QStringLiteral("https"));
    }

    void missingModuleShowsAMessage() {
        // This test program has no browser module beside it.
        BrowserView::setFactory(nullptr);
        BrowserView view(BrowserOptions{});
        view.navigate(QStringLiteral("/nowhere/0.htm"));
        QVERIFY(!view.engine());
        QVERIFY(view.failureText().contains(QStringLiteral("kirelweb")));
        QVERIFY(!view.goBack());
        QVERIFY(!view.goForward());
        view.refresh();
        BrowserView::setFactory(&factory_);
    }

    void pastedSeveralLinesKeepTheFirst() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        form->tabs->setCurrentIndex(2);
        clip_.setText(QStringLiteral("http://a.example.jp/\r\nhttp://b.example.jp/\n"));
        t->addressMenu->popup(QPoint(0, 0));
        t->addressMenu->hide();
        t->addressPaste->trigger();
        QCOMPARE(t->addressBox->currentText(), QStringLiteral("http://a.example.jp/"));
        t->addressMenu->popup(QPoint(0, 0));
        t->addressMenu->hide();
        t->addressAdd->trigger();
        QCOMPARE(t->addressBox->count(), 1);
        QCOMPARE(readAll(QStringLiteral("user/bbs.txt")), QByteArray("http://a.example.jp/\r\n"));
    }

    void engineViewGoingFirstOrLast() {
        // The engine view deleted on its own: the browser view forgets it and makes
        // a new one at the next navigation.
        BrowserView view(BrowserOptions{});
        view.navigate(QStringLiteral("/a/0.htm"));
        QVERIFY(view.engine());
        delete view.engine()->widget();
        QVERIFY(!view.engine());
        QVERIFY(!view.goBack());
        view.refresh();
        view.navigate(QStringLiteral("/b/0.htm"));
        QVERIFY(view.engine());
        QCOMPARE(engineOf(&view)->loads, QStringList{QStringLiteral("/b/0.htm")});

        // The browser view deleted with its engine view inside: the engine view
        // goes in QWidget's destructor, after the browser view's own part. Nothing
        // may be written into that part then (the sanitizer build checks this).
        auto* parent = new QWidget;
        auto* inside = new BrowserView(BrowserOptions{}, parent);
        inside->navigate(QStringLiteral("/c/0.htm"));
        QPointer<QWidget> engineWidget = inside->engine()->widget();
        delete inside;
        QVERIFY(engineWidget.isNull());
        delete parent;
    }
};

QTEST_MAIN(PreviewGuiTest)
#include "test_preview_gui.moc"
