#pragma once

// Board profiles and the current board.
//
// Each of the three boards has a profile in section "Form10" (keys ending in its
// number) and a remembered edit-pane width in section "Form1". The board that is
// selected is copied to the unsuffixed current-board keys; the preview page is
// built from that copy only.

#include <QString>

namespace kirel {
class Profile;
}

namespace kirel::preview {

// Frame colour of a board whose cell has a frame; also the title bar of the page.
inline const QString kFrameColor = QStringLiteral("#8080FF");

// One board's profile.
struct BoardProfile {
    QString textColor;  // colour of the post text
    QString cellColor;  // colour of the post cell, may be empty
    QString backColor;  // page background colour
    QString image;      // page background picture, may be empty
    int limit = 0;      // in full-width characters, 0 = no limit
    int cellWidth = 725;
    bool frame = true;
    int paneWidth = 520;  // edit-pane width remembered for the board
};

// Defaults of board 1, 2 or 3. appDir ends with a separator; the board 3
// picture is appDir + "/user/Background.jpg", the doubled separator included.
BoardProfile boardDefaults(int board, const QString& appDir);

// Reads board n's profile in the order text colour, cell colour, background
// colour, background picture, limit, cell width, frame flag, then the
// remembered pane width (section "Form1").
BoardProfile readBoardProfile(const Profile& ini, int board, const QString& appDir);

// "#8080FF" when the board's cell has a frame, else its cell colour as stored.
QString frameColorOf(const BoardProfile& board);

// Remembers the edit-pane width of the board being left: "Form1"
// RichEdit1width, then RichEdit1widthBBS<n>.
void savePaneWidth(const Profile& ini, int board, int width);

// Makes board n the current board: writes FColor, CColor, Haikei, Waku,
// Background, CellWidth, Check2 and MojiOK, in this order.
void writeCurrentBoard(const Profile& ini, int board, const BoardProfile& profile);

// What the preview page is drawn with.
struct PageSettings {
    QString textColor;
    QString cellColor;
    QString frameColor;
    QString backColor;
    QString image;
    int cellWidth = 725;
};

// The current-board keys, read in the order FColor, CColor, CellWidth, Waku,
// Haikei, Background.
PageSettings readCurrentBoard(const Profile& ini);

// The page settings of a board's profile, its frame colour worked out.
PageSettings pageSettingsOf(const BoardProfile& board);

}  // namespace kirel::preview
