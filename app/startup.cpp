#include "app/startup.h"

#include <QDir>

#include "platform/profile.h"

namespace kirel {

StartupSettings readStartupSettings(const Profile& ini, const QString& appDir) {
    const QString f1 = QStringLiteral("Form1"), f10 = QStringLiteral("Form10");
    StartupSettings s;
    s.top = ini.readInteger(f1, QStringLiteral("Form1Top"), 100);
    s.left = ini.readInteger(f1, QStringLiteral("Form1Left"), 50);
    s.height = ini.readInteger(f1, QStringLiteral("Form1Height"), 402);
    s.width = ini.readInteger(f1, QStringLiteral("Form1Width"), 623);
    s.formColor = ini.readInteger(f10, QStringLiteral("FormColor"), 15909506);
    s.imagePath = ini.readString(f10, QStringLiteral("ImagePath"),
                                 appDir + QDir::separator() + QStringLiteral("images") +
                                     QDir::separator() + QStringLiteral("pirumi.bmp"));
    s.quoteHeight = ini.readInteger(f1, QStringLiteral("RichEdit3Height"), 89);
    s.editWidth = ini.readInteger(f1, QStringLiteral("RichEdit1width"), 520);
    s.topMost = ini.readBool(f1, QStringLiteral("TopMost"), false);
    s.quoteMark =
        ini.readString(QStringLiteral("Form2"), QStringLiteral("Inyoufu"), QStringLiteral(">"));
    const QString f5 = QStringLiteral("Form5");
    s.handleMaxLen = ini.readInteger(f5, QStringLiteral("HnMax"), 20);
    s.handlePrefix = ini.readString(f5, QStringLiteral("HnFront"), QStringLiteral(">"));
    s.handleSuffix = ini.readString(f5, QStringLiteral("HnBack"), QStringLiteral("さん"));
    s.savePath = ini.readString(f10, QStringLiteral("SavePath"), QString());
    s.autoLink = ini.readBool(QStringLiteral("Form6"), QStringLiteral("http"), true);
    s.board = ini.readInteger(f10, QStringLiteral("Check2"), 0);
    s.charLimit = ini.readInteger(f10, QStringLiteral("MojiOK"), 0);
    s.quoteColor = ini.readBool(f10, QStringLiteral("InyoColor"), false);
    s.quoteItalic = ini.readBool(f10, QStringLiteral("InyoItalic"), false);
    return s;
}

WindowBounds correctBounds(WindowBounds b, QSize screen) {
    if (b.top > screen.height() || b.top < 0) b.top = 10;
    if (b.left > screen.width() || b.left < 0) b.left = 10;
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
    const QString f1 = QStringLiteral("Form1");
    ini.writeInteger(f1, QStringLiteral("Form1Top"), v.top);
    ini.writeInteger(f1, QStringLiteral("Form1Left"), v.left);
    ini.writeInteger(f1, QStringLiteral("Form1Height"), v.height);
    ini.writeInteger(f1, QStringLiteral("Form1Width"), v.width);
    ini.writeInteger(f1, QStringLiteral("RichEdit3Height"), v.quoteHeight);
    ini.writeString(QStringLiteral("Form2"), QStringLiteral("Inyoufu"), v.quoteMark);
    ini.writeBool(f1, QStringLiteral("TopMost"), v.topMost);
    ini.writeInteger(f1, QStringLiteral("RichEdit1width"), v.editWidth);
    const QString key = v.board == 0   ? QStringLiteral("RichEdit1widthBBS1")
                        : v.board == 1 ? QStringLiteral("RichEdit1widthBBS2")
                                       : QStringLiteral("RichEdit1widthBBS3");
    ini.writeInteger(f1, key, v.editWidth);
}

}  // namespace kirel
