#pragma once

// The person-protection limits of every selectable band as a text table (with their dBm
// equivalents for field-strength meters), and the data of the limit plot over a frequency range.

#include <string>
#include <vector>

// The table lines: heading, one row per band LW to 3cm, an empty line and the closing note.
std::vector<std::string> LimitTableLines();

constexpr int kLimitPlotVariants = 4; // 0-2: E over 1-30, 30-300, 300-3000 MHz; 3: H over 1-30 MHz
constexpr int kLimitPlotSamples = 3000;

struct LimitPlotData {
    double xmin = 0, xmax = 0;  // MHz
    double ymin = 0, ymax = 0;  // V/m or mA/m, rounded to one significant digit
    std::vector<double> x, y;   // the samples
    std::vector<double> xMarks; // grid and label positions, MHz
    std::vector<double> yMarks; // grid and label values from ymin in tenths of the range
    std::string yTitle;
};

// variant outside 0..3 is taken as 0.
LimitPlotData LimitPlotFor(int variant);
