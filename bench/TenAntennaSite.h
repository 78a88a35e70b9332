#pragma once

// The benchmarks' site: ten antennas, each on ten bands, all in one group, over 100 m x 100 m;
// every fourth a wire. A catalogue antenna with a line on each band, in a scratch folder.

#include "data/ConfigFile.h"
#include "data/SiteCalculation.h"
#include "util/TextFile.h"

#include <cstdio>
#include <filesystem>
#include <string>

struct TenAntennaSite {
    std::filesystem::path dir;
    StationModel base;
    Site site;

    explicit TenAntennaSite(const char *folderName) : dir(std::filesystem::temp_directory_path() / folderName)
    {
        std::filesystem::create_directories(dir);
        const char *mhz[] = {"1.905", "3.65", "7.1", "10.125", "14.175", "18.118", "21.225", "24.94", "28.85", "50.5"};
        std::string line = "Mehrband,Vertikal";
        for (const char *f : mhz)
            line += std::string(",") + f + ",3.5,1";
        WriteTextLines((dir / "Antennen.txt").string(), {"[Bench]", line + ",#"});
        WriteTextLines((dir / "AntUser.txt").string(), {});
        base = StationModel(StationPaths{(dir / "Antennen.txt").string(), (dir / "AntUser.txt").string(),
                                         (dir / "ang").string() + "/"});
        base.AfterCreation();
        StationConfig config;
        config.bandOrFrequency = "20m";
        config.antennaName = "Mehrband";
        config.manufacturer = "Bench";
        config.cable = "RG213";
        SaveStationConfig((dir / "Mehrband.txt").string(), config, 0);

        std::string text =
            "[Standort]\nRufzeichen=DL0XYZ\n[Kontrollierbarer Bereich]\nPunkte=0 0; 100 0; 100 100; 0 100\n";
        const char *bands = "160m 750; 80m 750; 40m 750; 30m 150; 20m 750; 17m 750; 15m 750; 12m 750; 10m 750; 6m 750";
        for (int i = 0; i < 10; ++i) {
            const double x = 12 + 19 * (i % 5), y = i < 5 ? 20 : 75;
            char points[96];
            if (i % 4 == 3)
                std::snprintf(points, sizeof points, "%d %d; %d %d", int(x) - 8, int(y), int(x) + 8, int(y) + 6);
            else
                std::snprintf(points, sizeof points, "%d %d", int(x), int(y));
            text += "[Antenne " + std::string(1, char('A' + i)) + "]\nKonfiguration=Mehrband.txt\nPunkte=" + points
                    + "\nBaender=" + bands + "\nGruppe=alle\n";
        }
        site = ParseSite(text, "bench.standort");
    }
    ~TenAntennaSite() { std::filesystem::remove_all(dir); }
    TenAntennaSite(const TenAntennaSite &) = delete;
    TenAntennaSite &operator=(const TenAntennaSite &) = delete;
    std::string folder() const { return dir.string() + "/"; }
};
