#include <gtest/gtest.h>

#include "app/editoperations.h"
#include "platform/sjis.h"
#include "support/scriptedprompter.h"

using namespace kirel;
using namespace kirel::editing;

namespace {

MemoryPane paneWith(const QString& text, qsizetype start, qsizetype length) {
    MemoryPane pane(text);
    pane.select(start, length);
    return pane;
}

}  // namespace

TEST(QuoteMarks, EveryLineOfTheSelectionBeginsWithTheMark) {
    MemoryPane pane = paneWith(QStringLiteral("xa\nb\nc\ndy"), 1, 7);
    insertQuoteMarks(pane, QStringLiteral(">"));
    EXPECT_EQ(pane.text(), QStringLiteral("x>a\n>b\n>c\n>dy"));
    EXPECT_EQ(pane.focusCount, 1);
    // A trailing line break puts a mark before the text after the selection; a
    // long mark goes in whole; without a selection the mark alone is inserted.
    EXPECT_EQ(quoteLines(QStringLiteral("a\nb\n"), QStringLiteral(">")),
              QStringLiteral(">a\n>b\n>"));
    EXPECT_EQ(quoteLines(QStringLiteral("a\nb"), QStringLiteral("＞＞ ")),
              QStringLiteral("＞＞ a\n＞＞ b"));
    MemoryPane caret = paneWith(QStringLiteral("ab"), 1, 0);
    insertQuoteMarks(caret, QStringLiteral(">>"));
    EXPECT_EQ(caret.text(), QStringLiteral("a>>b"));
}

TEST(HeartMarks, TagsAreByteExactAndFollowTheSelection) {
    EXPECT_EQ(sjis::toFile(kHeartTag1), QByteArray("<FONT Color=Hotpink Face=Symbol>\xA9</FONT>"));
    EXPECT_EQ(sjis::byteLength(kHeartTag1), 40);
    EXPECT_EQ(sjis::byteLength(kHeartTag2), 51);
    MemoryPane pane = paneWith(QStringLiteral("I love you"), 2, 4);
    insertHeart(pane, kHeartTag2);
    EXPECT_EQ(pane.text(), QStringLiteral("I love") + kHeartTag2 + QStringLiteral(" you"));
}

TEST(CountSelection, BytesFullWidthEquivalentAndTheSplitQuestion) {
    test::ScriptedPrompter prompter;
    const MemoryPane pane = paneWith(QStringLiteral("あいうえおa\nz"), 0, 6);
    EXPECT_FALSE(countSelection(pane, 0));
    EXPECT_EQ(
        prompter.texts(),
        QStringList{QStringLiteral("半角表記では、11 文字です。\r\n全角では、5 文字相当です。")});
    EXPECT_EQ(prompter.shown[0].icon, Icon::None);
    EXPECT_EQ(countMessage(7),
              QStringLiteral("半角表記では、7 文字です。\r\n全角では、3 文字相当です。"));

    // Asked only when limit - 400 < bytes < limit, comparing characters with bytes.
    EXPECT_TRUE(suggestsSplitPost(1000, 800));
    EXPECT_TRUE(suggestsSplitPost(1000, 999));
    EXPECT_FALSE(suggestsSplitPost(1000, 600));
    EXPECT_FALSE(suggestsSplitPost(1000, 1000));
    EXPECT_FALSE(suggestsSplitPost(0, 10));
    prompter.clear();
    prompter.answers.enqueue(true);
    EXPECT_TRUE(countSelection(pane, 20));
    ASSERT_EQ(prompter.shown.size(), 2);
    EXPECT_EQ(prompter.shown[1].text, QStringLiteral("選択された文字を分割投稿としますか？"));
    EXPECT_TRUE(prompter.shown[1].isQuestion);
    EXPECT_EQ(prompter.shown[1].icon, Icon::Information);
}

TEST(Find, StartsAfterTheSelectionOrAtTheTopAndMatchesCase) {
    test::ScriptedPrompter prompter;
    MemoryPane pane = paneWith(QStringLiteral("猫と犬と猫"), 3, 0);  // a bare caret is ignored
    const QString cat = QStringLiteral("猫");
    EXPECT_TRUE(findNext(pane, cat));
    EXPECT_EQ(pane.selectionStart(), 0);
    EXPECT_TRUE(findNext(pane, cat));
    EXPECT_EQ(pane.selectionStart(), 4);
    EXPECT_EQ(pane.selectionLength(), 1);
    EXPECT_FALSE(findNext(pane, cat));  // no wrap-around; the selection stays
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("\"猫\" が見つかりませんでした。")});
    EXPECT_EQ(prompter.shown[0].icon, Icon::Information);
    EXPECT_EQ(pane.selectionStart(), 4);

    MemoryPane words(QStringLiteral("hello wonderland"));
    EXPECT_FALSE(findNext(words, QStringLiteral("HELLO")));
    EXPECT_TRUE(findNext(words, QStringLiteral("der")));
    EXPECT_EQ(words.selectionStart(), 9);
    EXPECT_EQ(findFrom(QStringLiteral("abc"), QString(), 0), -1);
}

TEST(Find, ComparesTheShiftJisCodesOfWholeCharacters) {
    test::ScriptedPrompter prompter;
    // The wave dash and the minus an input method types are the codes 81 60 and
    // 81 7C, which a board shows as the full-width tilde and hyphen-minus.
    MemoryPane pane(QStringLiteral("波～線と−と－"));
    EXPECT_TRUE(findNext(pane, QStringLiteral("〜")));
    EXPECT_EQ(pane.selectionStart(), 1);
    EXPECT_TRUE(findNext(pane, QStringLiteral("－")));
    EXPECT_EQ(pane.selectionStart(), 4);
    EXPECT_TRUE(findNext(pane, QStringLiteral("－")));
    EXPECT_EQ(pane.selectionStart(), 6);
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("波〜"), QStringLiteral("ア")));
    EXPECT_EQ(pane.text(), QStringLiteral("ア線と−と－"));
    // Different codes stay different: the full-width tilde is not the ASCII one.
    EXPECT_EQ(findFrom(QStringLiteral("~"), QStringLiteral("～"), 0), -1);
    // Never half a character: a character written as a reference is whole or
    // nothing.
    const QString face = QStringLiteral("a😀b");
    EXPECT_EQ(findFrom(face, face.mid(2, 1), 0), -1);
    EXPECT_EQ(findFrom(face, face.mid(1, 1), 0), -1);
    EXPECT_EQ(findFrom(face, face.mid(1, 2), 0), 1);
    EXPECT_TRUE(prompter.shown.isEmpty());
}

TEST(Replace, TakesTheFirstMatchFromTheTopEachTime) {
    test::ScriptedPrompter prompter;
    MemoryPane pane = paneWith(QStringLiteral("aaa"), 2, 1);  // a later match selected
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(pane.text(), QStringLiteral("baa"));
    EXPECT_TRUE(replaceFirst(pane, QStringLiteral("a"), QStringLiteral("b")));
    EXPECT_EQ(pane.text(), QStringLiteral("bba"));
    EXPECT_FALSE(replaceFirst(pane, QStringLiteral("A"), QStringLiteral("x")));
    EXPECT_FALSE(replaceFirst(pane, QString(), QStringLiteral("x")));
    EXPECT_EQ(pane.text(), QStringLiteral("bba"));
    EXPECT_EQ(prompter.texts().first(), QStringLiteral("\"A\" は見つかりませんでした。"));
}
