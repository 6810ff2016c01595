#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "core/artwidth.h"

using namespace kirel;

namespace {

constexpr int kFull = 11;  // full-width space in the board font
constexpr int kHalf = 5;   // half-width space

// Checks the spaces of a padding: only the two spaces, never two half-width
// ones in a row, none first or last where not allowed, and the width it claims.
void expectWellFormed(const Padding& p, int width, bool mayOpen, bool mayClose) {
    bool previousHalf = false;
    int dots = 0;
    for (qsizetype i = 0; i < p.spaces.size(); ++i) {
        const QChar c = p.spaces[i];
        ASSERT_TRUE(c == QChar(0x3000) || c == QLatin1Char(' ')) << int(c.unicode());
        const bool half = c == QLatin1Char(' ');
        ASSERT_FALSE(half && previousHalf) << qPrintable(p.spaces);
        if (half && i == 0) {
            ASSERT_TRUE(mayOpen) << qPrintable(p.spaces);
        }
        if (half && i == p.spaces.size() - 1) {
            ASSERT_TRUE(mayClose) << qPrintable(p.spaces);
        }
        previousHalf = half;
        dots += half ? kHalf : kFull;
    }
    EXPECT_EQ(p.width, width + dots);
}

}  // namespace

TEST(ArtPadding, TableOfTargets) {
    struct Case {
        int width, target;
        bool mayOpen, mayClose;
        int reached;
        const char16_t* spaces;
    };
    const Case cases[] = {
        // Exact hits with full-width spaces alone, and with half-width ones
        // around and between them.
        {100, 122, true, true, 122, u"\u3000\u3000"},
        {100, 105, true, true, 105, u" "},
        {100, 116, true, true, 116, u" \u3000"},
        {100, 121, true, true, 121, u" \u3000 "},
        {100, 132, true, true, 132, u" \u3000 \u3000"},
        // After a half-width space (or at the start of a line) the padding opens
        // with a full-width one; before one it closes with a full-width one.
        {100, 116, false, true, 116, u"\u3000 "},
        {100, 116, true, false, 116, u" \u3000"},
        {100, 121, false, false, 111, u"\u3000"},
        // 10 dots after a half-width space: two half-width spaces would touch, so
        // nothing fits without passing; with the start free, one does.
        {100, 110, false, true, 100, u""},
        {100, 110, true, true, 105, u" "},
        // A lone half-width space must be allowed at both ends.
        {0, 5, false, true, 0, u""},
        {0, 16, false, true, 16, u"\u3000 "},
        // Nothing to do at or past the target.
        {200, 200, true, true, 200, u""},
        {200, 150, true, true, 200, u""},
        // Nearest not wider: 7 dots cannot be made; 5 can; of 20, 16.
        {100, 107, true, true, 105, u" "},
        {100, 120, true, true, 116, u" \u3000"},
        // Of 55 dots, five full-width spaces: fewer characters than any mix.
        {0, 55, true, true, 55, u"\u3000\u3000\u3000\u3000\u3000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "->" << c.target);
        const Padding p = padToWidth(c.width, c.target, kFull, kHalf, c.mayOpen, c.mayClose);
        EXPECT_EQ(p.width, c.reached);
        EXPECT_EQ(p.remaining, std::max(c.target - c.width, 0) - (c.reached - c.width));
        EXPECT_EQ(p.spaces, QString::fromUtf16(c.spaces));
        expectWellFormed(p, c.width, c.mayOpen, c.mayClose);
    }
}

TEST(ArtPadding, NeverPassesAndIsTheBestPossible) {
    // Against a brute force over every string of the two spaces that keeps the
    // rules, for many gaps.
    std::mt19937 rng(7);
    for (int i = 0; i < 3000; ++i) {
        const int width = int(rng() % 300);
        const int target = width + int(rng() % 120);
        const bool mayOpen = rng() % 2 == 0, mayClose = rng() % 2 == 0;
        const Padding p = padToWidth(width, target, kFull, kHalf, mayOpen, mayClose);
        expectWellFormed(p, width, mayOpen, mayClose);
        ASSERT_LE(p.width, target);
        // Best by dynamic programming over strings: reach[d][last is half].
        const int gap = target - width;
        std::vector<std::array<bool, 2>> reach(size_t(gap) + 1, {false, false});
        reach[0][0] = true;  // the empty padding
        int best = 0;
        for (int d = 0; d <= gap; ++d)
            for (int last = 0; last < 2; ++last) {
                if (!reach[size_t(d)][size_t(last)]) continue;
                if (d + kFull <= gap) reach[size_t(d + kFull)][0] = true;
                const bool first = d == 0;
                if (d + kHalf <= gap && !last && (!first || mayOpen))
                    reach[size_t(d + kHalf)][1] = true;
            }
        for (int d = 0; d <= gap; ++d)
            if (reach[size_t(d)][0] || (reach[size_t(d)][1] && mayClose)) best = d;
        ASSERT_EQ(p.width - width, best) << width << "->" << target;
        ASSERT_EQ(p.remaining, target - p.width);
    }
}

TEST(ArtWidths, MeasuresEachCharacterOnceAndSumsCodePoints) {
    int calls = 0;
    DotWidthTable table([&calls](char32_t c) {
        ++calls;
        if (c == U' ') return 5;
        if (c == U'\u3000') return 16;
        if (c >= 0x10000) return 20;  // an emoji: one advance for the pair
        return c < 0x80 ? 8 : 16;
    });
    EXPECT_EQ(table.lineWidth(u"ab a"), 8 + 8 + 5 + 8);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(table.lineWidth(u"あ\u3000a"), 16 + 16 + 8);
    EXPECT_EQ(calls, 5);
    // A surrogate pair is one character; a lone surrogate is measured as itself.
    EXPECT_EQ(table.lineWidth(QStringView(u"x\U0001F600x")), 8 + 20 + 8);
    EXPECT_EQ(table.lineWidth(QString(QChar(0xD800))), 16);
    EXPECT_EQ(table.lineWidth(u""), 0);
    EXPECT_EQ(table.fullSpace(), 16);
    EXPECT_EQ(table.halfSpace(), 5);
    EXPECT_EQ(table.measured(), calls);
}

TEST(ArtWidths, Report) {
    EXPECT_EQ(alignmentReport(3, 320, 0, 0), QStringLiteral("3 行を 320 ドットにそろえました。"));
    EXPECT_EQ(alignmentReport(3, 320, 1, 2),
              QStringLiteral("3 行を 320 ドットにそろえました。1 行は最大 2 ドット足りません。"));
}
