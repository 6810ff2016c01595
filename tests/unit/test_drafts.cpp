#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/appstate.h"
#include "core/textpane.h"
#include "drafts/drafts.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"

using namespace kirel;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class Drafts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        app().AppDir = dir.path() + QLatin1Char('/');
        app().ToolFileName.clear();
    }
    void TearDown() override { app().ToolFileName.clear(); }

    QString at(const QString& name) const { return app().path(name); }
    QString file(const QString& name) const { return dir.filePath(name); }
    Profile ini() const { return Profile(app().iniPath()); }
    QString lastSavePath() const { return ini().readString("Form1", "LastSavePath", "<none>"); }
    void setPanes(const QString& post, const QString& quoted) {
        edit.setText(post);
        quote.setText(quoted);
    }

    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    MemoryPane edit;
    MemoryPane quote;
    DraftStore store{edit, quote};
};

}  // namespace

TEST_F(Drafts, QuickSave0OnFirstStartThenQuickLoad0) {
    setPanes(QStringLiteral("本文ｩ\n二行目"), QStringLiteral("引用"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(bytesOf(at("backup.txt")), sjis::toFile(QStringLiteral("本文ｩ\n二行目")));
    EXPECT_EQ(bytesOf(at("inback.txt")), sjis::toFile(QStringLiteral("引用")));
    EXPECT_EQ(lastSavePath(), at("backup.txt"));

    setPanes({}, {});
    store.quickLoad0();
    EXPECT_EQ(edit.text(), QStringLiteral("本文ｩ\n二行目"));
    EXPECT_EQ(quote.text(), QStringLiteral("引用"));
    EXPECT_EQ(store.openName(), at("backup.txt"));
}

TEST_F(Drafts, QuickSave0WithEmptyPostSavesNothing) {
    store.quickSave0();
    EXPECT_EQ(
        prompter.texts(),
        QStringList{QStringLiteral("保存に失敗しました。\r\n保存するテキストがありません。")});
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    prompter.clear();
    setPanes({}, QStringLiteral("quote only"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(at("inback.txt")));
}

TEST_F(Drafts, QuickSave0FollowsTheRecordUntilItsFileIsGone) {
    put(file("mine.txt"), "old");
    ini().writeString("Form1", "LastSavePath", file("mine.txt"));
    setPanes(QStringLiteral("new"), {});
    store.quickSave0();
    EXPECT_EQ(bytesOf(file("mine.txt")), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(at("backup.txt")));

    // Gone: backup.txt, recorded so that quick load 0 finds the text just saved.
    QFile::remove(file("mine.txt"));
    setPanes(QStringLiteral("newer"), {});
    store.quickSave0();
    EXPECT_EQ(lastSavePath(), at("backup.txt"));
    setPanes({}, {});
    store.quickLoad0();
    EXPECT_EQ(edit.text(), QStringLiteral("newer"));
}

TEST_F(Drafts, ToolCaseUsesTheExchangeFolderOnly) {
    QDir(dir.path()).mkdir("exchange");
    const QString target = file("exchange/post.txt");
    put(target, "before");
    ini().writeString("Form10", "SavePath", file("exchange"));
    app().ToolFileName = QStringLiteral("post.txt");
    setPanes(QStringLiteral("返信"), QStringLiteral("quoted"));
    store.quickSave0();
    EXPECT_EQ(bytesOf(target), sjis::toFile(QStringLiteral("返信")));
    EXPECT_EQ(lastSavePath(), target);
    EXPECT_FALSE(QFile::exists(at("inback.txt")));

    // Save as records the tool's file before its dialog, even when cancelled.
    ini().writeString("Form1", "LastSavePath", "elsewhere");
    store.saveAs();
    EXPECT_EQ(lastSavePath(), target);
    ASSERT_EQ(prompter.fileRequests.size(), 1);
    EXPECT_EQ(prompter.fileRequests[0].directory, file("exchange"));
    EXPECT_EQ(prompter.fileRequests[0].fileName, QStringLiteral("post.txt"));
}

TEST_F(Drafts, FailedSavesSayWhyAndChangeNothing) {
    // A path through a regular file cannot be created, not even by root.
    put(file("blocker"), "x");
    ini().writeString("Form10", "SavePath", file("blocker"));
    app().ToolFileName = QStringLiteral("post.txt");
    setPanes(QStringLiteral("keep me"), {});
    store.quickSave0();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);  // plain message with the reason
    EXPECT_TRUE(prompter.last().contains(QStringLiteral("blocker/post.txt")));

    app().ToolFileName.clear();
    ini().writeString("Form1", "LastSavePath", "unchanged");
    prompter.fileNames.enqueue(file("blocker/inner.txt"));
    store.saveAs();
    EXPECT_EQ(prompter.shown.last().icon, Icon::Error);  // the general error dialog

    // A slot whose name is taken by a folder: no success message, no record.
    QDir(dir.path()).mkdir("qick1.txt");
    store.quickSave(1);
    EXPECT_EQ(prompter.shown.size(), 3);
    EXPECT_EQ(prompter.shown.last().icon, Icon::None);
    EXPECT_FALSE(prompter.last().startsWith(QStringLiteral("編集中")));
    EXPECT_EQ(lastSavePath(), QStringLiteral("unchanged"));
    EXPECT_EQ(edit.text(), QStringLiteral("keep me"));
}

TEST_F(Drafts, QuickSlotsAndTheSharedQuoteFile) {
    put(at("inback.txt"), "older quote");
    setPanes(QStringLiteral("slot two"), QStringLiteral("current quote"));
    store.quickSave(2);
    EXPECT_EQ(prompter.texts(),
              QStringList{QStringLiteral("編集中の内容を保存しました。 (クィックセーブ２)")});
    EXPECT_EQ(bytesOf(at("inback.txt")), QByteArray("older quote"));  // only slot 1 writes it
    EXPECT_EQ(lastSavePath(), at("qick2.txt"));
    setPanes({}, {});
    store.quickLoad(2);
    EXPECT_EQ(edit.text(), QStringLiteral("slot two"));
    EXPECT_EQ(quote.text(), QStringLiteral("older quote"));

    // A missing slot leaves the post but still loads the quote pane.
    setPanes(QStringLiteral("stays"), {});
    store.quickLoad(3);
    EXPECT_EQ(edit.text(), QStringLiteral("stays"));
    EXPECT_EQ(quote.text(), QStringLiteral("older quote"));

    prompter.clear();
    setPanes({}, {});
    store.quickSave(3);  // nothing to save
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(at("qick3.txt")));
}

TEST_F(Drafts, OverwriteAfterQuickLoadWritesTheSlotInTheProgramFolder) {
    put(at("qick1.txt"), "slot");
    store.quickLoad(1);
    EXPECT_EQ(store.openName(), QStringLiteral("qick1.txt"));
    QTemporaryDir elsewhere;
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    edit.setText(QStringLiteral("edited"));
    store.overwriteSave();
    QDir::setCurrent(oldCwd);
    EXPECT_EQ(bytesOf(at("qick1.txt")), QByteArray("edited"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("qick1.txt")));
}

TEST_F(Drafts, TxtIsAddedOnlyToNamesWithoutExtension) {
    edit.setText(QStringLiteral("post"));
    prompter.fileNames << file("reply") << file("reply.log");
    store.saveAs();
    EXPECT_EQ(prompter.fileRequests[0].fileName, QStringLiteral("New"));
    EXPECT_EQ(bytesOf(file("reply.txt")), QByteArray("post"));
    EXPECT_EQ(lastSavePath(), file("reply.txt"));
    store.saveAs();
    EXPECT_EQ(bytesOf(file("reply.log")), QByteArray("post"));
    EXPECT_EQ(lastSavePath(), file("reply.log"));

    // Overwrite save without a name asks, and records only a name it completed.
    prompter.fileNames << file("a.htm") << file("b");
    store.overwriteSave();
    EXPECT_EQ(bytesOf(file("a.htm")), QByteArray("post"));
    EXPECT_EQ(lastSavePath(), file("reply.log"));
    store.overwriteSave();
    EXPECT_EQ(bytesOf(file("b.txt")), QByteArray("post"));
    EXPECT_EQ(lastSavePath(), file("b.txt"));
}

TEST_F(Drafts, InsertAndOpenRememberTheFileForOverwriteSave) {
    put(file("three.txt"), sjis::toFile(QStringLiteral("一\n二\n三")));
    edit.setText(QStringLiteral("before|after"));
    edit.select(7, 0);
    prompter.fileNames.enqueue(file("three.txt"));
    store.insertFile();
    EXPECT_EQ(edit.text(), QStringLiteral("before|一\n二\n三\nafter"));
    EXPECT_EQ(prompter.fileRequests[0].directory, app().AppDir);
    store.overwriteSave();
    EXPECT_EQ(bytesOf(file("three.txt")), sjis::toFile(QStringLiteral("before|一\n二\n三\nafter")));

    prompter.fileNames << file("three.txt") << file("gone.txt");
    edit.setText({});
    store.open();
    EXPECT_EQ(edit.text(), QStringLiteral("before|一\n二\n三\nafter"));
    EXPECT_EQ(lastSavePath(), QStringLiteral("<none>"));
    store.open();  // unreadable: the error dialog, the pane and the name stay
    EXPECT_EQ(prompter.shown.last().icon, Icon::Error);
    EXPECT_EQ(store.openName(), file("three.txt"));
    EXPECT_FALSE(edit.isEmpty());
}

TEST_F(Drafts, QuickSaveAndLoad0InAFolderShiftJisCannotName) {
    // A program folder whose name has characters the settings file cannot hold as
    // themselves: the recorded path must still lead back to the saved file.
    const QString folder = dir.filePath(QStringLiteral("T\u00E9l\u00E9chargements\u301C\u2212") +
                                        QString::fromUcs4(U"\U0001F600", 1));
    ASSERT_TRUE(QDir().mkpath(folder));
    app().AppDir = folder + QLatin1Char('/');
    setPanes(QStringLiteral("本文"), QStringLiteral("引用"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(lastSavePath(), at("backup.txt"));

    setPanes({}, {});
    store.quickLoad0();
    EXPECT_TRUE(prompter.shown.isEmpty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(edit.text(), QStringLiteral("本文"));
    EXPECT_EQ(quote.text(), QStringLiteral("引用"));
}
