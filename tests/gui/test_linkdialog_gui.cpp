// The link and image dialog on the real main window, offscreen: pre-filling,
// the boxes and buttons, OK, the lists, the address request answered by the
// browser tab (or by a fake that answers late or never), and the capture
// opening the dialog. Browser views record what they are asked to show and
// load nothing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "app/clipcapture.h"
#include "app/mainwindow.h"
#include "core/appstate.h"
#include "core/capturetargets.h"
#include "decoration/linkdialog.h"
#include "platform/browserview.h"
#include "platform/profile.h"
#include "platform/servicerequest.h"
#include "preview/previewtabs.h"
#include "support/fakeclipboard.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace std::chrono_literals;

namespace {

// A browser view that shows each address at once, titled after it.
class FakeEngine final : public QWidget, public BrowserEngine {
  public:
    FakeEngine(QWidget* parent, const BrowserOptions& o) : QWidget(parent), options(o) {}
    BrowserOptions options;
    QStringList loads;
    std::function<void(const QString&)> done;

    QWidget* widget() override { return this; }
    void navigate(const QString& address) override {
        loads << address;
        if (done) done(address);
    }
    bool goBack() override { return false; }
    bool goForward() override { return false; }
    void refresh() override {}
    void setNavigateComplete(std::function<void(const QString&)> h) override {
        done = std::move(h);
    }
    QString pageAddress() override { return loads.isEmpty() ? QString() : loads.last(); }
    QString pageTitle() override { return QStringLiteral("題, ") + pageAddress(); }
};

class FakeFactory final : public BrowserEngineFactory {
  public:
    BrowserEngine* createEngine(QWidget* parent, const BrowserOptions& options) override {
        return new FakeEngine(parent, options);
    }
};

// An answering side standing in for the browser: it replies with a set text
// after a delay, or never.
class FakeBrowser final : public ServiceAnswerer {
  public:
    std::optional<QString> replyText;
    int delayMs = 0;
    bool never = false;
    QStringList asked;

    bool hasTopic(const QString& topic) const override {
        return topic == QLatin1String("WWW_GetWindowInfo");
    }
    void answer(const QString& topic, const QString& item, ServiceReply reply) override {
        asked << topic + QLatin1Char('/') + item;
        if (never) return;
        const std::optional<QString> text = replyText;
        QTimer::singleShot(delayMs, [reply, text] { reply(text); });
    }
};

}  // namespace

class LinkDialogTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::ScriptedPrompter> prompter_;
    test::FakeClipboard clip_;
    FakeFactory factory_;
    std::unique_ptr<MainWindow> form_;

    QString path(const QString& name) const { return app().AppDir + name; }
    QByteArray readAll(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The edit pane holds text with the part from..to selected.
    void selectInEditPane(const QString& text, int from, int length) {
        form_->editPane->setPlainText(text);
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(from);
        c.setPosition(from + length, QTextCursor::KeepAnchor);
        form_->editPane->setTextCursor(c);
    }
    std::unique_ptr<LinkDialog> openDialog(const QString& copied = QString()) {
        auto dialog = std::make_unique<LinkDialog>(form_.get(), *form_, copied);
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get())) return nullptr;
        QCoreApplication::processEvents();
        return dialog;
    }
    static FakeEngine* engineOf(BrowserView* view) {
        return static_cast<FakeEngine*>(view->engine());
    }
    static QStringList loadsOf(BrowserView* view) {
        return view->engine() ? engineOf(view)->loads : QStringList();
    }
    // Runs f on the modal link dialog once it is up (the test waits in exec()).
    static void whenModal(std::function<void(LinkDialog*)> f) {
        auto* poll = new QTimer;
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, f] {
            auto* dialog = qobject_cast<LinkDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            f(dialog);
            // A failed check returns early: close the dialog so the test goes on.
            if (dialog->isVisible()) dialog->reject();
        });
        poll->start();
    }

  private slots:
    void initTestCase() { BrowserView::setFactory(&factory_); }
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        app() = AppState();
        app().AppDir = dir_->path() + QLatin1Char('/');
        QVERIFY(QDir(app().AppDir).mkdir(QStringLiteral("user")));
        prompter_ = std::make_unique<test::ScriptedPrompter>();
        clip_.clear();
        form_ = std::make_unique<MainWindow>(QStringList(), &clip_);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
        prompter_->clear();
    }
    void cleanup() {
        form_.reset();
        prompter_.reset();
    }

    void opensWithTheSelectionAndInsertsTheTag() {
        selectInEditPane(QStringLiteral("前こちら後"), 1, 3);
        // The edit pane's menu item opens the dialog modally.
        whenModal([this](LinkDialog* d) {
            QCOMPARE(d->objectName(), QStringLiteral("Form6"));
            QCOMPARE(d->windowTitle(), QStringLiteral("リンクする"));
            QCOMPARE(app().ClipCaptureOn, 0);
            QCOMPARE(captureTargets().link, static_cast<LinkTarget*>(d));
            QCOMPARE(d->palette().color(QPalette::Window), QColor(0x82, 0xC2, 0xF2));
            // Plain text: the comment; "http" waits in the focused address box.
            QCOMPARE(d->commentEdit->text(), QStringLiteral("こちら"));
            QCOMPARE(d->addressBox->currentText(), QStringLiteral("http"));
            QCOMPARE(d->focusWidget(), d->addressBox);
            QCOMPARE(d->tagEdit->text(), QStringLiteral("<A href=\"http\">こちら</A>"));
            QVERIFY(d->tagEdit->isReadOnly());
            QVERIFY(d->autoOpenCheck->isChecked());
            QVERIFY(d->addressBox->lineEdit()->hasSelectedText());
            QTest::keyClicks(d->addressBox->lineEdit(), QStringLiteral("http://a.jp/"));
            QCOMPARE(d->tagEdit->text(), QStringLiteral("<A href=\"http://a.jp/\">こちら</A>"));
            d->autoOpenCheck->setChecked(false);
            QTest::mouseClick(d->okButton, Qt::LeftButton);
        });
        form_->insertLink->trigger();
        QCOMPARE(form_->editPane->toPlainText(),
                 QStringLiteral("前<A href=\"http://a.jp/\">こちら</A>後"));
        QVERIFY(prompter_->shown.isEmpty());
        // Closing: the switch saved, capture on again, no dialog registered.
        QCOMPARE(app().ClipCaptureOn, 1);
        QVERIFY(!app().AutoLinkOn);
        QCOMPARE(Profile(app().iniPath())
                     .readInteger(QStringLiteral("Form6"), QStringLiteral("http"), -1),
                 0);
        QVERIFY(!captureTargets().link);
        // The list files were created empty.
        QCOMPARE(readAll(QStringLiteral("user/url.txt")), QByteArray());
        QCOMPARE(readAll(QStringLiteral("user/url-t.txt")), QByteArray());

        // A link selected is taken apart; OK rebuilds it in place.
        const QString link = QStringLiteral("<a href=\"http://b.jp/\">日記</a>");
        selectInEditPane(link, 0, int(link.size()));
        auto d = openDialog();
        QVERIFY(d);
        QVERIFY(!d->autoOpenCheck->isChecked());  // read back from the settings
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://b.jp/"));
        QCOMPARE(d->commentEdit->text(), QStringLiteral("日記"));
        d->newWindowCheck->setChecked(true);
        d->accept();
        QVERIFY(!d->isVisible());
        QCOMPARE(form_->editPane->toPlainText(),
                 QStringLiteral("<A href=\"http://b.jp/\" target=\"_blank\">日記</A>"));

        // Taken apart again: the new window is ticked, OK gives the same link.
        const QString newWindowLink = form_->editPane->toPlainText();
        selectInEditPane(newWindowLink, 0, int(newWindowLink.size()));
        d = openDialog();
        QVERIFY(d);
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://b.jp/"));
        QVERIFY(d->newWindowCheck->isChecked());
        d->accept();
        QCOMPARE(form_->editPane->toPlainText(), newWindowLink);
    }

    void okRefusesWhatIsMissing() {
        auto d = openDialog();
        QVERIFY(d);
        // Nothing at all: OK does nothing, not even a message.
        QCOMPARE(d->tagEdit->text(), QStringLiteral("<A href=\"\"></A>"));
        d->accept();
        QVERIFY(d->isVisible());
        QVERIFY(prompter_->shown.isEmpty());
        // An address without a comment: the warning; the dialog stays.
        d->addressBox->setEditText(QStringLiteral("http://a.jp/"));
        d->accept();
        QVERIFY(d->isVisible());
        QCOMPARE(
            prompter_->texts(),
            QStringList{QStringLiteral("アドレスまたはコメントのどちらかに入力漏れがあります。")});
        QCOMPARE(prompter_->shown[0].icon, Icon::Warning);
        QVERIFY(form_->editPane->toPlainText().isEmpty());
        // Closed with the close box: capture on, nothing inserted.
        d->close();
        QCOMPARE(app().ClipCaptureOn, 1);
        QVERIFY(app().AutoLinkOn);
        QVERIFY(form_->editPane->toPlainText().isEmpty());
    }

    // Return presses the focused button and leaves the dialog open; anywhere
    // else it presses OK.
    void returnPressesTheFocusedButton() {
        selectInEditPane(QStringLiteral("前後"), 1, 0);
        auto d = openDialog();
        QVERIFY(d);
        QApplication::setActiveWindow(d.get());
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        d->addressBox->setEditText(QStringLiteral("http://a.jp/"));
        d->commentEdit->setText(QStringLiteral("ここ"));
        for (QPushButton* b : {d->addButton, d->deleteButton, d->fetchButton}) {
            QSignalSpy pressed(b, &QPushButton::clicked);
            b->setFocus();
            QVERIFY(b->hasFocus());
            QVERIFY2(b->isDefault(), qPrintable(b->text()));
            QTest::keyClick(b, Qt::Key_Return);
            QCOMPARE(pressed.count(), 1);
            QVERIFY(d->isVisible());
            QCOMPARE(form_->editPane->toPlainText(), QStringLiteral("前後"));
        }
        // 追加 warned of the empty title, 削除 asked (and was told No).
        QCOMPARE(prompter_->shown.size(), 2);
        QVERIFY(prompter_->shown[1].isQuestion);
        QTRY_VERIFY(d->fetchButton->isEnabled());  // the request has failed
        d->addressBox->setEditText(QStringLiteral("http://a.jp/"));
        d->commentEdit->setFocus();
        QVERIFY(d->okButton->isDefault() && !d->fetchButton->isDefault());
        QTest::keyClick(d->commentEdit, Qt::Key_Return);
        QCOMPARE(form_->editPane->toPlainText(),
                 QStringLiteral("前<A href=\"http://a.jp/\">ここ</A>後"));
        QVERIFY(!d->isVisible());
    }

    void boxesAndButtonsFollowTheAddress() {
        clip_.setText(QStringLiteral("http://h.jp/a.png"));
        auto d = openDialog();
        QVERIFY(d);
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://h.jp/a.png"));
        QCOMPARE(d->focusWidget(), d->commentEdit);
        QVERIFY(d->imageCheck->isEnabled());
        QVERIFY(!d->noWrapRadio->isEnabled());
        // The picture is shown after the dialog, by a view without scripts.
        QTRY_COMPARE(loadsOf(d->imagePreview), QStringList{QStringLiteral("http://h.jp/a.png")});
        QVERIFY(!engineOf(d->imagePreview)->options.javaScript);

        d->commentEdit->setText(QStringLiteral("写真"));
        d->imageCheck->setChecked(true);
        QVERIFY(!d->newWindowCheck->isEnabled());
        QVERIFY(d->leftRadio->isEnabled());
        QCOMPARE(d->tagEdit->text(),
                 QStringLiteral("<IMG src=\"http://h.jp/a.png\" alt=\"写真\">"));
        d->leftRadio->setChecked(true);
        QCOMPARE(d->tagEdit->text(),
                 QStringLiteral("<IMG src=\"http://h.jp/a.png\" align=\"left\" alt=\"写真\">"));
        // A copied address while open goes in by the same rules, alignment kept.
        d->takeAddress(QStringLiteral("http://h.jp/b.gif"));
        QCOMPARE(d->tagEdit->text(),
                 QStringLiteral("<IMG src=\"http://h.jp/b.gif\" align=\"left\" alt=\"写真\">"));
        QTRY_COMPARE(loadsOf(d->imagePreview).size(), 2);
        // Typing the comment does not load the same picture again.
        d->commentEdit->setText(QStringLiteral("写真2"));
        QTest::qWait(20);
        QCOMPARE(loadsOf(d->imagePreview).size(), 2);

        // No image address (".JPG"): a link, the image box disabled.
        d->addressBox->setEditText(QStringLiteral("http://h.jp/c.JPG"));
        QVERIFY(!d->imageCheck->isEnabled());
        QCOMPARE(d->tagEdit->text(), QStringLiteral("<A href=\"http://h.jp/c.JPG\">写真2</A>"));
        d->addressBox->setEditText(QStringLiteral("http://h.jp/c.jpg"));
        d->imageCheck->setChecked(false);
        QVERIFY(d->noWrapRadio->isChecked());
        QVERIFY(!d->leftRadio->isEnabled());
        QVERIFY(d->newWindowCheck->isEnabled());
        d->newWindowCheck->setChecked(true);
        QVERIFY(!d->imageCheck->isEnabled());
        QCOMPARE(d->tagEdit->text(),
                 QStringLiteral("<A href=\"http://h.jp/c.jpg\" target=\"_blank\">写真2</A>"));
        d->newWindowCheck->setChecked(false);
        QVERIFY(d->imageCheck->isEnabled());
        // The comment takes the address once, at the tick.
        d->copyAddressCheck->setChecked(true);
        QCOMPARE(d->commentEdit->text(), QStringLiteral("http://h.jp/c.jpg"));
        d->addressBox->setEditText(QStringLiteral("http://h.jp/"));
        QCOMPARE(d->commentEdit->text(), QStringLiteral("http://h.jp/c.jpg"));
    }

    void listsStayInStep() {
        write(QStringLiteral("user/url-t.txt"), QByteArray("A\r\nB\r\n"));
        write(QStringLiteral("user/url.txt"), QByteArray("http://a/\r\nhttp://b/\r\n"));
        auto d = openDialog();
        QVERIFY(d);
        QCOMPARE(d->titleBox->count(), 2);
        QCOMPARE(d->titleBox->currentText(), QString());
        // Choosing in either list chooses the same position in the other.
        d->titleBox->setCurrentIndex(1);
        emit d->titleBox->activated(1);
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://b/"));
        QCOMPARE(d->tagEdit->text(), QStringLiteral("<A href=\"http://b/\"></A>"));
        d->addressBox->setCurrentIndex(0);
        emit d->addressBox->activated(0);
        QCOMPARE(d->titleBox->currentText(), QStringLiteral("A"));

        // Add through the lists' menu; then delete the chosen entry from both.
        d->titleBox->setEditText(QStringLiteral("C"));
        d->addressBox->setEditText(QStringLiteral("http://c/"));
        d->addItem->trigger();
        QCOMPARE(prompter_->last(), QStringLiteral("アイテムリストに追加しました。"));
        QCOMPARE(readAll(QStringLiteral("user/url-t.txt")), QByteArray("A\r\nB\r\nC\r\n"));
        QCOMPARE(readAll(QStringLiteral("user/url.txt")),
                 QByteArray("http://a/\r\nhttp://b/\r\nhttp://c/\r\n"));
        d->titleBox->setCurrentIndex(1);
        emit d->titleBox->activated(1);
        prompter_->answers << true;
        d->deleteButton->click();
        QCOMPARE(
            prompter_->last(),
            QStringLiteral("選択されたアドレスとそのタイトルを削除します。\r\nよろしいですか？"));
        QCOMPARE(readAll(QStringLiteral("user/url-t.txt")), QByteArray("A\r\nC\r\n"));
        QCOMPARE(readAll(QStringLiteral("user/url.txt")), QByteArray("http://a/\r\nhttp://c/\r\n"));
        QCOMPARE(d->titleBox->count(), 2);
        QCOMPARE(d->addressBox->count(), 2);
        // A second press finds nothing chosen and deletes nothing.
        prompter_->answers << true;
        d->deleteItem->trigger();
        QCOMPARE(readAll(QStringLiteral("user/url.txt")), QByteArray("http://a/\r\nhttp://c/\r\n"));

        // Paste from either list's menu goes into the address box's selection.
        clip_.setText(QStringLiteral("http://p/x.gif\n"));
        d->addressBox->setEditText(QStringLiteral("[old]"));
        d->addressBox->lineEdit()->setSelection(1, 3);
        d->pasteItem->trigger();
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("[http://p/x.gif]"));
        QVERIFY(d->tagEdit->text().startsWith(QStringLiteral("<A href=\"[http://p/x.gif]\">")));
    }

    void addressRequestAnsweredByTheBrowserTab() {
        auto d = openDialog();
        QVERIFY(d);
        // No page in the browser tab: the request fails, the box is emptied.
        d->addressBox->setEditText(QStringLiteral("http://typed/"));
        d->fetchButton->click();
        QVERIFY(d->fetching());
        QVERIFY(!d->fetchButton->isEnabled());
        QTRY_VERIFY(!d->fetching());
        QCOMPARE(d->addressBox->currentText(), QString());
        QVERIFY(d->fetchButton->isEnabled());
        QVERIFY(prompter_->shown.isEmpty());

        // A page on view: its address, as the tab shows it.
        PreviewTabs* tabs = form_->previewTabs();
        tabs->browserView->navigate(QStringLiteral("http://127.0.0.1:9/thread.html"));
        d->fetchButton->click();
        QTRY_VERIFY(!d->fetching());
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://127.0.0.1:9/thread.html"));
        QCOMPARE(d->tagEdit->text(),
                 QStringLiteral("<A href=\"http://127.0.0.1:9/thread.html\"></A>"));
        // A local page is named by its file address.
        const QString page = path(QStringLiteral("guide.htm"));
        write(QStringLiteral("guide.htm"), QByteArray("<p>x</p>"));
        tabs->browserView->navigate(page);
        d->fetchButton->click();
        QTRY_VERIFY(!d->fetching());
        QCOMPARE(d->addressBox->currentText(), QUrl::fromLocalFile(page).toString());
    }

    void addressWithCommasComesBackFromTheBrowserTab() {
        auto d = openDialog();
        QVERIFY(d);
        form_->previewTabs()->browserView->navigate(QStringLiteral("http://127.0.0.1:9/a,b.html"));
        d->fetchButton->click();
        QTRY_VERIFY(!d->fetching());
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://127.0.0.1:9/a%2Cb.html"));
    }

    void longTextIsNeverCut() {
        // A 40,000-character selection becomes the comment and comes back whole
        // inside the tag, with the text around it.
        const QString long1 = QString(40000, QChar(u'あ'));
        selectInEditPane(QStringLiteral("前") + long1 + QStringLiteral("後"), 1, long1.size());
        auto d = openDialog();
        QVERIFY(d);
        QCOMPARE(d->commentEdit->text().size(), long1.size());
        d->addressBox->setEditText(QStringLiteral("http://a.jp/"));
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        QCOMPARE(form_->editPane->toPlainText(),
                 QStringLiteral("前<A href=\"http://a.jp/\">") + long1 + QStringLiteral("</A>後"));

        // A long picture address keeps its ".png": the image box can be ticked.
        form_->editPane->clear();
        d = openDialog();
        QVERIFY(d);
        const QString address = QStringLiteral("http://a.jp/") + QString(100000, QLatin1Char('x')) +
                                QStringLiteral(".png");
        d->addressBox->setEditText(address);
        d->commentEdit->setText(QStringLiteral("絵"));
        QCOMPARE(d->addressBox->currentText(), address);
        QVERIFY(d->imageCheck->isEnabled());
        d->imageCheck->setChecked(true);
        QTest::mouseClick(d->okButton, Qt::LeftButton);
        QCOMPARE(form_->editPane->toPlainText(),
                 QStringLiteral("<IMG src=\"") + address + QStringLiteral("\" alt=\"絵\">"));
    }

    void addressRequestGivesUpAtItsLimit() {
        FakeBrowser browser;
        registerService(QStringLiteral("iexplore"), &browser);  // names ignore case
        auto d = openDialog();
        QVERIFY(d);
        d->addressRequestLimit = 300ms;

        // A reply with a comma in the address loses the character before it.
        browser.replyText = QStringLiteral("\"http://a.jp/?q=1,2\",\"t\"");
        browser.delayMs = 50;
        d->fetchButton->click();
        QTRY_VERIFY(!d->fetching());
        QCOMPARE(browser.asked, QStringList{QStringLiteral("WWW_GetWindowInfo/0xFFFFFFFF")});
        QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://a.jp/?q="));

        // No reply at all: the interface keeps running, and at the limit the
        // request gives up with an empty box.
        browser.never = true;
        d->addressBox->setEditText(QStringLiteral("http://typed/"));
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
        ticker.start(20);
        QElapsedTimer clock;
        clock.start();
        d->fetchButton->click();
        QTRY_VERIFY_WITH_TIMEOUT(!d->fetching(), 5000);
        QVERIFY(clock.elapsed() >= 290);
        QVERIFY(ticks >= 5);
        QCOMPARE(d->addressBox->currentText(), QString());

        // A late reply after the limit changes nothing; one after closing neither.
        browser.never = false;
        browser.delayMs = 400;
        browser.replyText = QStringLiteral("\"http://late/\",\"t\"");
        d->addressBox->setEditText(QStringLiteral("kept"));
        d->fetchButton->click();
        QTRY_VERIFY_WITH_TIMEOUT(!d->fetching(), 5000);
        QTest::qWait(200);
        QCOMPARE(d->addressBox->currentText(), QString());
        d->fetchButton->click();
        d.reset();
        QTest::qWait(500);
        unregisterService(QStringLiteral("Iexplore"), &browser);
        QVERIFY(!findService(QStringLiteral("Iexplore")));
    }

    void captureOpensTheDialogForACopiedAddress() {
        form_->runCapture();  // the first activation only takes the snapshot
        deactivated(*form_);
        selectInEditPane(QStringLiteral("見て"), 0, 2);
        clip_.setText(QStringLiteral("https://example.com/a.jpg"));
        bool seen = false;
        whenModal([this, &seen](LinkDialog* d) {
            seen = true;
            QCOMPARE(d->addressBox->currentText(), QStringLiteral("https://example.com/a.jpg"));
            QCOMPARE(d->commentEdit->text(), QStringLiteral("見て"));
            QVERIFY(d->imageCheck->isEnabled());
            // Capture is off while it is open: a new copy is not taken.
            deactivated(*form_);
            clip_.setText(QStringLiteral("http://another.example.com/"));
            form_->runCapture();
            QCOMPARE(d->addressBox->currentText(), QStringLiteral("https://example.com/a.jpg"));
            // The menu item while it is open brings the same dialog up.
            form_->openLinkDialog(QStringLiteral("http://b.example.com/b.png"));
            QCOMPARE(d->addressBox->currentText(), QStringLiteral("http://b.example.com/b.png"));
            d->imageCheck->setChecked(true);
            d->leftRadio->setChecked(true);
            d->okButton->click();
        });
        form_->runCapture();
        QTRY_VERIFY(seen);
        QTRY_COMPARE(
            form_->editPane->toPlainText(),
            QStringLiteral("<IMG src=\"http://b.example.com/b.png\" align=\"left\" alt=\"見て\">"));
        QVERIFY(form_->quotePane->toPlainText().isEmpty());

        // While the edit pane is disabled (the decoration window works on it),
        // a copied address opens nothing.
        form_->setEditPaneEnabled(false);
        deactivated(*form_);
        clip_.setText(QStringLiteral("http://c.example.com/"));
        form_->runCapture();
        QTest::qWait(50);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(LinkDialogTest)
#include "test_linkdialog_gui.moc"
