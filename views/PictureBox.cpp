#include "views/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui
{

PictureBox::PictureBox(QWidget *parent, const QString &name, int x, int y, int w, int h) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(x, y, w, h);
    setMouseTracking(true);
}

void PictureBox::setPicture(const QImage &picture)
{
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->position().toPoint());
}

} // namespace ui
