#include <gtest/gtest.h>

#include "platform/sjis.h"
#include "platform/textpieces.h"
#include "splitpost/splitcounts.h"

using namespace kirel;
using namespace kirel::splitpost;

TEST(SplitPostRank, TitlesAtTheBordersOfEachRank) {
    const std::pair<qint64, const char16_t*> cases[] = {
        {0, u"（謎"},
        {1, u"足跡級"},
        {2, u"ぷちぷち級"},
        {4, u"ぷちぷち級"},
        {5, u"ぷちカキコ級"},
        {10, u"ぷちカキコ級"},
        {11, u"一般"},
        {25, u"一般"},
        {26, u"強者"},
        {50, u"強者"},
        {51, u"免許皆伝"},
        {75, u"免許皆伝"},
        {76, u"師範級"},
        {100, u"師範級"},
        {101, u"掲示板マスター"},
        {150, u"掲示板マスター"},
        {151, u"掲示板大臣"},
        {200, u"掲示板大臣"},
        {201, u"掲示板王"},
        {300, u"掲示板王"},
        {301, u"伝説のカキコ帝王"},
        {1000000, u"伝説のカキコ帝王"},
    };
    for (const auto& [lines, title] : cases)
        EXPECT_EQ(rankTitle(rankOf(lines)), QString::fromUtf16(title)) << lines;
    EXPECT_EQ(rankOf(0), 1);
    EXPECT_EQ(rankOf(301), 12);
    EXPECT_TRUE(rankTitle(0).isEmpty());
    EXPECT_TRUE(rankTitle(13).isEmpty());
}

TEST(SplitPostCounts, BytesAndHalfOfFullWidthTextAndLineBreaks) {
    CountBoxes boxes;
    // Three full-width characters: 6 bytes, 3 full-width characters.
    CountBoxes::Texts t = boxes.update(1, sjis::byteLength(u"あいう"));
    EXPECT_EQ(t.lines, QStringLiteral("1"));
    EXPECT_EQ(t.bytes, QStringLiteral("6"));
    EXPECT_EQ(t.fullWidth, QStringLiteral("3"));
    EXPECT_EQ(t.title, QStringLiteral("足跡級"));
    // A line break counts as CR LF; still one line, so the title is not rewritten.
    t = boxes.update(1, sjis::byteLength(u"あいう\n"));
    EXPECT_EQ(t.bytes, QStringLiteral("8"));
    EXPECT_EQ(t.fullWidth, QStringLiteral("4"));
    EXPECT_FALSE(t.title.has_value());
    // Odd byte counts round down; half-width katakana are one byte each.
    t = boxes.update(2, sjis::byteLength(u"ｱｲｳ\nx"));
    EXPECT_EQ(t.bytes, QStringLiteral("6"));
    t = boxes.update(2, sjis::byteLength(u"ab\ncd"));
    EXPECT_EQ(t.bytes, QStringLiteral("6"));
    t = boxes.update(2, 5);
    EXPECT_EQ(t.fullWidth, QStringLiteral("2"));
    EXPECT_EQ(boxes.shownRank(), 3);
    // Emptied: 0, 0, 0 and "（謎".
    t = boxes.update(0, sjis::byteLength(u""));
    EXPECT_EQ(t.lines + t.bytes + t.fullWidth, QStringLiteral("000"));
    EXPECT_EQ(t.title, QStringLiteral("（謎"));
}

TEST(SplitPostCounts, ANewWindowWritesItsFirstTitleWhateverTheRank) {
    CountBoxes first, second;
    EXPECT_EQ(first.shownRank(), 0);
    EXPECT_TRUE(first.update(3, 10).title.has_value());
    EXPECT_EQ(second.update(3, 10).title, QStringLiteral("ぷちぷち級"));
}

TEST(SplitPostCounts, AnEmptyLastLineIsNotCounted) {
    EXPECT_EQ(shownLines(1, true), 0);   // empty text
    EXPECT_EQ(shownLines(2, true), 1);   // "abc\n"
    EXPECT_EQ(shownLines(2, false), 2);  // "abc\nd"
    EXPECT_EQ(shownLines(0, true), 0);
}

TEST(SplitPostSave, TextExtensionAddedUnlessTheNameEndsInExactlyDotTxt) {
    EXPECT_EQ(withTextExtension(QStringLiteral("/tmp/piece")), QStringLiteral("/tmp/piece.txt"));
    EXPECT_EQ(withTextExtension(QStringLiteral("/tmp/piece.txt")),
              QStringLiteral("/tmp/piece.txt"));
    EXPECT_EQ(withTextExtension(QStringLiteral("/tmp/piece.TXT")),
              QStringLiteral("/tmp/piece.TXT.txt"));
    EXPECT_EQ(withTextExtension(QStringLiteral("/tmp/piece.log")),
              QStringLiteral("/tmp/piece.log.txt"));
    EXPECT_EQ(withTextExtension(QStringLiteral("/tmp/a.txt/piece")),
              QStringLiteral("/tmp/a.txt/piece.txt"));
    EXPECT_EQ(withTextExtension(QStringLiteral("分割その１")), QStringLiteral("分割その１.txt"));
}

TEST(TextPieces, EndAfterALineBreakAndNeverInsideAPairOrCrLf) {
    const QString lines = QStringLiteral("ab\ncd\nef\n");
    EXPECT_EQ(pieceEnd(lines, 0, 5), 3);  // after "ab\n"
    EXPECT_EQ(pieceEnd(lines, 3, 5), 6);
    EXPECT_EQ(pieceEnd(lines, 6, 5), 9);  // the rest fits
    EXPECT_EQ(pieceEnd(lines, 0, 100), 9);
    // A line longer than a piece is cut at the piece size...
    const QString line = QStringLiteral("abcdefgh");
    EXPECT_EQ(pieceEnd(line, 0, 3), 3);
    EXPECT_EQ(pieceEnd(line, 6, 3), 8);
    // ...but not between the halves of a surrogate pair, nor between CR and LF.
    const QString emoji = QStringLiteral("ab😀cd");
    EXPECT_EQ(pieceEnd(emoji, 0, 3), 2);
    const QString crlf = QStringLiteral("abc\r\ndef");
    EXPECT_EQ(pieceEnd(crlf, 0, 4), 3);
    // Pieces cover the text exactly, each making progress.
    QString mixed;
    for (int i = 0; i < 500; ++i) mixed += i % 7 ? QStringLiteral("字😀\r\n") : QStringLiteral("x");
    QString joined;
    for (qsizetype at = 0; at < mixed.size();) {
        const qsizetype end = pieceEnd(mixed, at, 5);
        ASSERT_GT(end, at);
        joined += mixed.mid(at, end - at);
        at = end;
    }
    EXPECT_EQ(joined, mixed);
}
