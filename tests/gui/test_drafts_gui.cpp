// The draft commands on the real main window, with a temporary program folder.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/appstate.h"
#include "app/unit1.h"
#include "controls/pictbtn.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"

using namespace kirel;

class DraftsGui : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir* dir_ = nullptr;
    test::ScriptedPrompter* prompter_ = nullptr;
    TForm1* form_ = nullptr;

    QString at(const QString& name) const { return app().path(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString lastSavePath() const {
        return Profile(app().iniPath()).readString("Form1", "LastSavePath", "<none>");
    }

  private slots:
    void init() {
        dir_ = new QTemporaryDir;
        QVERIFY(dir_->isValid());
        app() = AppState();
        app().AppDir = dir_->path() + QLatin1Char('/');
        prompter_ = new test::ScriptedPrompter;
        form_ = new TForm1;
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_));
        app().CharLimit = 0;
        prompter_->clear();
    }
    void cleanup() {
        delete form_;
        form_ = nullptr;
        delete prompter_;
        delete dir_;
    }

    void quickSaveAndLoad0KeepTheHeartByteExact() {
        form_->RichEdit1->setPlainText(QStringLiteral("返事"));
        form_->RichEdit1->moveCursor(QTextCursor::End);
        form_->N13->trigger();
        form_->RichEdit3->setPlainText(QStringLiteral("引用\n二行"));
        emit form_->PictureButton7->clicked();
        QVERIFY(prompter_->shown.isEmpty());
        const QByteArray saved = bytesOf(at("backup.txt"));
        QCOMPARE(saved, sjis::encode(QStringLiteral("返事")) +
                            "<FONT Color=Hotpink Face=Symbol>\xA9</FONT>");
        QCOMPARE(saved.size(), 44);
        QCOMPARE(bytesOf(at("inback.txt")), sjis::encode(QStringLiteral("引用")) + "\r\n" +
                                                sjis::encode(QStringLiteral("二行")));
        QCOMPARE(lastSavePath(), at("backup.txt"));

        form_->RichEdit1->clear();
        form_->RichEdit3->clear();
        form_->N01->trigger();
        QCOMPARE(form_->RichEdit1->toPlainText(),
                 QStringLiteral("返事<FONT Color=Hotpink Face=Symbol>ｩ</FONT>"));
        QCOMPARE(form_->RichEdit3->toPlainText(), QStringLiteral("引用\n二行"));
        QCOMPARE(form_->editByteLength(), 44);
    }

    void slotMenusAndOverwriteSave() {
        form_->RichEdit1->setPlainText(QStringLiteral("slot one"));
        form_->N112->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ１)"));
        form_->RichEdit1->setPlainText(QStringLiteral("slot three"));
        form_->N31->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ３)"));
        QCOMPARE(lastSavePath(), at("qick3.txt"));

        form_->N12->trigger();  // quick load 1 from the toolbar menu
        QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("slot one"));
        form_->RichEdit1->setPlainText(QStringLiteral("edited"));
        const QString cwd = QDir::currentPath();
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        form_->N39->trigger();  // overwrite save: back into the slot in the program folder
        QDir::setCurrent(cwd);
        QCOMPARE(bytesOf(at("qick1.txt")), QByteArray("edited"));
        QVERIFY(!QFile::exists(elsewhere.filePath("qick1.txt")));
        QCOMPARE(lastSavePath(), at("qick3.txt"));
    }

    void insertTextFileAtTheCaret() {
        put(dir_->filePath("lines.txt"), "one\r\ntwo\r\nthree");
        form_->RichEdit1->setPlainText(QStringLiteral("startend"));
        QTextCursor c = form_->RichEdit1->textCursor();
        c.setPosition(5);
        form_->RichEdit1->setTextCursor(c);
        prompter_->fileNames.enqueue(dir_->filePath("lines.txt"));
        form_->T1->trigger();
        QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("startone\ntwo\nthree\nend"));
        QCOMPARE(prompter_->fileRequests[0].directory, app().AppDir);
        QCOMPARE(prompter_->fileRequests[0].filter,
                 QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));
    }

    void toolCaseAndUnwritableFolder() {
        QDir(dir_->path()).mkdir("tool");
        const QString folder = dir_->filePath("tool");
        put(folder + "/reply.txt", "");
        Profile(app().iniPath()).writeString("Form10", "SavePath", folder);
        app().ToolFileName = QStringLiteral("reply.txt");
        form_->RichEdit1->setPlainText(QStringLiteral("for the tool"));
        form_->RichEdit3->setPlainText(QStringLiteral("not saved"));
        form_->N02->trigger();
        QCOMPARE(bytesOf(folder + "/reply.txt"), QByteArray("for the tool"));
        QVERIFY(!QFile::exists(at("inback.txt")));
        QCOMPARE(lastSavePath(), folder + "/reply.txt");
        app().ToolFileName.clear();

        // Save as into a "folder" that is a regular file: refused with the reason,
        // and the panes and the record stay.
        prompter_->fileNames.enqueue(folder + "/reply.txt/inner");
        form_->SaveAs1->trigger();
        QCOMPARE(prompter_->shown.size(), 1);
        QCOMPARE(prompter_->shown[0].icon, Icon::Error);
        QVERIFY(prompter_->last().contains(QStringLiteral("reply.txt/inner.txt")));
        QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("for the tool"));
        QCOMPARE(lastSavePath(), folder + "/reply.txt");
    }

    void openAndSaveAs() {
        put(dir_->filePath("draft.txt"), sjis::toFile(QStringLiteral("下書き")));
        prompter_->fileNames.enqueue(dir_->filePath("draft.txt"));
        form_->N36->trigger();
        QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("下書き"));

        prompter_->fileNames.enqueue(dir_->filePath("copy"));
        form_->N38->trigger();
        QCOMPARE(prompter_->fileRequests[1].fileName, dir_->filePath("draft.txt"));
        QCOMPARE(bytesOf(dir_->filePath("copy.txt")), sjis::toFile(QStringLiteral("下書き")));
        QCOMPARE(lastSavePath(), dir_->filePath("copy.txt"));
    }
};

QTEST_MAIN(DraftsGui)
#include "test_drafts_gui.moc"
