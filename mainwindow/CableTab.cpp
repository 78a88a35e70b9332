// The cable page: feed-line loss from cable type, length and other losses.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "core/CableLib2.h"
#include "util/DecimalText.h"

#include <QListWidget>
#include <QTableWidget>

void TFeldoraForm::fillCableList()
{
    CLBCable->clear();
    for (int i = 0; i < model_.cableListCount(); ++i) {
        auto *item = new QListWidgetItem(qs(StationModel::cableListEntry(i)), CLBCable);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
}

void TFeldoraForm::fillConnectorGrid()
{
    SGConnector->setRowCount(15);
    SGConnector->setItem(0, 0, new QTableWidgetItem("AfuBand"));
    for (int k = 0; k < kConnectorCount; ++k)
        SGConnector->setItem(0, k + 1, new QTableWidgetItem(qs(kConnectorNames[static_cast<size_t>(k)])));
    for (BandIndex b = 1; b <= 14; ++b) {
        SGConnector->setItem(b, 0, new QTableWidgetItem(qs(BandName(b))));
        for (int k = 0; k < kConnectorCount; ++k) {
            const double att = ConnectorAtt(k, BandUpperEdge(b));
            SGConnector->setItem(b, k + 1, new QTableWidgetItem(qs(FormatValue("%3.1f", att))));
        }
    }
}

void TFeldoraForm::CLBCableClick()
{
    model_.CLBCableClick(CLBCable->currentRow());
}
void TFeldoraForm::EditCableLengthExit()
{
    model_.EditCableLengthExit(ss(EditCableLength->text()));
}
void TFeldoraForm::EditCableAtt100Exit()
{
    model_.EditCableAtt100Exit(ss(EditCableAtt100->text()));
}
void TFeldoraForm::EditPlugAttExit()
{
    model_.EditPlugAttExit(ss(EditPlugAtt->text()));
}
void TFeldoraForm::ButGleichClick()
{
    model_.ButGleichClick();
}
void TFeldoraForm::ButSetAttNullClick()
{
    model_.ButSetAttNullClick();
}
