#pragma once

// ColorSwatchButton: a push button whose face is filled with its Color, drawn
// entirely by itself. The windows use it as a colour swatch (no caption, the
// swatch colour as Color), but it is a general button: a caption of one or more
// lines placed at nine positions and nudged by offsets, three edge styles (a
// standard raised look, a flat look that rises under the mouse, none), hover
// tracking with its own enter and leave signals, and a dotted focus line. It
// paints into an off-screen image and copies it in one step, so it never
// flickers.
//
// It keeps everything a push button does: keyboard focus, Space clicks it, and
// so do Enter and Return; fast clicks each count; the accessible name follows
// the caption, else the caption lines, else the colour as "#RRGGBB".

#include <QColor>
#include <QPushButton>
#include <QStringList>
#include <optional>

class ColorSwatchButton : public QPushButton {
    Q_OBJECT
  public:
    enum TButtonStyle { bsStd, bsIELike, bsNone };
    Q_ENUM(TButtonStyle)
    enum TNHAlignment { haLeft, haCenter, haRight };
    Q_ENUM(TNHAlignment)
    enum TNVAlignment { vaTop, vaCenter, vaBottom };
    Q_ENUM(TNVAlignment)

    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QStringList CaptionLines READ captionLines WRITE setCaptionLines)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(TNHAlignment CapAlignH READ capAlignH WRITE setCapAlignH)
    Q_PROPERTY(TNVAlignment CapAlignV READ capAlignV WRITE setCapAlignV)
    Q_PROPERTY(TButtonStyle ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool CapFixed READ capFixed WRITE setCapFixed)
    Q_PROPERTY(bool Focusline READ focusline WRITE setFocusline)
    Q_PROPERTY(int CapOffsetH READ capOffsetH WRITE setCapOffsetH)
    Q_PROPERTY(int CapOffsetV READ capOffsetV WRITE setCapOffsetV)
    Q_PROPERTY(QColor FrameColor READ frameColor WRITE setFrameColor)
    Q_PROPERTY(QColor EdgeHighlight READ edgeHighlight WRITE setEdgeHighlight)
    Q_PROPERTY(QColor EdgeShadow READ edgeShadow WRITE setEdgeShadow)

    explicit ColorSwatchButton(QWidget* parent = nullptr);

    // --- caption: the plain caption ("&" marks the accelerator), or, while it
    // is empty, the lines of CaptionLines ---
    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    QStringList captionLines() const { return captionLines_; }
    void setCaptionLines(const QStringList& lines);
    // The text that is drawn: the caption, else the lines joined by line breaks.
    QString shownText() const;

    TNHAlignment capAlignH() const { return capAlignH_; }
    void setCapAlignH(TNHAlignment a);
    TNVAlignment capAlignV() const { return capAlignV_; }
    void setCapAlignV(TNVAlignment a);
    int capOffsetH() const { return capOffsetH_; }
    void setCapOffsetH(int pixels);
    int capOffsetV() const { return capOffsetV_; }
    void setCapOffsetV(int pixels);
    // When false, a bsStd caption sits one pixel further out towards its
    // alignment edges while the button is neither active nor focused.
    bool capFixed() const { return capFixed_; }
    void setCapFixed(bool on);

    // --- look ---
    TButtonStyle buttonStyle() const { return buttonStyle_; }
    void setButtonStyle(TButtonStyle style);
    bool focusline() const { return focusline_; }
    void setFocusline(bool on);

    // --- colours; until set they follow the palette: Color its base (window)
    // colour, FrameColor its shadow, EdgeHighlight its light and EdgeShadow its
    // dark colour ---
    QColor color() const;
    void setColor(const QColor& color);
    QColor frameColor() const;
    void setFrameColor(const QColor& color);
    QColor edgeHighlight() const;
    void setEdgeHighlight(const QColor& color);
    QColor edgeShadow() const;
    void setEdgeShadow(const QColor& color);

    // --- state, as used for painting ---
    // The mouse is over the button.
    bool isHovered() const { return hovered_; }
    // The button has the default emphasis: it has the focus or is the window's
    // default button.
    bool isActive() const { return isDefault() || hasFocus(); }

    // The finished picture of the button, as it is copied to the screen.
    QImage render() const;

  signals:
    void mouseEnter();
    void mouseLeave();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void enter();
    void updateAccessibleName();
    QColor systemColor(int role) const;

    QStringList captionLines_;
    TNHAlignment capAlignH_ = haCenter;
    TNVAlignment capAlignV_ = vaCenter;
    TButtonStyle buttonStyle_ = bsStd;
    bool capFixed_ = true;
    bool focusline_ = true;
    int capOffsetH_ = 0;
    int capOffsetV_ = 0;
    std::optional<QColor> color_, frameColor_, edgeHighlight_, edgeShadow_;
    bool hovered_ = false;
};
