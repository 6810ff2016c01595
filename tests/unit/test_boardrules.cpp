// A board's SETTING.TXT read into profile values, the address it is fetched
// from, the line side of the counter, and the reply cut into posts the board
// accepts: every part within the limits, the parts joined giving the reply back,
// no cut inside a reference, a tag or a character.

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "app/linecounter.h"
#include "boardrules/postsplitter.h"
#include "boardrules/settingtxt.h"
#include "platform/sjis.h"

using namespace kirel;
using namespace kirel::boardrules;

namespace {

BoardRules parsed(const QByteArray& bytes) {
    auto result = parseSettingTxt(bytes);
    EXPECT_TRUE(std::holds_alternative<BoardRules>(result));
    return std::holds_alternative<BoardRules>(result) ? std::get<BoardRules>(result) : BoardRules{};
}

QString refusal(const QByteArray& bytes) {
    auto result = parseSettingTxt(bytes);
    return std::holds_alternative<RulesError>(result) ? std::get<RulesError>(result).message
                                                      : QString();
}

}  // namespace

TEST(SettingTxt, ShiftJisWithEitherLineEndBlanksAndUnknownKeys) {
    const QString text = QStringLiteral(
        "news@news\n"
        "BBS_TITLE=ニュー速\n"
        "\n"
        "BBS_UNKNOWN_KEY=1\n"
        "  BBS_MESSAGE_COUNT = 2048 \n"
        "BBS_LINE_NUMBER=16\n"
        "BBS_TEXT_COLOR=#000000\n"
        "BBS_BG_COLOR=ffffff\n"
        "BBS_THREAD_COLOR=green\n");
    for (const QString& eol : {QStringLiteral("\n"), QStringLiteral("\r\n")}) {
        QString t = text;
        t.replace(QLatin1Char('\n'), eol);
        const BoardRules r = parsed(sjis::encode(t));
        EXPECT_EQ(r.title, QStringLiteral("ニュー速"));
        EXPECT_EQ(r.charLimit, 1024);
        EXPECT_EQ(r.lineLimit, 32);
        EXPECT_EQ(r.textColor, QStringLiteral("#000000"));
        EXPECT_EQ(r.backColor, QStringLiteral("#FFFFFF"));
        EXPECT_EQ(r.cellColor, QStringLiteral("#008000"));
    }
}

TEST(SettingTxt, MissingAndUnusableKeysStayEmpty) {
    const BoardRules r = parsed(
        "BBS_MESSAGE_COUNT=300\r\nBBS_LINE_NUMBER=abc\r\n"
        "BBS_TEXT_COLOR=notacolour\r\nBBS_TITLE=\r\n");
    EXPECT_EQ(r.charLimit, 150);
    EXPECT_FALSE(r.lineLimit);
    EXPECT_FALSE(r.textColor);
    EXPECT_FALSE(r.backColor);
    EXPECT_FALSE(r.title);
    // Only a title is still a SETTING.TXT.
    EXPECT_EQ(parsed("BBS_TITLE=x").title, QStringLiteral("x"));
}

TEST(SettingTxt, RefusesGarbageOtherEncodingsAndOversizedFiles) {
    EXPECT_EQ(refusal(""), kNoKeys);
    EXPECT_EQ(refusal("<html><body>404 Not Found</body></html>"), kNoKeys);
    EXPECT_EQ(refusal("TITLE=x\nCOUNT=3"), kNoKeys);
    // Bytes that are no Shift-JIS, and the same text in UTF-8.
    EXPECT_EQ(refusal("BBS_TITLE=\x80\xA0\xFD"), kNotShiftJis);
    EXPECT_EQ(refusal(QStringLiteral("BBS_TITLE=ニュー速").toUtf8()), kNotShiftJis);
    EXPECT_EQ(refusal(QByteArray("BBS_TITLE=a\0b", 13)), kNotShiftJis);
    // 64 KiB is the most; one byte more is refused before it is read.
    QByteArray big = "BBS_TITLE=x\n";
    big += QByteArray(kMaxSettingBytes - big.size(), ' ');
    EXPECT_EQ(parsed(big).title, QStringLiteral("x"));
    EXPECT_EQ(refusal(big + ' '), kTooLarge);
}

TEST(SettingTxt, LimitsRoundDownSoTheBoardNeverRefusesWhatTheCounterAllows) {
    EXPECT_EQ(charLimitFromBytes(300), 150);
    EXPECT_EQ(charLimitFromBytes(301), 150);
    EXPECT_EQ(charLimitFromBytes(1), 0);
    EXPECT_EQ(charLimitFromBytes(0), 0);
    EXPECT_EQ(charLimitFromBytes(-5), 0);
    EXPECT_EQ(charLimitFromBytes(4096), 2048);
    EXPECT_EQ(charLimitFromBytes(100000), 9999);  // the field's four digits
    EXPECT_EQ(lineLimitFromSetting(5), 10);
    EXPECT_EQ(lineLimitFromSetting(0), 0);
    EXPECT_EQ(lineLimitFromSetting(100000), 9999);
}

TEST(SettingTxt, Colours) {
    EXPECT_EQ(colorFromSetting(QStringLiteral("#a0b0c0")), QStringLiteral("#A0B0C0"));
    EXPECT_EQ(colorFromSetting(QStringLiteral("A0B0C0")), QStringLiteral("#A0B0C0"));
    EXPECT_EQ(colorFromSetting(QStringLiteral("#fc0")), QStringLiteral("#FFCC00"));
    EXPECT_EQ(colorFromSetting(QStringLiteral("Green")), QStringLiteral("#008000"));
    EXPECT_EQ(colorFromSetting(QStringLiteral(" navy ")), QStringLiteral("#000080"));
    EXPECT_FALSE(colorFromSetting(QStringLiteral("#12345")));
    EXPECT_FALSE(colorFromSetting(QStringLiteral("#GGGGGG")));
    EXPECT_FALSE(colorFromSetting(QString()));
}

TEST(SettingTxt, AddressOfTheFileBesideTheBoard) {
    const std::pair<const char*, const char*> cases[] = {
        {"http://example.jp/news/", "http://example.jp/news/SETTING.TXT"},
        {"http://example.jp/news", "http://example.jp/news/SETTING.TXT"},
        {"https://example.jp/news/index.html", "https://example.jp/news/SETTING.TXT"},
        {"http://example.jp/test/read.cgi/news/1234567890/l50",
         "http://example.jp/news/SETTING.TXT"},
        {"http://example.jp/news/SETTING.TXT", "http://example.jp/news/SETTING.TXT"},
        {"http://127.0.0.1:8080/board/?x=1#top", "http://127.0.0.1:8080/board/SETTING.TXT"},
        {"  example.jp/news/ ", "http://example.jp/news/SETTING.TXT"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(settingTxtUrl(QString::fromLatin1(in)).toString(), QString::fromLatin1(out))
            << in;
    EXPECT_FALSE(settingTxtUrl(QStringLiteral("ftp://example.jp/news/")).isValid());
    EXPECT_FALSE(settingTxtUrl(QStringLiteral("file:///etc/passwd")).isValid());
    EXPECT_FALSE(settingTxtUrl(QString()).isValid());
}

TEST(LineCounter, WarnsOncePerApproachAndShowsTheLinesLeft) {
    int state = 0;
    EXPECT_FALSE(counter::updateLines(10, 10, state));
    EXPECT_EQ(state, 1);
    const auto w = counter::updateLines(10, 11, state);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->icon, Icon::Warning);
    EXPECT_TRUE(w->text.contains(QStringLiteral("10行まで")));
    EXPECT_FALSE(counter::updateLines(10, 12, state));  // once
    EXPECT_FALSE(counter::updateLines(10, 3, state));   // back within re-arms
    EXPECT_TRUE(counter::updateLines(10, 11, state));
    // No line limit: nothing, and the state is left alone.
    state = 3;
    EXPECT_FALSE(counter::updateLines(0, 500, state));
    EXPECT_EQ(state, 3);
    EXPECT_EQ(counter::withLines(QStringLiteral("残り 5 文字(Byte)です"), 10, 12),
              QStringLiteral("残り 5 文字(Byte)です　残り -2 行"));
    EXPECT_EQ(counter::withLines(QStringLiteral("h"), 0, 12), QStringLiteral("h"));
}

// ---------------------------------------------------------------- splitter

namespace {

// The checks every split must pass: each part within the limits as posted, the
// parts joined giving the text back, and no cut inside a line that falls between
// the halves of a character or inside a reference or tag that fits a part.
void expectSound(const QString& text, const SplitLimits& limits, const SplitResult& r) {
    ASSERT_TRUE(r.fits);
    ASSERT_FALSE(r.parts.isEmpty());
    EXPECT_EQ(joinParts(r.parts), text);
    QList<qsizetype> cuts;  // offsets in the text of the cuts inside a line
    qsizetype offset = 0;
    for (int i = 0; i < r.parts.size(); ++i) {
        const QString posted = postedText(r.parts, i, limits.numbered);
        if (limits.bytes > 0) {
            EXPECT_LE(sjis::byteLength(posted), limits.bytes) << i;
        }
        if (limits.lines > 0) {
            EXPECT_LE(lineCount(posted), limits.lines) << i;
        }
        offset += r.parts[i].body.size();
        if (!r.parts[i].lineBreakAfter && i + 1 < r.parts.size()) cuts << offset;
        if (r.parts[i].lineBreakAfter) ++offset;
    }
    qint64 room = limits.bytes > 0 ? limits.bytes : std::numeric_limits<qint64>::max();
    if (limits.numbered) {
        const qsizetype n = r.parts.size();
        room -= 2 + 3 + 2 * QString::number(n).size();
    }
    static const QRegularExpression whole(QStringLiteral("&#?[A-Za-z0-9]+;|<[A-Za-z/!][^<>\\n]*>"));
    for (qsizetype cut : cuts) EXPECT_FALSE(text.at(cut - 1).isHighSurrogate()) << cut;
    for (auto it = whole.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const bool reference = m.captured().startsWith(QLatin1Char('&'));
        if (reference && m.capturedLength() > 12) continue;
        if (sjis::byteLength(m.captured()) > room) continue;
        // The first cut after the match's start must not fall before its end.
        const auto cut = std::upper_bound(cuts.begin(), cuts.end(), m.capturedStart());
        if (cut != cuts.end()) {
            EXPECT_FALSE(*cut < m.capturedEnd())
                << "cut at " << *cut << " inside " << m.captured().toStdString();
        }
    }
}

}  // namespace

TEST(PostSplitter, TableOfPosts) {
    const QString longLine = QString(u'あ').repeated(40);  // 80 bytes
    struct Case {
        QString text;
        SplitLimits limits;
        int parts;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), {10, 5, false}, 1},
        {QString(), {10, 5, false}, 1},
        // Lines: three lines a part.
        {QStringLiteral("1\n2\n3\n4\n5\n6\n7"), {0, 3, false}, 3},
        // Bytes: "aaaa\nbbbb" is 10 bytes; a part of 9 takes one line.
        {QStringLiteral("aaaa\nbbbb\ncccc"), {9, 0, false}, 3},
        {QStringLiteral("aaaa\nbbbb\ncccc"), {10, 0, false}, 2},
        // A line longer than a part: cut between the two-byte characters.
        {longLine, {31, 0, false}, 3},
        // Numbering: "\n(1/2)" takes 7 bytes and a line.
        {QStringLiteral("aaaa\nbbbb"), {11, 2, true}, 2},
        {QStringLiteral("1\n2\n3\n4"), {0, 3, true}, 2},
        // Blank lines and a trailing line break survive the join.
        {QStringLiteral("a\n\n\nb\n"), {0, 2, false}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const SplitResult r = splitPost(c.text, c.limits);
        expectSound(c.text, c.limits, r);
        EXPECT_EQ(r.parts.size(), c.parts);
    }
    // Parts end at line ends where they can; the cut line break is not posted.
    const SplitResult r = splitPost(QStringLiteral("aaaa\nbbbb\ncccc"), {10, 0, false});
    EXPECT_EQ(r.parts[0].body, QStringLiteral("aaaa\nbbbb"));
    EXPECT_TRUE(r.parts[0].lineBreakAfter);
    EXPECT_EQ(r.parts[1].body, QStringLiteral("cccc"));
    EXPECT_EQ(postedText(splitPost(QStringLiteral("aaaa\nbbbb"), {11, 2, true}).parts, 1, true),
              QStringLiteral("bbbb\n(2/2)"));
}

TEST(PostSplitter, NeverCutsInsideAReferenceATagOrACharacter) {
    // "ab&#128512;cd": a cut after 4 bytes would land inside the reference.
    SplitResult r = splitPost(QStringLiteral("ab&#128512;cd"), {4, 0, false});
    expectSound(QStringLiteral("ab&#128512;cd"), {4, 0, false}, r);
    EXPECT_TRUE(r.fits);
    // Room for the reference, but not beside the text before it: a cut by bytes
    // alone would give "abcde&#128", the reference goes whole into the next part.
    r = splitPost(QStringLiteral("abcde&#128512;"), {10, 0, false});
    ASSERT_EQ(r.parts.size(), 2);
    EXPECT_EQ(r.parts[0].body, QStringLiteral("abcde"));
    EXPECT_EQ(r.parts[1].body, QStringLiteral("&#128512;"));
    // Tags likewise; the opening one of 16 bytes is bigger than a part of 12 and
    // is cut like text.
    r = splitPost(QStringLiteral("xy<font color=red>z</font>"), {12, 0, false});
    EXPECT_EQ(joinParts(r.parts), QStringLiteral("xy<font color=red>z</font>"));
    r = splitPost(QStringLiteral("xy<b>zzzz</b>"), {6, 0, false});
    EXPECT_EQ(r.parts[0].body, QStringLiteral("xy<b>z"));
    EXPECT_EQ(r.parts[1].body, QStringLiteral("zzz"));
    EXPECT_EQ(r.parts[2].body, QStringLiteral("</b>"));
    // An emoji is one character of nine bytes ("&#128512;" as the form sends it).
    const QString emoji = QString::fromUcs4(U"😀😀😀");
    r = splitPost(emoji, {10, 0, false});
    ASSERT_EQ(r.parts.size(), 3);
    EXPECT_EQ(r.parts[0].body, QString::fromUcs4(U"😀"));
    // Odd room: a two-byte character never straddles parts.
    r = splitPost(QStringLiteral("aあい"), {4, 0, false});
    EXPECT_EQ(r.parts[0].body, QStringLiteral("aあ"));
    EXPECT_EQ(r.parts[1].body, QStringLiteral("い"));
}

TEST(PostSplitter, LimitsWithNoRoomAreRefused) {
    EXPECT_FALSE(splitPost(QString::fromUcs4(U"😀"), {8, 0, false}).fits);
    EXPECT_FALSE(splitPost(QStringLiteral("a"), {0, 1, true}).fits);  // the number's line
    EXPECT_FALSE(splitPost(QStringLiteral("a"), {7, 0, true}).fits);  // "\n(1/1)"
    EXPECT_TRUE(splitPost(QStringLiteral("a"), {8, 0, true}).fits);
}

TEST(PostSplitter, NumberingGrowsToTwoDigitsWhenTheCountDoes) {
    QStringList lines;
    for (int i = 0; i < 30; ++i) lines << QStringLiteral("line%1").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = lines.join(QLatin1Char('\n'));
    const SplitLimits limits{17, 0, true};  // "lineNN" 6 bytes + "\n(NN/NN)" 9
    const SplitResult r = splitPost(text, limits);
    expectSound(text, limits, r);
    EXPECT_EQ(r.parts.size(), 30);
    EXPECT_EQ(postedText(r.parts, 29, true), QStringLiteral("line29\n(30/30)"));
}

TEST(PostSplitter, PropertyRandomPostsAndLimits) {
    QRandomGenerator rng(20261207);
    const QString pieces[] = {
        QStringLiteral("あ"),
        QStringLiteral("a"),
        QStringLiteral("ｱ"),
        QStringLiteral("\n"),
        QStringLiteral("\n\n"),
        QString::fromUcs4(U"😀"),
        QStringLiteral("&#128512;"),
        QStringLiteral("&amp;"),
        QStringLiteral("<b>"),
        QStringLiteral("</b>"),
        QStringLiteral("<font color=\"#FF0000\">"),
        QStringLiteral("漢字"),
        QStringLiteral("〜"),
        QStringLiteral("&"),
        QStringLiteral("<"),
        QStringLiteral(" "),
    };
    const int kinds = int(std::size(pieces));
    for (int round = 0; round < 400; ++round) {
        QString text;
        const int n = rng.bounded(0, 300);
        for (int i = 0; i < n; ++i) {
            const int k = rng.bounded(kinds);
            // Now and then a long line of one character.
            if (rng.bounded(50) == 0)
                text += pieces[k == 3 || k == 4 ? 0 : k].repeated(rng.bounded(10, 200));
            else
                text += pieces[k];
        }
        SplitLimits limits;
        limits.bytes = rng.bounded(3) == 0 ? 0 : rng.bounded(10, 400);
        limits.lines = limits.bytes == 0 || rng.bounded(2) ? rng.bounded(2, 20) : 0;
        limits.numbered = rng.bounded(2) == 1;
        SCOPED_TRACE(round);
        const SplitResult r = splitPost(text, limits);
        if (!r.fits) {
            // Only when a part cannot hold the numbering and one character.
            EXPECT_TRUE(limits.numbered || limits.bytes < 10);
            continue;
        }
        expectSound(text, limits, r);
    }
}
