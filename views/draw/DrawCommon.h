#pragma once

// What every picture shares: the program's fonts and its pixel rounding. "MS Sans Serif" and
// "Arial" are drawn with Liberation Sans, "Courier New" with Liberation Mono, at the pixel sizes
// the windows use.

#include <QFont>

namespace ui {

QFont windowFont(int pixelSize = 11, bool bold = false); // "MS Sans Serif" -> Liberation Sans
QFont arialFont(int pixelSize = 11);
QFont courierFont(int pixelSize = 11);                    // "Courier New" -> Liberation Mono

// Pixel positions beyond this are far outside any picture; a huge zoom must not overflow int.
constexpr double kPixelLimit = 1.0e6;

// Nearest integer, halves to even; NaN gives 0, values beyond int are clamped.
int RoundPixel(double x);
// The same for a position that later takes part in int arithmetic: held within kPixelLimit first.
int ClampedPixel(double x);

} // namespace ui
