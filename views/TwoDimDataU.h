#pragma once

// TFormDraufsicht, the site plan: the user calibrates a background picture by clicks, outlines
// the controllable area, traces two antennas, types their safety distances and exports the
// drawing. Independent of the main window's calculation; its state lasts for the program's run.

#include "views/draw/SitePlan.h"

#include <QDate>
#include <QImage>
#include <QMainWindow>

class QAction;
class QLabel;
class QPlainTextEdit;
class TFormKoordinaten;
namespace ui
{
class TEdit;
}

struct SitePlanStart {
    QDate today;            // for the example title line
    int screenWidth = 1024; // the window takes 83 % of it
    QString pictureDir;     // start folder of the open dialog
};

class TFormDraufsicht : public QMainWindow
{
public:
    enum class ClickMode {
        SetOrigin = 0,
        ScalePoint1 = 1,
        ScalePoint2 = 2,
        PlaceTitle = 3,
        PlaceLegend1 = 4,
        PlaceLegend2 = 5,
        PlaceLegend3 = 6,
        Idle = 10
    };

    explicit TFormDraufsicht(const SitePlanStart &start, QWidget *parent = nullptr);

    const SitePlan &plan() const { return plan_; }
    const QImage &surface() const { return surface_; }
    ClickMode clickMode() const { return mode_; }
    TFormKoordinaten *coordinatesWindow() const { return koordinaten_; }

private:
    void createControls(int windowWidth);
    void createMenus();
    QAction *menuAction(QMenu *menu, const char *name, const char *caption, void (TFormDraufsicht::*handler)());
    QAction *showItem(QMenu *menu, const char *name, const char *caption, bool checked);

    void ImageMouseMove(QPoint pos);
    void ImageClick();
    void PaUrsprungClick();
    void PaMassstabClick();
    void PaKontBerClick();
    void antennaPanelClick(int a);
    void editDistanceClick(int a);
    bool askDistance(int a);
    void placementClick(ClickMode mode, ui::TEdit *field);
    void editTextClick(int line);
    void colorClick(int which);
    void MILoadPictureClick();
    void MICopyClick();
    void MISaveClick();
    void Koordinatenfenster1Click();
    void Antennenlschen1Click();
    void NeuZeichnen1Click();
    void ShowLayout1Click();
    void Halbdurchlssig1Click();
    void CalMemoUpdate();

    void deleteAntennas();
    void setStatus(QLabel *status, const QColor &color, const QString &text);
    void syncSwatches();

    SitePlan plan_;
    QImage surface_;
    ClickMode mode_ = ClickMode::Idle;
    QPoint cursor_; // last position shown in EditX, EditY
    QPoint lastClick_;
    QString pictureDir_;

    QWidget *Image = nullptr;
    QWidget *GBImage = nullptr, *GBBeschriftung = nullptr, *GBAntennen = nullptr;
    ui::TEdit *EditX = nullptr, *EditY = nullptr, *EditValX = nullptr, *EditValY = nullptr;
    ui::TEdit *EditValR = nullptr, *EditValD = nullptr;
    QLabel *PaCUrsprung = nullptr, *PaCMassstab = nullptr, *PaCKontBer = nullptr;
    QLabel *PaCAnt[2] = {nullptr, nullptr};
    ui::TEdit *EditAnt[2] = {nullptr, nullptr};
    ui::TEdit *EditCall = nullptr;
    ui::TEdit *EditLeg[3] = {nullptr, nullptr, nullptr};
    QLabel *swatch_[3] = {nullptr, nullptr, nullptr}; // PaAnt1Col, PaAnt2Col, PaKontBerCol
    QPlainTextEdit *MCal = nullptr, *MD = nullptr;
    QAction *MICall = nullptr, *MIUrsprung = nullptr, *MIMassstab = nullptr, *MIKontBer = nullptr;
    QAction *MILegende = nullptr, *MIAnt[2] = {nullptr, nullptr}, *MIZone[2] = {nullptr, nullptr};
    TFormKoordinaten *koordinaten_ = nullptr;
    bool koordinatenPlaced_ = false; // first shown over the plan's lower right, then where the user puts it
};
