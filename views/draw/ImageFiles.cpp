#include "views/draw/ImageFiles.h"

#include "util/TextFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {

QImage load(const QString &path, const char *format)
{
    // The bytes through the one file reader, so a missing or locked file has its German reason.
    QByteArray bytes = QByteArray::fromStdString(ReadFileBytes(path.toStdString()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull())
        throw FileError("Die Bilddatei \"" + path.toStdString() + "\" konnte nicht gelesen werden (kein lesbares "
                        + QByteArray(format).toUpper().toStdString() + "-Bild).");
    return image;
}

void save(const QImage &picture, const QString &path, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    // JPEG and BMP hold no transparency: flatten onto white as the views show it.
    QImage image = picture;
    if (qstrcmp(format, "png") != 0 && image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    if (!writer.write(image))
        throw FileError("Die Bilddatei \"" + path.toStdString() + "\" konnte nicht erzeugt werden (das Bild "
                        "ließ sich nicht umwandeln).");
    WriteFileAtomic(path.toStdString(), bytes.toStdString());
}

} // namespace

QString ImageExtension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

ImageFileType ImageTypeForPath(const QString &path)
{
    const QString ext = ImageExtension(path);
    if (ext == ".bmp")
        return ImageFileType::Bmp;
    if (ext == ".png")
        return ImageFileType::Png;
    if (ext == ".jpg")
        return ImageFileType::Jpeg;
    return ImageFileType::None;
}

QImage LoadBitmapFile(const QString &path) { return load(path, "bmp"); }
QImage LoadPngFile(const QString &path) { return load(path, "png"); }
QImage LoadJpegFile(const QString &path) { return load(path, "jpg"); }

void SaveBitmapFile(const QImage &picture, const QString &path) { save(picture, path, "bmp"); }
void SavePngFile(const QImage &picture, const QString &path) { save(picture, path, "png"); }
void SaveJpegFile(const QImage &picture, const QString &path) { save(picture, path, "jpg"); }

bool SaveImageFile(const QImage &picture, const QString &path, ImageFileType type)
{
    switch (type) {
    case ImageFileType::Bmp:
        SaveBitmapFile(picture, path);
        return true;
    case ImageFileType::Png:
        SavePngFile(picture, path);
        return true;
    case ImageFileType::Jpeg:
        SaveJpegFile(picture, path);
        return true;
    case ImageFileType::None:
        break;
    }
    return false;
}
