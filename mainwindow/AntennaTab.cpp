// The antenna page: manufacturers, their antennas, the frequency line that fits the working
// frequency, and taking the antenna into the calculation.
#include "mainwindow/FeldoraU.h"

#include <QListWidget>

void TFeldoraForm::LBHerstellerClick()
{
    model_.LBHerstellerClick(LBHersteller->currentRow());
}
void TFeldoraForm::LBTypenClick()
{
    model_.LBTypenClick(LBTypen->currentRow());
}
void TFeldoraForm::LBAntBandClick()
{
    model_.LBAntBandClick();
}
void TFeldoraForm::ButTakeAntClick()
{
    model_.ButTakeAntClick();
}
