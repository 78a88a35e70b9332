#pragma once

// What every picture shares: the program's fonts. "MS Sans Serif" and "Arial" are drawn with
// Liberation Sans, "Courier New" with Liberation Mono, at the pixel sizes the windows use.

#include <QFont>

namespace ui {

QFont windowFont(int pixelSize = 11, bool bold = false); // "MS Sans Serif" -> Liberation Sans
QFont arialFont(int pixelSize = 11);
QFont courierFont(int pixelSize = 11);                    // "Courier New" -> Liberation Mono

} // namespace ui
