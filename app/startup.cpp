#include "app/startup.h"

#include <QDir>

#include "core/placement.h"
#include "core/settingskeys.h"
#include "platform/profile.h"

namespace kirel {

StartupSettings readStartupSettings(const Profile& profile, const QString& appDir) {
    using namespace keys;
    // Nothing is written between these reads: the file is read and indexed once.
    const ProfileSnapshot ini(profile);
    StartupSettings s;
    s.top = ini.readInteger(kMainWindow, kTop, 100);
    s.left = ini.readInteger(kMainWindow, kLeft, 50);
    s.height = ini.readInteger(kMainWindow, kHeight, 402);
    s.width = ini.readInteger(kMainWindow, kWidth, 623);
    s.formColor = ini.readInteger(kShared, kFormColor, kFormColorDefault);
    s.imagePath = ini.readString(kShared, kPicturePath,
                                 appDir + QDir::separator() + QStringLiteral("images") +
                                     QDir::separator() + QStringLiteral("pirumi.bmp"));
    s.quoteHeight = ini.readInteger(kMainWindow, kQuotePaneHeight, 89);
    s.editWidth = ini.readInteger(kMainWindow, kEditPaneWidth, 520);
    s.topMost = ini.readBool(kMainWindow, kTopMost, false);
    s.quoteMark = ini.readString(kQuoteMark, kInyoufu, QStringLiteral(">"));
    s.handleMaxLen = ini.readInteger(kHandleName, kHandleMax, 20);
    s.handlePrefix = ini.readString(kHandleName, kHandleFront, QStringLiteral(">"));
    s.handleSuffix = ini.readString(kHandleName, kHandleBack, QStringLiteral("さん"));
    s.savePath = ini.readString(kShared, kSavePath, QString());
    s.autoLink = ini.readBool(kLink, kAutoLink, true);
    s.board = ini.readInteger(kShared, kCurrentBoard, 0);
    s.charLimit = ini.readInteger(kShared, kCharLimit, 0);
    s.quoteColor = ini.readBool(kShared, kQuoteColor, false);
    s.quoteItalic = ini.readBool(kShared, kQuoteItalic, false);
    return s;
}

WindowBounds correctBounds(WindowBounds b, QSize screen) {
    b.top = onScreen(b.top, screen.height());
    b.left = onScreen(b.left, screen.width());
    if (b.height > screen.height()) b.height = 402;
    return b;
}

int correctQuoteHeight(int quoteHeight, int editHeight, int windowHeight) {
    return quoteHeight >= editHeight ? windowHeight / 2 : quoteHeight;
}

int correctHandleMaxLen(int value) {
    return (value < 0 || value > 99) ? 20 : value;
}

QString fileNamePart(const QString& argument) {
    qsizetype cut = -1;
    for (QChar sep : {QLatin1Char('\\'), QLatin1Char('/'), QLatin1Char(':')})
        cut = std::max(cut, argument.lastIndexOf(sep));
    return argument.mid(cut + 1);
}

QString toolFileName(const QStringList& arguments, const QString& savePath,
                     const std::function<bool(const QString&)>& fileExists) {
    QString name;
    for (const QString& arg : arguments) {
        if (!arg.isEmpty()) name = fileNamePart(arg);
        // Without a save folder there is nowhere the tool could have left the file.
        if (savePath.isEmpty() || name.isEmpty() ||
            !fileExists(savePath + QDir::separator() + name))
            name.clear();
    }
    return name;
}

void writeShutdownSettings(const Profile& ini, const ShutdownValues& v) {
    using namespace keys;
    ini.writeInteger(kMainWindow, kTop, v.top);
    ini.writeInteger(kMainWindow, kLeft, v.left);
    ini.writeInteger(kMainWindow, kHeight, v.height);
    ini.writeInteger(kMainWindow, kWidth, v.width);
    ini.writeInteger(kMainWindow, kQuotePaneHeight, v.quoteHeight);
    ini.writeString(kQuoteMark, kInyoufu, v.quoteMark);
    ini.writeBool(kMainWindow, kTopMost, v.topMost);
    ini.writeInteger(kMainWindow, kEditPaneWidth, v.editWidth);
    // The width is remembered for the checked board (board 3 when none is).
    const int board = v.board == 0 ? 1 : v.board == 1 ? 2 : 3;
    ini.writeInteger(kMainWindow, numbered(kBoardPaneWidth, board), v.editWidth);
}

}  // namespace kirel
