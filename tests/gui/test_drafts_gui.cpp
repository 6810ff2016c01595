// The draft commands on the real main window, with a temporary program folder.

#include <QAction>
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
#include "support/windowfixture.h"

using namespace kirel;

class DraftsGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    TForm1* form_ = nullptr;

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString post() const { return form_->RichEdit1->toPlainText(); }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void toolbarQuickSaveAndLoadKeepTheHeartByteExact() {
        form_->RichEdit1->setPlainText(QStringLiteral("返事"));
        form_->RichEdit1->moveCursor(QTextCursor::End);
        form_->N13->trigger();
        form_->RichEdit3->setPlainText(QStringLiteral("引用\n二行"));
        emit form_->PictureButton7->clicked();
        QVERIFY(prompter_->shown.isEmpty());
        const QByteArray saved = bytesOf(app().path("backup.txt"));
        QCOMPARE(saved, sjis::encode(QStringLiteral("返事")) +
                            "<FONT Color=Hotpink Face=Symbol>\xA9</FONT>");
        QCOMPARE(bytesOf(app().path("inback.txt")), sjis::encode(QStringLiteral("引用")) + "\r\n" +
                                                        sjis::encode(QStringLiteral("二行")));

        form_->RichEdit1->clear();
        form_->RichEdit3->clear();
        emit form_->PictureButton8->clicked();
        QCOMPARE(post(), QStringLiteral("返事<FONT Color=Hotpink Face=Symbol>ｩ</FONT>"));
        QCOMPARE(form_->RichEdit3->toPlainText(), QStringLiteral("引用\n二行"));
        QCOMPARE(form_->editByteLength(), 44);  // the counter saw the loaded text
    }

    void menusReachTheSlotsFilesAndInsertion() {
        form_->RichEdit1->setPlainText(QStringLiteral("slot one"));
        form_->N112->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ１)"));
        form_->RichEdit1->setPlainText(QStringLiteral("slot three"));
        form_->N31->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ３)"));
        form_->N12->trigger();
        QCOMPARE(post(), QStringLiteral("slot one"));
        form_->N310->trigger();
        QCOMPARE(post(), QStringLiteral("slot three"));

        // Insert a file inside the line, then overwrite save writes the post there.
        const QString lines = fixture_.dir->filePath("lines.txt");
        QFile f(lines);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo");
        f.close();
        QTextCursor c = form_->RichEdit1->textCursor();
        c.setPosition(4);
        form_->RichEdit1->setTextCursor(c);
        prompter_->fileNames.enqueue(lines);
        form_->T1->trigger();
        QCOMPARE(post(), QStringLiteral("slotone\ntwo\n three"));
        form_->N37->trigger();
        QCOMPARE(bytesOf(lines), QByteArray("slotone\r\ntwo\r\n three"));

        prompter_->fileNames.enqueue(fixture_.dir->filePath("copy"));
        form_->SaveAs1->trigger();
        QCOMPARE(prompter_->fileRequests.last().fileName, lines);
        QCOMPARE(Profile(app().iniPath()).readString("Form1", "LastSavePath", {}),
                 fixture_.dir->filePath("copy.txt"));
        prompter_->fileNames.enqueue(fixture_.dir->filePath("copy.txt"));
        form_->RichEdit1->clear();
        form_->O1->trigger();
        QCOMPARE(post(), QStringLiteral("slotone\ntwo\n three"));
    }
};

QTEST_MAIN(DraftsGui)
#include "test_drafts_gui.moc"
