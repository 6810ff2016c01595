// Program entry: one editor per user and display; a second start brings the
// first to the front and ends without a window.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>
#include <functional>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/appfolder.h"
#include "platform/application.h"
#include "platform/fontpreload.h"
#include "platform/prompter.h"
#include "platform/qtprompter.h"
#include "platform/singleinstance.h"
#include "platform/startuptrace.h"
#include "platform/textfile.h"
#include "platform/toplevelwindows.h"

namespace {

// Folder of the executable, read before the application object exists.
QString executableFolder(const char* argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString path = self.exists() ? self.canonicalFilePath() : QString::fromLocal8Bit(argv0);
    return QFileInfo(path).absolutePath();
}

// The program's own fonts.conf maps the Japanese Windows font names that posts
// and text art are written for to the installed fonts with the same metrics.
void useOwnFontConfig(const QString& folder) {
    const QString conf = folder + QStringLiteral("/fonts.conf");
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE") && QFileInfo::exists(conf))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(conf));
}

// The name of the desktop entry and of the icon, also the application's id on
// Wayland (the desktop finds the entry, and with it the icon, by this name).
const QString kDesktopId = QStringLiteral("jp.example.KirelEditor");

// The program's icon, built in at the sizes it is installed at.
QIcon programIcon() {
    QIcon icon;
    // Up to 128: Qt gives the window manager no larger size (the 256 one is
    // installed for the desktop, which finds it through the desktop entry).
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(kDesktopId));
    return icon;
}

// Runs what the first window does not need once that window has been painted:
// the window then appears as soon as it can, and the rest follows from the event
// loop. Also marks the first paint in the start-up trace. Should the window not
// be painted (kept off the screen), the work runs after a second all the same.
class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget* window, std::function<void()> work)
        : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
        QTimer::singleShot(1000, this, [this] { finish(); });
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        watched->removeEventFilter(this);
        kirel::startupMark("first paint of the main window begins");
        // Queued: it runs once the paint has been handed to the display.
        QTimer::singleShot(0, this, [this] {
            kirel::startupMark("first paint of the main window done");
            finish();
        });
        return false;
    }

  private:
    void finish() {
        if (!work_) return;
        const auto work = std::move(work_);
        work_ = nullptr;
        work();
        kirel::startupMark("work after the first paint done");
        deleteLater();
    }
    std::function<void()> work_;
};

}  // namespace

int main(int argc, char** argv) {
    kirel::startupMark("main entered (process start, dynamic linking)");
    // AppDir is decided once, here: beside the executable for a copy in a folder
    // the user may write to, else the user's data folder, filled from the data
    // that ships with the program.
    const kirel::AppFolder appFolder = kirel::locateAppFolder(executableFolder(argv[0]));
    const kirel::SeedReport seeded = kirel::seedAppFolder(appFolder);
    const QString folder = QDir::cleanPath(appFolder.path);
    kirel::startupMark("data folder located and checked");
    useOwnFontConfig(folder);
    // Fontconfig's configuration loads on another core while the display connects.
    kirel::FontPreload fontPreload;
    // The browser view is a module loaded on first use, which makes the shared
    // OpenGL context itself; asking for it here would load the GL driver at every
    // start. As root the browser's sandbox cannot run.
    if (::geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    kirel::Application application(argc, argv);
    kirel::startupMark("application object (display connection, Qt's translation)");
    kirel::SingleInstance instance(kirel::kAppTitle);
    if (!instance.claim()) return 0;
    kirel::startupMark("single instance claimed");
    kirel::removeSaveLeftovers(folder);
    kirel::startupMark("left-over save copies removed");

    QApplication::setApplicationName(kirel::kAppTitle);
    QApplication::setApplicationDisplayName(QString());
    QApplication::setDesktopFileName(kDesktopId);
    kirel::QtPrompter prompter;
    kirel::Prompter::setCurrent(&prompter);
    kirel::app().AppDir = folder + QLatin1Char('/');
    kirel::startupMark("names, dialogs seam");

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    fontPreload.wait();
    kirel::startupMark("font configuration loaded");
    MainWindow form(arguments);
    kirel::startupMark("main window built");
    QObject::connect(&instance, &kirel::SingleInstance::activationRequested, &form,
                     [&form](const QString& token) { kirel::bringToFront(&form, token); });
    // The window manager shows the icon once it is set: decoding its eight sizes
    // (and loading Qt's picture plugins to do it) waits until the window is there.
    new AfterFirstPaint(&form, [] { QApplication::setWindowIcon(programIcon()); });
    form.show();
    kirel::startupMark("main window shown");
    if (!seeded.error.isEmpty()) {
        // The editor still works (compose, transfer); saves will report their own
        // failures. Said once the window is there to own the message.
        QTimer::singleShot(0, &form, [error = seeded.error, folder] {
            kirel::showMessage(
                QStringLiteral("データフォルダ %1 を準備できませんでした。\r\n%2\r\n\r\n"
                               "設定や下書きを保存できないことがあります。")
                    .arg(folder, error),
                kirel::Icon::Warning);
        });
    }
    const int rc = QApplication::exec();
    kirel::Prompter::setCurrent(nullptr);
    return rc;
}
