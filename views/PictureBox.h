#pragma once

// A fixed-size picture on screen that reports where the mouse is over it.

#include <QImage>
#include <QWidget>

namespace ui
{

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    PictureBox(QWidget *parent, const QString &name, int x, int y, int w, int h);
    void setPicture(const QImage &picture); // shown from the top-left corner, no scaling

signals:
    void mouseMoved(QPoint pixel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QImage picture_;
};

} // namespace ui
