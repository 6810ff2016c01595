// Board profiles, board selection, the preview page and the address list.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/settingskeys.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/sjis.h"
#include "preview/addresslist.h"
#include "preview/boards.h"
#include "preview/boardselection.h"
#include "preview/previewpage.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace kirel::preview;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Keys of the settings file in file order, "Section/Key=Value".
QStringList iniLines(const QString& path) {
    QStringList out;
    QString section;
    const QString text = sjis::fromFile(readAll(path));
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('['))) {
            section = line.mid(1, line.size() - 2);
        } else {
            out << section + QLatin1Char('/') + line;
        }
    }
    return out;
}

class Folder {
  public:
    Folder() : appDir(dir.path() + QLatin1Char('/')) {}
    QString ini() const { return appDir + QStringLiteral("Kirel.ini"); }
    QString page() const { return appDir + QStringLiteral("0.htm"); }
    QTemporaryDir dir;
    QString appDir;
};

// The pages of the three boards with their default settings and the post "abc",
// as the boards' users know them.
const QString kBoard1Page = QString::fromUtf8(
    R"(<BODY bgcolor="#FCBED3"><DIV ALIGN="Center">)"
    R"(<Table border="0" cellspacing="0" cellpadding="0" width="725 bgcolor="#8080FF">)"
    R"(<TR Align="Left"><TD><FONT size="1"><BR></FONT>)"
    R"(<Table width="95%" border="0" cellspacing="2" cellpadding="0" bgcolor="#8080FF" )"
    R"(bordercolorlight=" bgcolor="#8080FF>)"
    R"(<TR bgcolor="#FFFFFF"><TD><Table width=100% border=0 vspace="0" hspace="0">)"
    R"(<TR bgcolor="#8080FF"><TD><FONT color="#FFFFFF" size="+1"><B>投稿内容の確認表示</B>)"
    R"(</FONT></TD></TR></Table><Blockquote><BR><FONT color="#000000">abc</FONT></Blockquote>)"
    R"(<BR></TD></TR></Table><FONT size="1"><BR></FONT></TD></TR></Table></DIV></BODY>)");

const QString kBoard2Page = QString::fromUtf8(
    R"(<BODY bgcolor="#A7ABFC"><DIV ALIGN="Center">)"
    R"(<Table border="0" cellspacing="0" cellpadding="0" width="725 bgcolor="#8080FF">)"
    R"(<TR Align="Left"><TD><FONT size="1"><BR></FONT>)"
    R"(<Table width="95%" border="0" cellspacing="2" cellpadding="0" bgcolor="#8080FF" )"
    R"(bordercolorlight=" bgcolor="#8080FF>)"
    R"(<TR bgcolor="#FCBED3"><TD><Table width=100% border=0 vspace="0" hspace="0">)"
    R"(<TR bgcolor="#8080FF"><TD><FONT color="#FFFFFF" size="+1"><B>投稿内容の確認表示</B>)"
    R"(</FONT></TD></TR></Table><Blockquote><BR><FONT color="#FFFFFF">abc</FONT></Blockquote>)"
    R"(<BR></TD></TR></Table><FONT size="1"><BR></FONT></TD></TR></Table></DIV></BODY>)");

// %1: the background picture.
const QString kBoard3Page = QString::fromUtf8(
    R"(<BODY bgcolor="#FFFFFF" background="%1"><DIV ALIGN="Center">)"
    R"(<Table border="0" cellspacing="0" cellpadding="0" width="725">)"
    R"(<TR Align="Left"><TD><FONT size="1"><BR></FONT>)"
    R"(<Table width="95%" border="0" cellspacing="2" cellpadding="0"" bordercolorlight=">)"
    R"(<TR ><TD><Table width=100% border=0 vspace="0" hspace="0">)"
    R"(<TR bgcolor="#8080FF"><TD><FONT color="#FFFFFF" size="+1"><B>投稿内容の確認表示</B>)"
    R"(</FONT></TD></TR></Table><Blockquote><BR><FONT color="#000000">abc</FONT></Blockquote>)"
    R"(<BR></TD></TR></Table><FONT size="1"><BR></FONT></TD></TR></Table></DIV></BODY>)");

QString defaultPage(int board, const QString& appDir, const QString& body = QStringLiteral("abc")) {
    return assemblePage(normalized(pageSettingsOf(boardDefaults(board, appDir))), body);
}

}  // namespace

// --- page assembly ---------------------------------------------------------------

TEST(PreviewPage, DefaultBoardsByteForByte) {
    const QString appDir = QStringLiteral("/opt/Kirel/");
    EXPECT_EQ(defaultPage(1, appDir), kBoard1Page);
    EXPECT_EQ(defaultPage(2, appDir), kBoard2Page);
    // The board 3 picture keeps the doubled separator after the folder.
    EXPECT_EQ(defaultPage(3, appDir), kBoard3Page.arg("/opt/Kirel//user/Background.jpg"));
}

TEST(PreviewPage, FrameOnWithoutCellColour) {
    BoardProfile p = boardDefaults(3, QStringLiteral("/a/"));
    p.frame = true;
    p.image.clear();
    const QString page = assemblePage(normalized(pageSettingsOf(p)), QStringLiteral("x"));
    EXPECT_TRUE(page.startsWith(QStringLiteral("<BODY bgcolor=\"#FFFFFF\"><DIV")));
    EXPECT_TRUE(page.contains(QStringLiteral("width=\"725 bgcolor=\"#8080FF\">")));
    EXPECT_TRUE(
        page.contains(QStringLiteral("\" bordercolorlight=\" bgcolor=\"#8080FF><TR ><TD>")));
}

TEST(PreviewPage, ColourNormalisation) {
    EXPECT_EQ(normalizeColor(QStringLiteral("FF0000")), QStringLiteral("#FF0000"));
    EXPECT_EQ(normalizeColor(QStringLiteral("#00ff00")), QStringLiteral("#00ff00"));
    EXPECT_EQ(normalizeColor(QString()), QStringLiteral("#"));

    PageSettings s;
    s.textColor = QStringLiteral("112233");
    s.cellColor = QString();
    s.frameColor = QStringLiteral("#8080FF");
    s.backColor = QStringLiteral("ABCDEF");
    s.image = QStringLiteral("pic.jpg");
    const PageSettings n = normalized(s);
    EXPECT_EQ(n.textColor, QStringLiteral("#112233"));
    EXPECT_EQ(n.cellColor, QStringLiteral("#"));
    EXPECT_EQ(n.frameColor, QStringLiteral("#8080FF"));
    EXPECT_EQ(n.backColor, QStringLiteral("#ABCDEF"));
    EXPECT_EQ(n.image, QStringLiteral("pic.jpg"));

    EXPECT_EQ(frameAttribute(QStringLiteral("#")), QString());
    EXPECT_EQ(frameAttribute(QStringLiteral("#123456")), QStringLiteral(" bgcolor=\"#123456"));
}

TEST(PreviewPage, PreferencesValuesGiveTheSamePage) {
    // The preferences dialog passes its fields unnormalised and tests for empty.
    const PageSettings fromDialog{QStringLiteral("#000000"), QString(), QString(),
                                  QStringLiteral("#FFFFFF"), QString(), 500};
    const QString a = assemblePage(fromDialog, QStringLiteral("t"), NoColor::Empty);
    const QString b = assemblePage(normalized(fromDialog), QStringLiteral("t"));
    EXPECT_EQ(a, b);
    EXPECT_TRUE(a.contains(QStringLiteral("width=\"500\"><TR Align")));
    EXPECT_TRUE(a.contains(QStringLiteral("<TR ><TD>")));
}

TEST(PreviewPage, BodyConversion) {
    EXPECT_EQ(previewBodyFrom(QStringLiteral("a\nb")), QStringLiteral("a<BR>b"));
    EXPECT_EQ(previewBodyFrom(QStringLiteral("\n\n")), QStringLiteral("<BR><BR>"));
    // Tags stay live; nothing is escaped.
    EXPECT_EQ(previewBodyFrom(QStringLiteral("<B>x</B> & <")), QStringLiteral("<B>x</B> & <"));
}

TEST(PreviewPage, GeneratedFromTheSettingsFile) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    // No settings file: the defaults of the current-board keys are board 1's.
    const QString path = generatePreview(f.appDir, QStringLiteral("abc"));
    EXPECT_EQ(path, f.page());
    EXPECT_EQ(readAll(path), sjis::encode(kBoard1Page));
    EXPECT_TRUE(prompter.shown.isEmpty());

    // Colours without "#" and empty ones are normalised; the file is Shift-JIS,
    // and a character Shift-JIS lacks is written as a character reference.
    writeAll(f.ini(),
             "[Form10]\r\nFColor=FF0000\r\nCColor=\r\nWaku=\r\nHaikei=000000\r\n"
             "CellWidth=x\r\nBackground=C:\\pic.jpg\r\n");
    generatePreview(f.appDir, QString::fromUtf8("確認<BR>😀"));
    const QByteArray bytes = readAll(f.page());
    EXPECT_TRUE(bytes.startsWith("<BODY bgcolor=\"#000000\" background=\"C:\\pic.jpg\">"));
    EXPECT_TRUE(bytes.contains("cellpadding=\"0\" width=\"725\">"));
    EXPECT_TRUE(bytes.contains("cellpadding=\"0\"\" bordercolorlight=\"><TR ><TD>"));
    EXPECT_TRUE(bytes.contains("<FONT color=\"#FF0000\">\x8a\x6d\x94\x46<BR>&#128512;</FONT>"));
}

TEST(PreviewPage, FailedWriteIsReportedAndThePathStillReturned) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    const QString missing = f.appDir + QStringLiteral("gone/");
    QByteArray written = "before";
    EXPECT_EQ(generatePreview(missing, QStringLiteral("x"), &written),
              missing + QStringLiteral("0.htm"));
    EXPECT_TRUE(written.isEmpty());
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("0.htm")));
}

// A page shown again unchanged is not loaded again only when nothing it draws
// comes from elsewhere; any doubt means loading it again.
TEST(PreviewPage, PagesThatDrawFromElsewhere) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    QByteArray written;
    generatePreview(f.appDir, QString::fromUtf8("今日は<B>返信</B>します。abc 123 ｱｲｳ<BR>"),
                    &written);
    EXPECT_EQ(written, readAll(f.page()));
    EXPECT_FALSE(pageNamesOtherFiles(written));
    for (const char* tag :
         {"<IMG SRC=\"http://127.0.0.1/a.png\">", "<img src=a.png>", "<body BackGround=x.jpg>",
          "<object data=x.swf>", "<LINK rel=stylesheet href=a.css>", "<meta http-equiv=refresh>",
          "<p style=\"background:URL(x)\">", "<style>@import 'a.css';</style>", "<embed src=x>",
          "<iframe src=x>", "<base href=http://x/>"}) {
        EXPECT_TRUE(pageNamesOtherFiles(written + tag)) << tag;
    }
    // The board's background picture is named by the page itself.
    writeAll(f.ini(), "[Form10]\r\nBackground=pic.jpg\r\n");
    generatePreview(f.appDir, QStringLiteral("abc"), &written);
    EXPECT_TRUE(pageNamesOtherFiles(written));
}

// --- board selection -------------------------------------------------------------

namespace {

struct FakeHost final : BoardHost {
    int width = 600;
    int checked = 0;
    bool showing = false;
    QStringList calls;
    int editPaneWidth() const override { return width; }
    void setEditPaneWidth(int w) override {
        width = w;
        calls << QStringLiteral("width %1").arg(w);
    }
    void checkBoard(int board) override {
        checked = board;
        calls << QStringLiteral("check %1").arg(board);
    }
    bool previewShowing() const override { return showing; }
    void showPreview(const QString& path) override { calls << QStringLiteral("show ") + path; }
    void setCharLimit(int limit) override { calls << QStringLiteral("limit %1").arg(limit); }
};

}  // namespace

TEST(BoardSelection, SwitchingWritesInOrder) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    FakeHost host;
    selectBoard(1, 2, {f.appDir, QString()}, host);

    EXPECT_EQ(iniLines(f.ini()),
              QStringList({"Form1/RichEdit1width=600", "Form1/RichEdit1widthBBS2=600",
                           "Form10/FColor=#000000", "Form10/CColor=#FFFFFF",
                           "Form10/Haikei=#FCBED3", "Form10/Waku=#8080FF", "Form10/Background=",
                           "Form10/CellWidth=725", "Form10/Check2=0", "Form10/MojiOK=0"}));
    // The remembered width of board 1 is missing: 520.
    EXPECT_EQ(host.calls, QStringList({"check 1", "width 520", "limit 0"}));
    EXPECT_FALSE(QFile::exists(f.page()));
}

TEST(BoardSelection, ProfileValuesBecomeCurrent) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    writeAll(f.ini(),
             "[Form10]\r\nF3Color=#111111\r\nC3Color=#222222\r\nHaikei3=#333333\r\n"
             "Background3=\r\nMOJISU3=\r\nCELL3=0x100\r\nWaku3=1\r\n"
             "[Form1]\r\nRichEdit1widthBBS3=333\r\n");
    FakeHost host;
    selectBoard(3, 0, {f.appDir, QString()}, host);
    const Profile ini(f.ini());
    EXPECT_EQ(ini.readString(keys::kShared, "FColor", "?"), QStringLiteral("#111111"));
    EXPECT_EQ(ini.readString(keys::kShared, "CColor", "?"), QStringLiteral("#222222"));
    EXPECT_EQ(ini.readString(keys::kShared, "Haikei", "?"), QStringLiteral("#333333"));
    EXPECT_EQ(ini.readString(keys::kShared, "Waku", "?"), QStringLiteral("#8080FF"));
    EXPECT_EQ(ini.readString(keys::kShared, "Background", "?"), QString());
    EXPECT_EQ(ini.readInteger(keys::kShared, "CellWidth", 0), 256);
    EXPECT_EQ(ini.readInteger(keys::kShared, "Check2", 0), 2);
    // An empty limit reads as the default of board 3.
    EXPECT_EQ(ini.readInteger(keys::kShared, "MojiOK", 0), 3000);
    // Nothing was checked before: no width is remembered for any board.
    EXPECT_EQ(ini.readInteger(keys::kMainWindow, "RichEdit1width", -1), -1);
    EXPECT_EQ(host.calls, QStringList({"check 3", "width 333", "limit 3000"}));

    // Frame off: the frame colour is the cell colour as stored, empty included.
    writeAll(f.ini(), "[Form10]\r\nWaku1=0\r\nC1Color=\r\n");
    selectBoard(1, 3, {f.appDir, QString()}, host);
    EXPECT_EQ(ini.readString(keys::kShared, "Waku", "?"), QString());
    EXPECT_EQ(ini.readString(keys::kShared, "CColor", "?"), QString());
}

TEST(BoardSelection, SameBoardChangesNothing) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    FakeHost host;
    host.showing = true;
    selectBoard(2, 2, {f.appDir, QStringLiteral("abc")}, host);
    EXPECT_FALSE(QFile::exists(f.ini()));
    EXPECT_FALSE(QFile::exists(f.page()));
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST(BoardSelection, RefreshesTheShowingPreviewFromTheProfile) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    // A cell colour written without "#" is normalised in the page only.
    writeAll(f.ini(), "[Form10]\r\nC2Color=FCBED3\r\n");
    FakeHost host;
    host.showing = true;
    selectBoard(2, 1, {f.appDir, QStringLiteral("abc")}, host);
    EXPECT_EQ(readAll(f.page()), sjis::encode(kBoard2Page));
    EXPECT_EQ(Profile(f.ini()).readString(keys::kShared, "CColor", "?"), QStringLiteral("FCBED3"));
    EXPECT_EQ(host.calls, QStringList({"check 2", "width 520", "show " + f.page(), "limit 1000"}));
}

TEST(BoardSelection, FailedWriteStopsTheSelection) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    // A folder in the place of the settings file: every write fails, also as root.
    ASSERT_TRUE(QDir(f.appDir).mkdir(QStringLiteral("Kirel.ini")));
    FakeHost host;
    EXPECT_THROW(selectBoard(1, 2, {f.appDir, QString()}, host), Failure);
    EXPECT_TRUE(host.calls.isEmpty());
    // Nothing checked before: the first failing write is that of the current board.
    EXPECT_THROW(selectBoard(1, 0, {f.appDir, QString()}, host), Failure);
    EXPECT_EQ(host.calls, QStringList({"check 1", "width 520"}));
}

// --- address list ----------------------------------------------------------------

TEST(AddressList, FirstShowingCreatesAnEmptyFile) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    QDir(f.appDir).mkdir(QStringLiteral("user"));
    const QString path = f.appDir + kAddressListFile;
    const LoadResult r = loadAddressList(path);
    EXPECT_EQ(r.outcome, LoadResult::Loaded);
    EXPECT_TRUE(r.items.isEmpty());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(readAll(path), QByteArray());

    writeAll(path, "http://a/\r\nhttp://b/\n\x82\xa0");
    EXPECT_EQ(loadAddressList(path).items,
              QStringList({"http://a/", "http://b/", QString::fromUtf8("あ")}));
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST(AddressList, MissingFolderAbandonsTheSetUp) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    const LoadResult r = loadAddressList(f.appDir + kAddressListFile);
    EXPECT_EQ(r.outcome, LoadResult::Abandon);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::Error);
}

// Adding twice is covered with the address box in the window test; here the
// refusals and the failed save.
TEST(AddressList, AddRefusedOrNotSaved) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    QStringList items;
    EXPECT_FALSE(addAddress(items, QString(), f.appDir + "bbs.txt"));
    EXPECT_EQ(prompter.last(), kNothingToAdd);
    EXPECT_EQ(prompter.shown.last().icon, Icon::Warning);
    EXPECT_FALSE(QFile::exists(f.appDir + "bbs.txt"));

    // A failed save: the failure instead of the confirmation; the item stays.
    prompter.clear();
    EXPECT_TRUE(addAddress(items, QStringLiteral("ftp://y/"), f.appDir + "none/bbs.txt"));
    EXPECT_EQ(items, QStringList({"ftp://y/"}));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_NE(prompter.last(), kAdded);
}

TEST(AddressList, SeveralLinesAddTheFirstOnly) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    QStringList items;
    EXPECT_TRUE(addAddress(items, QStringLiteral("http://a/\r\nhttp://b/"), f.appDir + "bbs.txt"));
    EXPECT_TRUE(addAddress(items, QStringLiteral("http://c/\rx\ny"), f.appDir + "bbs.txt"));
    EXPECT_EQ(items, QStringList({"http://a/", "http://c/"}));
    EXPECT_EQ(readAll(f.appDir + "bbs.txt"), QByteArray("http://a/\r\nhttp://c/\r\n"));
    EXPECT_EQ(firstLine(QStringLiteral("\nhttp://a/")), QString());
    EXPECT_FALSE(addAddress(items, QStringLiteral("\nhttp://a/"), f.appDir + "bbs.txt"));
    EXPECT_EQ(prompter.last(), kNothingToAdd);
}

TEST(AddressList, Delete) {
    kirel::test::ScriptedPrompter prompter;
    Folder f;
    const QString path = f.appDir + QStringLiteral("bbs.txt");
    QStringList items{"http://a/", "http://b/", "http://a/"};

    EXPECT_EQ(deleteAddress(items, 0, QString(), path), -1);
    EXPECT_EQ(prompter.last(), kNothingToDelete);

    // Typed text that is no item: nothing to delete, nothing asked.
    prompter.clear();
    EXPECT_EQ(deleteAddress(items, 1, QStringLiteral("http://c/"), path), -1);
    EXPECT_EQ(prompter.texts(), QStringList({kNothingToDelete}));

    // No: nothing changes.
    prompter.clear();
    EXPECT_EQ(deleteAddress(items, 1, QStringLiteral("http://b/"), path), -1);
    EXPECT_EQ(items.size(), 3);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.shown[0].isQuestion);
    EXPECT_EQ(prompter.shown[0].text, kDeleteQuestion);

    // The selected one of two equal items goes.
    prompter.answers.enqueue(true);
    EXPECT_EQ(deleteAddress(items, 2, QStringLiteral("http://a/"), path), 2);
    EXPECT_EQ(readAll(path), QByteArray("http://a/\r\nhttp://b/\r\n"));
    // With the selection elsewhere, the first item equal to the text.
    prompter.answers.enqueue(true);
    EXPECT_EQ(deleteAddress(items, 0, QStringLiteral("http://b/"), path), 1);
    EXPECT_EQ(readAll(path), QByteArray("http://a/\r\n"));
}
