#!/usr/bin/env python3
"""Writes the code page 932 tables that platform/sjis.cpp includes.

Usage: gen_cp932_table.py OUTPUT.inc

Decoding is Python's cp932 decoder applied to every single byte and to every
lead/trail pair; it matches Windows, including 0x80 -> U+0080, 0xA0 -> U+F8F0,
0xFD-0xFF -> U+F8F1-U+F8F3 and the user area F040-F9FC -> U+E000-U+E757.

Encoding is derived from the same decode table, with Windows' choice for a
character that has several codes: JIS X 0208 and NEC row 13 first, then the IBM
extensions (FA40-FC4B), never the NEC-selected copies of the IBM extensions
(ED40-EEFC). In table terms: the lowest code outside ED40-EEFC. Python's own
encoder prefers the NEC-selected copies, which is why it is not used.

On top of that come the compatibility forms that Linux input methods and web
pages produce and that Windows users know under another code point.

Output (all arrays are plain integer tables):
  kSingle[256]            character of each single byte; kLeadByte for lead bytes
  kDouble[60][192]        character of lead/trail (trail 0x40-0xFF); 0 = undefined
  kEncodePage[256]        page of kEncode holding U+xx00-U+xxFF (0 = no codes)
  kEncode[pages][256]     code of a UTF-16 unit: < 0x100 one byte, else lead*256+trail;
                          kNoCode when the unit has no code
"""

import sys

NO_CODE = 0xFFFF
LEAD_BYTE = 0xFFFF
NEC_SELECTED = range(0xED40, 0xEF00)
TRAIL_FIRST = 0x40

# Compatibility form -> the code a Windows user sees for it.
COMPAT_FORMS = {
    0x301C: 0x8160,  # WAVE DASH -> FULLWIDTH TILDE's code
    0x2212: 0x817C,  # MINUS SIGN -> FULLWIDTH HYPHEN-MINUS's code
    0x2016: 0x8161,  # DOUBLE VERTICAL LINE -> PARALLEL TO's code
    0x00A2: 0x8191,  # CENT SIGN -> FULLWIDTH CENT SIGN's code
    0x00A3: 0x8192,  # POUND SIGN -> FULLWIDTH POUND SIGN's code
    0x00AC: 0x81CA,  # NOT SIGN -> FULLWIDTH NOT SIGN's code
    0x2014: 0x815C,  # EM DASH -> HORIZONTAL BAR's code
    0x00A5: 0x5C,    # YEN SIGN -> the byte the yen sign is drawn for
    0x203E: 0x7E,    # OVERLINE -> the byte the overline is drawn for
}

# Expected results, checked so that a Python with different tables fails the
# build instead of producing a wrong codec.
EXPECTED_ENCODE = {
    0x9AD9: 0xFBFC, 0xFA11: 0xFAB1, 0x2170: 0xFA40, 0x2235: 0x81E6,
    0x2160: 0x8754, 0xFFE2: 0x81CA, 0x2252: 0x81E0, 0x3000: 0x8140,
    0x0080: 0x80, 0xF8F0: 0xA0, 0xF8F1: 0xFD, 0xF8F3: 0xFF, 0xE000: 0xF040,
    0xE757: 0xF9FC, 0xFF61: 0xA1, 0xFF9F: 0xDF, 0x5C: 0x5C, 0x7E: 0x7E,
}


def lead_row(lead):
    return lead - 0x81 if lead < 0xA0 else lead - 0xE0 + 31


def is_lead(byte):
    return 0x81 <= byte <= 0x9F or 0xE0 <= byte <= 0xFC


def decode_one(data):
    try:
        text = data.decode("cp932")
    except UnicodeDecodeError:
        return None
    if len(text) != 1:
        raise SystemExit(f"cp932 decodes {data.hex()} to {len(text)} characters")
    return ord(text)


def build():
    single = [LEAD_BYTE] * 256
    double = [[0] * (256 - TRAIL_FIRST) for _ in range(60)]
    codes = {}  # character -> every code that decodes to it

    for byte in range(256):
        if is_lead(byte):
            if decode_one(bytes([byte])) is not None:
                raise SystemExit(f"lead byte {byte:02X} decodes on its own")
            continue
        ch = decode_one(bytes([byte]))
        if ch is None:
            raise SystemExit(f"single byte {byte:02X} does not decode")
        single[byte] = ch
        codes.setdefault(ch, []).append(byte)

    for lead in range(256):
        if not is_lead(lead):
            continue
        for trail in range(256):
            ch = decode_one(bytes([lead, trail]))
            if ch is None:
                continue
            if trail < TRAIL_FIRST or ch == 0 or ch > 0xFFFF:
                raise SystemExit(f"unexpected code {lead:02X}{trail:02X} -> U+{ch:04X}")
            double[lead_row(lead)][trail - TRAIL_FIRST] = ch
            codes.setdefault(ch, []).append(lead << 8 | trail)

    encode = [NO_CODE] * 0x10000
    for ch, found in codes.items():
        preferred = [c for c in found if c not in NEC_SELECTED] or found
        encode[ch] = min(preferred)
    for ch, code in COMPAT_FORMS.items():
        if encode[ch] != NO_CODE:
            raise SystemExit(f"U+{ch:04X} already has a code")
        encode[ch] = code

    for ch, code in EXPECTED_ENCODE.items():
        if encode[ch] != code:
            raise SystemExit(f"U+{ch:04X} encodes to {encode[ch]:X}, expected {code:X}")
    return single, double, encode


def hex_rows(values, width, digits=4, indent="    "):
    lines = []
    for i in range(0, len(values), width):
        lines.append(indent + ", ".join(f"0x{v:0{digits}X}" for v in values[i:i + width]) + ",")
    return "\n".join(lines)


def write(path, single, double, encode):
    pages = [[0] * 256]  # page 0: no codes
    page_of = [0] * 256
    for hi in range(256):
        page = encode[hi << 8:(hi + 1) << 8]
        if any(code != NO_CODE for code in page):
            page_of[hi] = len(pages)
            pages.append(page)
    pages[0] = [NO_CODE] * 256

    out = []
    out.append("// Generated by scripts/gen_cp932_table.py. Do not edit.\n")
    out.append(f"constexpr char16_t kLeadByte = 0x{LEAD_BYTE:04X};")
    out.append(f"constexpr std::uint16_t kNoCode = 0x{NO_CODE:04X};")
    out.append(f"constexpr int kTrailFirst = 0x{TRAIL_FIRST:02X};\n")
    out.append("constexpr char16_t kSingle[256] = {")
    out.append(hex_rows(single, 16))
    out.append("};\n")
    out.append(f"constexpr char16_t kDouble[60][{256 - TRAIL_FIRST}] = {{")
    for row in double:
        out.append("  {")
        out.append(hex_rows(row, 16))
        out.append("  },")
    out.append("};\n")
    out.append("constexpr std::uint8_t kEncodePage[256] = {")
    out.append(hex_rows(page_of, 16, digits=2))
    out.append("};\n")
    out.append(f"constexpr std::uint16_t kEncode[{len(pages)}][256] = {{")
    for page in pages:
        out.append("  {")
        out.append(hex_rows(page, 16))
        out.append("  },")
    out.append("};")
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out) + "\n")


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: gen_cp932_table.py OUTPUT.inc")
    write(sys.argv[1], *build())


if __name__ == "__main__":
    main()
