// The antenna page: manufacturers, their antennas, the frequency line that fits the working
// frequency, and taking the antenna into the calculation.
#include "mainwindow/FeldoraU.h"
#include "views/draw/QtText.h"

#include "data/AntennenLib.h"
#include "util/DecimalText.h"
#include "util/Messages.h"

#include <QCollator>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

void TFeldoraForm::fillManufacturers()
{
    LBHersteller->clear();
    LBTypen->clear();
    LBAntBand->clear();
    if (!antennen_)
        return;
    QStringList names;
    for (const std::string &m : antennen_->Manufacturers())
        names << qs(m);
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    LBHersteller->addItems(names);
}

void TFeldoraForm::clearAntennaFields()
{
    for (ui::TEdit *e : {EditAntTyp, EditAntName, EditAntGain, EditAntenne, EditAntennenTyp, EditGain, EditEIRP, EditrPS})
        e->clear();
    // A match sets these hints to the texts; emptied, they must not name the old antenna.
    for (ui::TEdit *e : {EditAntName, EditAntTyp, EditAntGain})
        e->setToolTip(e->property("hint").toString());
}

void TFeldoraForm::LBHerstellerClick()
{
    trace("LBHerstellerClick");
    LBTypen->clear();
    LBAntBand->clear();
    if (!antennen_ || !LBHersteller->currentItem())
        return;
    selectedManufacturer_ = LBHersteller->currentItem()->text();
    for (const std::string &name : antennen_->AntennasOf(selectedManufacturer_.toStdString()))
        LBTypen->addItem(qs(name));
    setAngleDataPresent(false);
    ButTakeAnt->setEnabled(false);
    matchingLine_ = -1;
    clearAntennaFields();
}

void TFeldoraForm::LBTypenClick()
{
    trace("LBTypenClick");
    if (!antennen_ || !LBTypen->currentItem())
        return;
    const double reference = fixedFrequency_ ? workingFrequency_ : BandCenter(static_cast<BandIndex>(CBBand->currentIndex() + 1));
    if (!fixedFrequency_)
        bandIndex_ = static_cast<BandIndex>(CBBand->currentIndex() + 1);
    const AntennaSelection s = antennen_->Select(LBTypen->currentItem()->text().toStdString(),
                                                 selectedManufacturer_.toStdString(), reference);
    LBAntBand->clear();
    for (const std::string &line : s.bandLines)
        LBAntBand->addItem(qs(line));
    clearAntennaFields();
    matchingLine_ = s.match;
    if (s.match >= 0)
        LBAntBand->setCurrentRow(s.match);
    else
        LBAntBand->setCurrentRow(-1);
    ButTakeAnt->setEnabled(s.match >= 0);
    setAngleDataPresent(false);
    if (s.match >= 0) {
        EditAntName->setText(qs(s.name));
        EditAntTyp->setText(qs(s.type));
        EditAntGain->setText(qs(s.gainText));
        for (ui::TEdit *e : {EditAntName, EditAntTyp, EditAntGain})
            e->setToolTip(e->text());
        WinkelLaden(s.index);
    }
}

void TFeldoraForm::ButTakeAntClick()
{
    trace("ButTakeAntClick");
    EditAntenne->setText(EditAntName->text());
    EditAntennenTyp->setText(EditAntTyp->text());
    EditGain->setText(EditAntGain->text());
    auto g = TryTolerantToFloat(EditGain->text().toStdString());
    if (!g) {
        ShowWarning("Der Gewinn muß eine Gleitkommazahl sein!");
        EditGain->clear();
        EditGain->setFocus();
        return;
    }
    gain_ = *g;
    altDirectivity_ = *g;
    UpdateCable();
    calc();
    if (antennen_)
        catalogueIndex_ = antennen_->IndexOf(EditAntName->text().toStdString(), selectedManufacturer_.toStdString());
}
