#pragma once

// What the main window reads from "Kirel.ini" at start-up and writes at shut-down,
// and the corrections applied to stored values.

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace kirel {

class Profile;

struct StartupSettings {
    int top = 100, left = 50, height = 402, width = 623;
    int formColor = 15909506;
    QString imagePath;
    int quoteHeight = 89;
    int editWidth = 520;
    bool topMost = false;
    QString quoteMark;
    int handleMaxLen = 20;
    QString handlePrefix, handleSuffix;
    QString savePath;
    bool autoLink = true;
    int board = 0;  // Check2
    int charLimit = 0;
    bool quoteColor = false, quoteItalic = false;
};

// Reads every start-up key in the order the window uses them.
StartupSettings readStartupSettings(const Profile& ini, const QString& appDir);

struct WindowBounds {
    int top, left, height, width;
};

// Keeps the window on the screen: a top or left outside the screen becomes 10, a
// height taller than the screen becomes 402.
WindowBounds correctBounds(WindowBounds b, QSize screen);

// A quote pane at least as tall as the edit pane becomes half the window height.
int correctQuoteHeight(int quoteHeight, int editHeight, int windowHeight);

// Handle-name limit outside 0..99 becomes 20.
int correctHandleMaxLen(int value);

// File-name part of a command-line argument: the text after the last "\", "/" or ":".
QString fileNamePart(const QString& argument);

// The name a calling tool passed, kept only when savePath holds a file of that name.
QString toolFileName(const QStringList& arguments, const QString& savePath,
                     const std::function<bool(const QString&)>& fileExists);

struct ShutdownValues {
    int top, left, height, width;
    int quoteHeight;
    QString quoteMark;
    bool topMost;
    int editWidth;
    int board;  // checked board 0..2, or -1
};

// Writes the shut-down keys in their order; throws Failure on a refused write.
void writeShutdownSettings(const Profile& ini, const ShutdownValues& v);

}  // namespace kirel
