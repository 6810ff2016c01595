#pragma once

// PictureButton: a panel-like button that shows a picture and/or a caption on a
// coloured face. It has eight looks (ButtonStyle), a hover colour, a pressed look
// that shifts picture and caption by one pixel, keyboard operation (Space, Enter,
// the caption's "&" accelerator) and three focus looks.
//
// The toolbar of the main window is made of these (47 x 30, bsStdButton,
// bfsNone); the preferences and decoration windows use a disabled bsLowered one
// as a font and colour sample.
//
// Size: a new button is 36 x 36. sizeHint() reports that size; give the button
// its real size with resize() or setFixedSize().

#include <QColor>
#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <optional>

class PictureButton : public QWidget {
    Q_OBJECT
  public:
    enum TButtonStyle {
        bsNone,
        bsLowered,
        bsRaised,
        bsFrame,
        bsGroove,
        bsIELike,
        bsSpBtnLike,
        bsStdButton
    };
    Q_ENUM(TButtonStyle)
    enum TFocusStyle { bfsNone, bfsStdButton, bfsInColor };
    Q_ENUM(TFocusStyle)
    // One bevel ring of the panel, one pixel wide.
    enum TBevelCut { bvNone, bvLowered, bvRaised };
    Q_ENUM(TBevelCut)

    Q_PROPERTY(TButtonStyle ButtonStyle READ buttonStyle WRITE setButtonStyle)
    Q_PROPERTY(bool ColorChange READ colorChange WRITE setColorChange)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TFocusStyle FocusStyle READ focusStyle WRITE setFocusStyle)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(QColor InColor READ inColor WRITE setInColor)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(int PictureLeft READ pictureLeft WRITE setPictureLeft)
    Q_PROPERTY(int PictureTop READ pictureTop WRITE setPictureTop)
    Q_PROPERTY(int CaptionLeft READ captionLeft WRITE setCaptionLeft)
    Q_PROPERTY(int CaptionTop READ captionTop WRITE setCaptionTop)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(TBevelCut BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(TBevelCut BevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(bool TabStop READ tabStop WRITE setTabStop)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)

    explicit PictureButton(QWidget* parent = nullptr);
    ~PictureButton() override;

    QSize sizeHint() const override { return {36, 36}; }

    // --- look ---
    TButtonStyle buttonStyle() const { return buttonStyle_; }
    // Also puts the bevels into the style's resting state.
    void setButtonStyle(TButtonStyle style);
    bool colorChange() const { return colorChange_; }
    void setColorChange(bool on);
    TFocusStyle focusStyle() const { return focusStyle_; }
    void setFocusStyle(TFocusStyle style);
    TBevelCut bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(TBevelCut cut);
    TBevelCut bevelInner() const { return bevelInner_; }
    void setBevelInner(TBevelCut cut);

    // --- caption; an "&" marks the accelerator letter ("&&" is a plain "&") ---
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    int captionLeft() const { return captionLeft_; }  // -1 centres
    void setCaptionLeft(int x);
    int captionTop() const { return captionTop_; }  // -1 centres
    void setCaptionTop(int y);

    // --- picture; drawn with its own alpha channel ---
    QPixmap picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    int pictureLeft() const { return pictureLeft_; }  // -1 centres
    void setPictureLeft(int x);
    int pictureTop() const { return pictureTop_; }  // -1 centres
    void setPictureTop(int y);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);

    // --- colours. Until set, Color follows the palette's button colour and
    // InColor its midlight colour; the caption is drawn in FontColor, which
    // until set follows the palette's button text colour. ---
    QColor color() const;
    void setColor(const QColor& color);
    QColor inColor() const;
    void setInColor(const QColor& color);
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    // --- behaviour ---
    // A tab stop takes the focus with Tab; a button that is not one still
    // takes it when pressed with the mouse.
    bool tabStop() const { return focusPolicy() != Qt::NoFocus; }
    void setTabStop(bool on);
    // Shown on right click (released over the button) or with the menu key.
    void setPopupMenu(QMenu* menu);
    QMenu* popupMenu() const { return popup_; }
    // The hint is shown as the tooltip; CR LF in it is a line break.
    void setHint(const QString& hint);
    QString hint() const { return hint_; }

    // --- state, as used for painting ---
    // Held down by the left mouse button, Space or Enter.
    bool isPressed() const { return pressed_; }
    // -1 while a held button has the pointer outside it, else 0.
    int outsideCorrection() const { return outsideCorrection_; }
    // Shift of picture and caption: 1 only while held with the pointer inside.
    int shift() const { return (pressed_ ? 1 : 0) + outsideCorrection_; }
    // The colour the face is filled with now.
    QColor faceColor() const;
    // The colour the face has when not held: Color, or InColor while hovered.
    QColor controlColor() const;

  public slots:
    // Releases the button and raises clicked().
    void click();

  signals:
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseEnter(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseLeave(Qt::KeyboardModifiers modifiers, QPoint pos);

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void changeEvent(QEvent* e) override;
    void hideEvent(QHideEvent* e) override;

    // Run when the pointer enters or leaves the button (also while it is held);
    // they raise mouseEnter() / mouseLeave(), then adjust the look.
    virtual void MouseEnter();
    virtual void MouseLeave();

  private:
    void leftDown(QMouseEvent* e, bool countsAsClick);
    void showPressed(bool down);
    void releasePress();
    void updateShortcut();
    void setHovered(bool hovered);
    QColor systemColor(int role) const;
    QImage render() const;

    TButtonStyle buttonStyle_ = bsStdButton;
    TFocusStyle focusStyle_ = bfsStdButton;
    TBevelCut bevelOuter_ = bvNone;
    TBevelCut bevelInner_ = bvNone;
    bool colorChange_ = true;
    bool stretch_ = false;
    QString caption_;
    QString hint_;
    QPixmap picture_;
    int pictureLeft_ = -1, pictureTop_ = -1;
    int captionLeft_ = -1, captionTop_ = -1;
    std::optional<QColor> color_, inColor_, fontColor_;
    QPointer<QMenu> popup_;
    int shortcutId_ = 0;

    bool pressed_ = false;
    int outsideCorrection_ = 0;
    bool hovered_ = false;       // the painted control colour is InColor
    bool inside_ = false;        // the pointer is over the button
    QPoint pointerPos_;          // last known pointer position, client coordinates
    bool mouseHeld_ = false;     // the left button went down on us and is not up yet
    bool clickPending_ = false;  // that press ends in a click when released inside
};
