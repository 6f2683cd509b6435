#include "ndl/ParserDistrib.h"

#include "engine/Simulation.h"

#include <cmath>
#include <cstring>

namespace orvane {

namespace {

// Type keywords in the order of their type numbers.
constexpr const char* TypeKeywords[] = {"system",   "source",    "load", "breaker", "fuse",
                                        "isolator", "equipment", "line", "recloser"};

constexpr uint32_t Bit(uint32_t type) {
    return 1u << type;
}
constexpr uint32_t SystemOnly = Bit(0);
constexpr uint32_t Components = 0x1FEu;
constexpr uint32_t WithCapacity = Components & ~Bit(2);
constexpr uint32_t LoadOnly = Bit(2);
constexpr uint32_t Failing = Bit(6) | Bit(7);

// Disabled fuses and isolators become equipment that never fails (rate 0) and, should it be
// asked to, would be isolated and repaired at once.
constexpr double NeverFails = 0.0;
constexpr double InstantHours = 1e-10;
constexpr double NeverShape = 1e10;
constexpr double MaxNumber = 1e100;

enum class Id {
    QuantsPerDay,
    YearMin,
    YearMax,
    YearStep,
    Accuracy,
    Fuses,
    Isolators,
    Reclosers,
    MaxFlow,
    Name,
    Connect,
    Capacity,
    Customers,
    Length,
    Failure,
    Isolation,
    Repair,
    Reclose,
    Profile,
    Average,
    Peak,
    Momentary,
    Cost
};

} // namespace

struct ParserDistrib::AttributeInfo {
    const char* keyword;
    Id id;
    uint32_t validIn;
};

const ParserDistrib::AttributeInfo* ParserDistrib::FindAttribute(const std::string& keyword) {
    static const AttributeInfo table[] = {
        {"quantsperday", Id::QuantsPerDay, SystemOnly},
        {"yearmin", Id::YearMin, SystemOnly},
        {"yearmax", Id::YearMax, SystemOnly},
        {"yearstep", Id::YearStep, SystemOnly},
        {"accuracy", Id::Accuracy, SystemOnly},
        {"fuses", Id::Fuses, SystemOnly},
        {"isolators", Id::Isolators, SystemOnly},
        {"reclosers", Id::Reclosers, SystemOnly},
        {"maxflow", Id::MaxFlow, SystemOnly},
        {"name", Id::Name, Components},
        {"connect", Id::Connect, Components},
        {"capacity", Id::Capacity, WithCapacity},
        {"customers", Id::Customers, LoadOnly},
        {"length", Id::Length, Bit(7)},
        {"failure", Id::Failure, Failing},
        {"isolation", Id::Isolation, Failing},
        {"repair", Id::Repair, Failing},
        {"reclose", Id::Reclose, Bit(8)},
        {"profile", Id::Profile, LoadOnly},
        {"average", Id::Average, LoadOnly},
        {"peak", Id::Peak, LoadOnly},
        {"momentary", Id::Momentary, SystemOnly},
        {"cost", Id::Cost, LoadOnly},
    };
    for (const AttributeInfo& info : table)
        if (keyword == info.keyword)
            return &info;
    return nullptr;
}

ParserDistrib::ParserDistrib(Output& output) : ParserSyntax(output) {}

bool ParserDistrib::Open(std::string_view text) {
    systemSeen_ = false;
    return ParserSyntax::Open(text);
}

void ParserDistrib::Close() {
    ParserSyntax::Close();
    nodeMap_.clear();
}

bool ParserDistrib::Parse(Simulation& network) {
    target_ = &network;
    const bool parsed = ParserSyntax::Parse();
    return parsed && systemSeen_;
}

void ParserDistrib::BeginDefinition(const std::string& keyword) {
    uint32_t type = 0;
    while (type < std::size(TypeKeywords) && keyword != TypeKeywords[type])
        ++type;
    if (type == std::size(TypeKeywords))
        Error("unknown type keyword \"%s\"", Excerpt(keyword).c_str());
    if (type == System) {
        if (systemSeen_)
            Error("duplicate system definition");
        system_ = SystemRecord{};
        systemSeen_ = true;
    } else {
        if (!systemSeen_)
            Error("a system definition must occur before any component definition");
        component_ = ComponentRecord{};
    }
    component_.type = type;
}

void ParserDistrib::CheckValid(const AttributeInfo& info, const std::string& keyword) {
    if (!(info.validIn & Bit(component_.type)))
        Error("the \"%s\" attribute is not valid in this definition", keyword.c_str());
}

void ParserDistrib::CheckNumeric(const std::string& keyword, const NdlValue& value) {
    if (value.kind != 1)
        Error("the \"%s\" attribute must be of numeric type", keyword.c_str());
}

// Numbers too large for a double read as infinity; none of them means anything in a network.
// Checked last, by the validators that would otherwise accept infinity: the range test already
// refuses it with its own message.
void ParserDistrib::CheckFinite(const std::string& keyword, const NdlValue& value) {
    for (double x : value.numbers) {
        if (!std::isfinite(x))
            Error("the \"%s\" attribute must hold finite numbers", keyword.c_str());
        // Loads, capacities and rates are multiplied, summed over a year and squared for the
        // statistics; beyond this they would overflow into infinite or undefined indices.
        if (std::fabs(x) > MaxNumber)
            Error("the \"%s\" attribute must hold numbers no larger than 1e100", keyword.c_str());
    }
}

void ParserDistrib::CheckSingle(const std::string& keyword, const NdlValue& value) {
    if (value.numbers.size() != 1)
        Error("the \"%s\" attribute must be a single number", keyword.c_str());
}

uint32_t ParserDistrib::IntegerInRange(const std::string& keyword, double x, uint32_t low,
                                       uint32_t high) {
    const double rounded = std::floor(x + 0.5);
    if (!(std::fabs(x - rounded) <= 1e-8 && rounded >= low && rounded <= high))
        Error("the \"%s\" attribute must be an integer in the range [%u,%u]", keyword.c_str(), low,
              high);
    return static_cast<uint32_t>(rounded);
}

double ParserDistrib::PositiveNumber(const std::string& keyword, const NdlValue& value) {
    CheckNumeric(keyword, value);
    CheckSingle(keyword, value);
    if (value.numbers[0] <= 0.0)
        Error("the \"%s\" attribute must be a positive number", keyword.c_str());
    CheckFinite(keyword, value);
    return value.numbers[0];
}

bool ParserDistrib::Boolean(const std::string& keyword, const NdlValue& value) {
    if (value.kind != 1 || value.numbers.size() != 1 ||
        (value.numbers[0] != 0.0 && value.numbers[0] != 1.0))
        Error("the \"%s\" attribute must be either the number 0 or 1", keyword.c_str());
    return value.numbers[0] == 1.0;
}

ParserDistrib::Pair ParserDistrib::OneOrTwoNumbers(const std::string& keyword,
                                                   const NdlValue& value) {
    CheckNumeric(keyword, value);
    if (value.numbers.size() > 2)
        Error("the \"%s\" attribute must be one or two numbers", keyword.c_str());
    if (value.numbers[0] < 0.0)
        Error("the \"%s\" attribute first number must be non-negative", keyword.c_str());
    if (value.numbers.size() == 2 && value.numbers[1] <= 0.0)
        Error("the \"%s\" attribute second number must be positive", keyword.c_str());
    CheckFinite(keyword, value);
    return Pair{value.numbers[0], value.numbers.size() == 2 ? value.numbers[1] : 1.0};
}

void ParserDistrib::Connect(const NdlValue& value) {
    CheckNumeric("connect", value);
    const bool single = component_.type == Source || component_.type == Load;
    if (value.numbers.size() != (single ? 1u : 2u))
        Error("the \"connect\" attribute must be a %s",
              single ? "single number" : "pair of numbers");
    for (size_t i = 0; i < value.numbers.size(); ++i) {
        const auto user =
            static_cast<int32_t>(IntegerInRange("connect", value.numbers[i], 0, 999999));
        component_.connect[i] = UserNode(user);
    }
}

void ParserDistrib::Profile(const NdlValue& value) {
    CheckNumeric("profile", value);
    bool anyPositive = false;
    for (double x : value.numbers) {
        if (x < 0.0)
            Error("the \"profile\" attribute requires non-negative numbers");
        anyPositive = anyPositive || x > 0.0;
    }
    CheckFinite("profile", value);
    // An all-zero profile cannot be scaled to any average or peak.
    if (!anyPositive)
        Error("the \"profile\" attribute requires at least one positive number");
    component_.profile = value.numbers;
}

// Minutes, up to a whole day: interruptions that end within it count as momentary.
double ParserDistrib::Momentary(const std::string& keyword, const NdlValue& value) {
    CheckNumeric(keyword, value);
    CheckSingle(keyword, value);
    const double minutes = value.numbers[0];
    if (!(minutes >= 0.0 && minutes <= MaxMomentaryMinutes))
        Error("the \"%s\" attribute must be a number in the range [0,%g]", keyword.c_str(),
              MaxMomentaryMinutes);
    return minutes;
}

// Pairs of hours and cost per kW interrupted: the points of the load point's damage function.
void ParserDistrib::Cost(const NdlValue& value) {
    CheckNumeric("cost", value);
    const std::vector<double>& x = value.numbers;
    if (x.empty() || x.size() % 2 != 0)
        Error("the \"cost\" attribute must be pairs of numbers (hours, cost)");
    for (size_t i = 0; i < x.size(); i += 2) {
        if (x[i] < 0.0)
            Error("the \"cost\" attribute requires non-negative hours");
        if (i > 0 && x[i] <= x[i - 2])
            Error("the \"cost\" attribute requires strictly increasing hours");
        if (x[i + 1] < 0.0)
            Error("the \"cost\" attribute requires non-negative costs");
    }
    CheckFinite("cost", value);
    component_.cost.clear();
    for (size_t i = 0; i < x.size(); i += 2)
        component_.cost.push_back(CostCurve::Point{x[i], x[i + 1]});
}

void ParserDistrib::Attribute(const std::string& keyword, const NdlValue& value) {
    const AttributeInfo* info = FindAttribute(keyword);
    // Only an unknown keyword can be a runaway token; from here on it is one of the table's.
    if (!info)
        Error("unknown attribute keyword \"%s\"", Excerpt(keyword).c_str());
    CheckValid(*info, keyword);

    auto integer = [&](uint32_t low, uint32_t high) {
        CheckNumeric(keyword, value);
        CheckSingle(keyword, value);
        return IntegerInRange(keyword, value.numbers[0], low, high);
    };

    switch (info->id) {
    case Id::QuantsPerDay:
        system_.quantsPerDay = integer(1, 1440);
        break;
    case Id::YearMin:
        system_.yearMin = integer(100, 1000000000);
        break;
    case Id::YearMax:
        system_.yearMax = integer(100, 1000000000);
        break;
    case Id::YearStep:
        system_.yearStep = integer(1, 1000000);
        break;
    case Id::Accuracy:
        system_.accuracy = PositiveNumber(keyword, value);
        break;
    case Id::Fuses:
        system_.fuses = Boolean(keyword, value);
        break;
    case Id::Isolators:
        system_.isolators = Boolean(keyword, value);
        break;
    case Id::Reclosers:
        system_.reclosers = Boolean(keyword, value);
        break;
    case Id::MaxFlow:
        system_.maxFlow = Boolean(keyword, value);
        break;
    case Id::Name:
        if (value.kind != 0)
            Error("the \"name\" attribute must be of string type");
        component_.name = value.text;
        break;
    case Id::Connect:
        Connect(value);
        break;
    case Id::Capacity:
        component_.capacity = PositiveNumber(keyword, value);
        break;
    case Id::Customers:
        component_.customers = integer(1, 999999);
        break;
    case Id::Length:
        component_.length = PositiveNumber(keyword, value);
        break;
    case Id::Failure:
        component_.failure = OneOrTwoNumbers(keyword, value);
        break;
    case Id::Isolation:
        component_.isolation = OneOrTwoNumbers(keyword, value);
        break;
    case Id::Repair:
        component_.repair = OneOrTwoNumbers(keyword, value);
        break;
    case Id::Reclose:
        component_.reclose = OneOrTwoNumbers(keyword, value);
        break;
    case Id::Profile:
        Profile(value);
        break;
    case Id::Average:
        component_.average = PositiveNumber(keyword, value);
        break;
    case Id::Peak:
        component_.peak = PositiveNumber(keyword, value);
        break;
    case Id::Momentary:
        system_.momentary = Momentary(keyword, value);
        break;
    case Id::Cost:
        Cost(value);
        break;
    }
}

int32_t ParserDistrib::NextIndex() {
    const auto index = static_cast<int32_t>(2 + nodeMap_.size());
    if (index >= static_cast<int32_t>(Simulation::MaxNodes))
        Error("the network needs more than %u nodes, the most a simulation can number",
              Simulation::MaxNodes);
    return index;
}

int32_t ParserDistrib::UserNode(int32_t user) {
    auto found = nodeMap_.find(user);
    if (found != nodeMap_.end())
        return found->second;
    const int32_t index = NextIndex();
    nodeMap_.emplace(user, index);
    return index;
}

// Fresh nodes are entered under -1, a key lookups never use, so indices are never reused.
int32_t ParserDistrib::FreshNode() {
    const int32_t index = NextIndex();
    nodeMap_.emplace(-1, index);
    return index;
}

void ParserDistrib::EnsureRoom(uint32_t elements) {
    const uint64_t loads = target_->LoadCount() + (component_.type == Load ? 1 : 0);
    const uint64_t total = target_->ElementCount() + uint64_t{elements};
    if (!target_->Fits(total, loads))
        Error("the network needs about %.1f MB to simulate, more than the %.1f MB this machine "
              "can give it; simulate a part of it, or on a machine with more memory",
              static_cast<double>(Simulation::BytesFor(total, loads)) / (1 << 20),
              static_cast<double>(target_->MemoryBudget()) / (1 << 20));
}

void ParserDistrib::Name(uint32_t element) {
    if (element != Simulation::NoElement)
        target_->Element(element).name = component_.name;
}

void ParserDistrib::EndDefinition() {
    Simulation& net = *target_;
    if (component_.type == System) {
        if (system_.quantsPerDay == UINT32_MAX)
            Error("the \"quantsperday\" attribute is required");
        net.SetSystem(system_.quantsPerDay, system_.yearMin, system_.yearMax, system_.yearStep,
                      system_.accuracy);
        net.SetMomentaryMinutes(system_.momentary);
        return;
    }
    ComponentRecord& c = component_;
    if (c.connect[0] == -1)
        Error("the \"connect\" attribute is required");
    const double capacity = system_.maxFlow ? c.capacity : -1.0;
    const auto c1 = static_cast<uint32_t>(c.connect[0]);
    const auto c2 = static_cast<uint32_t>(c.connect[1]);

    switch (c.type) {
    case Source: {
        EnsureRoom(2);
        const auto n = static_cast<uint32_t>(FreshNode());
        Name(net.AddSupply(Simulation::SupplyRoot, n, capacity));
        Name(net.AddBreaker(n, c1, capacity));
        break;
    }
    case Load: {
        EnsureRoom(1);
        if (c.average == -1.0 && c.peak == -1.0)
            c.average = c.peak = 1.0;
        const uint32_t load = net.AddLoad(c.name, c1, Simulation::LoadSink, c.customers, c.profile,
                                          c.average, c.peak);
        if (load != Simulation::NoElement && !c.cost.empty())
            net.SetLoadCost(load, CostCurve(c.cost));
        break;
    }
    case Breaker:
        EnsureRoom(1);
        Name(net.AddBreaker(c1, c2, capacity));
        break;
    case Fuse:
    case Isolator: {
        EnsureRoom(1);
        const bool acts = c.type == Fuse ? system_.fuses : system_.isolators;
        if (!acts)
            Name(net.AddEquipment(c1, c2, capacity, NeverFails, NeverShape, InstantHours,
                                  NeverShape, InstantHours, NeverShape));
        else if (c.type == Fuse)
            Name(net.AddBreaker(c1, c2, capacity));
        else
            Name(net.AddIsolator(c1, c2, capacity));
        break;
    }
    case Equipment:
        EnsureRoom(1);
        Name(net.AddEquipment(c1, c2, capacity, c.failure.first, c.failure.second,
                              c.isolation.first, c.isolation.second, c.repair.first,
                              c.repair.second));
        break;
    case Line:
        EnsureRoom(1);
        Name(net.AddLine(c1, c2, capacity, c.length * c.failure.first, c.failure.second,
                         c.isolation.first, c.isolation.second, c.repair.first, c.repair.second));
        break;
    case Recloser: {
        EnsureRoom(system_.reclosers ? 3 : 2);
        const auto p1 = static_cast<uint32_t>(FreshNode());
        const auto p2 = static_cast<uint32_t>(FreshNode());
        Name(net.AddBreaker(c1, p1, capacity));
        if (system_.reclosers)
            Name(net.AddRecloser(p1, p2, capacity, c.reclose.first, c.reclose.second));
        Name(net.AddBreaker(p2, c2, capacity));
        break;
    }
    default:
        break;
    }
}

} // namespace orvane
