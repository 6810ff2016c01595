// Temporary copies left by saves that a kill interrupted are removed at start-up;
// nothing else is.
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

TEST(SaveLeftovers, CopiesOfTheProgramsFilesGoOthersStay) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("user")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("kao")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("other")));
    const QStringList gone = {"backup.txt.aBcDeF", "Kirel.ini.QwErTy",    "0.htm.zzZZzz",
                              "qick2.txt.AbCdEf",  "user/bbs.txt.XyZabc", "kao/kao.txt.Mnopqr"};
    const QStringList stay = {"backup.txt",         "Kirel.ini",        "Kirel.ini.bak",
                              "backup.txt.ab1234",  "notes.doc.aBcDeF", "backup.txt.aBcDeFg",
                              "other/x.txt.aBcDeF", "user/bbs.txt"};
    for (const QString& name : gone + stay) touch(dir.filePath(name));
    // Writing through the program's writer leaves no copy of its own.
    writeBytesFile(dir.filePath(QStringLiteral("inback.txt")), "quote");

    EXPECT_EQ(removeSaveLeftovers(dir.path()), gone.size());
    for (const QString& name : gone)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString& name : stay)
        EXPECT_TRUE(QFile::exists(dir.filePath(name))) << name.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("inback.txt"))));
    EXPECT_EQ(removeSaveLeftovers(dir.path()), 0);
}

}  // namespace
}  // namespace kirel
