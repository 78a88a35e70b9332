#pragma once

// Text placed by its top-left corner on an opaque box, as the pictures label their elements.

#include <QColor>
#include <QString>

class QPainter;

namespace ui
{

void textOut(QPainter &p, int x, int y, const QString &text, const QColor &color, const QColor &box);

} // namespace ui
