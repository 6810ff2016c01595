// Rules every window shares: what a digit, colour or one-line field keeps of an
// edit, the reasons of failed file operations in Japanese, the file dialogs'
// filters, and menu names that must come back from the list file as typed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "phrases/menulibrary.h"
#include "platform/fieldrule.h"
#include "platform/filefilter.h"
#include "platform/sjis.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"

using namespace kirel;

namespace {

std::optional<QString> edit(FieldRule rule, const QString& before, const QString& after,
                            int maxLength = 0) {
    return admitEdit(rule, maxLength, before, after);
}

}  // namespace

TEST(FieldRule, DigitsTakeFullWidthDigitsAsAsciiAndRefuseTheRest) {
    // Typed, committed by an input method or pasted: only the inserted part counts.
    EXPECT_EQ(edit(FieldRule::Digits, "7", "72"), QStringLiteral("72"));
    EXPECT_EQ(edit(FieldRule::Digits, "", QStringLiteral("１２")), QStringLiteral("12"));
    EXPECT_EQ(edit(FieldRule::Digits, "15", QStringLiteral("1０5")), QStringLiteral("105"));
    for (const QString& refused :
         {QStringLiteral("725あ"), QStringLiteral("abc"), QStringLiteral("7 2"),
          QStringLiteral("-1"), QStringLiteral("１２a"), QStringLiteral("7\n")})
        EXPECT_FALSE(edit(FieldRule::Digits, "", refused)) << refused.toStdString();
    // Removing is always kept, also from a stored value the rule would refuse.
    EXPECT_EQ(edit(FieldRule::Digits, "ab", "a"), QStringLiteral("a"));
    EXPECT_EQ(edit(FieldRule::Digits, "abc", "abc1"), QStringLiteral("abc1"));
    EXPECT_FALSE(edit(FieldRule::Digits, "abc", "abcd"));

    int cursor = -1;
    EXPECT_EQ(
        admitEdit(FieldRule::Digits, 0, QStringLiteral("19"), QStringLiteral("1２３9"), &cursor),
        QStringLiteral("1239"));
    EXPECT_EQ(cursor, 3);  // after the inserted digits
}

TEST(FieldRule, MaximumLengthLimitsInputButNotAStoredValue) {
    EXPECT_EQ(edit(FieldRule::Digits, "123", "1234", 4), QStringLiteral("1234"));
    EXPECT_FALSE(edit(FieldRule::Digits, "1234", "12345", 4));
    EXPECT_FALSE(edit(FieldRule::Digits, "", QStringLiteral("１２３４５"), 4));
    // A stored "12345" is edited: shortened, or changed in place, it is kept.
    EXPECT_EQ(edit(FieldRule::Digits, "12345", "1234", 4), QStringLiteral("1234"));
    EXPECT_EQ(edit(FieldRule::Digits, "12345", "12395", 4), QStringLiteral("12395"));
    EXPECT_FALSE(edit(FieldRule::Digits, "12345", "123456", 4));
}

TEST(FieldRule, HexTakesHashDigitsAndHexLettersInEitherWidth) {
    EXPECT_EQ(edit(FieldRule::Hex, "#", "#fF09aB"), QStringLiteral("#fF09aB"));
    EXPECT_EQ(edit(FieldRule::Hex, "", QStringLiteral("＃ＦＦ００ｆｆ")),
              QStringLiteral("#FF00ff"));
    for (const QString& refused : {QStringLiteral("#g"), QStringLiteral("#FF 00"),
                                   QStringLiteral("#ＧＧ"), QStringLiteral("赤")})
        EXPECT_FALSE(edit(FieldRule::Hex, "", refused)) << refused.toStdString();
}

TEST(FieldRule, OneLineKeepsTheFirstLineOfWhatIsPutIn) {
    EXPECT_EQ(edit(FieldRule::OneLine, "", "(^_^)\r\n(;_;)\r\n(T_T)"), QStringLiteral("(^_^)"));
    EXPECT_EQ(edit(FieldRule::OneLine, "ab", "ax\ny\nb"), QStringLiteral("axb"));
    EXPECT_EQ(edit(FieldRule::OneLine, "", QStringLiteral("１２ あ")), QStringLiteral("１２ あ"));
    EXPECT_EQ(edit(FieldRule::OneLine, "", "\nsecond"), QString());
    // The caret after the edit places repeated characters: ">" pasted with a
    // second line over a selected ">" leaves only the first line.
    int caret = 5;
    EXPECT_EQ(admitEdit(FieldRule::OneLine, 0, u">", u"＞\r\n>>", &caret), QStringLiteral("＞"));
    EXPECT_EQ(caret, 1);
    EXPECT_EQ(firstLine(u"http://a/\r"), QStringLiteral("http://a/"));
    EXPECT_EQ(toHalfWidth(QStringLiteral("ＡＢ～！　あ")), QStringLiteral("AB~!　あ"));
}

TEST(SystemReason, CommonReasonsInJapaneseOthersAsTheSystemSaysThem) {
    const std::pair<int, const char*> table[] = {
        {ENOSPC, "ディスクの空き容量が足りません。"},
        {EDQUOT, "ディスクの空き容量が足りません。"},
        {EROFS, "読み取り専用のファイルシステムです。"},
        {EACCES, "アクセス権がありません。"},
        {EPERM, "アクセス権がありません。"},
        {EISDIR, "ファイルではなくフォルダです。"},
        {ENOENT, "ファイルまたはフォルダが見つかりません。"},
        {ENAMETOOLONG, "ファイル名が長すぎます。"},
        {EMFILE, "開いているファイルが多すぎます。"},
        {ENFILE, "開いているファイルが多すぎます。"},
        {EIO, "入出力エラーが発生しました。"},
        {0, "原因不明のエラーが発生しました。"},
    };
    for (const auto& [error, text] : table)
        EXPECT_EQ(systemReason(error), QString::fromUtf8(text)) << error;
    EXPECT_EQ(systemReason(EXDEV), QString::fromLocal8Bit(std::strerror(EXDEV)));
    // A folder is a folder whatever number the failure left.
    QTemporaryDir dir;
    EXPECT_EQ(fileReason(dir.path(), 0), systemReason(EISDIR));
}

TEST(SystemReason, EveryWriteAndReadFailureCarriesItsRealReason) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no/such/list.txt"));
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString longName = dir.filePath(QString(300, QLatin1Char('x')));
    const std::pair<QString, int> writes[] = {
        {missing, ENOENT}, {folder, EISDIR}, {longName, ENAMETOOLONG}};
    for (const auto& [path, error] : writes) {
        try {
            writeBytesFile(path, "x");
            ADD_FAILURE() << path.toStdString();
        } catch (const WriteFailure& failure) {
            EXPECT_EQ(failure.reason(), systemReason(error)) << path.toStdString();
            EXPECT_EQ(failure.message(), QFileInfo(path).absoluteFilePath() +
                                             QStringLiteral(" に書き込めません。\r\n") +
                                             systemReason(error));
        }
    }
    try {
        readTextFile(folder);
        ADD_FAILURE();
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(),
                  folder + QStringLiteral(" を開けません。\r\n") + systemReason(EISDIR));
    }
}

TEST(FileFilter, WindowsPatternListsBecomeQtNameFilters) {
    EXPECT_EQ(
        qtNameFilters(QStringLiteral("画像ファイル (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|"
                                     "ＧＩＦ(*.gif)|*.gif|PNG|*.png|すべてのファイル (*.*)|*.*")),
        (QStringList{QStringLiteral("画像ファイル (*.jpg *.jpeg *.bmp)"),
                     QStringLiteral("ＧＩＦ(*.gif)"), QStringLiteral("PNG (*.png)"),
                     QStringLiteral("すべてのファイル (*)")}));
    // The patterns are the pair's second half, whatever the description says.
    EXPECT_EQ(qtNameFilters(QStringLiteral("テキスト (*.txt)|*.txt; *.log")),
              QStringList{QStringLiteral("テキスト (*.txt *.log)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}

TEST(MenuNames, CompatibilityFormsAreKeptAsTheCharactersTheirCodesStandFor) {
    using phrases::menuName;
    using phrases::menuNameProblem;
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    // As Linux input methods type them, and as they come back from the list file.
    EXPECT_EQ(menuName(QStringLiteral("お礼〜")), QStringLiteral("お礼～"));
    EXPECT_EQ(menuName(QStringLiteral("差−1")), QStringLiteral("差－1"));
    EXPECT_EQ(menuName(QStringLiteral("円¥")), QStringLiteral("円￥"));
    for (const QString& typed : {QStringLiteral("お礼〜"), QStringLiteral("円¥"),
                                 QStringLiteral("差−1"), QStringLiteral("‖¢£¬—‾")}) {
        const QString name = menuName(typed);
        EXPECT_EQ(sjis::decode(sjis::encode(name)), name) << typed.toStdString();
        EXPECT_EQ(menuNameProblem(folder, name), QString()) << typed.toStdString();
    }
    // Anything else that would not read back as itself is refused.
    EXPECT_EQ(menuNameProblem(folder, QStringLiteral("café")), phrases::kNameChars);
    EXPECT_EQ(menuNameProblem(folder, QStringLiteral("お礼〜")), phrases::kNameChars);
}
