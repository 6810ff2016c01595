// The picture button: where picture and caption land, the pressed, hovered and
// focused looks, and how mouse, keyboard and accelerator end in a click or not.

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "app/toolbarpictures.h"
#include "controls/picturebutton.h"

namespace {

// Palette colours that differ from each other, so each frame line can be told apart.
const QColor kFace(0xe0, 0xe0, 0xe0);
const QColor kMidlight(0xd0, 0xd0, 0xd0);  // 3-D light
const QColor kLight(0xff, 0xff, 0xfe);     // button highlight
const QColor kDark(0x80, 0x80, 0x80);      // button shadow
const QColor kShadow(0x40, 0x40, 0x40);    // 3-D dark shadow
const QColor kColor(0x20, 0x60, 0xa0);     // Color property in the tests
const QColor kInColor(0xa0, 0x60, 0x20);   // InColor property in the tests
const QColor kRed(Qt::red);

QPixmap solid(int w, int h, const QColor& c = kRed) {
    QPixmap p(w, h);
    p.fill(c);
    return p;
}

QColor at(PictureButton* b, int x, int y) {
    return b->grab().toImage().pixelColor(x, y);
}

}  // namespace

class TestPictureButton : public QObject {
    Q_OBJECT

  private:
    QWidget* host = nullptr;
    PictureButton* button = nullptr;
    const QPoint inside{10, 10};
    const QPoint outside{-20, -20};

    void useSize(int w, int h) { button->resize(w, h); }

  private slots:
    void init() {
        host = new QWidget;
        host->resize(200, 200);
        QPalette pal = host->palette();
        pal.setColor(QPalette::Button, kFace);
        pal.setColor(QPalette::Midlight, kMidlight);
        pal.setColor(QPalette::Light, kLight);
        pal.setColor(QPalette::Dark, kDark);
        pal.setColor(QPalette::Shadow, kShadow);
        host->setPalette(pal);
        button = new PictureButton(host);
        button->setObjectName(QStringLiteral("PictureButton1"));
        button->move(50, 50);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
        QApplication::setActiveWindow(host);
        QVERIFY(QTest::qWaitForWindowActive(host));
        QTest::mouseMove(host, QPoint(190, 190));
    }

    void cleanup() {
        // Let go of any button the test left held, so the next test starts clean.
        QTest::mouseRelease(host, Qt::LeftButton, {}, QPoint(190, 190));
        delete host;
        host = nullptr;
    }

    void newButtonHasTheDocumentedDefaults() {
        PictureButton b;
        QCOMPARE(b.size(), QSize(36, 36));
        QCOMPARE(b.buttonStyle(), PictureButton::bsStdButton);
        QCOMPARE(b.focusStyle(), PictureButton::bfsStdButton);
        QVERIFY(b.colorChange());
        QVERIFY(!b.stretch());
        QVERIFY(!b.tabStop());
        QCOMPARE(b.pictureLeft(), -1);
        QCOMPARE(b.captionTop(), -1);
        QCOMPARE(b.color(), b.palette().color(QPalette::Active, QPalette::Button));
        QCOMPARE(b.inColor(), b.palette().color(QPalette::Active, QPalette::Midlight));
    }

    // ------------------------------------------------------------ picture

    void pictureIsCentredAndShiftedWhileHeld() {
        button->setPicture(solid(32, 32));
        QCOMPARE(at(button, 2, 2), kRed);
        QCOMPARE(at(button, 33, 33), kRed);
        QVERIFY(at(button, 34, 34) != kRed);

        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QVERIFY(button->isPressed());
        QCOMPARE(button->shift(), 1);
        QVERIFY(at(button, 2, 2) != kRed);
        QCOMPARE(at(button, 3, 3), kRed);
        QCOMPARE(at(button, 33, 33), kRed);
        QCOMPARE(at(button, 34, 34), kFace);  // under the pressed frame
    }

    void oddSpareSpaceRoundsHalvesToEven_data() {
        QTest::addColumn<int>("buttonWidth");
        QTest::addColumn<int>("pictureWidth");
        QTest::addColumn<int>("x");
        QTest::newRow("2.5 -> 2") << 36 << 31 << 2;
        QTest::newRow("1.5 -> 2") << 36 << 33 << 2;
        QTest::newRow("3.5 -> 4") << 47 << 40 << 4;
        QTest::newRow("-2.5 -> -2") << 36 << 41 << -2;
    }
    void oddSpareSpaceRoundsHalvesToEven() {
        QFETCH(int, buttonWidth);
        QFETCH(int, pictureWidth);
        QFETCH(int, x);
        // A two-coloured picture: its first column blue, the rest red.
        QPixmap pic = solid(pictureWidth, 20);
        {
            QPainter p(&pic);
            p.fillRect(0, 0, 1, 20, Qt::blue);
        }
        button->setButtonStyle(PictureButton::bsNone);  // no frame over the edges
        button->resize(buttonWidth, 36);
        button->setPicture(pic);
        const int y = 18;
        if (x >= 0) {
            QCOMPARE(at(button, x, y), QColor(Qt::blue));
            if (x > 0) QVERIFY(at(button, x - 1, y) != kRed);
        } else {
            QCOMPARE(at(button, 0, y), kRed);  // starts left of the edge
        }
        const int lastColumn = x + pictureWidth - 1;
        if (lastColumn < buttonWidth) {
            QCOMPARE(at(button, lastColumn, y), kRed);
            QVERIFY(at(button, lastColumn + 1, y) != kRed);
        }
    }

    void explicitPicturePositionIsUsed() {
        button->setButtonStyle(PictureButton::bsNone);
        button->setPictureLeft(0);
        button->setPictureTop(5);
        button->setPicture(solid(4, 4));
        QCOMPARE(at(button, 0, 5), kRed);
        QVERIFY(at(button, 0, 4) != kRed);
        QVERIFY(at(button, 4, 5) != kRed);
    }

    void stretchedPictureFillsTheInnerRectangle() {
        // From (2, 2) up to, not including, (W - 4, H - 4).
        button->setButtonStyle(PictureButton::bsNone);
        button->setColor(kColor);
        button->setStretch(true);
        button->setPicture(solid(8, 8));
        QCOMPARE(at(button, 2, 2), kRed);
        QCOMPARE(at(button, 31, 31), kRed);
        QCOMPARE(at(button, 1, 1), kColor);
        QCOMPARE(at(button, 32, 32), kColor);
    }

    void hidingAHeldButtonEndsThePress() {
        button->setColor(kColor);
        button->setInColor(kInColor);
        QSignalSpy clicks(button, &PictureButton::clicked);
        QTest::mouseMove(button, inside);
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        button->hide();
        QVERIFY(!button->isPressed());
        QCOMPARE(button->faceColor(), kColor);  // no longer hovered either
        button->show();
        QCOMPARE(button->shift(), 0);
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
        QCOMPARE(clicks.count(), 0);
    }

    void pictureKeepsItsTransparency() {
        QPixmap pic(32, 32);
        pic.fill(Qt::transparent);
        {
            QPainter p(&pic);
            p.fillRect(10, 10, 4, 4, kRed);
        }
        button->setColor(kColor);
        button->setPicture(pic);
        QCOMPARE(at(button, 5, 5), kColor);
        QCOMPARE(at(button, 13, 13), kRed);
    }

    // ------------------------------------------------------------ mouse

    void pressMoveOutAndBackChangesFrameAndFace() {
        button->setColor(kColor);
        button->setInColor(kInColor);
        QSignalSpy clicks(button, &PictureButton::clicked);

        QTest::mouseMove(button, inside);
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QVERIFY(button->hasFocus());
        // Held inside: a shadow ring, a button-face ring, the InColor face.
        QCOMPARE(at(button, 0, 0), kDark);
        QCOMPARE(at(button, 35, 35), kDark);
        QCOMPARE(at(button, 1, 1), kFace);
        QCOMPARE(at(button, 18, 18), kInColor);

        QTest::mouseMove(button, QPoint(60, 10));
        QCOMPARE(button->outsideCorrection(), -1);
        QCOMPARE(button->shift(), 0);
        // Held outside: the raised frame and the normal face.
        QCOMPARE(at(button, 0, 0), kMidlight);
        QCOMPARE(at(button, 35, 35), kShadow);
        QCOMPARE(at(button, 1, 1), kLight);
        QCOMPARE(at(button, 34, 34), kDark);
        QCOMPARE(at(button, 18, 18), kColor);

        QTest::mouseMove(button, inside);
        QCOMPARE(button->outsideCorrection(), 0);
        QCOMPARE(at(button, 0, 0), kDark);
        QCOMPARE(at(button, 18, 18), kInColor);

        QTest::mouseMove(button, QPoint(60, 10));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 10));
        QCOMPARE(clicks.count(), 0);
        QVERIFY(!button->isPressed());
        QCOMPARE(button->outsideCorrection(), 0);
        QCOMPARE(at(button, 0, 0), kMidlight);
        QCOMPARE(at(button, 18, 18), kColor);
    }

    void releaseInsideClicksOnceBeforeMouseUp() {
        QStringList order;
        connect(button, &PictureButton::mouseDown, this, [&] { order << "down"; });
        connect(button, &PictureButton::clicked, this,
                [&] { order << (button->isPressed() ? "click while pressed" : "click"); });
        connect(button, &PictureButton::mouseUp, this, [&] { order << "up"; });
        QTest::mouseClick(button, Qt::LeftButton, {}, inside);
        QCOMPARE(order, QStringList({"down", "click", "up"}));
        QVERIFY(!button->isPressed());
    }

    void otherMouseButtonsOnlyReportTheirEvents() {
        QSignalSpy clicks(button, &PictureButton::clicked);
        QSignalSpy ups(button, &PictureButton::mouseUp);
        QTest::mouseClick(button, Qt::MiddleButton, {}, inside);
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(ups.count(), 1);
        QCOMPARE(ups.at(0).at(0).value<Qt::MouseButton>(), Qt::MiddleButton);
        QVERIFY(!button->isPressed());
    }

    void doubleClickRaisesOneClickAndADoubleClick() {
        QSignalSpy clicks(button, &PictureButton::clicked);
        QSignalSpy doubles(button, &PictureButton::doubleClicked);
        // What the window system sends: press, release, double-click press, release.
        QTest::mouseClick(button, Qt::LeftButton, {}, inside);
        QTest::mouseDClick(button, Qt::LeftButton, {}, inside);
        QVERIFY(button->isPressed());
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(doubles.count(), 1);
        QVERIFY(!button->isPressed());
    }

    void rightReleaseShowsThePopupMenu() {
        QMenu menu;
        menu.addAction(QStringLiteral("item"));
        button->setPopupMenu(&menu);
        QSignalSpy clicks(button, &PictureButton::clicked);
        QTest::mousePress(button, Qt::RightButton, {}, inside);
        QVERIFY(!menu.isVisible());
        QTest::mouseRelease(button, Qt::RightButton, {}, inside);
        QTRY_VERIFY(menu.isVisible());
        menu.close();
        QCOMPARE(clicks.count(), 0);
    }

    void hoverColourFollowsColorChange() {
        button->setColor(kColor);
        button->setInColor(kInColor);
        QSignalSpy enters(button, &PictureButton::mouseEnter);
        QSignalSpy leaves(button, &PictureButton::mouseLeave);

        QTest::mouseMove(button, inside);
        QTRY_COMPARE(enters.count(), 1);
        QCOMPARE(enters.at(0).at(1).toPoint(), inside);
        QCOMPARE(button->faceColor(), kInColor);
        QCOMPARE(at(button, 18, 18), kInColor);
        QTest::mouseMove(host, QPoint(190, 190));
        QTRY_COMPARE(leaves.count(), 1);
        QCOMPARE(at(button, 18, 18), kColor);

        button->setColorChange(false);
        QTest::mouseMove(button, inside);
        QTRY_COMPARE(enters.count(), 2);
        QCOMPARE(button->faceColor(), kColor);
        QCOMPARE(at(button, 18, 18), kColor);
    }

    void styleBevelsAtRestAndPressed_data() {
        QTest::addColumn<PictureButton::TButtonStyle>("style");
        QTest::addColumn<QColor>("restTopLeft");
        QTest::addColumn<QColor>("pressedTopLeft");
        // Top-left pixel: highlight for a raised ring, shadow for a lowered one,
        // the face colour for none.
        QTest::newRow("none") << PictureButton::bsNone << kColor << kDark;
        QTest::newRow("lowered") << PictureButton::bsLowered << kDark << kDark;
        QTest::newRow("raised") << PictureButton::bsRaised << kLight << kDark;
        QTest::newRow("frame") << PictureButton::bsFrame << kLight << kDark;
        QTest::newRow("groove") << PictureButton::bsGroove << kDark << kDark;
    }
    void styleBevelsAtRestAndPressed() {
        QFETCH(PictureButton::TButtonStyle, style);
        QFETCH(QColor, restTopLeft);
        QFETCH(QColor, pressedTopLeft);
        button->setColor(kColor);
        button->setColorChange(false);
        button->setButtonStyle(style);
        QCOMPARE(at(button, 0, 0), restTopLeft);
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QCOMPARE(at(button, 0, 0), pressedTopLeft);
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
        QCOMPARE(at(button, 0, 0), restTopLeft);
    }

    void loweredBevelHasShadowTopLeftAndHighlightBottomRight() {
        button->setButtonStyle(PictureButton::bsLowered);
        QCOMPARE(at(button, 34, 0), kDark);   // top row stops before the corner
        QCOMPARE(at(button, 35, 0), kLight);  // the right column owns the corner
        QCOMPARE(at(button, 0, 35), kLight);  // the bottom row owns this one
        QCOMPARE(at(button, 35, 35), kLight);
    }

    void ieLikeRisesUnderThePointer() {
        button->setButtonStyle(PictureButton::bsIELike);
        button->setColor(kColor);
        button->setColorChange(false);
        QCOMPARE(at(button, 0, 0), kColor);
        QTest::mouseMove(button, inside);
        QTRY_COMPARE(button->bevelOuter(), PictureButton::bvRaised);
        QCOMPARE(at(button, 0, 0), kLight);
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QCOMPARE(at(button, 0, 0), kDark);
        QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
        QCOMPARE(at(button, 0, 0), kLight);
        QTest::mouseMove(host, QPoint(190, 190));
        QTRY_COMPARE(button->bevelOuter(), PictureButton::bvNone);
        QCOMPARE(at(button, 0, 0), kColor);
    }

    // ------------------------------------------------------------ keyboard

    void spaceClicksOnRelease() {
        QSignalSpy clicks(button, &PictureButton::clicked);
        QTest::keyPress(button, Qt::Key_Space);
        QVERIFY(button->isPressed());
        QCOMPARE(clicks.count(), 0);
        QTest::keyRelease(button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!button->isPressed());
    }

    void spaceThenEscapeCancelsThePress() {
        QSignalSpy clicks(button, &PictureButton::clicked);
        button->setPicture(solid(32, 32));
        QTest::keyPress(button, Qt::Key_Space);
        QCOMPARE(at(button, 2, 2), button->inColor());  // picture moved to (3, 3)
        QTest::keyClick(button, Qt::Key_Escape);
        QVERIFY(!button->isPressed());
        QCOMPARE(at(button, 2, 2), kRed);
        QTest::keyRelease(button, Qt::Key_Space);
        QCOMPARE(clicks.count(), 0);
    }

    void enterClicksOnceAndEndsReleasedEvenWhenTheHandlerThrows() {
        int clicks = 0;
        bool pressedDuringClick = true;
        connect(button, &PictureButton::clicked, this, [&] {
            ++clicks;
            pressedDuringClick = button->isPressed();
            throw std::runtime_error("handler failed");
        });
        button->setPicture(solid(32, 32));
        bool thrown = false;
        try {
            QTest::keyClick(button, Qt::Key_Return);
        } catch (const std::runtime_error&) {
            thrown = true;
        }
        QVERIFY(thrown);  // the failure still reaches the caller
        QCOMPARE(clicks, 1);
        QVERIFY(!pressedDuringClick);
        QVERIFY(!button->isPressed());
        QCOMPARE(at(button, 2, 2), kRed);  // released look
        QCOMPARE(at(button, 0, 0), kMidlight);
    }

    void mouseClickEndsReleasedWhenTheHandlerThrows() {
        connect(button, &PictureButton::clicked, this,
                [] { throw std::runtime_error("handler failed"); });
        try {
            QTest::mouseClick(button, Qt::LeftButton, {}, inside);
        } catch (const std::runtime_error&) {
        }
        QVERIFY(!button->isPressed());
        QCOMPARE(button->outsideCorrection(), 0);
        // The next press starts from a clean state.
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QCOMPARE(button->shift(), 1);
    }

    void acceleratorLetterOfTheCaptionClicks() {
        QSignalSpy clicks(button, &PictureButton::clicked);
        button->setCaption(QStringLiteral("&Save"));
        QTest::keyClick(host, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);

        button->setEnabled(false);
        QTest::keyClick(host, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
        button->setEnabled(true);

        button->setCaption(QStringLiteral("Save && load"));  // "&&" is a plain "&"
        QTest::keyClick(host, Qt::Key_S, Qt::AltModifier);
        QTest::keyClick(host, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(clicks.count(), 1);
    }

    // ------------------------------------------------------------ focus

    void focusLookFollowsFocusStyle() {
        button->setColor(kColor);
        button->setInColor(kInColor);
        button->setButtonStyle(PictureButton::bsNone);
        button->setFocus();
        QVERIFY(button->hasFocus());
        // bfsStdButton: dotted ring two pixels inside; every other pixel inverted.
        const QColor inverted(255 - kColor.red(), 255 - kColor.green(), 255 - kColor.blue());
        QCOMPARE(at(button, 2, 2), inverted);
        QCOMPARE(at(button, 3, 2), kColor);
        QCOMPARE(at(button, 4, 2), inverted);
        QCOMPARE(at(button, 18, 18), kColor);

        button->setFocusStyle(PictureButton::bfsInColor);
        QCOMPARE(at(button, 2, 2), kInColor);
        QCOMPARE(at(button, 18, 18), kInColor);

        button->setFocusStyle(PictureButton::bfsNone);
        QCOMPARE(at(button, 2, 2), kColor);
    }

    // ------------------------------------------------------------ caption

    void captionWiderThanTheButtonStartsLeftOfItsEdge() {
        QFont f = button->font();
        f.setPixelSize(16);
        button->setFont(f);
        button->setButtonStyle(PictureButton::bsNone);
        button->setColor(Qt::white);
        button->setFontColor(Qt::black);
        const QString text = QStringLiteral("WWWWWWWW");
        const QFontMetrics fm(f);
        const int tw = fm.horizontalAdvance(text);
        // Five pixels too narrow: -2.5 truncates to -2 (not -3).
        const int w = tw - 5, h = 36;
        button->resize(w, h);
        button->setCaption(text);

        QImage expected(w, h, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QRect(-2, (h - fm.height()) / 2, tw + 10, fm.height()),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        }
        const QImage got =
            button->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(got, expected);
    }

    void captionShowsTheAcceleratorWithoutItsAmpersand() {
        button->setButtonStyle(PictureButton::bsNone);
        button->setColor(Qt::white);
        button->resize(120, 30);
        button->setCaption(QStringLiteral("&Save"));
        const QImage withMark = button->grab().toImage();
        button->setCaption(QStringLiteral("Save"));
        const QImage plain = button->grab().toImage();
        // Same place (the "&" takes no room); only the underline differs.
        QVERIFY(withMark != plain);
        // Centred alike: the top half of the letters is the same pixel for pixel.
        QCOMPARE(withMark.copy(0, 0, 120, 15), plain.copy(0, 0, 120, 15));
    }

    void hintShowsCrLfAsALineBreak() {
        button->setHint(QStringLiteral("保存します\r\nfile.txt"));
        QCOMPARE(button->hint(), QStringLiteral("保存します\r\nfile.txt"));
        QCOMPARE(button->toolTip(), QStringLiteral("保存します\nfile.txt"));
    }

    // ------------------------------------------------------------ built-in pictures

    void toolbarPicturesFitTheButtonAndAreTransparentAround() {
        QList<QImage> seen;
        for (int n : {1, 2, 3, 4, 6, 7, 8}) {
            const QImage img = kirel::toolbarPicture(n).toImage();
            QVERIFY2(!img.isNull(), qPrintable(QString::number(n)));
            const QSizeF size = kirel::toolbarPicture(n).deviceIndependentSize();
            // Inside the 2-pixel frames of a 47 x 30 button.
            QVERIFY(size.width() >= 20 && size.width() <= 43);
            QVERIFY(size.height() >= 20 && size.height() <= 26);
            QVERIFY(img.hasAlphaChannel());
            QCOMPARE(img.pixelColor(0, 0).alpha(), 0);
            int opaque = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) opaque += img.pixelColor(x, y).alpha() > 128;
            QVERIFY(opaque > img.width() * img.height() / 8);
            QVERIFY(!seen.contains(img));
            seen << img;
        }
        QVERIFY(kirel::toolbarPicture(5).isNull());
        QVERIFY(kirel::toolbarPicture(0).isNull());
        QVERIFY(kirel::toolbarPicture(9).isNull());
    }

    void shippedPicturesLoad() {
        const QString appDir = qEnvironmentVariable("KIREL_TEST_APPDIR");
        if (appDir.isEmpty()) QSKIP("KIREL_TEST_APPDIR not set");
        QList<QImage> mascots;
        for (const char* name : {"pirumi.bmp", "topopo.bmp", "kurotopo.bmp"}) {
            const QImage img(appDir + "/images/" + name);
            QVERIFY2(!img.isNull(), name);
            QCOMPARE(img.size(), QSize(48, 60));
            QVERIFY(!mascots.contains(img));
            mascots << img;
        }
        const QImage background(appDir + "/user/Background.jpg");
        QVERIFY(!background.isNull());
        QVERIFY(background.pixelColor(0, 0).lightness() > 200);  // light enough to read on
    }

    void mascotFillsItsPictureArea() {
        const QPixmap m = kirel::builtinMascot();
        QCOMPARE(m.deviceIndependentSize().toSize(), QSize(48, 60));
    }
};

QTEST_MAIN(TestPictureButton)
#include "test_picturebutton.moc"
