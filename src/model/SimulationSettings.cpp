#include "model/SimulationSettings.h"

#include "model/Archive.h"
#include "model/NdlNumber.h"

#include <array>
#include <charconv>

namespace orvane {

namespace {

// The run options follow the settings record; the momentary limit follows the cost curves.
constexpr uint32_t kRunTag = TrailerTag("RUN1");
constexpr uint32_t kMomentaryTag = TrailerTag("MOMT");
// The run options: the seed's low and high words, then the replicas.
constexpr size_t kRunBytes = 12;

constexpr int kIntegerDigits = 10;
constexpr int kAccuracyDigits = 8;
constexpr int kSwitchDigits = 6;
constexpr const char* kLineEnd = ";\\\n";

std::string Shortest(double value) {
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

void Attribute(std::string& text, const char* name, double value, int digits) {
    text += name;
    text += " = ";
    text += NdlNumber(value, digits);
    text += kLineEnd;
}

} // namespace

void CSimulationSettings::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << accuracy << quantsPerDay << yearMax << yearMin << yearStep << fuses << isolators
           << reclosers << maxFlow;
        if (seeded) {
            ar << kRunTag << static_cast<uint32_t>(seed) << static_cast<uint32_t>(seed >> 32)
               << replicas;
        }
    } else {
        ar >> accuracy >> quantsPerDay >> yearMax >> yearMin >> yearStep >> fuses >> isolators >>
            reclosers >> maxFlow;
        seeded = false;
        seed = 0;
        replicas = 1;
        if (ar.ReadTag(kRunTag, kRunBytes)) {
            uint32_t low = 0, high = 0, count = 0;
            ar >> low >> high >> count;
            seeded = true;
            seed = uint64_t{high} << 32 | low;
            replicas = count == 0 ? 1 : count;
        }
    }
}

void CSimulationSettings::SerializeMomentary(CArchive& ar) {
    if (ar.IsStoring()) {
        if (momentary != kDefaultMomentary) {
            ar << kMomentaryTag << momentary;
        }
        return;
    }
    momentary = kDefaultMomentary;
    if (!ar.ReadTag(kMomentaryTag)) {
        return;
    }
    const size_t start = ar.Position();
    const double minutes = ar.ReadDouble();
    if (!MomentaryInRange(minutes)) {
        throw CArchiveError("it gives a momentary limit of " + Shortest(minutes) +
                                " minutes at byte " + std::to_string(start) + ", outside 0 to " +
                                Shortest(kMaxMomentary),
                            start);
    }
    momentary = minutes;
}

std::string CSimulationSettings::SystemDefinition() const {
    std::string text = "system: ";
    Attribute(text, "quantsPerDay", quantsPerDay, kIntegerDigits);
    if (yearStep != 0) {
        Attribute(text, "yearStep", yearStep, kIntegerDigits);
    }
    if (yearMax != 0) {
        Attribute(text, "yearMax", yearMax, kIntegerDigits);
    }
    if (yearMin != 0) {
        Attribute(text, "yearMin", yearMin, kIntegerDigits);
    }
    if (accuracy != 0.0) {
        Attribute(text, "accuracy", accuracy, kAccuracyDigits);
    }
    Attribute(text, "maxFlow", maxFlow, kSwitchDigits);
    Attribute(text, "fuses", fuses, kSwitchDigits);
    Attribute(text, "isolators", isolators, kSwitchDigits);
    Attribute(text, "reclosers", reclosers, kSwitchDigits);
    if (momentary != kDefaultMomentary) {
        Attribute(text, "momentary", momentary, kAccuracyDigits);
    }
    text += "\n";
    return text;
}

} // namespace orvane
