#pragma once

// The ranges every number taken in must lie in: typed fields, input dialogs, configuration
// lines, catalogue and angle files. One place, so window, dialogs and files agree. The
// bounds are generous for an amateur station; beyond them a value only means a typo, and it
// would drive the results out of the range of a double.

#include <string>

struct ValueRange {
    double low;
    double high;
    const char *unit; // "W", "dB" ...; empty for a plain factor

    // Finite and within the bounds, both included.
    bool contains(double x) const;
    // "0 und 1000000 W"
    std::string betweenText() const;
    // subject + " muß zwischen 0 und 1000000 W liegen!"
    std::string refusal(const std::string &subject) const;
};

namespace range {
inline constexpr ValueRange kHeight{0, 10000, "m"};          // antenna height
inline constexpr ValueRange kPower{0, 1e6, "W"};             // transmitter PEP
inline constexpr ValueRange kCableLength{0, 10000, "m"};     // feed line
inline constexpr ValueRange kAttenuation{-1000, 1000, "dB"}; // cable loss per 100 m, angle data
inline constexpr ValueRange kLoss{0, 1000, "dB"};            // other losses (plugs, meters)
inline constexpr ValueRange kGain{-1000, 1000, "dBi"};       // antenna gain, directivity
inline constexpr ValueRange kMargin{0, 1000, "dB"};          // personal safety margin
inline constexpr ValueRange kSafetyFactor{1, 1000, ""};      // Wiesbeck FSi
inline constexpr ValueRange kAreaDistance{0, 10000, "m"};    // antenna to the controllable area's edge
// Fixed frequencies: the span of the limit table; the bands lie well inside it.
inline constexpr ValueRange kFrequency{0.003, 300000, "MHz"};
inline constexpr ValueRange kWindowPosition{-100000, 100000, ""}; // pixels, settings file
} // namespace range
