#include "core/BandPlan.h"

#include "util/NumRoutines.h"

#include <array>
#include <cmath>

namespace {

struct Band {
    const char *name;
    double lower;
    double upper;
};

constexpr std::array<Band, kBandCount> kBands{{
    {"LW", 0.1357, 0.1378},      {"MW", 0.472, 0.479},       {"160m", 1.81, 2},
    {"80m", 3.5, 3.8},           {"60m", 5.3515, 5.3665},    {"40m", 7, 7.2},
    {"30m", 10.1, 10.15},        {"20m", 14, 14.35},         {"17m", 18.068, 18.168},
    {"15m", 21, 21.45},          {"12m", 24.89, 24.99},      {"10m", 28, 29.7},
    {"6m", 50, 51},              {"4m", 70, 70.03},          {"2m", 144, 146},
    {"70cm", 430, 440},          {"23cm", 1240, 1300},       {"13cm", 2320, 2450},
    {"9cm", 3400, 3475},         {"6cm", 5650, 5950},        {"3cm", 10000, 10500},
    {"1,2cm", 24000, 24250},     {"6,4mm", 47000, 47200},    {"3,9mm", 75500, 81000},
    {"2,5mm", 119980, 120020},   {"2mm", 142000, 149000},    {"1,2mm", 241000, 250000},
}};

// Fixed per-band limits, the strictest value of the frequency functions within the band.
struct BandLimit {
    double e;
    double h;
};

constexpr std::array<BandLimit, 21> kBandLimits{{
    {87, 5},         {87, 1.524},     {61.518, 0.365}, {44.63, 0.1921}, {37.582, 0.1362},
    {32.423, 0.1014}, {27.5, 0.073},  {27.5, 0.073},   {27.5, 0.073},   {27.5, 0.073},
    {27.5, 0.073},   {27.5, 0.073},   {27.5, 0.073},   {27.5, 0.073},   {27.5, 0.073},
    {28.513, 0.0767}, {48.419, 0.1334}, {61, 0.16},    {61, 0.16},      {61, 0.16},
    {61, 0.16},
}};

bool inTable(BandIndex band) { return band >= 1 && band <= kBandCount; }

} // namespace

double BandLowerEdge(BandIndex band) { return inTable(band) ? kBands[band - 1].lower : kNoValue; }
double BandUpperEdge(BandIndex band) { return inTable(band) ? kBands[band - 1].upper : kNoValue; }
double BandCenter(BandIndex band) { return (BandLowerEdge(band) + BandUpperEdge(band)) / 2; }
std::string BandName(BandIndex band) { return inTable(band) ? kBands[band - 1].name : "Fehler"; }

BandIndex BandOfFrequency(double f)
{
    BandIndex result = -99;
    for (BandIndex b = 1; b <= kBandCount; ++b)
        if (InClosedRange(f, BandLowerEdge(b), BandUpperEdge(b)))
            result = b;
    return result;
}

double ELimitByBand(BandIndex band)
{
    return band >= 1 && band <= 21 ? kBandLimits[band - 1].e : kNoValue;
}

double HLimitByBand(BandIndex band)
{
    return band >= 1 && band <= 21 ? kBandLimits[band - 1].h : kNoValue;
}

double ELimitByFrequency(double f)
{
    if (InHalfOpenRange(f, 0.003, 0.15) || InHalfOpenRange(f, 0.15, 1))
        return 87;
    if (InHalfOpenRange(f, 1, 10))
        return 87 / std::sqrt(f);
    if (InHalfOpenRange(f, 10, 400))
        return 27.5;
    if (InHalfOpenRange(f, 400, 2000))
        return 1.375 * std::sqrt(f);
    if (InHalfOpenRange(f, 2000, 300000))
        return 61;
    return kNoValue;
}

double HLimitByFrequency(double f)
{
    if (InHalfOpenRange(f, 0.003, 0.15))
        return 5;
    if (InHalfOpenRange(f, 0.15, 1) || InHalfOpenRange(f, 1, 10))
        return 0.73 / f;
    if (InHalfOpenRange(f, 10, 400))
        return 0.073;
    if (InHalfOpenRange(f, 400, 2000))
        return 0.0037 * std::sqrt(f);
    if (InHalfOpenRange(f, 2000, 300000))
        return 0.16;
    return kNoValue;
}

double NearFieldBoundary(double f) { return 2.997925e8 / (f * 1e6) / 6.28318530718; }

double NearFieldBoundaryByBand(BandIndex band) { return NearFieldBoundary(BandLowerEdge(band)); }
