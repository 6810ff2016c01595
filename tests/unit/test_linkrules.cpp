// Rules of the link and image dialog: pre-filling, tags, the browser's reply,
// and the two list files kept in step.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/windowinfo.h"
#include "decoration/linkrules.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace kirel::link;

namespace {

using Focus = Prefill::Focus;

void expectPrefill(const Prefill& p, const QString& address, const QString& comment, Focus focus) {
    EXPECT_EQ(p.address, address);
    EXPECT_EQ(p.comment, comment);
    EXPECT_EQ(p.focus, focus);
}

}  // namespace

TEST(LinkPrefill, ExistingLinkIsTakenApart) {
    const QString none;
    expectPrefill(prefill(QStringLiteral("<A href=\"http://a.jp/\">日記</A>"), none),
                  QStringLiteral("http://a.jp/"), QStringLiteral("日記"), Focus::Address);
    // Lower case, ending in "</a>".
    expectPrefill(prefill(QStringLiteral("<a href=\"http://a.jp/\">日記</a> more"), none),
                  QStringLiteral("http://a.jp/"), QStringLiteral("日記"), Focus::Address);
    // A further attribute stays with the address, up to the first `">`...
    expectPrefill(prefill(QStringLiteral("<A href=\"http://a.jp/\" title=\"x\">日記</A>"), none),
                  QStringLiteral("http://a.jp/\" title=\"x"), QStringLiteral("日記"),
                  Focus::Address);
    // ...except the one a link to a new window is made with: it ticks that box,
    // and the link is made again as it was.
    const QString newWindowLink =
        QStringLiteral("<A href=\"http://a.jp/\" target=\"_blank\">日記</A>");
    const Prefill p = prefill(newWindowLink, none);
    expectPrefill(p, QStringLiteral("http://a.jp/"), QStringLiteral("日記"), Focus::Address);
    EXPECT_TRUE(p.newWindow);
    EXPECT_EQ(linkTag(p.address, p.comment, p.newWindow), newWindowLink);
    // `">` within the first nine characters: nothing is taken.
    expectPrefill(prefill(QStringLiteral("<a href\">x</a>"), none), QString(), QString(),
                  Focus::Address);
    // An empty address is still a link taken apart.
    expectPrefill(prefill(QStringLiteral("<A href=\"\">x</A>"), none), QString(),
                  QStringLiteral("x"), Focus::Address);
    // Without a closing tag the comment is the rest of the selection.
    expectPrefill(prefill(QStringLiteral("<A href=\"h\">rest"), none), QStringLiteral("h"),
                  QStringLiteral("rest"), Focus::Address);
}

TEST(LinkPrefill, SelectionAndClipboard) {
    const QString clip = QStringLiteral("http://clip.jp/");
    // "www" is completed; the comment box gets the focus.
    expectPrefill(prefill(QStringLiteral("www.a.jp/x"), clip), QStringLiteral("http://www.a.jp/x"),
                  QString(), Focus::Comment);
    // Any of the markers anywhere: the whole selection is the address.
    expectPrefill(prefill(QStringLiteral("see ftp://a.jp"), clip), QStringLiteral("see ftp://a.jp"),
                  QString(), Focus::Comment);
    // Plain text is the comment, "http" waits in the address box.
    expectPrefill(prefill(QStringLiteral("こちら"), clip), QStringLiteral("http"),
                  QStringLiteral("こちら"), Focus::Address);
    // Nothing selected: an address on the clipboard, even one holding "file" later on.
    expectPrefill(prefill(QString(), QStringLiteral("http://a.jp/file/ftp")),
                  QStringLiteral("http://a.jp/file/ftp"), QString(), Focus::Comment);
    // Other clipboard text, capitals included, is ignored.
    expectPrefill(prefill(QString(), QStringLiteral("HTTP://A.JP/")), QString(), QString(),
                  Focus::Address);
    expectPrefill(prefill(QString(), QStringLiteral("www.a.jp")), QString(), QString(),
                  Focus::Address);
    // An address copied over two lines keeps its first line, as every one-line
    // field does.
    expectPrefill(prefill(QString(), QStringLiteral("http://a.jp/long/\r\npath")),
                  QStringLiteral("http://a.jp/long/"), QString(), Focus::Comment);
}

TEST(LinkPrefill, CopiedAddressTakesTheAddressBox) {
    // Opened for a copied address: the selected words stay the comment.
    expectPrefill(prefill(QStringLiteral("こちら"), QString(), QStringLiteral("http://c.jp/")),
                  QStringLiteral("http://c.jp/"), QStringLiteral("こちら"), Focus::Comment);
    expectPrefill(prefill(QStringLiteral("<A href=\"http://old/\">古い</A>"), QString(),
                          QStringLiteral("http://new/")),
                  QStringLiteral("http://new/"), QStringLiteral("古い"), Focus::Comment);
}

TEST(LinkTag, ImageRuleAndChoices) {
    EXPECT_TRUE(isImageAddress(QStringLiteral("http://a.jp/b.jpg")));
    EXPECT_TRUE(isImageAddress(QStringLiteral("x.gif")));
    EXPECT_TRUE(isImageAddress(QStringLiteral("http://a.jp/b.png?size=2")));
    EXPECT_FALSE(isImageAddress(QStringLiteral("http://a.jp/b.JPG")));
    EXPECT_FALSE(isImageAddress(QStringLiteral(".bmp")));  // not from the second character on

    TagChoice c;
    c.address = QStringLiteral("http://a.jp/b.gif");
    c.comment = QStringLiteral("絵");
    TagResult r = generateTag(c);
    EXPECT_EQ(r.tag, QStringLiteral("<A href=\"http://a.jp/b.gif\">絵</A>"));
    EXPECT_TRUE(r.imageAddress);
    EXPECT_TRUE(r.imageEnabled);

    c.image = true;
    EXPECT_EQ(generateTag(c).tag, QStringLiteral("<IMG src=\"http://a.jp/b.gif\" alt=\"絵\">"));
    c.align = Align::Left;
    EXPECT_EQ(generateTag(c).tag,
              QStringLiteral("<IMG src=\"http://a.jp/b.gif\" align=\"left\" alt=\"絵\">"));
    c.align = Align::Right;
    EXPECT_EQ(generateTag(c).tag,
              QStringLiteral("<IMG src=\"http://a.jp/b.gif\" align=\"right\" alt=\"絵\">"));

    // Ticked, then the address is no image address: a link, the image box disabled.
    c.address = QStringLiteral("http://a.jp/b.JPG");
    r = generateTag(c);
    EXPECT_EQ(r.tag, QStringLiteral("<A href=\"http://a.jp/b.JPG\">絵</A>"));
    EXPECT_FALSE(r.imageAddress);
    EXPECT_FALSE(r.imageEnabled);

    // A new window: the image box cannot be used; text is inserted unescaped.
    c = TagChoice();
    c.address = QStringLiteral("http://a.jp/b.png");
    c.comment = QStringLiteral("<b>&</b>");
    c.newWindow = true;
    r = generateTag(c);
    EXPECT_EQ(r.tag,
              QStringLiteral("<A href=\"http://a.jp/b.png\" target=\"_blank\"><b>&</b></A>"));
    EXPECT_FALSE(r.imageEnabled);
    EXPECT_EQ(generateTag(TagChoice()).tag, kEmptyLink);
}

TEST(LinkTag, AddressCannotEndItsAttributeAndIsNeverCut) {
    // Quotes and angle brackets of a copied address are written as a browser
    // would read them anyway; the comment stays HTML.
    TagChoice c;
    c.address = QStringLiteral("http://x/a.png\" onerror=\"alert(1)");
    c.comment = QStringLiteral("<b>\"絵\"</b>");
    EXPECT_EQ(
        generateTag(c).tag,
        QStringLiteral("<A href=\"http://x/a.png%22 onerror=%22alert(1)\"><b>\"絵\"</b></A>"));
    c.image = true;
    c.address = QStringLiteral("http://x/<script>.gif");
    EXPECT_EQ(generateTag(c).tag,
              QStringLiteral("<IMG src=\"http://x/%3Cscript%3E.gif\" alt=\"<b>\"絵\"</b>\">"));
    // Commas, ampersands and everything else stay as they are.
    EXPECT_EQ(tagAddress(QStringLiteral("http://h/a,b.html?x=1&y=2#z")),
              QStringLiteral("http://h/a,b.html?x=1&y=2#z"));

    // A 100,000-character address keeps its end: it is still an image address
    // and the tag holds all of it.
    c = TagChoice();
    c.address =
        QStringLiteral("http://h/") + QString(100000, QLatin1Char('a')) + QStringLiteral(".png");
    c.comment = QStringLiteral("c");
    c.image = true;
    const TagResult r = generateTag(c);
    EXPECT_TRUE(r.imageEnabled);
    EXPECT_EQ(r.tag, QStringLiteral("<IMG src=\"") + c.address + QStringLiteral("\" alt=\"c\">"));
}

TEST(LinkReply, AnAddressWithCommasComesBackWhole) {
    // The browser tab writes the reply's address with its commas as %2C, so the
    // cut at the first comma gives the whole address.
    for (const QString& address :
         {QStringLiteral("http://h/a,b.html"), QStringLiteral("http://h/x?a=1,2,3"),
          QStringLiteral("file:///ホーム/a,,b.htm"), QStringLiteral("http://h/")}) {
        QString expected = address;
        expected.replace(QLatin1Char(','), QStringLiteral("%2C"));
        EXPECT_EQ(addressFromReply(windowinfo::reply(address, QStringLiteral("題, 副題"))),
                  expected)
            << address.toStdString();
    }
}

TEST(LinkReply, AddressIsCutBeforeTheFirstComma) {
    EXPECT_EQ(addressFromReply(QStringLiteral("\"http://a.jp/page.html\",\"タイトル, 副題\"")),
              QStringLiteral("http://a.jp/page.html"));
    EXPECT_EQ(addressFromReply(QStringLiteral("\"http://a.jp/\"")), QString());  // no comma
    // A comma inside the address: the character before it goes too.
    EXPECT_EQ(addressFromReply(QStringLiteral("\"http://a.jp/x?a=1,2\",\"t\"")),
              QStringLiteral("http://a.jp/x?a="));
    EXPECT_EQ(addressFromReply(QStringLiteral("\"\",\"t\"")), QString());
    EXPECT_EQ(addressFromReply(QStringLiteral(",")), QString());
    EXPECT_EQ(addressFromReply(QString()), QString());
    // Counted in characters: a character outside the basic plane is not cut in half.
    EXPECT_EQ(addressFromReply(QStringLiteral("\"file:///😀/x😀\",\"t\"")),
              QStringLiteral("file:///😀/x😀"));
}

class LinkLists : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString appDir;
    test::ScriptedPrompter prompter;

    void SetUp() override {
        appDir = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir(appDir).mkdir(QStringLiteral("user")));
    }
    QByteArray file(const QString& name) const {
        QFile f(appDir + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(appDir + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

TEST_F(LinkLists, AddAndDeleteKeepTheFilesInStep) {
    // Shift-JIS, any line ending on reading.
    write(kTitleListFile, QByteArray("\x93\xfa\x8b\x4c\r\nB\n"));  // 日記, B
    write(kAddressListFile, QByteArray("http://a/\r\nhttp://b/\r"));
    Lists lists = loadLists(appDir);
    EXPECT_EQ(lists.titles, (QStringList{QStringLiteral("日記"), QStringLiteral("B")}));
    EXPECT_EQ(lists.addresses,
              (QStringList{QStringLiteral("http://a/"), QStringLiteral("http://b/")}));

    EXPECT_TRUE(addEntry(lists, QStringLiteral("C\nc"), QStringLiteral("http://c/"), appDir));
    EXPECT_EQ(prompter.last(), kAdded);
    EXPECT_EQ(prompter.shown.last().icon, Icon::None);
    EXPECT_EQ(file(kTitleListFile), QByteArray("\x93\xfa\x8b\x4c\r\nB\r\nC\r\n"));
    EXPECT_EQ(file(kAddressListFile), QByteArray("http://a/\r\nhttp://b/\r\nhttp://c/\r\n"));

    // An empty title or address: the warning, nothing written.
    prompter.clear();
    EXPECT_FALSE(addEntry(lists, QString(), QStringLiteral("http://d/"), appDir));
    EXPECT_FALSE(addEntry(lists, QStringLiteral("D"), QString(), appDir));
    EXPECT_EQ(prompter.texts(), (QStringList{kAddIncomplete, kAddIncomplete}));
    EXPECT_EQ(prompter.shown[0].icon, Icon::Warning);
    EXPECT_EQ(lists.titles.size(), 3);

    // Delete asks; No keeps everything, Yes removes the chosen position from both.
    prompter.clear();
    EXPECT_FALSE(deleteEntry(lists, 1, 1, appDir));
    EXPECT_EQ(prompter.last(), kDeleteQuestion);
    EXPECT_TRUE(prompter.shown.last().isQuestion);
    prompter.answers << true;
    EXPECT_TRUE(deleteEntry(lists, 1, 1, appDir));
    EXPECT_EQ(file(kTitleListFile), QByteArray("\x93\xfa\x8b\x4c\r\nC\r\n"));
    EXPECT_EQ(file(kAddressListFile), QByteArray("http://a/\r\nhttp://c/\r\n"));
    // Nothing chosen: nothing deleted.
    prompter.answers << true;
    EXPECT_TRUE(deleteEntry(lists, -1, -1, appDir));
    EXPECT_EQ(lists.addresses.size(), 2);
    EXPECT_EQ(file(kAddressListFile), QByteArray("http://a/\r\nhttp://c/\r\n"));
}

TEST_F(LinkLists, FailedWritesLeaveTheFilesInStep) {
    write(kTitleListFile, QByteArray("A\r\n"));
    write(kAddressListFile, QByteArray("http://a/\r\n"));
    Lists lists = loadLists(appDir);
    // The address file cannot be replaced (a folder stands in its way): the
    // title file is put back, the lists keep the new entry, the error is shown.
    ASSERT_TRUE(QFile::remove(appDir + kAddressListFile));
    ASSERT_TRUE(QDir(appDir).mkdir(kAddressListFile));
    EXPECT_TRUE(addEntry(lists, QStringLiteral("B"), QStringLiteral("http://b/"), appDir));
    EXPECT_EQ(file(kTitleListFile), QByteArray("A\r\n"));
    EXPECT_EQ(lists.titles.size(), 2);
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_TRUE(prompter.last().contains(QStringLiteral("url.txt")));
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);

    // A list file that cannot be read: its error, and both lists empty.
    prompter.clear();
    lists = loadLists(appDir);
    EXPECT_TRUE(lists.titles.isEmpty());
    EXPECT_TRUE(lists.addresses.isEmpty());
    EXPECT_EQ(prompter.shown.size(), 1);
    // After that failed load, add and delete are refused naming the file: the
    // title file is not replaced by the empty list shown plus the new entry.
    prompter.clear();
    EXPECT_FALSE(addEntry(lists, QStringLiteral("B"), QStringLiteral("http://b/"), appDir));
    prompter.answers << true;
    EXPECT_FALSE(deleteEntry(lists, 0, 0, appDir));
    EXPECT_EQ(prompter.shown.size(), 2);
    EXPECT_TRUE(prompter.last().contains(QStringLiteral("url.txt")));
    EXPECT_EQ(file(kTitleListFile), QByteArray("A\r\n"));
}
