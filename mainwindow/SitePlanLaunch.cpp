#include "data/Settings.h"
#include "mainwindow/FeldoraU.h"
#include "views/TwoDimDataU.h"

#include <QDate>
#include <QScreen>

// The site plan lives as long as the main window: once opened, its calibration and drawing
// stay for the rest of the run, whether it is shown or hidden.
void TFeldoraForm::Draufsicht1Click()
{
    auto *plan = findChild<TFormDraufsicht *>("FormDraufsicht", Qt::FindDirectChildrenOnly);
    if (!plan) {
        SitePlanStart start;
        start.today = QDate::currentDate();
        start.screenWidth = screen()->geometry().width();
        start.pictureDir = QString::fromStdString(DesktopFolder());
        plan = new TFormDraufsicht(start, this);
    }
    plan->show();
    plan->raise();
    plan->activateWindow();
}

void TFeldoraForm::MILageplanClick()
{
    trace("MILageplanClick");
    Draufsicht1Click();
}
