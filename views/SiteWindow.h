#pragma once

// TFormStandort, the site window: one site file edited on its plan. The controllable area,
// the antennas with their configurations, bands and points, and a calibrated background;
// every change is worked out again through the site calculation and drawn at once, and can be
// undone. The window works on copies: a started station for the calculation and a callback
// for the main window's configuration of the moment.

#include "data/SiteBackground.h"
#include "data/SiteCalculation.h"
#include "views/draw/SiteBackgroundImage.h"
#include "views/draw/SitePicture.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QUndoStack;
class SiteCutView;
class SitePlanView;

struct SiteWindowInput {
    StationModel base;                             // started: catalogue and paths of the configurations
    std::function<StationModel()> currentStation;  // the main window's station now
    QString lastSite;                              // opened at the start when it can be read
    std::function<void(const QString &)> remember; // a site was opened or saved under this name
    QString startFolder;                           // of the file dialogs while no site has a name
    // Writes the notification's documents of the drawn site as one PDF (throws FileError);
    // allAngleTables: every band's angle table, not only the one of the largest distance.
    std::function<void(const QString &path, const SitePictureInput &in, bool allAngleTables)> writeDocuments;
    // The same documents painted on a printer, for the preview.
    std::function<void(QPrinter &printer, const SitePictureInput &in, bool allAngleTables)> paintDocuments;
};

class TFormStandort : public QMainWindow
{
    Q_OBJECT
public:
    enum class Tool { Select, AreaPoint, AntennaPoint, ScalePoints, Origin };

    explicit TFormStandort(SiteWindowInput input, QWidget *parent = nullptr);
    ~TFormStandort() override;

    // Paths inside are absolute; the file holds them relative to its folder.
    const Site &site() const { return site_; }
    const SiteResult &result() const { return result_; }
    QString calculationError() const { return calculationError_; }
    QString fileName() const { return fileName_; }
    bool modified() const;
    int selectedAntenna() const { return selectedAntenna_; }
    Tool tool() const { return tool_; }
    // The plan as last drawn, and where it put the metres.
    const QImage &planImage() const;
    const SitePictureDrawn &drawn() const { return drawn_; }
    // The background as drawn under the plan; none when there is none or it cannot be shown.
    const std::optional<SiteBackgroundPicture> &backgroundPicture() const { return placed_; }
    // What the plan and the side views are drawn from: the site's colours, background, scripts.
    SitePictureInput pictureInput() const;
    // The side views, along x (0) and along y (1), as last drawn on their tabs.
    const QImage &cutImage(int axis) const;
    const SiteCutDrawn &cutDrawn(int axis) const { return cutDrawn_[axis]; }
    bool cutsShown() const;

    // Opens a site as "Öffnen…" does after its dialog; false when it could not be read.
    bool openSite(const QString &path);
    // Asks about unsaved changes; false when the user keeps the window open.
    bool mayLeave();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    friend class SiteEditCommand;
    struct PointRef {
        int antenna = -1; // -1: a point of the area
        int index = 0;
    };

    void createMenus();
    void createControls();
    QAction *menuAction(QMenu *menu, const char *name, const QString &caption, void (TFormStandort::*handler)());

    // Every change goes through here: one undo step named text.
    void change(const QString &text, const Site &after);
    void apply(const Site &site); // undo, redo, opening
    void recalculate();
    void refreshBackground();
    void refreshScripts();
    void redraw();
    void redrawCuts();
    void fillPanels();
    void fillAntennaPanel();
    void fillResults();
    void updateTitle();

    void MINeuClick();
    void MIOeffnenClick();
    void MISpeichernClick();
    void MISpeichernUnterClick();
    void MIHintergrundClick();
    void MIHintergrundEntfernenClick();
    void MIPunktLoeschenClick();
    void ButAntenneNeuClick();
    void ButKonfigUebernehmenClick();
    void ButAntenneEntfernenClick();
    void ButAntenneUmbenennenClick();
    void ButKonfigurationClick();
    void ButBereichPunktClick();
    void ButBereichLoeschenClick();
    void ButPunktClick();
    void ButPunktLoeschenClick();
    void ButBandClick();
    void ButBandLoeschenClick();
    void siteFieldExit(int field);
    void areaCellChanged(int row, int column);
    void pointCellChanged(int row, int column);
    void bandCellChanged(int row, int column);
    void CBWinkeldaempfungClick();
    void EditGruppeExit();
    void SpinSeiteChange();
    void ButAntenneFarbeClick();
    void ButBereichFarbeClick();
    void chooseScript(int axis);
    void removeScript(int axis);
    void MIExportPdfClick();
    void MIUnterlagenClick();
    void MITabelleKopierenClick();
    void MITabelleSpeichernClick();
    void MIUnterlagenVorschauClick();
    void MIExportSvgClick();
    void MIExportPngClick();
    void MIKopierenClick();
    enum class ExportKind { Pdf, Svg, Png };
    void exportPlan(ExportKind kind);
    bool mayExport();
    void setTool(Tool tool);

    // The plan's mouse, in device pixels of the plan image.
    void planPressed(QPointF device);
    void planMoved(QPointF device, bool buttonDown);
    void planReleased();
    void planResized();

    bool saveTo(const QString &path);
    bool saveAs();
    void newSite();
    std::optional<QString> chooseConfiguration();
    void addAntenna(const std::string &configuration);
    std::string folder() const; // of the site file, with "/"; the start folder while it has none
    QString siteLabel() const;
    std::optional<SiteBackground> background() const;
    std::optional<QTransform> pictureToDevice() const; // the calibration view of the picture
    std::optional<PointRef> pointNear(QPointF device) const;
    site::Point toMetres(QPointF device) const;
    void showFault(const QString &text);

    SiteWindowInput input_;
    Site site_;
    QString fileName_;
    SiteResult result_;
    QString calculationError_;
    QUndoStack *undo_ = nullptr;
    int selectedAntenna_ = -1;
    std::optional<PointRef> selectedPoint_;
    Tool tool_ = Tool::Select;

    // The background as read; read again only when its file or page changes.
    QString loadedFile_;
    int loadedPage_ = 0;
    std::optional<LoadedBackground> loaded_;
    QString backgroundFault_;
    std::optional<SiteBackgroundPicture> placed_;
    std::optional<site::Point> pendingScale_; // the first of the two scale points, picture units

    // The side views' drawing scripts as read; read again only when their file changes.
    std::string scriptFile_[2];
    QStringList script_[2];
    QString scriptFault_[2];
    SiteCutDrawn cutDrawn_[2];

    // Dragging a point: the site before, applied live, one undo step when released.
    std::optional<Site> dragStart_;
    std::optional<PointRef> dragged_;
    std::optional<QTransform> frozenView_; // metres -> device while a point is dragged
    double lastCalculationMs_ = 0;
    bool stale_ = false; // moved without working it out

    SitePictureDrawn drawn_;
    bool filling_ = false; // the panels are being written: their change signals are no edits

    SitePlanView *Plan = nullptr;
    QTabWidget *TabAnsichten = nullptr;
    SiteCutView *Cut[2] = {};
    QLabel *LabelZeichnung[2] = {};
    QAction *ScriptActions[2][2] = {}; // per view: choose, remove
    QPushButton *ButAntenneFarbe = nullptr, *ButBereichFarbe = nullptr;
    QLineEdit *EditSite[6] = {};
    QTableWidget *TabBereich = nullptr, *TabPunkte = nullptr, *TabBaender = nullptr, *TabErgebnis = nullptr;
    QListWidget *ListAntennen = nullptr;
    QLabel *LabelKonfiguration = nullptr, *LabelHintergrund = nullptr, *LabelMeldung = nullptr, *LabelGruppen = nullptr,
           *LabelHinweis = nullptr;
    QCheckBox *CBWinkeldaempfung = nullptr;
    QLineEdit *EditGruppe = nullptr;
    QSpinBox *SpinSeite = nullptr;
    QWidget *GBAntenne = nullptr;
    QAction *ToolActions[5] = {};
    QAction *AllAngleTables = nullptr;
};
