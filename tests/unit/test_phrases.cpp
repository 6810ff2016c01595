// Rules of the phrase libraries: the input dialog's roles and width rule.

#include <gtest/gtest.h>

#include "phrases/inputrules.h"
#include "phrases/placement.h"

using namespace kirel;
using namespace kirel::phrases;

TEST(InputRules, WidthIsOneToHundredInPlainDigits) {
    for (const char* ok : {"1", "100", "050", "99", "001"})
        EXPECT_EQ(checkWidth(QString::fromLatin1(ok)), WidthCheck::InRange) << ok;
    for (const char* bad : {"0", "000", "101", "999", "+5", " 5", "$10", "5a", "１０"})
        EXPECT_EQ(checkWidth(QString::fromUtf8(bad)), WidthCheck::OutOfRange) << bad;
    EXPECT_EQ(checkWidth(QString()), WidthCheck::Empty);
    // A long run of digits does not overflow into the range.
    EXPECT_EQ(checkWidth(QStringLiteral("4294967346")), WidthCheck::OutOfRange);
}

TEST(InputRules, WidthKeysAreDigitsAndControlCharacters) {
    for (QChar c : QStringLiteral("0123456789\b\r\x16")) EXPECT_TRUE(widthKeyAllowed(c));
    for (QChar c : QStringLiteral("a -.%０")) EXPECT_FALSE(widthKeyAllowed(c));
}

TEST(InputRules, OnlyTheWidthRoleRestrictsTheField) {
    for (InputRole r :
         {InputRole::AddEmoticon, InputRole::AddMenu, InputRole::AddItem, InputRole::RenameMenu}) {
        const RoleSetup s = roleSetup(r);
        EXPECT_FALSE(s.digitsOnly);
        EXPECT_TRUE(s.editMenu);
        EXPECT_GT(s.maxLength, 100);
    }
    const RoleSetup w = roleSetup(InputRole::Width);
    EXPECT_TRUE(w.digitsOnly && w.latinInput && !w.editMenu);
    EXPECT_EQ(w.maxLength, 3);
    EXPECT_TRUE(roleSetup(InputRole::AddEmoticon).latinInput);
    EXPECT_FALSE(roleSetup(InputRole::AddMenu).latinInput);
}

TEST(Placement, StoredPositionOffTheScreenBecomesTen) {
    EXPECT_EQ(onScreen(5000, 1024), 10);
    EXPECT_EQ(onScreen(-1, 1024), 10);
    EXPECT_EQ(onScreen(1024, 1024), 1024);  // the extent itself stays
    EXPECT_EQ(onScreen(0, 1024), 0);
}
