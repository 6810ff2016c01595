#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/sjis.h"

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"';
    for (char32_t cp : s.toUcs4()) {
        if (cp >= 0x20 && cp < 0x7F) {
            *os << char(cp);
        } else {
            *os << "<U+" << std::hex << std::uppercase << unsigned(cp) << std::dec << '>';
        }
    }
    *os << '"';
}

void PrintTo(const QByteArray& b, std::ostream* os) {
    *os << '[' << b.toHex(' ').toStdString() << ']';
}

namespace kirel::sjis {
namespace {

QString text(std::u32string_view s) {
    return QString::fromUcs4(s.data(), qsizetype(s.size()));
}
QString ch(char32_t cp) {
    return QString::fromUcs4(&cp, 1);
}
QByteArray hex(const char* h) {
    return QByteArray::fromHex(h);
}
QString placeholder(std::uint8_t b) {
    return ch(kPlaceholderBase + b);
}

struct Mapping {
    char32_t character;
    const char* code;    // what the character encodes to
    char32_t decodedAs;  // what that code decodes back to
};

// Characters whose codes are easy to get wrong: compatibility forms, characters
// with several codes (Windows' choice wins) and the single bytes at the edges.
const Mapping kTricky[] = {
    {U'\u301C', "8160", U'\uFF5E'},  // wave dash
    {U'\uFF5E', "8160", U'\uFF5E'},
    {U'\u2212', "817C", U'\uFF0D'},  // minus sign
    {U'\uFF0D', "817C", U'\uFF0D'},
    {U'\u2016', "8161", U'\u2225'},
    {U'\u00A2', "8191", U'\uFFE0'},
    {U'\u00A3', "8192", U'\uFFE1'},
    {U'\u00AC', "81CA", U'\uFFE2'},
    {U'\u2014', "815C", U'\u2015'},
    {U'\u2015', "815C", U'\u2015'},
    {U'\u00A5', "5C", U'\\'},
    {U'\u203E', "7E", U'~'},
    {U'\\', "5C", U'\\'},
    {U'~', "7E", U'~'},
    // NEC row 13, and JIS X 0208 winning over it
    {U'\u2460', "8740", U'\u2460'},  // circled one
    {U'\u3349', "875F", U'\u3349'},
    {U'\u2160', "8754", U'\u2160'},  // roman one: also FA4A
    {U'\u2252', "81E0", U'\u2252'},  // also 8790
    {U'\u2235', "81E6", U'\u2235'},  // also 879A and FA5B
    {U'\u2116', "8782", U'\u2116'},  // also FA59
    // IBM extensions winning over the NEC-selected copies
    {U'\u9AD9', "FBFC", U'\u9AD9'},  // also EEE0
    {U'\uFA11', "FAB1", U'\uFA11'},  // also ED95
    {U'\u2170', "FA40", U'\u2170'},  // also EEEF
    {U'\uFFE2', "81CA", U'\uFFE2'},  // also EEF9 and FA54
    {U'\uFFE4', "FA55", U'\uFFE4'},  // also EEFA
    {U'\u7E8A', "FA5C", U'\u7E8A'},  // also ED40
    // half-width katakana and the single bytes Windows maps specially
    {U'\uFF61', "A1", U'\uFF61'},
    {U'\uFF71', "B1", U'\uFF71'},
    {U'\uFF9F', "DF", U'\uFF9F'},
    {U'\u0080', "80", U'\u0080'},
    {U'\uF8F0', "A0", U'\uF8F0'},
    {U'\uF8F1', "FD", U'\uF8F1'},
    {U'\uF8F2', "FE", U'\uF8F2'},
    {U'\uF8F3', "FF", U'\uF8F3'},
    // user area
    {U'\uE000', "F040", U'\uE000'},
    {U'\uE757', "F9FC", U'\uE757'},
    {U'\u3000', "8140", U'\u3000'},
    {U'\u0000', "00", U'\u0000'},
};

TEST(Sjis, TrickyCharactersEncodeAsWindowsDoesAndDecodeAsWindowsDoes) {
    for (const Mapping& m : kTricky) {
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << unsigned(m.character));
        const QByteArray code = hex(m.code);
        EXPECT_EQ(encode(ch(m.character)), code);
        EXPECT_EQ(byteLength(ch(m.character)), code.size());
        EXPECT_TRUE(isEncodable(m.character));
        EXPECT_EQ(decode(code), ch(m.decodedAs));
        EXPECT_EQ(toBoardText(ch(m.character)), ch(m.decodedAs));
    }
}

TEST(Sjis, CharactersWithoutCodeBecomeOneReferencePerCodePoint) {
    EXPECT_EQ(encode(ch(U'\U0001F600')), QByteArray("&#128512;"));
    EXPECT_EQ(byteLength(ch(U'\U0001F600')), 9);
    EXPECT_FALSE(isEncodable(U'\U0001F600'));
    // Heart with variation selector: two code points, two references.
    EXPECT_EQ(encode(text(U"\u2764\uFE0F")), QByteArray("&#10084;&#65039;"));
    EXPECT_EQ(encode(text(U"caf\u00E9")), QByteArray("caf&#233;"));
    EXPECT_FALSE(isEncodable(U'\u00E9'));
    // A lone surrogate is referenced by its own unit, and does not swallow its neighbour.
    const QChar lone[] = {QChar(u'a'), QChar(char16_t(0xD83D)), QChar(u'b'),
                          QChar(char16_t(0xDE00))};
    const QString broken(lone, 4);
    EXPECT_EQ(encode(broken), QByteArray("a&#55357;b&#56832;"));
    EXPECT_EQ(byteLength(broken), encode(broken).size());
    EXPECT_EQ(toBoardText(broken), broken);
    EXPECT_FALSE(isEncodable(0xD83D));
    // Emoji and other characters outside Shift-JIS reach the board unchanged.
    const QString mixed = text(U"\U0001F600\u301C\u00E9");
    EXPECT_EQ(toBoardText(mixed), text(U"\U0001F600\uFF5E\u00E9"));
}

TEST(Sjis, InvalidBytesBecomePlaceholdersAndRoundTripExactly) {
    // EB is a lead byte with no codes; 81 7F and 81 AD are undefined codes;
    // 81 before CR is a lead byte without trail; 82 at the end has no trail at all.
    const QByteArray file =
        hex("41EB8140"
            "817F"
            "81AD"
            "810D0A"
            "824182");
    const QString expected = QStringLiteral("A") + placeholder(0xEB) + ch(U'\u3000') +
                             placeholder(0x81) + ch(0x7F) + placeholder(0x81) + ch(U'\uFF6D') +
                             placeholder(0x81) + ch(U'\n') + placeholder(0x82) + ch(u'A') +
                             placeholder(0x82);
    const QString pane = fromFile(file);
    EXPECT_EQ(pane, expected);
    EXPECT_EQ(toFile(pane), file);
    EXPECT_EQ(byteLength(pane), file.size());
    EXPECT_EQ(toBoardText(pane), pane);
    EXPECT_EQ(encode(decode(file)), file);
    EXPECT_FALSE(isEncodable(kPlaceholderBase + 0x81));
}

TEST(Sjis, EveryByteSequenceRoundTripsThroughDecodeAndEncode) {
    // Every lead byte followed by every byte, and every byte alone: what decodes to
    // a character with one code, or to placeholders, must come back byte for byte.
    QByteArray all;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const QByteArray pair = QByteArray(1, char(lead)) + char(trail);
            const QString decoded = decode(pair);
            const QByteArray again = encode(decoded);
            if (again != pair) {
                // Only codes of characters that have another, preferred code may differ.
                ASSERT_EQ(decoded.size(), 1) << pair.toHex().toStdString();
                ASSERT_EQ(decode(again), decoded) << pair.toHex().toStdString();
            }
        }
    }
}

TEST(Sjis, EveryValidDoubleByteCodeRoundTripsUnlessItIsADuplicate) {
    std::map<char16_t, std::vector<int>> codesOf;
    int defined = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QString s = decode(QByteArray(1, char(lead)) + char(trail));
            if (s.size() != 1) continue;  // undefined: placeholder plus trail
            ++defined;
            codesOf[s[0].unicode()].push_back(lead << 8 | trail);
        }
    }
    EXPECT_EQ(defined, 9604);

    int duplicated = 0;
    for (const auto& [character, codes] : codesOf) {
        const QByteArray got = encode(ch(character));
        ASSERT_EQ(got.size(), 2) << std::hex << unsigned(character);
        const int code = (std::uint8_t(got[0]) << 8) | std::uint8_t(got[1]);
        if (codes.size() == 1) {
            ASSERT_EQ(code, codes.front()) << std::hex << unsigned(character);
            continue;
        }
        ++duplicated;
        // Windows: the lowest code that is not an NEC-selected copy (ED40-EEFC).
        int preferred = 0x10000;
        for (int c : codes) {
            if ((c < 0xED40 || c > 0xEEFC) && c < preferred) preferred = c;
        }
        EXPECT_EQ(code, preferred) << std::hex << unsigned(character);
    }
    EXPECT_EQ(duplicated, 396);
}

TEST(Sjis, LineBreaksAreCrLfInFilesAndCounts) {
    EXPECT_EQ(encode(u"a\nb"), QByteArray("a\nb"));
    EXPECT_EQ(toFile(u"a\nb\n"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(byteLength(u"a\nb\n"), 6);
    EXPECT_EQ(decode("a\r\nb"), QStringLiteral("a\r\nb"));
    EXPECT_EQ(fromFile("a\r\nb\rc\nd\r\r\n\n\r"), QStringLiteral("a\nb\nc\nd\n\n\n\n"));
    EXPECT_EQ(fromFile(""), QString());
    EXPECT_EQ(toFile(u""), QByteArray());
    EXPECT_EQ(byteLength(u""), 0);
}

TEST(Sjis, ByteLengthMatchesTheFileOnMixedText) {
    const QString mixed =
        text(U"ＡaｱＡ\n\u301C\u2212髙﨑ⅰ①\U0001F600\u00A5\n\n\u00E9\uE000\uF8F0") +
        placeholder(0x85) + text(U"漢字\n");
    // 6 + 2 + 12 + 9 + 1 + 4 + 6 + 2 + 1 + 1 (placeholder) + 4 + 2
    EXPECT_EQ(byteLength(mixed), 50);
    EXPECT_EQ(byteLength(mixed), toFile(mixed).size());
    EXPECT_EQ(fromFile(toFile(text(U"漢字\nｱ\n"))), text(U"漢字\nｱ\n"));

    // Every single UTF-16 unit, alone and after a line break.
    for (char32_t u = 0; u <= 0xFFFF; ++u) {
        const QString one = QStringLiteral("\n") + QChar(char16_t(u));
        ASSERT_EQ(byteLength(one), toFile(one).size()) << std::hex << unsigned(u);
    }
}

TEST(Sjis, ByteLengthAgreesWithTheFileAcrossBlocksOfText) {
    // Pieces that the counter treats differently, put at every offset and in
    // random order, so that pairs and line breaks fall on every boundary.
    const QChar loneHigh(char16_t(0xD83D));
    const QString pieces[] = {
        QStringLiteral("a"),
        QStringLiteral("\n"),
        text(U"\u3042"),
        text(U"\uFF71"),
        text(U"\U0001F600"),
        placeholder(0x81),
        QString(loneHigh),
        text(U"\u00E9"),
        text(U"\u301C"),
        text(U"\u00A5"),
        QStringLiteral("0123456789abcdef"),
    };
    for (const QString& piece : pieces) {
        for (int offset = 0; offset < 40; ++offset) {
            const QString s = QString(offset, QChar(u'x')) + piece + QStringLiteral("yz\n");
            ASSERT_EQ(byteLength(s), toFile(s).size()) << offset;
        }
    }
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 2000; ++round) {
        QString s;
        const int count = int(next() % 60);
        for (int i = 0; i < count; ++i) s += pieces[next() % std::size(pieces)];
        ASSERT_EQ(byteLength(s), toFile(s).size()) << round;
    }
}

// A kept stray lead byte must not merge with what follows it in the output: where
// it would form a character, it is written as "?" instead; everywhere else it is
// written back raw.
TEST(Sjis, KeptLeadByteNeverMergesWithTheNextCharacter) {
    struct Case {
        const char* file;      // as loaded
        const char* saved;     // as written back after the edit
        const char* reloaded;  // the saved file read again, UTF-8
        bool joinLines;        // the edit: remove every line break
    } const cases[] = {
        // EE EE is undefined, so the first EE is kept; EE FA (an NEC-selected
        // copy of U+FFE4) is written as its preferred code FA 55, and EE FA would
        // read back as U+FFE4 followed by "U".
        {"58EEEEFA4059", "583FFA554059", "X?\uFFE4@Y", false},
        // 82 before a line break is kept; joining the lines puts "P" after it,
        // and 82 50 is the full-width digit one.
        {"41820D0A50", "413F50", "A?P", true},
        // The same byte before something it cannot pair with stays as it was.
        {"41820D0A0D0A", "41820D0A0D0A", nullptr, false},
        {"4182", "4182", nullptr, false},
        {"41EB8140", "41EB8140", nullptr, false},
        // Two kept bytes side by side, 82 then 81, before "@": 81 40 is a
        // character, so the 81 is written as "?"; then 82 is followed by "?", with
        // which it cannot pair, and stays (82 81 would have been one).
        {"41820D0A810D0A40", "41823F40", "A\xF4\x8F\xBE\x82?@", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        QString pane = fromFile(hex(c.file));
        if (c.joinLines) pane.remove(QLatin1Char('\n'));
        const QByteArray saved = toFile(pane);
        EXPECT_EQ(saved, hex(c.saved));
        EXPECT_EQ(byteLength(pane), saved.size());
        if (c.reloaded) {
            EXPECT_EQ(fromFile(saved), QString::fromUtf8(c.reloaded));
        }
        EXPECT_EQ(encode(pane), QByteArray(saved).replace("\r\n", "\n"));
    }
}

// Load, edit, save, load gives the edited text, except that a kept lead byte
// may have become "?" where it would have paired with the byte after it.
TEST(Sjis, RandomFilesSurviveRandomEditsThroughSaveAndLoad) {
    std::uint32_t seed = 20240601;
    const auto next = [&seed] {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        return seed;
    };
    // Bytes drawn so that lead bytes, trail bytes, stray bytes and line breaks
    // all come up often.
    const auto randomByte = [&]() -> char {
        switch (next() % 6) {
            case 0:
                return char(0x81 + next() % 31);  // lead bytes 81..9F
            case 1:
                return char(0xE0 + next() % 32);  // lead bytes E0..FF
            case 2:
                return char(0x40 + next() % 0xBD);  // trail bytes 40..FC
            case 3:
                return "\r\n?A@"[next() % 5];
            default:
                return char(next() % 256);
        }
    };
    const auto randomBytes = [&](int max) {
        QByteArray b;
        const int n = int(next() % unsigned(max + 1));
        for (int i = 0; i < n; ++i) b += randomByte();
        return b;
    };
    int replaced = 0;
    for (int round = 0; round < 20000; ++round) {
        QString pane = fromFile(randomBytes(24));
        // Edits: cut out a stretch, or put in text loaded from other random bytes
        // (so only characters as a load produces them), at any unit boundary
        // that does not split a surrogate pair.
        const int edits = int(next() % 4);
        for (int e = 0; e < edits; ++e) {
            const QList<uint> units = pane.toUcs4();
            const qsizetype at = units.isEmpty() ? 0 : qsizetype(next() % (units.size() + 1));
            QList<uint> changed = units.mid(0, at);
            if (next() % 2) {
                const QString insert = fromFile(randomBytes(6));
                changed += insert.toUcs4();
                changed += units.mid(at);
            } else {
                changed += units.mid(std::min(units.size(), at + 1 + qsizetype(next() % 4)));
            }
            pane = QString::fromUcs4(reinterpret_cast<const char32_t*>(changed.constData()),
                                     changed.size());
        }
        const QByteArray saved = toFile(pane);
        ASSERT_EQ(byteLength(pane), saved.size()) << round;
        const QList<uint> before = pane.toUcs4();
        const QList<uint> after = fromFile(saved).toUcs4();
        ASSERT_EQ(after.size(), before.size()) << round << " " << saved.toHex().toStdString();
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (after[i] == before[i]) continue;
            // Only a kept lead byte, only as "?", and only where it would pair.
            ASSERT_TRUE(isPlaceholder(before[i])) << round << " at " << i;
            ASSERT_EQ(after[i], uint('?')) << round << " at " << i;
            const QByteArray rest = toFile(
                QString::fromUcs4(reinterpret_cast<const char32_t*>(before.constData() + i + 1),
                                  before.size() - i - 1));
            ASSERT_FALSE(rest.isEmpty()) << round;
            const QByteArray raw = QByteArray(1, char(before[i] - kPlaceholderBase)) + rest.front();
            ASSERT_EQ(decode(raw).size(), 1) << round << " " << raw.toHex().toStdString();
            ++replaced;
        }
    }
    // The rule was exercised, not just the easy path.
    EXPECT_GT(replaced, 100);
}

}  // namespace
}  // namespace kirel::sjis
