#include "preferences/preferencesrules.h"

#include "core/colors.h"
#include "core/settingskeys.h"
#include "platform/profile.h"

namespace kirel::prefs {
namespace {

const QChar kHash = QLatin1Char('#');

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAllDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (!isDigit(c)) return false;
    return true;
}

QString withHash(const QString& text) {
    return text.startsWith(kHash) ? text : kHash + text;
}

// The defaults of a board's profile, as the dialog reads them (limits and
// widths as text).
struct BoardDefaults {
    const char* limit;
    const char* textColor;
    const char* cellColor;
    const char* backColor;
    bool frame;
};
constexpr BoardDefaults kBoardDefaults[3] = {
    {"0", "#000000", "#FFFFFF", "#FCBED3", true},
    {"1000", "#FFFFFF", "#FCBED3", "#A7ABFC", true},
    {"3000", "#000000", "", "#FFFFFF", false},
};
constexpr int kPresetColorDefaults[8] = {255,      16744448, 13876988, 16559015,
                                         15909506, 12701097, 14647167, 657930};
constexpr int kFormButtonDefaults[4] = {15182842, 15909506, 16240825, 14671839};

const QString kWidthMessage =
    QStringLiteral("掲示板%1のセル幅設定が異常です。\r\n２けた以下は設定できません。");
const QString kColorMessage = QStringLiteral(
    "入力された文字に誤りがあるため、設定保存ができません。\r\n0～9,"
    "A～Fの半角英数で入力してください");
const QString kFolderMessage = QStringLiteral(
    "設定されたフォルダが存在しないために、設定保存ができません。\r\nフォルダの設定に間違いがないか"
    "確認してください");
const QString kPictureMessage = QStringLiteral(
    "設定に誤りがあるため、設定保存ができません。\r\nメインフォームに表示する画像を設定してくださ"
    "い");
const QString kLimitMessage =
    QStringLiteral("掲示板%1の文字数制限の設定が異常です。\r\n0～9999の半角数字で入力してください");
const QString kWidthDigitsMessage =
    QStringLiteral("掲示板%1のセル幅設定が異常です。\r\n100～9999の半角数字で入力してください");
const QString kHandleMaxMessage = QStringLiteral(
    "ハンドルネームとする文字数の設定が異常です。\r\n0～99の半角数字で入力してください");

// Board numbers as the messages write them.
const QString kWideDigits[3] = {QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３")};

}  // namespace

ColorEdit colorRule(const QString& text) {
    ColorEdit e;
    e.text = text;
    if (!e.text.startsWith(kHash)) {
        e.text = kHash + e.text;
        e.caret = std::min<int>(2, int(e.text.size()));
    }
    if (e.text.size() > 7) e.text.truncate(7);
    if (e.text.size() == 7) {
        e.complete = true;
        e.valid = colorStringToInt(e.text, &e.color);
    }
    return e;
}

ColorEdit cellColorRule(const QString& text) {
    if (text.isEmpty()) return ColorEdit{};
    return colorRule(text);
}

QString samplePicture(const QString& cellColor, const QString& image,
                      const std::function<bool(const QString&)>& exists) {
    if (!cellColor.isEmpty() || image.isEmpty() || !exists(image)) return QString();
    if (image.endsWith(QLatin1String(".gif")) || image.endsWith(QLatin1String(".png")))
        return QString();
    return image;
}

bool namesGifOrPng(const QString& path) {
    return path.contains(QLatin1String(".gif")) || path.contains(QLatin1String(".png"));
}

const std::array<QString, 8>& presetDefaults() {
    static const std::array<QString, 8> defaults = {
        QStringLiteral("#FF0000"), QStringLiteral("#0080FF"), QStringLiteral("#FCBED3"),
        QStringLiteral("#A7ABFC"), QStringLiteral("#82C2F2"), QStringLiteral("#A9CDC1"),
        QStringLiteral("#7F7FDF"), QStringLiteral("#0A0A0A"),
    };
    return defaults;
}

QString builtinPicture(const QString& appDir, int choice) {
    static const char* const names[3] = {"pirumi.bmp", "topopo.bmp", "kurotopo.bmp"};
    if (choice < 0 || choice > 2) return QString();
    return appDir + QStringLiteral("/images/") + QLatin1String(names[choice]);
}

Values readValues(const Profile& ini, const QString& appDir) {
    using namespace keys;
    Values v;
    v.formColor = ini.readInteger(kShared, kFormColor, kFormColorDefault);
    for (int b = 0; b < 3; ++b) {
        const BoardDefaults& d = kBoardDefaults[b];
        BoardFields& f = v.boards[b];
        const int n = b + 1;
        f.limit = ini.readString(kShared, numbered(kBoardLimit, n), QLatin1String(d.limit));
        f.textColor =
            ini.readString(kShared, numbered(kBoardTextColor, n), QLatin1String(d.textColor));
        f.cellColor =
            ini.readString(kShared, numbered(kBoardCellColor, n), QLatin1String(d.cellColor));
        f.cellWidth = ini.readString(kShared, numbered(kBoardCellWidth, n), QStringLiteral("725"));
        f.backColor =
            ini.readString(kShared, numbered(kBoardBackColor, n), QLatin1String(d.backColor));
        f.image =
            ini.readString(kShared, numbered(kBoardImage, n),
                           b == 2 ? appDir + QStringLiteral("/user/Background.jpg") : QString());
        f.frame = ini.readBool(kShared, numbered(kBoardFrame, n), d.frame);
        const QString none = QStringLiteral("\x01");
        const QString name = ini.readString(kShared, numbered(kBoardName, n), none);
        const QString lines = ini.readString(kShared, numbered(kBoardLineLimit, n), none);
        f.hadPublished = name != none || lines != none;
        f.name = name == none ? QString() : name;
        const int lineLimit =
            lines == none ? 0 : ini.readInteger(kShared, numbered(kBoardLineLimit, n), 0);
        f.lineLimit = lineLimit > 0 ? QString::number(lineLimit) : QString();
    }
    v.savePath = ini.readString(kShared, kSavePath, QString());
    for (int i = 0; i < 8; ++i) {
        v.presetColors[i] =
            ini.readInteger(kDecoration, numbered(kPresetColor, i + 1), kPresetColorDefaults[i]);
        v.presetHtml[i] =
            ini.readString(kDecoration, numbered(kPresetHtml, i + 1), presetDefaults()[i]);
    }
    v.handleMax = QString::number(ini.readInteger(kHandleName, kHandleMax, 20));
    v.handleFront = ini.readString(kHandleName, kHandleFront, QStringLiteral(">"));
    v.handleBack = ini.readString(kHandleName, kHandleBack, QStringLiteral("さん"));
    v.currentBoard = ini.readInteger(kShared, kCurrentBoard, 0);
    if (v.currentBoard < 0 || v.currentBoard > 2) v.currentBoard = 0;
    v.pictureChoice = ini.readInteger(kShared, kPictureChoice, 0);
    if (v.pictureChoice < 0 || v.pictureChoice > kNoPicture) v.pictureChoice = 0;
    v.picturePath = ini.readString(kShared, kPicturePath, builtinPicture(appDir, 0));
    for (int k = 0; k < 3; ++k)
        v.userPictures[k] = ini.readString(kShared, numbered(kUserPicturePath, k + 1), QString());
    for (int k = 0; k < 4; ++k)
        v.formButtonColors[k] =
            ini.readInteger(kShared, numbered(kFormButtonColor, k + 1), kFormButtonDefaults[k]);
    v.quoteColor = ini.readBool(kShared, kQuoteColor, false);
    v.quoteItalic = ini.readBool(kShared, kQuoteItalic, false);
    return v;
}

void normalise(Values& v) {
    for (BoardFields& b : v.boards) {
        b.textColor = withHash(b.textColor);
        b.backColor = withHash(b.backColor);
        if (b.cellColor.isEmpty())
            b.frame = false;
        else
            b.cellColor = withHash(b.cellColor);
    }
    for (QString& html : v.presetHtml) html = withHash(html);
}

bool colorFieldPasses(const QString& text) {
    if (!text.startsWith(kHash)) return true;
    return colorStringToInt(text, nullptr);
}

std::optional<Refusal> check(const Values& v,
                             const std::function<bool(const QString&)>& folderExists) {
    for (int b = 0; b < 3; ++b) {
        if (v.boards[b].cellWidth.size() < 3)
            return Refusal{boardPage(b), b, Field::CellWidth, kWidthMessage.arg(kWideDigits[b]),
                           true};
        if (!isAllDigits(v.boards[b].cellWidth))
            return Refusal{boardPage(b), b, Field::CellWidth,
                           kWidthDigitsMessage.arg(kWideDigits[b])};
    }
    // Text and cell colour board by board, then the three background colours.
    for (int b = 0; b < 3; ++b) {
        if (!colorFieldPasses(v.boards[b].textColor))
            return Refusal{boardPage(b), b, Field::TextColor, kColorMessage};
        if (!colorFieldPasses(v.boards[b].cellColor))
            return Refusal{boardPage(b), b, Field::CellColor, kColorMessage};
    }
    for (int b = 0; b < 3; ++b) {
        if (!colorFieldPasses(v.boards[b].backColor))
            return Refusal{boardPage(b), b, Field::BackColor, kColorMessage};
    }
    if (!v.savePath.isEmpty() && !folderExists(v.savePath))
        return Refusal{kFormPage, -1, Field::SaveFolder, kFolderMessage};
    if (v.picturePath.isEmpty() && v.pictureChoice != kNoPicture)
        return Refusal{kFormPage, -1, Field::PictureChoice, kPictureMessage};
    // A limit becomes the counter's limit when its board is chosen: each must be
    // a number.
    for (int b = 0; b < 3; ++b) {
        if (!isAllDigits(v.boards[b].limit))
            return Refusal{boardPage(b), b, Field::Limit, kLimitMessage.arg(kWideDigits[b])};
    }
    if (!isAllDigits(v.handleMax))
        return Refusal{kQuotePage, -1, Field::HandleMax, kHandleMaxMessage};
    return std::nullopt;
}

QString frameColor(const BoardFields& board) {
    return board.frame ? QStringLiteral("#8080FF") : board.cellColor;
}

int charLimitOf(const Values& v) {
    return v.boards[v.currentBoard].limit.toInt();
}

void writeValues(ProfileBatch& out, const Values& v) {
    using namespace keys;
    const BoardFields& cur = v.boards[v.currentBoard];
    for (int b = 0; b < 3; ++b)
        out.writeString(kShared, numbered(kBoardLimit, b + 1), v.boards[b].limit);
    out.writeString(kShared, kCellColor, cur.cellColor);
    out.writeString(kShared, kTextColor, cur.textColor);
    for (int b = 0; b < 3; ++b) {
        out.writeString(kShared, numbered(kBoardTextColor, b + 1), v.boards[b].textColor);
        out.writeString(kShared, numbered(kBoardCellColor, b + 1), v.boards[b].cellColor);
    }
    out.writeInteger(kShared, kCellWidth, cur.cellWidth.toInt());
    for (int b = 0; b < 3; ++b)
        out.writeString(kShared, numbered(kBoardCellWidth, b + 1), v.boards[b].cellWidth);
    out.writeString(kShared, kBackColor, cur.backColor);
    for (int b = 0; b < 3; ++b)
        out.writeString(kShared, numbered(kBoardBackColor, b + 1), v.boards[b].backColor);
    out.writeString(kShared, kImage, cur.image);
    for (int b = 0; b < 3; ++b)
        out.writeString(kShared, numbered(kBoardImage, b + 1), v.boards[b].image);
    out.writeInteger(kShared, kCharLimit, charLimitOf(v));
    out.writeString(kShared, kFrameColor, frameColor(cur));
    for (int b = 0; b < 3; ++b)
        out.writeBool(kShared, numbered(kBoardFrame, b + 1), v.boards[b].frame);
    for (int i = 0; i < 8; ++i)
        out.writeInteger(kDecoration, numbered(kPresetColor, i + 1), v.presetColors[i]);
    for (int i = 0; i < 8; ++i)
        out.writeString(kDecoration, numbered(kPresetHtml, i + 1), v.presetHtml[i]);
    out.writeInteger(kHandleName, kHandleMax, v.handleMax.toInt());
    out.writeString(kHandleName, kHandleFront, v.handleFront);
    out.writeString(kHandleName, kHandleBack, v.handleBack);
    out.writeInteger(kShared, kPictureChoice, v.pictureChoice);
    out.writeString(kShared, kPicturePath, v.picturePath);
    for (int k = 0; k < 3; ++k)
        out.writeString(kShared, numbered(kUserPicturePath, k + 1), v.userPictures[k]);
    out.writeInteger(kShared, kFormColor, v.formColor);
    for (int k = 0; k < 4; ++k)
        out.writeInteger(kShared, numbered(kFormButtonColor, k + 1), v.formButtonColors[k]);
    out.writeBool(kShared, kQuoteColor, v.quoteColor);
    out.writeBool(kShared, kQuoteItalic, v.quoteItalic);
    out.writeString(kShared, kSavePath, v.savePath);
    // The boards' published name and line limit, after every key of before.
    for (int b = 0; b < 3; ++b) {
        const BoardFields& f = v.boards[b];
        if (!f.hadPublished && f.name.isEmpty() && f.lineLimit.isEmpty()) continue;
        out.writeString(kShared, numbered(kBoardName, b + 1), f.name);
        out.writeInteger(kShared, numbered(kBoardLineLimit, b + 1), f.lineLimit.toInt());
    }
}

QStringList quoteMarkLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace kirel::prefs
