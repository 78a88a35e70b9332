#pragma once

// TFormDiagramm: the vertical radiation pattern of the antenna as a polar plot.

#include "core/BandPlan.h"
#include "views/draw/DiagramPicture.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <vector>

namespace ui
{
class PictureBox;
}

// What the main window hands over when it opens the diagram.
struct DiagramWindowInput {
    QString antennaTitle;
    double gain = 0; // dBi
    BandIndex band = 0;
    std::vector<int> angles;          // degrees
    std::vector<double> attenuations; // dB, per angle
};

// The picture as the window draws it, also for the command line.
QImage DiagramImage(const DiagramWindowInput &in, const QColor &background, DiagramFigures *figures = nullptr);

class TFormDiagramm : public QDialog
{
    Q_OBJECT
public:
    explicit TFormDiagramm(const DiagramWindowInput &input, QWidget *parent = nullptr);

    const QImage &picture() const { return picture_; }
    const DiagramFigures &figures() const { return figures_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void MiKopierenClick();
    void MISpeichernClick();

    DiagramWindowInput input_;
    DiagramFigures figures_;
    QImage picture_;
    ui::PictureBox *IMDiagramm = nullptr;
};
