// The decoration tags: the one composition rule for every combination of the
// five decorations, the colour text, the list texts, the sample's colours and
// picture, the font box, and the rule file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/colors.h"
#include "decoration/decorationtags.h"
#include "decoration/rules.h"
#include "platform/sjis.h"

using namespace kirel;
using namespace kirel::decoration;

namespace {

// Each code's tag around "X": colour #0080FF, size +1, style bold, scrolling
// back and forth at 50 %, face ＭＳ Ｐゴシック.
const struct {
    int code;
    const char16_t* tag;
} kCombinations[] = {
    {0, u"X"},
    {1, u"<FONT color=\"#0080FF\">X</FONT>"},
    {2, u"<FONT size=\"+1\">X</FONT>"},
    {3, u"<FONT color=\"#0080FF\" size=\"+1\">X</FONT>"},
    {5, u"<B>X</B>"},
    {6, u"<B><FONT color=\"#0080FF\">X</FONT></B>"},
    {7, u"<B><FONT size=\"+1\">X</FONT></B>"},
    {8, u"<B><FONT color=\"#0080FF\" size=\"+1\">X</FONT></B>"},
    {10, u"<MARQUEE width=50% behavior=\"alternate\">X</MARQUEE>"},
    {11, u"<MARQUEE width=50% behavior=\"alternate\"><FONT color=\"#0080FF\">X</FONT></MARQUEE>"},
    {12, u"<MARQUEE width=50% behavior=\"alternate\"><FONT size=\"+1\">X</FONT></MARQUEE>"},
    {13,
     u"<MARQUEE width=50% behavior=\"alternate\"><FONT color=\"#0080FF\" "
     u"size=\"+1\">X</FONT></MARQUEE>"},
    {15, u"<MARQUEE width=50% behavior=\"alternate\"><B>X</B></MARQUEE>"},
    {16,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT "
     u"color=\"#0080FF\">X</FONT></B></MARQUEE>"},
    {17, u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT size=\"+1\">X</FONT></B></MARQUEE>"},
    {18,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT color=\"#0080FF\" "
     u"size=\"+1\">X</FONT></B></MARQUEE>"},
    {100, u"<FONT face=\"ＭＳ Ｐゴシック\">X</FONT>"},
    {101, u"<FONT face=\"ＭＳ Ｐゴシック\" color=\"#0080FF\">X</FONT>"},
    {102, u"<FONT face=\"ＭＳ Ｐゴシック\" size=\"+1\">X</FONT>"},
    {103, u"<FONT face=\"ＭＳ Ｐゴシック\" color=\"#0080FF\" size=\"+1\">X</FONT>"},
    {105, u"<B><FONT face=\"ＭＳ Ｐゴシック\">X</FONT></B>"},
    {106, u"<B><FONT face=\"ＭＳ Ｐゴシック\" color=\"#0080FF\">X</FONT></B>"},
    {107, u"<B><FONT face=\"ＭＳ Ｐゴシック\" size=\"+1\">X</FONT></B>"},
    {108, u"<B><FONT face=\"ＭＳ Ｐゴシック\" color=\"#0080FF\" size=\"+1\">X</FONT></B>"},
    {110,
     u"<MARQUEE width=50% behavior=\"alternate\"><FONT face=\"ＭＳ "
     u"Ｐゴシック\">X</FONT></MARQUEE>"},
    {111,
     u"<MARQUEE width=50% behavior=\"alternate\"><FONT face=\"ＭＳ Ｐゴシック\" "
     u"color=\"#0080FF\">X</FONT></MARQUEE>"},
    {112,
     u"<MARQUEE width=50% behavior=\"alternate\"><FONT face=\"ＭＳ Ｐゴシック\" "
     u"size=\"+1\">X</FONT></MARQUEE>"},
    {113,
     u"<MARQUEE width=50% behavior=\"alternate\"><FONT face=\"ＭＳ Ｐゴシック\" color=\"#0080FF\" "
     u"size=\"+1\">X</FONT></MARQUEE>"},
    {115,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT face=\"ＭＳ "
     u"Ｐゴシック\">X</FONT></B></MARQUEE>"},
    {116,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT face=\"ＭＳ Ｐゴシック\" "
     u"color=\"#0080FF\">X</FONT></B></MARQUEE>"},
    {117,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT face=\"ＭＳ Ｐゴシック\" "
     u"size=\"+1\">X</FONT></B></MARQUEE>"},
    {118,
     u"<MARQUEE width=50% behavior=\"alternate\"><B><FONT face=\"ＭＳ Ｐゴシック\" "
     u"color=\"#0080FF\" size=\"+1\">X</FONT></B></MARQUEE>"},
};

// The state for a code: the weights 100, 10, 5, 2, 1 taken off from the top.
DecorationState stateFor(int code) {
    DecorationState s;
    s.faceOn = code >= 100;
    code %= 100;
    if (code >= 10) {
        s.scrollOn = true;
        s.scrollTag = scrollOpeningTag(6, QStringLiteral("50"));
        code -= 10;
    }
    if (code >= 5) {
        s.styleOn = true;
        s.styleOpen = styleOpeningTag(Style::Bold);
        s.styleClose = styleClosingTag(Style::Bold);
        code -= 5;
    }
    if (code >= 2) {
        s.sizeOn = true;
        s.sizeText = sizeText(7);
        code -= 2;
    }
    if (code == 1) {
        s.colorOn = true;
        s.color = 16744448;
        s.colorText = colorText(s.color);
    }
    return s;
}

}  // namespace

TEST(DecorationTags, EveryCombinationCodeComposesItsTag) {
    QSet<int> seen;
    for (const auto& c : kCombinations) {
        const DecorationState s = stateFor(c.code);
        EXPECT_EQ(s.code(), c.code);
        seen.insert(s.code());
        EXPECT_EQ(s.compose(QStringLiteral("X"), QStringLiteral("ＭＳ Ｐゴシック")),
                  QString::fromUtf16(c.tag))
            << "code " << c.code;
    }
    EXPECT_EQ(seen.size(), 32);  // the codes tell the combinations apart

    // An empty body (nothing selected) still gets the tags; with nothing on the
    // body comes back as it is, and reset turns everything off.
    DecorationState s = stateFor(1);
    s.color = 255;
    s.colorText = colorText(255);
    EXPECT_EQ(s.compose(QString(), QString()), QStringLiteral("<FONT color=\"#FF0000\"></FONT>"));
    s.reset();
    EXPECT_EQ(s.code(), 0);
    EXPECT_EQ(s.compose(QStringLiteral("本文"), QStringLiteral("x")), QStringLiteral("本文"));
}

TEST(DecorationTags, ColourTextResolvesSystemColours) {
    EXPECT_EQ(colorText(255), QStringLiteral("#FF0000"));
    EXPECT_EQ(colorText(16744448), QStringLiteral("#0080FF"));
    EXPECT_EQ(colorText(657930), QStringLiteral("#0A0A0A"));
    // A system colour (button face, 0x8000000F) is looked up by its index and
    // the tag carries the looked-up red, green and blue.
    int asked = -1;
    const auto system = [&asked](int index) {
        asked = index;
        return colorInt(0xD4, 0xD0, 0xC8);
    };
    const int buttonFace = int(0x8000000Fu);
    EXPECT_TRUE(isSystemColor(buttonFace));
    EXPECT_EQ(colorText(colorToRgb(buttonFace, system)), QStringLiteral("#D4D0C8"));
    EXPECT_EQ(asked, 15);
    // Ordinary colours are not looked up; stray high bits do not reach the text.
    asked = -1;
    EXPECT_EQ(colorToRgb(13876988, system), 13876988);
    EXPECT_EQ(colorText(colorToRgb(0x020000FF, system)), QStringLiteral("#FF0000"));
    EXPECT_EQ(asked, -1);
}

TEST(DecorationTags, SizeScrollAndStyleTexts) {
    EXPECT_EQ(sizeItems().size(), 10);
    const char* sizes[] = {"1", "2", "3", "4", "5", "6", "7", "+1", "+2"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(sizeText(i), QLatin1String(sizes[i]));
    EXPECT_TRUE(sizeText(9).isNull());  // 指定しない
    EXPECT_TRUE(sizeText(-1).isNull());
    for (int i = 0; i < 10; ++i) EXPECT_EQ(sizeNeedsWarning(i), i >= 4 && i <= 6) << i;

    const QStringList scrolls = scrollItems();
    ASSERT_EQ(scrolls.size(), 8);
    EXPECT_EQ(scrolls[2], QStringLiteral("左でストップ "));  // the blanks stay
    EXPECT_EQ(scrolls[kScrollOff], kNotSpecified);
    const char* tags[] = {
        "<MARQUEE width=100%>",
        "<MARQUEE width=100% direction=\"right\">",
        "<MARQUEE width=100% behavior=\"slide\">",
        "<MARQUEE width=100% direction=\"right\" behavior=\"slide\">",
        "<MARQUEE width=100% direction=\"up\" height=\"30\" scrolldelay=\"150\">",
        "<MARQUEE width=100% direction=\"down\" height=\"30\" scrolldelay=\"150\">",
        "<MARQUEE width=100% behavior=\"alternate\">",
    };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(scrollOpeningTag(i, QStringLiteral("100")), QLatin1String(tags[i]));
    // The width goes in as typed.
    EXPECT_EQ(scrollOpeningTag(0, QStringLiteral("050")), QStringLiteral("<MARQUEE width=050%>"));
    EXPECT_TRUE(scrollOpeningTag(kScrollOff, QStringLiteral("5")).isNull());

    EXPECT_EQ(styleOpeningTag(Style::Italic) + styleClosingTag(Style::Italic),
              QStringLiteral("<I></I>"));
    EXPECT_EQ(styleOpeningTag(Style::StrikeOut) + styleClosingTag(Style::StrikeOut),
              QStringLiteral("<S></S>"));
}

TEST(DecorationTags, SampleColoursAndPicture) {
    // "$00" + BB + GG + RR read as hexadecimal.
    EXPECT_EQ(sampleColor(QStringLiteral("#FFFFFF"), 1), 0xFFFFFF);
    EXPECT_EQ(sampleColor(QStringLiteral("#123456"), 1), 0x563412);
    EXPECT_EQ(sampleColor(QStringLiteral("123456"), 1), 0x563412);
    EXPECT_EQ(sampleColor(QStringLiteral("#12345678"), 1), 0x563412);
    EXPECT_EQ(sampleColor(QStringLiteral("#FFF"), 1), 0x0FFF);  // "$00" + "" + "F" + "FF"
    // Not a colour: the sample keeps its default instead of failing.
    EXPECT_EQ(sampleColor(QStringLiteral("#red"), 7), 7);

    const auto exists = [](const QString& p) { return !p.contains(QLatin1String("missing")); };
    EXPECT_EQ(samplePicture(QString(), QStringLiteral("/a/b.jpg"), exists),
              QStringLiteral("/a/b.jpg"));
    EXPECT_EQ(samplePicture(QString(), QStringLiteral("/a.b/pic"), exists),
              QStringLiteral("/a.b/pic"));
    EXPECT_TRUE(samplePicture(QStringLiteral("#FFFFFF"), QStringLiteral("/a/b.jpg"), exists)
                    .isEmpty());  // a colour wins
    EXPECT_TRUE(samplePicture(QString(), QStringLiteral("/a/b.gif"), exists).isEmpty());
    EXPECT_TRUE(samplePicture(QString(), QStringLiteral("/a/b.png"), exists).isEmpty());
    EXPECT_EQ(samplePicture(QString(), QStringLiteral("/a/b.GIF"), exists),
              QStringLiteral("/a/b.GIF"));  // compared exactly
    EXPECT_TRUE(samplePicture(QString(), QStringLiteral("/a/missing.jpg"), exists).isEmpty());
    EXPECT_TRUE(samplePicture(QString(), QString(), exists).isEmpty());
}

TEST(DecorationTags, FontBoxListsSystemFamiliesThenResolvedWindowsFaces) {
    const QStringList system = {QStringLiteral("DejaVu Sans"), QStringLiteral("C059 [urw]"),
                                QStringLiteral("C059 [UKWN]"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("ＭＳ ゴシック")};
    const auto resolves = [](const QString& face) {
        return face == QStringLiteral("ＭＳ Ｐゴシック") || face == QStringLiteral("ＭＳ ゴシック");
    };
    const QStringList items = fontBoxItems(system, resolves);
    EXPECT_EQ(items, (QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("C059"),
                                  QStringLiteral("IPAPGothic"), QStringLiteral("ＭＳ ゴシック"),
                                  QStringLiteral("ＭＳ Ｐゴシック"), kNotSpecified}));
    EXPECT_EQ(fontBoxItems({}, [](const QString&) { return false; }), QStringList{kNotSpecified});
}

TEST(Rules, FileIsCreatedReadAndSavedInShiftJis) {
    QTemporaryDir dir;
    const QString path = ruleFilePath(dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(path.endsWith(QStringLiteral("/user/kazari.txt")));
    // First use: folder and file created empty.
    ensureRuleFile(path);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(readRules(path).isEmpty());

    // The editor's lines, an empty one among them, go out as Shift-JIS with CR LF.
    saveRules(path, QStringLiteral("☆★☆★\n\n～～～\n"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), sjis::toFile(QStringLiteral("☆★☆★\n\n～～～\n")));
    f.close();
    EXPECT_EQ(readRules(path),
              (QStringList{QStringLiteral("☆★☆★"), QString(), QStringLiteral("～～～")}));
    // An existing file is kept as it is.
    ensureRuleFile(path);
    EXPECT_EQ(readRules(path).size(), 3);
}

TEST(Rules, EditorTextAndRulesRoundTrip) {
    EXPECT_TRUE(rulesOfEditorText(QString()).isEmpty());
    EXPECT_EQ(rulesOfEditorText(QStringLiteral("a\nb")), (QStringList{"a", "b"}));
    EXPECT_EQ(rulesOfEditorText(QStringLiteral("a\nb\n")), (QStringList{"a", "b"}));
    EXPECT_EQ(rulesOfEditorText(QStringLiteral("\n")), QStringList{QString()});
    for (const QStringList& rules :
         {QStringList{}, QStringList{"a"}, QStringList{"a", ""}, QStringList{"", "b", ""}})
        EXPECT_EQ(rulesOfEditorText(editorTextOfRules(rules)), rules);
}
