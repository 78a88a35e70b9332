#pragma once

// The save procedure and the clipboard copy that the picture windows share.

#include <QImage>
#include <QString>

// Filter of every picture save dialog; the first entry is preselected.
inline constexpr const char *kImageSaveFilter =
    "Bitmaps (*.bmp);;WebBild (*.png);;JPG-Grafik (*.jpg);;Alle Dateien (*)";

// Asks for a file name (proposedName preset), then writes the picture in the type its extension
// names. An unsupported extension is refused with a warning; a failed write shows an error and
// leaves any earlier file untouched. True when a file was written.
bool SaveViewPicture(const QImage &picture, const QString &proposedName);
void CopyViewPicture(const QImage &picture);
