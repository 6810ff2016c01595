#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "core/appstate.h"
#include "drafts/externaltool.h"
#include "platform/launcher.h"
#include "platform/profile.h"

using namespace kirel;

namespace {

void put(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    ASSERT_TRUE(f.setPermissions(permissions));
}

constexpr QFile::Permissions kPlain = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kRunnable = kPlain | QFile::ExeOwner;

// Waits for a file a detached process writes.
QByteArray waitForFile(const QString& path) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 10000) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            if (bytes.endsWith('\n')) return bytes;
        }
        QThread::msleep(20);
    }
    return "<not written>";
}

}  // namespace

namespace kirel::tool {
void PrintTo(const Drive& d, std::ostream* out) {
    *out << d.root.toStdString() << " / " << d.text.toStdString();
}
}  // namespace kirel::tool

TEST(ExternalTool, FileListOffersExecutablesAndDesktopEntriesOnly) {
    QTemporaryDir dir;
    const QDir d(dir.path());
    put(d.filePath("reader"), "#!/bin/sh\n", kRunnable);
    put(d.filePath("notes.txt"), "text", kPlain);
    put(d.filePath("board.desktop"), "[Desktop Entry]\n", kPlain);
    put(d.filePath("Board.DESKTOP"), "[Desktop Entry]\n", kPlain);
    put(d.filePath(".hidden"), "#!/bin/sh\n", kRunnable);
    put(d.filePath("a tool with spaces"), "#!/bin/sh\n", kRunnable);
    ASSERT_TRUE(d.mkdir("bin.d"));  // folders are executable too, but are not programs
    ASSERT_TRUE(QFile::link(d.filePath("reader"), d.filePath("link-to-reader")));
    ASSERT_TRUE(QFile::link(d.filePath("missing"), d.filePath("dangling")));
    // The settings file keeps what Shift-JIS cannot hold, and blanks at the
    // ends, as "&#N;": such paths are offered. A line break cannot be kept.
    put(d.filePath("café"), "#!/bin/sh\n", kRunnable);
    put(d.filePath("trailing "), "#!/bin/sh\n", kRunnable);
    put(d.filePath("two\nlines"), "#!/bin/sh\n", kRunnable);
    put(d.filePath("掲示板ビューア"), "#!/bin/sh\n", kRunnable);
    // Shared libraries are executable by their mode, but are no programs: by
    // name, or an ELF shared object without a program interpreter.
    put(d.filePath("kirelweb.so"),
        "\x7f"
        "ELF",
        kRunnable);
    put(d.filePath("libx.so.6"),
        "\x7f"
        "ELF",
        kRunnable);
    QByteArray library(64, '\0');
    library.replace(0, 6,
                    QByteArray("\x7f"
                               "ELF\x02\x01",
                               6));  // 64-bit, little-endian
    library[16] = 3;                 // a shared object
    library[54] = 56;                // program headers, none
    put(d.filePath("plugin"), library, kRunnable);

    EXPECT_EQ(tool::offeredFiles(dir.path()),
              (QStringList{"a tool with spaces", "board.desktop", "café", "link-to-reader",
                           "reader", "trailing ", "掲示板ビューア"}));
    EXPECT_TRUE(tool::isSharedLibrary(QFileInfo(d.filePath("plugin"))));
    // This test itself is a (position-independent) program: a shared object that
    // names its interpreter.
    EXPECT_FALSE(tool::isSharedLibrary(QFileInfo(QStringLiteral("/proc/self/exe"))));
    EXPECT_TRUE(tool::isStorable("/opt/reader/reader"));
    EXPECT_TRUE(tool::isStorable("/opt/\xF0\x9F\x98\x80/tool "));
    EXPECT_FALSE(tool::isStorable("/opt/" + QString(2100, QLatin1Char('x'))));
    EXPECT_FALSE(tool::isStorable({}));
    EXPECT_EQ(tool::subfolders(dir.path()), QStringList{"bin.d"});
    EXPECT_TRUE(tool::offeredFiles(d.filePath("no such folder")).isEmpty());
}

TEST(ExternalTool, DriveListStartsAtTheRootThenHomeAndLeavesSystemMountsOut) {
    const QList<tool::Mount> mounts = {
        {"/", "ext4", "", true},
        {"/proc", "proc", "", true},
        {"/sys/fs/cgroup", "cgroup2", "", true},
        {"/dev/shm", "tmpfs", "", true},
        {"/run/user/1000", "tmpfs", "", true},
        {"/tmp", "tmpfs", "", true},
        {"/snap/core/1", "squashfs", "", true},
        {"/boot/efi", "vfat", "EFI", true},
        {"/var/lib/docker/overlay2/x/merged", "overlay", "", true},
        {"/run/media/user/USB STICK", "vfat", "USB STICK", true},
        {"/mnt/data", "ext4", "Backup", true},
        {"/media/cdrom", "iso9660", "", false},  // nothing in the drive
        {"/home/user", "ext4", "", true},        // the home folder is listed once
        {"/home", "ext4", "", true},
        {"/mnt/share/", "nfs4", "", true},
        {"/mnt/data", "ext4", "Backup", true},  // mounted twice
    };
    const QList<tool::Drive> got = tool::drives(mounts, "/home/user");
    const QList<tool::Drive> want = {
        {"/", "/"},
        {"/home/user", "/home/user"},
        {"/home", "/home"},
        {"/mnt/data", "/mnt/data [Backup]"},
        {"/mnt/share", "/mnt/share"},
        {"/run/media/user/USB STICK", "/run/media/user/USB STICK"},
    };
    EXPECT_EQ(got, want);
    // Root's home is the root folder: listed once.
    EXPECT_EQ(tool::drives({}, "/"), (QList<tool::Drive>{{"/", "/"}}));

    EXPECT_EQ(tool::driveOf(got, "/home/user/bin"), 1);
    EXPECT_EQ(tool::driveOf(got, "/home/user"), 1);
    EXPECT_EQ(tool::driveOf(got, "/home/username"), 2);  // not inside /home/user
    EXPECT_EQ(tool::driveOf(got, "/usr/bin"), 0);
    EXPECT_EQ(tool::driveOf(got, "/mnt/data/tools/"), 3);
    EXPECT_EQ(tool::driveOf(got, "relative/path"), -1);
    // The list the dialog shows here begins the same way.
    const QList<tool::Drive> now = tool::currentDrives();
    ASSERT_FALSE(now.isEmpty());
    EXPECT_EQ(now.first().root, "/");
}

TEST(ExternalTool, RegisteredToolIsAFullPathInSectionForm9) {
    QTemporaryDir dir;
    const Profile ini(dir.filePath("Kirel.ini"));
    EXPECT_EQ(tool::registered(ini), QString());
    tool::setRegistered(ini, "/opt/reader/reader");
    EXPECT_EQ(tool::registered(ini), "/opt/reader/reader");
    EXPECT_EQ(ini.readString("Form9", "Tool", {}), "/opt/reader/reader");
}

TEST(ExternalTool, LaunchHandsOverThePathAsItIsOrSaysNothingIsRegistered) {
    QStringList started;
    const auto recordOk = [&](const QString& p) { return started << p, true; };
    const auto recordFail = [&](const QString& p) { return started << p, false; };
    EXPECT_EQ(tool::launch({}, recordOk), tool::Launch::NothingRegistered);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(tool::launch("/a b/c;rm -rf x", recordOk), tool::Launch::Started);
    EXPECT_EQ(tool::launch("/gone", recordFail), tool::Launch::NotStarted);
    EXPECT_EQ(started, (QStringList{"/a b/c;rm -rf x", "/gone"}));
}

// The real launcher: a detached process, no arguments, no shell.
TEST(ProgramLauncher, StartsTheProgramItselfWithoutArgumentsOrShell) {
    QTemporaryDir dir;
    const QDir d(dir.path());
    // A path a shell would split and run twice; started as one file it writes once.
    const QString marker = d.filePath("ran.txt");
    const QString tool = d.filePath("my tool;touch injected");
    put(tool, "#!/bin/sh\necho \"$#:$*\" >> '" + marker.toUtf8() + "'\n", kRunnable);
    ASSERT_TRUE(startProgram(tool));
    EXPECT_EQ(waitForFile(marker), "0:\n");
    EXPECT_FALSE(QFileInfo::exists(d.filePath("injected")));
    EXPECT_FALSE(QFileInfo::exists("injected"));

    // What cannot be started says so, and nothing runs.
    put(d.filePath("plain"), "#!/bin/sh\necho x > '" + marker.toUtf8() + "'\n", kPlain);
    EXPECT_FALSE(startProgram(d.filePath("plain")));
    EXPECT_FALSE(startProgram(d.filePath("missing")));
    EXPECT_FALSE(startProgram(dir.path()));
    EXPECT_FALSE(startProgram("sh"));  // a bare name is never looked up in PATH
    QThread::msleep(200);
    EXPECT_EQ(waitForFile(marker), "0:\n");
}

TEST(ProgramLauncher, DesktopEntryStartsThroughTheDesktopLauncher) {
    if (QStandardPaths::findExecutable("gio").isEmpty()) GTEST_SKIP() << "no gio on this machine";
    QTemporaryDir dir;
    const QDir d(dir.path());
    const QString marker = d.filePath("ran.txt");
    const QString script = d.filePath("reader.sh");
    put(script, "#!/bin/sh\necho \"$#\" > '" + marker.toUtf8() + "'\n", kRunnable);
    const QString entry = d.filePath("reader.desktop");
    put(entry,
        "[Desktop Entry]\nType=Application\nName=Reader\nExec=\"" + script.toUtf8() + "\" %U\n",
        kPlain);
    ASSERT_TRUE(startProgram(entry));
    EXPECT_EQ(waitForFile(marker), "0\n");
}
