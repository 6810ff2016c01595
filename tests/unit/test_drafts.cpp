#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/appstate.h"
#include "app/editcommands.h"
#include "drafts/drafts.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"

using namespace kirel;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString kSavedSlot2 = QStringLiteral("編集中の内容を保存しました。 (クィックセーブ２)");

class Drafts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        app().AppDir = dir.path() + QLatin1Char('/');
        app().ToolFileName.clear();
    }
    void TearDown() override {
        app().AppDir.clear();
        app().ToolFileName.clear();
    }

    QString at(const QString& name) const { return app().path(name); }
    Profile ini() const { return Profile(app().iniPath()); }
    QString lastSavePath() const { return ini().readString("Form1", "LastSavePath", "<none>"); }

    QTemporaryDir dir;
    test::ScriptedPrompter prompter;
    MemoryPane edit;
    MemoryPane quote;
    DraftStore store{edit, quote};
};

}  // namespace

TEST_F(Drafts, QuickSave0OnFirstStartWritesBackupAndLoadsItBack) {
    edit.setText(QStringLiteral("本文ｩ\n二行目"));
    quote.setText(QStringLiteral("引用"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(bytesOf(at("backup.txt")), sjis::toFile(QStringLiteral("本文ｩ\n二行目")));
    EXPECT_TRUE(bytesOf(at("backup.txt")).contains("\r\n"));
    EXPECT_EQ(bytesOf(at("inback.txt")), sjis::toFile(QStringLiteral("引用")));
    EXPECT_EQ(lastSavePath(), at("backup.txt"));

    edit.setText({});
    quote.setText({});
    store.quickLoad0();
    EXPECT_EQ(edit.text(), QStringLiteral("本文ｩ\n二行目"));
    EXPECT_EQ(quote.text(), QStringLiteral("引用"));
    EXPECT_EQ(store.openName(), at("backup.txt"));
    EXPECT_EQ(store.saveName(), at("backup.txt"));
}

TEST_F(Drafts, QuickSave0WithEmptyPost) {
    store.quickSave0();
    EXPECT_EQ(
        prompter.texts(),
        QStringList{QStringLiteral("保存に失敗しました。\r\n保存するテキストがありません。")});
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);

    prompter.clear();
    quote.setText(QStringLiteral("quote only"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(at("inback.txt")));
    EXPECT_FALSE(QFile::exists(at("backup.txt")));
}

TEST_F(Drafts, QuickSave0FollowsTheRecordedFileOrFallsBackToBackup) {
    const QString mine = dir.filePath("mine.txt");
    put(mine, "old");
    ini().writeString("Form1", "LastSavePath", mine);
    edit.setText(QStringLiteral("new"));
    store.quickSave0();
    EXPECT_EQ(bytesOf(mine), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(at("backup.txt")));
    EXPECT_TRUE(QFile::exists(at("inback.txt")));
    EXPECT_EQ(lastSavePath(), mine);

    // The recorded file has gone: the post goes to backup.txt, which is recorded so
    // that quick load 0 finds it.
    QFile::remove(mine);
    edit.setText(QStringLiteral("newer"));
    store.quickSave0();
    EXPECT_FALSE(QFile::exists(mine));
    EXPECT_EQ(bytesOf(at("backup.txt")), QByteArray("newer"));
    EXPECT_EQ(lastSavePath(), at("backup.txt"));
    edit.setText({});
    store.quickLoad0();
    EXPECT_EQ(edit.text(), QStringLiteral("newer"));
}

TEST_F(Drafts, ToolCaseWritesIntoTheExchangeFolderOnly) {
    QDir(dir.path()).mkdir("exchange");
    const QString folder = dir.filePath("exchange");
    put(folder + "/post.txt", "before");
    ini().writeString("Form10", "SavePath", folder);
    app().ToolFileName = QStringLiteral("post.txt");
    edit.setText(QStringLiteral("返信"));
    quote.setText(QStringLiteral("quoted"));
    store.quickSave0();
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_EQ(bytesOf(folder + "/post.txt"), sjis::toFile(QStringLiteral("返信")));
    EXPECT_EQ(lastSavePath(), folder + "/post.txt");
    EXPECT_FALSE(QFile::exists(at("inback.txt")));
    EXPECT_FALSE(QFile::exists(at("backup.txt")));

    // Save as records the tool's file before the dialog, even when it is cancelled.
    ini().writeString("Form1", "LastSavePath", "elsewhere");
    store.saveAs();
    EXPECT_EQ(lastSavePath(), folder + "/post.txt");
    ASSERT_EQ(prompter.fileRequests.size(), 1);
    EXPECT_EQ(prompter.fileRequests[0].directory, folder);
    EXPECT_EQ(prompter.fileRequests[0].fileName, QStringLiteral("post.txt"));
}

TEST_F(Drafts, FailedSaveSaysWhyAndKeepsEverything) {
    // A path through a regular file cannot be created, not even by root.
    put(dir.filePath("blocker"), "x");
    ini().writeString("Form10", "SavePath", dir.filePath("blocker"));
    app().ToolFileName = QStringLiteral("post.txt");
    edit.setText(QStringLiteral("keep me"));
    store.quickSave0();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_TRUE(prompter.last().contains(QStringLiteral("blocker/post.txt")));
    EXPECT_EQ(edit.text(), QStringLiteral("keep me"));

    // Save as into it: the general error dialog, and nothing recorded.
    app().ToolFileName.clear();
    ini().writeString("Form1", "LastSavePath", "unchanged");
    prompter.clear();
    prompter.fileNames.enqueue(dir.filePath("blocker/inner.txt"));
    store.saveAs();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::Error);
    EXPECT_EQ(lastSavePath(), QStringLiteral("unchanged"));
    EXPECT_EQ(edit.text(), QStringLiteral("keep me"));
}

TEST_F(Drafts, FailedQuickSaveKeepsTheOldSlotAndRecord) {
    // The slot's name is taken by a folder: the save fails before anything moves.
    QDir(dir.path()).mkdir("qick1.txt");
    ini().writeString("Form1", "LastSavePath", "unchanged");
    edit.setText(QStringLiteral("text"));
    store.quickSave(1);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_NE(prompter.last(), QStringLiteral("編集中の内容を保存しました。 (クィックセーブ１)"));
    EXPECT_EQ(lastSavePath(), QStringLiteral("unchanged"));
    EXPECT_FALSE(QFile::exists(at("inback.txt")));
}

TEST_F(Drafts, QuickSaveSlotsAndTheirMessages) {
    put(at("inback.txt"), "older quote");
    edit.setText(QStringLiteral("slot two"));
    quote.setText(QStringLiteral("current quote"));
    store.quickSave(2);
    EXPECT_EQ(prompter.texts(), QStringList{kSavedSlot2});
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_EQ(bytesOf(at("qick2.txt")), QByteArray("slot two"));
    EXPECT_EQ(bytesOf(at("inback.txt")), QByteArray("older quote"));
    EXPECT_EQ(lastSavePath(), at("qick2.txt"));

    edit.setText({});
    quote.setText({});
    store.quickLoad(2);
    EXPECT_EQ(edit.text(), QStringLiteral("slot two"));
    EXPECT_EQ(quote.text(), QStringLiteral("older quote"));
    EXPECT_EQ(store.openName(), QStringLiteral("qick2.txt"));

    // Slot 1 also keeps the quote pane.
    prompter.clear();
    quote.setText(QStringLiteral("current quote"));
    store.quickSave(1);
    EXPECT_EQ(prompter.last(), QStringLiteral("編集中の内容を保存しました。 (クィックセーブ１)"));
    EXPECT_EQ(bytesOf(at("inback.txt")), QByteArray("current quote"));

    // Nothing to save: no file, no message.
    prompter.clear();
    edit.setText({});
    quote.setText({});
    store.quickSave(3);
    EXPECT_TRUE(prompter.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(at("qick3.txt")));
}

TEST_F(Drafts, QuickLoadOfMissingSlotStillLoadsTheQuotePane) {
    put(at("inback.txt"), "q1\r\nq2");
    edit.setText(QStringLiteral("stays"));
    store.quickLoad(3);
    EXPECT_EQ(edit.text(), QStringLiteral("stays"));
    EXPECT_EQ(quote.text(), QStringLiteral("q1\nq2"));
    EXPECT_TRUE(store.openName().isEmpty());
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(Drafts, OverwriteAfterQuickLoadWritesTheSlotInTheProgramFolder) {
    put(at("qick1.txt"), "slot");
    store.quickLoad(1);
    QTemporaryDir elsewhere;
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    edit.setText(QStringLiteral("edited"));
    store.overwriteSave();
    QDir::setCurrent(oldCwd);
    EXPECT_EQ(bytesOf(at("qick1.txt")), QByteArray("edited"));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("qick1.txt")));
    EXPECT_TRUE(prompter.fileRequests.isEmpty());
}

TEST_F(Drafts, SaveAsAddsTxtOnlyWithoutExtension) {
    edit.setText(QStringLiteral("post"));
    prompter.fileNames.enqueue(dir.filePath("reply"));
    store.saveAs();
    EXPECT_EQ(bytesOf(dir.filePath("reply.txt")), QByteArray("post"));
    EXPECT_EQ(lastSavePath(), dir.filePath("reply.txt"));
    EXPECT_EQ(store.saveName(), dir.filePath("reply.txt"));
    ASSERT_EQ(prompter.fileRequests.size(), 1);
    EXPECT_EQ(prompter.fileRequests[0].fileName, QStringLiteral("New"));
    EXPECT_EQ(prompter.fileRequests[0].filter,
              QStringLiteral("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*"));

    prompter.fileNames.enqueue(dir.filePath("reply.log"));
    store.saveAs();
    EXPECT_EQ(bytesOf(dir.filePath("reply.log")), QByteArray("post"));
    EXPECT_FALSE(QFile::exists(dir.filePath("reply.log.txt")));
    EXPECT_EQ(lastSavePath(), dir.filePath("reply.log"));

    // Cancelled: nothing changes.
    store.saveAs();
    EXPECT_EQ(lastSavePath(), dir.filePath("reply.log"));
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST_F(Drafts, OverwriteSaveWithoutNameAsksAndRecordsOnlyAddedTxt) {
    edit.setText(QStringLiteral("x"));
    prompter.fileNames.enqueue(dir.filePath("a.htm"));
    store.overwriteSave();
    EXPECT_EQ(bytesOf(dir.filePath("a.htm")), QByteArray("x"));
    EXPECT_EQ(lastSavePath(), QStringLiteral("<none>"));

    prompter.fileNames.enqueue(dir.filePath("b"));
    store.overwriteSave();
    EXPECT_EQ(bytesOf(dir.filePath("b.txt")), QByteArray("x"));
    EXPECT_EQ(lastSavePath(), dir.filePath("b.txt"));
}

TEST_F(Drafts, OpenLoadsTheFileAndRemembersIt) {
    put(dir.filePath("draft.txt"), sjis::toFile(QStringLiteral("下書き\n2")));
    prompter.fileNames.enqueue(dir.filePath("draft.txt"));
    store.open();
    EXPECT_EQ(edit.text(), QStringLiteral("下書き\n2"));
    EXPECT_EQ(store.openName(), dir.filePath("draft.txt"));
    EXPECT_EQ(store.saveName(), dir.filePath("draft.txt"));
    EXPECT_EQ(lastSavePath(), QStringLiteral("<none>"));
    EXPECT_EQ(prompter.fileRequests[0].directory, app().AppDir);

    // Overwrite save now writes there without a dialog.
    edit.setText(QStringLiteral("changed"));
    store.overwriteSave();
    EXPECT_EQ(bytesOf(dir.filePath("draft.txt")), QByteArray("changed"));
    EXPECT_EQ(prompter.fileRequests.size(), 1);

    // An unreadable choice reaches the error dialog and leaves the pane.
    prompter.fileNames.enqueue(dir.filePath("missing.txt"));
    store.open();
    EXPECT_EQ(edit.text(), QStringLiteral("changed"));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::Error);
    EXPECT_EQ(store.openName(), dir.filePath("draft.txt"));
}

TEST_F(Drafts, QuickLoad0WithoutRecordAsksForAFile) {
    put(dir.filePath("pick.txt"), "picked");
    put(at("inback.txt"), "q");
    prompter.fileNames.enqueue(dir.filePath("pick.txt"));
    store.quickLoad0();
    EXPECT_EQ(edit.text(), QStringLiteral("picked"));
    EXPECT_EQ(quote.text(), QStringLiteral("q"));
    EXPECT_EQ(store.openName(), dir.filePath("pick.txt"));
    EXPECT_EQ(prompter.fileRequests[0].directory, app().AppDir);
}

TEST_F(Drafts, InsertFileAddsEveryLineWithABreakAtTheCaret) {
    put(dir.filePath("three.txt"), sjis::toFile(QStringLiteral("一\n二\n三")));
    edit.setText(QStringLiteral("before|after"));
    edit.select(7, 0);
    prompter.fileNames.enqueue(dir.filePath("three.txt"));
    store.insertFile();
    EXPECT_EQ(edit.text(), QStringLiteral("before|一\n二\n三\nafter"));
    EXPECT_EQ(store.openName(), dir.filePath("three.txt"));
    EXPECT_EQ(store.saveName(), QStringLiteral("New"));

    // Overwrite save then writes the whole post to the inserted file.
    store.overwriteSave();
    EXPECT_EQ(bytesOf(dir.filePath("three.txt")),
              sjis::toFile(QStringLiteral("before|一\n二\n三\nafter")));

    // A selection is replaced; a file already ending in a line break gets no extra one.
    put(dir.filePath("one.txt"), "x\r\n");
    edit.setText(QStringLiteral("[sel]"));
    edit.select(1, 3);
    prompter.fileNames.enqueue(dir.filePath("one.txt"));
    store.insertFile();
    EXPECT_EQ(edit.text(), QStringLiteral("[x\n]"));

    // A failed read is a plain message.
    prompter.fileNames.enqueue(dir.filePath("gone.txt"));
    store.insertFile();
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_EQ(edit.text(), QStringLiteral("[x\n]"));
}
