#include "boardrules/settingtxt.h"

#include <QStringDecoder>
#include <algorithm>

#include "platform/sjis.h"

namespace kirel::boardrules {
namespace {

constexpr int kFieldMax = 9999;

struct NamedColor {
    const char* name;
    const char* hex;
};

// The sixteen colours of HTML and the names boards commonly use besides them.
constexpr NamedColor kNamedColors[] = {
    {"black", "000000"},     {"silver", "C0C0C0"},      {"gray", "808080"},
    {"grey", "808080"},      {"white", "FFFFFF"},       {"maroon", "800000"},
    {"red", "FF0000"},       {"purple", "800080"},      {"fuchsia", "FF00FF"},
    {"magenta", "FF00FF"},   {"green", "008000"},       {"lime", "00FF00"},
    {"olive", "808000"},     {"yellow", "FFFF00"},      {"navy", "000080"},
    {"blue", "0000FF"},      {"teal", "008080"},        {"aqua", "00FFFF"},
    {"cyan", "00FFFF"},      {"orange", "FFA500"},      {"pink", "FFC0CB"},
    {"brown", "A52A2A"},     {"gold", "FFD700"},        {"ivory", "FFFFF0"},
    {"beige", "F5F5DC"},     {"khaki", "F0E68C"},       {"lavender", "E6E6FA"},
    {"skyblue", "87CEEB"},   {"lightblue", "ADD8E6"},   {"darkblue", "00008B"},
    {"darkred", "8B0000"},   {"darkgreen", "006400"},   {"lightgreen", "90EE90"},
    {"violet", "EE82EE"},    {"snow", "FFFAFA"},        {"whitesmoke", "F5F5F5"},
    {"lightgray", "D3D3D3"}, {"lightgrey", "D3D3D3"},   {"darkgray", "A9A9A9"},
    {"darkgrey", "A9A9A9"},  {"honeydew", "F0FFF0"},    {"mintcream", "F5FFFA"},
    {"aliceblue", "F0F8FF"}, {"lightyellow", "FFFFE0"}, {"lightpink", "FFB6C1"},
    {"hotpink", "FF69B4"},   {"deeppink", "FF1493"},    {"tomato", "FF6347"},
    {"coral", "FF7F50"},     {"salmon", "FA8072"},      {"wheat", "F5DEB3"},
    {"tan", "D2B48C"},       {"chocolate", "D2691E"},   {"indigo", "4B0082"},
};

bool isHex(QStringView s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

// A whole number of at most nine digits (anything longer is no limit we take).
std::optional<qint64> number(const QString& value) {
    if (value.isEmpty() || value.size() > 9) return std::nullopt;
    for (QChar c : value)
        if (c < u'0' || c > u'9') return std::nullopt;
    return value.toLongLong();
}

}  // namespace

int charLimitFromBytes(qint64 bytes) {
    if (bytes <= 0) return 0;
    return int(std::min<qint64>(bytes / 2, kFieldMax));
}

int lineLimitFromSetting(qint64 lineNumber) {
    if (lineNumber <= 0) return 0;
    return int(std::min<qint64>(lineNumber * 2, kFieldMax));
}

std::optional<QString> colorFromSetting(const QString& raw) {
    const QString value = raw.trimmed();
    QStringView digits(value);
    if (digits.startsWith(u'#')) digits = digits.mid(1);
    if (isHex(digits) && digits.size() == 6) return QLatin1Char('#') + digits.toString().toUpper();
    if (isHex(digits) && digits.size() == 3) {
        QString out = QStringLiteral("#");
        for (QChar c : digits) out += QString(2, c.toUpper());
        return out;
    }
    const QString name = value.toLower();
    for (const NamedColor& c : kNamedColors)
        if (name == QLatin1String(c.name)) return QLatin1Char('#') + QLatin1String(c.hex);
    return std::nullopt;
}

std::variant<BoardRules, RulesError> parseSettingText(const QString& text) {
    BoardRules rules;
    bool known = false;
    QString unified = text;
    unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    unified.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& line : unified.split(QLatin1Char('\n'))) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("BBS_TITLE")) {
            known = true;
            if (!value.isEmpty()) rules.title = value;
        } else if (key == QLatin1String("BBS_MESSAGE_COUNT")) {
            known = true;
            if (const auto n = number(value); n && *n > 0) rules.charLimit = charLimitFromBytes(*n);
        } else if (key == QLatin1String("BBS_LINE_NUMBER")) {
            known = true;
            if (const auto n = number(value); n && *n > 0)
                rules.lineLimit = lineLimitFromSetting(*n);
        } else if (key == QLatin1String("BBS_TEXT_COLOR")) {
            known = true;
            rules.textColor = colorFromSetting(value);
        } else if (key == QLatin1String("BBS_BG_COLOR")) {
            known = true;
            rules.backColor = colorFromSetting(value);
        } else if (key == QLatin1String("BBS_THREAD_COLOR")) {
            known = true;
            rules.cellColor = colorFromSetting(value);
        }
    }
    if (!known) return RulesError{kNoKeys};
    return rules;
}

std::variant<BoardRules, RulesError> parseSettingTxt(const QByteArray& bytes) {
    if (bytes.size() > kMaxSettingBytes) return RulesError{kTooLarge};
    const QString text = sjis::decode(bytes);
    // Control characters, the stray single bytes Windows maps to U+0080 and
    // U+F8F0.. and the placeholders of undecodable bytes mean this is no text.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t cp = text.at(i).isHighSurrogate() && i + 1 < text.size()
                                ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                                : text.at(i).unicode();
        const bool control =
            (cp < 0x20 && cp != u'\t' && cp != u'\r' && cp != u'\n') || (cp >= 0x7F && cp <= 0x9F);
        if (control || (cp >= 0xF8F0 && cp <= 0xF8F3) || sjis::isPlaceholder(cp))
            return RulesError{kNotShiftJis};
    }
    // UTF-8 with characters beyond ASCII often passes as Shift-JIS byte pairs;
    // a text that reads as proper UTF-8 is taken for what it is.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8(bytes);
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c >= 0x80; });
    if (beyondAscii && !utf8.hasError()) return RulesError{kNotShiftJis};
    return parseSettingText(text);
}

QUrl settingTxtUrl(const QString& address) {
    QUrl url = QUrl::fromUserInput(address.trimmed());
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    url.setQuery(QString());
    url.setFragment(QString());
    QString path = url.path();
    // A thread: /test/read.cgi/<board>/<number>/...
    const QString readCgi = QStringLiteral("/test/read.cgi/");
    if (const qsizetype at = path.indexOf(readCgi); at >= 0) {
        const QString rest = path.mid(at + readCgi.size());
        const QString board = rest.section(QLatin1Char('/'), 0, 0);
        if (board.isEmpty()) return QUrl();
        path = path.left(at) + QLatin1Char('/') + board + QStringLiteral("/SETTING.TXT");
    } else if (path.endsWith(QStringLiteral("/SETTING.TXT"))) {
        // The file itself.
    } else if (path.isEmpty() || path.endsWith(QLatin1Char('/'))) {
        path += QStringLiteral("SETTING.TXT");
        if (!path.startsWith(QLatin1Char('/'))) path.prepend(QLatin1Char('/'));
    } else if (path.section(QLatin1Char('/'), -1).contains(QLatin1Char('.'))) {
        // A page of the board: the file beside it.
        path = path.left(path.lastIndexOf(QLatin1Char('/')) + 1) + QStringLiteral("SETTING.TXT");
    } else {
        path += QStringLiteral("/SETTING.TXT");
    }
    url.setPath(path);
    return url;
}

}  // namespace kirel::boardrules
