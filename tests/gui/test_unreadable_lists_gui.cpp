// Every list window with its list file unreadable (permission 0200; as root the
// read is refused through the file layer): the window says it cannot open the
// file and shows an empty list; add, delete and save are refused with a message
// naming the file, whose bytes stay as they were.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "decoration/linkdialog.h"
#include "decoration/ruledialog.h"
#include "phrases/emoticonwindow.h"
#include "phrases/inputdialog.h"
#include "phrases/phrasewindow.h"
#include "phrases/quotemarkdialog.h"
#include "preferences/preferencesdialog.h"
#include "support/scriptedprompter.h"
#include "support/unreadable.h"
#include "support/windowfixture.h"

using namespace kirel;

class UnreadableListsGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;

    QString path(const char* name) const { return app().path(QString::fromUtf8(name)); }
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The file with its bytes, made unreadable.
    void unreadable(const QString& file, const QByteArray& bytes) {
        writeFile(file, bytes);
        test::makeUnreadable(file);
    }
    // The window said it cannot open the file.
    void expectOpenFailure(const QString& file) {
        QVERIFY2(!prompter_->shown.isEmpty(), "no message at opening");
        QVERIFY(prompter_->shown.first().text.contains(QStringLiteral("を開けません")));
        QVERIFY(prompter_->shown.first().text.contains(QFileInfo(file).fileName()));
        prompter_->clear();
    }
    // Every box shown since the last check refused to write the file; none was a
    // question or a confirmation.
    void expectRefusals(const QString& file, int count) {
        QCOMPARE(prompter_->shown.size(), count);
        for (const test::Shown& shown : prompter_->shown) {
            QVERIFY2(shown.text.contains(QStringLiteral("書き換えません")), qPrintable(shown.text));
            QVERIFY(
                shown.text.contains(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath())));
            QVERIFY(!shown.isQuestion);
        }
        prompter_->clear();
    }
    static void inInputDialog(const QString& text) {
        QTimer::singleShot(0, [text] {
            auto* d = qobject_cast<InputDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->field->setText(text);
            QTest::keyClick(d->field, Qt::Key_Return);
            if (d->isVisible()) d->close();
        });
    }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
        QDir(app().AppDir).mkpath(QStringLiteral("kao"));
        QDir(app().AppDir).mkpath(QStringLiteral("user/custom/mozie"));
        prompter_->answers.clear();
        for (int i = 0; i < 8; ++i) prompter_->answers << true;
    }
    void cleanup() { fixture_.cleanup(); }

    void linkDialog() {
        writeFile(path("user/url-t.txt"), "A\r\n");
        unreadable(path("user/url.txt"), "http://a/\r\n");
        LinkDialog d(form_, *form_, QString());
        d.show();
        expectOpenFailure(path("user/url.txt"));
        QCOMPARE(d.titleBox->count(), 0);
        d.titleBox->setEditText(QStringLiteral("B"));
        d.addressBox->setEditText(QStringLiteral("http://b/"));
        d.addButton->click();
        d.deleteButton->click();
        expectRefusals(path("user/url.txt"), 2);
        QCOMPARE(test::bytesOf(path("user/url-t.txt")), QByteArray("A\r\n"));
        QCOMPARE(test::bytesOf(path("user/url.txt")), QByteArray("http://a/\r\n"));
        QCOMPARE(d.titleBox->count(), 0);
    }

    void emoticonWindow() {
        unreadable(path("kao/zyouyou.txt"), "(a)\r\n");
        auto* w = new EmoticonWindow(form_, *form_);
        w->show();
        expectOpenFailure(path("kao/zyouyou.txt"));
        inInputDialog(QStringLiteral("(x)"));
        w->addEntry->trigger();
        w->deleteEntry->trigger();
        expectRefusals(path("kao/zyouyou.txt"), 2);
        QCOMPARE(w->list->count(), 0);
        QCOMPARE(test::bytesOf(path("kao/zyouyou.txt")), QByteArray("(a)\r\n"));
        // Another category reads and writes as usual.
        w->chooseCategory(1);
        inInputDialog(QStringLiteral("(y)"));
        w->addEntry->trigger();
        QCOMPARE(test::bytesOf(path("kao/waraikao.txt")), QByteArray("(y)\r\n"));
        w->close();
    }

    void ruleDialog() {
        unreadable(path("user/kazari.txt"), "=-=-=\r\n");
        RuleDialog d(*form_, form_);
        d.show();
        expectOpenFailure(path("user/kazari.txt"));
        d.editor->setPlainText(QStringLiteral("***"));
        d.saveButton->click();
        expectRefusals(path("user/kazari.txt"), 1);
        QCOMPARE(d.editor->toPlainText(), QStringLiteral("***"));  // the edits stay
        QCOMPARE(test::bytesOf(path("user/kazari.txt")), QByteArray("=-=-=\r\n"));
    }

    void quoteMarkDialog() {
        unreadable(path("user/inyoufu.txt"), ">>\r\n");
        QuoteMarkDialog d(form_);
        d.show();
        expectOpenFailure(path("user/inyoufu.txt"));
        d.marks->setEditText(QStringLiteral("|"));
        d.addMark->trigger();
        d.deleteMark->trigger();
        expectRefusals(path("user/inyoufu.txt"), 2);
        QCOMPARE(d.marks->count(), 0);
        QCOMPARE(test::bytesOf(path("user/inyoufu.txt")), QByteArray(">>\r\n"));
    }

    void phraseWindow() {
        // The menu list unreadable: no menu is added, no file made for it.
        unreadable(path("user/custom/Itemlist.txt"), "M\r\n");
        writeFile(path("user/custom/M.txt"), "m\r\n");
        auto* w = new PhraseWindow(form_, *form_);
        w->show();
        expectOpenFailure(path("user/custom/Itemlist.txt"));
        inInputDialog(QStringLiteral("N"));
        w->addMenu->trigger();
        expectRefusals(path("user/custom/Itemlist.txt"), 1);
        QVERIFY(!QFile::exists(path("user/custom/N.txt")));
        QCOMPARE(test::bytesOf(path("user/custom/Itemlist.txt")), QByteArray("M\r\n"));
        w->close();
        QTRY_VERIFY(!form_->findChild<PhraseWindow*>());

        // A phrase menu's file unreadable: add and delete item refused.
        test::makeReadable(path("user/custom/Itemlist.txt"));
        unreadable(path("user/custom/M.txt"), "m\r\n");
        prompter_->clear();
        w = new PhraseWindow(form_, *form_);
        w->show();
        expectOpenFailure(path("user/custom/M.txt"));
        QCOMPARE(w->phraseMenus->currentText(), QStringLiteral("M"));
        inInputDialog(QStringLiteral("x"));
        w->saveItem->trigger();
        w->deleteItem->trigger();
        expectRefusals(path("user/custom/M.txt"), 2);
        QCOMPARE(test::bytesOf(path("user/custom/M.txt")), QByteArray("m\r\n"));
        w->close();
    }

    void preferencesSave() {
        unreadable(path("user/inyoufu.txt"), ">>\r\n");
        PreferencesDialog d(*form_, form_, PreferencesCallbacks());
        d.show();
        expectOpenFailure(path("user/inyoufu.txt"));
        d.saveButton->click();
        // The settings are saved; the quote list is not written.
        QVERIFY(prompter_->texts().contains(listUnreadMessage(path("user/inyoufu.txt"))));
        QCOMPARE(test::bytesOf(path("user/inyoufu.txt")), QByteArray(">>\r\n"));
    }
};

QTEST_MAIN(UnreadableListsGui)
#include "test_unreadable_lists_gui.moc"
