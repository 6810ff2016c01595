// The colour swatch button: its three edge styles at rest, hovered, pressed,
// focused and disabled, where the caption lands, hover signals, and clicks from
// the mouse and the keyboard. Looks are checked on the rendered pixels.

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "controls/colorswatchbutton.h"

namespace {

const QColor kFace(200, 30, 30);
const QColor kFrame(1, 2, 3);
const QColor kHighlight(250, 250, 240);
const QColor kShadow(120, 120, 130);
const QColor kButtonFace(0xd0, 0xd0, 0xd0);
const QColor kLight(0xff, 0xff, 0xfe);
const QColor kDark(0x80, 0x80, 0x80);
const QColor kText(0, 0, 0);

// Bounding box of the pixels of one colour.
QRect pixelsOf(const QImage& image, const QColor& c) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == c) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

class TestColorSwatchButton : public QObject {
    Q_OBJECT

  private:
    QWidget* host = nullptr;
    ColorSwatchButton* button = nullptr;
    QPushButton* other = nullptr;

    QColor at(int x, int y) const { return button->render().pixelColor(x, y); }
    void useCaption(const QString& text) {
        QFont f = button->font();
        f.setPixelSize(12);
        button->setFont(f);
        button->setCaption(text);
    }

  private slots:
    void init() {
        host = new QWidget;
        host->resize(300, 200);
        QPalette pal = host->palette();
        pal.setColor(QPalette::Button, kButtonFace);
        pal.setColor(QPalette::Light, kLight);
        pal.setColor(QPalette::Dark, kDark);
        pal.setColor(QPalette::ButtonText, kText);
        host->setPalette(pal);
        button = new ColorSwatchButton(host);
        button->setObjectName(QStringLiteral("LorviButton1"));
        button->setGeometry(20, 20, 60, 40);
        button->setColor(kFace);
        button->setFrameColor(kFrame);
        button->setEdgeHighlight(kHighlight);
        button->setEdgeShadow(kShadow);
        other = new QPushButton(QStringLiteral("other"), host);
        other->setGeometry(150, 20, 80, 30);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host));
        QApplication::setActiveWindow(host);
        QVERIFY(QTest::qWaitForWindowActive(host));
        other->setFocus();
        QTest::mouseMove(host, QPoint(290, 190));
    }

    void cleanup() {
        delete host;
        host = nullptr;
    }

    void newButtonHasTheDocumentedValues() {
        ColorSwatchButton b;
        QCOMPARE(b.buttonStyle(), ColorSwatchButton::bsStd);
        QCOMPARE(b.capAlignH(), ColorSwatchButton::haCenter);
        QCOMPARE(b.capAlignV(), ColorSwatchButton::vaCenter);
        QVERIFY(b.capFixed());
        QVERIFY(b.focusline());
        QCOMPARE(b.capOffsetH(), 0);
        QCOMPARE(b.capOffsetV(), 0);
        QVERIFY(b.captionLines().isEmpty());
        QCOMPARE(b.color(), b.palette().color(QPalette::Base));
        QCOMPARE(b.focusPolicy(), Qt::StrongFocus);
        // The designer's property names work as properties.
        QVERIFY(b.setProperty("ButtonStyle", QVariant::fromValue(ColorSwatchButton::bsIELike)));
        QCOMPARE(b.buttonStyle(), ColorSwatchButton::bsIELike);
        QVERIFY(b.setProperty("CaptionLines", QStringList{QStringLiteral("a")}));
        QCOMPARE(b.shownText(), QStringLiteral("a"));
    }

    void standardEdgesAtRestFocusedAndPressed() {
        const int w = 60, h = 40;
        // At rest: face, light top-left, frame bottom-right, shadow one pixel inside.
        QCOMPARE(at(w / 2, h / 2), kFace);
        QCOMPARE(at(0, 0), kHighlight);
        QCOMPARE(at(0, h - 2), kHighlight);
        QCOMPARE(at(w - 1, h / 2), kFrame);
        QCOMPARE(at(w / 2, h - 1), kFrame);
        QCOMPARE(at(w - 2, h / 2), kShadow);
        QCOMPARE(at(w / 2, h - 2), kShadow);
        QCOMPARE(at(w - 3, h / 2), kFace);

        // Focused: a frame all round, the same edges inside it, the dotted line
        // four pixels in.
        button->setFocus();
        QVERIFY(button->hasFocus());
        QCOMPARE(at(0, 0), kFrame);
        QCOMPARE(at(w / 2, 0), kFrame);
        QCOMPARE(at(1, 1), kHighlight);
        QCOMPARE(at(w - 2, h / 2), kFrame);
        QCOMPARE(at(w - 3, h / 2), kShadow);
        const QImage focused = button->render();
        int changed = 0;
        for (int x = 4; x < w - 4; ++x) changed += focused.pixelColor(x, 4) != kFace;
        QVERIFY2(changed > (w - 8) / 3 && changed < w - 8, "a dotted line on row 4");
        button->setFocusline(false);
        QCOMPARE(at(4, 4), kFace);

        // Pressed and focused: frame, then a shadow ring, then the face.
        button->setDown(true);
        QCOMPARE(at(0, 0), kFrame);
        QCOMPARE(at(1, 1), kShadow);
        QCOMPARE(at(w - 2, h - 2), kShadow);
        QCOMPARE(at(2, 2), kFace);
        button->setDown(false);
        other->setFocus();
        button->setDown(true);
        QCOMPARE(at(0, 0), kShadow);
        QCOMPARE(at(w - 1, h - 1), kShadow);
        QCOMPARE(at(1, 1), kFace);
    }

    void flatStyleRisesUnderTheMouseAndSinksWhenPressed() {
        button->setButtonStyle(ColorSwatchButton::bsIELike);
        QCOMPARE(at(0, 0), kFace);  // flat
        QCOMPARE(at(59, 39), kFace);
        QSignalSpy enters(button, &ColorSwatchButton::mouseEnter);
        QSignalSpy leaves(button, &ColorSwatchButton::mouseLeave);
        QTest::mouseMove(button, QPoint(30, 20));
        QTRY_VERIFY(button->isHovered());
        QCOMPARE(enters.size(), 1);
        QCOMPARE(at(0, 0), kHighlight);  // raised
        QCOMPARE(at(59, 39), kShadow);
        QTest::mouseMove(button, QPoint(31, 21));
        QCOMPARE(enters.size(), 1);  // moving inside is no second entry
        button->setDown(true);
        QCOMPARE(at(0, 0), kShadow);  // sunken
        QCOMPARE(at(59, 39), kHighlight);
        button->setDown(false);
        QTest::mouseMove(host, QPoint(290, 190));
        QTRY_VERIFY(!button->isHovered());
        QCOMPARE(leaves.size(), 1);
        QCOMPARE(at(0, 0), kFace);

        button->setButtonStyle(ColorSwatchButton::bsNone);
        button->setFocus();
        button->setDown(true);
        // No edges and no frame; the focus line runs along the very edge.
        QCOMPARE(at(1, 0), kFace);
        QCOMPARE(at(2, 2), kFace);
        QVERIFY(at(0, 0) != kFace);
    }

    void disabledButtonShowsButtonFaceAndEngravedCaption() {
        useCaption(QStringLiteral("■"));
        button->setEnabled(false);
        const QImage image = button->render();
        QCOMPARE(image.pixelColor(3, 3), kButtonFace);
        QVERIFY(pixelsOf(image, kFace).isEmpty());
        // The shadow-coloured glyph, and a light copy showing one pixel right of
        // and below it.
        const QRect dark = pixelsOf(image, kDark);
        QVERIFY(!dark.isEmpty());
        QRect light;
        for (int y = 2; y < 38; ++y)
            for (int x = 2; x < 58; ++x)
                if (image.pixelColor(x, y).lightness() > kButtonFace.lightness() + 16)
                    light |= QRect(x, y, 1, 1);
        QVERIFY(!light.isEmpty());
        QVERIFY(light.right() > dark.right() && light.bottom() > dark.bottom());
    }

    void captionPlacement() {
        useCaption(QStringLiteral("■"));
        const QRect rest = pixelsOf(button->render(), kText);
        QVERIFY(!rest.isEmpty());
        // Centred both ways (within a pixel of rounding).
        QVERIFY(qAbs(rest.center().x() - 30) <= 1);
        QVERIFY(qAbs(rest.center().y() - 20) <= 2);
        button->setDown(true);
        QCOMPARE(pixelsOf(button->render(), kText), rest.translated(1, 1));
        button->setDown(false);
        button->setCapOffsetH(-3);
        button->setCapOffsetV(2);
        QCOMPARE(pixelsOf(button->render(), kText), rest.translated(-3, 2));
        button->setCapOffsetH(0);
        button->setCapOffsetV(0);

        // Left: 5 pixels in; with CapFixed off on an inactive button one less.
        button->setCapAlignH(ColorSwatchButton::haLeft);
        const QRect left = pixelsOf(button->render(), kText);
        button->setCapFixed(false);
        QCOMPARE(pixelsOf(button->render(), kText), left.translated(-1, 0));
        button->setFocus();
        QCOMPARE(pixelsOf(button->render(), kText), left);  // focused: fixed again
        other->setFocus();
        button->setCapFixed(true);
        button->setCapAlignH(ColorSwatchButton::haRight);
        const QRect right = pixelsOf(button->render(), kText);
        // As far in from the right edge as the left one is from the left edge.
        QVERIFY(qAbs(left.left() - (59 - right.right())) <= 2);

        // Three caption lines centred as one block; the plain caption wins.
        button->setCaption(QString());
        button->setCapAlignH(ColorSwatchButton::haCenter);
        button->setCaptionLines({QStringLiteral("■"), QStringLiteral("■"), QStringLiteral("■")});
        QCOMPARE(button->shownText(), QStringLiteral("■\r\n■\r\n■"));
        const QRect block = pixelsOf(button->render(), kText);
        QVERIFY(block.height() > 2 * rest.height());
        QVERIFY(qAbs(block.center().y() - 20) <= 2);
        button->setCaption(QStringLiteral("■"));
        QCOMPARE(pixelsOf(button->render(), kText), rest);
        // Top: 4 pixels down from the top; bottom: 5 up from the bottom.
        button->setCapAlignV(ColorSwatchButton::vaTop);
        const QRect top = pixelsOf(button->render(), kText);
        button->setCapAlignV(ColorSwatchButton::vaBottom);
        const QRect bottom = pixelsOf(button->render(), kText);
        QVERIFY(top.top() < rest.top() && bottom.top() > rest.top());
        QCOMPARE(top.left(), rest.left());
        QVERIFY(qAbs((top.top() - 4) - (40 - 5 - 1 - bottom.bottom())) <= 3);
    }

    void clicksFromMouseAndKeyboard() {
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(clicks.size(), 1);
        // A fast second click arrives as a double click: it counts too.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(clicks.size(), 3);
        // Released outside: no click.
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 20));
        QTest::mouseMove(button, QPoint(100, 100));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(clicks.size(), 3);

        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(clicks.size(), 4);
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicks.size(), 6);
        QTest::keyClick(button, Qt::Key_A);
        QCOMPARE(clicks.size(), 6);
        button->setEnabled(false);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(30, 20));
        QCOMPARE(clicks.size(), 6);
    }

    void accessibleNameFollowsCaptionOrColour() {
        QCOMPARE(button->accessibleName(), QStringLiteral("#C81E1E"));
        button->setColor(QColor(0, 0x80, 0xFF));
        QCOMPARE(button->accessibleName(), QStringLiteral("#0080FF"));
        button->setCaptionLines({QStringLiteral("赤"), QStringLiteral("色")});
        QCOMPARE(button->accessibleName(), QStringLiteral("赤 色"));
        button->setCaption(QStringLiteral("&Red"));
        QVERIFY(button->accessibleName().isEmpty());  // the push button's own, from its text
    }
};

QTEST_MAIN(TestColorSwatchButton)
#include "test_colorswatchbutton.moc"
