#pragma once

// TFormSeitenansicht: the safety zone around the mast in a vertical section, with zoom,
// background colour, mouse read-out, maxima and the drawing script over the picture.

#include "core/BandPlan.h"
#include "views/draw/SideViewPicture.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <vector>

class QAction;
class QCheckBox;
class QPushButton;

namespace ui
{
class PictureBox;
class TEdit;
} // namespace ui

// What the main window hands over when it opens the side view.
struct SideViewInput {
    QString antennaTitle;
    double power = 0; // W, transmitter PEP
    double gain = 0;  // dBi
    BandIndex band = 0;
    std::vector<int> angles;       // degrees
    std::vector<double> distances; // m, person protection, per angle
    double height = 0;             // m
    QString programDir;            // start folder of the script dialogs
    QString scriptFile;            // drawing script; handed back on closing
};

// The picture as the window draws it, also for the command line.
QImage SideViewImage(const SideViewInput &in, const SideViewOptions &options, SideViewFigures *figures = nullptr);

class TFormSeitenansicht : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSeitenansicht(const SideViewInput &input, QWidget *parent = nullptr);

    const QString &scriptFile() const { return input_.scriptFile; } // for the main window after closing
    const QImage &picture() const { return picture_; }
    const SideViewFigures &figures() const { return figures_; }
    double zoom() const { return options_.zoom; }

    void Draw();

protected:
    void showEvent(QShowEvent *event) override;

public slots:
    void done(int result) override;

private:
    void createControls();
    void FormActivate();
    void ButPlusClick();
    void ButMinusClick();
    void ButStandardClick();
    void MIHintergrundfarbeClick();
    void IMSeitenansichtMouseMove(QPoint pixel);
    void MIKopierenClick();
    void MISpeichenClick();
    void ButCADClick();
    void ButEnfClick();
    void MICADloadClick();
    void MICADeditClick();
    void runScript();
    void showPicture();
    void guarded(void (TFormSeitenansicht::*handler)());

    SideViewInput input_;
    SideViewOptions options_;
    SideViewFigures figures_;
    QImage picture_;
    bool closed_ = false;

    ui::PictureBox *IMSeitenansicht = nullptr;
    ui::TEdit *EditMausX = nullptr, *EditMausY = nullptr, *EditMausPixX = nullptr, *EditMausPixY = nullptr;
    ui::TEdit *EditXInt = nullptr, *EditYInt = nullptr, *EditSize = nullptr;
    ui::TEdit *EditBodenfreiheit = nullptr, *EditReichweite = nullptr, *EditCADFileName = nullptr;
    QPushButton *ButStandard = nullptr, *ButPlus = nullptr, *ButMinus = nullptr, *ButCAD = nullptr, *ButEnf = nullptr;
    QCheckBox *CBUrsprung = nullptr, *CBfiveMeters = nullptr, *CBStrahlen = nullptr, *CBmaxWerteZeichnen = nullptr;
};
