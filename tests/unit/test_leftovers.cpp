// Temporary files left by saves that a kill interrupted are removed at start-up,
// in every folder the program writes to; nothing else is, whatever its name.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/textfile.h"

namespace kirel {
namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

TEST(SaveLeftovers, OnlyTheWritersOwnTemporaryFilesGo) {
    QTemporaryDir dir;
    for (const char* sub : {"user/custom/mozie", "kao", "other"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(QString::fromLatin1(sub)));
    const QStringList gone = {".backup.txt.kirel-aB3dEf",
                              ".Kirel.ini.kirel-QwErTy",
                              ".0.htm.kirel-zzZZzz",
                              "kao/.zyouyou.txt.kirel-000000",
                              "user/.url.txt.kirel-XyZabc",
                              "user/custom/.Itemlist.txt.kirel-Mnopqr",
                              "user/custom/mozie/.cat.txt.kirel-abcdef"};
    // Backup-like names of the user's, copies an older writer named differently,
    // near misses of the pattern, and folders the program does not write to.
    const QStringList stay = {"memo.txt.backup",
                              "user/notes.txt.Backup",
                              "kao/old.txt.before",
                              "backup.txt.aBcDeF",
                              "Kirel.ini.bak",
                              ".hidden.txt",
                              "user/custom/x.txt.kirel-abcdef",
                              "user/custom/.x.txt.kirel-abcdefg",
                              "user/custom/.x.txt.kirel-abc",
                              "user/custom/mozie/pic.txt",
                              "other/.x.txt.kirel-abcdef"};
    for (const QString& name : gone + stay) touch(dir.filePath(name));
    // Writing through the program's writer leaves no temporary file of its own.
    writeBytesFile(dir.filePath(QStringLiteral("inback.txt")), "quote");

    EXPECT_EQ(removeSaveLeftovers(dir.path()), gone.size());
    for (const QString& name : gone)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString& name : stay)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("inback.txt"))));
    EXPECT_EQ(removeSaveLeftovers(dir.path()), 0);
}

TEST(SaveLeftovers, FilesOfAnUnfinishedGroupWaitForTheirWindow) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("user")));
    const QString user = dir.filePath(QStringLiteral("user"));
    const QString temp = user + QStringLiteral("/.url.txt.kirel-Abc123");
    touch(temp);
    QFile record(user + QStringLiteral("/.url-t.txt.kirel-group"));
    ASSERT_TRUE(record.open(QIODevice::WriteOnly));
    record.write((temp + QLatin1Char('\n') + user + QStringLiteral("/url.txt\n")).toUtf8());
    record.close();
    EXPECT_EQ(removeSaveLeftovers(dir.path()), 0);
    EXPECT_TRUE(QFile::exists(temp));
    EXPECT_EQ(completeInterruptedSaves(user), QStringList{user + QStringLiteral("/url.txt")});
    EXPECT_FALSE(QFile::exists(temp));
    EXPECT_FALSE(QFile::exists(record.fileName()));
}

}  // namespace
}  // namespace kirel
