#include "FormFixture.h"
#include "util/TextFile.h"
#include "views/GrenzwerttabellePS.h"
#include "views/Uebersicht.h"
#include "views/VirtMP.h"
#include "views/draw/QtText.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cmath>

namespace
{

// Runs check on the modal window the next action opens, then closes that window.
template <typename Window> void onModal(const std::function<void(Window &)> &check, bool *seen)
{
    QTimer::singleShot(0, [check, seen] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        *seen = window != nullptr;
        if (!window)
            return;
        check(*window);
        window->accept();
    });
}

} // namespace

TEST_F(FormTest, MeasuringPointsGetTheCurrentResults)
{
    startWithTestBeam();
    click("ButTakeAnt");
    ASSERT_TRUE(form->angleDataPresent());
    const double eirp = form->farField().EIRP;
    const double eirp90 = form->angleTable().EirpByAngle[1];
    ASSERT_TRUE(find<QAction>("MIVirtFeld")->isEnabled());

    bool seen = false;
    std::vector<MeasuringPoint> points;
    onModal<TFormVirtMP>(
        [&](TFormVirtMP &window) {
            window.findChild<QTableWidget *>("SGvirtAbst")->item(4, 2)->setText("80");
            points = window.points();
            dialogs.fileAnswers.push_back(path("feld.xch"));
            window.findChild<QPushButton *>("ButExport")->click();
        },
        &seen);
    trigger("MIVirtFeld");
    ASSERT_TRUE(seen);
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[0].e, QString::number(std::sqrt(30 * eirp) / 10, 'f', 2).replace('.', ',').toStdString());
    EXPECT_EQ(points[4].e, QString::number(std::sqrt(30 * eirp90) / 10, 'f', 2).replace('.', ',').toStdString());
    const std::vector<std::string> lines = ReadTextLines(path("feld.xch").toStdString());
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[1], "Antennenname.......>Beam 2m");
    EXPECT_EQ(lines[2], "Band...............>2m");
    EXPECT_EQ(lines[4], "TxRx-Intervall.....>tx6 - rx0");
    EXPECT_TRUE(dialogs.lastProposedPath.startsWith(dir.path()));
}

TEST_F(FormTest, LimitTableOpensFromTheInfoMenu)
{
    start();
    ASSERT_TRUE(find<QAction>("MIGrenzwerttabelle")->isEnabled());
    bool seen = false;
    int rows = 0;
    onModal<TFormGrenzwerttabellePS>([&](TFormGrenzwerttabellePS &window) { rows = window.tableLines().size(); },
                                     &seen);
    trigger("MIGrenzwerttabelle");
    EXPECT_TRUE(seen);
    EXPECT_EQ(rows, 24);
}

TEST_F(FormTest, OverviewOfEveryBandAndItsDistanceForThePrintout)
{
    startWithTestBeam();
    click("ButTakeAnt");
    const auto expected = [this](double distance) {
        return AllBandsRows(CalculateAllBands(form->stationInputs(), form->catalogue()), distance);
    };
    bool seen = false;
    std::vector<std::vector<std::string>> shown;
    QString station;
    onModal<TFormUebersicht>(
        [&](TFormUebersicht &window) {
            shown = window.rows();
            station = window.findChild<QLabel *>("LabelStation")->text();
            auto *edit = window.findChild<QLineEdit *>("EditAbstand");
            edit->setText("8");
            QTest::keyClick(edit, Qt::Key_Return);
        },
        &seen);
    trigger("MIUebersicht");
    ASSERT_TRUE(seen);
    EXPECT_EQ(shown, expected(5));
    ASSERT_EQ(shown.size(), 2u); // the test beam has its 2-m line only
    EXPECT_EQ(shown[1][0], "2m");
    EXPECT_EQ(qs(shown[1][6]), text("EditrPS"));
    EXPECT_TRUE(station.startsWith("Antenne: Beam 2m")) << station.toStdString();

    // The printout's last page and the next opening take the distance typed last.
    const PrintoutData data = form->printoutData();
    EXPECT_EQ(data.allBandsHeading.back(), "größte PEP\nbei 8,00 m");
    const auto at8 = expected(8);
    EXPECT_EQ(data.allBandsRows, std::vector<std::vector<std::string>>(at8.begin() + 1, at8.end()));
    double reopened = 0;
    onModal<TFormUebersicht>([&](TFormUebersicht &window) { reopened = window.areaDistance(); }, &seen);
    trigger("MIUebersicht");
    EXPECT_EQ(reopened, 8);
    EXPECT_EQ(dialogs.unexpected, 0);
}
