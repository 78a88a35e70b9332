// The update chain of the main window and the handlers of its own fields.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "data/AntennenLib.h"
#include "data/ConfigFile.h"
#include "views/DialogService.h"
#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

std::string text(const QLineEdit *edit) { return edit->text().toStdString(); }

// A typed number read tolerantly; nullopt for anything that is not one.
std::optional<double> typedNumber(const QString &t) { return TryTolerantToFloat(t.toStdString()); }

} // namespace

TFeldoraForm::TFeldoraForm(const FormOptions &options, QWidget *parent)
    : QMainWindow(parent), programDir_(options.programDir), showSplash_(options.showSplash)
{
    if (!programDir_.endsWith('/'))
        programDir_ += '/';
    settingsFile_ = options.settingsFile.isEmpty() ? programDir_ + "Feldora.ini" : options.settingsFile;
    documentDir_ = options.documentDir;
    createControls();
    FormCreate();
}

TFeldoraForm::~TFeldoraForm() = default;

void TFeldoraForm::guarded(const std::function<void()> &body)
{
    try {
        body();
    } catch (const ConvertError &e) {
        ShowError(e.what());
    } catch (const std::exception &e) {
        ShowError(std::string("Unerwarteter Fehler: ") + e.what());
    }
}

void TFeldoraForm::trace(const char *routine)
{
    if (MIDebugMode && MIDebugMode->isChecked())
        dm->appendPlainText(QString::fromUtf8(routine));
}

QString TFeldoraForm::traceText() const { return dm->toPlainText(); }

FarFieldInput TFeldoraForm::currentInput() const
{
    FarFieldInput in;
    in.fixedFrequencyMode = fixedFrequency_;
    in.band = bandIndex_;
    in.frequency = workingFrequency_;
    in.power = power_;
    in.totalAtt = cable_.TotalAtt;
    in.gain = gain_;
    in.marginDb = StrictToFloat(DropTail(text(EditmySafetyFactor), 3));
    return in;
}

void TFeldoraForm::UpdateFreq()
{
    trace("UpdateFreq");
    bandIndex_ = static_cast<BandIndex>(CBBand->currentIndex() + 1);
    workingFrequency_ = BandCenter(bandIndex_);
    EditFreq->setText(qs(FormatAuto6(BandLowerEdge(bandIndex_)) + " - " + FormatAuto6(BandUpperEdge(bandIndex_))));
}

void TFeldoraForm::UpdateBetriebsart()
{
    trace("UpdateBetriebsart");
    const int modeType = RGMode->itemIndex() + 1;
    const int source = RGFCCBNetzA->itemIndex();
    const int duty = RGDutyCycle->itemIndex();
    freeDuty_ = TolerantToFloat(text(EditfreeTXRX));
    factors_ = CalculateFactors(modeType, source, duty, freeDuty_);

    EditMode->setText(qs(ModeName(modeType)));
    EditModeFactor->setText(qs(FactorText(factors_.ModeFactor)));
    EditFmodPers->setText(qs(FactorText(factors_.ModeFactor)));
    EditDutyCycle->setText(qs(FactorText(factors_.DutyFactor)));
    EditFB->setText(qs(FactorText(factors_.DutyFactor)));
    EditFactor->setText(qs(FactorText(factors_.TotalFactor)));
    const QColor red(255, 0, 0);
    EditModeFactor->setBackground(factors_.ModeFactor < 1 ? red : ui::buttonFace());
    EditDutyCycle->setBackground(factors_.DutyFactor < 1 ? red : ui::buttonFace());
    EditFactor->setBackground(factors_.TotalFactor < 1 ? red : ui::buttonFace());
    const auto colour = [](QLabel *l, const QColor &c) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, c);
        l->setPalette(p);
    };
    const QColor grey(128, 128, 128);
    colour(STRXTX, factors_.DutyFactor < 1 ? red : grey);
    colour(STBNetzA, source == 1 ? QColor(0, 128, 0) : grey);
    colour(STFCC, source == 0 ? red : grey);
    calc();
}

void TFeldoraForm::calc()
{
    trace("calc (pro)");
    const double margin = StrictToFloat(DropTail(text(EditmySafetyFactor), 3));
    const double height = TolerantToFloat(text(EditHoehe));
    if (!range::kHeight.contains(height))
        throw ConvertError(range::kHeight.refusal("Die Höhe"));
    height_ = height;
    if (!fixedFrequency_)
        UpdateFreq();
    FarFieldInput in = currentInput();
    in.marginDb = margin;
    result_ = CalculateFarField(in, factors_);

    const FarFieldTexts t = FormatFarField(result_);
    EditEps->setText(qs(t.ELimit));
    EditHps->setText(qs(t.HLimit));
    EditAntIn->setText(qs(t.AntennaInputPower));
    EditEIRP->setText(qs(t.EIRP));
    EditERP->setText(qs(t.ERP));
    EditrPS->setText(qs(t.SafetyDistance));
    EditrNahfeld->setText(qs(t.NearFieldDistance));
    EditGain->setText(qs(GainText(gain_)));
    EditPower->setText(qs(PowerText(power_)));
    WiesCalc();
    WinkelCalc();
}

void TFeldoraForm::calcCall()
{
    trace("calcCall");
    calc();
}

void TFeldoraForm::setPowerFromInverse(double power)
{
    // A wanted value far off, or a huge loss, asks for a power no station has.
    if (!range::kPower.contains(power)) {
        ShowWarning("Die berechnete Leistung liegt nicht zwischen " + range::kPower.betweenText()
                    + ". Die Leistung bleibt unverändert.");
        return;
    }
    power_ = power;
    EditPower->setText(qs(FormatValue("%3.2f", power)));
    calc();
}

void TFeldoraForm::PowerCalc(double distance)
{
    if (!fixedFrequency_)
        bandIndex_ = static_cast<BandIndex>(CBBand->currentIndex() + 1);
    const double p = PowerForDistance(distance, currentInput(), factors_);
    if (p <= 0) {
        ShowWarning("Für diese Frequenz gibt es keinen Grenzwert; eine Leistung für einen vorgegebenen "
                    "Abstand lässt sich nicht berechnen.");
        return;
    }
    setPowerFromInverse(p);
}

bool TFeldoraForm::refuseWanted(double wanted, const char *what)
{
    if (wanted > 0)
        return false;
    ShowWarning(std::string(what) + " muß größer als 0 sein!");
    return true;
}

void TFeldoraForm::CBBandChange()
{
    trace("CBBandChange");
    currentFileName_.clear();
    fixedFrequency_ = false;
    UpdateFreq();
    UpdateCable();
    UpdateBetriebsart();
    LBTypenClick();
    if (matchingLine_ >= 0) {
        ButTakeAntClick();
    } else {
        gain_ = 0;
        EditAntenne->clear();
    }
    calc();
}

void TFeldoraForm::EditFreqDblClick()
{
    currentFileName_.clear();
    auto answer = Dialogs().inputText("Berechnung mit fester Frequenz", "Bitte Frequenz in MHz eingeben", "70,443");
    if (!answer)
        return;
    auto f = typedNumber(*answer);
    if (!f) {
        ShowWarning("Die Frequenz muß eine Gleitkommazahl sein!");
        return;
    }
    if (*f <= 0) {
        ShowWarning("Die Frequenz muß größer als 0 MHz sein!");
        return;
    }
    if (!range::kFrequency.contains(*f)) {
        ShowWarning(range::kFrequency.refusal("Die Frequenz"));
        return;
    }
    workingFrequency_ = *f;
    EditFreq->setText(qs(FormatAuto6(*f)));
    fixedFrequency_ = true;
    CBBand->setFocus();
    CBBand->setCurrentIndex(-1);
    bandIndex_ = 0;
    const QString line = qs("Freq: " + FormatValue("%6.3f", *f));
    dm->appendPlainText(line);
    dm->appendPlainText(line);
    calc();
}

void TFeldoraForm::EditHoeheExit()
{
    trace("EditHoeheExit");
    auto h = typedNumber(EditHoehe->text());
    if (!h || *h < 0 || !range::kHeight.contains(*h)) {
        ShowWarning(h && *h >= 0 ? range::kHeight.refusal("Die Höhe")
                                 : "Die Höhe muß eine positive Gleichkommazahl sein!");
        EditHoehe->clear();
        EditHoehe->setFocus();
        return;
    }
    height_ = *h;
    // Shown and saved with the decimal comma, so the configuration file reads it back.
    EditHoehe->setText(qs(NormalizeDecimal(Trim(text(EditHoehe)))));
    calcCall();
}

void TFeldoraForm::EditPowerExit()
{
    trace("EditPowerExit");
    auto p = typedNumber(EditPower->text());
    if (!p || *p < 0 || !range::kPower.contains(*p)) {
        ShowWarning(p && *p >= 0 ? range::kPower.refusal("Die Leistung")
                                 : "Die Leistung muß eine positive Gleichkommazahl sein!");
        EditPower->clear();
        EditPower->setFocus();
        return;
    }
    power_ = *p;
    calcCall();
}

void TFeldoraForm::N10WClick()
{
    EditPower->setText("10");
    EditPowerExit();
}

void TFeldoraForm::N100WClick()
{
    EditPower->setText("100");
    EditPowerExit();
}

void TFeldoraForm::N750WClick()
{
    EditPower->setText("750");
    EditPowerExit();
}

void TFeldoraForm::Abstand5mClick() { PowerCalc(5); }
void TFeldoraForm::Abstand10mClick() { PowerCalc(10); }
void TFeldoraForm::AbstandbelClick() { EditrPSDblClick(); }

void TFeldoraForm::EditrPSDblClick()
{
    trace("EditrPSDblClick");
    auto answer = Dialogs().inputText("Berechnung bei vorgegebenem Abstand", "Bitte Abstand in Metern eingeben", "10");
    if (!answer)
        return;
    auto r = typedNumber(*answer);
    if (!r) {
        ShowWarningAfter("Der Abstand muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*r, "Der Abstand"))
        return;
    PowerCalc(*r);
}

void TFeldoraForm::EditEIRPDblClick()
{
    trace("EditEIRPDblClick");
    setPowerFromInverse(PowerForEIRP(9.99, currentInput()));
}

void TFeldoraForm::EditERPDblClick()
{
    trace("EditERPDblClick");
    setPowerFromInverse(PowerForERP(9.99, currentInput()));
}

void TFeldoraForm::askWantedPower(const char *title, const char *prompt, const char *preset, const char *quantity,
                                  double (*powerFor)(double, const FarFieldInput &))
{
    auto answer = Dialogs().inputText(title, prompt, preset);
    if (!answer)
        return;
    auto wanted = typedNumber(*answer);
    if (!wanted) {
        ShowWarningAfter(std::string(quantity) + " muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*wanted, quantity))
        return;
    setPowerFromInverse(powerFor(*wanted, currentInput()));
}

void TFeldoraForm::LaEIRPDblClick()
{
    trace("LaEIRPDblClick");
    askWantedPower("Berechnung für vorgegebene EIRP", "Bitte EIRP in Watt eingeben", "41", "Die EIRP", PowerForEIRP);
}

void TFeldoraForm::LaERPDblClick()
{
    trace("LaERPDblClick");
    askWantedPower("Berechnung für vorgegebene ERP", "Bitte ERP in Watt eingeben", "25", "Die ERP", PowerForERP);
}

void TFeldoraForm::EditGainDblClick()
{
    for (ui::TEdit *e : {EditAntName, EditAntTyp, EditAntGain, EditAntenne, EditAntennenTyp, EditGain, EditEIRP, EditrPS})
        e->clear();
    gain_ = 0;
    calc();
}

void TFeldoraForm::EditAntenneChange()
{
    trace("EditAntenneChange");
    PageControl->setCurrentWidget(TabSheetAntenne);
}

void TFeldoraForm::EditModeClick()
{
    trace("EditModeClick");
    PageControl->setCurrentWidget(TabsheetBetriebsart);
}

void TFeldoraForm::EditAttClick()
{
    trace("EditAttClick");
    PageControl->setCurrentWidget(TabSheetKabel);
}

void TFeldoraForm::EditfreeTXRXDblClick()
{
    trace("EditfreeTXRXDblClick");
    auto answer = Dialogs().inputText("TXRX-Faktor manuell eingeben", "TX/RX-Faktor zwischen \r\n0,04 ... 1.0 auswählen",
                                      "0,167");
    if (!answer)
        return;
    EditfreeTXRX->setText(qs(FreeDutyFactorText(answer->toStdString())));
    CBBand->setFocus();
    UpdateBetriebsart();
}

void TFeldoraForm::EditmySafetyFactorDblClick()
{
    trace("EditmySafetyFactorDblClick");
    auto answer = Dialogs().inputText("Persönlicher Sicherheitsfaktor", "Faktor in dB eingeben:", "0");
    if (!answer)
        return;
    const std::optional<std::string> margin = SafetyMarginText(answer->toStdString());
    if (!margin) {
        ShowWarning(range::kMargin.refusal("Der Sicherheitsfaktor"));
        return;
    }
    EditmySafetyFactor->setText(qs(*margin));
    CBBand->setFocus();
    UpdateBetriebsart();
}
