#include "views/draw/TextOut.h"

#include <QFontMetrics>
#include <QPainter>

namespace ui
{

void textOut(QPainter &p, int x, int y, const QString &text, const QColor &color, const QColor &box)
{
    const QFontMetrics fm(p.font());
    p.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), box);
    p.save();
    p.setPen(color);
    p.drawText(QPoint(x, y + fm.ascent()), text);
    p.restore();
}

} // namespace ui
