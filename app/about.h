#pragma once

// The "Kirel Editorについて" submenu: help page, version, homepage.

#include <QString>

namespace kirel::about {

// The editor's homepage, opened in the default browser. Kept here and nowhere else.
inline const QString kHomepageAddress = QStringLiteral("https://kirel-editor.example.jp/");

// The user guide beside the program.
inline const QString kHelpFileName = QStringLiteral("リファレンス.htm");

inline const QString kVersionMessage =
    QStringLiteral("ダウンロードありがとうございます。\r\n現在のバージョンは、4.41βです。");

// Help: opens the user guide beside the program in the desktop's browser.
void openHelp();
// The version message.
void showVersion();
// Opens the homepage in the desktop's browser.
void openHomepage();

}  // namespace kirel::about
