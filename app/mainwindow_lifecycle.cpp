// Start-up and shut-down of the main window.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

#include "app/counterdisplay.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/toolbarpictures.h"
#include "boardrules/published.h"
#include "controls/picturebutton.h"
#include "core/appstate.h"
#include "core/colors.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/startuptrace.h"
#include "platform/toplevelwindows.h"
#include "platform/windowlook.h"
#include "preview/previewpage.h"

using namespace kirel;

namespace {

QSize screenSize(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

}  // namespace

void MainWindow::applyStartupSettings(const QStringList& arguments) {
    AppState& st = app();
    if (st.AppDir.isEmpty()) st.AppDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const Profile ini(st.iniPath());
    const StartupSettings s = readStartupSettings(ini, st.AppDir);
    startupMark("main window: Kirel.ini read");

    QPalette pal = palette();
    pal.setColor(QPalette::Window, qcolorOf(s.formColor));
    setPalette(pal);
    QFont f = font();
    f.setPointSize(windowPointSize(this));
    setFont(f);

    const WindowBounds b = correctBounds({s.top, s.left, s.height, s.width}, screenSize(this));
    setGeometry(b.left, b.top, b.width, b.height);
    layout()->activate();
    // The tab's client height, less the splitter handle, is shared by the two panes.
    const int tabHeight = std::max(tabs->height() - 26, 1);
    const int editHeight = tabHeight - s.quoteHeight - quoteSplitter->handleWidth();
    const int quoteHeight = correctQuoteHeight(s.quoteHeight, editHeight, b.height);
    setQuotePaneHeight(quoteHeight);
    setEditPaneWidth(s.editWidth);

    if (s.imagePath.isEmpty()) {
        mascot->setPixmap(builtinMascot());
    } else {
        const QPixmap picture = mascotPicture(s.imagePath, mascot->size());
        if (!picture.isNull())
            mascot->setPixmap(picture);
        else
            mascot->clear();
    }

    st.QuoteMark = s.quoteMark;
    st.HandleMaxLen = correctHandleMaxLen(s.handleMaxLen);
    st.HandlePrefix = s.handlePrefix;
    st.HandleSuffix = s.handleSuffix;
    st.AutoLinkOn = s.autoLink;
    st.CharLimit = s.charLimit;
    st.LineLimit = boardrules::currentLineLimit(Profile(st.iniPath()));
    st.QuoteColorOn = s.quoteColor;
    st.QuoteItalicOn = s.quoteItalic;
    st.ToolFileName =
        toolFileName(arguments, s.savePath, [](const QString& p) { return QFileInfo(p).isFile(); });

    counter_->reset(true);

    if (s.board == 0) board1->setChecked(true);
    if (s.board == 1) board2->setChecked(true);
    if (s.board == 2) board3->setChecked(true);
    alwaysOnTop->setChecked(s.topMost);
    // Kept where the settings put it: the flag re-creates the window, which would
    // otherwise take the client position for the frame's and creep down and right.
    if (alwaysOnTop->isChecked()) setTopMost(this, true);

    transferButton->setHint(
        QStringLiteral("クリップボードに編集した内容を転送します\r\nショートカット　Ctrl+E"));
    decorationButton->setHint(
        QStringLiteral("HTMLタグによる文字の修飾を行います\r\nショートカット Ctrl+M"));
    emoticonButton->setHint(QStringLiteral("顔文字を編集欄へ挿入します\r\nショートカット Ctrl+K"));
    phraseButton->setHint(QStringLiteral("定型文を編集欄へ挿入します\r\nショートカット Ctrl+F"));
    setToolHint();

    st.ClipSnapTaken = false;
    st.ClipCaptureOn = 1;
    editPane->setFocus();
}

void MainWindow::setToolHint() {
    QString hint = QStringLiteral("編集された内容を保存します");
    if (!app().ToolFileName.isEmpty()) hint += QStringLiteral("\r\n") + app().ToolFileName;
    saveButton->setHint(hint);
}

void MainWindow::saveShutdownSettings() {
    const Profile ini(app().iniPath());
    const QRect g = geometry();
    try {
        writeShutdownSettings(
            ini, {g.top(), g.left(), g.height(), g.width(), quotePaneHeight(), app().QuoteMark,
                  alwaysOnTop->isChecked(), editPaneWidth(), checkedBoard()});
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    QFile::remove(app().path(QStringLiteral("0.htm")));
    QFile::remove(app().path(preview::kBrowserPageFileName));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveShutdownSettings();
    event->accept();
    // Every other window belongs to this one and goes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
}
