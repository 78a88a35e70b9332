#include "views/SiteWindow.h"
#include "FileTestSupport.h"
#include "PdfTools.h"
#include "ScriptedDialogs.h"
#include "ShippedStation.h"
#include "util/TextFile.h"
#include "views/draw/SiteExport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <filesystem>

namespace
{

const std::string kFixtures = FELDORA_TEST_DATA "/site/";
const StationModel &started() { return ShippedStation(); }

// A picture with a red dot (the origin to click) and two blue dots 100 pixels apart.
QImage mapPicture()
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor(230, 230, 210));
    QPainter p(&image);
    p.fillRect(QRect(146, 96, 9, 9), Qt::red);   // centre (150,5 100,5)
    p.fillRect(QRect(46, 176, 9, 9), Qt::blue);  // centre (50,5 180,5)
    p.fillRect(QRect(146, 176, 9, 9), Qt::blue); // centre (150,5 180,5)
    return image;
}

// Where a colour covers the image, averaged: the dots as the window shows them.
std::vector<QPointF> spots(const QImage &image, QRgb color)
{
    std::vector<std::pair<QPointF, int>> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != color)
                continue;
            auto near = std::find_if(found.begin(), found.end(), [&](const auto &f) {
                const QPointF c = f.first / f.second;
                return std::abs(c.x() - x) < 30 && std::abs(c.y() - y) < 30;
            });
            if (near == found.end())
                found.push_back({QPointF(x + 0.5, y + 0.5), 1});
            else
                near->first += QPointF(x + 0.5, y + 0.5), ++near->second;
        }
    std::vector<QPointF> out;
    for (const auto &[sum, n] : found)
        out.push_back(sum / n);
    std::sort(out.begin(), out.end(), [](QPointF a, QPointF b) { return a.x() < b.x(); });
    return out;
}

class SiteWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const auto &entry : std::filesystem::directory_iterator(kFixtures))
            std::filesystem::copy_file(entry.path(), dir.file(entry.path().filename().string()));
        station = started();
        ASSERT_TRUE(station.Oeffnen(kFixtures + "Vertikal 2m.txt"));
    }
    void TearDown() override
    {
        if (form) {
            form->setAttribute(Qt::WA_DeleteOnClose, false);
            delete form.data();
        }
        EXPECT_EQ(dialogs.unexpected, 0);
    }

    void open(const QString &last = {})
    {
        SiteWindowInput input;
        input.base = started();
        input.currentStation = [this] { return station; };
        input.lastSite = last;
        input.remember = [this](const QString &path) { remembered = path; };
        input.startFolder = path("");
        input.writeDocuments = writeDocuments;
        input.paintDocuments = paintDocuments;
        form = new TFormStandort(std::move(input));
        form->resize(1320, 860);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    void openGarden() { open(path("Garten.standort")); }

    template <typename T = QWidget> T *find(const char *name) const
    {
        T *w = form->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void trigger(const char *name) { find<QAction>(name)->trigger(); }
    QString path(const std::string &name) const { return QString::fromStdString(dir.file(name)); }
    QPointF device(site::Point m) const { return form->drawn().metresToDevice.map(QPointF(m.x, m.y)); }

    void mouse(QEvent::Type type, QPointF at, Qt::MouseButtons buttons)
    {
        QWidget *plan = find("Plan");
        QMouseEvent e(type, at, plan->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(plan, &e);
    }
    void click(QPointF at)
    {
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    void editCell(const char *table, int row, int column, const QString &text)
    {
        find<QTableWidget>(table)->item(row, column)->setText(text);
    }
    const SiteAntennaResult &antenna(size_t i) const { return form->result().antennas.at(i); }

    TempDir dir;
    ScriptedDialogs dialogs;
    StationModel station;
    QPointer<TFormStandort> form;
    QString remembered;
    std::function<void(const QString &, const SitePictureInput &, bool)> writeDocuments;
    std::function<void(QPrinter &, const SitePictureInput &, bool)> paintDocuments;
};

} // namespace

TEST_F(SiteWindow, OpensTheLastSiteAndComputesIt)
{
    openGarden();
    EXPECT_EQ(form->windowTitle(), "Standort – Garten.standort[*]");
    EXPECT_TRUE(form->calculationError().isEmpty()) << form->calculationError().toStdString();
    ASSERT_EQ(form->result().antennas.size(), 3u);
    EXPECT_EQ(form->result().groups.size(), 1u);
    EXPECT_FALSE(form->modified());
    EXPECT_EQ(remembered, path("Garten.standort"));
    // Paths are absolute inside the window, relative in the file.
    EXPECT_EQ(form->site().antennas[0].configuration, dir.file("Beam 20m.txt"));
    // The plan is drawn and the antenna's point is where the transform puts it.
    const QPointF a = device({12.5, 9});
    EXPECT_TRUE(QRectF(form->planImage().rect()).contains(a));
    EXPECT_EQ(find<QTableWidget>("TabErgebnis")->rowCount(), 3);
}

TEST_F(SiteWindow, EditsRecomputeAndUndoRestoresTheFigures)
{
    openGarden();
    QUndoStack *undo = form->findChild<QUndoStack *>();
    ASSERT_NE(undo, nullptr);
    const double margin = antenna(0).margin, distance = antenna(0).safetyDistance;

    // A point of the area by a click: it goes into the nearest edge, the bottom one.
    find<QAction>("ToolBereich")->trigger();
    click(device({10, -4}));
    ASSERT_EQ(form->site().area.size(), 5u);
    EXPECT_EQ(form->site().area[1], (site::Point{10, -4}));
    // Taken and deleted with Entf, then back through the undo.
    find<QAction>("ToolAuswahl")->trigger();
    click(device({25, 18}));
    QTest::keyClick(find("Plan"), Qt::Key_Delete);
    EXPECT_EQ(form->site().area.size(), 4u);
    trigger("MIRueckgaengig");
    ASSERT_EQ(form->site().area.size(), 5u);
    EXPECT_TRUE(form->modified());
    EXPECT_EQ(form->windowTitle(), "Standort – Garten.standort[*]");

    // The beam dragged 5 m to the right, one undo step.
    find<QAction>("ToolAuswahl")->trigger();
    const int steps = undo->index();
    // The view holds still while the point moves, so the point stays under the mouse.
    const QTransform view = form->drawn().metresToDevice;
    const QPointF from = device({12.5, 9}), to = device({17.5, 9});
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int i = 1; i <= 4; ++i) {
        mouse(QEvent::MouseMove, from + (to - from) * i / 4, Qt::LeftButton);
        EXPECT_EQ(form->drawn().metresToDevice, view);
    }
    mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    EXPECT_EQ(undo->index(), steps + 1);
    const site::Point moved = form->site().antennas[0].points[0];
    EXPECT_NEAR(moved.x, 17.5, 0.006);
    EXPECT_NEAR(moved.y, 9, 0.006);
    EXPECT_NEAR(antenna(0).boundaryDistance, 7.5, 0.1); // the right fence, no longer the long ones
    EXPECT_NEAR(antenna(0).margin, margin - 1.5, 0.1);

    // A band's PEP typed into the table: 750 W to 100 W on 20 m shrinks the zone.
    ASSERT_EQ(form->selectedAntenna(), 0);
    auto *bands = find<QTableWidget>("TabBaender");
    ASSERT_EQ(bands->rowCount(), 3);
    EXPECT_EQ(bands->item(0, 0)->text(), "20m");
    for (int row = 0; row < 3; ++row)
        editCell("TabBaender", row, 1, "100");
    ASSERT_EQ(form->site().antennas[0].bands->at(0).pep, 100);
    EXPECT_LT(antenna(0).safetyDistance, distance);

    // A refused entry changes nothing and says why.
    const int before = undo->count();
    editCell("TabBaender", 0, 1, "viel");
    EXPECT_EQ(undo->count(), before);
    EXPECT_EQ(bands->item(0, 1)->text(), "100");
    EXPECT_FALSE(dialogs.messages.empty());
    dialogs.clear();

    // Undo, step by step, back to the file's figures; redo forward again.
    while (undo->canUndo())
        trigger("MIRueckgaengig");
    EXPECT_EQ(form->site().area.size(), 4u);
    EXPECT_EQ(form->site().antennas[0].points[0], (site::Point{12.5, 9}));
    EXPECT_DOUBLE_EQ(antenna(0).margin, margin);
    EXPECT_DOUBLE_EQ(antenna(0).safetyDistance, distance);
    EXPECT_FALSE(form->modified());
    while (undo->canRedo())
        trigger("MIWiederherstellen");
    EXPECT_EQ(form->site().area.size(), 5u);
    EXPECT_EQ(form->site().antennas[0].points[0], moved);
    EXPECT_LT(antenna(0).safetyDistance, distance);

    // Ctrl+Z and Ctrl+Y are the keys.
    EXPECT_EQ(find<QAction>("MIRueckgaengig")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(find<QAction>("MIWiederherstellen")->shortcut(), QKeySequence("Ctrl+Y"));
}

TEST_F(SiteWindow, AntennasAddedRenamedRemovedAndTheStationTakenOver)
{
    openGarden();
    // Rename: refused for a name in use, taken otherwise.
    dialogs.inputAnswers = {QString("b"), QString("Beam")};
    find<QPushButton>("ButAntenneUmbenennen")->click();
    EXPECT_EQ(form->site().antennas[0].name, "A");
    EXPECT_EQ(dialogs.lastMessage(), "Eine Antenne „b“ gibt es schon.");
    find<QPushButton>("ButAntenneUmbenennen")->click();
    EXPECT_EQ(form->site().antennas[0].name, "Beam");

    // The main window's station, saved next to the site and added in the middle of the area.
    dialogs.fileAnswers = {path("Konfiguration 2m.txt")};
    find<QPushButton>("ButKonfigUebernehmen")->click();
    EXPECT_EQ(dialogs.lastProposedPath, path("Konfiguration 2m.txt"));
    ASSERT_EQ(form->site().antennas.size(), 4u);
    EXPECT_EQ(form->site().antennas[3].name, "A"); // the first letter free
    EXPECT_EQ(form->site().antennas[3].points, (std::vector<site::Point>{{12.5, 9}}));
    EXPECT_TRUE(FileExists(dir.file("Konfiguration 2m.txt")));
    EXPECT_TRUE(form->calculationError().isEmpty()) << form->calculationError().toStdString();
    EXPECT_EQ(form->result().antennas.size(), 4u);

    // A configuration chosen by its file; one that cannot be opened is refused.
    WriteBytes(dir.file("kaputt.txt"), "keine Konfiguration\n");
    dialogs.fileAnswers = {path("kaputt.txt"), path("Dipol 80m.txt")};
    find<QPushButton>("ButAntenneNeu")->click();
    EXPECT_EQ(form->site().antennas.size(), 4u);
    EXPECT_FALSE(dialogs.messages.empty());
    find<QPushButton>("ButAntenneNeu")->click();
    ASSERT_EQ(form->site().antennas.size(), 5u);
    EXPECT_EQ(form->site().antennas[4].name, "D");

    // Angle damping and group of the chosen antenna; removing it.
    find<QCheckBox>("CBWinkeldaempfung")->click();
    EXPECT_TRUE(form->site().antennas[4].angleDamping);
    auto *group = find<QLineEdit>("EditGruppe");
    group->setText("1");
    emit group->editingFinished();
    EXPECT_EQ(form->site().antennas[4].group, "1");
    EXPECT_EQ(form->result().groups.at(0).members.size(), 3u);
    find<QPushButton>("ButAntenneEntfernen")->click();
    EXPECT_EQ(form->site().antennas.size(), 4u);
}

TEST_F(SiteWindow, SavedAndReopenedGivesTheSameSite)
{
    openGarden();
    find<QAction>("ToolBereich")->trigger();
    click(device({27, 9}));
    editCell("TabPunkte", 0, 0, "14,25");
    auto *call = find<QLineEdit>("EditRufzeichen");
    call->setText("DL9ABC");
    emit call->editingFinished();

    std::filesystem::create_directory(dir.file("neu"));
    dialogs.fileAnswers = {path("neu/Garten 2.standort")};
    trigger("MISpeichernUnter");
    EXPECT_FALSE(form->modified());
    EXPECT_EQ(remembered, path("neu/Garten 2.standort"));
    const std::string text = ReadFileBytes(dir.file("neu/Garten 2.standort"));
    EXPECT_NE(text.find("Konfiguration=../Beam 20m.txt\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Rufzeichen=DL9ABC\r\n"), std::string::npos);

    const std::vector<std::string> saved = SiteLines(form->site());
    form->close();
    EXPECT_TRUE(dialogs.questions.isEmpty()); // nothing left unsaved
    open(path("neu/Garten 2.standort"));
    EXPECT_EQ(SiteLines(form->site()), saved);
    EXPECT_EQ(form->site().antennas[0].points[0], (site::Point{14.25, 9}));

    // An area without three points would not open again: refused, with the reason.
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    delete form.data();
    open();
    dialogs.fileAnswers = {path("leer.standort")};
    trigger("MISpeichern");
    EXPECT_FALSE(FileExists(dir.file("leer.standort")));
    EXPECT_NE(dialogs.lastMessage().indexOf("nicht gespeichert"), -1);
}

TEST_F(SiteWindow, LeavingWithUnsavedChangesAsks)
{
    openGarden();
    find<QAction>("ToolBereich")->trigger();
    click(device({27, 9}));
    const QString question =
        "Der Standort „Garten.standort“ wurde geändert.\nSollen die Änderungen gespeichert werden?";

    dialogs.choiceAnswers = {2}; // "Abbrechen"
    EXPECT_FALSE(form->close());
    EXPECT_EQ(dialogs.questions, QStringList{question});
    EXPECT_TRUE(form->isVisible());

    dialogs.choiceAnswers = {2}; // "Neu" asks as well
    trigger("MINeu");
    EXPECT_EQ(form->site().area.size(), 5u);

    dialogs.choiceAnswers = {0}; // "Speichern"
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ReadSite(dir.file("Garten.standort")).area.size(), 5u);

    open(path("Garten.standort"));
    find<QAction>("ToolBereich")->trigger();
    click(device({-5, 9}));
    dialogs.choiceAnswers = {1}; // "Verwerfen"
    EXPECT_TRUE(form->close());
    EXPECT_EQ(ReadSite(dir.file("Garten.standort")).area.size(), 5u);
}

TEST_F(SiteWindow, WorldFileCalibratesAPngAndTheClickedPointIsTheOrigin)
{
    openGarden();
    ASSERT_TRUE(mapPicture().save(path("Karte.png")));
    WriteBytes(dir.file("Karte.pgw"), "0.1\n0.0\n0.0\n-0.1\n3512345.05\n5612345.95\n");
    dialogs.fileAnswers = {path("Karte.png")};
    trigger("MIHintergrund");
    EXPECT_EQ(form->tool(), TFormStandort::Tool::Origin);
    // The picture alone while the origin is chosen: click its red dot.
    const std::vector<QPointF> red = spots(form->planImage(), qRgb(255, 0, 0));
    ASSERT_EQ(red.size(), 1u);
    click(red[0]);
    EXPECT_EQ(form->tool(), TFormStandort::Tool::Select);
    ASSERT_TRUE(form->backgroundPicture());
    const QTransform t = form->backgroundPicture()->pixelToMetres;
    const QPointF origin = t.map(QPointF(150.5, 100.5));
    EXPECT_NEAR(origin.x(), 0, 0.15); // the click, to the pixels of the fitted picture
    EXPECT_NEAR(origin.y(), 0, 0.15);
    const QPointF step = t.map(QPointF(160.5, 80.5)) - origin; // 10 pixels right, 20 up
    EXPECT_NEAR(step.x(), 1, 1e-9);
    EXPECT_NEAR(step.y(), 2, 1e-9);

    // The plan shows the picture under the site, red where the origin is.
    const QPoint at = device({0, 0}).toPoint();
    EXPECT_EQ(QColor(form->planImage().pixel(at)).red(), 255);

    // Stored in the site file and back after reopening.
    trigger("MISpeichern");
    const std::string text = ReadFileBytes(dir.file("Garten.standort"));
    EXPECT_NE(text.find("[Hintergrund]\r\nDatei=Karte.png\r\nSeite=1\r\nKalibrierung=Weltdatei\r\n"), std::string::npos)
        << text;
    form->close();
    open(path("Garten.standort"));
    ASSERT_TRUE(form->backgroundPicture());
    EXPECT_EQ(form->backgroundPicture()->pixelToMetres, t);
}

TEST_F(SiteWindow, TwoPointsAndTheirDistanceCalibrateAPicture)
{
    openGarden();
    ASSERT_TRUE(mapPicture().save(path("Skizze.png")));
    dialogs.fileAnswers = {path("Skizze.png")};
    trigger("MIHintergrund");
    EXPECT_EQ(form->tool(), TFormStandort::Tool::ScalePoints);
    const std::vector<QPointF> blue = spots(form->planImage(), qRgb(0, 0, 255));
    ASSERT_EQ(blue.size(), 2u);
    click(blue[0]);
    dialogs.inputAnswers = {QString("20")};
    click(blue[1]);
    EXPECT_EQ(dialogs.inputTitles, QStringList{"Länge"});
    EXPECT_EQ(form->tool(), TFormStandort::Tool::Origin);
    click(spots(form->planImage(), qRgb(255, 0, 0)).at(0));
    ASSERT_TRUE(form->backgroundPicture());
    const QTransform t = form->backgroundPicture()->pixelToMetres;
    const QPointF step = t.map(QPointF(250.5, 100.5)) - t.map(QPointF(150.5, 100.5));
    EXPECT_NEAR(step.x(), 20, 0.2); // 100 pixels, as clicked on the fitted picture
    EXPECT_NEAR(step.y(), 0, 1e-9);

    // Undone step by step: origin, scale, picture.
    trigger("MIRueckgaengig");
    trigger("MIRueckgaengig");
    EXPECT_FALSE(form->backgroundPicture());
    trigger("MIRueckgaengig");
    EXPECT_EQ(form->site().extraSections.size(), 0u);

    // Escape gives up choosing; undoing the picture while its points are chosen ends it too.
    dialogs.fileAnswers = {path("Skizze.png")};
    trigger("MIHintergrund");
    ASSERT_EQ(form->tool(), TFormStandort::Tool::ScalePoints);
    click(blue[0]);
    QTest::keyClick(find("Plan"), Qt::Key_Escape);
    EXPECT_EQ(form->tool(), TFormStandort::Tool::Select);
    find<QAction>("ToolMassstab")->trigger();
    trigger("MIRueckgaengig");
    EXPECT_EQ(form->tool(), TFormStandort::Tool::Select);
    EXPECT_FALSE(find<QAction>("ToolMassstab")->isEnabled());
}

TEST_F(SiteWindow, WorldFileCalibratesAPdfPage)
{
    openGarden();
    {
        QPdfWriter pdf(path("Kataster.pdf"));
        pdf.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(72);
        QPainter p(&pdf);
        p.fillRect(QRectF(95, 45, 10, 10), Qt::red);
    }
    WriteBytes(dir.file("Kataster.wld"), "0,25\n0\n0\n-0,25\n0\n0\n");
    dialogs.fileAnswers = {path("Kataster.pdf")};
    trigger("MIHintergrund");
    ASSERT_EQ(form->tool(), TFormStandort::Tool::Origin);
    const std::vector<QPointF> red = spots(form->planImage(), qRgb(255, 0, 0));
    ASSERT_EQ(red.size(), 1u);
    click(red[0]);
    ASSERT_TRUE(form->backgroundPicture());
    // A point of the page is a quarter metre; the rendering is finer than the page's points.
    const SiteBackgroundPicture &b = *form->backgroundPicture();
    const double pixelsPerPoint = b.image.width() / 200.0;
    EXPECT_GT(pixelsPerPoint, 1);
    const QPointF centre = b.pixelToMetres.map(QPointF(100, 50) * pixelsPerPoint);
    EXPECT_NEAR(centre.x(), 0, 0.3);
    EXPECT_NEAR(centre.y(), 0, 0.3);
    const QPointF step = b.pixelToMetres.map(QPointF(140, 50) * pixelsPerPoint) - centre;
    EXPECT_NEAR(step.x(), 10, 1e-9);
    EXPECT_NEAR(step.y(), 0, 1e-9);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SiteWindow, BackgroundsThatCannotBeReadLeaveThePlan)
{
    openGarden();
    QUndoStack *undo = form->findChild<QUndoStack *>();
    // Files the menu refuses: nothing changes.
    WriteBytes(dir.file("kaputt.pdf"), "%PDF-1.4 nichts weiter");
    WriteBytes(dir.file("kaputt.png"), "kein Bild");
    for (const char *name : {"kaputt.pdf", "kaputt.png", "fehlt.jpg", "Karte.gif"}) {
        dialogs.clear();
        WriteBytes(dir.file("Karte.gif"), "GIF89a");
        dialogs.fileAnswers = {path(name)};
        trigger("MIHintergrund");
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
        EXPECT_NE(dialogs.messages[0].text.indexOf(name), -1) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(undo->count(), 0);
    }

    // A world file with a pixel of zero or of a kilometre is refused; two points then.
    ASSERT_TRUE(mapPicture().save(path("Karte.png")));
    for (const char *world : {"0\n0\n0\n0\n10\n10\n", "1000\n0\n0\n-1000\n0\n0\n"}) {
        dialogs.clear();
        WriteBytes(dir.file("Karte.pgw"), world);
        dialogs.fileAnswers = {path("Karte.png")};
        trigger("MIHintergrund");
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_NE(dialogs.messages[0].text.indexOf("Pixelgröße"), -1) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(form->tool(), TFormStandort::Tool::ScalePoints);
    }

    // A site whose background has gone: a message, and the plan without it.
    dialogs.choiceAnswers = {1};
    form->close();
    std::string text = ReadFileBytes(dir.file("Garten.standort"));
    WriteBytes(dir.file("Garten.standort"), text + "\r\n[Hintergrund]\r\nDatei=weg.png\r\nKalibrierung=keine\r\n");
    dialogs.clear();
    open(path("Garten.standort"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.indexOf("weg.png"), -1);
    EXPECT_FALSE(form->backgroundPicture());
    EXPECT_EQ(form->result().antennas.size(), 3u);
    EXPECT_TRUE(QRectF(form->planImage().rect()).contains(device({12.5, 9})));
}

TEST_F(SiteWindow, FarPointsAndEmptySitesStillDraw)
{
    openGarden();
    // Points of the area set at the plan's edge, outside every zone, and beyond that edge:
    // the view grows to keep them on screen. A click on the legend sets nothing.
    find<QAction>("ToolBereich")->trigger();
    for (int i = 0; i < 3; ++i) {
        const QRectF plan = form->drawn().planDevice;
        const site::Polygon before = form->site().area;
        click(QPointF(plan.right() - 3, plan.top() + 3));
        ASSERT_EQ(form->site().area.size(), before.size() + 1);
        for (const site::Point &q : form->site().area)
            if (std::find(before.begin(), before.end(), q) == before.end()) {
                EXPECT_TRUE(form->drawn().planDevice.contains(device(q))) << q.x << " " << q.y;
            }
    }
    const site::Polygon &area = form->site().area;
    EXPECT_GT(std::max_element(area.begin(), area.end(), [](auto a, auto b) { return a.x < b.x; })->x, 30);
    click(form->drawn().planDevice.topRight() + QPointF(20, 20));
    EXPECT_EQ(form->site().area.size(), 7u);
    for (int i = 0; i < 3; ++i)
        trigger("MIRueckgaengig");

    // A vertical a thousand kilometres off, in a group with the beam.
    find<QListWidget>("ListAntennen")->setCurrentRow(1);
    editCell("TabPunkte", 0, 0, "1000000");
    EXPECT_EQ(form->site().antennas[1].points[0].x, 1e6);
    EXPECT_TRUE(form->calculationError().isEmpty());
    EXPECT_LT(form->result().antennas[1].margin, -999000);
    EXPECT_GT(form->drawn().planMetres.width(), 1e6);
    editCell("TabPunkte", 0, 0, "1000001");
    EXPECT_EQ(form->site().antennas[1].points[0].x, 1e6); // beyond the range: refused
    dialogs.clear();

    // A new site: no area, no antenna; then an antenna alone.
    dialogs.choiceAnswers = {1}; // "Verwerfen"
    trigger("MINeu");
    EXPECT_TRUE(form->site().area.empty());
    EXPECT_TRUE(form->result().antennas.empty());
    EXPECT_FALSE(form->planImage().isNull());
    dialogs.fileAnswers = {path("Dipol 80m.txt")};
    find<QPushButton>("ButAntenneNeu")->click();
    ASSERT_EQ(form->result().antennas.size(), 1u);
    EXPECT_NE(form->result().antennas[0].verdict, SiteVerdict::Inside); // nothing is controllable
    EXPECT_EQ(find<QTableWidget>("TabErgebnis")->item(0, 7)->text(), "---");
}

TEST_F(SiteWindow, ColoursChangedUndoneAndSaved)
{
    openGarden();
    QUndoStack *undo = form->findChild<QUndoStack *>();
    const QColor beam(10, 20, 200), area(200, 100, 0);
    auto shows = [&](const QColor &c) {
        const QImage &image = form->planImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == c.rgb())
                    return true;
        return false;
    };
    EXPECT_FALSE(shows(beam));

    // The chosen antenna's colour and the area's, each one undo step, each drawn at once.
    ASSERT_EQ(form->selectedAntenna(), 0);
    dialogs.colorAnswers = {beam, area};
    find<QPushButton>("ButAntenneFarbe")->click();
    find<QPushButton>("ButBereichFarbe")->click();
    EXPECT_EQ(form->site().antennas[0].color, (SiteColor{10, 20, 200}));
    EXPECT_EQ(form->site().areaColor, (SiteColor{200, 100, 0}));
    EXPECT_EQ(form->pictureInput().antennaColors.at(0), beam);
    EXPECT_EQ(form->pictureInput().areaColor, area);
    EXPECT_TRUE(shows(beam));
    EXPECT_EQ(undo->count(), 2);

    // Cancelled: nothing changes.
    dialogs.colorAnswers = {std::nullopt};
    find<QPushButton>("ButAntenneFarbe")->click();
    EXPECT_EQ(undo->count(), 2);

    trigger("MIRueckgaengig");
    EXPECT_EQ(form->site().areaColor, kDefaultAreaColor);
    trigger("MIRueckgaengig");
    EXPECT_EQ(AntennaColor(form->site(), 0), DefaultSiteColor(0));
    EXPECT_FALSE(shows(beam));
    trigger("MIWiederherstellen");
    trigger("MIWiederherstellen");
    EXPECT_EQ(form->site().areaColor, (SiteColor{200, 100, 0}));

    trigger("MISpeichern");
    const Site saved = ReadSite(dir.file("Garten.standort"));
    EXPECT_EQ(saved.antennas[0].color, (SiteColor{10, 20, 200}));
    EXPECT_EQ(AntennaColor(saved, 1), DefaultSiteColor(1));
    EXPECT_EQ(saved.areaColor, (SiteColor{200, 100, 0}));
}

TEST_F(SiteWindow, SideViewsWhenAZoneLeavesTheAreaWithTheirDrawings)
{
    openGarden();
    ASSERT_TRUE(SiteNeedsCuts(form->result()));
    auto *tabs = find<QTabWidget>("TabAnsichten");
    ASSERT_TRUE(form->cutsShown());
    EXPECT_EQ(tabs->tabText(1), "Ansicht entlang x");
    EXPECT_EQ(tabs->tabText(2), "Ansicht entlang y");

    // Each view drawn when it is shown: the beam's mast at x = 12,5 (along y at 9).
    for (int k = 0; k < 2; ++k) {
        tabs->setCurrentIndex(k + 1);
        const QImage &image = form->cutImage(k);
        ASSERT_FALSE(image.isNull());
        const SiteCutDrawn &d = form->cutDrawn(k);
        EXPECT_GT(d.pixelsPerMetre, 0);
        const double along = k == 0 ? 12.5 : 9;
        const QPoint mast = d.metresToDevice.map(QPointF(along, antenna(0).height / 2)).toPoint();
        ASSERT_TRUE(image.rect().contains(mast));
        EXPECT_LT(QColor(image.pixel(mast)).lightness(), 140) << k;
        EXPECT_FALSE(d.scriptRun);
    }

    // A drawing over the view along x: chosen by its file, stored relative, removed, undone.
    WriteBytes(dir.file("Haus.txt"), "VollBox 30 0 34 3 clBlack\r\n");
    dialogs.fileAnswers = {path("fehlt.txt"), path("Haus.txt")};
    trigger("MIZeichnungX");
    EXPECT_NE(dialogs.lastMessage().indexOf("fehlt.txt"), -1);
    EXPECT_TRUE(form->site().cutScriptX.empty());
    trigger("MIZeichnungX");
    EXPECT_EQ(form->site().cutScriptX, dir.file("Haus.txt"));
    tabs->setCurrentIndex(1);
    ASSERT_TRUE(form->cutDrawn(0).scriptRun);
    EXPECT_TRUE(form->cutDrawn(0).script.ok);
    const QPoint house = form->cutDrawn(0).metresToDevice.map(QPointF(32, 1.5)).toPoint();
    ASSERT_TRUE(form->cutImage(0).rect().contains(house));
    EXPECT_EQ(QColor(form->cutImage(0).pixel(house)).lightness(), 0);
    EXPECT_EQ(find<QLabel>("LabelZeichnungX")->text(), "Zeichnung: Haus.txt");
    trigger("MISpeichern");
    EXPECT_NE(ReadFileBytes(dir.file("Garten.standort")).find("ZeichnungX=Haus.txt\r\n"), std::string::npos);
    trigger("MIZeichnungXEntfernen");
    EXPECT_TRUE(form->site().cutScriptX.empty());
    EXPECT_FALSE(form->cutDrawn(0).scriptRun);
    EXPECT_EQ(form->cutImage(0).pixel(house), qRgb(255, 255, 255));
    trigger("MIRueckgaengig");
    EXPECT_EQ(form->site().cutScriptX, dir.file("Haus.txt"));
    EXPECT_TRUE(form->cutDrawn(0).scriptRun);

    // A site whose drawing has gone: a message, and the view without it.
    trigger("MISpeichern");
    form->close();
    std::filesystem::remove(dir.file("Haus.txt"));
    dialogs.clear();
    open(path("Garten.standort"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.lastMessage().indexOf("Haus.txt"), -1);
    tabs = find<QTabWidget>("TabAnsichten");
    tabs->setCurrentIndex(1);
    EXPECT_FALSE(form->cutDrawn(0).scriptRun);
    EXPECT_FALSE(form->cutImage(0).isNull());

    // An area that holds every zone needs no side views: their tabs go, the plan shows.
    const char *corners[4][2] = {{"-100", "-100"}, {"100", "-100"}, {"100", "100"}, {"-100", "100"}};
    for (int row = 0; row < 4; ++row)
        for (int c = 0; c < 2; ++c)
            editCell("TabBereich", row, c, corners[row][c]);
    ASSERT_FALSE(SiteNeedsCuts(form->result()));
    EXPECT_FALSE(form->cutsShown());
    EXPECT_EQ(tabs->currentIndex(), 0);
}

TEST_F(SiteWindow, ExportsThePlanAtAChosenScaleAndCopiesIt)
{
    openGarden();
    const int fitting = DefaultSiteScale(form->result());
    const QStringList scales = {"1:100", "1:200", "1:250", "1:500", "1:1000"};

    // PDF: the plan and the side views on a second page, the scale printed beside the bar.
    dialogs.itemAnswers = {1};
    dialogs.fileAnswers = {path("Plan.pdf")};
    trigger("MIExportPdf");
    EXPECT_EQ(dialogs.lastItems, scales);
    EXPECT_EQ(dialogs.lastItemPreset, int(scales.indexOf("1:" + QString::number(fitting))));
    EXPECT_EQ(dialogs.lastProposedPath, path("Garten Lageplan.pdf"));
    EXPECT_EQ(dialogs.lastDefaultSuffix, "pdf");
    EXPECT_EQ(PdfPageCount(path("Plan.pdf")), 2);
    EXPECT_TRUE(PdfPageLines(path("Plan.pdf"), 1).join("\n").contains("Maßstab 1:200"));

    // SVG and PNG hold one sheet each: the side views go into a second file beside it.
    dialogs.itemAnswers = {3, 4};
    dialogs.fileAnswers = {path("Plan.svg"), path("Plan.png")};
    trigger("MIExportSvg");
    trigger("MIExportPng");
    for (const char *name : {"Plan.svg", "Plan Ansichten.svg"}) {
        const std::string svg = ReadFileBytes(dir.file(name));
        EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << name;
        EXPECT_NE(svg.find("</svg>"), std::string::npos) << name;
    }
    EXPECT_NE(ReadFileBytes(dir.file("Plan.svg")).find("1:500"), std::string::npos);
    for (const char *name : {"Plan.png", "Plan Ansichten.png"}) {
        const QImage png(path(name));
        EXPECT_EQ(png.size(), QSize(2339, 1654)) << name; // A4 landscape at 200 dpi
    }

    // Cancelled at the scale: no file is asked for; a folder that is not there: a German message.
    dialogs.itemAnswers = {std::nullopt};
    trigger("MIExportPdf");
    EXPECT_EQ(dialogs.unexpected, 0);
    dialogs.clear();
    dialogs.itemAnswers = {0};
    dialogs.fileAnswers = {path("fehlt/Plan.pdf")};
    trigger("MIExportPdf");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_NE(dialogs.lastMessage().indexOf("Plan.pdf"), -1) << dialogs.lastMessage().toStdString();
    EXPECT_FALSE(FileExists(dir.file("fehlt/Plan.pdf")));

    // The clipboard gets the sheet as a picture.
    trigger("MIKopieren");
    EXPECT_EQ(dialogs.clipboardImage.size(), QSize(1754, 1240)); // 150 dpi

    // A site without antennas has no plan to give: refused before any dialog.
    dialogs.choiceAnswers = {1};
    trigger("MINeu");
    dialogs.clear();
    for (const char *name : {"MIExportPdf", "MIKopieren"})
        trigger(name);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.unexpected, 0);
}

// "Unterlagen als PDF…" hands the drawn site to the writer, with or without every angle table;
// a writer that fails gives its German message.
TEST_F(SiteWindow, DocumentsGoToTheWriterWithTheDrawnSite)
{
    struct Call {
        QString path;
        size_t antennas = 0;
        bool all = false;
    };
    std::vector<Call> calls;
    writeDocuments = [&](const QString &file, const SitePictureInput &in, bool all) {
        if (file.contains("fehlt"))
            throw FileError("Die Datei \"" + file.toStdString() + "\" kann nicht geschrieben werden.");
        calls.push_back({file, in.result.antennas.size(), all});
    };
    openGarden();
    dialogs.fileAnswers = {path("U.pdf")};
    trigger("MIUnterlagen");
    EXPECT_EQ(dialogs.lastProposedPath, path("Garten Unterlagen.pdf"));
    EXPECT_EQ(dialogs.lastDefaultSuffix, "pdf");
    find<QAction>("MIAlleWinkeltabellen")->setChecked(true);
    dialogs.fileAnswers = {path("V.pdf"), path("fehlt/W.pdf")};
    trigger("MIUnterlagen");
    trigger("MIUnterlagen");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].path, path("U.pdf"));
    EXPECT_EQ(calls[0].antennas, 3u);
    EXPECT_FALSE(calls[0].all);
    EXPECT_TRUE(calls[1].all);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
    EXPECT_NE(dialogs.lastMessage().indexOf("W.pdf"), -1);
}

// The preview paints the documents of the drawn site on the preview's printer.
TEST_F(SiteWindow, DocumentsPreviewedOnThePrinter)
{
    int painted = 0;
    paintDocuments = [&](QPrinter &printer, const SitePictureInput &in, bool) {
        QPainter p(&printer);
        p.drawText(100, 100, "Vorschau");
        painted += int(in.result.antennas.size());
    };
    writeDocuments = [](const QString &, const SitePictureInput &, bool) {};
    openGarden();
    dialogs.previewPdf = path("Vorschau.pdf");
    trigger("MIUnterlagenVorschau");
    EXPECT_EQ(dialogs.previewTitles, QStringList{"Unterlagen – Vorschau"});
    EXPECT_EQ(painted, 3);
    EXPECT_EQ(PdfPageCount(path("Vorschau.pdf")), 1);
}

// The configuration table copied with tabs and saved with semicolons in Windows-1252.
TEST_F(SiteWindow, ConfigurationTableCopiedAndSaved)
{
    openGarden();
    trigger("MITabelleKopieren");
    EXPECT_TRUE(dialogs.clipboard.startsWith("\tA\tB\tC\n")) << dialogs.clipboard.toStdString();
    EXPECT_TRUE(dialogs.clipboard.contains("Ergebnis\tDreiseitenansicht nötig\tinnerhalb\t"));
    dialogs.fileAnswers = {path("Tabelle.txt"), path("fehlt/Tabelle.txt")};
    trigger("MITabelleSpeichern");
    EXPECT_EQ(dialogs.lastProposedPath, path("Garten Konfigurationstabelle.txt"));
    const std::string bytes = ReadFileBytes(dir.file("Tabelle.txt"));
    EXPECT_EQ(bytes.rfind(";A;B;C\r\n", 0), 0u);
    EXPECT_NE(bytes.find("H\xF6he;12,00 m;8,00 m;10,00 m\r\n"), std::string::npos);
    trigger("MITabelleSpeichern");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].kind, MessageKind::Error);
}

// Without a writer the window offers no documents.
TEST_F(SiteWindow, NoDocumentsWithoutAWriter)
{
    openGarden();
    EXPECT_EQ(form->findChild<QAction *>("MIUnterlagen"), nullptr);
}
