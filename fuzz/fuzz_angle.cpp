// libFuzzer: the input is an angle file; it is read for a few bands and evaluated.
// Malformed content must end in ConvertError (or FileError), never in a crash or a hang.
#include "core/WinkAnt.h"
#include "util/ConvertError.h"
#include "util/Messages.h"
#include "util/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const bool quiet = [] {
        SetMessageSink([](MessageKind, const std::string &) {});
        return true;
    }();
    (void)quiet;

    // Decoded as a file read would be, without touching the disk.
    std::vector<std::string> lines =
        SplitLines(DecodeText(std::string(reinterpret_cast<const char *>(data), size)));

    FarFieldInput in;
    in.band = 15;
    in.power = 750;
    in.gain = 13;
    in.marginDb = 3;
    FarFieldResult result = CalculateFarField(in, CalculateFactors(ModeType::SSB, FactorSource::DKE, DutyChoice::TX6RX0, 0));

    for (BandIndex band : {BandIndex(0), BandIndex(15), BandIndex(16)}) { // no band, 2m, 70cm
        try {
            TWinkAnt w = TWinkAnt::FromLines(lines, "fuzz", band);
            for (int requested : {0, 1}) {
                int pol = CorrectPolChoice(requested, w.Polarisation);
                AngleTable t = CalculateAngleTable(&w, pol, result);
                if (t.Angles.size() != t.Attenuations.size()
                    || t.Angles.size() != t.EirpByAngle.size()
                    || t.Angles.size() != t.DistanceByAngle.size())
                    __builtin_trap();
                for (std::int16_t angle : t.Angles)
                    if (angle < 0 || angle > kMaxAngle)
                        __builtin_trap();
                AngleGrid grid = AngleGridRows(t);
                std::vector<std::string> exportLines = AngleExportLines(grid);
                std::string copy = AngleCopyText(grid);
                if (exportLines.size() != t.Angles.size() + 1 || copy.empty())
                    __builtin_trap();
            }
        } catch (const ConvertError &) {
        }
    }
    return 0;
}
