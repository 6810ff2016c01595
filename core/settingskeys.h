#pragma once

// Sections and keys of the settings file "Kirel.ini" (kept at AppState::iniPath()).
// Every key the program reads or writes is spelled here and nowhere else. The
// sections are named after the window that owns their keys; "Form10" holds the
// board profiles, the current board and the look shared by every window.

#include <QString>

namespace kirel::keys {

// --- sections ---
inline const QString kMainWindow = QStringLiteral("Form1");
inline const QString kQuoteMark = QStringLiteral("Form2");
inline const QString kDecoration = QStringLiteral("Form3");
inline const QString kHandleName = QStringLiteral("Form5");
inline const QString kLink = QStringLiteral("Form6");
inline const QString kEmoticons = QStringLiteral("Form7");
inline const QString kPhrases = QStringLiteral("Form8");
inline const QString kTool = QStringLiteral("Form9");
inline const QString kShared = QStringLiteral("Form10");
inline const QString kSplitPost = QStringLiteral("Form11");

// --- [Form1] main window ---
inline const QString kTop = QStringLiteral("Form1Top");
inline const QString kLeft = QStringLiteral("Form1Left");
inline const QString kHeight = QStringLiteral("Form1Height");
inline const QString kWidth = QStringLiteral("Form1Width");
inline const QString kQuotePaneHeight = QStringLiteral("RichEdit3Height");
inline const QString kEditPaneWidth = QStringLiteral("RichEdit1width");
inline const QString kBoardPaneWidth = QStringLiteral("RichEdit1widthBBS%1");  // board 1..3
inline const QString kTopMost = QStringLiteral("TopMost");
inline const QString kLastSavePath = QStringLiteral("LastSavePath");

// --- [Form2] quote mark ---
inline const QString kInyoufu = QStringLiteral("Inyoufu");

// --- [Form3] preset colours of the decoration window ---
inline const QString kPresetColor = QStringLiteral("Color%1");  // 1..8, colour integer
inline const QString kPresetHtml = QStringLiteral("HTML%1");    // 1..8, #RRGGBB
inline const QString kMakeColor = QStringLiteral("MakeColor");

// --- [Form5] handle-name quoting ---
inline const QString kHandleMax = QStringLiteral("HnMax");
inline const QString kHandleFront = QStringLiteral("HnFront");
inline const QString kHandleBack = QStringLiteral("HnBack");

// --- [Form6] link dialog ---
inline const QString kAutoLink = QStringLiteral("http");

// --- [Form7], [Form8] positions of the emoticon and phrase windows ---
inline const QString kEmoticonTop = QStringLiteral("Form7Top");
inline const QString kEmoticonLeft = QStringLiteral("Form7Left");
inline const QString kPhraseTop = QStringLiteral("Form8Top");
inline const QString kPhraseLeft = QStringLiteral("Form8Left");

// --- [Form9] external tool ---
inline const QString kToolPath = QStringLiteral("Tool");

// --- [Form10] board profiles (board 1..3 in place of %1) ---
inline const QString kBoardLimit = QStringLiteral("MOJISU%1");
inline const QString kBoardTextColor = QStringLiteral("F%1Color");
inline const QString kBoardCellColor = QStringLiteral("C%1Color");
inline const QString kBoardCellWidth = QStringLiteral("CELL%1");
inline const QString kBoardBackColor = QStringLiteral("Haikei%1");
inline const QString kBoardImage = QStringLiteral("Background%1");
inline const QString kBoardFrame = QStringLiteral("Waku%1");
// What the board publishes of itself (its SETTING.TXT): its name, empty when
// unknown, and the lines a post may have, 0 = no line limit.
inline const QString kBoardName = QStringLiteral("BBSName%1");
inline const QString kBoardLineLimit = QStringLiteral("LineLimit%1");

// --- [Form10] the current board ---
inline const QString kCurrentBoard = QStringLiteral("Check2");
inline const QString kCharLimit = QStringLiteral("MojiOK");
inline const QString kTextColor = QStringLiteral("FColor");
inline const QString kCellColor = QStringLiteral("CColor");
inline const QString kBackColor = QStringLiteral("Haikei");
inline const QString kImage = QStringLiteral("Background");
inline const QString kCellWidth = QStringLiteral("CellWidth");
inline const QString kFrameColor = QStringLiteral("Waku");

// --- [Form10] look and other settings ---
inline const QString kFormColor = QStringLiteral("FormColor");
inline constexpr int kFormColorDefault = 15909506;                            // "#82C2F2"
inline const QString kFormButtonColor = QStringLiteral("FormButtonColor%1");  // 1..4
inline const QString kPictureChoice = QStringLiteral("Image");
inline const QString kPicturePath = QStringLiteral("ImagePath");
inline const QString kUserPicturePath = QStringLiteral("UserImagePath%1");  // 1..3
inline const QString kQuoteColor = QStringLiteral("InyoColor");
inline const QString kQuoteItalic = QStringLiteral("InyoItalic");
inline const QString kSavePath = QStringLiteral("SavePath");

// --- [Form11] split-post window ---
inline const QString kPartNumbers = QStringLiteral("PartNumbers");  // "(1/3)" under each part

// A numbered key: numbered(kBoardLimit, 2) is "MOJISU2".
inline QString numbered(const QString& pattern, int n) {
    return pattern.arg(n);
}

}  // namespace kirel::keys
