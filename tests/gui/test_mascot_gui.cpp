// The main window's picture at start-up: the built-in one only when no picture
// file is set, the file's picture in any format Qt reads, nothing for a missing
// or unreadable file.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "app/toolbarpictures.h"
#include "core/appstate.h"
#include "support/scriptedprompter.h"

using namespace kirel;

class MascotGui : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;

    QString file(const QString& name) const { return dir->filePath(name); }

    // Opens the main window on the folder, with ImagePath set to path (left out
    // when null).
    QImage shownPicture(const QString& path) {
        QFile::remove(file(QStringLiteral("Kirel.ini")));
        if (!path.isNull()) {
            QFile ini(file(QStringLiteral("Kirel.ini")));
            if (!ini.open(QIODevice::WriteOnly)) return {};
            ini.write("[Form10]\r\nImagePath=" + QFile::encodeName(path) + "\r\n");
        }
        test::ScriptedPrompter prompter;
        MainWindow form;
        return form.mascot->pixmap().toImage();
    }

    // A 40 x 40 picture in the format, red above and blue below.
    QString picture(const char* name, const char* format) {
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) image.setPixel(x, y, qRgb(255, 0, 0));
        const QString path = file(QLatin1String(name));
        image.save(path, format);
        return path;
    }

  private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        app() = AppState();
        app().AppDir = dir->path() + QLatin1Char('/');
    }
    void cleanup() { dir.reset(); }

    void builtInOnlyWithoutAFile() {
        QCOMPARE(shownPicture(QStringLiteral("")), builtinMascot().toImage());
        // The default names images/pirumi.bmp, missing here: no picture.
        QVERIFY(shownPicture(QString()).isNull());
        QVERIFY(shownPicture(file(QStringLiteral("none.bmp"))).isNull());
        QVERIFY(shownPicture(dir->path()).isNull());
        QFile junk(file(QStringLiteral("junk.bmp")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("BM not a picture");
        junk.close();
        QVERIFY(shownPicture(junk.fileName()).isNull());
    }

    // Bitmaps are read by Qt's own reader; a picture of another format is read
    // whatever its name says.
    void pictureFiles() {
        QDir().mkpath(file(QStringLiteral("images")));
        const struct {
            const char* name;
            const char* format;
        } cases[] = {{"images/pirumi.bmp", "BMP"},
                     {"photo.jpg", "JPEG"},
                     {"renamed.bmp", "JPEG"},
                     {"drawn.png", "PNG"}};
        for (const auto& c : cases) {
            const QString path = picture(c.name, c.format);
            // The default ImagePath is the first one.
            const QImage shown = shownPicture(
                QLatin1String(c.name) == QLatin1String("images/pirumi.bmp") ? QString() : path);
            QVERIFY2(!shown.isNull(), c.name);
            QCOMPARE(shown.size(), QSize(48, 48));  // scaled into 48 x 60, proportions kept
            QCOMPARE(QColor(shown.pixel(24, 5)).red() > 200, true);
            QCOMPARE(QColor(shown.pixel(24, 42)).blue() > 200, true);
        }
    }
};

QTEST_MAIN(MascotGui)
#include "test_mascot_gui.moc"
