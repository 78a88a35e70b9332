#pragma once

// "Übersicht aller Bänder": the station's results on every band its antenna is listed for,
// with the largest PEP that keeps a typed distance to the controllable area. The window
// works on a copy of the bands calculated when it opened; only the power column follows
// the distance.

#include "data/StationBands.h"

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace ui
{
class TEdit;
}

// What the window needs from the main window, copied when it opens.
struct UebersichtInput {
    std::vector<StationBand> bands;
    double areaDistance = kDefaultAreaDistance; // m
    QString station;                            // one line naming antenna and power
};

class TFormUebersicht : public QDialog
{
    Q_OBJECT
public:
    explicit TFormUebersicht(UebersichtInput input, QWidget *parent = nullptr);

    double areaDistance() const { return input_.areaDistance; }
    // The table as shown: the heading on one line each, then a row per band.
    const std::vector<std::vector<std::string>> &rows() const { return rows_; }

private:
    void fill();
    void EditAbstandExit();
    void ButKopierenClick();
    void ButSpeichernClick();

    UebersichtInput input_;
    std::vector<std::vector<std::string>> rows_;
    QLabel *LabelStation = nullptr;
    ui::TEdit *EditAbstand = nullptr;
    QTableWidget *SGBaender = nullptr;
    QPushButton *ButKopieren = nullptr, *ButSpeichern = nullptr, *ButSchliessen = nullptr;
};
