#include "preview/boards.h"

#include "core/settingskeys.h"
#include "platform/profile.h"

namespace kirel::preview {
using namespace keys;

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
    p.textColor = ini.readString(kShared, numbered(kBoardTextColor, board), d.textColor);
    p.cellColor = ini.readString(kShared, numbered(kBoardCellColor, board), d.cellColor);
    p.backColor = ini.readString(kShared, numbered(kBoardBackColor, board), d.backColor);
    p.image = ini.readString(kShared, numbered(kBoardImage, board), d.image);
    p.limit = ini.readInteger(kShared, numbered(kBoardLimit, board), d.limit);
    p.cellWidth = ini.readInteger(kShared, numbered(kBoardCellWidth, board), d.cellWidth);
    p.frame = ini.readBool(kShared, numbered(kBoardFrame, board), d.frame);
    p.paneWidth = ini.readInteger(kMainWindow, numbered(kBoardPaneWidth, board), d.paneWidth);
    return p;
}

QString frameColorOf(const BoardProfile& board) {
    return board.frame ? kFrameColor : board.cellColor;
}

void savePaneWidth(const Profile& ini, int board, int width) {
    ini.writeInteger(kMainWindow, kEditPaneWidth, width);
    ini.writeInteger(kMainWindow, numbered(kBoardPaneWidth, board), width);
}

void writeCurrentBoard(const Profile& ini, int board, const BoardProfile& p) {
    ini.writeString(kShared, kTextColor, p.textColor);
    ini.writeString(kShared, kCellColor, p.cellColor);
    ini.writeString(kShared, kBackColor, p.backColor);
    ini.writeString(kShared, keys::kFrameColor, frameColorOf(p));
    ini.writeString(kShared, kImage, p.image);
    ini.writeInteger(kShared, kCellWidth, p.cellWidth);
    ini.writeInteger(kShared, kCurrentBoard, board - 1);
    ini.writeInteger(kShared, kCharLimit, p.limit);
}

PageSettings readCurrentBoard(const Profile& ini) {
    PageSettings s;
    s.textColor = ini.readString(kShared, kTextColor, QStringLiteral("#000000"));
    s.cellColor = ini.readString(kShared, kCellColor, QStringLiteral("#FFFFFF"));
    s.cellWidth = ini.readInteger(kShared, kCellWidth, 725);
    s.frameColor = ini.readString(kShared, keys::kFrameColor, kFrameColor);
    s.backColor = ini.readString(kShared, kBackColor, QStringLiteral("#FCBED3"));
    s.image = ini.readString(kShared, kImage, QString());
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
