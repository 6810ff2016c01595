#include "controls/picturebutton.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QShortcutEvent>
#include <utility>

#include "controls/pixelpainting.h"

namespace {

// Runs a function when the scope ends, also when an exception passes through.
template <typename F>
class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

// d / 2 rounded to the nearest integer, halves to the even neighbour.
int halfToEven(int d) {
    int q = d >= 0 ? d / 2 : -((-d + 1) / 2);  // floor(d / 2)
    if (d % 2 == 0) return q;
    return (q % 2 == 0) ? q : q + 1;
}

}  // namespace

using namespace kirel::pixels;

PictureButton::PictureButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    resize(36, 36);
}

PictureButton::~PictureButton() = default;

// ---------------------------------------------------------------- properties

void PictureButton::setButtonStyle(TButtonStyle style) {
    buttonStyle_ = style;
    switch (style) {
        case bsLowered:
            bevelOuter_ = bvLowered;
            bevelInner_ = bvNone;
            break;
        case bsRaised:
            bevelOuter_ = bvRaised;
            bevelInner_ = bvNone;
            break;
        case bsFrame:
            bevelOuter_ = bvRaised;
            bevelInner_ = bvLowered;
            break;
        case bsGroove:
            bevelOuter_ = bvLowered;
            bevelInner_ = bvRaised;
            break;
        case bsNone:
        case bsIELike:
        case bsSpBtnLike:
        case bsStdButton:
            bevelOuter_ = bvNone;
            bevelInner_ = bvNone;
            break;
    }
    update();
}

void PictureButton::setColorChange(bool on) {
    if (colorChange_ == on) return;
    colorChange_ = on;
    update();
}

void PictureButton::setFocusStyle(TFocusStyle style) {
    if (focusStyle_ == style) return;
    focusStyle_ = style;
    update();
}

void PictureButton::setBevelOuter(TBevelCut cut) {
    if (bevelOuter_ == cut) return;
    bevelOuter_ = cut;
    update();
}

void PictureButton::setBevelInner(TBevelCut cut) {
    if (bevelInner_ == cut) return;
    bevelInner_ = cut;
    update();
}

void PictureButton::setCaption(const QString& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    updateShortcut();
    update();
}

void PictureButton::setCaptionLeft(int x) {
    if (captionLeft_ == x) return;
    captionLeft_ = x;
    update();
}

void PictureButton::setCaptionTop(int y) {
    if (captionTop_ == y) return;
    captionTop_ = y;
    update();
}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureButton::setPictureLeft(int x) {
    if (pictureLeft_ == x) return;
    pictureLeft_ = x;
    update();
}

void PictureButton::setPictureTop(int y) {
    if (pictureTop_ == y) return;
    pictureTop_ = y;
    update();
}

void PictureButton::setStretch(bool on) {
    if (stretch_ == on) return;
    stretch_ = on;
    update();
}

QColor PictureButton::systemColor(int role) const {
    // Colours of the active group: a disabled button keeps its look.
    return palette().color(QPalette::Active, static_cast<QPalette::ColorRole>(role));
}

QColor PictureButton::color() const {
    return color_ ? *color_ : systemColor(QPalette::Button);
}

void PictureButton::setColor(const QColor& color) {
    // The painted colour returns to the normal one, also while hovered.
    color_ = color;
    hovered_ = false;
    update();
}

QColor PictureButton::inColor() const {
    return inColor_ ? *inColor_ : systemColor(QPalette::Midlight);
}

void PictureButton::setInColor(const QColor& color) {
    inColor_ = color;
}

QColor PictureButton::fontColor() const {
    return fontColor_ ? *fontColor_ : systemColor(QPalette::ButtonText);
}

void PictureButton::setFontColor(const QColor& color) {
    fontColor_ = color;
    update();
}

void PictureButton::setTabStop(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureButton::setPopupMenu(QMenu* menu) {
    popup_ = menu;
}

void PictureButton::setHint(const QString& hint) {
    hint_ = hint;
    QString shown = hint;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setToolTip(shown);
}

QColor PictureButton::controlColor() const {
    return hovered_ ? inColor() : color();
}

QColor PictureButton::faceColor() const {
    QColor face;
    if (pressed_)
        face = outsideCorrection_ != 0 ? color() : inColor();
    else
        face = controlColor();
    if (focusStyle_ == bfsInColor && hasFocus()) face = inColor();
    return face;
}

void PictureButton::setHovered(bool hovered) {
    if (hovered_ == hovered) return;
    hovered_ = hovered;
    update();
}

void PictureButton::updateShortcut() {
    if (shortcutId_ != 0) releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption_);
    if (!mnemonic.isEmpty()) shortcutId_ = grabShortcut(mnemonic, Qt::WindowShortcut);
}

// ---------------------------------------------------------------- state changes

void PictureButton::showPressed(bool down) {
    switch (buttonStyle_) {
        case bsNone:
            bevelOuter_ = down ? bvLowered : bvNone;
            break;
        case bsLowered:
            bevelInner_ = down ? bvLowered : bvNone;
            break;
        case bsRaised:
            bevelOuter_ = down ? bvLowered : bvRaised;
            break;
        case bsFrame:
            bevelOuter_ = down ? bvNone : bvRaised;
            break;
        case bsGroove:
            bevelInner_ = down ? bvNone : bvRaised;
            break;
        case bsIELike:
            bevelOuter_ = down ? bvLowered : (inside_ ? bvRaised : bvNone);
            break;
        case bsSpBtnLike:
            bevelOuter_ = down ? bvLowered : (bevelOuter_ == bvRaised ? bvNone : bvRaised);
            break;
        case bsStdButton:
            break;  // the frame is drawn by painting
    }
}

void PictureButton::click() {
    pressed_ = false;
    showPressed(false);
    repaint();
    emit clicked();
}

void PictureButton::releasePress() {
    showPressed(false);
    pressed_ = false;
    outsideCorrection_ = 0;
    repaint();
}

void PictureButton::MouseEnter() {
    const bool leftDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    const QPointer<PictureButton> alive(this);
    emit mouseEnter(QGuiApplication::queryKeyboardModifiers(), pointerPos_);
    if (!alive) return;
    switch (buttonStyle_) {
        case bsIELike:
        case bsSpBtnLike:
            bevelOuter_ = leftDown ? bvLowered : bvRaised;
            outsideCorrection_ = 0;
            repaint();
            break;
        case bsStdButton:
            if (mouseHeld_) {
                outsideCorrection_ = 0;
                repaint();
            }
            break;
        default:
            break;
    }
    if (colorChange_) setHovered(true);
}

void PictureButton::MouseLeave() {
    const bool leftDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    const QPointer<PictureButton> alive(this);
    emit mouseLeave(QGuiApplication::queryKeyboardModifiers(), pointerPos_);
    if (!alive) return;
    switch (buttonStyle_) {
        case bsIELike:
        case bsSpBtnLike:
        case bsStdButton:
            if (buttonStyle_ == bsIELike) bevelOuter_ = bvNone;
            if (buttonStyle_ == bsSpBtnLike) bevelOuter_ = leftDown ? bvRaised : bvNone;
            outsideCorrection_ = pressed_ ? -1 : 0;
            repaint();
            break;
        default:
            break;
    }
    if (colorChange_) setHovered(false);
}

// ---------------------------------------------------------------- events

bool PictureButton::event(QEvent* e) {
    if (e->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(e);
        if (shortcutId_ != 0 && se->shortcutId() == shortcutId_) {
            const QWidget* parent = parentWidget();
            if (isEnabled() && isVisible() && (!parent || parent->isVisible())) click();
            return true;
        }
    }
    return QWidget::event(e);
}

void PictureButton::enterEvent(QEnterEvent* e) {
    QWidget::enterEvent(e);
    if (!inside_) {
        inside_ = true;
        pointerPos_ = e->position().toPoint();
        MouseEnter();
    }
}

void PictureButton::leaveEvent(QEvent* e) {
    QWidget::leaveEvent(e);
    // While held, the moves decide; Qt reports the leave only after the release.
    if (inside_ && !mouseHeld_) {
        inside_ = false;
        pointerPos_ = mapFromGlobal(QCursor::pos());
        MouseLeave();
    }
}

void PictureButton::mouseMoveEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    pointerPos_ = pos;
    const bool inside = rect().contains(pos);
    if (inside != inside_) {
        inside_ = inside;
        const QPointer<PictureButton> alive(this);
        inside ? MouseEnter() : MouseLeave();
        if (!alive) return;
    }
    emit mouseMove(e->buttons(), e->modifiers(), pos);
}

void PictureButton::leftDown(QMouseEvent* e, bool countsAsClick) {
    setFocus(Qt::MouseFocusReason);
    showPressed(true);
    pressed_ = true;
    mouseHeld_ = true;
    clickPending_ = countsAsClick;
    repaint();
    emit mouseDown(Qt::LeftButton, e->modifiers(), e->position().toPoint());
}

void PictureButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        leftDown(e, true);
    else
        emit mouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click raises doubleClicked() instead of a
    // second click; otherwise it is a press like any other.
    if (e->button() == Qt::LeftButton) {
        const QPointer<PictureButton> alive(this);
        emit doubleClicked();
        if (alive) leftDown(e, false);
    } else {
        emit mouseDown(e->button(), e->modifiers(), e->position().toPoint());
    }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    pointerPos_ = pos;
    const QPointer<PictureButton> alive(this);
    const bool inside = rect().contains(pos);
    if (inside != inside_) {
        inside_ = inside;
        inside ? MouseEnter() : MouseLeave();
        if (!alive) return;
    }
    if (e->button() != Qt::LeftButton) {
        emit mouseUp(e->button(), e->modifiers(), pos);
        if (alive && e->button() == Qt::RightButton && popup_ && inside)
            popup_->popup(e->globalPosition().toPoint());
        return;
    }
    const bool clicks = mouseHeld_ && clickPending_ && inside;
    mouseHeld_ = false;
    clickPending_ = false;
    {
        // The button ends released even when the click handler throws.
        ScopeExit released([&] {
            if (alive) releasePress();
        });
        if (clicks) click();
    }
    if (alive) emit mouseUp(Qt::LeftButton, e->modifiers(), pos);
}

void PictureButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Space:
            if (!pressed_) {
                pressed_ = true;
                showPressed(true);
                repaint();
            }
            e->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            showPressed(true);
            pressed_ = true;
            repaint();
            const QPointer<PictureButton> alive(this);
            ScopeExit released([&] {
                if (!alive) return;
                showPressed(false);
                pressed_ = false;
                repaint();
            });
            e->accept();
            click();
            return;
        }
        default:
            if (pressed_) {
                pressed_ = false;
                showPressed(false);
                repaint();
            }
            QWidget::keyPressEvent(e);  // not ours: the parent may use it
    }
}

void PictureButton::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        e->accept();
        if (!pressed_) return;
        pressed_ = false;
        showPressed(false);
        repaint();
        const QPointer<PictureButton> alive(this);
        ScopeExit repainted([&] {
            if (alive) repaint();
        });
        click();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void PictureButton::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    update();
}

void PictureButton::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    update();
}

void PictureButton::contextMenuEvent(QContextMenuEvent* e) {
    e->accept();
    // A right click shows the menu on release (mouseReleaseEvent); the menu key
    // shows it below the button's centre.
    if (e->reason() != QContextMenuEvent::Mouse && popup_)
        popup_->popup(mapToGlobal(rect().center()));
}

void PictureButton::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && !isEnabled() && (mouseHeld_ || pressed_)) {
        // A disabled button gets no release: end the press now.
        mouseHeld_ = clickPending_ = false;
        releasePress();
    }
}

void PictureButton::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    // A hidden button gets no release and no leave: end both now, so it shows
    // again at rest.
    if (mouseHeld_ || pressed_) {
        mouseHeld_ = clickPending_ = false;
        showPressed(false);
        pressed_ = false;
        outsideCorrection_ = 0;
    }
    if (inside_) {
        inside_ = false;
        MouseLeave();
    }
}

// ---------------------------------------------------------------- painting

QImage PictureButton::render() const {
    const qreal dpr = devicePixelRatioF();
    const int w = width(), h = height();
    const int s = pressed_ ? 1 + outsideCorrection_ : 0;
    const QColor shadow = systemColor(QPalette::Dark);        // button shadow
    const QColor highlight = systemColor(QPalette::Light);    // button highlight
    const QColor light3D = systemColor(QPalette::Midlight);   // 3-D light
    const QColor dkShadow3D = systemColor(QPalette::Shadow);  // 3-D dark shadow
    const QColor btnFace = systemColor(QPalette::Button);     // button face

    QImage image(QSize(w, h) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    const QColor face = faceColor();
    image.fill(face);
    QPainter p(&image);

    // 1. Bevels, outer then inner.
    QRect r = rect();
    for (TBevelCut cut : {bevelOuter_, bevelInner_}) {
        if (cut == bvLowered) ring(p, r, shadow, highlight);
        if (cut == bvRaised) ring(p, r, highlight, shadow);
    }

    // 2. Face.
    p.fillRect(r, face);

    // 3. Picture.
    if (!picture_.isNull()) {
        const QSize ps = picture_.deviceIndependentSize().toSize();
        if (stretch_) {
            QImage natural(ps, QImage::Format_ARGB32_Premultiplied);
            natural.fill(controlColor());
            {
                QPainter np(&natural);
                np.drawPixmap(QRect(QPoint(0, 0), ps), picture_);
            }
            const QRect target(QPoint(2 + s, 2 + s), QPoint(w - 4 - 1, h - 4 - 1));
            if (target.isValid()) p.drawImage(target, natural);
        } else {
            const int x = pictureLeft_ == -1 ? halfToEven(w - ps.width()) : pictureLeft_;
            const int y = pictureTop_ == -1 ? halfToEven(h - ps.height()) : pictureTop_;
            p.drawPixmap(QRect(QPoint(x + s, y + s), ps), picture_);
        }
    }

    // 4. Caption, left and top aligned from its position, clipped at the edge.
    if (!caption_.isEmpty()) {
        const QFont f = font();
        const QFontMetrics fm(f);
        const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
        const int tw = fm.size(flags, caption_).width();
        const int th = fm.height();
        const int x = captionLeft_ == -1 ? (w - tw) / 2 : captionLeft_;
        const int y = captionTop_ == -1 ? (h - th) / 2 : captionTop_;
        const QRect box(QPoint(x + s, y + s), QPoint(w - 1, h - 1));
        if (box.isValid()) {
            p.save();
            p.setClipRect(box);
            p.setFont(f);
            p.setPen(fontColor());
            p.drawText(box, Qt::AlignLeft | Qt::AlignTop | flags, caption_);
            p.restore();
        }
    }

    // 5. Frame of the standard button look.
    if (buttonStyle_ == bsStdButton) {
        r = rect();
        if (s == 1) {
            ring(p, r, shadow, shadow);
            ring(p, r, btnFace, btnFace);
        } else {
            ring(p, r, light3D, dkShadow3D);
            ring(p, r, highlight, shadow);
        }
    } else {
        r = rect().adjusted(s, s, -s, -s);
    }

    // 6. Focus rectangle.
    if (focusStyle_ == bfsStdButton && hasFocus()) dottedFocusRect(p, r.adjusted(2, 2, -2, -2));
    return image;
}

void PictureButton::paintEvent(QPaintEvent*) {
    // Drawn off screen, then copied in one step so the button never flickers.
    const QImage image = render();
    QPainter p(this);
    p.drawImage(0, 0, image);
}
