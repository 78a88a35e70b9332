#include "data/ConfigFile.h"
#include "FileTestSupport.h"
#include "MessageRecorder.h"
#include "core/FarField.h"
#include "util/DecimalText.h"
#include "util/TextFile.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace
{

const std::string kFixtures = FELDORA_TEST_DATA;

StationConfig sampleConfig()
{
    StationConfig c;
    c.callsign = "DL1ABC";
    c.bandOrFrequency = "2m";
    c.antennaName = "HB9CV";
    c.manufacturer = "Eigenbau";
    c.cable = "H 2000 Flex";
    c.wiesAntenna = "Dipol";
    return c;
}

// The file lines of sampleConfig with one value replaced.
Lines sampleLinesWith(int line, const std::string &value)
{
    Lines lines = ConfigLines(sampleConfig());
    lines[static_cast<size_t>(line)] = kConfigLabels[static_cast<size_t>(line)] + value;
    return lines;
}

OpenedConfig openLines(const Lines &lines)
{
    ConfigOpenResult r = ParseStationConfig(lines);
    EXPECT_TRUE(r.ok()) << r.message;
    return r.config.value_or(OpenedConfig{});
}

} // namespace

TEST(ConfigFile, LabelsAreTwentyFiveCharacters)
{
    for (const std::string &label : kConfigLabels)
        EXPECT_EQ(CharCount(label), kConfigLabelLength) << label;
}

TEST(ConfigFile, WritesExactlyTheLabelledWindows1252Format)
{
    TempDir dir;
    std::string path = dir.file("DL1ABC 2m.txt");
    ASSERT_TRUE(SaveStationConfig(path, sampleConfig(), 0));
    const std::string expected = "Rufzeichen..............>DL1ABC\r\n"
                                 "Band/Frequenz...........>2m\r\n"
                                 "Antenne.................>HB9CV;Eigenbau\r\n"
                                 "H\xF6"
                                 "he [m]................>10\r\n"
                                 "Leistung [W]............>100\r\n"
                                 "Betriebsart.............>SSB\r\n"
                                 "TXRX-Intervall..........>0    //TX6 RX0\r\n"
                                 "TXRX-Individuell........>0,167\r\n"
                                 "Betriebsartenfaktor.....>1    //EN 50413 (Ausgabe 2008) und BNetzA-Anleitung\r\n"
                                 "KabelTyp................>H 2000 Flex\r\n"
                                 "Kabell\xE4"
                                 "nge.[m]..........>10,00\r\n"
                                 "sonst. D\xE4"
                                 "mpfungen.[dB]..>0,30\r\n"
                                 "Pers. Sich. Fakt........>0 dB\r\n"
                                 "Wiesbeck Antenne........>Dipol\r\n"
                                 "Wiesbeck abw. Dir.[dBi].>0,00\r\n"
                                 "Wies. MW RXTX...........>-1\r\n"
                                 "Wies. MW Mode...........>-1\r\n"
                                 "Wies. alt Dir...........>0\r\n"
                                 "Wies. Faktor Sicherheit.>1,4142\r\n";
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(ConfigFile, WrittenConfigurationsOpenWithTheSameValues)
{
    StationConfig fixed = sampleConfig();
    fixed.fixedFrequency = true;
    fixed.bandOrFrequency = FormatAuto6(70.443);
    fixed.mode = "NV ";
    fixed.dutyChoice = 5;
    fixed.freeDuty = "0,25";
    fixed.factorSource = 0;
    fixed.cable = "Anderes Kabel";
    fixed.cableAtt100 = "4,50";
    fixed.safetyMargin = "3 dB";
    fixed.wiesMeanRxTx = false;
    fixed.wiesAltDirectivity = true;
    fixed.directivity = "-1,25";
    fixed.fsi = "2,0000";

    StationConfig umlauts = sampleConfig();
    umlauts.callsign = "DL0ÄÖÜ";
    umlauts.antennaName = "Groundplane ¼λ"; // λ has no single-byte form
    umlauts.manufacturer = "Fritzel;Nachbau";
    umlauts.power = "1,23E3";
    umlauts.factorSource = 2;
    umlauts.dutyChoice = 3;
    umlauts.wiesMeanMode = false;

    StationConfig tiny;
    tiny.callsign = "";
    tiny.antennaName = "A";
    tiny.manufacturer = "";
    tiny.height = "0";
    tiny.power = "0";
    tiny.mode = "Alle";
    tiny.cable = "Anderes Kabel";
    tiny.cableAtt100 = "";

    struct Case {
        const char *name;
        StationConfig config;
    } cases[] = {{"band mode", sampleConfig()},
                 {"fixed frequency and own cable", fixed},
                 {"umlauts and a ; in the manufacturer", umlauts},
                 {"empty texts", tiny}};
    TempDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.file("c.txt");
        ASSERT_TRUE(SaveStationConfig(path, c.config, 2));
        ConfigOpenResult r = OpenStationConfig(path);
        ASSERT_TRUE(r.ok()) << r.message;
        StationConfig expected = c.config;
        if (std::string(c.name) == "umlauts and a ; in the manufacturer")
            expected.antennaName = "Groundplane ¼?";
        EXPECT_EQ(r.config->texts, expected);
        EXPECT_EQ(ConfigLines(r.config->texts).size(), 19u);
    }
}

TEST(ConfigFile, FixedFrequencyFromTheOriginalProgram)
{
    // Written for 70.443 MHz: "F", a blank and 70,44.
    ConfigOpenResult r = OpenStationConfig(kFixtures + "/cfg_fixed_70mhz.txt");
    ASSERT_TRUE(r.ok()) << r.message;
    const OpenedConfig &c = *r.config;
    ASSERT_TRUE(c.frequency.has_value());
    EXPECT_DOUBLE_EQ(*c.frequency, 70.44);
    EXPECT_TRUE(c.texts.fixedFrequency);
    EXPECT_EQ(c.texts.bandOrFrequency, " 70,44");
    EXPECT_EQ(c.texts.antennaName, "Dipol 4m");
    EXPECT_EQ(c.texts.manufacturer, "Eigenbau");
    EXPECT_DOUBLE_EQ(c.height, 8.5);
    EXPECT_DOUBLE_EQ(c.power, 25);
    EXPECT_EQ(c.modePosition, 3); // FM
    EXPECT_EQ(c.texts.dutyChoice, 5);
    EXPECT_DOUBLE_EQ(DutyFactorOf(DutyAtPosition(c.texts.dutyChoice), c.freeDutyFactor), 0.25); // "frei -->" uses line 7
    EXPECT_EQ(c.texts.factorSource, 0);
    EXPECT_EQ(c.texts.cable, "Anderes Kabel");
    EXPECT_EQ(c.texts.cableAtt100, "4,50");
    EXPECT_DOUBLE_EQ(c.safetyMarginDb, 3);
    EXPECT_DOUBLE_EQ(c.directivity, 2.15);
    EXPECT_FALSE(c.texts.wiesMeanRxTx);
    EXPECT_TRUE(c.texts.wiesMeanMode);
    EXPECT_TRUE(c.texts.wiesAltDirectivity); // "True"
    EXPECT_EQ(c.fsi, 1.4142);

    // Only the label lengths count, not their words.
    ConfigOpenResult edited = OpenStationConfig(kFixtures + "/cfg_edited_labels.txt");
    ASSERT_TRUE(edited.ok()) << edited.message;
    EXPECT_EQ(edited.config->texts, c.texts);
}

TEST(ConfigFile, BandModeKeepsTheBandNameForTheWindow)
{
    OpenedConfig c = openLines(sampleLinesWith(1, "40m"));
    EXPECT_FALSE(c.frequency.has_value());
    EXPECT_FALSE(c.texts.fixedFrequency);
    EXPECT_EQ(c.texts.bandOrFrequency, "40m");
    EXPECT_EQ(BandListPosition(c.texts.bandOrFrequency), 5);

    struct {
        const char *name;
        int position;
    } bands[] = {{"LW", 0}, {"2m", 14}, {"2M", 14}, {"3cm", 20}, {"F 70", -1}, {"", -1}, {"Fehler", -1}};
    for (const auto &b : bands)
        EXPECT_EQ(BandListPosition(b.name), b.position) << b.name;
}

TEST(ConfigFile, ModeNamesSelectTheirEntries)
{
    struct {
        const char *text;
        int index, position;
    } cases[] = {
        {"PS", 0, -1}, {"CW", 1, 0},  {"SSB", 2, 1},  {" SSB ", 2, 1},  {"AM", 3, 2},     {"FM", 4, 3},  {"TV", 5, 4},
        {"GSM", 6, 5}, {"DTX", 7, 5}, {"Alle", 8, 5}, {"NV ", -99, -1}, {"ssb", -99, -1}, {"", -99, -1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ModeIndexOfName(c.text), c.index) << c.text;
        EXPECT_EQ(ModePositionOfName(c.text), c.position) << c.text;
        OpenedConfig opened = openLines(sampleLinesWith(5, c.text));
        EXPECT_EQ(opened.modePosition, c.position) << c.text;
        EXPECT_EQ(opened.texts.mode, c.text);
    }
}

TEST(ConfigFile, ChoicesAndFlagsAsSaved)
{
    struct {
        int line;
        const char *value;
        int duty, source;
        bool rxtx;
    } cases[] = {
        {6, "5    //frei -->", 5, 1, true},
        {6, "9    //?", 5, 1, true}, // limited to the last entry
        {6, "3", 3, 1, true},
        {8, "0    //EN 50413 (Ausgabe 2013) und DKE K764-Empfehlung", 0, 0, true},
        {8, "7", 0, 2, true},
        {15, "0", 0, 1, false},
        {15, " 0 ", 0, 1, false},
        {15, "-1", 0, 1, true},
        {15, "42", 0, 1, true},
        {15, "true", 0, 1, true},
        {15, "FALSE", 0, 1, false},
    };
    for (const auto &c : cases) {
        OpenedConfig o = openLines(sampleLinesWith(c.line, c.value));
        EXPECT_EQ(o.texts.dutyChoice, c.duty) << c.value;
        EXPECT_EQ(o.texts.factorSource, c.source) << c.value;
        EXPECT_EQ(o.texts.wiesMeanRxTx, c.rxtx) << c.value;
    }
}

TEST(ConfigFile, OtherCableKeepsItsAttenuation)
{
    StationConfig c = sampleConfig();
    c.cable = "Anderes Kabel";
    c.cableAtt100 = "4,50";
    EXPECT_EQ(ConfigLines(c)[9], "KabelTyp................>Anderes Kabel;4,50");
    OpenedConfig o = openLines(ConfigLines(c));
    EXPECT_EQ(o.texts.cable, "Anderes Kabel");
    EXPECT_EQ(o.texts.cableAtt100, "4,50");

    // A catalogue cable stores no attenuation of its own.
    c.cable = "RG 58";
    EXPECT_EQ(ConfigLines(c)[9], "KabelTyp................>RG 58");
    EXPECT_EQ(openLines(ConfigLines(c)).texts.cableAtt100, "");
}

TEST(ConfigFile, FactorDialogRules)
{
    struct {
        const char *typed, *duty, *margin;
    } cases[] = {
        {"1.5", "1,0", "1,5 dB"},    {"0.02", "0,04", "0,02 dB"},   {"Wort", "0,167", "0 dB"},
        {"0.25", "0,25", "0,25 dB"}, {"-3", "0,04", "0 dB"},        {"3", "1,0", "3 dB"},
        {"1", "1", "1 dB"},          {"0,0400", "0,04", "0,04 dB"}, {"", "0,167", "0 dB"},
        {"nan", "0,167", "0 dB"},    {"1e999", "0,167", "0 dB"},    {"-0", "0,04", "0 dB"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(FreeDutyFactorText(c.typed), c.duty) << c.typed;
        EXPECT_EQ(SafetyMarginText(c.typed), c.margin) << c.typed;
    }
    EXPECT_EQ(SafetyMarginText("3 dB"), "3 dB");
    EXPECT_EQ(SafetyMarginText("-3 dB"), "0 dB");
    EXPECT_EQ(SafetyMarginText("2,50 dB"), "2,5 dB");
}

TEST(ConfigFile, OpenedFactorsFollowTheDialogRules)
{
    struct {
        int line;
        const char *value, *text;
        double number;
    } cases[] = {
        {7, "1,5", "1,0", 1.0},
        {7, "0,02", "0,04", 0.04},
        {7, "x", "0,167", 0.167},
        {7, "0.25", "0,25", 0.25},
        {12, "-3 dB", "0 dB", 0},
        {12, "abc", "0 dB", 0},
        {12, "6 dB", "6 dB", 6},
        {12, "1.5 dB", "1,5 dB", 1.5},
        {12, "", "0 dB", 0},
        // What the dialogs could have written stays as it is.
        {7, "1,0", "1,0", 1.0},
        {7, "0,1670", "0,1670", 0.167},
        {12, "2,50 dB", "2,50 dB", 2.5},
        {12, "4", "4 dB", 4},
    };
    for (const auto &c : cases) {
        OpenedConfig o = openLines(sampleLinesWith(c.line, c.value));
        if (c.line == 7) {
            EXPECT_EQ(o.texts.freeDuty, c.text) << c.value;
            EXPECT_DOUBLE_EQ(o.freeDutyFactor, c.number) << c.value;
        } else {
            EXPECT_EQ(o.texts.safetyMargin, c.text) << c.value;
            EXPECT_DOUBLE_EQ(o.safetyMarginDb, c.number) << c.value;
        }
    }
}

TEST(ConfigFile, SafetyFactorFromTheFile)
{
    struct {
        const char *value;
        bool present;
        double fsi;
        const char *text;
    } cases[] = {
        {"1,4142", true, 1.4142, "1,4142"},
        {"2", true, 2, "2,0000"},
        {"0,8", true, 1, "1,0000"},
        {"-5", true, 1, "1,0000"},
        {"1.5", false, 0, ""},
        {"", false, 0, ""},
        {"nan", false, 0, ""},
    };
    for (const auto &c : cases) {
        OpenedConfig o = openLines(sampleLinesWith(18, c.value));
        ASSERT_EQ(o.fsi.has_value(), c.present) << c.value;
        if (c.present) {
            EXPECT_DOUBLE_EQ(*o.fsi, c.fsi) << c.value;
        }
        EXPECT_EQ(o.texts.fsi, c.text) << c.value;
    }
}

TEST(ConfigFile, FailuresStopTheOpeningWithTheirMessage)
{
    const std::string notLoaded = "\r\n\r\nDie Datei wurde nicht geladen!";
    struct {
        const char *name;
        int line; // -1: keep only the first 18 lines
        std::string value;
        MessageKind kind;
        std::string message;
    } cases[] = {
        {"too few lines", -1, "", MessageKind::Error,
         "Die Konfigurationsdatei ist unvollständig: sie hat 18 statt 19 Zeilen." + notLoaded},
        {"height word", 3, "zehn", MessageKind::Warning, "Hoehe hat falsches Format!"},
        {"height with point", 3, "10.5", MessageKind::Warning, "Hoehe hat falsches Format!"},
        {"height negative", 3, "-1", MessageKind::Warning, "Hoehe hat falsches Format!"},
        {"height overflow", 3, "1e999", MessageKind::Warning, "Hoehe hat falsches Format!"},
        {"power empty", 4, "", MessageKind::Warning, "Leistung hat falsches Format!"},
        {"power nan", 4, "nan", MessageKind::Warning, "Leistung hat falsches Format!"},
        {"frequency word", 1, "Fabc", MessageKind::Warning,
         "Beim Öffnen wurde eine ungültige Frequenz gefunden.\r\nGefundene Frequenzinformation: Fabc\r\n\r\n"
         "Die Datei wurde nicht geladen!\r\n"},
        {"frequency zero", 1, "F 0,00", MessageKind::Warning,
         "Beim Öffnen wurde eine ungültige Frequenz gefunden.\r\nGefundene Frequenzinformation: F 0,00\r\n\r\n"
         "Die Datei wurde nicht geladen!\r\n"},
        {"antenna without ;", 2, "Dipol", MessageKind::Error,
         "Die Antennenangabe \"Dipol\" hat nicht die Form Name;Hersteller." + notLoaded},
        {"antenna without name", 2, ";Fritzel", MessageKind::Error,
         "Die Antennenangabe \";Fritzel\" hat nicht die Form Name;Hersteller." + notLoaded},
        {"duty word", 6, "x    //TX6 RX0", MessageKind::Error,
         "Zeile 7 (TXRX-Intervall): 'x' ist kein gültiger Integerwert." + notLoaded},
        {"duty empty", 6, "", MessageKind::Error,
         "Zeile 7 (TXRX-Intervall): '' ist kein gültiger Integerwert." + notLoaded},
        {"source negative", 8, "-1    //", MessageKind::Error,
         "Zeile 9 (Betriebsartenfaktor): '-' ist kein gültiger Integerwert." + notLoaded},
        {"flag word", 16, "ja", MessageKind::Error,
         "Zeile 17 (Wies. MW Mode): 'ja' ist kein gültiger Boolescher Wert." + notLoaded},
        {"directivity with point", 14, "2.15", MessageKind::Warning, "Abweichende Directivity hat falsches Format!"},
        {"directivity empty", 14, "", MessageKind::Warning, "Abweichende Directivity hat falsches Format!"},
        // Numbers beyond their physical range stop at their line.
        {"height above 10 km", 3, "10000,5", MessageKind::Warning,
         "Zeile 4 (Höhe [m]): '10000,5' liegt nicht zwischen 0 und 10000 m." + notLoaded},
        {"power largest double", 4, "1,7976931348623157E308", MessageKind::Warning,
         "Zeile 5 (Leistung [W]): '1,7976931348623157E308' liegt nicht zwischen 0 und 1000000 W." + notLoaded},
        {"frequency above the limit table", 1, "F300001", MessageKind::Warning,
         "Beim Öffnen wurde eine ungültige Frequenz gefunden.\r\nGefundene Frequenzinformation: F300001\r\n\r\n"
         "Die Datei wurde nicht geladen!\r\n"},
        {"directivity above 1000 dBi", 14, "1000,5", MessageKind::Warning,
         "Zeile 15 (Wiesbeck abw. Dir.[dBi]): '1000,5' liegt nicht zwischen -1000 und 1000 dBi." + notLoaded},
        {"own cable loss", 9, "Anderes Kabel;1E308", MessageKind::Warning,
         "Zeile 10 (KabelTyp): '1E308' liegt nicht zwischen -1000 und 1000 dB." + notLoaded},
        {"cable length", 10, "1E308", MessageKind::Warning,
         "Zeile 11 (Kabellänge.[m]): '1E308' liegt nicht zwischen 0 und 10000 m." + notLoaded},
        {"other losses negative", 11, "-1E308", MessageKind::Warning,
         "Zeile 12 (sonst. Dämpfungen.[dB]): '-1E308' liegt nicht zwischen 0 und 1000 dB." + notLoaded},
        {"margin without dB", 12, "1,7976931348623157E308", MessageKind::Warning,
         "Zeile 13 (Pers. Sich. Fakt): '1,7976931348623157E308' liegt nicht zwischen 0 und 1000 dB." + notLoaded},
        {"margin with dB", 12, "1E308 dB", MessageKind::Warning,
         "Zeile 13 (Pers. Sich. Fakt): '1E308' liegt nicht zwischen 0 und 1000 dB." + notLoaded},
        {"safety factor", 18, "1E308", MessageKind::Warning,
         "Zeile 19 (Wies. Faktor Sicherheit): '1E308' liegt nicht zwischen 1 und 1000." + notLoaded},
    };
    for (const auto &c : cases) {
        Lines lines = ConfigLines(sampleConfig());
        if (c.line < 0)
            lines.pop_back();
        else
            lines[static_cast<size_t>(c.line)] = kConfigLabels[static_cast<size_t>(c.line)] + c.value;
        ConfigOpenResult r = ParseStationConfig(lines);
        EXPECT_FALSE(r.config.has_value()) << c.name; // nothing half-read reaches the window
        EXPECT_EQ(r.kind, c.kind) << c.name;
        EXPECT_EQ(r.message, c.message) << c.name;
    }
}

TEST(ConfigFile, NumbersAtTheEdgesOfTheirRangesStillLoad)
{
    struct {
        int line;
        const char *value;
    } cases[] = {
        {3, "10000"},        {3, "0"},       {4, "1000000"},        {4, "4,9E-324"},
        {1, "F0,003"},       {1, "F300000"}, {9, "Anderes Kabel;1000"}, {9, "Anderes Kabel;-1000"},
        {10, "10000"},       {11, "1000"},   {12, "1000 dB"},       {12, "1000"},
        {14, "-1000"},       {14, "1000"},   {18, "1000"},
    };
    for (const auto &c : cases) {
        ConfigOpenResult r = ParseStationConfig(sampleLinesWith(c.line, c.value));
        EXPECT_TRUE(r.ok()) << c.line << " " << c.value << ": " << r.message;
    }
    // A margin above the range is refused by the dialog rule too, not replaced.
    EXPECT_EQ(SafetyMarginText("1000"), "1000 dB");
    EXPECT_FALSE(SafetyMarginText("1000,5").has_value());
    EXPECT_FALSE(SafetyMarginText("1,7976931348623157E308").has_value());
}

TEST(ConfigFile, TheFirstFailureInFileOrderIsReported)
{
    Lines lines = ConfigLines(sampleConfig());
    lines[14] = kConfigLabels[14] + "x";
    lines[4] = kConfigLabels[4] + "x";
    lines[3] = kConfigLabels[3] + "x";
    EXPECT_EQ(ParseStationConfig(lines).message, "Hoehe hat falsches Format!");
}

TEST(ConfigFile, CatalogueLookupDecidesTheAntenna)
{
    AntennaLookup catalogue = [](const std::string &name, const std::string &manufacturer) {
        return (name == "X;Y" && manufacturer == "Z") || (name == "HB9CV" && manufacturer == "Eigenbau");
    };
    EXPECT_TRUE(ParseStationConfig(ConfigLines(sampleConfig()), catalogue).ok());

    // Several ";": the split the catalogue knows, although the first would be "X" and "Y;Z".
    OpenedConfig o = ParseStationConfig(sampleLinesWith(2, "X;Y;Z"), catalogue).config.value();
    EXPECT_EQ(o.texts.antennaName, "X;Y");
    EXPECT_EQ(o.texts.manufacturer, "Z");

    ConfigOpenResult missing = ParseStationConfig(sampleLinesWith(2, "Dipol;Fritzel"), catalogue);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.message, "Die Antenne \"Dipol\" des Herstellers \"Fritzel\" ist nicht im Antennenkatalog."
                               "\r\n\r\nDie Datei wurde nicht geladen!");
}

TEST(ConfigFile, UnreadableFileIsAFailure)
{
    TempDir dir;
    ConfigOpenResult r = OpenStationConfig(dir.file("fehlt.txt"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.kind, MessageKind::Error);
    EXPECT_NE(r.message.find("fehlt.txt"), std::string::npos) << r.message;
}

TEST(ConfigFile, SavingWithoutMatchingAntennaLineIsRefused)
{
    TempDir dir;
    std::string path = dir.file("alt.txt");
    WriteBytes(path, "bisher");
    MessageRecorder rec;
    EXPECT_FALSE(SaveStationConfig(path, sampleConfig(), -1));
    ASSERT_EQ(rec.count(), 1u);
    EXPECT_EQ(rec.messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(rec.messages()[0].text, "Antenne passt nicht zur Frequenz! Speicherung nicht möglich!");
    EXPECT_EQ(ReadFileBytes(path), "bisher");
    EXPECT_FALSE(SaveStationConfig(dir.file("neu.txt"), sampleConfig(), -1));
    EXPECT_FALSE(FileExists(dir.file("neu.txt")));
}

TEST(ConfigFile, FailedWriteKeepsThePreviousFile)
{
    TempDir dir;
    std::string path = dir.file("station.txt");
    ASSERT_TRUE(SaveStationConfig(path, sampleConfig(), 0));
    const std::string before = ReadFileBytes(path);
    StationConfig changed = sampleConfig();
    changed.power = "750";
    try {
        WriteLimit limit(64);
        SaveStationConfig(path, changed, 0);
        ADD_FAILURE() << "no FileError";
    } catch (const FileError &e) {
        EXPECT_NE(std::string(e.what()).find("konnte nicht gespeichert werden"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(ConfigFile, ValuesCannotBreakTheLineStructure)
{
    StationConfig c = sampleConfig();
    c.callsign = "DL1\r\nABC";
    c.wiesAntenna = "Di\npol";
    Lines lines = ConfigLines(c);
    ASSERT_EQ(lines.size(), 19u);
    TempDir dir;
    WriteTextLines(dir.file("c.txt"), lines);
    ConfigOpenResult r = OpenStationConfig(dir.file("c.txt"));
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.config->texts.callsign, "DL1  ABC");
    EXPECT_EQ(r.config->texts.wiesAntenna, "Di pol");
}

TEST(ConfigFile, HostileFilesNeverCrash)
{
    TempDir dir;
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    std::string hugeLine = "Rufzeichen..............>" + std::string(1 << 20, 'A');
    std::string manyLines;
    for (const std::string &line : ConfigLines(sampleConfig()))
        manyLines += line + "\r\n";
    for (int i = 0; i < 100000; ++i)
        manyLines += "noch eine Zeile\r\n";
    std::string valid;
    for (const std::string &line : ConfigLines(sampleConfig()))
        valid += line + "\r\n";
    std::string hugeFirst = hugeLine + "\r\n" + valid.substr(valid.find('\n') + 1);

    struct {
        const char *name;
        std::string bytes;
        bool opens;
    } cases[] = {
        {"empty", "", false},
        {"truncated lines", "Rufzeichen\r\nBand\r\n", false},
        {"19 short lines", std::string(19 * 2, '\n'), false},
        {"binary garbage", garbage, false},
        {"one 1 MB line", hugeLine, false},
        {"1 MB callsign", hugeFirst, true},
        {"100000 lines", manyLines, true},
        {"LF only", RemoveChar(valid, '\r'), true},
    };
    for (const auto &c : cases) {
        std::string path = dir.file("f.txt");
        WriteBytes(path, c.bytes);
        ConfigOpenResult r = OpenStationConfig(path);
        EXPECT_EQ(r.ok(), c.opens) << c.name << ": " << r.message;
        EXPECT_EQ(r.ok(), r.message.empty()) << c.name;
    }
}
