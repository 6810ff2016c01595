#include <gtest/gtest.h>

#include "core/colors.h"

using namespace kirel;

TEST(Colors, StringToInteger) {
    int value = 0;
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#82C2F2"), &value));
    EXPECT_EQ(value, 15909506);
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#ff0000"), &value));
    EXPECT_EQ(value, 255);
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#0080FF"), &value));
    EXPECT_EQ(value, 16744448);
    // Only six characters after "#" count; fewer are taken as they come.
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#0A0A0AZZ"), &value));
    EXPECT_EQ(value, 657930);
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#"), &value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(colorStringToInt(QStringLiteral("#12"), &value));
    EXPECT_EQ(value, 0x12);
    value = 99;
    EXPECT_FALSE(colorStringToInt(QStringLiteral("#GG0000"), &value));
    EXPECT_FALSE(colorStringToInt(QStringLiteral("# 12345"), &value));
    EXPECT_FALSE(colorStringToInt(QStringLiteral("#-12345"), &value));
    EXPECT_FALSE(colorStringToInt(QStringLiteral("#８２Ｃ２Ｆ２"), &value));
    EXPECT_EQ(value, 99);

    EXPECT_EQ(colorIntToString(15909506), QStringLiteral("82C2F2"));
    EXPECT_EQ(colorIntToString(255), QStringLiteral("FF0000"));
    EXPECT_EQ(colorIntToString(0), QStringLiteral("000000"));
    EXPECT_EQ(colorIntToString(0x00ABCDEF), QStringLiteral("EFCDAB"));
    EXPECT_EQ(colorIntToString(-1), QStringLiteral("FFFFFF"));
    for (int colour : {255, 16744448, 13876988, 16559015, 15909506, 12701097, 14647167, 657930}) {
        ASSERT_TRUE(colorStringToInt(QLatin1Char('#') + colorIntToString(colour), &value));
        EXPECT_EQ(value, colour);
    }
}

TEST(Colors, IntegerToStringAndBytes) {
    EXPECT_EQ(colorIntToString(15909506), QStringLiteral("82C2F2"));
    EXPECT_EQ(colorIntToString(255), QStringLiteral("FF0000"));
    // Bits above the colour bytes (system colours) do not show.
    EXPECT_EQ(colorIntToString(int(0xFF0A0B0C)), QStringLiteral("0C0B0A"));
    EXPECT_EQ(colorRed(15909506), 0x82);
    EXPECT_EQ(colorGreen(15909506), 0xC2);
    EXPECT_EQ(colorBlue(15909506), 0xF2);
    EXPECT_EQ(colorInt(0x82, 0xC2, 0xF2), 15909506);
    EXPECT_EQ(colorIntToString(0), QStringLiteral("000000"));
    EXPECT_EQ(colorIntToString(0x00ABCDEF), QStringLiteral("EFCDAB"));
    EXPECT_EQ(colorIntToString(-1), QStringLiteral("FFFFFF"));
    // The eight preset colours go there and back unchanged.
    for (int colour : {255, 16744448, 13876988, 16559015, 15909506, 12701097, 14647167, 657930}) {
        int value = 0;
        ASSERT_TRUE(colorStringToInt(QLatin1Char('#') + colorIntToString(colour), &value));
        EXPECT_EQ(value, colour);
    }
}
