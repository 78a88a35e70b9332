#pragma once

// The virtual measuring points window: a short list of points, each a distance and an angle
// from the antenna, with the far field E and H computed at each; the list is saved to and
// opened from a distance file, the results are exported to an exchange file.

#include "core/BandPlan.h"
#include "core/MeasuringPoints.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QPushButton;
class QTableWidget;

// What the window needs from the main window, copied when it opens.
struct VirtMPInput {
    std::vector<std::int16_t> angles; // of the angle table; empty without angle data
    std::vector<double> eirpByAngle;  // W, of the angle table
    double eirp = 0;                  // W, main direction
    QString programDir;               // start folder of the file dialogs
    double height = 0;                // m, antenna above ground
    BandIndex band = 0;
    double power = 0;  // W PEP
    QString dutyCycle; // item of the duty-cycle group, e.g. "TX6 RX0"
    QString antennaName;
    QString factorSource; // item of the factor-source group
};

class TFormVirtMP : public QDialog
{
    Q_OBJECT
public:
    explicit TFormVirtMP(const VirtMPInput &input, QWidget *parent = nullptr);

    std::vector<MeasuringPoint> points() const;
    void calcFields();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void setPoints(const std::vector<MeasuringPoint> &points);
    void changePoints(const std::function<void(MeasuringPoint &, int row)> &change);
    QString filePath(const QString &name) const;

    void FormActivate();
    void Button2Click();
    void ButmpMinusClick();
    void SGvirtAbstUserChangedCell();
    void ButExportClick();
    void MIOpenClick();
    void MISaveClick();
    void MIEinsBisNClick();
    void MIalleZehnClick();
    void MIalleNullClick();
    void MIfuenfGradClick();
    void MIzehnGradClick();
    void MifromHeightClick();

    VirtMPInput input_;
    QTableWidget *SGvirtAbst = nullptr;
    QPushButton *ButmpMinus = nullptr, *Button2 = nullptr, *ButExport = nullptr, *ButClose = nullptr;
    bool updating_ = false; // the grid is written from code: no handler runs
};
