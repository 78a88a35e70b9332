#include "views/draw/DrawCommon.h"

namespace ui {

QFont windowFont(int pixelSize, bool bold)
{
    QFont f("Liberation Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QFont arialFont(int pixelSize) { return windowFont(pixelSize); }

QFont courierFont(int pixelSize)
{
    QFont f("Liberation Mono");
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixelSize);
    return f;
}

} // namespace ui
