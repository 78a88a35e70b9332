// The update chain and the handlers' update lists, without the window.
#include "data/StationModel.h"

#include "core/CableLib2.h"
#include "core/WiesbeckLib.h"
#include "util/ConvertError.h"
#include "util/DecimalText.h"
#include "util/Messages.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"
#include "util/ValueRanges.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace
{

// A typed number read tolerantly; nullopt for anything that is not one.
std::optional<double> typedNumber(const std::string &t)
{
    return TryTolerantToFloat(t);
}

std::string fixed2(double x)
{
    return FormatValue("%3.2f", x);
}

// A value as an entry text that reads back to exactly the same number.
std::string entryText(double x)
{
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    std::string text(buffer, written.ptr);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

bool sameLetters(const std::string &a, const std::string &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// The last entry equal to the text without regard to case; -1 with the lists' warning.
int entryIndex(const std::vector<std::string> &entries, const std::string &entry, const char *routine,
               const char *listName)
{
    for (int i = static_cast<int>(entries.size()) - 1; i >= 0; --i)
        if (sameLetters(entries[static_cast<size_t>(i)], entry))
            return i;
    ShowWarning("Fehler (" + std::string(routine) + ", " + listName + "): Index zum Eintrag nicht gefunden!");
    return -1;
}

std::vector<std::string> bandListEntries()
{
    std::vector<std::string> entries;
    for (BandIndex b = 1; b <= kSelectableBands; ++b)
        entries.push_back(BandName(b));
    return entries;
}

std::vector<std::string> cableListEntries()
{
    std::vector<std::string> entries;
    for (int i = 0; i <= kCableCount; ++i)
        entries.push_back(StationModel::cableListEntry(i));
    return entries;
}

} // namespace

const AngleFileCache::Entry &AngleFileCache::get(const std::string &path)
{
    auto found = files_.find(path);
    if (found != files_.end())
        return found->second;
    try {
        return files_.emplace(path, AngleFileSections::FromFile(path)).first->second;
    } catch (const std::exception &e) {
        return files_.emplace(path, std::string(e.what())).first->second;
    }
}

StationModel::StationModel(StationPaths paths) : paths_(std::move(paths)) {}

std::string StationModel::cableListEntry(int row)
{
    return row == 0 ? std::string(kOtherCable) : CableName(row);
}

int StationModel::cableListCount() const
{
    return kCableCount + 1;
}

void StationModel::trace(const char *routine)
{
    if (tracing_ && traceSink_)
        traceSink_(routine);
}

FarFieldInput StationModel::currentInput() const
{
    FarFieldInput in;
    in.fixedFrequencyMode = fixedFrequency_;
    in.band = bandIndex_;
    in.frequency = workingFrequency_;
    in.power = power_;
    in.totalAtt = cable_.TotalAtt;
    in.gain = gain_;
    in.marginDb = marginDb_;
    return in;
}

// ---- start --------------------------------------------------------------------------------

bool StationModel::AfterCreation()
{
    trace("AfterCreation");
    shown_.bandPosition = kBand2m - 1;
    shown_.EditPlugAtt = "0,3";
    shown_.EditCableLength = "10";
    CLBSetCheck(kCableRG213);
    UpdateCable();
    UpdateBetriebsart();
    page_ = StationPage::Antenne;
    setAngleDataPresent(false);
    gain_ = 0;
    power_ = 100;
    if (!FileExists(paths_.antennaFile)) {
        ShowWarning("Die Datei " + paths_.antennaFile + " konnte nicht gefunden werden.");
        return false;
    }
    catalogue_.reset();
    try {
        catalogue_ = std::make_shared<const TAntennen>(paths_.antennaFile, paths_.userAntennaFile);
    } catch (const FileError &e) { // present but unreadable: as good as missing
        ShowWarning(e.what());
        return false;
    }
    std::vector<std::string> manufacturers = catalogue_->Manufacturers();
    if (nameOrder_)
        nameOrder_(manufacturers);
    shown_.manufacturers = std::move(manufacturers);
    shown_.manufacturerRow = -1;
    shown_.types.clear();
    shown_.typeRow = -1;
    shown_.bandLines.clear();
    shown_.bandLineRow = -1;
    selectedManufacturer_.clear();
    matchingLine_ = kNoMatchLine;
    // Nothing of the old catalogue may be taken over: no antenna is selected after a reload.
    catalogueIndex_ = kNoAntenna;
    shown_.takeAntennaEnabled = false;
    ++shown_.takeAntennaDisables;
    clearAntennaFields();
    shown_.wiesAntennas = WiesAntNames();
    shown_.wiesAntRow = 0;
    LBWiesAntClick(0);
    fsi_ = kDefaultFsi;
    shown_.EditFSi = "1,4142";
    UpdateFreq();
    autoload();
    calc();
    return true;
}

// ---- update chain -------------------------------------------------------------------------

void StationModel::UpdateFreq()
{
    trace("UpdateFreq");
    bandIndex_ = listBand();
    workingFrequency_ = BandCenter(bandIndex_);
    shown_.EditFreq = FormatAuto6(BandLowerEdge(bandIndex_)) + " - " + FormatAuto6(BandUpperEdge(bandIndex_));
}

void StationModel::UpdateBetriebsart()
{
    trace("UpdateBetriebsart");
    const ModeType mode = ModeAtPosition(shown_.modePosition);
    factors_ = CalculateFactors(mode, FactorSourceAtPosition(shown_.sourcePosition),
                                DutyAtPosition(shown_.dutyPosition), freeDuty_);
    shown_.EditMode = ModeName(mode);
    shown_.EditModeFactor = FactorText(factors_.ModeFactor);
    shown_.EditFmodPers = FactorText(factors_.ModeFactor);
    shown_.EditDutyCycle = FactorText(factors_.DutyFactor);
    shown_.EditFB = FactorText(factors_.DutyFactor);
    shown_.EditFactor = FactorText(factors_.TotalFactor);
    calc();
}

void StationModel::calc()
{
    trace("calc (pro)");
    if (!heightEntry_)
        throw ConvertError(heightError_); // the field holds no height, after a rejected entry say
    height_ = *heightEntry_;
    if (!fixedFrequency_)
        UpdateFreq();
    result_ = CalculateFarField(currentInput(), factors_);

    const FarFieldTexts t = FormatFarField(result_);
    shown_.EditEps = t.ELimit;
    shown_.EditHps = t.HLimit;
    shown_.EditAntIn = t.AntennaInputPower;
    shown_.EditEIRP = t.EIRP;
    shown_.EditERP = t.ERP;
    shown_.EditrPS = t.SafetyDistance;
    shown_.EditrNahfeld = t.NearFieldDistance;
    shown_.EditGain = GainText(gain_);
    shown_.EditPower = PowerText(power_);
    WiesCalc();
    WinkelCalc();
}

void StationModel::calcCall()
{
    trace("calcCall");
    calc();
}

// ---- the window's own fields --------------------------------------------------------------

void StationModel::setPowerFromInverse(double power)
{
    // A wanted value far off, or a huge loss, asks for a power no station has.
    if (!range::kPower.contains(power)) {
        ShowWarning("Die berechnete Leistung liegt nicht zwischen " + range::kPower.betweenText()
                    + ". Die Leistung bleibt unverändert.");
        return;
    }
    power_ = power;
    shown_.EditPower = FormatValue("%3.2f", power);
    calc();
}

void StationModel::PowerCalc(double distance)
{
    if (!fixedFrequency_)
        bandIndex_ = listBand();
    const double p = PowerForDistance(distance, currentInput(), factors_);
    if (p <= 0) {
        ShowWarning("Für diese Frequenz gibt es keinen Grenzwert; eine Leistung für einen vorgegebenen "
                    "Abstand lässt sich nicht berechnen.");
        return;
    }
    setPowerFromInverse(p);
}

bool StationModel::refuseWanted(double wanted, const char *what)
{
    if (wanted > 0)
        return false;
    ShowWarning(std::string(what) + " muß größer als 0 sein!");
    return true;
}

void StationModel::CBBandChange(int listPosition)
{
    shown_.bandPosition = listPosition;
    trace("CBBandChange");
    currentFileName_.clear();
    fixedFrequency_ = false;
    UpdateFreq();
    UpdateCable();
    UpdateBetriebsart();
    LBTypenClick();
    if (matchingLine_ >= 0) {
        ButTakeAntClick();
    } else {
        gain_ = 0;
        shown_.EditAntenne.clear();
    }
    calc();
}

void StationModel::EditFreqDblClick(const std::optional<std::string> &answer)
{
    currentFileName_.clear();
    if (!answer)
        return;
    auto f = typedNumber(*answer);
    if (!f) {
        ShowWarning("Die Frequenz muß eine Gleitkommazahl sein!");
        return;
    }
    if (*f <= 0) {
        ShowWarning("Die Frequenz muß größer als 0 MHz sein!");
        return;
    }
    if (!range::kFrequency.contains(*f)) {
        ShowWarning(range::kFrequency.refusal("Die Frequenz"));
        return;
    }
    workingFrequency_ = *f;
    shown_.EditFreq = FormatAuto6(*f);
    fixedFrequency_ = true;
    focus_ = StationFocus::Band;
    shown_.bandPosition = -1;
    bandIndex_ = 0;
    const std::string line = "Freq: " + FormatValue("%6.3f", *f);
    if (traceSink_) {
        traceSink_(line);
        traceSink_(line);
    }
    calc();
}

void StationModel::EditHoeheExit(const std::string &typed)
{
    shown_.EditHoehe = typed;
    trace("EditHoeheExit");
    auto h = typedNumber(typed);
    if (!h || *h < 0 || !range::kHeight.contains(*h)) {
        ShowWarning(h && *h >= 0 ? range::kHeight.refusal("Die Höhe")
                                 : "Die Höhe muß eine positive Gleichkommazahl sein!");
        shown_.EditHoehe.clear();
        readHeightEntry();
        focus_ = StationFocus::Hoehe;
        return;
    }
    height_ = *h;
    heightEntry_ = *h;
    // Shown and saved with the decimal comma, so the configuration file reads it back.
    shown_.EditHoehe = NormalizeDecimal(Trim(typed));
    calcCall();
}

void StationModel::EditPowerExit(const std::string &typed)
{
    shown_.EditPower = typed;
    trace("EditPowerExit");
    auto p = typedNumber(typed);
    if (!p || *p < 0 || !range::kPower.contains(*p)) {
        ShowWarning(p && *p >= 0 ? range::kPower.refusal("Die Leistung")
                                 : "Die Leistung muß eine positive Gleichkommazahl sein!");
        shown_.EditPower.clear();
        focus_ = StationFocus::Power;
        return;
    }
    power_ = *p;
    calcCall();
}

void StationModel::EditrPSDblClick(const std::optional<std::string> &answer)
{
    trace("EditrPSDblClick");
    if (!answer)
        return;
    auto r = typedNumber(*answer);
    if (!r) {
        ShowWarningAfter("Der Abstand muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*r, "Der Abstand"))
        return;
    PowerCalc(*r);
}

void StationModel::EditEIRPDblClick()
{
    trace("EditEIRPDblClick");
    setPowerFromInverse(PowerForEIRP(kAutoTargetPower, currentInput()));
}

void StationModel::EditERPDblClick()
{
    trace("EditERPDblClick");
    setPowerFromInverse(PowerForERP(kAutoTargetPower, currentInput()));
}

void StationModel::askWantedPower(const std::optional<std::string> &answer, const char *quantity,
                                  double (*powerFor)(double, const FarFieldInput &))
{
    if (!answer)
        return;
    auto wanted = typedNumber(*answer);
    if (!wanted) {
        ShowWarningAfter(std::string(quantity) + " muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*wanted, quantity))
        return;
    setPowerFromInverse(powerFor(*wanted, currentInput()));
}

void StationModel::LaEIRPDblClick(const std::optional<std::string> &answer)
{
    trace("LaEIRPDblClick");
    askWantedPower(answer, "Die EIRP", PowerForEIRP);
}

void StationModel::LaERPDblClick(const std::optional<std::string> &answer)
{
    trace("LaERPDblClick");
    askWantedPower(answer, "Die ERP", PowerForERP);
}

void StationModel::EditGainDblClick()
{
    for (ShownText *e : {&shown_.EditAntName, &shown_.EditAntTyp, &shown_.EditAntGain, &shown_.EditAntenne,
                         &shown_.EditAntennenTyp, &shown_.EditGain, &shown_.EditEIRP, &shown_.EditrPS})
        e->clear();
    gain_ = 0;
    calc();
}

void StationModel::EditAntenneChange()
{
    trace("EditAntenneChange");
    page_ = StationPage::Antenne;
}

void StationModel::EditModeClick()
{
    trace("EditModeClick");
    page_ = StationPage::Betriebsart;
}

void StationModel::EditAttClick()
{
    trace("EditAttClick");
    page_ = StationPage::Kabel;
}

void StationModel::RGModeClick(int position)
{
    shown_.modePosition = position;
    UpdateBetriebsart();
}

void StationModel::RGFCCBNetzAClick(int position)
{
    shown_.sourcePosition = position;
    UpdateBetriebsart();
}

void StationModel::RGDutyCycleClick(int position)
{
    shown_.dutyPosition = position;
    UpdateBetriebsart();
}

void StationModel::EditfreeTXRXDblClick(const std::optional<std::string> &answer)
{
    trace("EditfreeTXRXDblClick");
    if (!answer)
        return;
    shown_.EditfreeTXRX = FreeDutyFactorText(*answer);
    freeDuty_ = TolerantToFloat(shown_.EditfreeTXRX);
    focus_ = StationFocus::Band;
    UpdateBetriebsart();
}

void StationModel::EditmySafetyFactorDblClick(const std::optional<std::string> &answer)
{
    trace("EditmySafetyFactorDblClick");
    if (!answer)
        return;
    const std::optional<std::string> margin = SafetyMarginText(*answer);
    if (!margin) {
        ShowWarning(range::kMargin.refusal("Der Sicherheitsfaktor"));
        return;
    }
    shown_.EditmySafetyFactor = *margin;
    marginDb_ = StrictToFloat(DropTail(*margin, 3));
    focus_ = StationFocus::Band;
    UpdateBetriebsart();
}

// ---- cable page ---------------------------------------------------------------------------

void StationModel::CLBSetCheck(int index)
{
    shown_.cableChecked = -1;
    if (index >= cableListCount()) {
        ShowWarning("Fehler (CLBSetCheck: CLBCable): Index nicht im Bereich!");
        return;
    }
    if (index < 0)
        return;
    shown_.cableChecked = index;
    shown_.cableRow = index;
}

void StationModel::UpdateCable()
{
    trace("UpDateCable");
    // Reads a length or loss entry; a rejected one is reported, emptied and focused, and the
    // update stops.
    const auto readNonNegative = [this](ShownText &entry, StationFocus field, double &value, const ValueRange &range,
                                        const char *subject, const char *notANumber, const char *negative) {
        auto v = TryTolerantToFloat(entry);
        if (v && range.contains(*v)) {
            value = *v;
            return true;
        }
        ShowWarning(!v ? notANumber : *v < 0 ? negative : range.refusal(subject));
        entry.clear();
        focus_ = field;
        return false;
    };
    bool told = false; // the "not suitable" message is shown at most once per update
    for (;;) {
        double length = cable_.CableLength;
        if (!readNonNegative(shown_.EditCableLength, StationFocus::CableLength, length, range::kCableLength,
                             "Die Kabellänge", "Die Kabellänge muß eine Gleitkommazahl sein!",
                             "Die Kabellänge muß eine positive Gleitkommazahl sein!"))
            return;
        double plug = cable_.PlugAtt;
        if (!readNonNegative(shown_.EditPlugAtt, StationFocus::PlugAtt, plug, range::kLoss, "Die Dämpfung",
                             "Die Dämpfung muß eine positve Gleitkommazahl sein!",
                             "Die Dämpfung muß eine positive Gleitkommazahl sein!"))
            return;
        cable_.CableLength = length;
        cable_.PlugAtt = plug;
        cable_.AttFreq = fixedFrequency_ ? workingFrequency_ : BandLowerEdge(listBand());
        cable_.CableIndex = static_cast<short>(shown_.cableRow);
        shown_.cableAtt100Editable = false;

        if (cable_.CableIndex <= 0) {
            shown_.cableAtt100Editable = true;
            // The own value is read strictly: a point is no decimal comma here.
            auto own = TryStrictToFloat(shown_.EditCableAtt100);
            if (own && range::kAttenuation.contains(*own))
                cable_.Att100 = *own;
            else if (own)
                ShowInfo(range::kAttenuation.refusal("Die eingegebene Kabeldämpfung"));
            else
                ShowInfo("Die eingegebene Kabeldämpgung muss eine Fließkommazahl sein!");
        } else {
            cable_.Att100 = CableAtt100(cable_.CableIndex, cable_.AttFreq);
        }

        if (cable_.Att100 >= 0) {
            cable_.lossKnown = true;
            cable_.CableAtt = cable_.Att100 * cable_.CableLength / 100;
            cable_.TotalAtt = cable_.PlugAtt + cable_.CableAtt;
            shown_.EditCableAtt100 = fixed2(cable_.Att100);
        } else {
            if (!told) {
                ShowInfo("Das gewählte Kabel ist für die Frequenz nicht geegnet.");
                told = true;
            }
            if (cable_.CableIndex != kCableRG58) {
                CLBSetCheck(kCableRG58);
                continue;
            }
            // Not even RG58 covers the frequency: count no cable loss, the safe side.
            cable_.lossKnown = false;
            cable_.CableAtt = 0;
            cable_.TotalAtt = cable_.PlugAtt;
            shown_.EditCableAtt100 = "---";
        }
        shown_.EditCableLength = fixed2(cable_.CableLength);
        shown_.EditCableAtt = cable_.lossKnown ? fixed2(cable_.CableAtt) : std::string("---");
        shown_.EditPlugAtt = fixed2(cable_.PlugAtt);
        shown_.EditTotalAtt = fixed2(cable_.TotalAtt);
        shown_.EditAttFreq = fixed2(cable_.AttFreq);
        shown_.EditAtt = fixed2(cable_.TotalAtt);
        calc();
        return;
    }
}

void StationModel::CLBCableClick(int row)
{
    shown_.cableRow = row;
    trace("CLBCableClick");
    CLBSetCheck(row);
    UpdateCable();
}

void StationModel::EditCableLengthExit(const std::string &typed)
{
    shown_.EditCableLength = typed;
    trace("EditCableLengthExit");
    UpdateCable();
    calcCall();
}

void StationModel::EditCableAtt100Exit(const std::string &typed)
{
    shown_.EditCableAtt100 = typed;
    trace("EditCableLengthExit");
    UpdateCable();
    calcCall();
}

void StationModel::EditPlugAttExit(const std::string &typed)
{
    shown_.EditPlugAtt = typed;
    trace("EditPlugAttExit");
    UpdateCable();
    calcCall();
}

void StationModel::ButGleichClick()
{
    trace("ButGleichClick");
    UpdateCable();
    calcCall();
}

void StationModel::ButSetAttNullClick()
{
    trace("ButSetAttNullClick");
    shown_.EditCableLength = "0";
    shown_.EditPlugAtt = "0";
    cable_.CableLength = 0;
    cable_.PlugAtt = 0;
    ButGleichClick();
}

// ---- antenna page -------------------------------------------------------------------------

void StationModel::clearAntennaFields()
{
    for (ShownText *e : {&shown_.EditAntTyp, &shown_.EditAntName, &shown_.EditAntGain, &shown_.EditAntenne,
                         &shown_.EditAntennenTyp, &shown_.EditGain, &shown_.EditEIRP, &shown_.EditrPS})
        e->clear();
    // A match sets the hints to the texts; emptied, they must not name the old antenna.
    shown_.antNameTip.clear();
    shown_.antTypTip.clear();
    shown_.antGainTip.clear();
}

void StationModel::LBHerstellerClick(int row)
{
    shown_.manufacturerRow = row;
    trace("LBHerstellerClick");
    shown_.types.clear();
    shown_.typeRow = -1;
    shown_.bandLines.clear();
    shown_.bandLineRow = -1;
    if (!catalogue_ || row < 0 || row >= static_cast<int>(shown_.manufacturers.size()))
        return;
    selectedManufacturer_ = shown_.manufacturers.get()[static_cast<size_t>(row)];
    shown_.types = catalogue_->AntennasOf(selectedManufacturer_);
    setAngleDataPresent(false);
    shown_.takeAntennaEnabled = false;
    ++shown_.takeAntennaDisables;
    matchingLine_ = kNoMatchLine;
    clearAntennaFields();
}

void StationModel::LBTypenClick(int row)
{
    shown_.typeRow = row;
    LBTypenClick();
}

void StationModel::LBAntBandClick()
{
    LBTypenClick();
}

void StationModel::LBTypenClick()
{
    trace("LBTypenClick");
    if (!catalogue_ || shown_.typeRow < 0 || shown_.typeRow >= static_cast<int>(shown_.types.size()))
        return;
    const double reference = fixedFrequency_ ? workingFrequency_ : BandCenter(listBand());
    if (!fixedFrequency_)
        bandIndex_ = listBand();
    const AntennaSelection s =
        catalogue_->Select(shown_.types.get()[static_cast<size_t>(shown_.typeRow)], selectedManufacturer_, reference);
    shown_.bandLines = s.bandLines;
    clearAntennaFields();
    matchingLine_ = s.match;
    shown_.bandLineRow = s.match >= 0 ? s.match : -1;
    shown_.takeAntennaEnabled = s.match >= 0;
    if (s.match < 0)
        ++shown_.takeAntennaDisables;
    setAngleDataPresent(false);
    if (s.match >= 0) {
        shown_.EditAntName = s.name;
        shown_.EditAntTyp = s.type;
        shown_.EditAntGain = s.gainText;
        shown_.antNameTip = s.name;
        shown_.antTypTip = s.type;
        shown_.antGainTip = s.gainText;
        WinkelLaden(s.index);
    }
}

void StationModel::ButTakeAntClick()
{
    trace("ButTakeAntClick");
    shown_.EditAntenne = shown_.EditAntName.str();
    shown_.EditAntennenTyp = shown_.EditAntTyp.str();
    shown_.EditGain = shown_.EditAntGain.str();
    auto g = TryTolerantToFloat(shown_.EditGain);
    if (!g) {
        ShowWarning("Der Gewinn muß eine Gleitkommazahl sein!");
        shown_.EditGain.clear();
        focus_ = StationFocus::Gain;
        return;
    }
    gain_ = *g;
    altDirectivity_ = *g;
    UpdateCable();
    calc();
    if (catalogue_)
        catalogueIndex_ = catalogue_->IndexOf(shown_.EditAntName, selectedManufacturer_);
}

// ---- Wiesbeck page ------------------------------------------------------------------------

WiesInput StationModel::wiesInput() const
{
    WiesInput in;
    in.wiesAnt = static_cast<WiesAntIndex>(shown_.wiesAntRow + 1);
    in.band = result_.effectiveBand;
    in.height = height_;
    in.AntennaInputPower = result_.AntennaInputPower;
    in.DutyFactor = result_.DutyFactor;
    in.ModeFactor = result_.ModeFactor;
    in.SafetyFieldFactor = result_.SafetyFieldFactor;
    in.FSi = fsi_;
    in.useAltDirectivity = shown_.CBabwDir;
    in.AltDirectivity = altDirectivity_;
    in.applyDuty = shown_.CBWiesRXTX;
    in.applyMode = shown_.CBWiesMode;
    return in;
}

void StationModel::WiesCalc()
{
    trace("WiesCalc");
    wies_ = WiesCalculate(wiesInput());
    shown_.wiesCaptionsShown = true;
    const WiesTexts t = FormatWies(wies_, altDirectivity_);
    shown_.EditDirectivityUsed = t.DirectivityUsed;
    shown_.EditDirectivity = t.Directivity;
    shown_.EditBodenHoehe = t.HeightGroundFactor;
    shown_.EditWiesEIRP = t.WiesEIRP;
    shown_.EditkFitPS = t.kFitPS;
    shown_.EditFSi = t.FSi;
    shown_.EditWiesAbstandPS = t.WiesAbstandPS;
}

void StationModel::WiesPowerCalc(double distance, const std::function<void()> &progress)
{
    trace("WiesPowerCalc");
    shown_.EditWiesAbstandPS.clear();
    const bool tracing = tracing_ && traceSink_;
    const WiesPowerSearchResult found = WiesPowerSearch(
        wiesInput(), cable_.TotalAtt, distance,
        [&progress] {
            if (progress)
                progress();
        },
        [this, tracing](const std::string &line) {
            if (tracing)
                traceSink_(line);
        });
    if (found.status == WiesPowerSearchStatus::Found)
        power_ = found.newPep;
    if (tracing)
        traceSink_(WiesNewPepTrace(power_));
    if (found.status == WiesPowerSearchStatus::AlreadyAtOneWatt)
        ShowInfo("Der gewünschte Abstand lässt sich schon mit 1 W nicht einhalten. Die Leistung bleibt unverändert.");
    calc();
}

void StationModel::LBWiesAntClick(int row)
{
    shown_.wiesAntRow = row;
    trace("LBWiesAntClick");
    WiesCalc();
}

void StationModel::CBabwDirClick(bool checked)
{
    shown_.CBabwDir = checked;
    calcCall();
}

void StationModel::CBWiesRXTXClick(bool checked)
{
    shown_.CBWiesRXTX = checked;
    calcCall();
}

void StationModel::CBWiesModeClick(bool checked)
{
    shown_.CBWiesMode = checked;
    calcCall();
}

void StationModel::EditDirectivityUsedExit(const std::string &typed)
{
    trace("EditDirectivityUsedExit");
    const WiesInput in = wiesInput();
    const double studyDirectivity = WiesDirectivity(in.wiesAnt, in.band);
    auto value = TryStrictToFloat(NormalizeDecimal(typed));
    if (!value || !range::kGain.contains(*value)) {
        ShowWarning(value ? range::kGain.refusal("Die abweichende Directivity")
                          : "Die abweichende Directivity muß eine Gleitkommazahl sein!");
        shown_.EditDirectivityUsed = FormatValue("%3.2f", studyDirectivity);
        return;
    }
    altDirectivity_ = *value;
    calc();
}

void StationModel::PMIWiesbeckDirctivityuebernehmenClick()
{
    trace("PMIWiesbeckDirctivityuebernehmenClick");
    const WiesInput in = wiesInput();
    altDirectivity_ = WiesDirectivity(in.wiesAnt, in.band);
    calc();
}

void StationModel::PMIFernfeldGewinnuebernehmenClick()
{
    trace("PMIFernfeldGewinnuebernehmenClick");
    altDirectivity_ = gain_;
    calc();
}

void StationModel::EditFSiDblClick(const std::optional<std::string> &answer)
{
    trace("EditFSiDblClick");
    if (!answer)
        return;
    auto fsi = FsiFromTyped(*answer);
    if (!fsi) {
        ShowWarning("Der Sicherheitsfaktor muss eine Gleitkommazahl sein!");
        return;
    }
    if (!range::kSafetyFactor.contains(*fsi)) {
        ShowWarning(range::kSafetyFactor.refusal("Der Sicherheitsfaktor"));
        return;
    }
    fsi_ = *fsi;
    shown_.EditFSi = FormatValue("%6.4f", fsi_);
    markFsi();
    calc();
}

void StationModel::readHeightEntry()
{
    heightEntry_.reset();
    try {
        const double height = TolerantToFloat(shown_.EditHoehe);
        if (range::kHeight.contains(height))
            heightEntry_ = height;
        else
            heightError_ = range::kHeight.refusal("Die Höhe");
    } catch (const ConvertError &e) {
        heightError_ = e.what();
    }
}

void StationModel::entryTyped(StationEntry entry, const std::string &text)
{
    switch (entry) {
    case StationEntry::Hoehe:
        shown_.EditHoehe.typed(text);
        readHeightEntry();
        break;
    case StationEntry::Power:
        shown_.EditPower.typed(text);
        break;
    case StationEntry::CableLength:
        shown_.EditCableLength.typed(text);
        break;
    case StationEntry::PlugAtt:
        shown_.EditPlugAtt.typed(text);
        break;
    case StationEntry::CableAtt100:
        shown_.EditCableAtt100.typed(text);
        break;
    case StationEntry::DirectivityUsed:
        shown_.EditDirectivityUsed.typed(text);
        break;
    case StationEntry::FSi:
        shown_.EditFSi.typed(text);
        break;
    }
}

void StationModel::markFsi()
{
    ++shown_.fsiMarks;
    shown_.fsiMarkedValue = fsi_;
}

void StationModel::EditWiesAbstandPSDblClick(const std::optional<std::string> &answer,
                                             const std::function<void()> &progress)
{
    trace("EditWiesAbstandPSDblClick");
    if (!answer)
        return;
    auto distance = TryStrictToFloat(NormalizeDecimal(*answer));
    if (!distance) {
        ShowWarningAfter("Der Abstand muß eine Gleitkommazahl sein!", "");
        return;
    }
    if (refuseWanted(*distance, "Der Abstand"))
        return;
    WiesPowerCalc(*distance, progress);
}

// ---- angle page ---------------------------------------------------------------------------

BandIndex StationModel::angleBand() const
{
    // In fixed-frequency mode the band that contains the frequency, as the far field uses it.
    if (fixedFrequency_)
        return std::max<BandIndex>(0, BandOfFrequency(workingFrequency_));
    return listBand();
}

void StationModel::setAngleDataPresent(bool present)
{
    angleDataPresent_ = present;
    shown_.angleDataPresent = present;
    shown_.angleTabVisible = present;
    if (!present)
        angleData_.reset();
}

void StationModel::WinkelLaden(int catalogueIndex)
{
    trace("WinkelLaden");
    setAngleDataPresent(false);
    angleError_.clear();
    if (!catalogue_ || catalogueIndex < 0 || catalogueIndex >= catalogue_->Count())
        return;
    const auto index = static_cast<size_t>(catalogueIndex);
    const std::string path =
        paths_.angleDir + catalogue_->Hersteller()[index] + " " + catalogue_->Namen()[index] + ".ang";
    if (!FileExists(path))
        return;
    WinkelLesen(path);
}

void StationModel::WinkelLesen(const std::string &path)
{
    trace("Winkellesen");
    if (angleFiles_) {
        const AngleFileCache::Entry &file = angleFiles_->get(path);
        if (const auto *sections = std::get_if<AngleFileSections>(&file)) {
            angleData_ = std::make_shared<const TWinkAnt>(sections->ForBand(angleBand()));
        } else { // unreadable angle data count as absent
            angleError_ = std::get<std::string>(file);
            return;
        }
    } else {
        try {
            angleData_ = std::make_shared<const TWinkAnt>(TWinkAnt::FromFile(path, angleBand()));
        } catch (const std::exception &e) { // ConvertError or FileError: the data count as absent
            ShowError(e.what());
            return;
        }
    }
    shown_.polPosition = InitialPolChoice(angleData_->Polarisation);
    setAngleDataPresent(true);
    UpdateWinkelPage();
}

void StationModel::UpdateWinkelPage()
{
    trace("UpdateWinkelPage");
    if (!angleData_)
        return;
    shown_.angleTitle = angleData_->Name;
}

void StationModel::WinkelCalc()
{
    trace("WinkelCalc");
    angleTable_ = CalculateAngleTable(angleDataPresent_ ? angleData_.get() : nullptr, shown_.polPosition, result_);
    if (!angleDataPresent_) {
        shown_.angleRows.clear();
        return;
    }
    shown_.angleTabVisible = true;
    if (!formatAngles_)
        return;
    AngleGrid grid = AngleGridRows(angleTable_);
    shown_.angleHeading = grid.front();
    grid.erase(grid.begin());
    shown_.angleRows = std::move(grid);
}

void StationModel::RGPolClick(int position)
{
    shown_.polPosition = position;
    trace("RGPolClick");
    if (angleData_)
        shown_.polPosition = CorrectPolChoice(shown_.polPosition, angleData_->Polarisation);
    WinkelCalc();
}

// ---- configuration files ------------------------------------------------------------------

std::string StationModel::fileTag() const
{
    return fixedFrequency_ ? FormatValue("%1.0fMHz", workingFrequency_) : BandName(bandIndex_);
}

StationConfig StationModel::currentConfig() const
{
    StationConfig c;
    c.callsign = shown_.EditCall;
    c.fixedFrequency = fixedFrequency_;
    if (fixedFrequency_)
        c.bandOrFrequency = shown_.EditFreq;
    else
        c.bandOrFrequency = shown_.bandPosition >= 0 ? BandName(listBand()) : std::string();
    if (catalogue_ && catalogueIndex_ >= 0 && catalogueIndex_ < catalogue_->Count())
        c.antennaName = catalogue_->Namen()[static_cast<size_t>(catalogueIndex_)];
    else
        c.antennaName = shown_.EditAntenne;
    c.manufacturer = selectedManufacturer_;
    c.height = shown_.EditHoehe;
    c.power = shown_.EditPower;
    c.mode = ModeName(ModeAtPosition(shown_.modePosition));
    c.dutyChoice = std::max(0, shown_.dutyPosition);
    c.freeDuty = shown_.EditfreeTXRX;
    c.factorSource = std::max(0, shown_.sourcePosition);
    c.cable =
        shown_.cableRow >= 0 && shown_.cableRow < cableListCount() ? cableListEntry(shown_.cableRow) : std::string();
    c.cableAtt100 = shown_.EditCableAtt100;
    c.cableLength = shown_.EditCableLength;
    c.otherAtt = shown_.EditPlugAtt;
    c.safetyMargin = shown_.EditmySafetyFactor;
    c.wiesAntenna = shown_.wiesAntRow >= 0 && shown_.wiesAntRow < static_cast<int>(shown_.wiesAntennas.size())
                        ? shown_.wiesAntennas.get()[static_cast<size_t>(shown_.wiesAntRow)]
                        : std::string();
    c.directivity = shown_.EditDirectivityUsed;
    c.wiesMeanRxTx = shown_.CBWiesRXTX;
    c.wiesMeanMode = shown_.CBWiesMode;
    c.wiesAltDirectivity = shown_.CBabwDir;
    c.fsi = shown_.EditFSi;
    return c;
}

bool StationModel::Speichern(const std::string &fileName)
{
    trace("Speichern");
    try {
        if (!SaveStationConfig(fileName, currentConfig(), matchingLine_))
            return false;
    } catch (const FileError &e) {
        ShowWarning(e.what());
        return false;
    }
    lastSavedFileName_ = fileName;
    return true;
}

AntennaLookup StationModel::catalogueLookup() const
{
    return [this](const std::string &name, const std::string &manufacturer) {
        return catalogue_ && catalogue_->IndexOf(name, manufacturer) != kNoAntenna;
    };
}

bool StationModel::Oeffnen(const std::string &fileName)
{
    trace("Oeffnen");
    // Every check runs before anything changes: a failed opening leaves the station as it was.
    const ConfigOpenResult result = OpenStationConfig(fileName, catalogueLookup());
    if (!result.ok()) {
        switch (result.kind) {
        case MessageKind::Warning:
            ShowWarning(result.message);
            break;
        case MessageKind::Information:
            ShowInfo(result.message);
            break;
        default:
            ShowError(result.message);
        }
        return false;
    }
    applyOpenedConfig(fileName, *result.config);
    return true;
}

void StationModel::applyOpenedConfig(const std::string &fileName, const OpenedConfig &opened)
{
    const StationConfig &t = opened.texts;
    currentFileName_ = fileName;
    shown_.EditHoehe = t.height;
    height_ = opened.height;
    heightEntry_ = opened.height;
    shown_.EditPower = t.power;
    power_ = opened.power;
    shown_.EditCall = t.callsign;
    if (opened.frequency) {
        workingFrequency_ = *opened.frequency;
        shown_.bandPosition = -1;
    } else {
        shown_.bandPosition = entryIndex(bandListEntries(), t.bandOrFrequency, "CBEntryToIndex", "CBBand");
    }
    if (shown_.bandPosition < 0) {
        // No band: fixed frequency, the file's or (for an unknown band name) the previous one.
        shown_.EditFreq = FormatAuto6(workingFrequency_);
        fixedFrequency_ = true;
        bandIndex_ = 0;
    } else {
        fixedFrequency_ = false;
    }
    shown_.modePosition = opened.modePosition;
    shown_.dutyPosition = t.dutyChoice;
    shown_.EditfreeTXRX = t.freeDuty;
    freeDuty_ = opened.freeDutyFactor;
    shown_.sourcePosition = t.factorSource;
    shown_.EditCableAtt100 = t.cableAtt100;
    const int cable = entryIndex(cableListEntries(), t.cable, "CLBEntryToIndex", "CLBCable");
    CLBSetCheck(cable);
    if (cable < 0)
        shown_.cableRow = -1;
    shown_.EditCableLength = t.cableLength;
    shown_.EditPlugAtt = t.otherAtt;
    shown_.EditmySafetyFactor = t.safetyMargin;
    marginDb_ = opened.safetyMarginDb;
    shown_.wiesAntRow = entryIndex(shown_.wiesAntennas, t.wiesAntenna, "LBEntryToIndex", "LBWiesAnt");
    shown_.CBWiesRXTX = t.wiesMeanRxTx;
    shown_.CBWiesMode = t.wiesMeanMode;
    shown_.CBabwDir = t.wiesAltDirectivity;
    if (opened.fsi)
        fsi_ = *opened.fsi; // a saved safety factor takes effect
    shown_.EditFSi = FormatValue("%6.4f", fsi_);
    markFsi();

    // The file names the antenna: nothing of the previous one's selection, line or gain stays.
    selectedManufacturer_.clear();
    shown_.types.clear();
    shown_.typeRow = -1;
    shown_.bandLines.clear();
    shown_.bandLineRow = -1;
    shown_.takeAntennaEnabled = false;
    catalogueIndex_ = kNoAntenna;
    matchingLine_ = kNoMatchLine;
    clearAntennaFields();
    setAngleDataPresent(false);
    LBHerstellerClick(entryIndex(shown_.manufacturers, t.manufacturer, "LBEntryToIndex", "LBHersteller"));
    LBTypenClick(entryIndex(shown_.types, t.antennaName, "LBEntryToIndex", "LBTypen"));
    ButTakeAntClick();
    if (matchingLine_ == kNoMatchLine) {
        // No line of the catalogue fits: the file's antenna without a catalogue entry, no gain.
        catalogueIndex_ = kNoAntenna;
        gain_ = 0;
        shown_.EditAntenne = t.antennaName;
    }
    LBWiesAntClick(shown_.wiesAntRow);
    altDirectivity_ = opened.directivity;
    UpdateCable();
    UpdateBetriebsart();
    calcCall();
}

void StationModel::autoload()
{
    if (!autoload_ || lastSavedFileName_.empty())
        return;
    const ConfigOpenResult result = OpenStationConfig(lastSavedFileName_, catalogueLookup());
    if (!result.ok()) {
        ShowInfo("Die Datei " + lastSavedFileName_ + " konnte nicht gefunden werden");
        lastSavedFileName_.clear();
        return;
    }
    applyOpenedConfig(lastSavedFileName_, *result.config);
}

// ---- the configuration on other bands -----------------------------------------------------

StationInputs StationModel::stationInputs() const
{
    StationInputs in;
    in.cableIndex = shown_.cableRow;
    in.ownAtt100 = TryStrictToFloat(shown_.EditCableAtt100).value_or(cable_.Att100);
    in.cableLength = TryTolerantToFloat(shown_.EditCableLength).value_or(cable_.CableLength);
    in.plugAtt = TryTolerantToFloat(shown_.EditPlugAtt).value_or(cable_.PlugAtt);
    in.modeType = shown_.modePosition + 1;
    in.factorSource = shown_.sourcePosition;
    in.dutyChoice = shown_.dutyPosition;
    in.freeDuty = freeDuty_;
    in.marginDb = marginDb_;
    in.power = power_;
    if (!heightEntry_)
        throw ConvertError(heightError_);
    in.height = *heightEntry_;
    if (shown_.typeRow >= 0 && shown_.typeRow < static_cast<int>(shown_.types.size()))
        in.antennaName = shown_.types.get()[static_cast<size_t>(shown_.typeRow)];
    in.manufacturer = selectedManufacturer_;
    in.typedGain = gain_;
    in.angleDir = paths_.angleDir;
    in.wiesAnt = static_cast<WiesAntIndex>(shown_.wiesAntRow + 1);
    in.fsi = fsi_;
    in.useAltDirectivity = shown_.CBabwDir;
    in.altDirectivity = altDirectivity_;
    in.wiesApplyDuty = shown_.CBWiesRXTX;
    in.wiesApplyMode = shown_.CBWiesMode;
    return in;
}

void StationModel::showAngleRows()
{
    formatAngles_ = true;
    WinkelCalc();
}

StationModel StationModel::FromInputs(const StationInputs &in, std::shared_ptr<const TAntennen> catalogue,
                                      int bandPosition)
{
    StationPaths paths;
    paths.angleDir = in.angleDir;
    StationModel m(paths);
    m.formatAngles_ = false;
    m.catalogue_ = std::move(catalogue);
    StationShown &s = m.shown_;
    s.bandPosition = bandPosition;
    s.cableRow = in.cableIndex;
    s.cableChecked = in.cableIndex;
    s.EditCableAtt100 = entryText(in.ownAtt100);
    m.cable_.Att100 = in.ownAtt100;
    s.EditCableLength = entryText(in.cableLength);
    s.EditPlugAtt = entryText(in.plugAtt);
    s.modePosition = in.modeType - 1;
    s.sourcePosition = in.factorSource;
    s.dutyPosition = in.dutyChoice;
    m.freeDuty_ = in.freeDuty;
    m.marginDb_ = in.marginDb;
    m.power_ = in.power;
    m.heightEntry_ = in.height;
    m.height_ = in.height;
    s.EditHoehe = entryText(in.height); // as a printout of the copy shows it
    if (!in.antennaName.empty()) {
        s.types = std::vector<std::string>{in.antennaName};
        s.typeRow = 0;
    }
    m.selectedManufacturer_ = in.manufacturer;
    m.gain_ = in.typedGain;
    s.wiesAntRow = in.wiesAnt - 1;
    m.fsi_ = in.fsi;
    s.CBabwDir = in.useAltDirectivity;
    m.altDirectivity_ = in.altDirectivity;
    s.CBWiesRXTX = in.wiesApplyDuty;
    s.CBWiesMode = in.wiesApplyMode;
    return m;
}

void StationModel::takeGain(double gain)
{
    gain_ = gain;
    calc();
}
