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

#include "app/appstate.h"
#include "app/unit1.h"
#include "platform/profile.h"
#include "platform/shell.h"
#include "platform/sjis.h"
#include "preview/browserview.h"
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

    QWidget* widget() override { return this; }
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
    std::unique_ptr<TForm1> open() {
        auto form = std::make_unique<TForm1>(QStringList(), &clip_);
        form->show();
        // Let the board menu learn which item start-up checked.
        QCoreApplication::processEvents();
        return form;
    }
    static PreviewTabs* tabs(TForm1* form) { return form->findChild<PreviewTabs*>(); }
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
        QVERIFY(form->N110->isChecked());
        type(form->RichEdit1, QStringLiteral("ab\nあ"));  // 6 bytes
        form->setEditPaneWidth(300);
        const int width = form->editPaneWidth();

        form->N24->trigger();
        QVERIFY(form->N24->isChecked());
        QVERIFY(!form->N110->isChecked());
        QCOMPARE(app().CharLimit, 1000);
        QCOMPARE(form->Label1->text(), QStringLiteral("0"));
        QCOMPARE(form->Label2->text(), QStringLiteral("1000"));
        QCOMPARE(form->ProgressBar1->maximum(), 2000);
        QCOMPARE(form->ProgressBar1->value(), 1994);
        QCOMPARE(form->ProgressBar1->toolTip(), QStringLiteral("残り 1994 文字(Byte)です"));
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
        form->N24->trigger();
        QVERIFY(form->N24->isChecked());
        QCOMPARE(readAll(QStringLiteral("Kirel.ini")), before);
        QCOMPARE(app().CharLimit, 7);

        app().CharLimit = 1000;
        form->N110->trigger();
        QCOMPARE(app().CharLimit, 0);
        QCOMPARE(form->Label1->text(), QString());
        QCOMPARE(form->Label2->text(), QString());
        QCOMPARE(form->ProgressBar1->value(), 0);
        QCOMPARE(form->ProgressBar1->toolTip(), QStringLiteral("文字数制限の設定がオフです"));
        QCOMPARE(ini("Form1", "RichEdit1widthBBS2"), width2);
    }

    void boardFromSettingsAtStartUp() {
        writeIni(
            QStringLiteral("[Form10]\nCheck2=2\nMojiOK=3000\n[Form1]\nRichEdit1widthBBS1=400\n"));
        auto form = open();
        QVERIFY(form->N25->isChecked());
        const int width = form->editPaneWidth();
        form->N110->trigger();
        QCOMPARE(ini("Form1", "RichEdit1widthBBS3"), width);
        QCOMPARE(form->editPaneWidth(), 400);
        QCOMPARE(ini("Form10", "Check2"), 0);
    }

    void previewTabShowsThePost() {
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        type(form->RichEdit1, QStringLiteral("a\n<B>b</B>"));
        form->PageControl1->setCurrentIndex(1);
        QCOMPARE(app().ClipCaptureOn, 0);
        QCOMPARE(app().PreviewBody, QStringLiteral("a<BR><B>b</B>"));
        FakeEngine* view = engineOf(t->WebBrowser1);
        QVERIFY(view);
        QVERIFY(!view->options.javaScript);
        QCOMPARE(view->loads, QStringList({path(QStringLiteral("0.htm"))}));
        const QByteArray page = readAll(QStringLiteral("0.htm"));
        QVERIFY(page.startsWith("<BODY bgcolor=\"#FCBED3\">"));
        QVERIFY(page.contains("<FONT color=\"#000000\">a<BR><B>b</B></FONT>"));
        // The browser tab's view is made when it first shows a page, with scripts.
        QVERIFY(!t->WebBrowser2->engine());

        // A board chosen while the preview shows redraws it with the same text.
        type(form->RichEdit1, QStringLiteral("changed"));
        form->N24->trigger();
        QCOMPARE(view->loads.size(), 2);
        QVERIFY(readAll(QStringLiteral("0.htm")).startsWith("<BODY bgcolor=\"#A7ABFC\">"));
        QVERIFY(readAll(QStringLiteral("0.htm")).contains(">a<BR><B>b</B></FONT>"));

        form->PageControl1->setCurrentIndex(0);
        QCOMPARE(app().ClipCaptureOn, 1);
        // "ブラウザで確認(&B)" converts again and opens the page in the default browser.
        form->N29->trigger();
        QCOMPARE(opened_, QList<QUrl>({QUrl::fromLocalFile(path(QStringLiteral("0.htm")))}));
        QVERIFY(readAll(QStringLiteral("0.htm")).contains("<B>b</B>changed</FONT>"));
        QCOMPARE(view->loads.size(), 2);
    }

    void browserTabAddressList() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        clip_.setText(QStringLiteral("0123456789abcdef"));
        form->PageControl1->setCurrentIndex(2);
        QCOMPARE(app().ClipCaptureOn, 0);
        QCOMPARE(app().ClipSnapLen, 16);
        QCOMPARE(app().ClipSnapHead, QByteArray("0123456789"));
        QVERIFY(QFile::exists(path(QStringLiteral("user/bbs.txt"))));
        QCOMPARE(t->ComboBoxEx1->count(), 0);

        // Menu items as the menu opens.
        clip_.setText(QStringLiteral("https://example.jp/"));
        form->PopupMenu9->popup(QPoint(0, 0));
        QVERIFY(form->P1->isEnabled());
        QVERIFY(!form->N30->isEnabled());
        QVERIFY(!form->N33->isEnabled());
        form->PopupMenu9->hide();
        clip_.setText(QStringLiteral("www.example.jp"));
        t->ComboBoxEx1->setEditText(QStringLiteral("x"));
        form->PopupMenu9->popup(QPoint(0, 0));
        QVERIFY(!form->P1->isEnabled());
        QVERIFY(form->N30->isEnabled());
        QVERIFY(form->N33->isEnabled());
        form->PopupMenu9->hide();

        // Disabled items do nothing.
        clip_.setText(QStringLiteral("http://board.example.jp/"));
        form->P1->trigger();
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("x"));
        form->PopupMenu9->popup(QPoint(0, 0));
        form->PopupMenu9->hide();
        form->P1->trigger();
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://board.example.jp/"));
        form->N30->trigger();
        form->N30->trigger();
        QCOMPARE(readAll(QStringLiteral("user/bbs.txt")),
                 QByteArray("http://board.example.jp/\r\nhttp://board.example.jp/\r\n"));
        QCOMPARE(prompter_->last(), QStringLiteral("アイテムリストに追加しました。"));
        t->ComboBoxEx1->setEditText(QStringLiteral("ftp://files.example.jp/"));
        form->N30->trigger();
        QCOMPARE(t->ComboBoxEx1->count(), 3);

        // Delete the item chosen in the list, after a Yes.
        t->ComboBoxEx1->setCurrentIndex(1);
        form->N33->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("選択されたアドレスを削除します。\r\nよろしいですか？"));
        QCOMPARE(t->ComboBoxEx1->count(), 3);
        prompter_->answers.enqueue(true);
        form->N33->trigger();
        QCOMPARE(t->ComboBoxEx1->count(), 2);
        QCOMPARE(readAll(QStringLiteral("user/bbs.txt")),
                 QByteArray("http://board.example.jp/\r\nftp://files.example.jp/\r\n"));

        // Shown again: the list is read from the file.
        QFile f(path(QStringLiteral("user/bbs.txt")));
        QVERIFY(f.open(QIODevice::Append));
        f.write("file:///tmp/a.htm\r\n");
        f.close();
        form->PageControl1->setCurrentIndex(0);
        form->PageControl1->setCurrentIndex(2);
        QCOMPARE(t->ComboBoxEx1->count(), 3);
        QCOMPARE(t->ComboBoxEx1->itemText(2), QStringLiteral("file:///tmp/a.htm"));
    }

    void browserTabWithoutUserFolder() {
        auto form = open();
        clip_.setText(QStringLiteral("abc"));
        form->PageControl1->setCurrentIndex(2);
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
        form->PageControl1->setCurrentIndex(2);
        clip_.setText(QStringLiteral("a passage copied from the page in the browser tab"));
        form->PageControl1->setCurrentIndex(0);
        QCOMPARE(app().ClipCaptureOn, 1);
        QCOMPARE(form->RichEdit3->toPlainText(),
                 QStringLiteral("a passage copied from the page in the browser tab"));
    }

    void browserNavigation() {
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        auto form = open();
        PreviewTabs* t = tabs(form.get());
        form->PageControl1->setCurrentIndex(2);

        // No page yet: both directions fail with their messages.
        t->Button1->click();
        t->Button2->click();
        QCOMPARE(prompter_->texts(),
                 QStringList({"戻るページはありません。", "進むページはありません。"}));
        QCOMPARE(prompter_->shown[0].caption, QStringLiteral("エラー"));
        QCOMPARE(prompter_->shown[0].icon, Icon::Error);
        prompter_->clear();

        // Entering the box loads its address; focus coming back after a menu, or
        // moved into the box by the tab being shown, does not.
        t->ComboBoxEx1->setEditText(QStringLiteral("http://a.example.jp/"));
        for (Qt::FocusReason reason :
             {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
            QFocusEvent back(QEvent::FocusIn, reason);
            QCoreApplication::sendEvent(t->ComboBoxEx1, &back);
        }
        QVERIFY(!t->WebBrowser2->engine());
        QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(t->ComboBoxEx1, &tabIn);
        FakeEngine* view = engineOf(t->WebBrowser2);
        QVERIFY(view);
        QVERIFY(view->options.javaScript);
        QCOMPARE(view->loads, QStringList({"http://a.example.jp/"}));

        // Enter loads what was typed; a completed navigation shows its address.
        t->ComboBoxEx1->setEditText(QStringLiteral("http://b.example.jp/"));
        QTest::keyClick(t->ComboBoxEx1, Qt::Key_Return);
        QCOMPARE(view->loads.last(), QStringLiteral("http://b.example.jp/"));
        t->ComboBoxEx1->setEditText(QString());
        view->done(QStringLiteral("http://b.example.jp/next.html"));
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://b.example.jp/next.html"));

        t->Button1->click();
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://a.example.jp/"));
        t->Button2->click();
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://b.example.jp/"));
        t->Button3->click();
        QCOMPARE(view->loads.size(), 5);
        QVERIFY(prompter_->shown.isEmpty());

        // Showing the tab again keeps the page: nothing is loaded.
        form->PageControl1->setCurrentIndex(0);
        form->PageControl1->setCurrentIndex(2);
        QCOMPARE(view->loads.size(), 5);
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://b.example.jp/"));

        // A chosen list item loads.
        t->ComboBoxEx1->addItem(QStringLiteral("http://c.example.jp/"));
        emit t->ComboBoxEx1->activated(t->ComboBoxEx1->count() - 1);
        QCOMPARE(view->loads.last(), t->ComboBoxEx1->currentText());
    }

    void aboutCommands() {
        auto form = open();
        form->N27->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral(
                     "ダウンロードありがとうございます。\r\n現在のバージョンは、4.41βです。"));
        QCOMPARE(prompter_->shown.last().icon, Icon::None);
        form->N26->trigger();
        form->N28->trigger();
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
        form->PageControl1->setCurrentIndex(2);
        clip_.setText(QStringLiteral("http://a.example.jp/\r\nhttp://b.example.jp/\n"));
        form->PopupMenu9->popup(QPoint(0, 0));
        form->PopupMenu9->hide();
        form->P1->trigger();
        QCOMPARE(t->ComboBoxEx1->currentText(), QStringLiteral("http://a.example.jp/"));
        form->PopupMenu9->popup(QPoint(0, 0));
        form->PopupMenu9->hide();
        form->N30->trigger();
        QCOMPARE(t->ComboBoxEx1->count(), 1);
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
