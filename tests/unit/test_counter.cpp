#include <gtest/gtest.h>

#include "app/counter.h"
#include "core/textpane.h"
#include "platform/sjis.h"

using namespace kirel;

namespace {

struct Step {
    int stateBefore;
    qint64 bytes;  // with a limit of 1000 characters = 2000 bytes
    bool shown;
    QString text;
    int stateAfter;
};

}  // namespace

TEST(Counter, StateTable) {
    const QString over =
        QStringLiteral("投稿できる文字数を越えています。\r\n投稿することはできません。");
    const Step steps[] = {
        {0, 1799, false, {}, 1},                               // R = 201
        {1, 1800, false, {}, 1},                               // R = 200: unchanged
        {2, 1800, false, {}, 2},                               // R = 200 keeps 2
        {1, 1801, true, QStringLiteral("残り99文字です"), 2},  // R = 199
        {2, 1850, false, {}, 2},                               // still few left
        {0, 1999, true, QStringLiteral("残り0文字です"), 2},   // R = 1 gives 0
        {3, 1850, true, QStringLiteral("残り75文字です"), 2},  // back from over the limit
        {2, 2000, true, over, 3},                              // R = 0
        {1, 2050, true, over, 3},
        {0, 2050, true, over, 3},
        {3, 2100, false, {}, 3},
        {3, 100, false, {}, 1},  // plenty again re-arms
    };
    for (const Step& s : steps) {
        int state = s.stateBefore;
        const counter::Update u = counter::update(1000, s.bytes, state);
        SCOPED_TRACE(s.bytes);
        EXPECT_TRUE(u.changed);
        EXPECT_EQ(u.warning.has_value(), s.shown);
        if (s.shown) {
            EXPECT_EQ(u.warning->text, s.text);
        }
        EXPECT_EQ(state, s.stateAfter);
        EXPECT_EQ(u.hint, QStringLiteral("残り ") + QString::number(2000 - s.bytes) +
                              QStringLiteral(" 文字(Byte)です"));
    }
}

TEST(Counter, Icons) {
    int state = 0;
    EXPECT_EQ(counter::update(1000, 1900, state).warning->icon, Icon::Information);
    EXPECT_EQ(counter::update(1000, 2001, state).warning->icon, Icon::Warning);
}

TEST(Counter, NegativeRemainderHintAndPasteJump) {
    int state = 1;
    // R jumps from 300 to -50: only the over-limit warning, once.
    const counter::Update u = counter::update(1000, 2050, state);
    EXPECT_EQ(u.hint, QStringLiteral("残り -50 文字(Byte)です"));
    EXPECT_EQ(u.position, -50);
    EXPECT_EQ(state, 3);
}

TEST(Counter, LimitOffDoesNothing) {
    int state = 2;
    const counter::Update u = counter::update(0, 999999, state);
    EXPECT_FALSE(u.changed);
    EXPECT_FALSE(u.warning.has_value());
    EXPECT_EQ(state, 2);
}

TEST(Counter, Reset) {
    const counter::Display on = counter::reset(1000, 0, true);
    EXPECT_EQ(on.label1, QStringLiteral("0"));
    EXPECT_EQ(on.label2, QStringLiteral("1000"));
    EXPECT_EQ(on.maximum, 2000);
    EXPECT_EQ(on.position, 2000);  // the bar starts full
    EXPECT_EQ(on.hint, QStringLiteral("残り文字数の表示です"));
    EXPECT_EQ(counter::reset(1000, 10, false).hint, QStringLiteral("残り 1990 文字(Byte)です"));
    const counter::Display off = counter::reset(0, 10, false);
    EXPECT_TRUE(off.label1.isEmpty());
    EXPECT_TRUE(off.label2.isEmpty());
    EXPECT_FALSE(off.setMaximum);
    EXPECT_EQ(off.position, 0);
    EXPECT_EQ(off.hint, QStringLiteral("文字数制限の設定がオフです"));
}

TEST(PaneText, NoBreakSpaceAndSeparatorsLeaveThePaneAsTheTransferSendsThem) {
    // What the pane holds, and what the counter, the transfer and the saves see.
    const QString held = QStringLiteral("A\u00A0B\u00A0\u00A0C\u2028x\u2029y");
    const QString out = plainText(held);
    EXPECT_EQ(out, QStringLiteral("A B  C\nx\ny"));
    EXPECT_EQ(out.size(), held.size());  // one for one: positions stay valid
    EXPECT_EQ(sjis::byteLength(plainText(QStringLiteral("A\u00A0B\u00A0\u00A0C"))), 6);
    EXPECT_EQ(sjis::byteLength(out), sjis::toFile(out).size());
    // The codec itself has no exception for U+00A0: where it reaches the codec
    // unconverted it is a character without a code, like any other.
    EXPECT_EQ(sjis::encode(QStringLiteral("\u00A0")), QByteArray("&#160;"));
}
