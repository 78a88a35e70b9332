#pragma once

// TFeldoraForm, the main window. How the pieces fit:
//   inputs (left column and tab pages) -> handler -> update chain
//   UpdateFreq -> UpdateCable -> UpdateBetriebsart -> antenna re-match -> calc
//   calc: CalculateFarField (core) -> result fields -> WiesCalc -> WinkelCalc
// The window only reads controls, calls the core and writes controls. Its concerns live in
// separate files: FeldoraLayout.cpp (left column, menus), FeldoraPages.cpp (tab pages),
// FeldoraU.cpp (update chain, own handlers), CableTab.cpp, AntennaTab.cpp,
// FeldoraCommands.cpp (start, settings, menu commands), ConfigCommands.cpp (configuration
// files), WiesbeckTab.cpp, AngleTab.cpp, ViewLaunch.cpp (opens the side view and the diagram),
// StationInputs.cpp (the configuration for the calculation on any band, data/StationBands.h),
// AllBandsLaunch.cpp (the overview of every band).

#include "core/CableState.h"
#include "core/FarField.h"
#include "core/WiesbeckCalc.h"
#include "core/WinkAnt.h"
#include "data/ConfigFile.h"
#include "data/Settings.h"
#include "data/StationBands.h"
#include "print/DruckenLayout.h"
#include "views/Controls.h"
#include "views/DiaGramm.h"
#include "views/Seitenansicht.h"
#include "views/Uebersicht.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QGroupBox;
class QTabWidget;
class QTableWidget;
class QWidget;
class TAntennen;

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

    // What other windows and tests read.
    const FarFieldResult &farField() const { return result_; }
    const Factors &factors() const { return factors_; }
    const CableState &cableState() const { return cable_; }
    bool fixedFrequencyMode() const { return fixedFrequency_; }
    double workingFrequency() const { return workingFrequency_; }
    BandIndex bandIndex() const { return bandIndex_; }
    double power() const { return power_; }
    double gain() const { return gain_; }
    double height() const { return height_; }
    int matchingLine() const { return matchingLine_; }
    int catalogueIndex() const { return catalogueIndex_; }
    const QString &currentFileName() const { return currentFileName_; }
    const WiesResult &wiesResult() const { return wies_; }
    const AngleTable &angleTable() const { return angleTable_; }
    bool angleDataPresent() const { return angleDataPresent_; }
    const QString &programDir() const { return programDir_; }
    const Settings &settings() const { return settings_; }
    QString traceText() const;

    // The shown texts for the printout and the report without a window.
    PrintoutTexts printoutTexts() const;
    // Texts and angle evaluation for the printed pages (PrintLaunch.cpp).
    PrintoutData printoutData() const;
    // What the side view and the diagram receive when they open (ViewLaunch.cpp).
    SideViewInput sideViewInput() const;
    DiagramWindowInput diagramInput() const;

    // The configuration's band-independent inputs, for calculating it on other bands.
    StationInputs stationInputs() const; // StationInputs.cpp
    // What the overview of every band receives when it opens (AllBandsLaunch.cpp).
    UebersichtInput uebersichtInput() const;
    const TAntennen *catalogue() const { return antennen_.get(); }

    // Opens a configuration as "&Öffnen" does; false when it could not be opened.
    bool openConfiguration(const QString &fileName) { return Oeffnen(fileName); }

    // Runs a handler body; a conversion failure nobody caught ends it with a German error box.
    void guarded(const std::function<void()> &body);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // SitePlanLaunch.cpp: the site plan, shown without blocking the main window
    void Draufsicht1Click();
    void MILageplanClick();

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
    void UpdateFreq();
    void UpdateBetriebsart();
    void calc();
    void calcCall();
    void PowerCalc(double distance);
    FarFieldInput currentInput() const;
    void setPowerFromInverse(double power);
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
    void EditfreeTXRXDblClick();
    void EditmySafetyFactorDblClick();
    bool refuseWanted(double wanted, const char *what);
    void askWantedPower(const char *title, const char *prompt, const char *preset, const char *quantity,
                        double (*powerFor)(double, const FarFieldInput &));

    // CableTab.cpp
    void UpdateCable();
    void fillCableList();
    void fillConnectorGrid();
    void CLBCableClick();
    void EditCableLengthExit();
    void EditPlugAttExit();
    void ButGleichClick();
    void ButSetAttNullClick();

    // AntennaTab.cpp
    void fillManufacturers();
    void LBHerstellerClick();
    void LBTypenClick();
    void ButTakeAntClick();
    void clearAntennaFields();

    // WiesbeckTab.cpp
    void WiesCalc();
    void WiesPowerCalc(double distance);
    WiesInput wiesInput() const;
    void LBWiesAntClick();
    void EditDirectivityUsedExit();
    void PMIWiesbeckDirctivityuebernehmenClick();
    void PMIFernfeldGewinnuebernehmenClick();
    void EditFSiDblClick();
    void EditWiesAbstandPSDblClick();
    void showFsiMark();

    // AngleTab.cpp
    void WinkelLaden(int catalogueIndex);
    void WinkelLesen(const QString &path);
    void UpdateWinkelPage();
    void WinkelCalc();
    void RGPolClick();
    void PISaveClick();
    void PICopyClick();
    void setAngleDataPresent(bool present);
    BandIndex angleBand() const;

    // ViewLaunch.cpp: the graphic views of the angle page
    void ButDiagrammClick();
    void ButSeitenansichtClick();

    // ConfigCommands.cpp: configuration files
    StationConfig currentConfig() const;
    bool Speichern(const QString &fileName);
    bool Oeffnen(const QString &fileName);
    void applyOpenedConfig(const QString &fileName, const OpenedConfig &opened);
    AntennaLookup catalogueLookup() const;
    void autoload();
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
    // ExtraCommands.cpp, OwnAntennaLaunch.cpp, TestMenu.cpp
    void connectExtraCommands();
    void MIEigeneAntenneClick();
    void DataFileClick();
    void MITXT_WiesInfoClick();
    void MITXT_IntWarningClick();
    void MIReadTxtDataClick();
    void MIWriteTxtDataClick();
    QString txtDataFile() const; // the test file of ReadTxtData and WriteTxtData on the desktop

public:
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

private:
    QString programDir_;
    QString settingsFile_, documentDir_;
    bool showSplash_;
    // Paths and settings
    Settings settings_;
    QString antennaFile_, userAntennaFile_, angleDir_, desktopDir_;
    // Calculation state
    bool fixedFrequency_ = false;
    double workingFrequency_ = 145;
    BandIndex bandIndex_ = kBand2m;
    double height_ = 10;
    double power_ = 100;
    double areaDistance_ = kDefaultAreaDistance; // last typed in the overview of every band
    double gain_ = 0;
    double freeDuty_ = 0.167;
    Factors factors_;
    FarFieldResult result_;
    CableState cable_;
    QString currentFileName_;
    // Antenna selection
    std::unique_ptr<TAntennen> antennen_;
    QString selectedManufacturer_;
    int matchingLine_ = -1;
    int catalogueIndex_ = -99;
    double altDirectivity_ = 0;
    // Wiesbeck
    WiesResult wies_;
    double fsi_ = 1.4142;
    // Angle data of the chosen antenna
    std::unique_ptr<TWinkAnt> angleData_;
    bool angleDataPresent_ = false;
    AngleTable angleTable_;
};

template <typename Signal, typename Sender>
void TFeldoraForm::on(Sender *sender, Signal signal, void (TFeldoraForm::*handler)())
{
    connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
}
