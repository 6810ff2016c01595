#include "app/toolbarpictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

// The pictures are drawn at run time in one style: flat colours with a soft top
// light, a dark blue-grey outline one pixel wide, on a transparent 24 x 24
// square (the mascot on 48 x 60). Drawing them at the screen's pixel ratio keeps
// them sharp on high-density screens.

namespace kirel {
namespace {

constexpr int kSide = 24;
const QColor kInk(0x3b, 0x45, 0x5a);  // outlines

qreal screenRatio() {
    const qreal r = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return r > 1.0 ? r : 1.0;
}

// A transparent canvas of w x h logical pixels and a painter set up for it.
QPixmap canvas(int w, int h) {
    const qreal dpr = screenRatio();
    QPixmap pm(QSize(qCeil(w * dpr), qCeil(h * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QPen ink(qreal width = 1.0) {
    QPen pen(kInk, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// A vertical gradient from a lighter top to the colour itself.
QBrush shaded(const QRectF& r, const QColor& c, int lighter = 125) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, c.lighter(lighter));
    g.setColorAt(1.0, c);
    return QBrush(g);
}

// 1: the clipboard with an arrow going into it (transfer the post).
void drawClipboard(QPainter& p) {
    const QRectF board(3.5, 3.5, 15, 19);
    p.setPen(ink());
    p.setBrush(shaded(board, QColor(0xc8, 0x8a, 0x4e)));
    p.drawRoundedRect(board, 2, 2);
    const QRectF paper(5.5, 6.5, 11, 14);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x9a, 0x80, 0x66), 1));
    p.drawRect(paper);
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xd0), 1));
    for (qreal y : {10.5, 13.5, 16.5}) p.drawLine(QPointF(7.5, y), QPointF(12.5, y));
    // The clip.
    const QRectF clip(7.5, 1.5, 7, 4);
    p.setPen(ink());
    p.setBrush(shaded(clip, QColor(0xa8, 0xb2, 0xc0), 140));
    p.drawRoundedRect(clip, 1.5, 1.5);
    // The arrow, pointing left into the board.
    QPainterPath arrow;
    arrow.moveTo(11.5, 15.5);
    arrow.lineTo(16.5, 10.5);
    arrow.lineTo(16.5, 13.5);
    arrow.lineTo(22.5, 13.5);
    arrow.lineTo(22.5, 17.5);
    arrow.lineTo(16.5, 17.5);
    arrow.lineTo(16.5, 20.5);
    arrow.closeSubpath();
    p.setBrush(shaded(arrow.boundingRect(), QColor(0x2f, 0xa8, 0x4f), 150));
    p.drawPath(arrow);
}

// 2: a coloured letter A over a colour bar (decoration tags).
void drawLetterA(QPainter& p) {
    QPainterPath a;
    a.moveTo(2.5, 17.5);
    a.lineTo(9.5, 1.5);
    a.lineTo(14.5, 1.5);
    a.lineTo(21.5, 17.5);
    a.lineTo(17.0, 17.5);
    a.lineTo(15.4, 13.5);
    a.lineTo(8.6, 13.5);
    a.lineTo(7.0, 17.5);
    a.closeSubpath();
    QPainterPath hole;
    hole.moveTo(10.0, 10.0);
    hole.lineTo(14.0, 10.0);
    hole.lineTo(12.0, 5.0);
    hole.closeSubpath();
    a = a.subtracted(hole);
    QLinearGradient g(0, 1, 0, 18);
    g.setColorAt(0.0, QColor(0xff, 0x7a, 0xa8));
    g.setColorAt(1.0, QColor(0xd6, 0x2a, 0x6a));
    p.setPen(ink());
    p.setBrush(g);
    p.drawPath(a);
    // Three colour chips underneath.
    const QColor chips[] = {QColor(0xf0, 0x4a, 0x4a), QColor(0x3c, 0xb8, 0x4c),
                            QColor(0x3a, 0x78, 0xe0)};
    for (int i = 0; i < 3; ++i) {
        const QRectF chip(2.5 + i * 6.5, 19.5, 6, 3.5);
        p.setPen(Qt::NoPen);
        p.setBrush(chips[i]);
        p.drawRect(chip);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(ink());
    p.drawRoundedRect(QRectF(2.5, 19.5, 19.5, 3.5), 1, 1);
}

// 3: a smiling face (emoticons).
void drawSmile(QPainter& p) {
    const QRectF face(1.5, 1.5, 21, 21);
    QRadialGradient g(QPointF(9, 7), 16);
    g.setColorAt(0.0, QColor(0xff, 0xf1, 0x9c));
    g.setColorAt(1.0, QColor(0xf8, 0xc0, 0x2c));
    p.setPen(ink());
    p.setBrush(g);
    p.drawEllipse(face);
    // Closed happy eyes.
    QPen eye = ink(1.6);
    p.setPen(eye);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 8, 4.5, 4), 20 * 16, 140 * 16);
    p.drawArc(QRectF(13.5, 8, 4.5, 4), 20 * 16, 140 * 16);
    // Cheeks.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8a, 0x8a, 170));
    p.drawEllipse(QRectF(4, 12.5, 4, 2.6));
    p.drawEllipse(QRectF(16, 12.5, 4, 2.6));
    // Open smile.
    QPainterPath mouth;
    mouth.moveTo(8, 14);
    mouth.cubicTo(9, 19.5, 15, 19.5, 16, 14);
    mouth.closeSubpath();
    p.setPen(ink());
    p.setBrush(QColor(0xd8, 0x4a, 0x4a));
    p.drawPath(mouth);
}

// 4: a speech balloon with lines of text (fixed phrases).
void drawBalloon(QPainter& p) {
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(1.5, 2.5, 21, 14.5), 5, 5);
    QPainterPath tail;
    tail.moveTo(6, 15);
    tail.lineTo(4.5, 21.5);
    tail.lineTo(11.5, 16);
    tail.closeSubpath();
    balloon = balloon.united(tail);
    p.setPen(ink());
    p.setBrush(shaded(QRectF(1.5, 2.5, 21, 19), QColor(0xd8, 0xec, 0xff), 108));
    p.drawPath(balloon);
    p.setPen(QPen(QColor(0x4a, 0x78, 0xc0), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 7.5), QPointF(18, 7.5));
    p.drawLine(QPointF(6, 10.5), QPointF(18, 10.5));
    p.drawLine(QPointF(6, 13.5), QPointF(13, 13.5));
}

// 6: a gear (settings).
void drawGear(QPainter& p) {
    const QPointF c(12, 12);
    const int teeth = 8;
    const qreal outer = 11, inner = 8.2;
    QPainterPath gear;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, valley; slightly narrower at the tip.
        const qreal step = 2 * M_PI / (teeth * 4);
        const qreal a = i * step - M_PI / 2 - step * 1.5;
        const int phase = i % 4;
        const qreal r = (phase == 1 || phase == 2) ? outer : inner;
        const qreal off = phase == 1 ? step * 0.18 : phase == 2 ? -step * 0.18 : 0;
        const QPointF pt(c.x() + r * std::cos(a + off), c.y() + r * std::sin(a + off));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, 3.2, 3.2);
    gear = gear.subtracted(hole);
    QRadialGradient g(QPointF(9, 8), 14);
    g.setColorAt(0.0, QColor(0xd4, 0xdc, 0xe8));
    g.setColorAt(1.0, QColor(0x7e, 0x8c, 0xa4));
    p.setPen(ink());
    p.setBrush(g);
    p.drawPath(gear);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x5a, 0x68, 0x80), 1));
    p.drawEllipse(c, 6, 6);
}

// 7: a floppy disk (save).
void drawDisk(QPainter& p) {
    QPainterPath body;
    body.moveTo(2.5, 4.0);
    body.quadTo(2.5, 2.5, 4.0, 2.5);
    body.lineTo(18.5, 2.5);
    body.lineTo(21.5, 5.5);
    body.lineTo(21.5, 20.0);
    body.quadTo(21.5, 21.5, 20.0, 21.5);
    body.lineTo(4.0, 21.5);
    body.quadTo(2.5, 21.5, 2.5, 20.0);
    body.closeSubpath();
    p.setPen(ink());
    p.setBrush(shaded(body.boundingRect(), QColor(0x3a, 0x6e, 0xc8), 140));
    p.drawPath(body);
    // Metal shutter with its window.
    const QRectF shutter(6.5, 2.5, 10, 6.5);
    p.setBrush(shaded(shutter, QColor(0xb4, 0xbe, 0xcc), 120));
    p.drawRect(shutter);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x6e, 0xc8));
    p.drawRect(QRectF(12.5, 3.5, 2.5, 4.5));
    // Label.
    const QRectF label(5.5, 12.5, 13, 9);
    p.setPen(ink());
    p.setBrush(QColor(0xfb, 0xfb, 0xf4));
    p.drawRect(label);
    p.setPen(QPen(QColor(0xe8, 0x7a, 0x8a), 1));
    p.drawLine(QPointF(7.5, 15.5), QPointF(16.5, 15.5));
    p.setPen(QPen(QColor(0xa8, 0xb4, 0xc8), 1));
    p.drawLine(QPointF(7.5, 18.5), QPointF(16.5, 18.5));
}

// 8: an opening folder with a page in it (load what was saved).
void drawFolder(QPainter& p) {
    // Back of the folder with its tab.
    QPainterPath back;
    back.moveTo(1.5, 20.5);
    back.lineTo(1.5, 5.0);
    back.quadTo(1.5, 3.5, 3.0, 3.5);
    back.lineTo(8.0, 3.5);
    back.lineTo(10.0, 5.5);
    back.lineTo(18.0, 5.5);
    back.quadTo(19.5, 5.5, 19.5, 7.0);
    back.lineTo(19.5, 20.5);
    back.closeSubpath();
    p.setPen(ink());
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    p.drawPath(back);
    // A page standing in it.
    const QRectF page(5.5, 7.5, 11, 10);
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(0x9d, 0xb4, 0xd0), 1));
    p.drawLine(QPointF(7.5, 10.5), QPointF(14.5, 10.5));
    p.drawLine(QPointF(7.5, 13.0), QPointF(14.5, 13.0));
    // Front flap, opened towards the viewer.
    QPainterPath front;
    front.moveTo(1.5, 20.5);
    front.lineTo(5.0, 11.5);
    front.lineTo(22.5, 11.5);
    front.lineTo(19.5, 20.5);
    front.closeSubpath();
    p.setPen(ink());
    p.setBrush(shaded(front.boundingRect(), QColor(0xf6, 0xc8, 0x48), 118));
    p.drawPath(front);
}

}  // namespace

QPixmap toolbarPicture(int n) {
    void (*draw)(QPainter&) = nullptr;
    switch (n) {
        case 1:
            draw = drawClipboard;
            break;
        case 2:
            draw = drawLetterA;
            break;
        case 3:
            draw = drawSmile;
            break;
        case 4:
            draw = drawBalloon;
            break;
        case 6:
            draw = drawGear;
            break;
        case 7:
            draw = drawDisk;
            break;
        case 8:
            draw = drawFolder;
            break;
        default:
            return {};
    }
    QPixmap pm = canvas(kSide, kSide);
    QPainter p(&pm);
    prepare(p);
    draw(p);
    return pm;
}

// The mascot: a round mint-green sprite with a leaf on its head, holding a pencil.
QPixmap builtinMascot() {
    QPixmap pm = canvas(48, 60);
    QPainter p(&pm);
    prepare(p);
    const QColor body(0xa8, 0xe6, 0xc4);
    const QColor bodyDark(0x6c, 0xc4, 0x98);

    // Shadow on the ground.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QRectF(9, 52, 30, 5));

    // Feet.
    p.setPen(ink());
    p.setBrush(QColor(0xf0, 0xa8, 0x60));
    p.drawEllipse(QRectF(13.5, 49.5, 8, 5));
    p.drawEllipse(QRectF(26.5, 49.5, 8, 5));

    // Leaf sprout on top.
    QPainterPath stem;
    stem.moveTo(24, 17);
    stem.cubicTo(24, 13, 25, 10, 27, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3a, 0x8a, 0x4a), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(stem);
    QPainterPath leafR;
    leafR.moveTo(26.5, 9);
    leafR.cubicTo(29, 3, 35, 2, 38, 3.5);
    leafR.cubicTo(36, 9, 31, 11, 26.5, 9);
    QPainterPath leafL;
    leafL.moveTo(25.5, 10.5);
    leafL.cubicTo(22, 6, 17, 6, 14, 7.5);
    leafL.cubicTo(17, 12, 22, 12.5, 25.5, 10.5);
    p.setPen(ink());
    p.setBrush(QColor(0x6c, 0xd0, 0x6c));
    p.drawPath(leafR);
    p.setBrush(QColor(0x8c, 0xdc, 0x78));
    p.drawPath(leafL);

    // Round body.
    const QRectF round(5.5, 15.5, 37, 37);
    QRadialGradient g(QPointF(17, 25), 34);
    g.setColorAt(0.0, body.lighter(118));
    g.setColorAt(0.7, body);
    g.setColorAt(1.0, bodyDark);
    p.setPen(ink());
    p.setBrush(g);
    p.drawEllipse(round);

    // Belly.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xff, 0xf4, 200));
    p.drawEllipse(QRectF(14, 33, 20, 16));

    // Eyes with highlights.
    p.setBrush(kInk);
    p.drawEllipse(QRectF(14, 26, 5, 6.5));
    p.drawEllipse(QRectF(29, 26, 5, 6.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(15.2, 27, 2, 2));
    p.drawEllipse(QRectF(30.2, 27, 2, 2));

    // Cheeks.
    p.setBrush(QColor(0xff, 0x8c, 0xa0, 150));
    p.drawEllipse(QRectF(9.5, 32, 6, 3.5));
    p.drawEllipse(QRectF(32.5, 32, 6, 3.5));

    // Small smile.
    p.setPen(ink(1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(21, 30.5, 6, 4.5), 200 * 16, 140 * 16);

    // Arm holding a pencil.
    p.save();
    p.translate(40.5, 41);
    p.rotate(18);
    p.setPen(ink());
    p.setBrush(QColor(0xff, 0xd0, 0x4a));
    p.drawRect(QRectF(-2, -13, 4, 14));
    p.setBrush(QColor(0xf6, 0xd8, 0xb0));
    QPainterPath tip;
    tip.moveTo(-2, -13);
    tip.lineTo(2, -13);
    tip.lineTo(0, -18);
    tip.closeSubpath();
    p.drawPath(tip);
    p.setBrush(QColor(0xf0, 0x90, 0xa0));
    p.drawRect(QRectF(-2, 1, 4, 2.5));
    p.restore();
    p.setPen(ink());
    p.setBrush(body);
    p.drawEllipse(QRectF(36, 38, 7, 6));
    p.drawEllipse(QRectF(5, 38, 7, 6));
    return pm;
}

QPixmap mascotPicture(const QString& path, QSize area) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&file);
    // A bitmap (the built-in mascots are) goes straight to Qt's own reader. Left
    // to find the format, the reader asks every picture plugin whether it reads
    // the file, which loads them all and their libraries: milliseconds of the
    // start-up.
    if (file.peek(2) == "BM") {
        reader.setFormat("bmp");
        reader.setAutoDetectImageFormat(false);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        // Not a bitmap after all: any reader may try.
        file.seek(0);
        QImageReader anyReader(&file);
        image = anyReader.read();
    }
    if (image.isNull()) return {};
    return QPixmap::fromImage(image).scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace kirel
