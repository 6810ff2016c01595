#include "controls/colorswatchbutton.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include "controls/pixelpainting.h"

using namespace kirel::pixels;

ColorSwatchButton::ColorSwatchButton(QWidget* parent) : QPushButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    updateAccessibleName();
}

// ---------------------------------------------------------------- properties

void ColorSwatchButton::setCaption(const QString& caption) {
    if (text() == caption) return;
    setText(caption);
    updateAccessibleName();
    update();
}

void ColorSwatchButton::setCaptionLines(const QStringList& lines) {
    // Compared as one text, as the list is shown.
    if (lines.join(QLatin1Char('\n')) == captionLines_.join(QLatin1Char('\n'))) return;
    captionLines_ = lines;
    updateAccessibleName();
    update();
}

QString ColorSwatchButton::shownText() const {
    if (!text().isEmpty()) return text();
    return captionLines_.join(QStringLiteral("\r\n"));
}

void ColorSwatchButton::setCapAlignH(TNHAlignment a) {
    if (capAlignH_ == a) return;
    capAlignH_ = a;
    update();
}

void ColorSwatchButton::setCapAlignV(TNVAlignment a) {
    if (capAlignV_ == a) return;
    capAlignV_ = a;
    update();
}

void ColorSwatchButton::setCapOffsetH(int pixels) {
    if (capOffsetH_ == pixels) return;
    capOffsetH_ = pixels;
    update();
}

void ColorSwatchButton::setCapOffsetV(int pixels) {
    if (capOffsetV_ == pixels) return;
    capOffsetV_ = pixels;
    update();
}

void ColorSwatchButton::setCapFixed(bool on) {
    if (capFixed_ == on) return;
    capFixed_ = on;
    update();
}

void ColorSwatchButton::setButtonStyle(TButtonStyle style) {
    if (buttonStyle_ == style) return;
    buttonStyle_ = style;
    update();
}

void ColorSwatchButton::setFocusline(bool on) {
    if (focusline_ == on) return;
    focusline_ = on;
    update();
}

QColor ColorSwatchButton::systemColor(int role) const {
    // Colours of the active group: a disabled button draws its own disabled look.
    return palette().color(QPalette::Active, static_cast<QPalette::ColorRole>(role));
}

QColor ColorSwatchButton::color() const {
    return color_ ? *color_ : systemColor(QPalette::Base);
}

void ColorSwatchButton::setColor(const QColor& color) {
    if (color_ && *color_ == color) return;
    color_ = color;
    updateAccessibleName();
    update();
}

QColor ColorSwatchButton::frameColor() const {
    return frameColor_ ? *frameColor_ : systemColor(QPalette::Shadow);
}

void ColorSwatchButton::setFrameColor(const QColor& color) {
    if (frameColor_ && *frameColor_ == color) return;
    frameColor_ = color;
    update();
}

QColor ColorSwatchButton::edgeHighlight() const {
    return edgeHighlight_ ? *edgeHighlight_ : systemColor(QPalette::Light);
}

void ColorSwatchButton::setEdgeHighlight(const QColor& color) {
    if (edgeHighlight_ && *edgeHighlight_ == color) return;
    edgeHighlight_ = color;
    update();
}

QColor ColorSwatchButton::edgeShadow() const {
    return edgeShadow_ ? *edgeShadow_ : systemColor(QPalette::Dark);
}

void ColorSwatchButton::setEdgeShadow(const QColor& color) {
    if (edgeShadow_ && *edgeShadow_ == color) return;
    edgeShadow_ = color;
    update();
}

void ColorSwatchButton::updateAccessibleName() {
    // With a caption the push button names itself after it.
    if (!text().isEmpty())
        setAccessibleName(QString());
    else if (!captionLines_.isEmpty())
        setAccessibleName(captionLines_.join(QLatin1Char(' ')));
    else
        setAccessibleName(color().name(QColor::HexRgb).toUpper());
}

// ---------------------------------------------------------------- events

void ColorSwatchButton::enter() {
    hovered_ = true;
    repaint();
    emit mouseEnter();
}

void ColorSwatchButton::enterEvent(QEnterEvent* e) {
    if (!hovered_ || QGuiApplication::mouseButtons() == Qt::LeftButton) enter();
    QPushButton::enterEvent(e);
}

void ColorSwatchButton::leaveEvent(QEvent* e) {
    hovered_ = false;
    repaint();
    emit mouseLeave();
    QPushButton::leaveEvent(e);
}

void ColorSwatchButton::mouseMoveEvent(QMouseEvent* e) {
    // A pointer that is already over the button when it appears brings no enter
    // notification: the first move inside counts as one.
    if (!hovered_ && rect().contains(e->position().toPoint()) && e->buttons() != Qt::LeftButton)
        enter();
    QPushButton::mouseMoveEvent(e);
}

void ColorSwatchButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click is a press like the first, so two fast
    // clicks are two clicks.
    mousePressEvent(e);
}

void ColorSwatchButton::keyPressEvent(QKeyEvent* e) {
    const bool enterKey = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enterKey && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        e->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(e);
}

void ColorSwatchButton::focusInEvent(QFocusEvent* e) {
    QPushButton::focusInEvent(e);
    update();
}

void ColorSwatchButton::focusOutEvent(QFocusEvent* e) {
    QPushButton::focusOutEvent(e);
    update();
}

void ColorSwatchButton::changeEvent(QEvent* e) {
    QPushButton::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) update();
}

// ---------------------------------------------------------------- painting

QImage ColorSwatchButton::render() const {
    const qreal dpr = devicePixelRatioF();
    const int w = width(), h = height();
    const bool pressed = isDown();
    const bool focused = hasFocus();
    const bool active = isActive();

    QImage image(QSize(w, h) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    QRect r = rect();

    // Face.
    p.fillRect(r, isEnabled() ? color() : systemColor(QPalette::Button));

    // Caption: measured as a block, then placed by the alignments and offsets.
    QString caption = shownText();
    caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!caption.isEmpty()) {
        int align = Qt::AlignHCenter;
        if (capAlignH_ == haLeft) align = Qt::AlignLeft;
        if (capAlignH_ == haRight) align = Qt::AlignRight;
        const int flags = align | Qt::AlignTop | Qt::TextDontClip | Qt::TextShowMnemonic;
        p.setFont(font());
        const int textHeight = QFontMetrics(font()).boundingRect(QRect(), flags, caption).height();

        QRect box = rect();
        if (capAlignV_ == vaCenter) box.translate(0, (h - textHeight) / 2);
        if (capAlignV_ == vaBottom) box.translate(0, h - textHeight);
        if (capAlignH_ == haLeft) box.translate(5, 0);
        if (capAlignH_ == haRight) box.translate(-5, 0);
        if (capAlignV_ == vaTop) box.translate(0, 4);
        if (capAlignV_ == vaBottom) box.translate(0, -5);
        if (buttonStyle_ == bsStd && !capFixed_ && !active && !focused) {
            if (capAlignH_ == haLeft) box.translate(-1, 0);
            if (capAlignH_ == haRight) box.translate(1, 0);
            if (capAlignV_ == vaTop) box.translate(0, -1);
            if (capAlignV_ == vaBottom) box.translate(0, 1);
        }
        box.translate(capOffsetH_, capOffsetV_);
        if (pressed) box.translate(1, 1);

        if (isEnabled()) {
            p.setPen(systemColor(QPalette::ButtonText));
            p.drawText(box, flags, caption);
        } else {
            // Engraved: a light copy one pixel down and right, the shadow on top.
            p.setPen(systemColor(QPalette::Light));
            p.drawText(box.translated(1, 1), flags, caption);
            p.setPen(systemColor(QPalette::Dark));
            p.drawText(box, flags, caption);
        }
    }

    // Edges.
    switch (buttonStyle_) {
        case bsStd:
            if (active || focused) ring(p, r, frameColor(), frameColor());
            if (pressed) {
                ring(p, r, edgeShadow(), edgeShadow());
            } else if (!r.isEmpty()) {
                edges(p, r, edgeHighlight(), frameColor());
                vLine(p, r.right() - 1, r.top() + 1, r.bottom() - 1, edgeShadow());
                hLine(p, r.left() + 1, r.right() - 1, r.bottom() - 1, edgeShadow());
            }
            break;
        case bsIELike:
            if (pressed)
                edges(p, r, edgeShadow(), edgeHighlight());
            else if (hovered_)
                edges(p, r, edgeHighlight(), edgeShadow());
            break;
        case bsNone:
            break;
    }

    // Focus line.
    if (focusline_ && active && focused) {
        const int inset = buttonStyle_ == bsStd ? 4 : buttonStyle_ == bsIELike ? 2 : 0;
        dottedFocusRect(p, rect().adjusted(inset, inset, -inset, -inset));
    }
    return image;
}

void ColorSwatchButton::paintEvent(QPaintEvent*) {
    const QImage image = render();
    QPainter p(this);
    p.drawImage(0, 0, image);
}
