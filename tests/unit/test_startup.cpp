#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/startup.h"
#include "platform/profile.h"
#include "platform/sjis.h"

using namespace kirel;

TEST(Startup, BoundsCorrections) {
    const QSize screen(1280, 900);
    WindowBounds b = correctBounds({-5, 50, 402, 623}, screen);
    EXPECT_EQ(b.top, 10);
    EXPECT_EQ(b.left, 50);
    b = correctBounds({100, 2000, 1200, 623}, screen);
    EXPECT_EQ(b.left, 10);
    EXPECT_EQ(b.height, 402);
    b = correctBounds({900, 1280, 900, 623}, screen);  // on the edge stays
    EXPECT_EQ(b.top, 900);
    EXPECT_EQ(b.left, 1280);
    EXPECT_EQ(b.height, 900);
}

TEST(Startup, QuotePaneAndHandleLimit) {
    EXPECT_EQ(correctQuoteHeight(89, 200, 402), 89);
    EXPECT_EQ(correctQuoteHeight(200, 200, 402), 201);
    EXPECT_EQ(correctQuoteHeight(300, 100, 403), 201);
    EXPECT_EQ(correctHandleMaxLen(100), 20);
    EXPECT_EQ(correctHandleMaxLen(-1), 20);
    EXPECT_EQ(correctHandleMaxLen(0), 0);
    EXPECT_EQ(correctHandleMaxLen(99), 99);
}

TEST(Startup, ToolFileName) {
    const auto exists = [](const QString& p) { return p == QStringLiteral("/save/post.txt"); };
    EXPECT_EQ(fileNamePart(QStringLiteral("C:\\tool\\post.txt")), QStringLiteral("post.txt"));
    EXPECT_EQ(fileNamePart(QStringLiteral("/home/u/post.txt")), QStringLiteral("post.txt"));
    EXPECT_EQ(
        toolFileName({QStringLiteral("/elsewhere/post.txt")}, QStringLiteral("/save"), exists),
        QStringLiteral("post.txt"));
    EXPECT_EQ(
        toolFileName({QStringLiteral("/elsewhere/other.txt")}, QStringLiteral("/save"), exists),
        QString());
    // The last non-empty argument counts.
    EXPECT_EQ(toolFileName({QStringLiteral("x/other.txt"), QStringLiteral("y/post.txt"), QString()},
                           QStringLiteral("/save"), exists),
              QStringLiteral("post.txt"));
    EXPECT_EQ(toolFileName({}, QStringLiteral("/save"), exists), QString());
    // No save folder: nothing is remembered.
    EXPECT_EQ(
        toolFileName({QStringLiteral("/post.txt")}, QString(), [](const QString&) { return true; }),
        QString());
}

TEST(Startup, ReadsAWindowsWrittenFileAndWritesShutdownKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Kirel.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sjis::toFile(
        QStringLiteral("[Form1]\nForm1Top=-5\nform1left=30\nTopMost=1\n[Form2]\nInyoufu=＞\n"
                       "[Form5]\nHnMax=150\nHnBack=様\n[Form10]\nCheck2=7\nMojiOK=1000\nFormColor="
                       "0x00FF00\nImagePath=\n")));
    f.close();
    const Profile ini(path);
    const StartupSettings s = readStartupSettings(ini, QStringLiteral("/app/"));
    EXPECT_EQ(s.top, -5);
    EXPECT_EQ(s.left, 30);
    EXPECT_TRUE(s.topMost);
    EXPECT_EQ(s.quoteMark, QStringLiteral("＞"));
    EXPECT_EQ(s.handleMaxLen, 150);
    EXPECT_EQ(s.handleSuffix, QStringLiteral("様"));
    EXPECT_EQ(s.handlePrefix, QStringLiteral(">"));
    EXPECT_EQ(s.board, 7);
    EXPECT_EQ(s.charLimit, 1000);
    EXPECT_EQ(s.formColor, 65280);
    EXPECT_TRUE(s.imagePath.isEmpty());  // present but empty: not the default

    writeShutdownSettings(ini, {10, 20, 402, 623, 89, QStringLiteral("＞"), false, 480, -1});
    EXPECT_EQ(ini.readInteger(QStringLiteral("Form1"), QStringLiteral("Form1Top"), 0), 10);
    EXPECT_EQ(ini.readInteger(QStringLiteral("Form1"), QStringLiteral("RichEdit1widthBBS3"), 0),
              480);
    EXPECT_FALSE(ini.readBool(QStringLiteral("Form1"), QStringLiteral("TopMost"), true));
    // The file stays Shift-JIS with CR LF.
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("Inyoufu=\x81\x84\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));
}

TEST(Startup, DefaultsWithoutAFile) {
    QTemporaryDir dir;
    const StartupSettings s = readStartupSettings(
        Profile(dir.filePath(QStringLiteral("Kirel.ini"))), QStringLiteral("/app/"));
    EXPECT_EQ(s.top, 100);
    EXPECT_EQ(s.left, 50);
    EXPECT_EQ(s.width, 623);
    EXPECT_EQ(s.height, 402);
    EXPECT_EQ(s.formColor, 15909506);
    EXPECT_EQ(s.board, 0);
    EXPECT_EQ(s.charLimit, 0);
    EXPECT_EQ(s.imagePath, QStringLiteral("/app//images/pirumi.bmp"));
    EXPECT_EQ(s.handleSuffix, QStringLiteral("さん"));
}
