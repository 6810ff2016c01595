#pragma once

// Process-wide values shared by the main window and the windows it opens. They
// live for the whole run; each window reads and writes the ones it needs.

#include <QByteArray>
#include <QString>

namespace kirel {

struct AppState {
    QString AppDir;        // program folder, with a trailing separator
    QString ToolFileName;  // file name a calling tool passed, kept when found in SavePath
    QString QuoteMark = QStringLiteral(">");
    int CharLimit = 0;       // limit of the selected board in full-width characters, 0 = off
    int LimitWarnState = 0;  // last counter warning: 0 none, 1 plenty, 2 few left, 3 over
    int LineLimit = 0;       // lines a post of the selected board may have, 0 = off
    int LineWarnState = 0;   // last line warning: 0 none, 1 within, 3 over
    QString PreviewBody;     // post text prepared for the preview page
    int HandleMaxLen = 20;
    QString HandlePrefix = QStringLiteral(">");
    QString HandleSuffix = QStringLiteral("さん");
    int ClipCaptureOn = 1;
    int QuoteDlgLeft = 0;
    int QuoteDlgTop = 0;
    int ClipSnapLen = 0;
    QByteArray ClipSnapHead;  // Shift-JIS bytes of the snapshot's head
    bool ClipSnapTaken = false;
    bool AutoLinkOn = true;
    bool QuoteColorOn = false;
    bool QuoteItalicOn = false;

    // AppDir + name, e.g. iniPath() is AppDir + "Kirel.ini".
    QString path(const QString& name) const { return AppDir + name; }
    QString iniPath() const { return AppDir + QStringLiteral("Kirel.ini"); }
};

// The one instance of the running program.
AppState& app();

}  // namespace kirel
