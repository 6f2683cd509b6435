#pragma once

#include <cstdint>
#include <string>

namespace orvane {

class CArchive;

// The simulation settings of one network. 0 in an optional value means not set: it is left out
// of the system definition and the parser's default applies.
class CSimulationSettings {
public:
    int32_t quantsPerDay = 0;
    int32_t yearMin = 100;
    int32_t yearMax = 1000000;
    int32_t yearStep = 100;
    double accuracy = 0.05;
    int32_t fuses = 1;
    int32_t isolators = 1;
    int32_t reclosers = 1;
    int32_t maxFlow = 1;
    // How the run draws its random numbers: the one default sequence, or `replicas` replicas on
    // the streams of `seed`. Not part of the NDL text.
    bool seeded = false;
    uint64_t seed = 0;
    uint32_t replicas = 1;
    // Minutes within which an interruption that ends counts as momentary (NDL's `momentary`).
    // Written to the file and the NDL text only when it differs from the parser's default.
    static constexpr double kDefaultMomentary = 5.0;
    static constexpr double kMaxMomentary = 1440.0;
    double momentary = kDefaultMomentary;
    // Whether a momentary limit may stand: 0 to a day, not NaN.
    static bool MomentaryInRange(double minutes) {
        return minutes >= 0.0 && minutes <= kMaxMomentary;
    }

    // The 40-byte record of the network file (note yearMax before yearMin), then, only when the
    // run is seeded, a tagged trailer with the seed and the replicas: files of default runs keep
    // their bytes, and earlier versions, which stop reading after the record, open the others.
    void Serialize(CArchive& ar);
    // The momentary limit, as a tagged trailer of its own when it is not the default. The
    // document writes it after every other trailer; a limit outside 0 to a day is refused.
    void SerializeMomentary(CArchive& ar);
    // The NDL "system" definition that opens every generated text.
    std::string SystemDefinition() const;

    friend bool operator==(const CSimulationSettings&, const CSimulationSettings&) = default;
};

} // namespace orvane
