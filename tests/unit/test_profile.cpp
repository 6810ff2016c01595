#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/systemreason.h"

namespace kirel {
namespace {

// Shift-JIS bytes used below.
#define SJIS_SAN "\x82\xB3\x82\xF1"     // さん
#define SJIS_SETTEI "\x90\xDD\x92\xE8"  // 設定
#define SJIS_A "\x82\xA0"               // あ
#define SJIS_SO "\x83\x5C"              // ソ (second byte is a backslash)
#define SJIS_HYPHEN "\x81\x5D"          // ‐ (second byte is "]")
#define SJIS_IDEO_SPACE "\x81\x40"      // full-width space
#define SJIS_FW_UPPER_A "\x82\x60"      // Ａ
#define SJIS_FW_LOWER_A "\x82\x81"      // ａ

class ProfileTest : public ::testing::Test {
  protected:
    QString path() const { return dir_.filePath(QStringLiteral("Kirel.ini")); }
    Profile profile() const { return Profile(path()); }

    void put(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray contents() const {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
        return file.readAll();
    }
    QString read(const char* section, const char* key,
                 const QString& def = QStringLiteral("<def>")) const {
        return profile().readString(QString::fromUtf8(section), QString::fromUtf8(key), def);
    }
    int readInt(const char* section, const char* key, int def = -7) const {
        return profile().readInteger(QString::fromUtf8(section), QString::fromUtf8(key), def);
    }
    void write(const char* section, const char* key, const QString& value) const {
        profile().writeString(QString::fromUtf8(section), QString::fromUtf8(key), value);
    }

    QTemporaryDir dir_;
};

// A file as Windows writes it: CR LF, Shift-JIS values, a comment, odd case.
const QByteArray kWindowsFile =
    "; settings\r\n"
    "[Form1]\r\n"
    "Form1Top=120\r\n"
    "form1left = 60 \r\n"
    "\r\n"
    "[FORM5]\r\n"
    "HnBack=" SJIS_SAN
    "\r\n"
    "HnFront=" SJIS_IDEO_SPACE ">" SJIS_IDEO_SPACE
    "\r\n"
    "[Form10]\r\n"
    "C3Color=\r\n"
    "FormColor=0x00FF00\r\n"
    "SavePath=\"C:\\" SJIS_SO "\\" SJIS_SETTEI "\"\r\n";

TEST_F(ProfileTest, ReadsAWindowsWrittenFile) {
    put(kWindowsFile);
    EXPECT_EQ(readInt("Form1", "Form1Top"), 120);
    EXPECT_EQ(readInt("form1", "FORM1LEFT"), 60);
    EXPECT_EQ(read("Form1", "Form1Left"), QStringLiteral("60"));
    EXPECT_EQ(read("Form5", "HnBack"), QStringLiteral("さん"));
    // The full-width space is not a blank.
    EXPECT_EQ(read("Form5", "HnFront"), QStringLiteral("　>　"));
    // Present but empty: empty, and the integer read falls back to its default.
    EXPECT_EQ(read("Form10", "C3Color"), QString());
    EXPECT_EQ(readInt("Form10", "C3Color", 725), 725);
    EXPECT_EQ(readInt("Form10", "FormColor"), 65280);
    EXPECT_EQ(read("Form10", "SavePath"), QStringLiteral("C:\\ソ\\設定"));
    // Missing key, section or file.
    EXPECT_EQ(read("Form10", "Nothing"), QStringLiteral("<def>"));
    EXPECT_EQ(read("Form99", "Form1Top"), QStringLiteral("<def>"));
    EXPECT_TRUE(profile().readBool(QStringLiteral("Form6"), QStringLiteral("http"), true));
    QFile::remove(path());
    EXPECT_EQ(readInt("Form1", "Form1Top", 100), 100);
}

TEST_F(ProfileTest, NamesFoldAsciiCaseOnly) {
    put("[" SJIS_FW_UPPER_A "x]\r\n" SJIS_FW_LOWER_A "=1\r\n[Y]\r\nk=2\r\n");
    EXPECT_EQ(read("Ａx", "ａ"), QStringLiteral("1"));
    EXPECT_EQ(read("ＡX", "ａ"), QStringLiteral("1"));
    EXPECT_EQ(read("ａx", "ａ"), QStringLiteral("<def>"));
    EXPECT_EQ(read("Ａx", "Ａ"), QStringLiteral("<def>"));
    EXPECT_EQ(read("y", "K"), QStringLiteral("2"));
}

TEST_F(ProfileTest, BlanksQuotesAndComments) {
    put("[S]\r\n"
        "  Spaced \t=\t two  words \t\r\n"
        "Double=\"quoted\"\r\n"
        "Single='quoted'\r\n"
        "Inner=\" a \"\r\n"
        "Mixed=\"a'\r\n"
        "Lone=\"\r\n"
        "Pair=\"\"\r\n"
        "Twice=\"\"x\"\"\r\n"
        "Inline=8 ; x\r\n"
        ";Cmt=4\r\n"
        "NoEquals\r\n");
    EXPECT_EQ(read("S", "Spaced"), QStringLiteral("two  words"));
    EXPECT_EQ(read("S", "Double"), QStringLiteral("quoted"));
    EXPECT_EQ(read("S", "Single"), QStringLiteral("quoted"));
    EXPECT_EQ(read("S", "Inner"), QStringLiteral(" a "));
    EXPECT_EQ(read("S", "Mixed"), QStringLiteral("\"a'"));
    EXPECT_EQ(read("S", "Lone"), QStringLiteral("\""));
    EXPECT_EQ(read("S", "Pair"), QString());
    EXPECT_EQ(read("S", "Twice"), QStringLiteral("\"x\""));
    EXPECT_EQ(read("S", "Inline"), QStringLiteral("8 ; x"));
    EXPECT_EQ(readInt("S", "Inline"), -7);
    EXPECT_EQ(read("S", ";Cmt"), QStringLiteral("4"));
    EXPECT_EQ(read("S", "NoEquals"), QStringLiteral("<def>"));
}

TEST_F(ProfileTest, TextWithBlanksAtItsEndsIsStoredInQuotes) {
    // The read trims blanks around a value and then removes one pair of quotes
    // around it: a value with a blank at either end is written in quotes.
    write("Form5", "HnBack", QStringLiteral(" さん"));
    write("Form5", "HnFront", QStringLiteral(">\t"));
    write("Form5", "Both", QStringLiteral(" "));
    write("Form5", "Plain", QStringLiteral("さん"));
    write("Form5", "Inside", QStringLiteral("a b"));
    EXPECT_EQ(contents(), QByteArray("[Form5]\r\nHnBack=\" " SJIS_SAN "\"\r\nHnFront=\">\t\"\r\n"
                                     "Both=\" \"\r\nPlain=" SJIS_SAN "\r\nInside=a b\r\n"));
    EXPECT_EQ(read("Form5", "HnBack"), QStringLiteral(" さん"));
    EXPECT_EQ(read("Form5", "HnFront"), QStringLiteral(">\t"));
    EXPECT_EQ(read("Form5", "Both"), QStringLiteral(" "));
    EXPECT_EQ(read("Form5", "Plain"), QStringLiteral("さん"));
    // Stored already: writing it again changes nothing.
    const QByteArray before = contents();
    write("Form5", "HnBack", QStringLiteral(" さん"));
    EXPECT_EQ(contents(), before);
    // A file written elsewhere with the blank in quotes reads the same.
    put("[Form5]\r\nHnBack = \" " SJIS_SAN "\" \r\n");
    EXPECT_EQ(read("Form5", "HnBack"), QStringLiteral(" さん"));
}

TEST_F(ProfileTest, FirstSectionAndFirstKeyWin) {
    put("Loose=0\r\n"
        "[S]\r\n"
        "K=first\r\n"
        "k=second\r\n"
        "[Open\r\n"
        "Inside=yes\r\n"
        "[s]\r\n"
        "K=third\r\n"
        "Late=1\r\n");
    EXPECT_EQ(read("S", "K"), QStringLiteral("first"));
    // "[Open" has no closing bracket, so the key after it is still in [S].
    EXPECT_EQ(read("S", "Inside"), QStringLiteral("yes"));
    EXPECT_EQ(read("Open", "Inside"), QStringLiteral("<def>"));
    // A repeated header is not searched.
    EXPECT_EQ(read("S", "Late"), QStringLiteral("<def>"));
    EXPECT_EQ(read("S", "Loose"), QStringLiteral("<def>"));
}

TEST_F(ProfileTest, HeaderBracketInsideADoubleByteCharacter) {
    // The second byte of ‐ is "]"; a header needs a real closing bracket.
    put("[" SJIS_SETTEI SJIS_HYPHEN "]\r\nK=1\r\n[" SJIS_SO SJIS_HYPHEN "\r\nL=2\r\n");
    EXPECT_EQ(read("設定‐", "K"), QStringLiteral("1"));
    EXPECT_EQ(read("設定‐", "L"), QStringLiteral("2"));
    EXPECT_EQ(read("ソ", "L"), QStringLiteral("<def>"));
}

TEST_F(ProfileTest, LineEndingsReadAlike) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(eol);
        const QByteArray e(eol);
        put("[A]" + e + "X=1" + e + e + "[B]" + e + "Y=" SJIS_SAN + e + "Z=3");
        EXPECT_EQ(read("A", "X"), QStringLiteral("1"));
        EXPECT_EQ(read("B", "Y"), QStringLiteral("さん"));
        EXPECT_EQ(readInt("B", "Z"), 3);
    }
    put("[A]\nX=1\r[B]\r\nY=2\n\rZ=3");
    EXPECT_EQ(read("A", "X"), QStringLiteral("1"));
    EXPECT_EQ(read("B", "Y"), QStringLiteral("2"));
    EXPECT_EQ(read("B", "Z"), QStringLiteral("3"));
}

TEST_F(ProfileTest, IntegerForms) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"+42", 42},
        {"-42", -42},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"0x00FF00", 65280},
        {"0XfF", 255},
        {"$10", 16},
        {"0xFFFFFFFF", -1},
        {"$80000000", -2147483647 - 1},
        {"\"12\"", 12},
        // Everything below gives the default.
        {"12abc", -7},
        {"", -7},
        {"-", -7},
        {"0x", -7},
        {"$", -7},
        {"0xG1", -7},
        {"2147483648", -7},
        {"-2147483649", -7},
        {"0x100000000", -7},
        {"1 2", -7},
        {"1.5", -7},
        {"\x82\x50", -7},  // full-width 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        put("[S]\r\nK=" + QByteArray(c.text) + "\r\n");
        EXPECT_EQ(readInt("S", "K"), c.expected);
    }
}

TEST_F(ProfileTest, Booleans) {
    put("[S]\r\nOne=1\r\nZero=0\r\nOther=-5\r\nJunk=yes\r\nEmpty=\r\n");
    const Profile p = profile();
    const QString s = QStringLiteral("S");
    EXPECT_TRUE(p.readBool(s, QStringLiteral("One"), false));
    EXPECT_FALSE(p.readBool(s, QStringLiteral("Zero"), true));
    EXPECT_TRUE(p.readBool(s, QStringLiteral("Other"), false));
    EXPECT_TRUE(p.readBool(s, QStringLiteral("Junk"), true));
    EXPECT_FALSE(p.readBool(s, QStringLiteral("Junk"), false));
    EXPECT_TRUE(p.readBool(s, QStringLiteral("Empty"), true));
    p.writeBool(s, QStringLiteral("One"), false);
    p.writeBool(s, QStringLiteral("New"), true);
    EXPECT_EQ(contents(),
              QByteArray("[S]\r\nOne=0\r\nZero=0\r\nOther=-5\r\nJunk=yes\r\nEmpty=\r\nNew=1\r\n"));
}

TEST_F(ProfileTest, LongValuesAreCutAt2047Bytes) {
    put("[S]\r\nAscii=" + QByteArray(3000, 'x') + "\r\nFits=" + QByteArray(2047, 'y') +
        "\r\nOdd=a" + QByteArray(SJIS_A).repeated(1500) +
        "\r\nEven=" + QByteArray(SJIS_A).repeated(1500) + "\r\n");
    EXPECT_EQ(read("S", "Ascii"), QString(2047, QLatin1Char('x')));
    EXPECT_EQ(read("S", "Fits"), QString(2047, QLatin1Char('y')));
    // 1 + 2 × 1023 bytes fit exactly.
    EXPECT_EQ(read("S", "Odd"), QStringLiteral("a") + QStringLiteral("あ").repeated(1023));
    // The 1024th character would need bytes 2047 and 2048: it is dropped whole.
    EXPECT_EQ(read("S", "Even"), QStringLiteral("あ").repeated(1023));
}

// Lines of every kind that a write must leave exactly as they are.
const QByteArray kMixedFile = "; comment " SJIS_SETTEI
                              "\r\n"
                              "[Other]\n"
                              "Key=" SJIS_SO
                              "\n"
                              "Weird line without equals\r"
                              "[Form1]\r\n"
                              "  Form1Top = 120  \r\n"
                              "form1left=60\r\n"
                              "\r\n"
                              "[Unknown]\r\n"
                              "x=\"y\"\r\n"
                              "\r\n";

TEST_F(ProfileTest, WriteChangesOnlyItsLine) {
    put(kMixedFile);
    write("FORM1", "form1top", QStringLiteral("7"));
    QByteArray expected = kMixedFile;
    expected.replace("  Form1Top = 120  \r\n", "Form1Top=7\r\n");
    EXPECT_EQ(contents(), expected);

    write("Other", "KEY", QStringLiteral("設定"));
    expected.replace("Key=" SJIS_SO "\n", "Key=" SJIS_SETTEI "\n");
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(read("Other", "Key"), QStringLiteral("設定"));

    // An empty value is stored as such and reads back empty.
    write("Unknown", "x", QString());
    expected.replace("x=\"y\"\r\n", "x=\r\n");
    EXPECT_EQ(contents(), expected);
    EXPECT_EQ(read("Unknown", "x"), QString());
}

TEST_F(ProfileTest, NewKeyGoesAfterTheLastLineOfItsSection) {
    put(kMixedFile);
    write("Form1", "Form1Height", QStringLiteral("402"));
    QByteArray expected = kMixedFile;
    expected.replace("form1left=60\r\n", "form1left=60\r\nForm1Height=402\r\n");
    EXPECT_EQ(contents(), expected);

    // After a line without "=" that ends with a lone CR.
    write("Other", "Second", QStringLiteral("2"));
    expected.replace("equals\r", "equals\rSecond=2\r\n");
    EXPECT_EQ(contents(), expected);

    // The last section, ending in a blank line.
    write("Unknown", "z", QStringLiteral("1"));
    expected.replace("x=\"y\"\r\n", "x=\"y\"\r\nz=1\r\n");
    EXPECT_EQ(contents(), expected);
}

TEST_F(ProfileTest, NewKeyInALastSectionWithoutFinalLineBreak) {
    put("[A]\r\nX=1\r\n[B]\nY=2");
    write("B", "Z", QStringLiteral("3"));
    EXPECT_EQ(contents(), QByteArray("[A]\r\nX=1\r\n[B]\nY=2\r\nZ=3\r\n"));
    put("[A]");
    write("A", "X", QStringLiteral("1"));
    EXPECT_EQ(contents(), QByteArray("[A]\r\nX=1\r\n"));
}

TEST_F(ProfileTest, NewSectionIsAppendedWithoutBlankLine) {
    write("Form2", "Inyoufu", QStringLiteral(">"));
    EXPECT_EQ(contents(), QByteArray("[Form2]\r\nInyoufu=>\r\n"));

    write("Form5", "HnBack", QStringLiteral("さん"));
    EXPECT_EQ(contents(), QByteArray("[Form2]\r\nInyoufu=>\r\n[Form5]\r\nHnBack=" SJIS_SAN "\r\n"));

    put("[A]\r\nX=1\r\n\r\n");
    write("B", "Y", QStringLiteral("2"));
    EXPECT_EQ(contents(), QByteArray("[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n"));

    put("[A]\nX=1");
    write("B", "Y", QStringLiteral("2"));
    EXPECT_EQ(contents(), QByteArray("[A]\nX=1\r\n[B]\r\nY=2\r\n"));

    // A repeated header does not count as the section: a key that is only under
    // it is added to the first one.
    put("[A]\r\nX=1\r\n[B]\r\n[a]\r\nY=2\r\n");
    write("A", "Y", QStringLiteral("3"));
    EXPECT_EQ(contents(), QByteArray("[A]\r\nX=1\r\nY=3\r\n[B]\r\n[a]\r\nY=2\r\n"));
}

TEST_F(ProfileTest, WritingTheStoredValueLeavesTheFileAlone) {
    const QByteArray original = "[S]\r\nK = 5 \r\nT=" SJIS_SAN "\nQ=\"q\"\r\nE=";
    put(original);
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    profile().writeInteger(QStringLiteral("s"), QStringLiteral("k"), 5);
    write("S", "T", QStringLiteral("さん"));
    write("S", "Q", QStringLiteral("\"q\""));
    write("S", "E", QString());
    EXPECT_EQ(contents(), original);
    EXPECT_EQ(QFileInfo(path()).lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());

    // The quotes are part of the stored value: "q" alone is a change.
    write("S", "Q", QStringLiteral("q"));
    EXPECT_EQ(contents(), QByteArray("[S]\r\nK = 5 \r\nT=" SJIS_SAN "\nQ=q\r\nE="));
}

TEST_F(ProfileTest, ValueIsStoredUpToItsFirstLineBreak) {
    write("S", "K", QStringLiteral("one\r\ntwo"));
    write("S", "L", QStringLiteral("a\nb"));
    write("S", "M", QStringLiteral("c\rd"));
    EXPECT_EQ(contents(), QByteArray("[S]\r\nK=one\r\nL=a\r\nM=c\r\n"));
}

TEST_F(ProfileTest, RefusedWritesFailWithThePath) {
    put("[S]\r\nK=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    // Storing the value it already has needs no write, so it is no failure.
    EXPECT_NO_THROW(write("S", "K", QStringLiteral("1")));
    for (const char* key : {"K", "New"}) {
        try {
            write("S", key, QStringLiteral("2"));
            ADD_FAILURE() << "a read-only file was written";
        } catch (const Failure& failure) {
            // The one form of every write failure: the file, then the reason.
            EXPECT_EQ(failure.message(),
                      path() + QStringLiteral(" に書き込めません。\r\n") + systemReason(EACCES));
        }
    }
    EXPECT_EQ(contents(), QByteArray("[S]\r\nK=1\r\n"));
    EXPECT_EQ(read("S", "K"), QStringLiteral("1"));
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const QString missing = dir_.filePath(QStringLiteral("no/such/Kirel.ini"));
    try {
        Profile(missing).writeInteger(QStringLiteral("S"), QStringLiteral("K"), 1);
        FAIL() << "a file in a missing folder was written";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(),
                  missing + QStringLiteral(" に書き込めません。\r\n") + systemReason(ENOENT));
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(Profile(missing).readInteger(QStringLiteral("S"), QStringLiteral("K"), 9), 9);
}

TEST_F(ProfileTest, PathKeysReadBackExactly) {
    // Characters Shift-JIS has no code for, and ones it stores under another
    // character's code (U+301C and U+2212 read back as U+FF5E and U+FF0D).
    const QString folder = QStringLiteral("/home/u/T\u00E9l\u00E9chargements\u301C\u2212") +
                           QString::fromUcs4(U"\U0001F600", 1) + QStringLiteral("/\u8868&#38;x");
    const struct {
        const char* section;
        const char* key;
    } keys[] = {{"Form1", "LastSavePath"},   {"Form9", "Tool"},        {"Form10", "SavePath"},
                {"Form10", "ImagePath"},     {"Form10", "Background"}, {"Form10", "background3"},
                {"Form10", "UserImagePath2"}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.key);
        const QString value = folder + QString::fromUtf8(k.key) + QStringLiteral(".txt");
        write(k.section, k.key, value);
        EXPECT_EQ(read(k.section, k.key), value);
        // Writing it again finds it stored already.
        const QByteArray before = contents();
        write(k.section, k.key, value);
        EXPECT_EQ(contents(), before);
    }
    // The file holds Shift-JIS only: the characters as references, the ones it
    // holds as themselves (U+8868) as their codes.
    EXPECT_TRUE(
        contents().contains("LastSavePath=/home/u/T&#233;l&#233;chargements&#12316;&#8722;"
                            "&#128512;/\x95\x5C&#38;#38;xLastSavePath.txt\r\n"))
        << contents().toStdString();

    // Blanks at the ends and quotes around it are part of a path too.
    for (const QString& odd : {QStringLiteral(" /a b/c\t"), QStringLiteral("\"/q/\""),
                               QStringLiteral("'/q'"), QStringLiteral("\t")}) {
        write("Form1", "LastSavePath", odd);
        EXPECT_EQ(read("Form1", "LastSavePath"), odd);
    }

    // A file written before paths were stored this way: its references are read
    // as the characters they stand for; a stray "&" stays.
    put("[Form1]\r\nLastSavePath=C:\\T&#233;l&#233;chargements\\a&b&#;&#99999999;\\backup.txt\r\n");
    EXPECT_EQ(read("Form1", "LastSavePath"),
              QStringLiteral("C:\\T\u00E9l\u00E9chargements\\a&b&#;&#99999999;\\backup.txt"));

    // Other text keys keep references as text: a handle suffix "&#9829;" is meant
    // for the board.
    write("Form5", "HnBack", QStringLiteral("&#9829;\u00E9"));
    EXPECT_EQ(read("Form5", "HnBack"), QStringLiteral("&#9829;&#233;"));
}

// A batch gives the bytes the same single writes give, one after the other:
// values replaced in place, new keys after the last line of their section in
// the order written, new sections at the end, untouched lines kept, and a value
// written twice ending as the last one.
TEST_F(ProfileTest, BatchMatchesSingleWrites) {
    const QByteArray start = kWindowsFile + "[Form10]\r\nMOJISU2=800\r\nodd line\r\nC3Color=";
    struct W {
        const char* section;
        const char* key;
        QString value;
    };
    const QList<W> writes = {
        {"Form10", "MOJISU1", "0"},      {"Form10", "mojisu2", "500"},
        {"Form10", "C3Color", ""},       {"Form3", "Color1", "255"},
        {"Form10", "ImagePath", "/a/é"}, {"Form5", "HnBack", QStringLiteral("さん")},
        {"Form3", "Color1", "16"},       {"Form10", "CellWidth", "725"},
    };
    put(start);
    for (const W& w : writes) write(w.section, w.key, w.value);
    const QByteArray expected = contents();

    put(start);
    const Profile ini = profile();
    ProfileBatch batch(ini);
    for (const W& w : writes)
        batch.writeString(QString::fromUtf8(w.section), QString::fromUtf8(w.key), w.value);
    EXPECT_EQ(contents(), start);  // nothing reaches the file before commit
    batch.commit();
    EXPECT_EQ(contents(), expected);

    // From no file at all, too.
    QFile::remove(path());
    for (const W& w : writes) write(w.section, w.key, w.value);
    const QByteArray fromNothing = contents();
    QFile::remove(path());
    for (const W& w : writes)
        batch.writeString(QString::fromUtf8(w.section), QString::fromUtf8(w.key), w.value);
    batch.commit();
    EXPECT_EQ(contents(), fromNothing);
}

// A refused batch leaves the whole file as it was; one that changes nothing
// does not touch a read-only file.
TEST_F(ProfileTest, RefusedBatchWritesNothing) {
    put("[Form10]\r\nMOJISU1=0\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const Profile ini = profile();
    ProfileBatch same(ini);
    same.writeString(QStringLiteral("Form10"), QStringLiteral("MOJISU1"), QStringLiteral("0"));
    EXPECT_NO_THROW(same.commit());
    ProfileBatch batch(ini);
    batch.writeString(QStringLiteral("Form10"), QStringLiteral("MOJISU1"), QStringLiteral("5"));
    batch.writeString(QStringLiteral("Form10"), QStringLiteral("MOJISU2"), QStringLiteral("6"));
    try {
        batch.commit();
        ADD_FAILURE() << "a read-only file was written";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.message(),
                  path() + QStringLiteral(" に書き込めません。\r\n") + systemReason(EACCES));
    }
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contents(), QByteArray("[Form10]\r\nMOJISU1=0\r\n"));
}

// The snapshot read once answers every key as the single reads do: names in
// any ASCII case, the first section and key of a name, blanks and quotes, long
// values, path keys, line endings, the bracket inside a double-byte character,
// and a missing file.
TEST_F(ProfileTest, SnapshotAnswersAsSingleReads) {
    const QByteArray files[] = {
        kWindowsFile,
        "Loose=0\r\n[S]\r\nK=first\r\nk=second\r\n[Open\r\nInside=yes\r\n[s]\r\nK=third\r\n"
        "Late=1\r\n  Spaced \t=\t two  words \t\r\nDouble=\"quoted\"\r\nInline=8 ; x\r\n"
        ";Cmt=4\r\nNoEquals\r\n",
        "[" SJIS_SETTEI SJIS_HYPHEN "]\nK=1\r[" SJIS_SO SJIS_HYPHEN "\n\rL=2\n[" SJIS_FW_UPPER_A
        "x]\r\n" SJIS_FW_LOWER_A
        "=0x10\r\n[Form1]\r\nLastSavePath=C:\\T&#233;l\\a&b&#;\r\n"
        "Long=" +
            QByteArray(3000, 'x') + "\r\nHex=$FF\r\nBig=99999999999\r\nNeg=-12",
        "[Form10]",
    };
    const char* const sections[] = {"Form1", "form1", "FORM5", "Form10", "S",   "s",
                                    "Open",  "設定‐", "ソ",    "Ａx",    "ａx", "Form99"};
    const char* const keys[] = {"Form1Top",  "FORM1LEFT", "HnBack", "HnFront", "C3Color",
                                "FormColor", "SavePath",  "K",      "Late",    "Inside",
                                "Loose",     "Spaced",    "Double", "Inline",  ";Cmt",
                                "NoEquals",  "L",         "ａ",     "Ａ",      "LastSavePath",
                                "Long",      "Hex",       "Big",    "Neg",     "Nothing"};
    for (const QByteArray& file : files) {
        put(file);
        const ProfileSnapshot snapshot(profile());
        for (const char* section : sections) {
            for (const char* key : keys) {
                SCOPED_TRACE(std::string(section) + " / " + key);
                const QString s = QString::fromUtf8(section), k = QString::fromUtf8(key);
                const QString def = QStringLiteral("<def>");
                EXPECT_EQ(snapshot.readString(s, k, def), profile().readString(s, k, def));
                EXPECT_EQ(snapshot.readInteger(s, k, -7), profile().readInteger(s, k, -7));
                EXPECT_EQ(snapshot.readBool(s, k, true), profile().readBool(s, k, true));
            }
        }
    }
    // Read once: a change after the snapshot was taken is not seen by it.
    put("[S]\r\nK=1\r\n");
    const ProfileSnapshot before(profile());
    write("S", "K", QStringLiteral("2"));
    EXPECT_EQ(before.readInteger(QStringLiteral("S"), QStringLiteral("K"), 0), 1);
    QFile::remove(path());
    const ProfileSnapshot missing(profile());
    EXPECT_EQ(missing.readString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("d")),
              QStringLiteral("d"));
}

}  // namespace
}  // namespace kirel
