#pragma once

// The feed-line values the main window holds; recomputed only by the cable update.
struct CableState {
    short CableIndex = 0;     // 0 = own value ("Anderes Kabel"), 1..29 catalogue, -1 = none
    double AttFreq = 0;       // MHz at which the cable loss is taken
    double Att100 = 0;        // dB per 100 m
    double CableLength = 0;   // m
    double CableAtt = 0;      // dB
    double PlugAtt = 0;       // dB, plugs, SWR meter and the like
    double TotalAtt = 0;      // dB between transmitter output and antenna input
    bool lossKnown = true;    // false when no cable covers the frequency: counted as 0 dB
};
