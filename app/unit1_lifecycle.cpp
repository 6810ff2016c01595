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

#include "app/appstate.h"
#include "app/counterdisplay.h"
#include "app/startup.h"
#include "app/unit1.h"
#include "controls/pictbtn.h"
#include "platform/failure.h"
#include "platform/profile.h"
#include "platform/prompter.h"
#include "platform/windows.h"

using namespace kirel;

namespace {

// Window fonts: 9 points on a 96-dpi screen, 11 points otherwise.
int windowPointSize(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    return dpi == 96 ? 9 : 11;
}

QSize screenSize(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}

}  // namespace

void TForm1::FormCreate(const QStringList& arguments) {
    AppState& st = app();
    if (st.AppDir.isEmpty()) st.AppDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const Profile ini(st.iniPath());
    const StartupSettings s = readStartupSettings(ini, st.AppDir);

    QPalette pal = palette();
    pal.setColor(QPalette::Window,
                 QColor(colorRed(s.formColor), colorGreen(s.formColor), colorBlue(s.formColor)));
    setPalette(pal);
    QFont f = font();
    f.setPointSize(windowPointSize(this));
    setFont(f);

    const WindowBounds b = correctBounds({s.top, s.left, s.height, s.width}, screenSize(this));
    setGeometry(b.left, b.top, b.width, b.height);
    layout()->activate();
    // The tab's client height, less the splitter handle, is shared by the two panes.
    const int tabHeight = std::max(PageControl1->height() - 26, 1);
    const int editHeight = tabHeight - s.quoteHeight - Splitter1->handleWidth();
    const int quoteHeight = correctQuoteHeight(s.quoteHeight, editHeight, b.height);
    setQuotePaneHeight(quoteHeight);
    setEditPaneWidth(s.editWidth);

    if (!s.imagePath.isEmpty()) {
        QPixmap picture;
        if (QFileInfo::exists(s.imagePath) && picture.load(s.imagePath))
            Image1->setPixmap(
                picture.scaled(Image1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        else
            Image1->clear();
    }

    st.QuoteMark = s.quoteMark;
    st.HandleMaxLen = correctHandleMaxLen(s.handleMaxLen);
    st.HandlePrefix = s.handlePrefix;
    st.HandleSuffix = s.handleSuffix;
    st.AutoLinkOn = s.autoLink;
    st.CharLimit = s.charLimit;
    st.QuoteColorOn = s.quoteColor;
    st.QuoteItalicOn = s.quoteItalic;
    st.ToolFileName =
        toolFileName(arguments, s.savePath, [](const QString& p) { return QFileInfo(p).isFile(); });

    counter_->reset(true);

    if (s.board == 0) N110->setChecked(true);
    if (s.board == 1) N24->setChecked(true);
    if (s.board == 2) N25->setChecked(true);
    F1->setChecked(s.topMost);
    if (F1->isChecked()) setWindowFlag(Qt::WindowStaysOnTopHint, true);

    PictureButton1->setHint(
        QStringLiteral("クリップボードに編集した内容を転送します\r\nショートカット　Ctrl+E"));
    PictureButton2->setHint(
        QStringLiteral("HTMLタグによる文字の修飾を行います\r\nショートカット Ctrl+M"));
    PictureButton3->setHint(QStringLiteral("顔文字を編集欄へ挿入します\r\nショートカット Ctrl+K"));
    PictureButton4->setHint(QStringLiteral("定型文を編集欄へ挿入します\r\nショートカット Ctrl+F"));
    setToolHint();

    st.ClipSnapTaken = false;
    st.ClipCaptureOn = 1;
    RichEdit1->setFocus();
}

void TForm1::setToolHint() {
    QString hint = QStringLiteral("編集された内容を保存します");
    if (!app().ToolFileName.isEmpty()) hint += QStringLiteral("\r\n") + app().ToolFileName;
    PictureButton7->setHint(hint);
}

void TForm1::FormClose() {
    const Profile ini(app().iniPath());
    const QRect g = geometry();
    try {
        writeShutdownSettings(
            ini, {g.top(), g.left(), g.height(), g.width(), quotePaneHeight(), app().QuoteMark,
                  F1->isChecked(), editPaneWidth(), checkedBoard()});
    } catch (const Failure& failure) {
        showError(failure.message());
    }
    QFile::remove(app().path(QStringLiteral("0.htm")));
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
    // Every other window belongs to this one and goes with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
}
