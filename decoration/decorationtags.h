#pragma once

// The tags of the decoration window: which of the five decorations are chosen,
// the one rule that composes them around a text, and the texts of its lists.

#include <QString>
#include <QStringList>
#include <functional>

namespace kirel::decoration {

// Body of the tag display while the user chooses.
inline const QString kPlaceholder = QStringLiteral("選択された文字列");
// Last item of the size, scroll and font lists, and the "no style" button.
inline const QString kNotSpecified = QStringLiteral("指定しない");
// Shown when a size of ５, ６ or ７ is chosen; the choice stands.
inline const QString kLargeSizeWarning = QStringLiteral(
    "この文字サイズを多用しますと、他の方を不快にするおそれがあります。\r\n"
    "ご使用には十分に注意してください。");

// The five decorations. Each one that is on adds its weight to the
// combination code (colour 1, size 2, style 5, scroll 10, face 100); the 32
// possible sums are all different, so the code alone tells which are on.
struct DecorationState {
    bool colorOn = false;
    int color = 0;      // current colour, 0x00BBGGRR
    QString colorText;  // "#RRGGBB" of the colour while it is on
    bool sizeOn = false;
    QString sizeText;  // "1" to "7", "+1", "+2"
    bool styleOn = false;
    QString styleOpen, styleClose;  // "<B>" and "</B>", ...
    bool scrollOn = false;
    QString scrollTag;  // the whole opening MARQUEE tag
    // The face has no value of its own: the name is whatever the font box shows
    // when the tag is composed.
    bool faceOn = false;

    int code() const;
    // Everything off, values cleared.
    void reset() { *this = DecorationState(); }

    // The one composition rule, used by the tag display (placeholder body), OK
    // and preview (the captured selection): scroll outermost, then style, then
    // one FONT element with the attributes face, color, size in that order.
    // With nothing on the body comes back unchanged.
    QString compose(const QString& body, const QString& face) const;
};

// "#RRGGBB" of a colour integer 0x00BBGGRR (255 gives "#FF0000").
QString colorText(int rgb);

// Size list: "１" to "７", "＋１", "＋２", "指定しない".
QStringList sizeItems();
// Size text of a size list item ("1".."7", "+1", "+2"); a null string for
// "指定しない" or an index outside the list.
QString sizeText(int index);
// True for "５", "６" and "７".
bool sizeNeedsWarning(int index);

// Scroll list; three items end in a blank, as the list has always shown them.
QStringList scrollItems();
inline constexpr int kScrollOff = 7;  // index of "指定しない"
// "<MARQUEE width=" + width + the item's suffix ("%>", "% direction=..."); a
// null string for "指定しない" or an index outside the list.
QString scrollOpeningTag(int index, const QString& width);

// Style buttons, in order: 斜体, 強調, 下線, 取消線.
enum class Style { Italic, Bold, Underline, StrikeOut };
QStringList styleCaptions();  // the four, then "指定しない"
QString styleOpeningTag(Style style);
QString styleClosingTag(Style style);

// A colour setting of the sample ("#RRGGBB", or RRGGBB without "#") as a colour
// integer: the first six characters are reordered to BBGGRR and read as
// hexadecimal, so fewer digits give a partial value. A text that is not
// hexadecimal gives fallback.
int sampleColor(const QString& setting, int fallback);

// The sample shows a background picture when no sample background colour is set,
// the file exists and its extension is neither ".gif" nor ".png" (compared
// exactly). Returns the path, or an empty string for no picture.
QString samplePicture(const QString& cellColor, const QString& background,
                      const std::function<bool(const QString&)>& fileExists);

// Japanese family names of the Windows faces the board's readers see posts in.
QStringList windowsJapaneseFaces();
// Items of the font box: the system's families in their order (a " [foundry]"
// that tells same-named families apart is dropped, and each name listed once),
// then each Windows face the font configuration resolves that is not already
// listed, then "指定しない", whose index is the number of fonts.
QStringList fontBoxItems(const QStringList& systemFamilies,
                         const std::function<bool(const QString&)>& resolves);

}  // namespace kirel::decoration
