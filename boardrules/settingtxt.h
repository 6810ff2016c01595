#pragma once

// A board's own rules, read from the SETTING.TXT it publishes beside its pages
// (Shift-JIS text, one KEY=value a line), and the profile values they give.
//
// Keys used: BBS_TITLE (the board's name), BBS_MESSAGE_COUNT (the most bytes a
// post may have), BBS_LINE_NUMBER (half the most lines a post may have),
// BBS_TEXT_COLOR, BBS_BG_COLOR and BBS_THREAD_COLOR (text, page and cell colour).
// Every other key is ignored.

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <optional>
#include <variant>

namespace kirel::boardrules {

// The biggest SETTING.TXT read; anything longer is not one.
constexpr qsizetype kMaxSettingBytes = 64 * 1024;

// What a SETTING.TXT tells about a board; a missing or unusable key stays empty.
struct BoardRules {
    std::optional<QString> title;
    std::optional<int> charLimit;      // in full-width characters, from the byte limit
    std::optional<int> lineLimit;      // lines a post may have
    std::optional<QString> textColor;  // "#RRGGBB"
    std::optional<QString> backColor;
    std::optional<QString> cellColor;
};

// Why a text was not taken as a SETTING.TXT (the message the user reads).
struct RulesError {
    QString message;
};

// Reads the bytes of a SETTING.TXT. Refused: more than kMaxSettingBytes, bytes
// that are not Shift-JIS, and a text with none of the keys above.
std::variant<BoardRules, RulesError> parseSettingTxt(const QByteArray& bytes);

// The same for text already in the program (pasted into a box).
std::variant<BoardRules, RulesError> parseSettingText(const QString& text);

// The limit in full-width characters for a byte limit: half of it, rounded down,
// so that the board never refuses what the counter allows; at most 9999 (the
// limit field's four digits), 0 for none.
int charLimitFromBytes(qint64 bytes);

// The lines a post may have: twice BBS_LINE_NUMBER (at most 9999).
int lineLimitFromSetting(qint64 lineNumber);

// A colour value as "#RRGGBB" (upper case): "#RRGGBB", "RRGGBB", "#RGB" and the
// HTML colour names ("green"); nullopt for anything else.
std::optional<QString> colorFromSetting(const QString& value);

// Where the SETTING.TXT of a board is, from an address the user typed or pasted:
// the board's folder ("http://host/board/"), a page of it ("…/board/index.html"),
// a thread ("http://host/test/read.cgi/board/123/") or the file itself. Only
// http and https; an invalid URL on anything else.
QUrl settingTxtUrl(const QString& address);

// The messages of a refused text.
inline const QString kTooLarge =
    QStringLiteral("SETTING.TXTとして大きすぎます（64KBまで）。\r\n読み込みを中止しました。");
inline const QString kNotShiftJis =
    QStringLiteral("Shift_JISの文字として読めないバイトがあります。\r\n読み込みを中止しました。");
inline const QString kNoKeys = QStringLiteral(
    "掲示板の設定（BBS_MESSAGE_COUNTなど）が見つかりません。\r\nSETTING.TXTではないようです。");

}  // namespace kirel::boardrules
