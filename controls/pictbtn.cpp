#include "controls/pictbtn.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

TPictureButton::TPictureButton(QWidget* parent) : QWidget(parent) { resize(36, 36); }
void TPictureButton::setPicture(const QPixmap& picture) { picture_ = picture; update(); }
void TPictureButton::setPopupMenu(QMenu* menu) { popup_ = menu; }
void TPictureButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.drawPixmap((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
}
void TPictureButton::mousePressEvent(QMouseEvent* e) {
    emit mouseDown(e->button(), e->modifiers(), e->position().toPoint());
}
void TPictureButton::mouseReleaseEvent(QMouseEvent* e) {
    emit mouseUp(e->button(), e->modifiers(), e->position().toPoint());
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
    if (e->button() == Qt::RightButton && popup_) popup_->popup(e->globalPosition().toPoint());
}
