#include "mainwindow/CommandLine.h"

#include <gtest/gtest.h>

using Mode = CommandLine::Mode;

TEST(CommandLine, CallsAndTheirModes)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        Mode mode;
        std::string reportFile;
        std::string sideView = "";
        std::string diagram = "";
        std::string pdfFile = "";
        bool allBands = false;
        std::string windowFile = "";
    };
    const Case cases[] = {
        {"no arguments opens the window", {}, Mode::Window, ""},
        {"report", {"--bericht", "a.txt"}, Mode::Report, "a.txt"},
        {"help long", {"--help"}, Mode::Help, ""},
        {"help short", {"-h"}, Mode::Help, ""},
        {"version long", {"--version"}, Mode::Version, ""},
        {"version short", {"-v"}, Mode::Version, ""},
        {"report without file", {"--bericht"}, Mode::WrongCall, ""},
        {"report with an option for a file", {"--bericht", "--help"}, Mode::WrongCall, ""},
        {"unknown option", {"--bunt"}, Mode::WrongCall, ""},
        {"unknown option after report", {"--bericht", "a.txt", "--bunt"}, Mode::WrongCall, ""},
        {"help with more", {"--help", "x"}, Mode::WrongCall, ""},
        {"limit table", {"--grenzwerte"}, Mode::LimitTable, "", ""},
        {"limit table with more", {"--grenzwerte", "a.txt"}, Mode::WrongCall, "", ""},
        {"report with pdf", {"--bericht", "a.txt", "--pdf", "b.pdf"}, Mode::Report, "a.txt", "", "", "b.pdf"},
        {"pdf without file", {"--bericht", "a.txt", "--pdf"}, Mode::WrongCall, ""},
        {"pdf with an option for a file", {"--bericht", "a.txt", "--pdf", "--help"}, Mode::WrongCall, ""},
        {"pdf twice", {"--bericht", "a.txt", "--pdf", "b.pdf", "--pdf", "c.pdf"}, Mode::WrongCall, ""},
        {"pdf without report", {"--pdf", "b.pdf"}, Mode::WrongCall, ""},
        {"report with both pictures", {"--bericht", "a.txt", "--seitenansicht", "s.png", "--diagramm", "d.jpg"},
         Mode::Report, "a.txt", "s.png", "d.jpg"},
        {"pictures in any order", {"--bericht", "a.txt", "--diagramm", "d.bmp", "--seitenansicht", "s.bmp"},
         Mode::Report, "a.txt", "s.bmp", "d.bmp"},
        {"only the diagram", {"--bericht", "a.txt", "--diagramm", "d.PNG"}, Mode::Report, "a.txt", "", "d.PNG"},
        {"picture without a name", {"--bericht", "a.txt", "--seitenansicht"}, Mode::WrongCall, ""},
        {"picture named like an option", {"--bericht", "a.txt", "--diagramm", "--seitenansicht", "s.png"},
         Mode::WrongCall, ""},
        {"picture twice", {"--bericht", "a.txt", "--diagramm", "a.png", "--diagramm", "b.png"}, Mode::WrongCall, ""},
        {"picture before the report", {"--seitenansicht", "s.png", "--bericht", "a.txt"}, Mode::WrongCall, ""},
        {"report with all bands", {"--bericht", "a.txt", "--alle-baender"}, Mode::Report, "a.txt", "", "", "", true},
        {"all bands between files", {"--bericht", "a.txt", "--pdf", "b.pdf", "--alle-baender", "--diagramm", "d.png"},
         Mode::Report, "a.txt", "", "d.png", "b.pdf", true},
        {"all bands twice", {"--bericht", "a.txt", "--alle-baender", "--alle-baender"}, Mode::WrongCall, ""},
        {"all bands as a file name", {"--bericht", "a.txt", "--pdf", "--alle-baender"}, Mode::WrongCall, ""},
        {"all bands without report", {"--alle-baender"}, Mode::WrongCall, ""},
        {"a file alone opens in the window", {"Station 2m.txt"}, Mode::Window, "", "", "", "", false, "Station 2m.txt"},
        {"a file named like a path", {"/home/dl0xyz/a.standort"}, Mode::Window, "", "", "", "", false,
         "/home/dl0xyz/a.standort"},
        {"two files", {"a.txt", "b.txt"}, Mode::WrongCall, ""},
        {"a file before an option", {"a.txt", "--pdf", "b.pdf"}, Mode::WrongCall, ""},
        {"a single dash is no file", {"-x"}, Mode::WrongCall, ""},
    };
    for (const Case &c : cases) {
        const CommandLine call = ParseCommandLine(c.args);
        EXPECT_EQ(call.mode, c.mode) << c.name;
        EXPECT_EQ(call.reportFile, c.reportFile) << c.name;
        EXPECT_EQ(call.sideViewFile, c.sideView) << c.name;
        EXPECT_EQ(call.diagramFile, c.diagram) << c.name;
        EXPECT_EQ(call.pdfFile, c.pdfFile) << c.name;
        EXPECT_EQ(call.allBands, c.allBands) << c.name;
        EXPECT_EQ(call.windowFile, c.windowFile) << c.name;
        EXPECT_EQ(call.error.empty(), c.mode != Mode::WrongCall) << c.name;
    }
}

TEST(CommandLine, SitePlanOptions)
{
    struct Case {
        const char *name;
        std::vector<std::string> args;
        Mode mode;
        std::string planFile = "";
        double pixelsPerMetre = 20;
        int scale = 0;
    };
    const Case cases[] = {
        {"site alone", {"--standort", "g.standort"}, Mode::Site},
        {"plan with defaults", {"--standort", "g.standort", "--lageplan", "p.png"}, Mode::Site, "p.png"},
        {"resolution with decimal comma", {"--standort", "g.standort", "--lageplan", "p.png", "--pixel-pro-meter", "2,5"},
         Mode::Site, "p.png", 2.5},
        {"scale before the file", {"--standort", "g.standort", "--massstab", "250", "--lageplan", "p.pdf"}, Mode::Site,
         "p.pdf", 20, 250},
        {"plan without a name", {"--standort", "g.standort", "--lageplan"}, Mode::WrongCall},
        {"plan named like an option", {"--standort", "g.standort", "--lageplan", "--massstab", "200"}, Mode::WrongCall},
        {"plan twice", {"--standort", "g.standort", "--lageplan", "a.png", "--lageplan", "b.png"}, Mode::WrongCall},
        {"no resolution of 0", {"--standort", "g.standort", "--lageplan", "p.png", "--pixel-pro-meter", "0"}, Mode::WrongCall},
        {"no resolution above 1000", {"--standort", "g.standort", "--lageplan", "p.png", "--pixel-pro-meter", "1001"},
         Mode::WrongCall},
        {"scale is whole", {"--standort", "g.standort", "--lageplan", "p.pdf", "--massstab", "200,5"}, Mode::WrongCall},
        {"scale above 0", {"--standort", "g.standort", "--lageplan", "p.pdf", "--massstab", "-200"}, Mode::WrongCall},
        {"scale twice", {"--standort", "g.standort", "--lageplan", "p.pdf", "--massstab", "200", "--massstab", "500"},
         Mode::WrongCall},
        {"resolution without plan", {"--standort", "g.standort", "--pixel-pro-meter", "10"}, Mode::WrongCall},
        {"scale without plan", {"--standort", "g.standort", "--massstab", "200"}, Mode::WrongCall},
        {"plan without site", {"--lageplan", "p.png"}, Mode::WrongCall},
        {"unknown option after site", {"--standort", "g.standort", "--bunt"}, Mode::WrongCall},
    };
    for (const Case &c : cases) {
        const CommandLine call = ParseCommandLine(c.args);
        EXPECT_EQ(call.mode, c.mode) << c.name;
        EXPECT_EQ(call.error.empty(), c.mode != Mode::WrongCall) << c.name;
        if (c.mode != Mode::Site)
            continue;
        EXPECT_EQ(call.siteFile, "g.standort") << c.name;
        EXPECT_EQ(call.planFile, c.planFile) << c.name;
        EXPECT_DOUBLE_EQ(call.planPixelsPerMetre, c.pixelsPerMetre) << c.name;
        EXPECT_EQ(call.planScale, c.scale) << c.name;
    }
    EXPECT_NE(UsageText().find("--lageplan AUSGABE [--pixel-pro-meter N] [--massstab N]"), std::string::npos);
}
