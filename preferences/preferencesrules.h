#pragma once

// The rules of the preferences dialog that need no window: which keys a field
// takes, how colour fields correct themselves while the user types, the checks
// before saving and their order, and the settings the dialog reads and writes.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace kirel {
class Profile;
class ProfileBatch;
}  // namespace kirel

namespace kirel::prefs {

// --- change rules ---

// A colour field corrected as the user types: the text to show, where to put the
// caret (-1: leave it), and the colour once the text is a full "#RRGGBB".
struct ColorEdit {
    QString text;
    int caret = -1;
    bool complete = false;  // seven characters
    bool valid = false;     // complete and hexadecimal
    int color = 0;          // colour integer when valid
};

// Text, background and preset colours: "#" is put in front when missing (also
// into an empty field), the text is cut to seven characters, and seven
// characters are converted to a colour.
ColorEdit colorRule(const QString& text);

// Cell colours may be empty (no cell colour): empty stays empty; otherwise as
// colorRule.
ColorEdit cellColorRule(const QString& text);

// The message of a colour field whose seven characters are not hexadecimal.
inline const QString kColorTypo =
    QStringLiteral("入力された文字に誤りがあります。\r\n0～9,A～Fの半角英数で入力してください");

// --- pictures ---

// The picture a board's sample shows: the background picture when the board has
// no cell colour and the picture exists and does not end in ".gif" or ".png";
// else none (empty).
QString samplePicture(const QString& cellColor, const QString& image,
                      const std::function<bool(const QString&)>& exists);

// ".gif" or ".png" anywhere in the path: a picture the windows cannot show.
bool namesGifOrPng(const QString& path);

// --- what the dialog edits ---

struct BoardFields {
    QString limit;
    QString textColor;
    QString cellColor;
    QString cellWidth;
    QString backColor;
    QString image;
    bool frame = true;
    // What the board published of itself: its name and line limit ("" = none).
    // Written only when set, or when the profile had them before.
    QString name;
    QString lineLimit;
    bool hadPublished = false;
};

struct Values {
    std::array<BoardFields, 3> boards;
    std::array<int, 8> presetColors{};  // swatches, colour integers
    std::array<QString, 8> presetHtml;  // hex fields
    QString handleMax;
    QString handleFront;
    QString handleBack;
    int pictureChoice = 0;  // 0..2 built-in, 3..5 user pictures, 6 none
    QString picturePath;
    std::array<QString, 3> userPictures;
    int formColor = 0;
    std::array<int, 4> formButtonColors{};
    bool quoteColor = false;
    bool quoteItalic = false;
    QString savePath;
    int currentBoard = 0;  // 0..2, from Check2 at opening
};

// The defaults of the preset colours, as colour strings.
const std::array<QString, 8>& presetDefaults();
// The picture choice that shows no picture.
constexpr int kNoPicture = 6;
// The built-in picture of choice 0..2: appDir + "/images/<name>", the doubled
// separator included as in the stored defaults.
QString builtinPicture(const QString& appDir, int choice);

// Reads every setting the dialog shows, with the defaults of the settings file.
Values readValues(const Profile& ini, const QString& appDir);

// Colour fields as the dialog shows them after opening: "#" in front of every
// text, background and preset colour, and of every cell colour that is not
// empty; a board without a cell colour has no frame.
void normalise(Values& v);

// --- checks before saving ---

// The field a failed check turns to.
enum class Field {
    Limit,
    TextColor,
    CellColor,
    CellWidth,
    BackColor,
    SaveFolder,
    PictureChoice,
    HandleMax,
};

struct Refusal {
    int page = 0;    // 0..5
    int board = -1;  // 0..2 for the board fields
    Field field = Field::Limit;
    QString message;
    bool plain = false;  // a plain message box, else a warning
};

// The page of board 0..2.
constexpr int boardPage(int board) {
    return board;
}
constexpr int kColorPage = 3;
constexpr int kQuotePage = 4;
constexpr int kFormPage = 5;

// The checks in their order; the first that fails is returned: cell widths of
// boards 1-3 (three characters at least, digits only), colours (text 1, cell 1,
// text 2, cell 2, text 3, cell 3, background 1-3), the save folder, the
// picture, the limits of boards 1-3 and the handle-name length (digits only:
// a number the settings could not read back would silently become its
// default). folderExists tells whether an existing folder has exactly that
// path.
std::optional<Refusal> check(const Values& v,
                             const std::function<bool(const QString&)>& folderExists);

// A colour field's text passes when it is empty, "#" alone, or "#" and up to six
// hexadecimal digits; text without "#" is not converted and passes.
bool colorFieldPasses(const QString& text);

// --- saving ---

// "#8080FF" when the board's cell has a frame, else its cell colour as typed.
QString frameColor(const BoardFields& board);

// The limit of the current board (text checked already), 0 for none.
int charLimitOf(const Values& v);

// Every setting in the order the dialog writes them.
void writeValues(ProfileBatch& out, const Values& v);

// The quote marks of the quote page's text, one a line. The line after a final
// line break (and the one line of an empty text) is no quote mark: saved, it
// would show as an empty candidate in the quote-mark list.
QStringList quoteMarkLines(const QString& text);

}  // namespace kirel::prefs
