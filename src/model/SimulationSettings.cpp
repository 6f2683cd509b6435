#include "model/SimulationSettings.h"

#include "model/Archive.h"
#include "model/NdlNumber.h"

namespace orvane {

namespace {
// "RUN1" in the file's byte order: the tag of the run options after the settings record.
constexpr uint32_t kRunTag = 0x314E5552;
} // namespace

namespace {
constexpr int kIntegerDigits = 10;
constexpr int kAccuracyDigits = 8;
constexpr int kSwitchDigits = 6;
constexpr const char* kLineEnd = ";\\\n";

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
        if (ar.Remaining() >= 16 && ar.PeekUInt32() == kRunTag) {
            uint32_t tag = 0, low = 0, high = 0, count = 0;
            ar >> tag >> low >> high >> count;
            seeded = true;
            seed = uint64_t{high} << 32 | low;
            replicas = count == 0 ? 1 : count;
        }
    }
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
    text += "\n";
    return text;
}

} // namespace orvane
