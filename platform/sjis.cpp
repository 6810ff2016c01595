// Table-driven code page 932 codec.
//
// The tables come from scripts/gen_cp932_table.py at build time. Encoding sizes its
// output with the same walk over the text that fills it (encodeWalk), and decoding
// likewise (decodeWalk), so each result is allocated once at its exact size.
// byteLength has a faster loop of its own that follows the same rules.
#include "platform/sjis.h"

#include <QVarLengthArray>
#include <cstdint>

namespace kirel::sjis {
namespace {

#include "cp932_table.inc"

constexpr char16_t kHighPlaceholder = 0xDBFF;  // high surrogate of U+10FF00..U+10FFFF
constexpr char16_t kLowPlaceholderBase = 0xDF00;

inline int leadRow(std::uint8_t lead) {
    return lead < 0xA0 ? lead - 0x81 : lead - 0xE0 + 31;
}

// Character of a double-byte code, 0 when the code is undefined.
inline char16_t decodePair(std::uint8_t lead, std::uint8_t trail) {
    return trail < kTrailFirst ? char16_t(0) : kDouble[leadRow(lead)][trail - kTrailFirst];
}

inline std::uint16_t codeOf(char16_t unit) {
    return kEncode[kEncodePage[unit >> 8]][unit & 0xFF];
}

inline bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
inline bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}
inline char32_t supplementary(char16_t high, char16_t low) {
    return char32_t(0x10000) + ((char32_t(high) - 0xD800) << 10) + (low - 0xDC00);
}

inline int decimalDigits(char32_t v) {
    int n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

// Length of the numeric character reference "&#<decimal>;".
inline qsizetype referenceLength(char32_t cp) {
    return 3 + decimalDigits(cp);
}

// Walks pane text and reports every piece of Shift-JIS output to the sink:
//   sink.byte(b), sink.pair(code), sink.reference(codePoint),
//   sink.kept(b) for the byte a placeholder stands for.
// With lineBreaks, "\n" is reported as the two bytes CR LF.
template <class Sink>
inline void encodeWalk(QStringView text, bool lineBreaks, Sink& sink) {
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p < end) {
        const char16_t u = *p++;
        if (u < 0x80) {
            if (u == u'\n' && lineBreaks) sink.byte('\r');
            sink.byte(std::uint8_t(u));
            continue;
        }
        if (isHighSurrogate(u) && p < end && isLowSurrogate(*p)) {
            const char16_t low = *p++;
            if (u == kHighPlaceholder && low >= kLowPlaceholderBase) {
                sink.kept(std::uint8_t(low - kLowPlaceholderBase));
            } else {
                sink.reference(supplementary(u, low));
            }
            continue;
        }
        // A lone surrogate has no table entry and becomes a reference of its own.
        const std::uint16_t code = codeOf(u);
        if (code == kNoCode) {
            sink.reference(u);
        } else if (code < 0x100) {
            sink.byte(std::uint8_t(code));
        } else {
            sink.pair(code);
        }
    }
}

struct CountSink {
    qsizetype n = 0;
    void byte(std::uint8_t) { ++n; }
    void kept(std::uint8_t) { ++n; }
    void pair(std::uint16_t) { n += 2; }
    void reference(char32_t cp) { n += referenceLength(cp); }
};

struct WriteSink {
    char* const start;
    char* out = start;
    // Where kept lead bytes were written; they are checked once all is written.
    QVarLengthArray<qsizetype, 16> keptLeads;
    void byte(std::uint8_t b) { *out++ = char(b); }
    void kept(std::uint8_t b) {
        if (kSingle[b] == kLeadByte) keptLeads.append(out - start);
        *out++ = char(b);
    }
    void pair(std::uint16_t code) {
        *out++ = char(code >> 8);
        *out++ = char(code & 0xFF);
    }
    void reference(char32_t cp) {
        *out++ = '&';
        *out++ = '#';
        char digits[8];
        int n = 0;
        do {
            digits[n++] = char('0' + cp % 10);
            cp /= 10;
        } while (cp != 0);
        while (n > 0) *out++ = digits[--n];
        *out++ = ';';
    }
};

QByteArray encodeText(QStringView text, bool lineBreaks) {
    CountSink count;
    encodeWalk(text, lineBreaks, count);
    QByteArray bytes(count.n, Qt::Uninitialized);
    WriteSink write{bytes.data()};
    encodeWalk(text, lineBreaks, write);
    Q_ASSERT(write.out == bytes.constData() + bytes.size());
    // A kept lead byte followed by a byte it pairs with would read back as one
    // character, swallowing the user's next one: such a byte is written as "?"
    // (which pairs with nothing) instead. From the last to the first, so that each
    // is checked against the byte that finally follows it.
    auto* const out = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (qsizetype i = write.keptLeads.size() - 1; i >= 0; --i) {
        const qsizetype at = write.keptLeads[i];
        if (at + 1 < bytes.size() && decodePair(out[at], out[at + 1]) != 0) out[at] = '?';
    }
    return bytes;
}

// Walks bytes and reports every decoded piece to the sink:
//   sink.unit(u) for a character, sink.placeholder(b) for a stray byte.
// With lineBreaks, CR LF, a lone CR and a lone LF are reported as one "\n".
// CR and LF are single bytes and never trail bytes, so this cannot split a code.
template <class Sink>
inline void decodeWalk(QByteArrayView bytes, bool lineBreaks, Sink& sink) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        const std::uint8_t b = *p++;
        const char16_t single = kSingle[b];
        if (single != kLeadByte) {
            if (lineBreaks && b == '\r') {
                if (p < end && *p == '\n') ++p;
                sink.unit(u'\n');
            } else {
                sink.unit(single);
            }
            continue;
        }
        // A lead byte at the end or before an undefined trail stands alone; the
        // next byte is read afresh, as it may start a valid character itself.
        const char16_t ch = p < end ? decodePair(b, *p) : char16_t(0);
        if (ch == 0) {
            sink.placeholder(b);
        } else {
            ++p;
            sink.unit(ch);
        }
    }
}

struct UnitCountSink {
    qsizetype n = 0;
    void unit(char16_t) { ++n; }
    void placeholder(std::uint8_t) { n += 2; }
};

struct UnitWriteSink {
    char16_t* out;
    void unit(char16_t u) { *out++ = u; }
    void placeholder(std::uint8_t b) {
        *out++ = kHighPlaceholder;
        *out++ = char16_t(kLowPlaceholderBase + b);
    }
};

QString decodeBytes(QByteArrayView bytes, bool lineBreaks) {
    UnitCountSink count;
    decodeWalk(bytes, lineBreaks, count);
    QString text(count.n, Qt::Uninitialized);
    UnitWriteSink write{reinterpret_cast<char16_t*>(text.data())};
    decodeWalk(bytes, lineBreaks, write);
    Q_ASSERT(write.out == reinterpret_cast<const char16_t*>(text.constData()) + text.size());
    return text;
}

// The character a board shows for this unit once it went through Shift-JIS:
// differs from the unit only for the compatibility forms.
inline char16_t boardForm(char16_t u) {
    if (u < 0x80) return u;
    const std::uint16_t code = codeOf(u);
    if (code == kNoCode) return u;
    if (code < 0x100) return kSingle[code];
    return decodePair(std::uint8_t(code >> 8), std::uint8_t(code & 0xFF));
}

}  // namespace

QByteArray encode(QStringView text) {
    return encodeText(text, false);
}

QString decode(QByteArrayView bytes) {
    return decodeBytes(bytes, false);
}

qsizetype byteLength(QStringView text) {
    // Called per keystroke on the whole pane, so it counts without building the
    // bytes: a block of pure ASCII at once (one byte each, two for "\n"), anything
    // else unit by unit with the same rules as encodeWalk.
    constexpr qsizetype kBlock = 16;
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    qsizetype n = 0;
    while (p < end) {
        if (end - p >= kBlock) {
            char16_t any = 0;
            int breaks = 0;
            for (qsizetype i = 0; i < kBlock; ++i) {
                any |= p[i];
                breaks += p[i] == u'\n';
            }
            if (any < 0x80) {
                n += kBlock + breaks;
                p += kBlock;
                continue;
            }
        }
        const char16_t* const stop = end - p > kBlock ? p + kBlock : end;
        while (p < stop) {
            const char16_t u = *p++;
            if (u < 0x80) {
                n += 1 + (u == u'\n');
            } else if (isHighSurrogate(u) && p < end && isLowSurrogate(*p)) {
                const char16_t low = *p++;
                n += u == kHighPlaceholder && low >= kLowPlaceholderBase
                         ? 1
                         : referenceLength(supplementary(u, low));
            } else {
                const std::uint16_t code = codeOf(u);
                n += code == kNoCode ? referenceLength(u) : 1 + (code > 0xFF);
            }
        }
    }
    return n;
}

QByteArray toFile(QStringView text) {
    return encodeText(text, true);
}

QString fromFile(QByteArrayView bytes) {
    return decodeBytes(bytes, true);
}

QString toBoardText(QStringView text) {
    // Surrogates have no code, so pairs (emoji, placeholders) pass through whole.
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && boardForm(text[i].unicode()) == text[i].unicode()) ++i;
    QString result = text.toString();
    if (i == n) return result;
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (; i < n; ++i) out[i] = boardForm(out[i]);
    return result;
}

bool isEncodable(char32_t codePoint) {
    return codePoint <= 0xFFFF && codeOf(char16_t(codePoint)) != kNoCode;
}

}  // namespace kirel::sjis
