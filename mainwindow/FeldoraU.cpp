// The window as a view of its station model: render() and the handlers of its own fields.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "views/DialogService.h"
#include "views/HandlerGuard.h"
#include "util/Messages.h"

#include <QAction>
#include <QCollator>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// A dialog's answer as the model takes it; nullopt = "Abbrechen".
std::optional<std::string> answerText(const std::optional<QString> &answer)
{
    if (!answer)
        return std::nullopt;
    return answer->toStdString();
}

std::optional<std::string> ask(const char *title, const char *prompt, const char *preset)
{
    return answerText(Dialogs().inputText(QString::fromUtf8(title), QString::fromUtf8(prompt), QString::fromUtf8(preset)));
}

// Writes a field only when its text changes, so the cursor of an unchanged field stays.
void showText(QLineEdit *edit, const std::string &text)
{
    const QString t = qs(text);
    if (edit->text() != t)
        edit->setText(t);
}

void showList(QListWidget *list, const std::vector<std::string> &entries, int row)
{
    const QSignalBlocker blocker(list);
    bool same = list->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < list->count(); ++i)
        same = list->item(i)->text() == qs(entries[static_cast<size_t>(i)]);
    if (!same) {
        list->clear();
        for (const std::string &e : entries)
            list->addItem(qs(e));
    }
    if (list->currentRow() != row || row < 0)
        list->setCurrentRow(row);
    if (row < 0)
        list->clearSelection();
}

void colour(QLabel *label, const QColor &c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

void SortForList(std::vector<std::string> &names)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const std::string &a, const std::string &b) { return collator.compare(qs(a), qs(b)) < 0; });
}

TFeldoraForm::TFeldoraForm(const FormOptions &options, QWidget *parent)
    : QMainWindow(parent), programDir_(options.programDir), showSplash_(options.showSplash)
{
    if (!programDir_.endsWith('/'))
        programDir_ += '/';
    settingsFile_ = options.settingsFile.isEmpty() ? programDir_ + "Feldora.ini" : options.settingsFile;
    documentDir_ = options.documentDir;
    createControls();
    connect(MIDebugMode, &QAction::toggled, this, [this](bool on) { model_.setTracing(on); });
    connect(MIAutoload, &QAction::toggled, this, [this](bool on) { model_.setAutoload(on); });
    connect(EditCall, &QLineEdit::textChanged, this, [this](const QString &t) { model_.setCallsign(ss(t)); });
    FormCreate();
}

TFeldoraForm::~TFeldoraForm() = default;

void TFeldoraForm::guarded(const std::function<void()> &body)
{
    RunGuarded(body);
    RunGuarded([this] { render(); });
}

void TFeldoraForm::trace(const char *routine)
{
    if (MIDebugMode && MIDebugMode->isChecked())
        dm->appendPlainText(QString::fromUtf8(routine));
}

QString TFeldoraForm::traceText() const { return dm->toPlainText(); }

bool TFeldoraForm::openConfiguration(const QString &fileName)
{
    bool opened = false;
    guarded([&] { opened = model_.Oeffnen(ss(fileName)); });
    return opened;
}

void TFeldoraForm::render()
{
    const StationShown &s = model_.shown();
    showText(EditCall, s.EditCall);
    if (CBBand->currentIndex() != s.bandPosition)
        CBBand->setCurrentIndex(s.bandPosition);
    showText(EditFreq, s.EditFreq);
    showText(EditAntenne, s.EditAntenne);
    showText(EditAntennenTyp, s.EditAntennenTyp);
    showText(EditHoehe, s.EditHoehe);
    showText(EditPower, s.EditPower);
    showText(EditMode, s.EditMode);
    showText(EditGain, s.EditGain);
    showText(EditAtt, s.EditAtt);
    showText(EditEps, s.EditEps);
    showText(EditHps, s.EditHps);
    showText(EditFmodPers, s.EditFmodPers);
    showText(EditFB, s.EditFB);
    showText(EditAntIn, s.EditAntIn);
    showText(EditEIRP, s.EditEIRP);
    showText(EditERP, s.EditERP);
    showText(EditrNahfeld, s.EditrNahfeld);
    showText(EditrPS, s.EditrPS);

    showList(LBHersteller, s.manufacturers, s.manufacturerRow);
    showList(LBTypen, s.types, s.typeRow);
    showList(LBAntBand, s.bandLines, s.bandLineRow);
    showText(EditAntName, s.EditAntName);
    showText(EditAntTyp, s.EditAntTyp);
    showText(EditAntGain, s.EditAntGain);
    for (ui::TEdit *e : {EditAntName, EditAntTyp, EditAntGain})
        e->setToolTip(s.antennaTipsFromText ? e->text() : e->property("hint").toString());
    ButTakeAnt->setEnabled(s.takeAntennaEnabled);

    RGMode->setItemIndex(s.modePosition);
    RGFCCBNetzA->setItemIndex(s.sourcePosition);
    RGDutyCycle->setItemIndex(s.dutyPosition);
    showText(EditfreeTXRX, s.EditfreeTXRX);
    showText(EditModeFactor, s.EditModeFactor);
    showText(EditDutyCycle, s.EditDutyCycle);
    showText(EditFactor, s.EditFactor);
    showText(EditmySafetyFactor, s.EditmySafetyFactor);

    {
        const QSignalBlocker blocker(CLBCable);
        for (int k = 0; k < CLBCable->count(); ++k)
            CLBCable->item(k)->setCheckState(k == s.cableChecked ? Qt::Checked : Qt::Unchecked);
        if (CLBCable->currentRow() != s.cableRow)
            CLBCable->setCurrentRow(s.cableRow);
        if (s.cableRow < 0)
            CLBCable->clearSelection();
    }
    EditCableAtt100->setKind(s.cableAtt100Editable ? ui::FieldKind::Input : ui::FieldKind::Display);
    showText(EditAttFreq, s.EditAttFreq);
    showText(EditCableAtt100, s.EditCableAtt100);
    showText(EditCableLength, s.EditCableLength);
    showText(EditCableAtt, s.EditCableAtt);
    showText(EditPlugAtt, s.EditPlugAtt);
    showText(EditTotalAtt, s.EditTotalAtt);

    showList(LBWiesAnt, s.wiesAntennas, s.wiesAntRow);
    CBabwDir->setChecked(s.CBabwDir);
    CBWiesRXTX->setChecked(s.CBWiesRXTX);
    CBWiesMode->setChecked(s.CBWiesMode);
    showText(EditDirectivity, s.EditDirectivity);
    showText(EditDirectivityUsed, s.EditDirectivityUsed);
    showText(EditBodenHoehe, s.EditBodenHoehe);
    showText(EditWiesEIRP, s.EditWiesEIRP);
    showText(EditkFitPS, s.EditkFitPS);
    showText(EditWiesAbstandPS, s.EditWiesAbstandPS);
    showText(EditFSi, s.EditFSi);
    if (s.wiesCaptionsShown && GBWiesInfo->title() != QString::fromUtf8(kWiesInfoCaption)) {
        GBWiesInfo->setTitle(QString::fromUtf8(kWiesInfoCaption));
        MemoWiesInfo->setPlainText(QString::fromUtf8(kWiesInfoText).replace("\r\n", "\n"));
        MemoWiesInfo->moveCursor(QTextCursor::Start);
        GBWiesAbstaende->setTitle(QString::fromUtf8(kWiesDistanceCaption));
        laFakHoeheBoden->setText(QString::fromUtf8(kWiesHeightFactorLabel));
    }

    LabelWinkOK->setVisible(s.angleDataPresent);
    PageControl->setTabVisible(PageControl->indexOf(TabSheetWinkel), s.angleTabVisible);
    RGPol->setItemIndex(s.polPosition);
    if (LabelWinkAnt->text() != qs(s.angleTitle)) {
        LabelWinkAnt->setText(qs(s.angleTitle));
        // A title wider than its label shows its beginning; the tooltip holds all of it.
        const bool cut = LabelWinkAnt->fontMetrics().horizontalAdvance(LabelWinkAnt->text()) > LabelWinkAnt->width();
        LabelWinkAnt->setToolTip(cut ? LabelWinkAnt->text() : QString());
    }
    renderAngleTable();
    renderColours();
    applyRequests();
}

void TFeldoraForm::renderColours()
{
    const StationShown &s = model_.shown();
    if (s.EditMode.empty())
        return; // the mode update has not run yet
    const Factors &f = model_.factors();
    const QColor red(255, 0, 0), grey(128, 128, 128);
    EditModeFactor->setBackground(f.ModeFactor < 1 ? red : ui::buttonFace());
    EditDutyCycle->setBackground(f.DutyFactor < 1 ? red : ui::buttonFace());
    EditFactor->setBackground(f.TotalFactor < 1 ? red : ui::buttonFace());
    colour(STRXTX, f.DutyFactor < 1 ? red : grey);
    colour(STBNetzA, s.sourcePosition == 1 ? QColor(0, 128, 0) : grey);
    colour(STFCC, s.sourcePosition == 0 ? red : grey);
    if (s.fsiMarked) {
        const bool marked = FsiMarkedRed(model_.fsi());
        colour(STSicherheitsfaktor, marked ? red : grey);
        EditFSi->setBackground(marked ? red : QColor(Qt::white));
    }
}

void TFeldoraForm::applyRequests()
{
    switch (model_.takePageRequest()) {
    case StationPage::Antenne:
        PageControl->setCurrentWidget(TabSheetAntenne);
        break;
    case StationPage::Betriebsart:
        PageControl->setCurrentWidget(TabsheetBetriebsart);
        break;
    case StationPage::Kabel:
        PageControl->setCurrentWidget(TabSheetKabel);
        break;
    case StationPage::None:
        break;
    }
    QWidget *focus = nullptr;
    switch (model_.takeFocusRequest()) {
    case StationFocus::Band: focus = CBBand; break;
    case StationFocus::Hoehe: focus = EditHoehe; break;
    case StationFocus::Power: focus = EditPower; break;
    case StationFocus::CableLength: focus = EditCableLength; break;
    case StationFocus::PlugAtt: focus = EditPlugAtt; break;
    case StationFocus::Gain: focus = EditGain; break;
    case StationFocus::None: break;
    }
    if (focus)
        focus->setFocus();
}

void TFeldoraForm::CBBandChange() { model_.CBBandChange(CBBand->currentIndex()); }

void TFeldoraForm::EditFreqDblClick()
{
    model_.EditFreqDblClick(ask("Berechnung mit fester Frequenz", "Bitte Frequenz in MHz eingeben", "70,443"));
}

void TFeldoraForm::EditHoeheExit() { model_.EditHoeheExit(ss(EditHoehe->text())); }
void TFeldoraForm::EditPowerExit() { model_.EditPowerExit(ss(EditPower->text())); }
void TFeldoraForm::N10WClick() { model_.N10WClick(); }
void TFeldoraForm::N100WClick() { model_.N100WClick(); }
void TFeldoraForm::N750WClick() { model_.N750WClick(); }
void TFeldoraForm::Abstand5mClick() { model_.Abstand5mClick(); }
void TFeldoraForm::Abstand10mClick() { model_.Abstand10mClick(); }
void TFeldoraForm::AbstandbelClick() { EditrPSDblClick(); }

void TFeldoraForm::EditrPSDblClick()
{
    model_.EditrPSDblClick(ask("Berechnung bei vorgegebenem Abstand", "Bitte Abstand in Metern eingeben", "10"));
}

void TFeldoraForm::EditEIRPDblClick() { model_.EditEIRPDblClick(); }
void TFeldoraForm::EditERPDblClick() { model_.EditERPDblClick(); }

void TFeldoraForm::LaEIRPDblClick()
{
    model_.LaEIRPDblClick(ask("Berechnung für vorgegebene EIRP", "Bitte EIRP in Watt eingeben", "41"));
}

void TFeldoraForm::LaERPDblClick()
{
    model_.LaERPDblClick(ask("Berechnung für vorgegebene ERP", "Bitte ERP in Watt eingeben", "25"));
}

void TFeldoraForm::EditGainDblClick() { model_.EditGainDblClick(); }
void TFeldoraForm::EditAntenneChange() { model_.EditAntenneChange(); }
void TFeldoraForm::EditModeClick() { model_.EditModeClick(); }
void TFeldoraForm::EditAttClick() { model_.EditAttClick(); }
void TFeldoraForm::RGModeClick() { model_.RGModeClick(RGMode->itemIndex()); }
void TFeldoraForm::RGFCCBNetzAClick() { model_.RGFCCBNetzAClick(RGFCCBNetzA->itemIndex()); }
void TFeldoraForm::RGDutyCycleClick() { model_.RGDutyCycleClick(RGDutyCycle->itemIndex()); }

void TFeldoraForm::EditfreeTXRXDblClick()
{
    model_.EditfreeTXRXDblClick(
        ask("TXRX-Faktor manuell eingeben", "TX/RX-Faktor zwischen \r\n0,04 ... 1.0 auswählen", "0,167"));
}

void TFeldoraForm::EditmySafetyFactorDblClick()
{
    model_.EditmySafetyFactorDblClick(ask("Persönlicher Sicherheitsfaktor", "Faktor in dB eingeben:", "0"));
}
