// The preferences' rules without a window: the colour fields'
// change rules, the checks before saving in their order, the frame colour, and
// the settings file a save produces.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/profile.h"
#include "platform/sjis.h"
#include "preferences/preferencesrules.h"

namespace kirel::prefs {
namespace {

TEST(PreferencesRules, ColorRuleAddsHashCutsAndConverts) {
    // Cleared: "#" stays, caret after it.
    ColorEdit e = colorRule(QString());
    EXPECT_EQ(e.text, QStringLiteral("#"));
    EXPECT_EQ(e.caret, 1);
    EXPECT_FALSE(e.complete);
    // A first digit typed over a selected "#": "#" in front, caret after the digit.
    e = colorRule(QStringLiteral("f"));
    EXPECT_EQ(e.text, QStringLiteral("#f"));
    EXPECT_EQ(e.caret, 2);
    // Lower case stays as typed and converts.
    e = colorRule(QStringLiteral("#0000ff"));
    EXPECT_EQ(e.text, QStringLiteral("#0000ff"));
    EXPECT_EQ(e.caret, -1);
    EXPECT_TRUE(e.valid);
    EXPECT_EQ(e.color, 0xFF0000);  // blue in the high byte
    // Too long: cut to seven.
    e = colorRule(QStringLiteral("#82C2F2AA"));
    EXPECT_EQ(e.text, QStringLiteral("#82C2F2"));
    EXPECT_EQ(e.color, 15909506);
    // Six digits pasted without "#": "#" in front, then cut.
    e = colorRule(QStringLiteral("82C2F2A"));
    EXPECT_EQ(e.text, QStringLiteral("#82C2F2"));
    // Seven characters that are no colour.
    e = colorRule(QStringLiteral("#12345G"));
    EXPECT_TRUE(e.complete);
    EXPECT_FALSE(e.valid);
}

TEST(PreferencesRules, CellColorMayStayEmpty) {
    EXPECT_EQ(cellColorRule(QString()).text, QString());
    EXPECT_FALSE(cellColorRule(QString()).complete);
    EXPECT_EQ(cellColorRule(QStringLiteral("FCBED3")).text, QStringLiteral("#FCBED3"));
    // Pasted, seven characters and not hexadecimal: reported, not converted.
    const ColorEdit bad = cellColorRule(QStringLiteral("#ZZZZZZ"));
    EXPECT_TRUE(bad.complete);
    EXPECT_FALSE(bad.valid);
}

Values validValues() {
    Values v;
    for (BoardFields& b : v.boards) {
        b = {QStringLiteral("1000"),
             QStringLiteral("#000000"),
             QStringLiteral("#FFFFFF"),
             QStringLiteral("725"),
             QStringLiteral("#FCBED3"),
             QString(),
             true};
    }
    v.picturePath = QStringLiteral("/p.bmp");
    v.handleMax = QStringLiteral("20");
    return v;
}

const auto kNoFolder = [](const QString&) { return false; };

TEST(PreferencesCheck, FirstFailingFieldWins) {
    Values v = validValues();
    EXPECT_FALSE(check(v, kNoFolder));
    // "#" alone, empty cell colours and "100" pass.
    v.boards[0].textColor = QStringLiteral("#");
    v.boards[1].cellColor.clear();
    v.boards[2].cellWidth = QStringLiteral("100");
    EXPECT_FALSE(check(v, kNoFolder));

    // Every kind of failure at once: the cell width of board 2 comes first.
    v.boards[1].cellWidth = QStringLiteral("99");
    v.boards[2].cellWidth = QStringLiteral("9");
    v.boards[0].backColor = QStringLiteral("#GG0000");
    v.boards[2].textColor = QStringLiteral("#00X");
    v.boards[1].cellColor = QStringLiteral("#X");
    v.savePath = QStringLiteral("/missing");
    v.picturePath.clear();
    v.currentBoard = 1;
    v.boards[1].limit.clear();
    std::optional<Refusal> r = check(v, kNoFolder);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->page, 1);
    EXPECT_EQ(r->field, Field::CellWidth);
    EXPECT_TRUE(r->plain);
    EXPECT_EQ(r->message,
              QStringLiteral("掲示板２のセル幅設定が異常です。\r\n２けた以下は設定できません。"));

    // Then the colours, board by board (text, cell), before any background.
    v.boards[1].cellWidth = v.boards[2].cellWidth = QStringLiteral("725");
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->board, r->field), std::pair(1, Field::CellColor));
    EXPECT_FALSE(r->plain);
    v.boards[1].cellColor.clear();
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->board, r->field), std::pair(2, Field::TextColor));
    v.boards[2].textColor = QStringLiteral("#00");
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->board, r->field), std::pair(0, Field::BackColor));
    v.boards[0].backColor = QStringLiteral("#");

    // Then the folder, the picture, and the limit of the current board.
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->page, r->field), std::pair(kFormPage, Field::SaveFolder));
    v.savePath.clear();
    r = check(v, kNoFolder);
    EXPECT_EQ(r->field, Field::PictureChoice);
    v.pictureChoice = kNoPicture;
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->page, r->field), std::pair(1, Field::Limit));
    EXPECT_TRUE(r->message.startsWith(QStringLiteral("掲示板２")));
    // Every board's limit counts: the settings would read a non-number back as
    // the default limit once that board is chosen.
    v.currentBoard = 0;
    r = check(v, kNoFolder);
    EXPECT_EQ(std::pair(r->board, r->field), std::pair(1, Field::Limit));
    v.boards[1].limit = QStringLiteral("0");
    EXPECT_FALSE(check(v, kNoFolder));
}

TEST(PreferencesCheck, NumbersTheSettingsCouldNotReadAreRefused) {
    // Three characters that are no number: the width passes the length check but
    // not this one, on any board; its own warning, page and field.
    Values v = validValues();
    v.boards[2].cellWidth = QStringLiteral("abc");
    std::optional<Refusal> r = check(v, kNoFolder);
    ASSERT_TRUE(r);
    EXPECT_EQ(std::tuple(r->page, r->board, r->field), std::tuple(2, 2, Field::CellWidth));
    EXPECT_FALSE(r->plain);
    EXPECT_EQ(r->message, QStringLiteral("掲示板３のセル幅設定が異常です。\r\n100～9999の半角数字で"
                                         "入力してください"));
    v.boards[2].cellWidth = QStringLiteral("１２３");  // full-width digits are no number either
    EXPECT_EQ(check(v, kNoFolder)->field, Field::CellWidth);
    v.boards[2].cellWidth = QStringLiteral("99999");  // a long stored width passes
    EXPECT_FALSE(check(v, kNoFolder));

    for (const QString& bad : {QStringLiteral("ab"), QString(), QStringLiteral("-1")}) {
        v.handleMax = bad;
        r = check(v, kNoFolder);
        ASSERT_TRUE(r) << bad.toStdString();
        EXPECT_EQ(std::tuple(r->page, r->board, r->field),
                  std::tuple(kQuotePage, -1, Field::HandleMax));
        EXPECT_EQ(r->message, QStringLiteral("ハンドルネームとする文字数の設定が異常です。\r\n0～99"
                                             "の半角数字で入力してください"));
    }
    v.handleMax = QStringLiteral("150");  // stored beyond the field's two digits: kept
    EXPECT_FALSE(check(v, kNoFolder));
}

TEST(PreferencesCheck, SaveFolderMustBeAnExistingFolder) {
    QTemporaryDir dir;
    Values v = validValues();
    const auto isFolder = [](const QString& p) { return QFileInfo(p).isDir(); };
    v.savePath = dir.path();
    EXPECT_FALSE(check(v, isFolder));
    QFile file(dir.filePath(QStringLiteral("f.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    v.savePath = file.fileName();
    EXPECT_TRUE(check(v, isFolder));
}

TEST(PreferencesSave, FrameColor) {
    BoardFields b;
    b.cellColor = QStringLiteral("#FCBED3");
    b.frame = true;
    EXPECT_EQ(frameColor(b), QStringLiteral("#8080FF"));
    b.frame = false;
    EXPECT_EQ(frameColor(b), QStringLiteral("#FCBED3"));
    b.cellColor.clear();
    EXPECT_EQ(frameColor(b), QString());
}

// Opening normalises the stored values: "#" in front, no frame without a cell.
TEST(PreferencesOpen, ReadDefaultsAndNormalise) {
    QTemporaryDir dir;
    const Profile ini(dir.filePath(QStringLiteral("Kirel.ini")));
    QFile f(ini.path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "[Form10]\r\nF1Color=FF0000\r\nC2Color=\r\nMOJISU2=\r\nCheck2=2\r\n[Form3]\r\nHTML3="
        "123456\r\n");
    f.close();
    Values v = readValues(ini, QStringLiteral("/app/"));
    normalise(v);
    EXPECT_EQ(v.boards[0].textColor, QStringLiteral("#FF0000"));
    EXPECT_EQ(v.boards[1].cellColor, QString());
    EXPECT_FALSE(v.boards[1].frame);
    EXPECT_EQ(v.boards[1].limit, QString());  // present and empty: shown empty
    EXPECT_EQ(v.boards[2].limit, QStringLiteral("3000"));
    EXPECT_EQ(v.boards[2].image, QStringLiteral("/app//user/Background.jpg"));
    EXPECT_EQ(v.presetHtml[2], QStringLiteral("#123456"));
    EXPECT_EQ(v.presetHtml[7], QStringLiteral("#0A0A0A"));
    EXPECT_EQ(v.currentBoard, 2);
    EXPECT_EQ(v.picturePath, QStringLiteral("/app//images/pirumi.bmp"));
}

// A save onto an existing file: every key in its order, existing lines kept and
// replaced in place, new keys after the last line of their section.
TEST(PreferencesSave, KeyOrderByteForByte) {
    QTemporaryDir dir;
    const Profile ini(dir.filePath(QStringLiteral("Kirel.ini")));
    QFile f(ini.path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Form1]\r\nForm1Top=100\r\n[Form10]\r\nCheck2=1\r\nMOJISU2=1000\r\n");
    f.close();

    Values v = validValues();
    v.currentBoard = 1;
    v.boards[1].limit = QStringLiteral("500");
    v.boards[1].textColor = QStringLiteral("#0000FF");
    v.boards[1].cellColor.clear();
    v.boards[1].frame = false;
    v.boards[2].image = QStringLiteral("/b.jpg");
    for (int i = 0; i < 8; ++i) {
        v.presetColors[i] = i;
        v.presetHtml[i] = QStringLiteral("#00000%1").arg(i);
    }
    v.handleMax = QStringLiteral("7");
    v.handleFront = QStringLiteral(">");
    v.handleBack = QStringLiteral("さん");
    v.pictureChoice = 6;
    v.picturePath.clear();
    v.formColor = 15909506;
    v.formButtonColors = {1, 2, 3, 4};
    v.quoteItalic = true;
    v.savePath = QStringLiteral("/s");
    ProfileBatch batch(ini);
    writeValues(batch, v);
    batch.commit();

    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "[Form1]\r\nForm1Top=100\r\n[Form10]\r\nCheck2=1\r\nMOJISU2=500\r\n"
        "MOJISU1=1000\r\nMOJISU3=1000\r\nCColor=\r\nFColor=#0000FF\r\n"
        "F1Color=#000000\r\nC1Color=#FFFFFF\r\nF2Color=#0000FF\r\nC2Color=\r\n"
        "F3Color=#000000\r\nC3Color=#FFFFFF\r\nCellWidth=725\r\n"
        "CELL1=725\r\nCELL2=725\r\nCELL3=725\r\nHaikei=#FCBED3\r\n"
        "Haikei1=#FCBED3\r\nHaikei2=#FCBED3\r\nHaikei3=#FCBED3\r\nBackground=\r\n"
        "Background1=\r\nBackground2=\r\nBackground3=/b.jpg\r\nMojiOK=500\r\nWaku=\r\n"
        "Waku1=1\r\nWaku2=0\r\nWaku3=1\r\n"
        "Image=6\r\nImagePath=\r\nUserImagePath1=\r\nUserImagePath2=\r\nUserImagePath3=\r\n"
        "FormColor=15909506\r\nFormButtonColor1=1\r\nFormButtonColor2=2\r\n"
        "FormButtonColor3=3\r\nFormButtonColor4=4\r\nInyoColor=0\r\nInyoItalic=1\r\n"
        "SavePath=/s\r\n"
        "[Form3]\r\nColor1=0\r\nColor2=1\r\nColor3=2\r\nColor4=3\r\nColor5=4\r\nColor6=5\r\n"
        "Color7=6\r\nColor8=7\r\nHTML1=#000000\r\nHTML2=#000001\r\nHTML3=#000002\r\n"
        "HTML4=#000003\r\nHTML5=#000004\r\nHTML6=#000005\r\nHTML7=#000006\r\n"
        "HTML8=#000007\r\n"
        "[Form5]\r\nHnMax=7\r\nHnFront=>\r\nHnBack=" +
        sjis::encode(QStringLiteral("さん")) + "\r\n";
    EXPECT_EQ(f.readAll(), expected);
}

TEST(PreferencesSave, HandleAffixesKeepTheirBlanks) {
    QTemporaryDir dir;
    const Profile ini(dir.filePath(QStringLiteral("Kirel.ini")));
    Values v = validValues();
    v.handleFront = QStringLiteral("\t>");
    v.handleBack = QStringLiteral(" さん");
    ProfileBatch batch(ini);
    writeValues(batch, v);
    batch.commit();
    const Values back = readValues(ini, dir.path() + QLatin1Char('/'));
    EXPECT_EQ(back.handleFront, QStringLiteral("\t>"));
    EXPECT_EQ(back.handleBack, QStringLiteral(" さん"));
    QFile f(ini.path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        f.readAll().contains("HnBack=\" " + sjis::encode(QStringLiteral("さん")) + "\"\r\n"));
}

TEST(PreferencesSave, QuoteListHasNoEmptyLastCandidate) {
    EXPECT_EQ(quoteMarkLines(QStringLiteral(">\n＞\n")), QStringList({">", "＞"}));
    EXPECT_EQ(quoteMarkLines(QStringLiteral(">\n＞")), QStringList({">", "＞"}));
    EXPECT_EQ(quoteMarkLines(QString()), QStringList());
    // Only the line after the final break goes: an empty candidate typed between
    // others, or before the end, stays.
    EXPECT_EQ(quoteMarkLines(QStringLiteral(">\n\n")), QStringList({">", ""}));
    EXPECT_EQ(quoteMarkLines(QStringLiteral("\n>")), QStringList({"", ">"}));
}

}  // namespace
}  // namespace kirel::prefs
