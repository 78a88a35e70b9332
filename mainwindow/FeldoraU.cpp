// The window as a view of its station model: render() and the handlers of its own fields.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "util/Messages.h"
#include "views/DialogService.h"
#include "views/HandlerGuard.h"

#include <QAction>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace
{

// A list is refilled whenever the model wrote its entries; its current row follows the model.
void showList(QListWidget *list, const ShownList &entries, const ShownList &before, bool rendered, int row)
{
    const QSignalBlocker blocker(list);
    if (!rendered || entries.writes() != before.writes()) {
        list->clear();
        for (const std::string &e : entries.get())
            list->addItem(qs(e));
    }
    if (list->currentRow() != row)
        list->setCurrentRow(row);
    if (row < 0 && !list->selectedItems().isEmpty())
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
    // What the user types into an input field counts before he leaves it, as it always did.
    const std::pair<ui::TEdit *, StationEntry> entries[] = {{EditHoehe, StationEntry::Hoehe},
                                                            {EditPower, StationEntry::Power},
                                                            {EditCableLength, StationEntry::CableLength},
                                                            {EditPlugAtt, StationEntry::PlugAtt},
                                                            {EditCableAtt100, StationEntry::CableAtt100},
                                                            {EditDirectivityUsed, StationEntry::DirectivityUsed},
                                                            {EditFSi, StationEntry::FSi}};
    for (const auto &[edit, entry] : entries)
        connect(edit, &QLineEdit::textEdited, this,
                [this, entry = entry](const QString &t) { model_.entryTyped(entry, ss(t)); });
    // What the lists show as current, also when the keyboard moved it without a handler.
    connect(CBBand, &QComboBox::currentIndexChanged, this, [this](int i) { model_.setBandPosition(i); });
    connect(LBHersteller, &QListWidget::currentRowChanged, this, [this](int r) { model_.setManufacturerRow(r); });
    connect(LBTypen, &QListWidget::currentRowChanged, this, [this](int r) { model_.setTypeRow(r); });
    connect(LBAntBand, &QListWidget::currentRowChanged, this, [this](int r) { model_.setBandLineRow(r); });
    connect(CLBCable, &QListWidget::currentRowChanged, this, [this](int r) { model_.setCableRow(r); });
    connect(LBWiesAnt, &QListWidget::currentRowChanged, this, [this](int r) { model_.setWiesAntRow(r); });
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

QString TFeldoraForm::traceText() const
{
    return dm->toPlainText();
}

bool TFeldoraForm::openConfiguration(const QString &fileName)
{
    bool opened = false;
    guarded([&] { opened = model_.Oeffnen(ss(fileName)); });
    return opened;
}

// A field is written when the model wrote it: a field being typed into keeps what the user
// typed until he leaves it, and a handler's field shows what the handler made of it.
void TFeldoraForm::showText(QLineEdit *edit, const ShownText &text, const ShownText &before)
{
    if (!rendered_ || text.writes() != before.writes()) {
        const QString t = qs(text);
        if (edit->text() != t)
            edit->setText(t);
    }
}

std::optional<std::string> TFeldoraForm::ask(const char *title, const char *prompt, const char *preset)
{
    const std::optional<QString> answer =
        Dialogs().inputText(QString::fromUtf8(title), QString::fromUtf8(prompt), QString::fromUtf8(preset));
    if (!answer)
        return std::nullopt;
    return answer->toStdString();
}

void TFeldoraForm::render()
{
    const StationShown &s = model_.shown();
    const StationShown b = lastShown_; // a handler that leaving a field runs renders on its own
    // The fields' texts first, then the page (which may take the focus from a field, and a list
    // that gets it may pick its first row), then the lists, as the update routines did.
    struct Field {
        QLineEdit *edit;
        ShownText StationShown::*text;
    };
    const Field fields[] = {
        {EditCall, &StationShown::EditCall},
        {EditFreq, &StationShown::EditFreq},
        {EditAntenne, &StationShown::EditAntenne},
        {EditAntennenTyp, &StationShown::EditAntennenTyp},
        {EditHoehe, &StationShown::EditHoehe},
        {EditPower, &StationShown::EditPower},
        {EditMode, &StationShown::EditMode},
        {EditGain, &StationShown::EditGain},
        {EditAtt, &StationShown::EditAtt},
        {EditEps, &StationShown::EditEps},
        {EditHps, &StationShown::EditHps},
        {EditFmodPers, &StationShown::EditFmodPers},
        {EditFB, &StationShown::EditFB},
        {EditAntIn, &StationShown::EditAntIn},
        {EditEIRP, &StationShown::EditEIRP},
        {EditERP, &StationShown::EditERP},
        {EditrNahfeld, &StationShown::EditrNahfeld},
        {EditrPS, &StationShown::EditrPS},
        {EditAntName, &StationShown::EditAntName},
        {EditAntTyp, &StationShown::EditAntTyp},
        {EditAntGain, &StationShown::EditAntGain},
        {EditfreeTXRX, &StationShown::EditfreeTXRX},
        {EditModeFactor, &StationShown::EditModeFactor},
        {EditDutyCycle, &StationShown::EditDutyCycle},
        {EditFactor, &StationShown::EditFactor},
        {EditmySafetyFactor, &StationShown::EditmySafetyFactor},
        {EditAttFreq, &StationShown::EditAttFreq},
        {EditCableAtt100, &StationShown::EditCableAtt100},
        {EditCableLength, &StationShown::EditCableLength},
        {EditCableAtt, &StationShown::EditCableAtt},
        {EditPlugAtt, &StationShown::EditPlugAtt},
        {EditTotalAtt, &StationShown::EditTotalAtt},
        {EditDirectivity, &StationShown::EditDirectivity},
        {EditDirectivityUsed, &StationShown::EditDirectivityUsed},
        {EditBodenHoehe, &StationShown::EditBodenHoehe},
        {EditWiesEIRP, &StationShown::EditWiesEIRP},
        {EditkFitPS, &StationShown::EditkFitPS},
        {EditWiesAbstandPS, &StationShown::EditWiesAbstandPS},
        {EditFSi, &StationShown::EditFSi},
    };
    EditCableAtt100->setKind(s.cableAtt100Editable ? ui::FieldKind::Input : ui::FieldKind::Display);
    for (const Field &f : fields)
        showText(f.edit, s.*f.text, b.*f.text);
    if (CBBand->currentIndex() != s.bandPosition)
        CBBand->setCurrentIndex(s.bandPosition);
    showPage();
    LabelWinkOK->setVisible(s.angleDataPresent);
    PageControl->setTabVisible(PageControl->indexOf(TabSheetWinkel), s.angleTabVisible);

    showList(LBHersteller, s.manufacturers, b.manufacturers, rendered_, s.manufacturerRow);
    showList(LBTypen, s.types, b.types, rendered_, s.typeRow);
    showList(LBAntBand, s.bandLines, b.bandLines, rendered_, s.bandLineRow);
    const auto tip = [](ui::TEdit *e, const std::string &t) {
        e->setToolTip(t.empty() ? e->property("hint").toString() : qs(t));
    };
    tip(EditAntName, s.antNameTip);
    tip(EditAntTyp, s.antTypTip);
    tip(EditAntGain, s.antGainTip);
    if (s.takeAntennaDisables != b.takeAntennaDisables)
        ButTakeAnt->setEnabled(false); // as on the way: the button gives its focus away
    ButTakeAnt->setEnabled(s.takeAntennaEnabled);

    RGMode->setItemIndex(s.modePosition);
    RGFCCBNetzA->setItemIndex(s.sourcePosition);
    RGDutyCycle->setItemIndex(s.dutyPosition);
    {
        const QSignalBlocker blocker(CLBCable);
        for (int k = 0; k < CLBCable->count(); ++k)
            CLBCable->item(k)->setCheckState(k == s.cableChecked ? Qt::Checked : Qt::Unchecked);
        if (CLBCable->currentRow() != s.cableRow)
            CLBCable->setCurrentRow(s.cableRow);
        if (s.cableRow < 0)
            CLBCable->clearSelection();
    }
    showList(LBWiesAnt, s.wiesAntennas, b.wiesAntennas, rendered_, s.wiesAntRow);
    CBabwDir->setChecked(s.CBabwDir);
    CBWiesRXTX->setChecked(s.CBWiesRXTX);
    CBWiesMode->setChecked(s.CBWiesMode);
    if (s.wiesCaptionsShown && GBWiesInfo->title() != QString::fromUtf8(kWiesInfoCaption)) {
        GBWiesInfo->setTitle(QString::fromUtf8(kWiesInfoCaption));
        MemoWiesInfo->setPlainText(QString::fromUtf8(kWiesInfoText).replace("\r\n", "\n"));
        MemoWiesInfo->moveCursor(QTextCursor::Start);
        GBWiesAbstaende->setTitle(QString::fromUtf8(kWiesDistanceCaption));
        laFakHoeheBoden->setText(QString::fromUtf8(kWiesHeightFactorLabel));
    }

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
    lastShown_ = model_.shown();
    rendered_ = true;
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
    if (s.fsiMarks != lastShown_.fsiMarks || (!rendered_ && s.fsiMarks > 0)) {
        const bool marked = FsiMarkedRed(s.fsiMarkedValue);
        colour(STSicherheitsfaktor, marked ? red : grey);
        EditFSi->setBackground(marked ? red : QColor(Qt::white));
    }
}

void TFeldoraForm::showPage()
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
}

void TFeldoraForm::applyRequests()
{
    QWidget *focus = nullptr;
    switch (model_.takeFocusRequest()) {
    case StationFocus::Band:
        focus = CBBand;
        break;
    case StationFocus::Hoehe:
        focus = EditHoehe;
        break;
    case StationFocus::Power:
        focus = EditPower;
        break;
    case StationFocus::CableLength:
        focus = EditCableLength;
        break;
    case StationFocus::PlugAtt:
        focus = EditPlugAtt;
        break;
    case StationFocus::Gain:
        focus = EditGain;
        break;
    case StationFocus::None:
        break;
    }
    if (focus)
        focus->setFocus();
}

void TFeldoraForm::CBBandChange()
{
    model_.CBBandChange(CBBand->currentIndex());
}

void TFeldoraForm::EditFreqDblClick()
{
    model_.EditFreqDblClick(ask("Berechnung mit fester Frequenz", "Bitte Frequenz in MHz eingeben", "70,443"));
}

void TFeldoraForm::EditHoeheExit()
{
    model_.EditHoeheExit(ss(EditHoehe->text()));
}
void TFeldoraForm::EditPowerExit()
{
    model_.EditPowerExit(ss(EditPower->text()));
}
void TFeldoraForm::N10WClick()
{
    model_.N10WClick();
}
void TFeldoraForm::N100WClick()
{
    model_.N100WClick();
}
void TFeldoraForm::N750WClick()
{
    model_.N750WClick();
}
void TFeldoraForm::Abstand5mClick()
{
    model_.Abstand5mClick();
}
void TFeldoraForm::Abstand10mClick()
{
    model_.Abstand10mClick();
}
void TFeldoraForm::AbstandbelClick()
{
    EditrPSDblClick();
}

void TFeldoraForm::EditrPSDblClick()
{
    model_.EditrPSDblClick(ask("Berechnung bei vorgegebenem Abstand", "Bitte Abstand in Metern eingeben", "10"));
}

void TFeldoraForm::EditEIRPDblClick()
{
    model_.EditEIRPDblClick();
}
void TFeldoraForm::EditERPDblClick()
{
    model_.EditERPDblClick();
}

void TFeldoraForm::LaEIRPDblClick()
{
    model_.LaEIRPDblClick(ask("Berechnung für vorgegebene EIRP", "Bitte EIRP in Watt eingeben", "41"));
}

void TFeldoraForm::LaERPDblClick()
{
    model_.LaERPDblClick(ask("Berechnung für vorgegebene ERP", "Bitte ERP in Watt eingeben", "25"));
}

void TFeldoraForm::EditGainDblClick()
{
    model_.EditGainDblClick();
}
void TFeldoraForm::EditAntenneChange()
{
    model_.EditAntenneChange();
}
void TFeldoraForm::EditModeClick()
{
    model_.EditModeClick();
}
void TFeldoraForm::EditAttClick()
{
    model_.EditAttClick();
}
void TFeldoraForm::RGModeClick()
{
    model_.RGModeClick(RGMode->itemIndex());
}
void TFeldoraForm::RGFCCBNetzAClick()
{
    model_.RGFCCBNetzAClick(RGFCCBNetzA->itemIndex());
}
void TFeldoraForm::RGDutyCycleClick()
{
    model_.RGDutyCycleClick(RGDutyCycle->itemIndex());
}

void TFeldoraForm::EditfreeTXRXDblClick()
{
    model_.EditfreeTXRXDblClick(
        ask("TXRX-Faktor manuell eingeben", "TX/RX-Faktor zwischen \r\n0,04 ... 1.0 auswählen", "0,167"));
}

void TFeldoraForm::EditmySafetyFactorDblClick()
{
    model_.EditmySafetyFactorDblClick(ask("Persönlicher Sicherheitsfaktor", "Faktor in dB eingeben:", "0"));
}
