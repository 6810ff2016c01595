#include "platform/profile.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <cerrno>

#include "platform/failure.h"
#include "platform/sjis.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"

namespace kirel {
namespace {

// A value is read through a 2048-byte buffer: at most 2047 bytes come back.
constexpr qsizetype kMaxValueBytes = 2047;

// One line of the file: its bytes without the line break, and the line break as
// it was ("\r\n", "\n", "\r", or nothing for a last line without one). Lines are
// kept as bytes so that a write reproduces every line it does not change exactly.
// CR and LF never occur inside a Shift-JIS double-byte character, so splitting
// the raw bytes is safe.
struct Line {
    QByteArray text;
    QByteArray eol;
};

QList<Line> splitLines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') continue;
        qsizetype eolLength = 1;
        if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n') eolLength = 2;
        lines.append({bytes.mid(start, i - start), bytes.mid(i, eolLength)});
        i += eolLength - 1;
        start = i + 1;
    }
    if (start < n) lines.append({bytes.mid(start), QByteArray()});
    return lines;
}

QByteArray joinLines(const QList<Line>& lines) {
    QByteArray bytes;
    for (const Line& line : lines) {
        bytes += line.text;
        bytes += line.eol;
    }
    return bytes;
}

// Only space and tab count as blanks (not the full-width space 81 40). Neither
// byte can be the second byte of a double-byte character.
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArray trimBlanks(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin])) ++begin;
    while (end > begin && isBlank(bytes[end - 1])) --end;
    return bytes.sliced(begin, end - begin).toByteArray();
}

char16_t foldAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
}

// Section and key names match regardless of ASCII case; other letters (full-width
// ones included) must match exactly.
bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode())) return false;
    }
    return true;
}

// A name as it would read back from the file, so that a character with several
// forms compares equal to the form the file holds.
QString asStored(const QString& name) {
    return sjis::decode(sjis::encode(name));
}

// The section name of a header line "[Name]" (blanks around it allowed, anything
// after the last "]" ignored); false when the line is no header.
bool headerName(const QByteArray& trimmed, QString* name) {
    if (!trimmed.startsWith('[')) return false;
    // Look for "]" in the decoded text: the byte 5D can also be the second byte of
    // a double-byte character.
    const QString rest = sjis::decode(QByteArrayView(trimmed).sliced(1));
    const qsizetype close = rest.lastIndexOf(QLatin1Char(']'));
    if (close < 0) return false;
    *name = rest.left(close);
    return true;
}

// Where a key is, or would go, in the file.
struct Location {
    qsizetype header = -1;    // line of the section header; -1: no such section
    qsizetype lastLine = -1;  // last non-blank line of the section
    qsizetype keyLine = -1;   // line of the key; -1: no such key
    QByteArray keyName;       // the key name as the file spells it
    QByteArray value;         // the value bytes, blanks around them removed
};

// Only the first section of the name is searched, and in it the first line of
// the key; lines without "=" hold no key.
Location locate(const QList<Line>& lines, const QString& section, const QString& key) {
    const QString wantedSection = asStored(section);
    const QString wantedKey = asStored(key);
    Location at;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = trimBlanks(lines[i].text);
        QString name;
        if (headerName(trimmed, &name)) {
            if (at.header >= 0) break;  // the section has ended
            if (sameName(name, wantedSection)) at.header = at.lastLine = i;
            continue;
        }
        if (at.header < 0 || trimmed.isEmpty()) continue;
        at.lastLine = i;
        if (at.keyLine >= 0) continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals < 0) continue;
        const QByteArray keyName = trimBlanks(QByteArrayView(trimmed).first(equals));
        if (!sameName(sjis::decode(keyName), wantedKey)) continue;
        at.keyLine = i;
        at.keyName = keyName;
        at.value = trimBlanks(QByteArrayView(trimmed).sliced(equals + 1));
    }
    return at;
}

// Reads the whole file; false when it cannot be read (a missing file included,
// and anything but a regular file: a FIFO would block the read).
bool readFileBytes(const QString& path, QByteArray* bytes) {
    try {
        *bytes = readBytesFile(path);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

QByteArrayView trimmedView(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin])) ++begin;
    while (end > begin && isBlank(bytes[end - 1])) --end;
    return bytes.sliced(begin, end - begin);
}

// The value bytes of the key as locate() finds them, in one pass over the file's
// bytes that copies no line but the headers: a read of a large file costs its
// size once, not a list of its lines. False when there is no such key.
bool findValue(QByteArrayView bytes, const QString& section, const QString& key,
               QByteArray* value) {
    const QString wantedSection = asStored(section);
    const QString wantedKey = asStored(key);
    const char* data = bytes.data();
    const qsizetype n = bytes.size();
    bool inSection = false;
    qsizetype pos = 0;
    while (pos < n) {
        qsizetype end = pos;
        while (end < n && data[end] != '\r' && data[end] != '\n') ++end;
        const QByteArrayView trimmed = trimmedView(bytes.sliced(pos, end - pos));
        pos = end + ((end + 1 < n && data[end] == '\r' && data[end + 1] == '\n') ? 2 : 1);
        QString name;
        if (trimmed.startsWith('[') && headerName(trimmed.toByteArray(), &name)) {
            if (inSection) return false;  // the section has ended
            inSection = sameName(name, wantedSection);
            continue;
        }
        if (!inSection) continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals < 0) continue;
        if (!sameName(sjis::decode(trimmedView(trimmed.first(equals))), wantedKey)) continue;
        *value = trimmedView(trimmed.sliced(equals + 1)).toByteArray();
        return true;
    }
    return false;
}

// The longest start of the text that fits in the given number of Shift-JIS bytes;
// a character that would not fit whole is left out.
QString cutToBytes(const QString& text, qsizetype maxBytes) {
    if (sjis::encode(text).size() <= maxBytes) return text;
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype width =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2
                                                                                               : 1;
        const qsizetype bytes = sjis::encode(QStringView(text).sliced(i, width)).size();
        if (used + bytes > maxBytes) break;
        used += bytes;
        i += width;
    }
    return text.left(i);
}

// A value enclosed in one matching pair of double or single quotes loses them.
QByteArray stripQuotes(const QByteArray& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

// Hexadecimal digits (at least one) as an unsigned 32-bit number.
bool parseHex(QStringView digits, quint32* out) {
    if (digits.isEmpty()) return false;
    quint64 value = 0;
    for (QChar c : digits) {
        const int d = hexDigitValue(c);
        if (d < 0) return false;
        value = value * 16 + quint64(d);
        if (value > 0xFFFFFFFFull) return false;
    }
    *out = quint32(value);
    return true;
}

// Decimal with an optional sign, or hexadecimal after 0x, 0X or $ taken as an
// unsigned 32-bit number ("0xFFFFFFFF" is -1). Anything else fails: trailing
// characters, no digits, a value out of range.
bool parseInteger(QStringView text, int* out) {
    quint32 hex = 0;
    if (text.startsWith(QLatin1Char('$'))) {
        if (!parseHex(text.sliced(1), &hex)) return false;
        *out = int(hex);
        return true;
    }
    if (text.startsWith(QLatin1String("0x")) || text.startsWith(QLatin1String("0X"))) {
        if (!parseHex(text.sliced(2), &hex)) return false;
        *out = int(hex);
        return true;
    }
    bool negative = false;
    if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.sliced(1);
    }
    if (text.isEmpty()) return false;
    const qint64 limit = negative ? 2147483648LL : 2147483647LL;
    qint64 value = 0;
    for (QChar c : text) {
        if (!isAsciiDigit(c)) return false;
        value = value * 10 + (c.unicode() - u'0');
        if (value > limit) return false;
    }
    *out = int(negative ? -value : value);
    return true;
}

// Keys that hold a file or folder path. Their values must read back as exactly
// the path that was written, or the file is not found again; the settings file
// is Shift-JIS, which cannot hold every character of a path.
bool isPathKey(QStringView key) {
    static const char* const kPathKeys[] = {
        "LastSavePath",   "Tool",           "SavePath",       "ImagePath",
        "Background",     "Background1",    "Background2",    "Background3",
        "UserImagePath1", "UserImagePath2", "UserImagePath3",
    };
    for (const char* name : kPathKeys) {
        if (sameName(key, QString::fromLatin1(name))) return true;
    }
    return false;
}

QString reference(char32_t cp) {
    return QStringLiteral("&#%1;").arg(quint32(cp));
}

// A path as it is stored: every character that would not read back as itself
// (one Shift-JIS has no code for, such as "é" or an emoji, or one stored under
// another character's code, such as U+301C under U+FF5E's) becomes its decimal
// numeric reference; so does an "&" that starts "&#", so that it is not taken for
// one, and so do the blanks at either end and a quote at the start, which a read
// would remove.
QString pathToStored(QStringView path) {
    QString stored;
    const QList<uint> points = path.toUcs4();
    for (qsizetype i = 0; i < points.size(); ++i) {
        const char32_t cp = points[i];
        const bool atEnd = i == 0 || i == points.size() - 1;
        if ((atEnd && (cp == U' ' || cp == U'\t')) || (i == 0 && (cp == U'"' || cp == U'\''))) {
            stored += reference(cp);
            continue;
        }
        if (cp == U'&') {
            const bool looksLikeReference = i + 1 < points.size() && points[i + 1] == U'#';
            stored += looksLikeReference ? reference(cp) : QStringLiteral("&");
            continue;
        }
        const QString one = QString::fromUcs4(&cp, 1);
        const bool keeps = !sjis::isPlaceholder(cp) && sjis::decode(sjis::encode(one)) == one;
        stored += keeps ? one : reference(cp);
    }
    return stored;
}

// The path a stored value stands for: decimal numeric references of characters
// become the characters; any other text stays as it is.
QString storedToPath(const QString& stored) {
    QString path;
    qsizetype i = 0;
    while (i < stored.size()) {
        if (stored[i] == QLatin1Char('&') && i + 1 < stored.size() &&
            stored[i + 1] == QLatin1Char('#')) {
            qsizetype j = i + 2;
            quint32 value = 0;
            while (j < stored.size() && isAsciiDigit(stored[j]) && j - i < 10) {
                value = value * 10 + (stored[j].unicode() - u'0');
                ++j;
            }
            const bool valid = j > i + 2 && j < stored.size() && stored[j] == QLatin1Char(';') &&
                               value > 0 && value <= 0x10FFFF &&
                               !(value >= 0xD800 && value <= 0xDFFF);
            if (valid) {
                const char32_t cp = value;
                path += QString::fromUcs4(&cp, 1);
                i = j + 1;
                continue;
            }
        }
        path += stored[i];
        ++i;
    }
    return path;
}

// Any other text as it is stored: a value with a blank at either end goes in
// double quotes, which a read removes, or the read would trim the blanks away
// (a handle-name suffix " さん" would lose its space).
QString textToStored(QStringView text) {
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    if (!text.isEmpty() && (blank(text.front()) || blank(text.back())))
        return QLatin1Char('"') + text.toString() + QLatin1Char('"');
    return text.toString();
}

// A file the user may not write, or one without any write permission bit (which
// also stops root, who could otherwise write anything).
bool isWritableFile(const QFileInfo& info) {
    constexpr QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// The text a stored value reads as.
QString valueText(const QByteArray& stored, const QString& key) {
    const QString value = cutToBytes(sjis::decode(stripQuotes(stored)), kMaxValueBytes);
    return isPathKey(key) ? storedToPath(value) : value;
}

}  // namespace

QString Profile::readString(const QString& section, const QString& key, const QString& def) const {
    QByteArray bytes;
    if (!readFileBytes(path_, &bytes)) return def;
    QByteArray stored;
    if (!findValue(bytes, section, key, &stored)) return def;
    return valueText(stored, key);
}

int Profile::readInteger(const QString& section, const QString& key, int def) const {
    int value = 0;
    return parseInteger(readString(section, key, QString()), &value) ? value : def;
}

bool Profile::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

namespace {

// The one form of every write failure: the file, then the reason.
[[noreturn]] void refuseWrite(const QString& path, const QString& reason) {
    throw WriteFailure(
        QStringLiteral("%1 に書き込めません。\r\n%2").arg(QDir::toNativeSeparators(path), reason),
        reason);
}

// The file's current lines, or an empty list for a missing file. A file whose
// contents cannot be read is never replaced: they would be lost.
QList<Line> currentLines(const QString& path, const QFileInfo& info) {
    QByteArray bytes;
    if (!info.exists()) return {};
    errno = 0;
    if (!info.isFile() || !readFileBytes(path, &bytes)) refuseWrite(path, fileReason(path, errno));
    return splitLines(bytes);
}

// Stores one value in the lines as a single write to the file would; false when
// the key already holds exactly that value (nothing changes).
bool storeValue(QList<Line>& lines, const QString& section, const QString& key,
                const QString& value) {
    // A line break would end the line: only the text before it can be kept.
    qsizetype keptLength = 0;
    while (keptLength < value.size() && value[keptLength] != QLatin1Char('\r') &&
           value[keptLength] != QLatin1Char('\n')) {
        ++keptLength;
    }
    const QStringView kept = QStringView(value).first(keptLength);
    const QByteArray newValue =
        sjis::encode(isPathKey(key) ? pathToStored(kept) : textToStored(kept));

    const Location at = locate(lines, section, key);
    if (at.keyLine >= 0 && at.value == newValue) return false;

    if (at.keyLine >= 0) {
        lines[at.keyLine].text = at.keyName + '=' + newValue;
    } else if (at.header >= 0) {
        Line& last = lines[at.lastLine];
        if (last.eol.isEmpty()) last.eol = "\r\n";
        lines.insert(at.lastLine + 1, {sjis::encode(key) + '=' + newValue, "\r\n"});
    } else {
        if (!lines.isEmpty() && lines.last().eol.isEmpty()) lines.last().eol = "\r\n";
        lines.append({'[' + sjis::encode(section) + ']', "\r\n"});
        lines.append({sjis::encode(key) + '=' + newValue, "\r\n"});
    }
    return true;
}

// Replaces the file with the lines in one step.
void replaceFile(const QString& path, const QFileInfo& info, const QList<Line>& lines) {
    // Replacing the file through a temporary one would succeed even over a
    // read-only file, so refuse those here.
    if (info.exists() && !isWritableFile(info)) {
        // A read-only file system, or a file without write permission.
        const int why = ::access(QFile::encodeName(path).constData(), W_OK) != 0 ? errno : EACCES;
        refuseWrite(path, systemReason(why));
    }
    writeBytesFile(path, joinLines(lines));
}

}  // namespace

QString storedPathForm(QStringView path) {
    return pathToStored(path);
}

void Profile::writeString(const QString& section, const QString& key, const QString& value) const {
    const QFileInfo info(path_);
    QList<Line> lines = currentLines(path_, info);
    if (!storeValue(lines, section, key, value)) return;  // already stored: nothing to write
    replaceFile(path_, info, lines);
}

void Profile::writeInteger(const QString& section, const QString& key, int value) const {
    writeString(section, key, QString::number(value));
}

void Profile::writeBool(const QString& section, const QString& key, bool value) const {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

namespace {

// A name folded as the reads compare names: ASCII letters in upper case.
QString foldedName(QStringView stored) {
    QString folded = stored.toString();
    for (QChar& c : folded) c = QChar(foldAscii(c.unicode()));
    return folded;
}

}  // namespace

// Values by section and key, both folded. As locate() searches: only the first
// section of a name counts, in it the first line of a key, and lines before the
// first header or without "=" hold no key.
struct ProfileSnapshot::Index {
    QHash<QString, QHash<QString, QByteArray>> sections;
};

ProfileSnapshot::ProfileSnapshot(const Profile& profile) {
    QByteArray bytes;
    if (!readFileBytes(profile.path(), &bytes)) return;
    auto index = std::make_unique<Index>();
    QHash<QString, QByteArray>* section = nullptr;  // null: lines not searched
    for (const Line& line : splitLines(bytes)) {
        const QByteArray trimmed = trimBlanks(line.text);
        QString name;
        if (headerName(trimmed, &name)) {
            const QString folded = foldedName(name);
            section = index->sections.contains(folded) ? nullptr : &index->sections[folded];
            continue;
        }
        if (!section || trimmed.isEmpty()) continue;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals < 0) continue;
        const QString key =
            foldedName(sjis::decode(trimBlanks(QByteArrayView(trimmed).first(equals))));
        if (!section->contains(key))
            section->insert(key, trimBlanks(QByteArrayView(trimmed).sliced(equals + 1)));
    }
    index_ = std::move(index);
}

ProfileSnapshot::~ProfileSnapshot() = default;

QString ProfileSnapshot::readString(const QString& section, const QString& key,
                                    const QString& def) const {
    if (!index_) return def;
    const auto s = index_->sections.constFind(foldedName(asStored(section)));
    if (s == index_->sections.constEnd()) return def;
    const auto k = s->constFind(foldedName(asStored(key)));
    return k == s->constEnd() ? def : valueText(*k, key);
}

int ProfileSnapshot::readInteger(const QString& section, const QString& key, int def) const {
    int value = 0;
    return parseInteger(readString(section, key, QString()), &value) ? value : def;
}

bool ProfileSnapshot::readBool(const QString& section, const QString& key, bool def) const {
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void ProfileBatch::writeString(const QString& section, const QString& key, const QString& value) {
    writes_.append({section, key, value});
}

void ProfileBatch::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileBatch::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void ProfileBatch::commit() {
    const QString& path = profile_.path();
    const QFileInfo info(path);
    QList<Line> lines = currentLines(path, info);
    bool changed = false;
    for (const Write& w : writes_)
        changed = storeValue(lines, w.section, w.key, w.value) || changed;
    writes_.clear();
    if (changed) replaceFile(path, info, lines);
}

}  // namespace kirel
