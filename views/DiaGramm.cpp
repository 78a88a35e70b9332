#include "views/DiaGramm.h"
#include "views/HandlerGuard.h"

#include "util/DecimalText.h"
#include "views/Controls.h"
#include "views/DialogService.h"
#include "views/EscapeClose.h"
#include "views/ImageExport.h"
#include "views/PictureBox.h"
#include "views/WindowPlacement.h"
#include "views/draw/QtText.h"

#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

QImage DiagramImage(const DiagramWindowInput &in, const QColor &background, DiagramFigures *figures)
{
    QImage image(kDiagramSize, kDiagramSize, QImage::Format_RGB32);
    QPainter p(&image);
    const DiagramFigures f = DrawDiagram(p, {in.angles, in.attenuations}, kDiagramSize, kDiagramSize, background);
    if (figures)
        *figures = f;
    return image;
}

TFormDiagramm::TFormDiagramm(const DiagramWindowInput &input, QWidget *parent) : QDialog(parent), input_(input)
{
    setObjectName("FormDiagramm");
    ui::KeepOnScreen(this);
    ui::CloseOnEscape(this);
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto *client = new QWidget(this);
    client->setFixedSize(433, 434);
    layout->addWidget(client);
    IMDiagramm = new ui::PictureBox(client, "IMDiagramm", 0, 0, kDiagramSize, kDiagramSize);

    QMenu *grafik = bar->addMenu("&Grafik");
    QAction *copy = grafik->addAction("&Kopieren in Zwischenablage");
    copy->setObjectName("MiKopieren");
    connect(copy, &QAction::triggered, this, Guarded(this, &TFormDiagramm::MiKopierenClick));
    QAction *save = grafik->addAction("&Speichern");
    save->setObjectName("MISpeichern");
    connect(save, &QAction::triggered, this, Guarded(this, &TFormDiagramm::MISpeichernClick));
}

void TFormDiagramm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TFormDiagramm::FormActivate()
{
    if (const QScreen *sc = screen())
        move(sc->availableGeometry().center() - rect().center());
    setWindowTitle("Diagramm  " + input_.antennaTitle + "  " + qs(FormatValue("%3.2f dBi", input_.gain)) + "  "
                   + qs(FormatText("%4.4s-Band", BandName(input_.band))) + "  ");
    picture_ = DiagramImage(input_, ui::infoBackground(), &figures_);
    IMDiagramm->setPicture(picture_);
}

void TFormDiagramm::MiKopierenClick()
{
    CopyViewPicture(picture_);
}

void TFormDiagramm::MISpeichernClick()
{
    SaveViewPicture(picture_, "Diagramm.bmp");
}
