#include "data/SiteTable.h"

#include "FileTestSupport.h"
#include "ShippedStation.h"
#include "util/TextFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{

const std::string kFolder = FELDORA_TEST_DATA "/site/";

const SiteResult &gardenResult()
{
    static const SiteResult r =
        CalculateSite(ReadSite(kFolder + "Garten.standort"), kFolder, ShippedStation(), "Garten.standort");
    return r;
}

std::vector<std::string> fields(const std::string &line, char separator)
{
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, separator);)
        out.push_back(f);
    return out;
}

const std::vector<std::string> &rowOf(const SiteTableRows &rows, const std::string &label)
{
    for (const auto &row : rows)
        if (!row.empty() && row[0] == label)
            return row;
    ADD_FAILURE() << "no row " << label;
    static const std::vector<std::string> none;
    return none;
}

} // namespace

// The table's safety figures are the command line's, rounded the same way.
TEST(SiteTableTest, FiguresEqualTheReportLines)
{
    const SiteResult &r = gardenResult();
    const SiteTable t = SiteConfigurationTable(r);
    const std::vector<std::string> report = SiteReportLines(r, "Garten.standort");
    ASSERT_EQ(t.antennas[0], (std::vector<std::string>{"", "A", "B", "C"}));
    // Report columns: name, configuration, catalogue, height, band, distance, radii, margins, verdict.
    const std::pair<const char *, int> rows[] = {
        {"Radius Draufsicht", 6},  {"Radius in Aufenthaltshöhe", 7},
        {"Abstand zur Grenze", 8}, {"Abstand zur Grenze in Aufenthaltshöhe", 9},
        {"Ergebnis", 10},          {"Höhe", 3},
    };
    for (size_t i = 0; i < 3; ++i) {
        const std::vector<std::string> line = fields(report[3 + i], ';');
        ASSERT_EQ(line[0], t.antennas[0][i + 1]);
        for (const auto &[label, column] : rows)
            EXPECT_EQ(rowOf(t.antennas, label)[i + 1], line[column]) << label << " " << line[0];
        EXPECT_EQ(rowOf(t.antennas, "Sicherheitsabstand")[i + 1], line[5] + " (" + line[4] + ")");
    }
    EXPECT_EQ(rowOf(t.antennas, "Verfahren")[1], "Fernfeld mit Winkeldämpfung");
    EXPECT_EQ(rowOf(t.antennas, "Verfahren")[3], "Fernfeld");
    EXPECT_EQ(rowOf(t.antennas, "Bänder mit PEP")[1], "20m: 750 W\n15m: 750 W\n10m: 400 W");
    EXPECT_EQ(rowOf(t.antennas, "Punkte im Plan")[3], "2 15\n22 15");

    // The group's sum and the threshold as the report gives them.
    ASSERT_EQ(t.groups.size(), 2u);
    ASSERT_EQ(report.size(), 11u);
    const std::vector<std::string> group = fields(report[7], ';');
    EXPECT_EQ(t.groups[1][0], group[0]);
    EXPECT_EQ(t.groups[1][2], group[2]);
    EXPECT_EQ(t.groups[1][3], group[4]);
    EXPECT_EQ(t.groups[1][4], group[6]);
    const std::vector<std::string> site = fields(report[9], ';');
    EXPECT_EQ(t.threshold[1][1], site[1]);
    EXPECT_EQ(t.threshold[1][3], site[4]);
    EXPECT_EQ(t.threshold[2][0], "Gruppe 1");
    EXPECT_EQ(t.threshold[2][1], fields(report[10], ';')[1]);
}

TEST(SiteTableTest, CopiedWithTabsSavedWithSemicolonsInWindows1252)
{
    const SiteTable t = SiteConfigurationTable(gardenResult());
    const std::vector<std::string> copied = SiteTableLines(t, '\t');
    EXPECT_EQ(copied[0], "\tA\tB\tC");
    EXPECT_EQ(fields(copied[5], '\t')[1], "20m: 750 W / 15m: 750 W / 10m: 400 W");

    TempDir dir;
    const std::string path = dir.file("Tabelle.csv");
    WriteSiteTable(path, t);
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.substr(0, 7), ";A;B;C\r");
    EXPECT_NE(bytes.find("H\xF6he;"), std::string::npos);
    EXPECT_EQ(bytes.find("H\xC3\xB6he"), std::string::npos);
    // Every antenna row keeps its columns although the cells hold decimal commas and point lists.
    const std::vector<std::string> lines = SplitLines(DecodeText(bytes));
    for (size_t i = 0; i < t.antennas.size(); ++i)
        EXPECT_EQ(fields(lines[i], ';').size(), 4u) << lines[i];
    EXPECT_EQ(lines[t.antennas.size()], "");

    // A save that fails keeps the file that was there.
    EXPECT_THROW(WriteSiteTable(dir.file("fehlt/Tabelle.csv"), t), FileError);
    EXPECT_EQ(ReadFileBytes(path), bytes);
}
