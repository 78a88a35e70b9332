// The cable page: feed-line loss from cable type, length and other losses.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "core/CableLib2.h"
#include "mainwindow/ListLookups.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

namespace {

// Reads a length or loss typed into a field; a rejected entry is reported, the field emptied
// and focused, and the update stops.
bool readNonNegative(QLineEdit *edit, double &value, const ValueRange &range, const char *subject,
                     const char *notANumber, const char *negative)
{
    auto v = TryTolerantToFloat(edit->text().toStdString());
    if (v && range.contains(*v)) {
        value = *v;
        return true;
    }
    ShowWarning(!v ? notANumber : *v < 0 ? negative : range.refusal(subject));
    edit->clear();
    edit->setFocus();
    return false;
}

QString fixed2(double x) { return qs(FormatValue("%3.2f", x)); }

} // namespace

void TFeldoraForm::fillCableList()
{
    CLBCable->clear();
    auto addEntry = [this](const QString &name) {
        auto *item = new QListWidgetItem(name, CLBCable);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    };
    addEntry("Anderes Kabel");
    for (int i = 1; i <= kCableCount; ++i)
        addEntry(qs(CableName(i)));
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

void TFeldoraForm::UpdateCable()
{
    trace("UpDateCable");
    bool told = false; // the "not suitable" message is shown at most once per update
    for (;;) {
        double length = cable_.CableLength;
        if (!readNonNegative(EditCableLength, length, range::kCableLength, "Die Kabellänge",
                             "Die Kabellänge muß eine Gleitkommazahl sein!",
                             "Die Kabellänge muß eine positive Gleitkommazahl sein!"))
            return;
        double plug = cable_.PlugAtt;
        if (!readNonNegative(EditPlugAtt, plug, range::kLoss, "Die Dämpfung",
                             "Die Dämpfung muß eine positve Gleitkommazahl sein!",
                             "Die Dämpfung muß eine positive Gleitkommazahl sein!"))
            return;
        cable_.CableLength = length;
        cable_.PlugAtt = plug;
        cable_.AttFreq = fixedFrequency_ ? workingFrequency_ : BandLowerEdge(static_cast<BandIndex>(CBBand->currentIndex() + 1));
        cable_.CableIndex = static_cast<short>(CLBCable->currentRow());
        EditCableAtt100->setKind(ui::FieldKind::Display);

        if (cable_.CableIndex <= 0) {
            EditCableAtt100->setKind(ui::FieldKind::Input);
            // The own value is read strictly: a point is no decimal comma here.
            auto own = TryStrictToFloat(EditCableAtt100->text().toStdString());
            if (own && range::kAttenuation.contains(*own))
                cable_.Att100 = *own;
            else if (own)
                ShowInfo(range::kAttenuation.refusal("Die eingegebene Kabeldämpfung"));
            else
                ShowInfo("Die eingegebene Kabeldämpgung muss eine Fließkommazahl sein!");
        } else {
            cable_.Att100 = CableAtt100(cable_.CableIndex, cable_.AttFreq);
        }

        if (cable_.Att100 >= 0) {
            cable_.lossKnown = true;
            cable_.CableAtt = cable_.Att100 * cable_.CableLength / 100;
            cable_.TotalAtt = cable_.PlugAtt + cable_.CableAtt;
            EditCableAtt100->setText(fixed2(cable_.Att100));
        } else {
            if (!told) {
                ShowInfo("Das gewählte Kabel ist für die Frequenz nicht geegnet.");
                told = true;
            }
            if (cable_.CableIndex != kCableRG58) {
                CLBSetCheck(CLBCable, kCableRG58);
                continue;
            }
            // Not even RG58 covers the frequency: count no cable loss, the safe side.
            cable_.lossKnown = false;
            cable_.CableAtt = 0;
            cable_.TotalAtt = cable_.PlugAtt;
            EditCableAtt100->setText("---");
        }
        EditCableLength->setText(fixed2(cable_.CableLength));
        EditCableAtt->setText(cable_.lossKnown ? fixed2(cable_.CableAtt) : QString("---"));
        EditPlugAtt->setText(fixed2(cable_.PlugAtt));
        EditTotalAtt->setText(fixed2(cable_.TotalAtt));
        EditAttFreq->setText(fixed2(cable_.AttFreq));
        EditAtt->setText(fixed2(cable_.TotalAtt));
        calc();
        return;
    }
}

void TFeldoraForm::CLBCableClick()
{
    trace("CLBCableClick");
    CLBSetCheck(CLBCable, CLBCable->currentRow());
    UpdateCable();
}

void TFeldoraForm::EditCableLengthExit()
{
    trace("EditCableLengthExit");
    UpdateCable();
    calcCall();
}

void TFeldoraForm::EditPlugAttExit()
{
    trace("EditPlugAttExit");
    UpdateCable();
    calcCall();
}

void TFeldoraForm::ButGleichClick()
{
    trace("ButGleichClick");
    UpdateCable();
    calcCall();
}

void TFeldoraForm::ButSetAttNullClick()
{
    trace("ButSetAttNullClick");
    EditCableLength->setText("0");
    EditPlugAtt->setText("0");
    cable_.CableLength = 0;
    cable_.PlugAtt = 0;
    ButGleichClick();
}
