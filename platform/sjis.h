#pragma once

// The one Shift-JIS (Windows code page 932) codec of the program.
//
// The panes hold Unicode; every length, position and file is Shift-JIS. These
// functions are the only way text crosses that border, so that what the counter
// counts is exactly what is saved and what a Shift-JIS board receives:
//  - encoding follows Windows: for a character with several codes the JIS X 0208 /
//    NEC row 13 code wins, then the IBM extension, never the NEC-selected duplicate;
//  - compatibility forms produced by Linux input methods and web pages
//    (U+301C, U+2212, U+2016, U+00A2, U+00A3, U+00AC, U+2014, U+00A5, U+203E)
//    encode to the code a Windows user sees;
//  - a character Shift-JIS cannot hold is written as the decimal numeric character
//    reference a browser sends to a Shift-JIS form ("&#128512;"), one per code point;
//  - bytes that are not valid Shift-JIS decode to reversible placeholders
//    (U+10FF00 + byte) that encode back to the same byte, except a lead byte
//    that would pair with the byte written after it: that one is written as "?",
//    so that every real character of the text reads back unchanged.
// Line breaks: text in the panes uses "\n"; in files and in every byte count a
// line break is CR LF (two bytes).

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace kirel::sjis {

// Encodes characters one to one ("\n" stays one byte 0x0A).
QByteArray encode(QStringView text);

// Decodes bytes one to one (CR and LF stay as they are).
QString decode(QByteArrayView bytes);

// Byte length of pane text in Shift-JIS, each "\n" counting as CR LF (2 bytes):
// always toFile(text).size(), but counted without building the bytes.
qsizetype byteLength(QStringView text);

// Pane text -> file bytes: "\n" becomes CR LF, then encode.
QByteArray toFile(QStringView text);

// File bytes -> pane text: decode, then CR LF, lone CR and lone LF become "\n".
QString fromFile(QByteArrayView bytes);

// The text as a Shift-JIS board receives it: compatibility forms replaced by the
// characters their codes stand for (U+301C -> U+FF5E, U+2212 -> U+FF0D, ...);
// characters outside Shift-JIS, placeholders and everything else left unchanged.
QString toBoardText(QStringView text);

// True when the character (one code point) has a Shift-JIS code. False for
// characters written as references, for surrogates and for placeholders.
bool isEncodable(char32_t codePoint);

// The placeholder a stray byte decodes to, and back.
constexpr char32_t kPlaceholderBase = 0x10FF00;
inline bool isPlaceholder(char32_t cp) {
    return cp >= kPlaceholderBase && cp <= kPlaceholderBase + 0xFF;
}

}  // namespace kirel::sjis
