#include "FormFixture.h"
#include "views/DiaGramm.h"
#include "views/Seitenansicht.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace
{

class ViewLaunchTest : public FormTest
{
protected:
    void withBeam()
    {
        startWithTestBeam();
        click("ButTakeAnt");
        ASSERT_TRUE(form->angleDataPresent());
        ASSERT_EQ(form->angleTable().DistanceByAngle.size(), 3u);
    }
    // Clicks a button that opens a modal window and runs `inside` on that window.
    template <typename Window> Window *clickModal(const char *button, const std::function<void(Window &)> &inside)
    {
        Window *seen = nullptr;
        QTimer::singleShot(0, [&] {
            seen = qobject_cast<Window *>(QApplication::activeModalWidget());
            if (seen)
                inside(*seen);
            if (QWidget *w = QApplication::activeModalWidget())
                w->close();
        });
        click(button);
        return seen;
    }
};

} // namespace

TEST_F(ViewLaunchTest, BothViewsOpenWithACopyOfTheAngleTable)
{
    withBeam();
    EXPECT_TRUE(find<QPushButton>("ButDiagramm")->isEnabled());
    EXPECT_TRUE(find<QPushButton>("ButSeitenansicht")->isEnabled());

    auto *diagram = clickModal<TFormDiagramm>("ButDiagramm", [&](TFormDiagramm &w) {
        EXPECT_TRUE(w.windowTitle().startsWith("Diagramm  Test Beam 2m  "));
        EXPECT_EQ(w.figures().points.size(), 3u); // 0, 90, 180 degrees
        EXPECT_TRUE(w.figures().mirrored);
    });
    EXPECT_NE(diagram, nullptr);

    const QString script = path("haus.txt");
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Linie 0 0 5 0\r\n");
    f.close();
    dialogs.fileAnswers = {script};
    auto *side = clickModal<TFormSeitenansicht>("ButSeitenansicht", [&](TFormSeitenansicht &w) {
        EXPECT_NEAR(w.figures().zone.scale, 0.7 * 473 / form->height(), 1e-9);
        EXPECT_EQ(w.figures().zone.points.size(), 3u);
        w.findChild<QAction *>("MICADload")->trigger();
    });
    EXPECT_NE(side, nullptr);
    EXPECT_EQ(QString::fromStdString(form->settings().cadFileName), script);
    EXPECT_FALSE(dialogs.clipboardImage.isNull()); // the closed view's picture

    // Opened again, the script comes along.
    clickModal<TFormSeitenansicht>("ButSeitenansicht", [&](TFormSeitenansicht &w) {
        EXPECT_EQ(w.findChild<QLineEdit *>("EditCADFileName")->text(), "haus.txt");
    });
    EXPECT_EQ(dialogs.unexpected, 0);
}
