#include "views/MakeAnt.h"
#include "views/HandlerGuard.h"

#include "data/AntennenLib.h"
#include "util/Messages.h"
#include "util/TextFile.h"
#include "views/Controls.h"
#include "views/EscapeClose.h"
#include "views/WindowPlacement.h"
#include "views/draw/OwnAntennaPicture.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Image1: the illustration, centred and proportional in its frame.
class AntennaIllustration : public QWidget {
public:
    explicit AntennaIllustration(QWidget *parent) : QWidget(parent) { setObjectName("Image1"); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        DrawOwnAntennaPicture(p, rect());
    }
};

std::string text(const ui::TEdit *edit) { return edit->text().toStdString(); }

} // namespace

TFormEigeneAntenne::TFormEigeneAntenne(const EigeneAntenneInput &input, QWidget *parent)
    : QDialog(parent), input_(input)
{
    using ui::FieldKind;
    setObjectName("FormEigeneAntenne");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setWindowTitle("Eigene Antenne konstruieren");
    setFixedSize(383, 309);

    // Names on the left, each with its label above the field.
    ui::makeLabel(this, "LaName", "Name der Antenne", 8, 6, 170, 16);
    EditName = ui::makeEdit(this, "EditName", FieldKind::Input, 8, 22, 170, 21);
    ui::makeLabel(this, "LaAntTyp", "Typ der Antenne (z.B. Yagi)", 8, 48, 170, 16);
    EditAntTyp = ui::makeEdit(this, "EditAntTyp", FieldKind::Input, 8, 64, 170, 21);
    ui::makeLabel(this, "LaKategorie", "Kategorie (Empfehlung: Eig. Rufzeichen)", 8, 90, 182, 16)
        ->setFont(ui::windowFont(10)); // the long caption fits the column
    EditKategorie = ui::makeEdit(this, "EditKategorie", FieldKind::Input, 8, 106, 170, 21);

    // One frequency line: label left of its field.
    ui::makeLabel(this, "LaFrequenz", "Frequenz [MHz]", 8, 140, 90, 17);
    EditFrequenz = ui::makeEdit(this, "EditFrequenz", FieldKind::Input, 104, 138, 74, 21);
    ui::makeLabel(this, "LaGewinn", "Gewinn [dBi]", 8, 164, 90, 17);
    EditGewinn = ui::makeEdit(this, "EditGewinn", FieldKind::Input, 104, 162, 74, 21);
    ui::makeLabel(this, "LaElemente", "Anz. Elemente", 8, 188, 90, 17);
    EditElemente = ui::makeEdit(this, "EditElemente", FieldKind::Input, 104, 186, 74, 21);
    ButAddFrequenz = ui::makeButton(this, "ButAddFrequenz", "Frequenz &hinzufügen", 8, 216, 170, 25);

    auto *box = ui::makeGroupBox(this, "GBEigenschaften", "Antenneneigenschaften", 190, 4, 185, 150);
    Memo = new QPlainTextEdit(box);
    Memo->setObjectName("Memo");
    Memo->setGeometry(8, 18, 169, 124);
    Memo->setFont(ui::courierFont(11));
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setReadOnly(true);

    auto *image = new AntennaIllustration(this);
    image->setGeometry(190, 162, kOwnAntennaPictureWidth, kOwnAntennaPictureHeight);

    ButSaveAnt = ui::makeButton(this, "ButSaveAnt", "Antenne &speichern", 190, 268, 114, 33);
    ButCancel = ui::makeButton(this, "ButCancel", "&Abbrechen", 308, 268, 67, 33);
    ButSaveAnt->setDefault(true);
    ButAddFrequenz->setAutoDefault(false);
    ButCancel->setAutoDefault(false);

    connect(ButAddFrequenz, &QPushButton::clicked, this, Guarded(this, &TFormEigeneAntenne::ButAddFrequenzClick));
    connect(ButSaveAnt, &QPushButton::clicked, this, Guarded(this, &TFormEigeneAntenne::ButSaveAntClick));
    connect(ButCancel, &QPushButton::clicked, this, Guarded(this, &TFormEigeneAntenne::ButCancelClick));
    FormCreate();
}

void TFormEigeneAntenne::FormCreate()
{
    lines_.clear();
    Memo->clear();
    EditName->setText("MyAnt");
    EditAntTyp->setText("MyAntTyp");
    const QString callsign = input_.callsign.trimmed();
    EditKategorie->setText(callsign.isEmpty() ? QString(kExampleCategory) : callsign);
    EditFrequenz->setText("10");
    EditGewinn->setText("3");
    EditElemente->setText("1");
}

void TFormEigeneAntenne::ButAddFrequenzClick()
{
    const OwnAntennaLine line = MakeOwnAntennaLine(text(EditFrequenz), text(EditGewinn), text(EditElemente));
    // A line the catalogue reader would report is never kept: the texts stay for correction.
    if (auto refusal = OwnAntennaLineRefusal(line)) {
        ShowWarning(*refusal);
        (ReadCatalogueFrequency(line.frequency) ? EditGewinn : EditFrequenz)->setFocus();
        return;
    }
    lines_.push_back(line);
    Memo->clear();
    for (const std::string &line : OwnAntennaMemoLines(lines_))
        Memo->appendPlainText(QString::fromStdString(line));
}

OwnAntenna TFormEigeneAntenne::antenna() const
{
    OwnAntenna a;
    a.name = text(EditName);
    a.type = text(EditAntTyp);
    a.category = text(EditKategorie);
    a.lines = lines_;
    return a;
}

void TFormEigeneAntenne::ButSaveAntClick()
{
    if (auto refusal = OwnAntennaRefusal(antenna())) {
        ShowWarning(*refusal);
        EditName->setFocus();
        return;
    }
    try {
        FileOwnAntenna(input_.userCatalogue.toStdString(), antenna());
    } catch (const FileError &e) {
        // Nothing was written: the dialog stays open, so the user can try again.
        ShowError(e.what());
        return;
    }
    ShowInfo(kOwnAntennaSavedMessage);
    accept();
}

void TFormEigeneAntenne::ButCancelClick() { reject(); }
