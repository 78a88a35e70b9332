// Escape closes every modal secondary window, as the user expects of a dialog, whichever of its
// parts has the focus.
#include "ScriptedDialogs.h"
#include "views/DiaGramm.h"
#include "views/GrenzwerttabellePS.h"
#include "views/MakeAnt.h"
#include "views/Seitenansicht.h"
#include "views/Uebersicht.h"
#include "views/VirtMP.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

TEST(ModalWindows, EscapeClosesEach)
{
    ScriptedDialogs dialogs;
    SideViewInput side;
    side.antennaTitle = "Test Beam 2m";
    side.power = 100;
    side.band = 15;
    side.angles = {0, 90, 180};
    side.distances = {5, 5, 5};
    side.height = 10;
    const DiagramWindowInput diagram{"Test Beam 2m", 2.15, 15, {0, 90, 180}, {0, 10, 30}};
    const std::pair<const char *, std::function<std::unique_ptr<QDialog>()>> windows[] = {
        {"side view", [&] { return std::make_unique<TFormSeitenansicht>(side); }},
        {"diagram", [&] { return std::make_unique<TFormDiagramm>(diagram); }},
        {"measuring points", [] { return std::make_unique<TFormVirtMP>(VirtMPInput{}); }},
        {"limit table", [] { return std::make_unique<TFormGrenzwerttabellePS>(); }},
        {"all bands", [] { return std::make_unique<TFormUebersicht>(UebersichtInput{}); }},
        {"own antenna", [] { return std::make_unique<TFormEigeneAntenne>(EigeneAntenneInput{}); }},
    };
    for (const auto &[name, make] : windows) {
        std::unique_ptr<QDialog> window = make();
        bool pressed = false;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal != window.get())
                return;
            modal->activateWindow();
            if (!QTest::qWaitForWindowActive(modal))
                return;
            // Through the menu bar first, as a user looking for "Schliessen" does: Alt gives it the
            // keyboard, Escape leaves it again.
            if (auto *bar = modal->findChild<QMenuBar *>()) {
                for (QAction *menu : bar->actions()) {
                    const qsizetype amp = menu->text().indexOf('&');
                    if (amp < 0)
                        continue;
                    const QChar letter = menu->text().at(amp + 1).toUpper();
                    QTest::keyClick(modal, static_cast<Qt::Key>(letter.unicode()), Qt::AltModifier);
                    if (QWidget *popup = QApplication::activePopupWidget())
                        QTest::keyClick(popup, Qt::Key_Escape); // the menu closes, the bar keeps the keys
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : bar, Qt::Key_Escape);
                    break;
                }
            }
            // Where the window system delivers the key: the focus widget, else the window.
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : modal;
            QTest::keyClick(target, Qt::Key_Escape);
            pressed = true;
            if (window->isVisible())
                window->done(42); // not closed by Escape: end the test's wait
        });
        const int result = window->exec();
        EXPECT_TRUE(pressed) << name;
        EXPECT_EQ(result, QDialog::Rejected) << name;
    }
    EXPECT_TRUE(dialogs.messages.empty());
}
