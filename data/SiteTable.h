#pragma once

// The site's configuration table: one column per antenna with everything that determines its
// field and what follows from it, then the groups and the notification threshold. The same
// figures as the "--standort" lines: distances and radii rounded up, margins down.

#include "data/SiteCalculation.h"

#include <string>
#include <vector>

using SiteTableRows = std::vector<std::vector<std::string>>;

struct SiteTable {
    // First row: "" and the antennas' names; then a label and one cell per antenna. A cell
    // with a figure per band holds one line per band, separated by "\n".
    SiteTableRows antennas;
    SiteTableRows groups;    // heading row, then one row per group (none without groups)
    SiteTableRows threshold; // heading row, the site's line, then each group's sum
};

SiteTable SiteConfigurationTable(const SiteResult &result);

// The three parts one after the other, an empty line between them, the cells joined by
// separator; the lines of a cell joined by " / ".
std::vector<std::string> SiteTableLines(const SiteTable &table, char separator);
// ";"-separated, Windows-1252, CR LF, atomic. Throws FileError and keeps the old file.
void WriteSiteTable(const std::string &path, const SiteTable &table);
