#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "views/Koordinaten.h"
#include "views/TwoDimDataU.h"
#include "views/draw/ImageFiles.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace
{

using Mode = TFormDraufsicht::ClickMode;

class SitePlanWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SitePlanStart start;
        start.today = QDate(2024, 3, 9);
        start.screenWidth = 1024;
        start.pictureDir = QString::fromStdString(dir.path());
        form = std::make_unique<TFormDraufsicht>(start);
    }

    template <typename T = QWidget> T *find(const char *name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char *name) const { return find<QLineEdit>(name)->text(); }
    QString status(const char *name) const { return find<QLabel>(name)->text(); }
    void click(const char *name) { QTest::mouseClick(find(name), Qt::LeftButton); }
    void trigger(const char *name) { find<QAction>(name)->trigger(); }
    void clickImage(QPoint p) { QTest::mouseClick(find("Image"), Qt::LeftButton, {}, p); }
    void moveTo(QPoint p)
    {
        QWidget *image = find("Image");
        QMouseEvent move(QEvent::MouseMove, p, image->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(image, &move);
    }
    QString path(const char *name) const { return QString::fromStdString(dir.file(name)); }

    // Origin (100, 200), scale points (100, 200) and (200, 200) at 10 m.
    void calibrate()
    {
        click("PaUrsprung");
        clickImage(QPoint(100, 200));
        click("PaMassstab");
        clickImage(QPoint(100, 200));
        dialogs.inputAnswers.push_back("10");
        clickImage(QPoint(200, 200));
    }
    // Starts antenna 1, clicks its points, finishes it with the given distance answer.
    void traceAntenna(const char *panel, std::initializer_list<QPoint> points, std::optional<QString> distance)
    {
        click(panel);
        for (QPoint p : points)
            clickImage(p);
        dialogs.inputAnswers.push_back(distance);
        click(panel);
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFormDraufsicht> form;
};

} // namespace

TEST_F(SitePlanWindow, CalibrationReadoutAndSafetyRadius)
{
    EXPECT_EQ(form->surface().size(), QSize(575, 407));
    EXPECT_EQ(form->surface().pixel(300, 200), qRgb(255, 255, 255)); // no picture yet
    EXPECT_EQ(text("EditCall"), "DL1ABC, 09.03.24");

    moveTo(QPoint(150, 150));
    EXPECT_EQ(text("EditValX"), "---");

    click("PaUrsprung");
    EXPECT_EQ(status("PaCUrsprung"), "bearb.");
    clickImage(QPoint(100, 200));
    EXPECT_EQ(status("PaCUrsprung"), "ok");
    EXPECT_TRUE(find<QAction>("MIUrsprung")->isChecked());

    // A length that is no number, or none above 0, keeps asking for the second scale point.
    click("PaMassstab");
    clickImage(QPoint(100, 200));
    for (std::optional<QString> answer : {std::optional<QString>("zehn"), std::optional<QString>("0"),
                                          std::optional<QString>(), std::optional<QString>("10")}) {
        EXPECT_EQ(form->clickMode(), Mode::ScalePoint2);
        dialogs.inputAnswers.push_back(answer);
        clickImage(QPoint(200, 200));
    }
    EXPECT_EQ(form->clickMode(), Mode::Idle);
    EXPECT_EQ(dialogs.inputTitles, QStringList({"Länge", "Länge", "Länge", "Länge"}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(status("PaCMassstab"), "ok");
    EXPECT_EQ(find<QPlainTextEdit>("MCal")->toPlainText(),
              "Origin pixX: 100 pixY: 200\nDist1  pixX: 100 pixY: 200\nDist2  pixX: 200 pixY: 200\nDist 10,0 m");

    moveTo(QPoint(150, 150));
    EXPECT_EQ(text("EditX"), "150");
    EXPECT_EQ(text("EditY"), "150");
    EXPECT_EQ(text("EditValX"), "5,0");
    EXPECT_EQ(text("EditValY"), "5,0");
    EXPECT_EQ(text("EditValR"), "7,1");
    EXPECT_EQ(text("EditValD"), "7,1"); // from the last click at (200, 200)

    traceAntenna("PaAnt1", {QPoint(300, 200)}, "5");
    EXPECT_EQ(form->plan().antenna[0].radius, 50);
    EXPECT_EQ(text("EditAnt1"), "5,00 m");
    EXPECT_EQ(status("PaCAnt1"), "ok");
    // One point: one hatched disc of 50 pixels around it on the surface.
    const QImage &s = form->surface();
    int red = 0, white = 0;
    for (int x = 300 + 40; x < 300 + 48; ++x)
        for (int y = 196; y < 204; ++y) {
            red += s.pixel(x, y) == qRgb(255, 0, 0);
            white += s.pixel(x, y) == qRgb(255, 255, 255);
        }
    EXPECT_GT(red, 3);
    EXPECT_GT(white, 20);
    EXPECT_EQ(s.pixel(300 + 56, 200), qRgb(255, 255, 255));

    // Clicking the distance re-asks it and recomputes the radius; a non-number changes nothing.
    dialogs.inputAnswers.push_back("2,5");
    click("EditAnt1");
    EXPECT_EQ(form->plan().antenna[0].radius, 25);
    dialogs.inputAnswers.push_back("fünf");
    click("EditAnt1");
    EXPECT_EQ(text("EditAnt1"), "2,50 m");

    // Recalibrating deletes both antennas: no radius survives from the old scale.
    traceAntenna("PaAnt2", {QPoint(50, 50), QPoint(80, 60)}, "3");
    click("PaMassstab");
    for (int a = 0; a < 2; ++a) {
        EXPECT_TRUE(form->plan().antenna[a].line.points.isEmpty()) << a;
        EXPECT_FALSE(form->plan().antenna[a].radius) << a;
    }
    EXPECT_EQ(text("EditAnt1"), "");
    EXPECT_EQ(status("PaCAnt2"), "");
    moveTo(QPoint(150, 150));
    EXPECT_EQ(text("EditValX"), "---");
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SitePlanWindow, ObjectsTitleAndCoordinatesWindow)
{
    calibrate();
    click("PaKontBer");
    for (QPoint p : {QPoint(100, 100), QPoint(250, 100), QPoint(250, 250)})
        clickImage(p);
    EXPECT_EQ(find<QPlainTextEdit>("MD")->toPlainText(), " 0: (100,100)\n 1: (250,100)\n 2: (250,250)");
    click("PaKontBer");
    EXPECT_EQ(status("PaCKontBer"), "ok");
    EXPECT_EQ(form->plan().area.points.size(), 3); // closes itself, no repeated first point

    // Cancelling the distance leaves the antenna finished, its status "bearb." and no radius.
    traceAntenna("PaAnt1", {QPoint(300, 300), QPoint(350, 300)}, std::nullopt);
    EXPECT_EQ(status("PaCAnt1"), "bearb.");
    EXPECT_FALSE(form->plan().antenna[0].radius);
    clickImage(QPoint(10, 10));
    EXPECT_EQ(form->plan().antenna[0].line.points.size(), 2);

    trigger("Koordinatenfenster1");
    const QStringList lines = form->coordinatesWindow()->text().split('\n');
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[3], "Kont.Bereich 0 ... (   0,0|  10,0)  Pixel(100|100)");
    EXPECT_EQ(lines[6], "Antenne 1 Pkt1 ... (  20,0| -10,0)  Pixel(300|300)");
    EXPECT_EQ(lines[7], "Antenne 1 Pkt2 ... (  25,0| -10,0)  Pixel(350|300)");
    EXPECT_TRUE(form->coordinatesWindow()->isVisible());
    EXPECT_EQ(form->coordinatesWindow()->windowTitle(), "Koordinaten");

    // Title: edit its text, arm the placement by a click, place it.
    dialogs.inputAnswers.push_back("DK0XX, Lageplan");
    click("ButEditCall");
    click("EditCall");
    EXPECT_EQ(form->clickMode(), Mode::PlaceTitle);
    clickImage(QPoint(20, 20));
    EXPECT_EQ(form->plan().title, "DK0XX, Lageplan");
    EXPECT_EQ(form->plan().titlePos, QPoint(20, 20));
    EXPECT_TRUE(find<QAction>("MICall")->isChecked());
    int black = 0;
    for (int x = 20; x < 120; ++x)
        for (int y = 20; y < 45; ++y)
            black += form->surface().pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(black, 30);

    // A colour chosen for the area goes into the drawing and its swatch.
    dialogs.colorAnswers.push_back(QColor(255, 128, 0));
    click("PaKontBerCol");
    EXPECT_EQ(form->plan().areaColor, QColor(255, 128, 0));
    EXPECT_EQ(find<QLabel>("PaKontBerCol")->palette().color(QPalette::Window), QColor(255, 128, 0));

    trigger("Antennenlschen1");
    EXPECT_TRUE(form->plan().antenna[0].line.points.isEmpty());
    EXPECT_EQ(status("PaCAnt1"), "");
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SitePlanWindow, BackgroundsByExtension)
{
    QImage photo(200, 100, QImage::Format_RGB32);
    photo.fill(QColor(0, 0, 255));
    SavePngFile(photo, path("karte.png"));
    SaveBitmapFile(photo, path("karte.bmp"));
    WriteBytes(dir.file("karte.svg"), "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='80'>"
                                      "<rect width='40' height='80' fill='#00ff00'/></svg>");
    WriteBytes(dir.file("kaputt.jpg"), "kein Bild");

    struct Case {
        const char *file;
        const char *message; // empty: loaded
        QSize size;          // of the background afterwards
        QRgb corner;         // surface pixel at the bottom right
    };
    const Case cases[] = {
        {"karte.PNG", "Öffnen von .PNG-Dateien nicht möglich.", QSize(), qRgb(255, 255, 255)},
        {"plan.wmf", "Öffnen von .wmf-Dateien nicht möglich.", QSize(), qRgb(255, 255, 255)},
        {"plan", "Öffnen von -Dateien nicht möglich.", QSize(), qRgb(255, 255, 255)},
        {"kaputt.jpg", "kaputt.jpg", QSize(), qRgb(255, 255, 255)},
        {"karte.png", "", QSize(200, 100), qRgb(0, 0, 255)},
        {"karte.svg", "", QSize(40, 80), qRgb(0, 255, 0)},
        {"karte.bmp", "", QSize(200, 100), qRgb(0, 0, 255)},
        {"karte.PNG", "Öffnen von .PNG-Dateien nicht möglich.", QSize(200, 100), qRgb(0, 0, 255)},
    };
    for (const Case &c : cases) {
        dialogs.clear();
        dialogs.fileAnswers.push_back(path(c.file));
        trigger("MILoadPicture");
        if (*c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.file;
            EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8(c.message)))
                << dialogs.messages[0].text.toStdString();
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.file;
        }
        EXPECT_EQ(form->plan().background.size, c.size) << c.file;
        EXPECT_EQ(form->surface().pixel(574, 406), c.corner) << c.file;
    }

    // Saved under the proposed name and read back, the file holds the surface; a copy too.
    dialogs.clear();
    dialogs.fileAnswers.push_back(path("plan.png"));
    trigger("MISave");
    EXPECT_EQ(dialogs.lastProposedPath, "Seitenansicht.bmp");
    EXPECT_EQ(LoadPngFile(path("plan.png")).convertToFormat(QImage::Format_RGB32), form->surface());
    trigger("MICopy");
    EXPECT_EQ(dialogs.clipboardImage, form->surface());
    EXPECT_EQ(dialogs.unexpected, 0);
}
