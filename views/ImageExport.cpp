#include "views/ImageExport.h"

#include "util/TextFile.h"
#include "views/DialogService.h"
#include "views/draw/ImageFiles.h"

bool SaveViewPicture(const QImage &picture, const QString &proposedName)
{
    const QString path = Dialogs().saveFileName("Speichern unter", proposedName, kImageSaveFilter,
                                                "Bitmaps (*.bmp)", "bmp");
    if (path.isEmpty())
        return false;
    const ImageFileType type = ImageTypeForPath(path);
    if (type == ImageFileType::None) {
        Dialogs().message(MessageKind::Warning,
                          "Speichern von " + ImageExtension(path) + "-Dateien nicht möglich.");
        return false;
    }
    try {
        return SaveImageFile(picture, path, type);
    } catch (const FileError &e) {
        Dialogs().message(MessageKind::Error, QString::fromStdString(e.what()));
    }
    return false;
}

void CopyViewPicture(const QImage &picture) { Dialogs().setClipboardImage(picture); }
