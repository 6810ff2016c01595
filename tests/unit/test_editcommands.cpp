#include <gtest/gtest.h>

#include "app/editcommands.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace kirel::editing;

namespace {

const QString kFull5 = QStringLiteral("あいうえお");

}  // namespace

TEST(QuoteMarks, EveryLineOfTheSelectionGetsTheMark) {
    MemoryPane pane(QStringLiteral("xa\nb\nc\ndy"));
    pane.select(1, 7);  // "a\nb\nc\nd"
    insertQuoteMarks(pane, QStringLiteral(">"));
    EXPECT_EQ(pane.text(), QStringLiteral("x>a\n>b\n>c\n>dy"));
    EXPECT_EQ(pane.selectionLength(), 0);
    EXPECT_EQ(pane.selectionStart(), 12);
    EXPECT_EQ(pane.focusCount, 1);
}

TEST(QuoteMarks, TrailingBreakLongMarkAndEmptySelection) {
    // A selection ending in a line break puts a mark before the text after it.
    EXPECT_EQ(quoteLines(QStringLiteral("a\nb\n"), QStringLiteral(">")),
              QStringLiteral(">a\n>b\n>"));
    // A mark of several characters goes in whole.
    EXPECT_EQ(quoteLines(QStringLiteral("a\nb"), QStringLiteral("＞＞ ")),
              QStringLiteral("＞＞ a\n＞＞ b"));

    MemoryPane pane(QStringLiteral("ab"));
    pane.select(1, 0);
    insertQuoteMarks(pane, QStringLiteral(">>"));
    EXPECT_EQ(pane.text(), QStringLiteral("a>>b"));
}

TEST(HeartMarks, TagsAreByteExactInShiftJis) {
    EXPECT_EQ(sjis::byteLength(kHeartTag1), 40);
    EXPECT_EQ(sjis::byteLength(kHeartTag2), 51);
    const QByteArray bytes = sjis::toFile(kHeartTag1);
    EXPECT_EQ(bytes, QByteArray("<FONT Color=Hotpink Face=Symbol>\xA9</FONT>"));
    EXPECT_EQ(sjis::fromFile(bytes), kHeartTag1);
}

TEST(HeartMarks, TagFollowsTheSelectionOrGoesAtTheCaret) {
    MemoryPane pane(QStringLiteral("I love you"));
    pane.select(2, 4);
    insertHeart(pane, kHeartTag2);
    EXPECT_EQ(pane.text(), QStringLiteral("I love") + kHeartTag2 + QStringLiteral(" you"));
    EXPECT_EQ(pane.focusCount, 1);

    MemoryPane caret(QStringLiteral("ab"));
    caret.select(1, 0);
    insertHeart(caret, kHeartTag1);
    EXPECT_EQ(caret.text(), QStringLiteral("a") + kHeartTag1 + QStringLiteral("b"));
}

TEST(CountSelection, ReportsBytesAndFullWidthEquivalent) {
    test::ScriptedPrompter prompter;
    MemoryPane pane(kFull5 + QStringLiteral("a") + QStringLiteral("rest"));
    pane.select(0, 6);
    EXPECT_FALSE(countSelection(pane, 0));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.last(),
              QStringLiteral("半角表記では、11 文字です。\r\n全角では、5 文字相当です。"));
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Kirel Editor"));
    EXPECT_FALSE(prompter.shown[0].isQuestion);

    // Odd counts round down; a line break counts as CR LF.
    EXPECT_EQ(countMessage(7),
              QStringLiteral("半角表記では、7 文字です。\r\n全角では、3 文字相当です。"));
    prompter.clear();
    MemoryPane breaks(QStringLiteral("ab\ncd"));
    breaks.select(0, 5);
    countSelection(breaks, 0);
    EXPECT_TRUE(prompter.last().startsWith(QStringLiteral("半角表記では、6 文字です。")));
}

TEST(CountSelection, AsksAboutSplitPostingJustBelowTheLimit) {
    EXPECT_TRUE(suggestsSplitPost(1000, 800));
    EXPECT_TRUE(suggestsSplitPost(1000, 601));
    EXPECT_TRUE(suggestsSplitPost(1000, 999));
    EXPECT_FALSE(suggestsSplitPost(1000, 600));
    EXPECT_FALSE(suggestsSplitPost(1000, 1000));
    EXPECT_FALSE(suggestsSplitPost(1000, 1200));
    EXPECT_FALSE(suggestsSplitPost(0, 10));

    test::ScriptedPrompter prompter;
    MemoryPane pane(QString(800, QLatin1Char('x')));
    pane.select(0, 800);
    prompter.answers.enqueue(true);
    EXPECT_TRUE(countSelection(pane, 1000));
    ASSERT_EQ(prompter.shown.size(), 2);
    EXPECT_TRUE(prompter.shown[1].isQuestion);
    EXPECT_EQ(prompter.shown[1].text, QStringLiteral("選択された文字を分割投稿としますか？"));
    EXPECT_EQ(prompter.shown[1].icon, Icon::Information);

    prompter.clear();
    EXPECT_FALSE(countSelection(pane, 1000));  // answered No
    EXPECT_EQ(prompter.shown.size(), 2);

    prompter.clear();
    pane.select(0, 600);
    EXPECT_FALSE(countSelection(pane, 1000));
    EXPECT_EQ(prompter.shown.size(), 1);
}

TEST(Find, StepsThroughMatchesFromTheTopThenReportsNotFound) {
    test::ScriptedPrompter prompter;
    MemoryPane pane(QStringLiteral("猫と犬と猫"));
    pane.select(3, 0);  // caret after the first match: the search still starts at the top
    const QString cat = QStringLiteral("猫");
    EXPECT_TRUE(findNext(pane, cat));
    EXPECT_EQ(pane.selectionStart(), 0);
    EXPECT_EQ(pane.selectionLength(), 1);
    EXPECT_TRUE(findNext(pane, cat));
    EXPECT_EQ(pane.selectionStart(), 4);
    EXPECT_TRUE(prompter.shown.isEmpty());

    EXPECT_FALSE(findNext(pane, cat));
    ASSERT_EQ(prompter.shown.size(), 1);
    EXPECT_EQ(prompter.last(), QStringLiteral("\"猫\" が見つかりませんでした。"));
    EXPECT_EQ(prompter.shown[0].icon, Icon::Information);
    // No wrap-around; the last match stays selected.
    EXPECT_EQ(pane.selectionStart(), 4);
    EXPECT_EQ(pane.selectionLength(), 1);
}

TEST(Find, MatchesCaseExactlyAndInsideWords) {
    test::ScriptedPrompter prompter;
    MemoryPane pane(QStringLiteral("hello wonderland"));
    EXPECT_FALSE(findNext(pane, QStringLiteral("HELLO")));
    EXPECT_TRUE(findNext(pane, QStringLiteral("der")));
    EXPECT_EQ(pane.selectionStart(), 9);
    EXPECT_EQ(pane.selectionLength(), 3);
    // A selection elsewhere moves the start behind it.
    pane.select(0, 12);
    EXPECT_FALSE(findNext(pane, QStringLiteral("der")));
    // An empty find text finds nothing.
    EXPECT_EQ(findFrom(QStringLiteral("abc"), QString(), 0), -1);
}

TEST(Replace, AlwaysTakesTheFirstMatchFromTheTop) {
    test::ScriptedPrompter prompter;
    MemoryPane pane(QStringLiteral("aaa"));
    pane.select(3, 0);
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(pane.text(), QStringLiteral("baa"));
    EXPECT_EQ(pane.selectionStart(), 1);
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(pane.text(), QStringLiteral("bba"));
    EXPECT_TRUE(prompter.shown.isEmpty());

    // A selected later match is not the one replaced: the top one is.
    pane.setText(QStringLiteral("aaa"));
    pane.select(2, 1);
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(pane.text(), QStringLiteral("baa"));

    pane.setText(QStringLiteral("bba"));
    EXPECT_FALSE(replaceFirst(pane, QStringLiteral("A"), QStringLiteral("x")));
    EXPECT_EQ(pane.text(), QStringLiteral("bba"));
    EXPECT_EQ(prompter.last(), QStringLiteral("\"A\" は見つかりませんでした。"));
    EXPECT_EQ(prompter.shown[0].icon, Icon::Information);
}

TEST(Replace, EmptyFindTextChangesNothing) {
    test::ScriptedPrompter prompter;
    MemoryPane pane(QStringLiteral("abc"));
    EXPECT_FALSE(replaceFirst(pane, QString(), QStringLiteral("x")));
    EXPECT_EQ(pane.text(), QStringLiteral("abc"));
}

TEST(BrConversion, EveryLineBreakGetsATagAndRepeats) {
    MemoryPane pane(QStringLiteral("one\ntwo"));
    convertLineBreaks(pane);
    EXPECT_EQ(pane.text(), QStringLiteral("one<br>\ntwo"));
    convertLineBreaks(pane);
    EXPECT_EQ(pane.text(), QStringLiteral("one<br><br>\ntwo"));
    EXPECT_EQ(withBrTags(QStringLiteral("a\n\n")), QStringLiteral("a<br>\n<br>\n"));
}

TEST(CopyFromQuotePane, InsertsTheSelectionUnchanged) {
    MemoryPane quote(QStringLiteral("line one\nline two"));
    MemoryPane edit(QStringLiteral("[xx]"));
    edit.select(1, 2);
    copyFromQuotePane(quote, edit);  // nothing selected in the quote pane
    EXPECT_EQ(edit.text(), QStringLiteral("[xx]"));
    EXPECT_EQ(edit.focusCount, 0);

    quote.select(5, 8);  // "one\nline"
    copyFromQuotePane(quote, edit);
    EXPECT_EQ(edit.text(), QStringLiteral("[one\nline]"));
    EXPECT_EQ(quote.text(), QStringLiteral("line one\nline two"));
    EXPECT_EQ(edit.focusCount, 1);
}
