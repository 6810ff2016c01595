// Saves on a file system that is really full: a small tmpfs mounted for the test
// (which needs root; the tests are skipped otherwise). Every kind of save must
// fail with a message and leave the previous file exactly as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"

namespace kirel {
namespace {

class FullDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root: full-disk saves not tested";
        ASSERT_TRUE(base_.isValid());
        const QByteArray where = QFile::encodeName(base_.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=256k,mode=0700") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                         << "): full-disk saves not tested";
        }
        mounted_ = true;
    }
    void TearDown() override {
        if (mounted_) ::umount2(QFile::encodeName(base_.path()).constData(), MNT_DETACH);
    }

    QString path(const char* name) const { return base_.filePath(QString::fromUtf8(name)); }

    static void put(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    // Takes every free block of the file system with one file.
    void fill() const {
        QFile filler(path("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        // A last partial block may still fit.
        while (filler.write("f", 1) == 1) {
        }
    }
    void unfill() const { QFile::remove(path("filler")); }

    // Names in the folder other than the given ones (left-over temporary files).
    QStringList strays(const QStringList& expected) const {
        QStringList names = QDir(base_.path()).entryList(QDir::Files | QDir::Hidden);
        for (const QString& e : expected) names.removeAll(e);
        names.removeAll(QStringLiteral("filler"));
        return names;
    }

    QTemporaryDir base_;
    bool mounted_ = false;
};

QByteArray sample(qsizetype size, char seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) bytes[i] = char('a' + (i * 7 + seed) % 26);
    return bytes;
}

TEST_F(FullDiskTest, WriteFailsAndKeepsTheOldFileForEverySize) {
    const QString file = path("backup.txt");
    const QByteArray old = sample(5240, 1);
    // Below the save file's buffer, exactly its size, and above it.
    for (const qsizetype size : {qsizetype(100), qsizetype(16384), qsizetype(20000)}) {
        SCOPED_TRACE(size);
        writeBytesFile(file, old);
        fill();
        try {
            writeBytesFile(file, sample(size, 2));
            ADD_FAILURE() << "a save on a full disk reported success";
        } catch (const Failure& failure) {
            // The reason follows on the next line, in words, whatever size of
            // write ran out of room (one cut short by the disk has no text from Qt).
            EXPECT_EQ(failure.message(),
                      file + QStringLiteral(" に書き込めません。\r\n") + systemReason(ENOSPC))
                << failure.message().toStdString();
        }
        EXPECT_EQ(contents(file), old);
        EXPECT_EQ(strays({QStringLiteral("backup.txt")}), QStringList());
        unfill();
        // With room again the same save goes through.
        writeBytesFile(file, sample(size, 3));
        EXPECT_EQ(contents(file), sample(size, 3));
    }
}

TEST_F(FullDiskTest, TextAndListSavesKeepTheOldFile) {
    const QString text = path("qick1.txt");
    const QString list = path("bbs.txt");
    put(text, "old text\r\n");
    put(list, "http://a/\r\n");
    fill();
    EXPECT_THROW(writeTextFile(text, QStringLiteral("new\ntext")), Failure);
    EXPECT_THROW(writeItemList(list, {QStringLiteral("http://a/"), QStringLiteral("http://b/")}),
                 Failure);
    EXPECT_EQ(contents(text), QByteArray("old text\r\n"));
    EXPECT_EQ(contents(list), QByteArray("http://a/\r\n"));
    EXPECT_EQ(strays({QStringLiteral("qick1.txt"), QStringLiteral("bbs.txt")}), QStringList());
}

TEST_F(FullDiskTest, SettingsWriteKeepsEverySection) {
    // A settings file of many sections, the size of a well-used one.
    QByteArray ini;
    for (int s = 0; ini.size() < 13841; ++s) {
        ini += "[Form" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 20; ++k) {
            ini += "Key" + QByteArray::number(k) + "=" + sample(40, char(k)) + "\r\n";
        }
    }
    const QString file = path("Kirel.ini");
    put(file, ini);
    fill();
    try {
        Profile(file).writeInteger(QStringLiteral("Form1"), QStringLiteral("Form1Top"), 120);
        ADD_FAILURE() << "a settings write on a full disk reported success";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(),
                  file + QStringLiteral(" に書き込めません。\r\n") + systemReason(ENOSPC));
    }
    EXPECT_EQ(contents(file), ini);
    EXPECT_EQ(strays({QStringLiteral("Kirel.ini")}), QStringList());
}

}  // namespace
}  // namespace kirel
