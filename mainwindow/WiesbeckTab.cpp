// The Wiesbeck page: near-field safety distance from the study tables, and the power for a
// wanted near-field distance.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "views/DialogService.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/ValueRanges.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>

WiesInput TFeldoraForm::wiesInput() const
{
    WiesInput in;
    in.wiesAnt = static_cast<WiesAntIndex>(LBWiesAnt->currentRow() + 1);
    in.band = result_.effectiveBand;
    in.height = height_;
    in.AntennaInputPower = result_.AntennaInputPower;
    in.DutyFactor = result_.DutyFactor;
    in.ModeFactor = result_.ModeFactor;
    in.SafetyFieldFactor = result_.SafetyFieldFactor;
    in.FSi = fsi_;
    in.useAltDirectivity = CBabwDir->isChecked();
    in.AltDirectivity = altDirectivity_;
    in.applyDuty = CBWiesRXTX->isChecked();
    in.applyMode = CBWiesMode->isChecked();
    return in;
}

void TFeldoraForm::WiesCalc()
{
    trace("WiesCalc");
    wies_ = WiesCalculate(wiesInput());
    GBWiesInfo->setTitle(QString::fromUtf8(kWiesInfoCaption));
    static const QString info = QString::fromUtf8(kWiesInfoText).replace("\r\n", "\n");
    if (MemoWiesInfo->toPlainText() != info) // refilling an unchanged text only costs layout time
        MemoWiesInfo->setPlainText(info);
    MemoWiesInfo->moveCursor(QTextCursor::Start);
    GBWiesAbstaende->setTitle(QString::fromUtf8(kWiesDistanceCaption));
    laFakHoeheBoden->setText(QString::fromUtf8(kWiesHeightFactorLabel));
    const WiesTexts t = FormatWies(wies_, altDirectivity_);
    EditDirectivityUsed->setText(qs(t.DirectivityUsed));
    EditDirectivity->setText(qs(t.Directivity));
    EditBodenHoehe->setText(qs(t.HeightGroundFactor));
    EditWiesEIRP->setText(qs(t.WiesEIRP));
    EditkFitPS->setText(qs(t.kFitPS));
    EditFSi->setText(qs(t.FSi));
    EditWiesAbstandPS->setText(qs(t.WiesAbstandPS));
}

void TFeldoraForm::WiesPowerCalc(double distance)
{
    trace("WiesPowerCalc");
    EditWiesAbstandPS->setBackground(QColor(255, 0, 0));
    EditWiesAbstandPS->clear();
    const bool tracing = MIDebugMode->isChecked();
    const WiesPowerSearchResult found = WiesPowerSearch(
        wiesInput(), cable_.TotalAtt, distance,
        [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); },
        [this, tracing](const std::string &line) {
            if (tracing)
                dm->appendPlainText(qs(line));
        });
    if (found.status == WiesPowerSearchStatus::Found)
        power_ = found.newPep;
    if (tracing)
        dm->appendPlainText(qs(WiesNewPepTrace(power_)));
    EditWiesAbstandPS->setBackground(QColor(171, 226, 131));
    if (found.status == WiesPowerSearchStatus::AlreadyAtOneWatt)
        ShowInfo("Der gewünschte Abstand lässt sich schon mit 1 W nicht einhalten. Die Leistung bleibt unverändert.");
    calc();
}

void TFeldoraForm::LBWiesAntClick()
{
    trace("LBWiesAntClick");
    WiesCalc();
}

void TFeldoraForm::EditDirectivityUsedExit()
{
    trace("EditDirectivityUsedExit");
    const WiesInput in = wiesInput();
    const double studyDirectivity = WiesDirectivity(in.wiesAnt, in.band);
    auto typed = TryStrictToFloat(NormalizeDecimal(EditDirectivityUsed->text().toStdString()));
    if (!typed || !range::kGain.contains(*typed)) {
        ShowWarning(typed ? range::kGain.refusal("Die abweichende Directivity")
                          : "Die abweichende Directivity muß eine Gleitkommazahl sein!");
        EditDirectivityUsed->setText(qs(FormatValue("%3.2f", studyDirectivity)));
        return;
    }
    altDirectivity_ = *typed;
    calc();
}

void TFeldoraForm::PMIWiesbeckDirctivityuebernehmenClick()
{
    trace("PMIWiesbeckDirctivityuebernehmenClick");
    const WiesInput in = wiesInput();
    altDirectivity_ = WiesDirectivity(in.wiesAnt, in.band);
    calc();
}

void TFeldoraForm::PMIFernfeldGewinnuebernehmenClick()
{
    trace("PMIFernfeldGewinnuebernehmenClick");
    altDirectivity_ = gain_;
    calc();
}

void TFeldoraForm::showFsiMark()
{
    QPalette p = STSicherheitsfaktor->palette();
    const bool red = FsiMarkedRed(fsi_);
    p.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(128, 128, 128));
    STSicherheitsfaktor->setPalette(p);
    EditFSi->setBackground(red ? QColor(255, 0, 0) : QColor(Qt::white));
}

void TFeldoraForm::EditFSiDblClick()
{
    trace("EditFSiDblClick");
    auto answer = Dialogs().inputText("Wiesbeck-Sicherheitsfaktor", "Bitte FSi >= 1 eingeben: ", "1,4142");
    if (!answer)
        return;
    auto fsi = FsiFromTyped(answer->toStdString());
    if (!fsi) {
        ShowWarning("Der Sicherheitsfaktor muss eine Gleitkommazahl sein!");
        return;
    }
    if (!range::kSafetyFactor.contains(*fsi)) {
        ShowWarning(range::kSafetyFactor.refusal("Der Sicherheitsfaktor"));
        return;
    }
    fsi_ = *fsi;
    EditFSi->setText(qs(FormatValue("%6.4f", fsi_)));
    showFsiMark();
    calc();
}

void TFeldoraForm::EditWiesAbstandPSDblClick()
{
    trace("EditWiesAbstandPSDblClick");
    auto answer = Dialogs().inputText("Wiesback-Rechnung bei vorgegebenem Abstand", "Bitte Abstand in Metern eingeben",
                                      "10");
    if (!answer)
        return;
    auto distance = TryStrictToFloat(NormalizeDecimal(answer->toStdString()));
    if (!distance) {
        ShowWarningAfter("Der Abstand muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*distance, "Der Abstand"))
        return;
    WiesPowerCalc(*distance);
}
