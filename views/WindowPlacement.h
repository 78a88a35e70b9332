#pragma once

// Where windows appear. The settings keep the client area's corner, and a restore sets that
// same corner: a window manager adds its frame around the client after the window is shown,
// so a frame position saved and restored as a client position would creep by the title bar at
// every start. Every window with a stored or computed position is kept fully on its screen.

#include <QPoint>
#include <QRect>

class QWidget;

namespace ui
{

// The top-left corner of the client area on the desktop, as the settings store it.
QPoint StoredPosition(const QWidget *window);
// Puts the client area's top-left corner there; the frame goes around it.
void RestorePosition(QWidget *window, QPoint clientTopLeft);

// The frame rectangle moved, not resized, so it lies within area; a frame larger than the
// area keeps its top-left corner (title bar and system menu) inside.
QRect FitRect(const QRect &frame, const QRect &area);

// Keeps the window fully on the available area of the screen that shows it: whenever it is
// shown, and once more when the window manager has put its frame around it.
void KeepOnScreen(QWidget *window);

} // namespace ui
