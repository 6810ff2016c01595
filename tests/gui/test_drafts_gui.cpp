// The draft commands on the real main window, with a temporary program folder.

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "app/mainwindow.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"
#include "support/windowfixture.h"

using namespace kirel;

class DraftsGui : public QObject {
    Q_OBJECT

    test::WindowFixture fixture_;
    test::ScriptedPrompter* prompter_ = nullptr;
    MainWindow* form_ = nullptr;

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString post() const { return form_->editPane->toPlainText(); }

  private slots:
    void init() {
        fixture_.init();
        form_ = fixture_.form.get();
        prompter_ = fixture_.prompter.get();
    }
    void cleanup() { fixture_.cleanup(); }

    void toolbarQuickSaveAndLoadKeepTheHeartByteExact() {
        form_->editPane->setPlainText(QStringLiteral("返事"));
        form_->editPane->moveCursor(QTextCursor::End);
        form_->heartMark1->trigger();
        form_->quotePane->setPlainText(QStringLiteral("引用\n二行"));
        emit form_->saveButton->clicked();
        QVERIFY(prompter_->shown.isEmpty());
        const QByteArray saved = bytesOf(app().path("backup.txt"));
        QCOMPARE(saved, sjis::encode(QStringLiteral("返事")) +
                            "<FONT Color=Hotpink Face=Symbol>\xA9</FONT>");
        QCOMPARE(bytesOf(app().path("inback.txt")), sjis::encode(QStringLiteral("引用")) + "\r\n" +
                                                        sjis::encode(QStringLiteral("二行")));

        form_->editPane->clear();
        form_->quotePane->clear();
        emit form_->loadButton->clicked();
        QCOMPARE(post(), QStringLiteral("返事<FONT Color=Hotpink Face=Symbol>ｩ</FONT>"));
        QCOMPARE(form_->quotePane->toPlainText(), QStringLiteral("引用\n二行"));
        QCOMPARE(form_->editByteLength(), 44);  // the counter saw the loaded text
    }

    void menusReachTheSlotsFilesAndInsertion() {
        form_->editPane->setPlainText(QStringLiteral("slot one"));
        form_->menuQuickSave1->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ１)"));
        form_->editPane->setPlainText(QStringLiteral("slot three"));
        form_->quickSave3->trigger();
        QCOMPARE(prompter_->last(),
                 QStringLiteral("編集中の内容を保存しました。 (クィックセーブ３)"));
        form_->quickLoad1->trigger();
        QCOMPARE(post(), QStringLiteral("slot one"));
        form_->menuQuickLoad3->trigger();
        QCOMPARE(post(), QStringLiteral("slot three"));

        // Insert a file inside the line, then overwrite save writes the post there.
        const QString lines = fixture_.dir->filePath("lines.txt");
        QFile f(lines);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("one\r\ntwo");
        f.close();
        QTextCursor c = form_->editPane->textCursor();
        c.setPosition(4);
        form_->editPane->setTextCursor(c);
        prompter_->fileNames.enqueue(lines);
        form_->insertTextFile->trigger();
        QCOMPARE(post(), QStringLiteral("slotone\ntwo\n three"));
        form_->menuOverwriteSave->trigger();
        QCOMPARE(bytesOf(lines), QByteArray("slotone\r\ntwo\r\n three"));

        prompter_->fileNames.enqueue(fixture_.dir->filePath("copy"));
        form_->saveAs->trigger();
        QCOMPARE(prompter_->fileRequests.last().fileName, lines);
        QCOMPARE(Profile(app().iniPath()).readString("Form1", "LastSavePath", {}),
                 fixture_.dir->filePath("copy.txt"));
        prompter_->fileNames.enqueue(fixture_.dir->filePath("copy.txt"));
        form_->editPane->clear();
        form_->openFile->trigger();
        QCOMPARE(post(), QStringLiteral("slotone\ntwo\n three"));
    }
};

QTEST_MAIN(DraftsGui)
#include "test_drafts_gui.moc"
