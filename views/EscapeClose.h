#pragma once

// Escape closes a modal window as cancelled, whichever of its parts holds the keyboard. A
// dialog without a focusable control otherwise leaves the keys with its menu bar after a menu
// was used, and Escape then does nothing. A cell editor or an open menu still takes its own
// Escape first.

class QDialog;

namespace ui
{

void CloseOnEscape(QDialog *dialog);

} // namespace ui
