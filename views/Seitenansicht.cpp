#include "views/Seitenansicht.h"
#include "views/HandlerGuard.h"

#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/ImageExport.h"
#include "views/PictureBox.h"
#include "views/WindowPlacement.h"
#include "views/draw/CadScript.h"
#include "views/draw/QtText.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <cmath>

namespace
{

constexpr int kClientWidth = 842, kClientHeight = 580;
const char *const kNoValue = "---";

sideview::ZoneInput zoneInput(const SideViewInput &in)
{
    return {in.angles, in.distances, in.height};
}

QCheckBox *checkBox(QWidget *parent, const char *name, const char *caption, int x, int y, int w, bool ticked)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, 17);
    c->setChecked(ticked);
    return c;
}

// A figure in metres, or "---" where the picture has no scale to read it from.
QString metres(const char *format, double value, bool valid)
{
    return valid && std::isfinite(value) ? qs(FormatValue(format, value)) : QString(kNoValue);
}

// The zoom factor as its shortest decimal text: 1,05, 1,157625.
QString zoomText(double z)
{
    return QString::number(z, 'g', 15).replace('.', ',');
}

} // namespace

QImage SideViewImage(const SideViewInput &in, const SideViewOptions &options, SideViewFigures *figures)
{
    QImage image(kSideViewWidth, kSideViewHeight, QImage::Format_RGB32);
    QPainter p(&image);
    const SideViewFigures f = DrawSideView(p, zoneInput(in), kSideViewWidth, kSideViewHeight, options);
    if (figures)
        *figures = f;
    return image;
}

TFormSeitenansicht::TFormSeitenansicht(const SideViewInput &input, QWidget *parent) : QDialog(parent), input_(input)
{
    setObjectName("FormSeitenansicht");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setModal(true);
    createControls();
}

void TFormSeitenansicht::createControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto *client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto action = [this](QMenu *menu, const char *name, const char *caption, void (TFormSeitenansicht::*handler)(),
                         QKeySequence keys = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(keys);
        connect(a, &QAction::triggered, this, [this, handler] { guarded(handler); });
    };
    QMenu *grafik = bar->addMenu("Grafik");
    action(grafik, "MISpeichen", "&Speichern", &TFormSeitenansicht::MISpeichenClick, QKeySequence("Ctrl+S"));
    action(grafik, "MIKopieren", "&Kopieren in Zwischenablage", &TFormSeitenansicht::MIKopierenClick,
           QKeySequence("Ctrl+C"));
    QMenu *optionen = bar->addMenu("&Optionen");
    action(optionen, "MIHintergrundfarbe", "&Hintergrundfarbe", &TFormSeitenansicht::MIHintergrundfarbeClick);
    action(optionen, "MICADload", "CAD Skript laden", &TFormSeitenansicht::MICADloadClick);
    action(optionen, "MICADedit", "CAD Skipt bearbeiten", &TFormSeitenansicht::MICADeditClick);

    auto *panel = new QFrame(client);
    panel->setObjectName("PaImage");
    panel->setGeometry(8, 8, 825, 489);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    IMSeitenansicht = new ui::PictureBox(panel, "IMSeitenansicht", 8, 8, kSideViewWidth, kSideViewHeight);
    connect(IMSeitenansicht, &ui::PictureBox::mouseMoved, this,
            [this](QPoint pixel) { RunGuarded([this, pixel] { IMSeitenansichtMouseMove(pixel); }); });

    using ui::FieldKind;
    QGroupBox *mouse = ui::makeGroupBox(client, "GBMousePosition", "Maus-Position", 8, 504, 200, 70);
    ui::makeLabel(mouse, "LaMausX", "X [m]", 8, 18, 40, 17);
    EditMausX = ui::makeEdit(mouse, "EditMausX", FieldKind::Display, 48, 16, 52, 21);
    ui::makeLabel(mouse, "LaMausY", "Y [m]", 8, 43, 40, 17);
    EditMausY = ui::makeEdit(mouse, "EditMausY", FieldKind::Display, 48, 41, 52, 21);
    ui::makeLabel(mouse, "LaMausPixX", "Pixel X", 106, 18, 40, 17);
    EditMausPixX = ui::makeEdit(mouse, "EditMausPixX", FieldKind::Display, 146, 16, 46, 21);
    ui::makeLabel(mouse, "LaMausPixY", "Pixel Y", 106, 43, 40, 17);
    EditMausPixY = ui::makeEdit(mouse, "EditMausPixY", FieldKind::Display, 146, 41, 46, 21);

    QGroupBox *section = ui::makeGroupBox(client, "GBAusschnitt", "Dargestellter Ausschnitt", 215, 504, 136, 70);
    ui::makeLabel(section, "LaXInt", "X-Intervall [m]", 8, 18, 76, 17);
    EditXInt = ui::makeEdit(section, "EditXInt", FieldKind::Display, 84, 16, 46, 21);
    ui::makeLabel(section, "LaYInt", "Y-Intervall [m]", 8, 43, 76, 17);
    EditYInt = ui::makeEdit(section, "EditYInt", FieldKind::Display, 84, 41, 46, 21);

    QGroupBox *size = ui::makeGroupBox(client, "GBSize", "Größe", 358, 504, 183, 48);
    ButStandard = ui::makeButton(size, "ButStandard", "Standard", 8, 18, 55, 23);
    EditSize = ui::makeEdit(size, "EditSize", FieldKind::Display, 67, 19, 56, 21);
    ButPlus = ui::makeButton(size, "ButPlus", "+", 127, 18, 24, 23);
    ButMinus = ui::makeButton(size, "ButMinus", "-", 153, 18, 24, 23);
    connect(ButStandard, &QPushButton::clicked, this, [this] { guarded(&TFormSeitenansicht::ButStandardClick); });
    connect(ButPlus, &QPushButton::clicked, this, [this] { guarded(&TFormSeitenansicht::ButPlusClick); });
    connect(ButMinus, &QPushButton::clicked, this, [this] { guarded(&TFormSeitenansicht::ButMinusClick); });

    CBUrsprung = checkBox(client, "CBUrsprung", "Ursprung", 358, 557, 64, true);
    CBfiveMeters = checkBox(client, "CBfiveMeters", "5-m-Linie", 422, 557, 66, true);
    CBStrahlen = checkBox(client, "CBStrahlen", "Strahlen", 488, 557, 60, false);
    for (QCheckBox *box : {CBUrsprung, CBfiveMeters, CBStrahlen})
        box->setStyleSheet("QCheckBox { spacing: 2px; }"); // the captions fit between the fixed positions

    QGroupBox *maxima = ui::makeGroupBox(client, "GBMaxWerte", "Maximalwerte", 548, 504, 166, 72);
    ui::makeLabel(maxima, "LaBodenfreiheit", "Bodenfreiheit [m]", 6, 16, 104, 17);
    EditBodenfreiheit = ui::makeEdit(maxima, "EditBodenfreiheit", FieldKind::Display, 110, 14, 50, 20);
    ui::makeLabel(maxima, "LaReichweite", "horz. Reichweite [m]", 6, 36, 104, 17);
    EditReichweite = ui::makeEdit(maxima, "EditReichweite", FieldKind::Display, 110, 34, 50, 20);
    CBmaxWerteZeichnen = checkBox(maxima, "CBmaxWerteZeichnen", "Zeichnen", 6, 54, 80, true);

    QGroupBox *cad = ui::makeGroupBox(client, "GBCAD", "CAD", 721, 504, 113, 72);
    EditCADFileName = ui::makeEdit(cad, "EditCADFileName", FieldKind::Display, 6, 16, 101, 21);
    ButCAD = ui::makeButton(cad, "ButCAD", "Zeichnen", 6, 42, 56, 23);
    ButEnf = ui::makeButton(cad, "ButEnf", "Entf.", 65, 42, 42, 23);
    connect(ButCAD, &QPushButton::clicked, this, [this] { guarded(&TFormSeitenansicht::ButCADClick); });
    connect(ButEnf, &QPushButton::clicked, this, [this] { guarded(&TFormSeitenansicht::ButEnfClick); });
    // Enter in the fields belongs to the fields; no button takes it.
    for (QPushButton *b : {ButStandard, ButPlus, ButMinus, ButCAD, ButEnf})
        b->setAutoDefault(false);

    for (QCheckBox *box : {CBUrsprung, CBfiveMeters, CBStrahlen, CBmaxWerteZeichnen})
        connect(box, &QCheckBox::clicked, this, [this] { guarded(&TFormSeitenansicht::Draw); });
}

void TFormSeitenansicht::guarded(void (TFormSeitenansicht::*handler)()) { RunGuarded([this, handler] { (this->*handler)(); }); }

void TFormSeitenansicht::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded(&TFormSeitenansicht::FormActivate);
}

// Once per opening: a colour dialog or message box in between keeps zoom and colour.
void TFormSeitenansicht::FormActivate()
{
    if (const QScreen *sc = screen())
        move(sc->availableGeometry().center() - rect().center());
    options_.zoom = 1.0;
    options_.background = ui::infoBackground();
    setWindowTitle("Seitenansicht    " + input_.antennaTitle + "    " + qs(FormatValue("%1.0f W", input_.power))
                   + "    " + qs(FormatValue("%3.2f dBi", input_.gain)) + "    "
                   + qs(FormatText("%4.4s-Band", BandName(input_.band))) + "    ");
    Draw();
}

void TFormSeitenansicht::Draw()
{
    EditCADFileName->setText(QFileInfo(input_.scriptFile).fileName());
    EditSize->setText(zoomText(options_.zoom));
    options_.origin = CBUrsprung->isChecked();
    options_.fiveMeters = CBfiveMeters->isChecked();
    options_.rays = CBStrahlen->isChecked();
    options_.maxima = CBmaxWerteZeichnen->isChecked();
    picture_ = SideViewImage(input_, options_, &figures_);

    EditXInt->setText(metres("%6.2f", figures_.xInterval, figures_.hasIntervals));
    EditYInt->setText(metres("%6.2f", figures_.yInterval, figures_.hasIntervals));
    const bool maxima = figures_.zone.hasMaxima;
    EditBodenfreiheit->setText(metres("%6.1f", sideview::ShownClearance(figures_.zone.clearance), maxima));
    EditReichweite->setText(metres("%6.1f", sideview::ShownReach(figures_.zone.reach), maxima));
    showPicture();
}

void TFormSeitenansicht::showPicture()
{
    IMSeitenansicht->setPicture(picture_);
}

void TFormSeitenansicht::ButPlusClick()
{
    options_.zoom *= 1.05;
    Draw();
}

void TFormSeitenansicht::ButMinusClick()
{
    options_.zoom *= 0.95;
    Draw();
}

void TFormSeitenansicht::ButStandardClick()
{
    options_.zoom = 1.0;
    Draw();
}

void TFormSeitenansicht::MIHintergrundfarbeClick()
{
    if (const auto colour = Dialogs().chooseColor(options_.background)) {
        options_.background = *colour;
        Draw();
    }
}

void TFormSeitenansicht::IMSeitenansichtMouseMove(QPoint pixel)
{
    const sideview::ZoneGeometry &g = figures_.zone;
    const bool scaled = g.scale > 0;
    EditMausX->setText(metres("%3.2f", (pixel.x() - g.antennaX) / g.scale, scaled));
    EditMausY->setText(
        metres("%3.2f", input_.height - (pixel.y() - g.antennaY) / g.scale, scaled && std::isfinite(input_.height)));
    EditMausPixX->setText(qs(FormatInt("%4d", pixel.x())));
    EditMausPixY->setText(qs(FormatInt("%4d", pixel.y())));
}

void TFormSeitenansicht::MIKopierenClick()
{
    CopyViewPicture(picture_);
}

void TFormSeitenansicht::MISpeichenClick()
{
    SaveViewPicture(picture_, "Seitenansicht.bmp");
}

void TFormSeitenansicht::runScript()
{
    const QStringList lines = ReadCadScript(input_.scriptFile);
    const sideview::ZoneGeometry &g = figures_.zone;
    const CadFrame frame{g.scale, g.originX, g.groundY, figures_.penWidth};
    CadRunResult result;
    {
        QPainter p(&picture_);
        result = DrawCAD(p, lines, frame);
    }
    showPicture();
    if (!result.ok)
        Dialogs().message(MessageKind::Error, result.message);
}

void TFormSeitenansicht::ButCADClick()
{
    if (input_.scriptFile.isEmpty() || !QFileInfo(input_.scriptFile).isFile()) {
        Dialogs().message(MessageKind::Information, "Es existiert noch keine zugeordnete CAD-Datei!");
        return;
    }
    runScript();
}

void TFormSeitenansicht::ButEnfClick()
{
    Draw();
}

void TFormSeitenansicht::MICADloadClick()
{
    const QString file = Dialogs().openFileName("Öffnen", input_.programDir, "Alle Dateien (*)");
    if (file.isEmpty())
        return;
    input_.scriptFile = file;
    EditCADFileName->setText(QFileInfo(file).fileName());
    runScript();
}

void TFormSeitenansicht::MICADeditClick()
{
    if (input_.scriptFile.isEmpty() || !QFileInfo::exists(input_.scriptFile)) {
        QString proposed = input_.programDir;
        if (!proposed.isEmpty() && !proposed.endsWith('/'))
            proposed += '/';
        const QString file =
            Dialogs().saveFileName("Speichern unter", proposed + "CAD.txt", "Alle Dateien (*);;TextDateien (*.txt)",
                                   "TextDateien (*.txt)", "txt");
        if (!file.isEmpty()) {
            input_.scriptFile = file;
            EditCADFileName->setText(QFileInfo(file).fileName());
            // A script the user picked that already exists is opened, never emptied.
            if (!QFileInfo::exists(file))
                WriteFileAtomic(ss(file), "");
        }
    }
    if (!input_.scriptFile.isEmpty() && QFileInfo::exists(input_.scriptFile))
        OpenWithDesktopOrWarn(input_.scriptFile);
    else
        Dialogs().message(MessageKind::Warning, "Es wurde keine Datei gefunden!");
}

void TFormSeitenansicht::done(int result)
{
    if (!closed_) {
        closed_ = true;
        Dialogs().setClipboardImage(picture_);
    }
    QDialog::done(result);
}
