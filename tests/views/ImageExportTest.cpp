#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "util/TextFile.h"
#include "views/ImageExport.h"
#include "views/draw/ImageFiles.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage samplePicture()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 225));
    QPainter p(&image);
    p.setPen(QPen(QColor(0, 255, 0), 2));
    p.drawLine(3, 3, 30, 20);
    p.fillRect(10, 12, 5, 5, QColor(0, 0, 255));
    return image;
}

} // namespace

TEST(ImageFiles, ExtensionDecidesLetterForLetter)
{
    struct Case {
        const char *path;
        const char *extension;
        ImageFileType type;
    };
    const Case cases[] = {
        {"/tmp/bild.bmp", ".bmp", ImageFileType::Bmp},
        {"bild.png", ".png", ImageFileType::Png},
        {"bild.jpg", ".jpg", ImageFileType::Jpeg},
        {"bild.PNG", ".PNG", ImageFileType::None},
        {"bild.jpeg", ".jpeg", ImageFileType::None},
        {"bild", "", ImageFileType::None},
        {"/tmp/ordner.png/bild", "", ImageFileType::None},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ImageExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(ImageTypeForPath(c.path), c.type) << c.path;
    }
}

TEST(ImageFiles, SavedBmpAndPngReadBackPixelForPixel)
{
    TempDir dir;
    const QImage picture = samplePicture();
    const QString bmp = QString::fromStdString(dir.file("a.bmp"));
    const QString png = QString::fromStdString(dir.file("a.png"));
    SaveBitmapFile(picture, bmp);
    SavePngFile(picture, png);
    for (const QImage &back : {LoadBitmapFile(bmp), LoadPngFile(png)}) {
        ASSERT_EQ(back.size(), picture.size());
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_EQ(back.pixel(x, y) | 0xff000000u, picture.pixel(x, y) | 0xff000000u) << x << "," << y;
    }
    const QString jpg = QString::fromStdString(dir.file("a.jpg"));
    SaveJpegFile(picture, jpg);
    const QImage jpeg = LoadJpegFile(jpg);
    EXPECT_EQ(jpeg.size(), picture.size());
    EXPECT_LT(qAbs(qGreen(jpeg.pixel(12, 14)) - 0), 60); // the blue square survives the compression
}

TEST(ImageFiles, UnreadableFileNamesItself)
{
    TempDir dir;
    WriteBytes(dir.file("kaputt.png"), "kein Bild");
    try {
        LoadPngFile(QString::fromStdString(dir.file("kaputt.png")));
        FAIL() << "no error";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("kaputt.png"), std::string::npos) << e.what();
    }
}

TEST(ImageExport, SaveProcedure)
{
    ScriptedDialogs dialogs;
    TempDir dir;
    const QImage picture = samplePicture();

    // Extensions other than the three, letter for letter, are refused and nothing is written.
    for (const char *name : {"bild.PNG", "bild"}) {
        dialogs.clear();
        dialogs.fileAnswers.push_back(QString::fromStdString(dir.file(name)));
        EXPECT_FALSE(SaveViewPicture(picture, "Seitenansicht.bmp"));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Warning);
        EXPECT_EQ(dialogs.messages[0].text,
                  QString("Speichern von ") + ImageExtension(name) + "-Dateien nicht möglich.");
    }
    EXPECT_EQ(dir.entryCount(), 0);
    EXPECT_EQ(dialogs.lastProposedPath, "Seitenansicht.bmp");
    EXPECT_EQ(dialogs.lastFilter, kImageSaveFilter);
    EXPECT_EQ(dialogs.lastDefaultSuffix, "bmp");

    // Cancelled: nothing happens.
    dialogs.clear();
    dialogs.fileAnswers.push_back("");
    EXPECT_FALSE(SaveViewPicture(picture, "Diagramm.bmp"));
    EXPECT_TRUE(dialogs.messages.empty());

    // A failed write keeps the earlier file and says so.
    const std::string target = dir.file("alt.png");
    WriteBytes(target, "vorher");
    dialogs.fileAnswers.push_back(QString::fromStdString(target));
    {
        WriteLimit limit(16);
        EXPECT_FALSE(SaveViewPicture(picture, "Diagramm.bmp"));
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_TRUE(dialogs.messages[0].text.contains("alt.png"));
    EXPECT_EQ(ReadFileBytes(target), "vorher");
    EXPECT_EQ(dialogs.unexpected, 0);

    CopyViewPicture(picture);
    EXPECT_EQ(dialogs.clipboardImage, picture);
}
