#pragma once

// TFeldoraForm, the main window: a view of one StationModel (data/StationModel.h). How the
// pieces fit:
//   control -> handler (reads its field once) -> model operation (the update chain)
//   -> render(): every field written from the model's shown state
// The window holds no configuration of its own. Its concerns live in separate files:
// FeldoraLayout.cpp (left column, menus), FeldoraPages.cpp (tab pages), FeldoraU.cpp (render,
// handlers of the window's own fields), CableTab.cpp, AntennaTab.cpp, WiesbeckTab.cpp,
// AngleTab.cpp, FeldoraCommands.cpp (start, settings, menu commands), ConfigCommands.cpp
// (configuration files), StationSnapshots.cpp (what the views, the printout and the command
// line receive), ViewLaunch.cpp (side view and diagram), AllBandsLaunch.cpp (the overview of
// every band).

#include "core/CableState.h"
#include "core/FarField.h"
#include "core/WiesbeckCalc.h"
#include "core/WinkAnt.h"
#include "data/ConfigFile.h"
#include "data/Settings.h"
#include "data/StationBands.h"
#include "data/StationModel.h"
#include "mainwindow/StationSnapshots.h"
#include "print/DruckenLayout.h"
#include "views/Controls.h"
#include "views/DiaGramm.h"
#include "views/Seitenansicht.h"
#include "views/Uebersicht.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <optional>
#include <memory>

class QAction;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QGroupBox;
class QTabWidget;
class QTableWidget;
class QWidget;
class TFormStandort;
class TAntennen;

// Manufacturer names in the list's order: German, without regard to case.
void SortForList(std::vector<std::string> &names);

struct FormOptions {
    QString programDir;      // directory of the program and its data, with or without "/"
    QString settingsFile;    // Feldora.ini; empty = in programDir
    QString documentDir;     // installed documents, looked at after programDir; empty = none
    bool showSplash = true;  // tests build the window without the 2.5 s wait
};

class TFeldoraForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TFeldoraForm(const FormOptions &options, QWidget *parent = nullptr);
    ~TFeldoraForm() override;

    // Start sequence after creation; false when the antenna file is missing (the program ends).
    bool AfterCreation();
    // The start for "feldora DATEI": AfterCreation without the autoload (the file asked for takes
    // the last saved one's place), the window shown, then the file opened as "&Öffnen" opens it.
    // A site file (".standort") opens in the site window instead, after the usual start.
    // False as AfterCreation.
    bool StartWithFile(const QString &fileName);

    // What other windows and tests read.
    const StationModel &model() const { return model_; }
    const FarFieldResult &farField() const { return model_.farField(); }
    const Factors &factors() const { return model_.factors(); }
    const CableState &cableState() const { return model_.cableState(); }
    bool fixedFrequencyMode() const { return model_.fixedFrequencyMode(); }
    double workingFrequency() const { return model_.workingFrequency(); }
    BandIndex bandIndex() const { return model_.bandIndex(); }
    double power() const { return model_.power(); }
    double gain() const { return model_.gain(); }
    double height() const { return model_.height(); }
    int matchingLine() const { return model_.matchingLine(); }
    int catalogueIndex() const { return model_.catalogueIndex(); }
    QString currentFileName() const { return QString::fromStdString(model_.currentFileName()); }
    const WiesResult &wiesResult() const { return model_.wiesResult(); }
    const AngleTable &angleTable() const { return model_.angleTable(); }
    bool angleDataPresent() const { return model_.angleDataPresent(); }
    const QString &programDir() const { return programDir_; }
    Settings settings() const; // as they would be written now
    QString traceText() const;

    // The shown texts for the printout, and what the views receive when they open.
    PrintoutTexts printoutTexts() const { return PrintoutTextsOf(model_); }
    PrintoutData printoutData() const { return PrintoutDataOf(model_, areaDistance_); }
    SideViewInput sideViewInput() const;
    DiagramWindowInput diagramInput() const { return DiagramInputOf(model_); }
    StationInputs stationInputs() const { return model_.stationInputs(); }
    UebersichtInput uebersichtInput() const;
    const TAntennen *catalogue() const { return model_.catalogue(); }

    // Opens a configuration as "&Öffnen" does; false when it could not be opened.
    bool openConfiguration(const QString &fileName);

    // Runs a handler body, then shows the model's state; a conversion failure nobody caught
    // ends the body with a German error box.
    void guarded(const std::function<void()> &body);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // SitePlanLaunch.cpp: the site plan, shown without blocking the main window
    void Draufsicht1Click();
    void MILageplanClick();
    // SiteLaunch.cpp: the site window, on copies of the station
    void MIStandortClick();
    TFormStandort *siteWindow(bool withLastSite);
    void openSiteFile(const QString &fileName);
    bool siteWindowMayClose();

    // FeldoraLayout.cpp
    void createControls();
    void createInputGroup(QWidget *client);
    void createOutputGroup(QWidget *client);
    void createMenus();
    void createPowerMenu();
    QAction *menuAction(QMenu *menu, const QString &name, const QString &caption, void (TFeldoraForm::*handler)());
    template <typename Signal, typename Sender>
    void on(Sender *sender, Signal signal, void (TFeldoraForm::*handler)());

    // FeldoraPages.cpp
    void createAntennaPage();
    void createModePage();
    void createCablePage();
    void createWiesbeckPage();
    void createAnglePage();

    // FeldoraU.cpp: update chain and the handlers of the window's own fields
    void trace(const char *routine);
    void render();
    // An input dialog's answer as the model takes it; nullopt = "Abbrechen".
    static std::optional<std::string> ask(const char *title, const char *prompt, const char *preset);
    void showText(QLineEdit *edit, const ShownText &text, const ShownText &before);
    void renderColours();
    void showPage();
    void applyRequests();
    void CBBandChange();
    void EditFreqDblClick();
    void EditHoeheExit();
    void EditPowerExit();
    void N10WClick();
    void N100WClick();
    void N750WClick();
    void Abstand5mClick();
    void Abstand10mClick();
    void AbstandbelClick();
    void EditrPSDblClick();
    void EditEIRPDblClick();
    void EditERPDblClick();
    void LaEIRPDblClick();
    void LaERPDblClick();
    void EditGainDblClick();
    void EditAntenneChange();
    void EditModeClick();
    void EditAttClick();
    void RGModeClick();
    void RGFCCBNetzAClick();
    void RGDutyCycleClick();
    void EditfreeTXRXDblClick();
    void EditmySafetyFactorDblClick();

    // CableTab.cpp
    void fillCableList();
    void fillConnectorGrid();
    void CLBCableClick();
    void EditCableLengthExit();
    void EditCableAtt100Exit();
    void EditPlugAttExit();
    void ButGleichClick();
    void ButSetAttNullClick();

    // AntennaTab.cpp
    void LBHerstellerClick();
    void LBTypenClick();
    void LBAntBandClick();
    void ButTakeAntClick();

    // WiesbeckTab.cpp
    void LBWiesAntClick();
    void CBabwDirClick();
    void CBWiesRXTXClick();
    void CBWiesModeClick();
    void EditFSiExit();
    void EditDirectivityUsedExit();
    void PMIWiesbeckDirctivityuebernehmenClick();
    void PMIFernfeldGewinnuebernehmenClick();
    void EditFSiDblClick();
    void EditWiesAbstandPSDblClick();

    // AngleTab.cpp
    void RGPolClick();
    void PISaveClick();
    void PICopyClick();
    void renderAngleTable();

    // ViewLaunch.cpp: the graphic views of the angle page
    void ButDiagrammClick();
    void ButSeitenansichtClick();

    // ConfigCommands.cpp: configuration files
    void MIopenClick();
    void MISaveClick();
    void MISaveAsClick();
    void MIDruckenClick(); // PrintLaunch.cpp

    // FeldoraCommands.cpp
    void FormCreate();
    void FormClose();
    void showSplash();
    void MIAntDateiModifyClick();
    void MIAntUserModifyClick();
    void MIAntennenNeuLadenClick();
    void MIPfadeClick();
    void MIAutoloadClick();
    void MIPfadeAnzeigenClick();
    void MIEndClick();
    void MIDebugModeClick();
    void MIBekannteFehlerClick();
    void MIGoodiesClick();
    void MIHistoryClick();
    void MIHinweisClick();
    void MIeMailanAutorClick();
    void openDocument(const QString &fileName);
    void MIAnzeigeClick();
    void MIKonfigurationClick();
    void MIAnleitungClick();
    void MIErlaeuterungClick();
    void MIWiesbeckClick();
    void MIBedienungClick();

    // TableViewLaunch.cpp: the windows of the measuring points and the limit table
    void MIVirtFeldClick();
    void MIGrenzwerttabelleClick();
    // AllBandsLaunch.cpp: the overview of every band
    void MIUebersichtClick();
    // OwnAntennaLaunch.cpp, TestMenu.cpp
    void MIEigeneAntenneClick();
    void DataFileClick();
    void MITXT_WiesInfoClick();
    void MITXT_IntWarningClick();
    void MIReadTxtDataClick();
    void MIWriteTxtDataClick();
    QString txtDataFile() const; // the test file of ReadTxtData and WriteTxtData on the desktop

    // Controls, named as the program's documentation names them.
    ui::TEdit *EditCall = nullptr;
    QComboBox *CBBand = nullptr;
    ui::TEdit *EditFreq = nullptr, *EditAntenne = nullptr, *EditAntennenTyp = nullptr, *EditHoehe = nullptr,
              *EditPower = nullptr, *EditMode = nullptr, *EditGain = nullptr, *EditAtt = nullptr;
    ui::TEdit *EditEps = nullptr, *EditHps = nullptr, *EditFmodPers = nullptr, *EditFB = nullptr,
              *EditAntIn = nullptr, *EditEIRP = nullptr, *EditERP = nullptr, *EditrNahfeld = nullptr,
              *EditrPS = nullptr;
    ui::TLabel *LaEIRP = nullptr, *LaERP = nullptr;
    QTabWidget *PageControl = nullptr;
    QWidget *TabSheetAntenne = nullptr, *TabsheetBetriebsart = nullptr, *TabSheetKabel = nullptr,
            *TabSheetWiesbeck = nullptr, *TabSheetWinkel = nullptr;
    // Antenna page
    QListWidget *LBHersteller = nullptr, *LBTypen = nullptr, *LBAntBand = nullptr;
    ui::TEdit *EditAntName = nullptr, *EditAntTyp = nullptr, *EditAntGain = nullptr;
    QLabel *LabelWinkOK = nullptr;
    QPushButton *ButTakeAnt = nullptr;
    // Mode page
    ui::TRadioGroup *RGMode = nullptr, *RGFCCBNetzA = nullptr, *RGDutyCycle = nullptr;
    QLabel *STFCC = nullptr, *STBNetzA = nullptr, *STRXTX = nullptr, *STPersSichFaktor = nullptr;
    ui::TEdit *EditfreeTXRX = nullptr, *EditModeFactor = nullptr, *EditDutyCycle = nullptr, *EditFactor = nullptr,
              *EditmySafetyFactor = nullptr;
    // Cable page
    QListWidget *CLBCable = nullptr;
    ui::TEdit *EditAttFreq = nullptr, *EditCableAtt100 = nullptr, *EditCableLength = nullptr,
              *EditCableAtt = nullptr, *EditPlugAtt = nullptr, *EditTotalAtt = nullptr;
    QPushButton *ButSetAttNull = nullptr, *ButGleich = nullptr;
    QTableWidget *SGConnector = nullptr;
    // Wiesbeck page
    QListWidget *LBWiesAnt = nullptr;
    ui::TEdit *EditDirectivity = nullptr, *EditDirectivityUsed = nullptr, *EditBodenHoehe = nullptr,
              *EditWiesEIRP = nullptr, *EditkFitPS = nullptr, *EditWiesAbstandPS = nullptr, *EditFSi = nullptr;
    QCheckBox *CBabwDir = nullptr, *CBWiesRXTX = nullptr, *CBWiesMode = nullptr;
    QPlainTextEdit *MemoWiesInfo = nullptr;
    QGroupBox *GBWiesInfo = nullptr, *GBWiesAbstaende = nullptr;
    QLabel *laFakHoeheBoden = nullptr, *STSicherheitsfaktor = nullptr;
    QMenu *PMWiesAbwDir = nullptr, *PM = nullptr;
    // Angle page
    QLabel *LabelWinkAnt = nullptr;
    ui::TRadioGroup *RGPol = nullptr;
    QPushButton *ButDiagramm = nullptr, *ButSeitenansicht = nullptr;
    QTableWidget *SGWinkel = nullptr;
    // Trace
    QPlainTextEdit *dm = nullptr;
    // Menu entries
    QAction *MIopen = nullptr, *MISave = nullptr, *MISaveAs = nullptr, *MIDrucken = nullptr,
            *MIAntDateiModify = nullptr, *MIAntUserModify = nullptr, *MIAntennenNeuLaden = nullptr,
            *MIEigeneAntenne = nullptr, *MIVirtFeld = nullptr, *MIPfade = nullptr, *MIAutoload = nullptr,
            *MIEnd = nullptr, *MIDebugMode = nullptr, *MIGrenzwerttabelle = nullptr;
    QMenu *PopLeistung = nullptr;

    QString programDir_;
    QString settingsFile_, documentDir_;
    bool showSplash_;
    Settings settings_;
    QString antennaFile_, userAntennaFile_, angleDir_, desktopDir_;
    StationModel model_;
    double areaDistance_ = kDefaultAreaDistance; // last typed in the overview of every band
    StationShown lastShown_;           // what render() wrote last
    bool rendered_ = false;
    std::vector<std::string> shownAngleHeading_; // what SGWinkel holds
    AngleGrid shownAngleRows_;
};

template <typename Signal, typename Sender>
void TFeldoraForm::on(Sender *sender, Signal signal, void (TFeldoraForm::*handler)())
{
    connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}
