#pragma once

// Temporary minimal picture button; replaced by the full control.
#include <QPixmap>
#include <QWidget>

class QMenu;

class TPictureButton : public QWidget {
    Q_OBJECT
public:
    explicit TPictureButton(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    void setPopupMenu(QMenu* menu);
    void setHint(const QString& hint) { setToolTip(hint); }
    QString hint() const { return toolTip(); }

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseEnter(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseLeave(Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    QPixmap picture_;
    QMenu* popup_ = nullptr;
};
