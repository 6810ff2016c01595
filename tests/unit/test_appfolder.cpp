// Where the program keeps its files, and filling the user's data folder from the
// data that ships with the program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/appfolder.h"

using namespace kirel;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(AppFolderDecision, WritableCopyKeepsEverythingBesideTheExecutable) {
    const AppFolder f = chooseAppFolder("/home/u/Kirel", true, QString(), "/home/u/.local/share");
    EXPECT_EQ(f.path, "/home/u/Kirel/");
    EXPECT_TRUE(f.seedSource.isEmpty());
}

TEST(AppFolderDecision, InstalledProgramUsesTheDataFolderEvenWhenBinIsWritable) {
    // Root may write to /usr/bin, a user to ~/.local/bin: neither is the place for
    // the user's settings and drafts.
    for (bool writable : {false, true}) {
        const AppFolder f =
            chooseAppFolder("/usr/bin", writable, "/usr/share/kirel", "/home/u/.local/share");
        EXPECT_EQ(f.path, "/home/u/.local/share/kirel/");
        EXPECT_EQ(f.seedSource, "/usr/share/kirel");
        EXPECT_TRUE(f.seedEntries.isEmpty());
    }
}

TEST(AppFolderDecision, ReadOnlyCopyIsSeededWithItsShippedDataOnly) {
    const AppFolder f = chooseAppFolder("/opt/Kirel", false, QString(), "/data");
    EXPECT_EQ(f.path, "/data/kirel/");
    EXPECT_EQ(f.seedSource, "/opt/Kirel");
    EXPECT_TRUE(f.seedEntries.contains("kao"));
    EXPECT_TRUE(f.seedEntries.contains("リファレンス.htm"));
    EXPECT_FALSE(f.seedEntries.contains("Kirel.ini"));
}

TEST(AppFolderDecision, DataHomeFollowsTheXdgRule) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/srv/data/");
        EXPECT_EQ(userDataHome(), "/srv/data");
    }
    {
        // A relative value is not valid and is ignored.
        ScopedEnv xdg("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(userDataHome(), "/home/someone/.local/share");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "");
        EXPECT_EQ(userDataHome(), "/home/someone/.local/share");
    }
}

TEST(AppFolderDecision, InstallationIsRecognisedByItsDataFolder) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/bin"));
    ASSERT_TRUE(QDir(root.path()).mkpath("Kirel"));
    const QString bin = root.filePath("usr/bin");
    EXPECT_TRUE(installedDataFolder(bin).isEmpty());
    ASSERT_TRUE(QDir(root.path()).mkpath("usr/share/kirel"));
    EXPECT_EQ(installedDataFolder(bin), root.filePath("usr/share/kirel"));
    EXPECT_TRUE(installedDataFolder(root.filePath("Kirel")).isEmpty());

    ScopedEnv xdg("XDG_DATA_HOME", root.filePath("data").toUtf8());
    EXPECT_EQ(locateAppFolder(bin).path, root.filePath("data/kirel/"));
    EXPECT_EQ(locateAppFolder(root.filePath("Kirel")).path, root.filePath("Kirel/"));
}

TEST(AppFolderDecision, FolderTheUserCannotWriteToIsNotTheProgramFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write to any folder";
    QTemporaryDir root;
    const QString exe = root.filePath("Kirel");
    ASSERT_TRUE(QDir().mkpath(exe));
    ASSERT_TRUE(QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner));
    ScopedEnv xdg("XDG_DATA_HOME", root.filePath("data").toUtf8());
    const AppFolder f = locateAppFolder(exe);
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(f.path, root.filePath("data/kirel/"));
    EXPECT_EQ(f.seedSource, exe);
}

// A shipped data folder and an empty place for the user's data folder.
class Seeding : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        put(shipped("images/pirumi.bmp"), "BM-pirumi");
        put(shipped("user/Background.jpg"), "JPEG");
        put(shipped("kao/zyouyou.txt"), "(^_^)\r\n");
        put(shipped("fonts.conf"), "<fontconfig/>");
        put(shipped("リファレンス.htm"), "<HTML>v1</HTML>");
        folder = {dir.filePath("data/kirel/"), dir.filePath("share"), {}};
    }

    QString shipped(const QString& rel) const { return dir.filePath("share/" + rel); }
    QString user(const QString& rel) const { return folder.path + rel; }
    // A new release of a shipped file (another size, so it is looked at again).
    void ship(const QString& rel, const QByteArray& bytes) { put(shipped(rel), bytes); }

    QTemporaryDir dir;
    AppFolder folder;
};

TEST_F(Seeding, EmptyDataFolderGetsEveryShippedFileAndTheProgramsFolders) {
    const SeedReport r = seedAppFolder(folder);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.copied.size(), 5);
    EXPECT_EQ(bytesOf(user("images/pirumi.bmp")), "BM-pirumi");
    EXPECT_EQ(bytesOf(user("user/Background.jpg")), "JPEG");
    EXPECT_EQ(bytesOf(user("kao/zyouyou.txt")), "(^_^)\r\n");
    EXPECT_EQ(bytesOf(user("リファレンス.htm")), "<HTML>v1</HTML>");
    // The windows write their lists into these, shipped or not.
    for (const char* sub : {"kao", "user/custom", "user/custom/mozie", "images"})
        EXPECT_TRUE(QFileInfo(user(sub)).isDir()) << sub;
    // Nothing is left behind half-written (no temporary copies).
    QStringList names = QDir(folder.path).entryList(QDir::Files | QDir::Hidden);
    names.removeAll(".seeded");
    EXPECT_EQ(names, QStringList({"fonts.conf", "リファレンス.htm"}));

    // The next start finds everything in place.
    const SeedReport again = seedAppFolder(folder);
    EXPECT_TRUE(again.copied.isEmpty());
    EXPECT_TRUE(again.updated.isEmpty());
}

TEST_F(Seeding, FilesTheUserAlreadyHasAreNeverOverwritten) {
    put(user("kao/zyouyou.txt"), "(-_-)\r\n");
    put(user("Kirel.ini"), "[Form1]\r\nTopMost=1\r\n");
    put(user("images/pirumi.bmp"), "my own picture");
    const SeedReport r = seedAppFolder(folder);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(bytesOf(user("kao/zyouyou.txt")), "(-_-)\r\n");
    EXPECT_EQ(bytesOf(user("images/pirumi.bmp")), "my own picture");
    EXPECT_EQ(bytesOf(user("Kirel.ini")), "[Form1]\r\nTopMost=1\r\n");
    EXPECT_EQ(bytesOf(user("fonts.conf")), "<fontconfig/>");

    // Not even when a newer release ships them.
    ship("kao/zyouyou.txt", "(^_^)\r\n(^o^)\r\n");
    ship("images/pirumi.bmp", "BM-pirumi-2");
    seedAppFolder(folder);
    EXPECT_EQ(bytesOf(user("kao/zyouyou.txt")), "(-_-)\r\n");
    EXPECT_EQ(bytesOf(user("images/pirumi.bmp")), "my own picture");
}

TEST_F(Seeding, NewerReleaseReplacesOnlyWhatTheUserLeftAsCopied) {
    seedAppFolder(folder);
    put(user("kao/zyouyou.txt"), "(^_^)\r\n(*_*)\r\n");  // the user added an emoticon

    ship("リファレンス.htm", "<HTML>version 2</HTML>");
    ship("kao/zyouyou.txt", "(^_^)\r\n(^o^)\r\n");
    const SeedReport r = seedAppFolder(folder);
    EXPECT_EQ(r.updated, QStringList{"リファレンス.htm"});
    EXPECT_EQ(bytesOf(user("リファレンス.htm")), "<HTML>version 2</HTML>");
    EXPECT_EQ(bytesOf(user("kao/zyouyou.txt")), "(^_^)\r\n(*_*)\r\n");

    // A changed file stays the user's through later releases too.
    ship("kao/zyouyou.txt", "(^_^)\r\n(^o^)\r\n(^-^)\r\n");
    seedAppFolder(folder);
    EXPECT_EQ(bytesOf(user("kao/zyouyou.txt")), "(^_^)\r\n(*_*)\r\n");
    // And the updated help page is again the user's untouched copy.
    ship("リファレンス.htm", "<HTML>version three</HTML>");
    EXPECT_EQ(seedAppFolder(folder).updated, QStringList{"リファレンス.htm"});
}

TEST_F(Seeding, FileTheUserDeletedIsShippedAgain) {
    seedAppFolder(folder);
    ASSERT_TRUE(QFile::remove(user("user/Background.jpg")));
    const SeedReport r = seedAppFolder(folder);
    EXPECT_EQ(r.copied, QStringList{"user/Background.jpg"});
    EXPECT_EQ(bytesOf(user("user/Background.jpg")), "JPEG");
}

TEST_F(Seeding, CopyOfTheProgramGivesOnlyItsShippedData) {
    // A copy of the program in a folder the user may not write to: the program,
    // the module and an old user's files there are not data to copy.
    put(shipped("kirel"), "ELF");
    put(shipped("kirelweb.so"), "ELF");
    put(shipped("Kirel.ini"), "[Form1]\r\n");
    put(shipped("backup.txt"), "someone's post");
    folder.seedEntries =
        chooseAppFolder(dir.filePath("share"), false, {}, dir.filePath("data")).seedEntries;
    seedAppFolder(folder);
    EXPECT_TRUE(QFileInfo::exists(user("images/pirumi.bmp")));
    EXPECT_TRUE(QFileInfo::exists(user("fonts.conf")));
    EXPECT_TRUE(QFileInfo::exists(user("リファレンス.htm")));
    for (const char* name : {"kirel", "kirelweb.so", "Kirel.ini", "backup.txt"})
        EXPECT_FALSE(QFileInfo::exists(user(name))) << name;
}

TEST_F(Seeding, FolderThatCannotBeMadeIsReportedNotThrown) {
    put(dir.filePath("data"), "a file where the data folder's parent should be");
    SeedReport r;
    EXPECT_NO_THROW(r = seedAppFolder(folder));
    EXPECT_TRUE(r.error.contains(dir.filePath("data/kirel"))) << r.error.toStdString();
    EXPECT_TRUE(r.copied.isEmpty());
}

TEST_F(Seeding, OneFileThatCannotBeCopiedDoesNotStopTheOthers) {
    // The user has plain files where a shipped folder and a program folder go.
    put(shipped("sounds/ding.wav"), "RIFF");
    put(user("sounds"), "the user's own file");
    put(user("kao"), "another one");
    const SeedReport r = seedAppFolder(folder);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(bytesOf(user("sounds")), "the user's own file");
    EXPECT_EQ(bytesOf(user("kao")), "another one");
    EXPECT_EQ(bytesOf(user("images/pirumi.bmp")), "BM-pirumi");
    EXPECT_EQ(bytesOf(user("リファレンス.htm")), "<HTML>v1</HTML>");
    EXPECT_TRUE(QFileInfo(user("user/custom/mozie")).isDir());
}

}  // namespace
