#include "preview/boards.h"

#include "platform/profile.h"

namespace kirel::preview {
namespace {

// Key name with the board number put in place of "%1": "F%1Color" -> "F2Color".
QString key(const char* pattern, int board) {
    return QString::fromLatin1(pattern).arg(board);
}

}  // namespace

BoardProfile boardDefaults(int board, const QString& appDir) {
    BoardProfile p;
    switch (board) {
        case 1:
            p.textColor = QStringLiteral("#000000");
            p.cellColor = QStringLiteral("#FFFFFF");
            p.backColor = QStringLiteral("#FCBED3");
            p.limit = 0;
            p.frame = true;
            break;
        case 2:
            p.textColor = QStringLiteral("#FFFFFF");
            p.cellColor = QStringLiteral("#FCBED3");
            p.backColor = QStringLiteral("#A7ABFC");
            p.limit = 1000;
            p.frame = true;
            break;
        default:
            p.textColor = QStringLiteral("#000000");
            p.backColor = QStringLiteral("#FFFFFF");
            // appDir already ends with a separator: the path holds two in a row,
            // which the file system reads as one.
            p.image = appDir + QStringLiteral("/user/Background.jpg");
            p.limit = 3000;
            p.frame = false;
            break;
    }
    return p;
}

BoardProfile readBoardProfile(const Profile& ini, int board, const QString& appDir) {
    const BoardProfile d = boardDefaults(board, appDir);
    BoardProfile p;
    p.textColor = ini.readString(kForm10, key("F%1Color", board), d.textColor);
    p.cellColor = ini.readString(kForm10, key("C%1Color", board), d.cellColor);
    p.backColor = ini.readString(kForm10, key("Haikei%1", board), d.backColor);
    p.image = ini.readString(kForm10, key("Background%1", board), d.image);
    p.limit = ini.readInteger(kForm10, key("MOJISU%1", board), d.limit);
    p.cellWidth = ini.readInteger(kForm10, key("CELL%1", board), d.cellWidth);
    p.frame = ini.readBool(kForm10, key("Waku%1", board), d.frame);
    p.paneWidth = ini.readInteger(kForm1, key("RichEdit1widthBBS%1", board), d.paneWidth);
    return p;
}

QString frameColorOf(const BoardProfile& board) {
    return board.frame ? kFrameColor : board.cellColor;
}

void savePaneWidth(const Profile& ini, int board, int width) {
    ini.writeInteger(kForm1, QStringLiteral("RichEdit1width"), width);
    ini.writeInteger(kForm1, key("RichEdit1widthBBS%1", board), width);
}

void writeCurrentBoard(const Profile& ini, int board, const BoardProfile& p) {
    ini.writeString(kForm10, QStringLiteral("FColor"), p.textColor);
    ini.writeString(kForm10, QStringLiteral("CColor"), p.cellColor);
    ini.writeString(kForm10, QStringLiteral("Haikei"), p.backColor);
    ini.writeString(kForm10, QStringLiteral("Waku"), frameColorOf(p));
    ini.writeString(kForm10, QStringLiteral("Background"), p.image);
    ini.writeInteger(kForm10, QStringLiteral("CellWidth"), p.cellWidth);
    ini.writeInteger(kForm10, QStringLiteral("Check2"), board - 1);
    ini.writeInteger(kForm10, QStringLiteral("MojiOK"), p.limit);
}

PageSettings readCurrentBoard(const Profile& ini) {
    PageSettings s;
    s.textColor = ini.readString(kForm10, QStringLiteral("FColor"), QStringLiteral("#000000"));
    s.cellColor = ini.readString(kForm10, QStringLiteral("CColor"), QStringLiteral("#FFFFFF"));
    s.cellWidth = ini.readInteger(kForm10, QStringLiteral("CellWidth"), 725);
    s.frameColor = ini.readString(kForm10, QStringLiteral("Waku"), kFrameColor);
    s.backColor = ini.readString(kForm10, QStringLiteral("Haikei"), QStringLiteral("#FCBED3"));
    s.image = ini.readString(kForm10, QStringLiteral("Background"), QString());
    return s;
}

PageSettings pageSettingsOf(const BoardProfile& board) {
    PageSettings s;
    s.textColor = board.textColor;
    s.cellColor = board.cellColor;
    s.frameColor = frameColorOf(board);
    s.backColor = board.backColor;
    s.image = board.image;
    s.cellWidth = board.cellWidth;
    return s;
}

}  // namespace kirel::preview
