#include "FormFixture.h"

#include "print/window/Drucken.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace
{

using PrintLaunchTest = FormTest;

} // namespace

TEST_F(PrintLaunchTest, PrintWindowGetsTheShownTextsAndTheAngleEvaluation)
{
    startWithTestBeam();
    ASSERT_TRUE(form->angleDataPresent());
    const PrintoutData data = form->printoutData();
    EXPECT_EQ(data.texts.callsign, text("EditCall").toStdString());
    EXPECT_EQ(data.fileTag, "2m");
    EXPECT_DOUBLE_EQ(data.height, form->height());
    const AngleTable &table = form->angleTable();
    ASSERT_EQ(data.angles.size(), table.Angles.size());
    EXPECT_TRUE(std::equal(data.angles.begin(), data.angles.end(), table.Angles.begin()));
    EXPECT_EQ(data.distances, table.DistanceByAngle);
    EXPECT_EQ(data.texts.angleRows.size(), table.Angles.size());

    QAction *print = form->findChild<QAction *>("MIDrucken");
    ASSERT_TRUE(print->isEnabled());
    int shownPages = -1;
    QTimer::singleShot(0, [&] {
        if (auto *window = qobject_cast<TFormPrint *>(QApplication::activeModalWidget())) {
            shownPages = window->pageCount();
            window->close();
        }
    });
    print->trigger();
    EXPECT_EQ(shownPages, PrintoutPageCount(data.texts));
    EXPECT_EQ(dialogs.unexpected, 0);
}
