#include "views/Seitenansicht.h"
#include "FileTestSupport.h"
#include "ScriptedDialogs.h"
#include "views/Controls.h"
#include "views/DiaGramm.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace
{

const QRgb kSilver = qRgb(192, 192, 192);

SideViewInput sampleInput()
{
    SideViewInput in;
    in.antennaTitle = "Test Beam 2m";
    in.power = 100;
    in.gain = 2.15;
    in.band = 15; // 2m
    in.angles = {0, 90, 180};
    in.distances = {5, 5, 5};
    in.height = 10;
    return in;
}

class SideViewWindow : public ::testing::Test
{
protected:
    ScriptedDialogs dialogs;
    TempDir dir;
    std::unique_ptr<TFormSeitenansicht> form;

    TFormSeitenansicht &open(const SideViewInput &in = sampleInput())
    {
        form = std::make_unique<TFormSeitenansicht>(in);
        form->show();
        return *form;
    }
    QString text(const char *name) { return form->findChild<QLineEdit *>(name)->text(); }
    void click(const char *name) { QTest::mouseClick(form->findChild<QWidget *>(name), Qt::LeftButton); }
    void trigger(const char *name) { form->findChild<QAction *>(name)->trigger(); }
    void moveMouse(QPoint pixel)
    {
        QWidget *picture = form->findChild<QWidget *>("IMSeitenansicht");
        QMouseEvent move(QEvent::MouseMove, pixel, picture->mapToGlobal(pixel), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(picture, &move);
    }
    QString file(const char *name, const char *content = nullptr)
    {
        const QString path = QString::fromStdString(dir.file(name));
        if (content)
            WriteBytes(dir.file(name), content);
        return path;
    }
};

} // namespace

TEST_F(SideViewWindow, CaptionFiguresAndZoom)
{
    open();
    EXPECT_EQ(form->windowTitle(), "Seitenansicht    Test Beam 2m    100 W    2,15 dBi      2m-Band    ");
    EXPECT_EQ(form->picture().size(), QSize(809, 473));
    EXPECT_EQ(text("EditSize"), "1");
    EXPECT_EQ(text("EditXInt"), " 24,43"); // 809 / 33.11
    EXPECT_EQ(text("EditYInt"), " 14,29");
    EXPECT_EQ(text("EditBodenfreiheit"), "   5,0");
    EXPECT_EQ(text("EditReichweite"), "   5,0");
    EXPECT_EQ(form->picture().pixel(500, 449), kSilver);

    for (int i = 0; i < 3; ++i)
        click("ButPlus");
    EXPECT_EQ(text("EditSize"), "1,157625");
    EXPECT_NEAR(form->figures().zone.scale, 33.11 * 1.157625, 1e-9);
    click("ButMinus");
    EXPECT_EQ(text("EditSize"), "1,09974375");
    click("ButStandard");
    EXPECT_EQ(text("EditSize"), "1");
    EXPECT_NEAR(form->figures().zone.scale, 33.11, 1e-9);

    // At the antenna's pixel: 0 m to the side, the antenna height up.
    moveMouse(QPoint(121, 118));
    EXPECT_EQ(text("EditMausX"), "0,00");
    EXPECT_EQ(text("EditMausY"), "10,00");
    EXPECT_EQ(text("EditMausPixX"), " 121");
    EXPECT_EQ(text("EditMausPixY"), " 118");
    moveMouse(QPoint(287, 449));
    EXPECT_EQ(text("EditMausX"), "5,01");
    EXPECT_EQ(text("EditMausY"), "0,00");
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SideViewWindow, FiguresRoundedToTheSafeSide)
{
    // 7.95 m out and 1 m below a 100 m high antenna: from the pixels the window read 7,9 and
    // 99,1 m; the reach rounds up, the clearance down.
    SideViewInput in = sampleInput();
    in.distances = {7.95, 1, 1};
    in.height = 100;
    for (const char *box : {"", "CBStrahlen"}) {
        SCOPED_TRACE(box);
        open(in);
        if (*box)
            click(box);
        EXPECT_EQ(text("EditReichweite"), "   8,0");
        EXPECT_EQ(text("EditBodenfreiheit"), "  99,0");
    }
}

TEST_F(SideViewWindow, CheckBoxesAndColourRedraw)
{
    open();
    const QRgb info = form->picture().pixel(700, 50);
    EXPECT_EQ(info, ui::infoBackground().rgb());
    EXPECT_EQ(QColor(info), QColor(255, 255, 225)); // the light yellow of the command line's pictures
    EXPECT_NE(form->picture().pixel(204, 201), info); // contour
    click("CBStrahlen");
    EXPECT_EQ(form->picture().pixel(204, 201), info); // rays only
    click("CBfiveMeters");
    EXPECT_EQ(form->picture().pixel(700, 409), info);

    dialogs.colorAnswers = {QColor(10, 20, 30), std::nullopt};
    trigger("MIHintergrundfarbe");
    EXPECT_EQ(form->picture().pixel(700, 50), qRgb(10, 20, 30));
    trigger("MIHintergrundfarbe"); // cancelled: the colour stays
    EXPECT_EQ(form->picture().pixel(700, 50), qRgb(10, 20, 30));
    EXPECT_TRUE(form->findChild<QCheckBox *>("CBStrahlen")->isChecked());
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SideViewWindow, NoUsableDataShowsDashes)
{
    struct Case {
        const char *name;
        std::vector<int> angles;
        std::vector<double> distances;
        double height;
        const char *xInterval;
    };
    const Case cases[] = {
        {"empty table", {}, {}, 10, " 24,43"},
        {"height 0, empty table", {}, {}, 0, "---"},
        {"no positive distance", {0, 90}, {0, -99}, 0, "---"},
    };
    for (const Case &c : cases) {
        SideViewInput in = sampleInput();
        in.angles = c.angles;
        in.distances = c.distances;
        in.height = c.height;
        open(in);
        EXPECT_EQ(text("EditBodenfreiheit"), "---") << c.name;
        EXPECT_EQ(text("EditReichweite"), "---") << c.name;
        EXPECT_EQ(text("EditXInt"), c.xInterval) << c.name;
        click("ButPlus");
        moveMouse(QPoint(300, 300));
        EXPECT_EQ(text("EditMausX"), c.height > 0 ? "5,15" : "---") << c.name;
        EXPECT_EQ(text("EditMausPixX"), " 300") << c.name;
        EXPECT_EQ(form->picture().pixel(500, 449), kSilver) << c.name;
    }
}

TEST_F(SideViewWindow, CopySaveAndCloseHandBackPictureAndScript)
{
    SideViewInput in = sampleInput();
    in.scriptFile = file("haus.txt", "Linie 0 0 5 0\r\n");
    open(in);
    trigger("MIKopieren");
    EXPECT_EQ(dialogs.clipboardImage, form->picture());

    const QString png = file("bild.png");
    dialogs.fileAnswers = {png};
    trigger("MISpeichen");
    EXPECT_TRUE(dialogs.lastProposedPath.endsWith("Seitenansicht.bmp"));
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), form->picture());

    click("CBStrahlen");
    dialogs.clipboardImage = QImage();
    form->close();
    EXPECT_EQ(dialogs.clipboardImage, form->picture());
    EXPECT_EQ(form->scriptFile(), in.scriptFile);
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SideViewWindow, ScriptDrawsOverThePictureUntilTheNextRedraw)
{
    SideViewInput in = sampleInput();
    open(in);
    click("ButCAD"); // no script yet
    EXPECT_EQ(dialogs.lastMessage(), "Es existiert noch keine zugeordnete CAD-Datei!");

    // Loaded: 3 px red along the ground from the mast foot to 5 m, then a bad number stops.
    const QString script = file("haus.txt", "StiftBreite 3\r\nLinie 0 0 5 0 clRed\r\nLinie 0 0 2.5 3\r\n");
    dialogs.fileAnswers = {script};
    trigger("MICADload");
    EXPECT_EQ(text("EditCADFileName"), "haus.txt");
    EXPECT_EQ(form->picture().pixel(200, 449), qRgb(255, 0, 0));
    EXPECT_EQ(form->picture().pixel(200, 450), qRgb(255, 0, 0));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Error);

    click("ButEnf");
    EXPECT_EQ(form->picture().pixel(200, 449), kSilver);
    click("ButCAD");
    EXPECT_EQ(form->picture().pixel(200, 449), qRgb(255, 0, 0));
    click("ButPlus"); // any redraw removes it
    EXPECT_EQ(form->picture().pixel(200, 449), kSilver);
    EXPECT_EQ(form->scriptFile(), script);
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST_F(SideViewWindow, EditingCreatesTheScriptButNeverEmptiesOne)
{
    SideViewInput in = sampleInput();
    in.programDir = QString::fromStdString(dir.path());
    open(in);
    dialogs.fileAnswers = {""}; // cancelled
    trigger("MICADedit");
    EXPECT_EQ(dialogs.lastMessage(), "Es wurde keine Datei gefunden!");
    EXPECT_TRUE(dialogs.lastProposedPath.endsWith("/CAD.txt"));
    EXPECT_EQ(dialogs.lastSelectedFilter, "TextDateien (*.txt)");
    EXPECT_EQ(dialogs.lastDefaultSuffix, "txt");
    EXPECT_TRUE(dialogs.opened.isEmpty());

    const QString fresh = file("CAD.txt");
    dialogs.fileAnswers = {fresh};
    trigger("MICADedit");
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_EQ(QFile(fresh).size(), 0);
    EXPECT_EQ(dialogs.opened, QStringList{fresh});
    EXPECT_EQ(form->scriptFile(), fresh);
    trigger("MICADedit"); // exists now: straight to the editor
    EXPECT_EQ(dialogs.opened.size(), 2);
    EXPECT_EQ(dialogs.messages.size(), 1u); // only the cancelled one above

    dialogs.desktopOpens = false; // no program for text files: said, as the main window says it
    trigger("MICADedit");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages.back().kind, MessageKind::Warning);
    EXPECT_EQ(dialogs.lastMessage(), "Für die Datei " + fresh + " ist kein Programm zum Öffnen eingerichtet.");
    dialogs.desktopOpens = true;

    SideViewInput other = sampleInput();
    other.scriptFile = file("weg.txt"); // gone
    open(other);
    const QString kept = file("balkon.txt", "Box 2 0 6 4\r\n");
    dialogs.fileAnswers = {kept};
    trigger("MICADedit");
    EXPECT_EQ(QFile(kept).size(), 13);
    EXPECT_EQ(dialogs.opened.last(), kept);
    EXPECT_EQ(dialogs.unexpected, 0);
}

TEST(DiagramWindow, CaptionPictureCopyAndSave)
{
    ScriptedDialogs dialogs;
    DiagramWindowInput in{"Test Beam 2m", 2.15, 15, {0, 90, 180}, {0, 10, 30}};
    TFormDiagramm form(in);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Diagramm  Test Beam 2m  2,15 dBi    2m-Band  ");
    EXPECT_EQ(form.picture().size(), QSize(433, 433));
    EXPECT_EQ(form.figures().points[1], QPoint(216, 308));
    EXPECT_EQ(form.picture().pixel(216, 308), qRgb(0, 0, 255));
    EXPECT_EQ(form.picture().pixel(5, 5), ui::infoBackground().rgb());
    form.findChild<QAction *>("MiKopieren")->trigger();
    EXPECT_EQ(dialogs.clipboardImage, form.picture());
    dialogs.fileAnswers = {""};
    form.findChild<QAction *>("MISpeichern")->trigger();
    EXPECT_TRUE(dialogs.lastProposedPath.endsWith("Diagramm.bmp"));

    TFormDiagramm empty(DiagramWindowInput{"", 0, 0, {}, {}});
    empty.show();
    EXPECT_TRUE(empty.figures().points.empty());
    EXPECT_EQ(dialogs.unexpected, 0);
}
