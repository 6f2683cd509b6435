#pragma once

#include "engine/CostCurve.h"
#include "engine/SystemIndex.h"
#include "ndl/ParserSyntax.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace orvane {

class Simulation;

// Gives NDL its meaning: checks every definition and attribute against the vocabulary and
// builds the simulated network from them, one definition at a time.
class ParserDistrib : public ParserSyntax {
public:
    explicit ParserDistrib(Output& output);

    bool Open(std::string_view text) override;
    void Close() override;
    // True only when the whole text parsed and held a system definition.
    bool Parse(Simulation& network);

    // The switches of the system definition that the parser applies while it builds the
    // network, as the last parse set them.
    bool FusesOn() const { return system_.fuses; }
    bool IsolatorsOn() const { return system_.isolators; }
    bool ReclosersOn() const { return system_.reclosers; }
    bool MaxFlowOn() const { return system_.maxFlow; }

protected:
    void BeginDefinition(const std::string& keyword) override;
    void EndDefinition() override;
    void Attribute(const std::string& keyword, const NdlValue& value) override;

private:
    enum Type : uint32_t {
        System = 0,
        Source,
        Load,
        Breaker,
        Fuse,
        Isolator,
        Equipment,
        Line,
        Recloser
    };

    struct SystemRecord {
        uint32_t quantsPerDay = UINT32_MAX; // all bits set: not given
        uint32_t yearMin = 100;
        uint32_t yearMax = 1000000;
        uint32_t yearStep = 100;
        double accuracy = 0.05;
        double momentary = DefaultMomentaryMinutes; // minutes
        bool fuses = true;
        bool isolators = true;
        bool reclosers = true;
        bool maxFlow = true;
    };

    struct Pair {
        double first = 1e-10;
        double second = 1.0;
    };

    struct ComponentRecord {
        uint32_t type = Source;
        std::string name;
        int32_t connect[2] = {-1, -1};
        double capacity = -1.0;
        uint32_t customers = 1;
        double length = 1.0;
        Pair failure, isolation, repair, reclose;
        std::vector<double> profile{1.0};
        double average = -1.0;
        double peak = -1.0;
        std::vector<CostCurve::Point> cost; // empty: the load point has no cost
    };

    struct AttributeInfo;
    static const AttributeInfo* FindAttribute(const std::string& keyword);

    void CheckValid(const AttributeInfo& info, const std::string& keyword);
    void CheckNumeric(const std::string& keyword, const NdlValue& value);
    void CheckFinite(const std::string& keyword, const NdlValue& value);
    void CheckSingle(const std::string& keyword, const NdlValue& value);
    uint32_t IntegerInRange(const std::string& keyword, double x, uint32_t low, uint32_t high);
    double PositiveNumber(const std::string& keyword, const NdlValue& value);
    bool Boolean(const std::string& keyword, const NdlValue& value);
    Pair OneOrTwoNumbers(const std::string& keyword, const NdlValue& value);
    void Connect(const NdlValue& value);
    void Profile(const NdlValue& value);
    double Momentary(const std::string& keyword, const NdlValue& value);
    void Cost(const NdlValue& value);
    // Gives an element the name of the component it was made for, so that two variants of a
    // network can match their elements; NoElement (the network was full) is passed over.
    void Name(uint32_t element);

    int32_t UserNode(int32_t user);
    int32_t FreshNode();
    int32_t NextIndex();
    void EnsureRoom(uint32_t elements);

    Simulation* target_ = nullptr;
    bool systemSeen_ = false;
    std::multimap<int32_t, int32_t> nodeMap_;
    SystemRecord system_;
    ComponentRecord component_;
};

} // namespace orvane
