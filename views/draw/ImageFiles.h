#pragma once

// Picture files of the views: BMP, PNG and JPEG through Qt's image I/O (libpng and libjpeg on
// Debian). The type is chosen by the extension alone, compared letter for letter: ".bmp",
// ".png", ".jpg". Writing goes through a temporary file, so a failed save keeps the old file.

#include <QImage>
#include <QString>

enum class ImageFileType { None, Bmp, Png, Jpeg };

// The extension with its dot ("bild.PNG" -> ".PNG"), empty when the name has none.
QString ImageExtension(const QString &path);
ImageFileType ImageTypeForPath(const QString &path);

// Each throws FileError (util/TextFile.h) with a German message naming the file.
QImage LoadBitmapFile(const QString &path);
QImage LoadPngFile(const QString &path);
QImage LoadJpegFile(const QString &path);
void SaveBitmapFile(const QImage &picture, const QString &path);
void SavePngFile(const QImage &picture, const QString &path);
void SaveJpegFile(const QImage &picture, const QString &path);
// Saves in the given type; ImageFileType::None writes nothing and returns false.
bool SaveImageFile(const QImage &picture, const QString &path, ImageFileType type);
