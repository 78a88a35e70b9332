#pragma once

// StationModel: one station configuration and everything the main window shows of it, without
// a widget. Its operations are the window's handlers and update routines, named as they are:
// each runs exactly the updates of its handler, in the same order, and keeps the same
// intermediate states (a rejected entry empties its field and the value in force stays; a
// cable update that stops keeps the previous loss). The main window, the command line, the
// printout, the overview of every band and the site all compute through it:
//
//   handler (window reads its field once) -> operation -> update chain
//   UpdateFreq -> UpdateCable -> UpdateBetriebsart -> antenna re-match -> calc
//   calc: CalculateFarField -> result texts -> WiesCalc -> WinkelCalc
//
// The window then writes every field from shown(). Messages go through util/Messages; input
// dialogs are asked by the window, which hands their answer (nullopt = "Abbrechen") over.

#include "core/CableLib2.h"
#include "core/CableState.h"
#include "core/FarField.h"
#include "core/WiesbeckCalc.h"
#include "core/WinkAnt.h"
#include "data/AntennenLib.h"
#include "data/ConfigFile.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// A field's text (or a list's entries) and how often the model wrote it. The window writes a
// control whenever the model did, as the update routines always rewrote their controls, even
// with the same value; what the user types into a field is its text too, not a write.
template <typename T> class Shown
{
public:
    Shown() = default;
    Shown(const char *value) : value_(value) {}
    Shown &operator=(T value)
    {
        value_ = std::move(value);
        ++writes_;
        return *this;
    }
    Shown &operator=(const char *value) { return *this = T(value); }
    void clear() { *this = T(); }
    void typed(T value) { value_ = std::move(value); }
    const T &get() const { return value_; }
    const T &str() const { return value_; }
    operator const T &() const { return value_; }
    bool empty() const { return value_.empty(); }
    size_t size() const { return value_.size(); }
    unsigned writes() const { return writes_; }
    friend bool operator==(const Shown &a, const T &b) { return a.value_ == b; }
    friend bool operator==(const Shown &a, const char *b) { return a.value_ == b; }
    friend std::ostream &operator<<(std::ostream &os, const Shown &t)
    {
        if constexpr (std::is_same_v<T, std::string>)
            os << '"' << t.value_ << '"';
        else
            os << t.value_.size() << " entries";
        return os;
    }

private:
    T value_;
    unsigned writes_ = 0;
};
using ShownText = Shown<std::string>;
using ShownList = Shown<std::vector<std::string>>;

// The input fields whose typing the window reports before the user leaves them: a later
// update reads them as they stand, as the window's fields always were.
enum class StationEntry { Hoehe, Power, CableLength, PlugAtt, CableAtt100, DirectivityUsed, FSi };

// Tab pages and fields the model asks the window to show or focus after an operation.
enum class StationPage { None, Antenne, Betriebsart, Kabel };
enum class StationFocus { None, Band, Hoehe, Power, CableLength, PlugAtt, Gain };

// What the main window shows, field by field (members named after the controls).
struct StationShown {
    ShownText EditCall = "DL0XYZ";
    int bandPosition = 0; // CBBand list position, -1 = none (fixed frequency)
    ShownText EditFreq, EditAntenne, EditAntennenTyp, EditHoehe = "10", EditPower = "100", EditMode, EditGain, EditAtt;
    ShownText EditEps, EditHps, EditFmodPers, EditFB, EditAntIn, EditEIRP, EditERP, EditrNahfeld, EditrPS;
    // Antenna page
    ShownList manufacturers, types, bandLines; // LBHersteller, LBTypen, LBAntBand
    int manufacturerRow = -1, typeRow = -1, bandLineRow = -1;
    ShownText EditAntName, EditAntTyp, EditAntGain;
    // The three fields' tooltips: the matched line's texts; empty = the field's hint.
    std::string antNameTip, antTypTip, antGainTip;
    bool takeAntennaEnabled = false;  // ButTakeAnt
    unsigned takeAntennaDisables = 0; // how often it was disabled: a disabled button loses the focus
    // Mode page
    int modePosition = 1, sourcePosition = 1, dutyPosition = 0; // RGMode, RGFCCBNetzA, RGDutyCycle
    ShownText EditfreeTXRX = "0,167", EditModeFactor, EditDutyCycle, EditFactor, EditmySafetyFactor = "0 dB";
    // Cable page
    int cableRow = -1;     // CLBCable current row
    int cableChecked = -1; // CLBCable ticked entry
    ShownText EditAttFreq, EditCableAtt100, EditCableLength, EditCableAtt, EditPlugAtt, EditTotalAtt;
    bool cableAtt100Editable = false; // own cable: the dB/100 m field takes input
    // Wiesbeck page
    ShownList wiesAntennas; // LBWiesAnt
    int wiesAntRow = -1;
    bool CBabwDir = false, CBWiesRXTX = true, CBWiesMode = true;
    ShownText EditDirectivity, EditDirectivityUsed, EditBodenHoehe, EditWiesEIRP, EditkFitPS, EditWiesAbstandPS,
        EditFSi;
    bool wiesCaptionsShown = false; // the page's captions and info text are filled in
    unsigned fsiMarks = 0;          // how often FSi and its note were coloured by a value (red below 1,41)
    double fsiMarkedValue = 0;      // the value they were last coloured by
    // Angle page
    bool angleDataPresent = false; // LabelWinkOK, and the page is offered
    bool angleTabVisible = false;
    std::string angleTitle = "Antenne";    // LabelWinkAnt
    int polPosition = 0;                   // RGPol
    std::vector<std::string> angleHeading; // SGWinkel's header, as the last evaluation with data left it
    AngleGrid angleRows;                   // its rows; empty without angle data
};

// The band-independent inputs of a configuration, as the window holds them.
struct StationInputs {
    int cableIndex = kCableRG213; // <= 0 = own value ("Anderes Kabel" or none chosen)
    double ownAtt100 = 0;         // dB/100 m of the own cable
    double cableLength = 10;      // m
    double plugAtt = 0.3;         // dB
    int modeType = 2;             // RGMode position + 1
    int factorSource = 1;         // RGFCCBNetzA position
    int dutyChoice = 0;           // RGDutyCycle position
    double freeDuty = kDefaultFreeDuty;
    double marginDb = 0;     // personal safety margin
    double power = 100;      // W PEP
    double height = 10;      // m
    std::string antennaName; // catalogue entry; empty = none chosen
    std::string manufacturer;
    double typedGain = 0; // dBi, used without a catalogue antenna
    std::string angleDir; // folder of the ".ang" files, ending in "/"
    WiesAntIndex wiesAnt = 1;
    double fsi = kDefaultFsi;
    bool useAltDirectivity = false;
    double altDirectivity = 0; // kept on bands where no catalogue line is taken
    bool wiesApplyDuty = true;
    bool wiesApplyMode = true;
};

// Where the model finds its files.
struct StationPaths {
    std::string antennaFile, userAntennaFile;
    std::string angleDir; // ends in "/"
};

// Angle files read once and shared by copies of a model (the table of every band).
class AngleFileCache
{
public:
    using Entry = std::variant<AngleFileSections, std::string>; // the sections, or why not
    const Entry &get(const std::string &path);

private:
    std::map<std::string, Entry> files_;
};

class StationModel
{
public:
    using Line = std::function<void(const std::string &)>;
    using NameOrder = std::function<void(std::vector<std::string> &)>; // sorts the manufacturers

    explicit StationModel(StationPaths paths = {});

    // The trace: routine names while tracing, and the lines some routines always write.
    void setTrace(Line sink) { traceSink_ = std::move(sink); }
    void setTracing(bool on) { tracing_ = on; }
    void setNameOrder(NameOrder order) { nameOrder_ = std::move(order); }
    // Autoload and the last saved file, from and for the settings.
    void setAutoload(bool on) { autoload_ = on; }
    void setLastSavedFileName(std::string name) { lastSavedFileName_ = std::move(name); }
    const std::string &lastSavedFileName() const { return lastSavedFileName_; }

    // Start and "Antennen neu laden": defaults, catalogue, Wiesbeck list, autoload, calc. False
    // when the antenna file is missing or unreadable (the program ends).
    bool AfterCreation();

    // Handlers of the main window's own fields. Typed texts come as typed.
    void CBBandChange(int listPosition);
    void EditFreqDblClick(const std::optional<std::string> &answer);
    void EditHoeheExit(const std::string &typed);
    void EditPowerExit(const std::string &typed);
    void N10WClick() { EditPowerExit("10"); }
    void N100WClick() { EditPowerExit("100"); }
    void N750WClick() { EditPowerExit("750"); }
    void Abstand5mClick() { PowerCalc(5); }
    void Abstand10mClick() { PowerCalc(10); }
    void EditrPSDblClick(const std::optional<std::string> &answer); // also "Abstand bel."
    void EditEIRPDblClick();
    void EditERPDblClick();
    void LaEIRPDblClick(const std::optional<std::string> &answer);
    void LaERPDblClick(const std::optional<std::string> &answer);
    void EditGainDblClick();
    void EditAntenneChange(); // also the clicks on EditAntennenTyp and EditGain
    void EditModeClick();
    void EditAttClick();
    void RGModeClick(int position);
    void RGFCCBNetzAClick(int position);
    void RGDutyCycleClick(int position);
    void EditfreeTXRXDblClick(const std::optional<std::string> &answer);
    void EditmySafetyFactorDblClick(const std::optional<std::string> &answer);
    void setCallsign(const std::string &callsign) { shown_.EditCall.typed(callsign); }
    // What the user typed so far into an input field he has not left yet.
    void entryTyped(StationEntry entry, const std::string &text);
    // What the window's lists show as current; no handler runs.
    void setBandPosition(int position) { shown_.bandPosition = position; }
    void setManufacturerRow(int row) { shown_.manufacturerRow = row; }
    void setTypeRow(int row) { shown_.typeRow = row; }
    void setBandLineRow(int row) { shown_.bandLineRow = row; }
    void setCableRow(int row) { shown_.cableRow = row; }
    void setWiesAntRow(int row) { shown_.wiesAntRow = row; }

    // Cable page
    void CLBCableClick(int row);
    void EditCableLengthExit(const std::string &typed);
    void EditCableAtt100Exit(const std::string &typed); // runs the length's exit handler
    void EditPlugAttExit(const std::string &typed);
    void ButGleichClick();
    void ButSetAttNullClick();

    // Antenna page
    void LBHerstellerClick(int row);
    void LBTypenClick(int row);
    void LBAntBandClick(); // re-matches the chosen antenna
    void ButTakeAntClick();

    // Wiesbeck page; the check boxes run calcCall.
    void LBWiesAntClick(int row);
    void CBabwDirClick(bool checked);
    void CBWiesRXTXClick(bool checked);
    void CBWiesModeClick(bool checked);
    void EditDirectivityUsedExit(const std::string &typed);
    void PMIWiesbeckDirctivityuebernehmenClick();
    void PMIFernfeldGewinnuebernehmenClick();
    void EditFSiDblClick(const std::optional<std::string> &answer);
    void EditFSiExit() { calcCall(); }
    // progress runs between the steps of the search (the window keeps repainting).
    void EditWiesAbstandPSDblClick(const std::optional<std::string> &answer,
                                   const std::function<void()> &progress = {});

    // Angle page
    void RGPolClick(int position);

    // Configuration files. Oeffnen checks the whole file before anything changes.
    bool Oeffnen(const std::string &fileName);
    bool Speichern(const std::string &fileName);
    StationConfig currentConfig() const;
    const std::string &currentFileName() const { return currentFileName_; }
    // The proposed name's band part, "2m" or "145MHz".
    std::string fileTag() const;

    // Requests to the window, taken once after an operation.
    StationPage takePageRequest() { return std::exchange(page_, StationPage::None); }
    StationFocus takeFocusRequest() { return std::exchange(focus_, StationFocus::None); }

    // What the window shows, and the state behind it.
    const StationShown &shown() const { return shown_; }
    const FarFieldResult &farField() const { return result_; }
    const Factors &factors() const { return factors_; }
    const CableState &cableState() const { return cable_; }
    bool fixedFrequencyMode() const { return fixedFrequency_; }
    double workingFrequency() const { return workingFrequency_; }
    BandIndex bandIndex() const { return bandIndex_; }
    double power() const { return power_; }
    double gain() const { return gain_; }
    double height() const { return height_; }
    double altDirectivity() const { return altDirectivity_; }
    double fsi() const { return fsi_; }
    int matchingLine() const { return matchingLine_; }
    int catalogueIndex() const { return catalogueIndex_; }
    const WiesResult &wiesResult() const { return wies_; }
    const AngleTable &angleTable() const { return angleTable_; }
    bool angleDataPresent() const { return angleDataPresent_; }
    const TWinkAnt *angleData() const { return angleData_.get(); }
    const TAntennen *catalogue() const { return catalogue_.get(); }
    const StationPaths &paths() const { return paths_; }
    int cableListCount() const;
    static std::string cableListEntry(int row); // "Anderes Kabel", then the catalogue's cables

    // The band-independent inputs, read as the cable update reads the fields: a rejected entry
    // keeps the value in use. Throws ConvertError while the height field holds no number.
    StationInputs stationInputs() const;
    // A model holding these inputs on the band list position of bandPosition, not yet updated.
    // A copy made by FromInputs formats its angle rows too, for a printout.
    void showAngleRows();
    static StationModel FromInputs(const StationInputs &inputs, std::shared_ptr<const TAntennen> catalogue,
                                   int bandPosition);
    // A gain without a catalogue line, as the table of every band takes the typed one.
    void takeGain(double gain);

    // For the table of every band: copies keep quiet about angle files and share their reading.
    void shareAngleFiles(std::shared_ptr<AngleFileCache> cache) { angleFiles_ = std::move(cache); }
    const std::string &angleError() const { return angleError_; }

    // Update routines, public for the site and the table of every band.
    void UpdateFreq();
    void UpdateCable();
    void UpdateBetriebsart();
    void calc();
    void calcCall();

private:
    void trace(const char *routine);
    FarFieldInput currentInput() const;
    void setPowerFromInverse(double power);
    void PowerCalc(double distance);
    bool refuseWanted(double wanted, const char *what);
    void askWantedPower(const std::optional<std::string> &answer, const char *quantity,
                        double (*powerFor)(double, const FarFieldInput &));
    void clearAntennaFields();
    void LBTypenClick();
    void WiesCalc();
    void WiesPowerCalc(double distance, const std::function<void()> &progress);
    WiesInput wiesInput() const;
    void markFsi();
    void readHeightEntry();
    void WinkelLaden(int catalogueIndex);
    void WinkelLesen(const std::string &path);
    void UpdateWinkelPage();
    void WinkelCalc();
    void setAngleDataPresent(bool present);
    BandIndex angleBand() const;
    BandIndex listBand() const { return static_cast<BandIndex>(shown_.bandPosition + 1); }
    void CLBSetCheck(int index);
    void applyOpenedConfig(const std::string &fileName, const OpenedConfig &opened);
    void autoload();
    AntennaLookup catalogueLookup() const;

    StationPaths paths_;
    StationShown shown_;
    Line traceSink_;
    bool tracing_ = false;
    NameOrder nameOrder_;
    bool autoload_ = false;
    std::string lastSavedFileName_;
    StationPage page_ = StationPage::None;
    StationFocus focus_ = StationFocus::None;

    bool fixedFrequency_ = false;
    double workingFrequency_ = 145;
    BandIndex bandIndex_ = kBand2m;
    double height_ = 10;
    std::optional<double> heightEntry_ = 10; // the height field's number; unset while it holds none
    std::string heightError_;                // why it holds none, as the recalculation reports it
    double power_ = 100;
    double gain_ = 0;
    double freeDuty_ = kDefaultFreeDuty;
    double marginDb_ = 0;
    Factors factors_;
    FarFieldResult result_;
    CableState cable_;
    std::string currentFileName_;
    std::shared_ptr<const TAntennen> catalogue_;
    std::string selectedManufacturer_;
    int matchingLine_ = kNoMatchLine;
    int catalogueIndex_ = kNoAntenna;
    double altDirectivity_ = 0;
    WiesResult wies_;
    double fsi_ = kDefaultFsi;
    std::shared_ptr<const TWinkAnt> angleData_;
    bool angleDataPresent_ = false;
    AngleTable angleTable_;
    std::shared_ptr<AngleFileCache> angleFiles_; // set: read through it, and without messages
    std::string angleError_;
    bool formatAngles_ = true; // copies for the table of every band show no angle rows
};
