#include "engine/Simulation.h"

#include "base/Output.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unistd.h>
#include <unordered_map>

namespace orvane {

namespace {

uint64_t HalfOfTheMachine() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || size <= 0)
        return uint64_t{4} << 30;
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(size) / 2;
}

} // namespace

Simulation::Simulation(Output& output) : output_(output), memoryBudget_(HalfOfTheMachine()) {}

uint64_t Simulation::BytesFor(uint64_t elements, uint64_t loads) {
    return elements * BytesPerElement + loads * BytesPerLoad;
}

bool Simulation::Fits(uint64_t elements, uint64_t loads) const {
    return BytesFor(elements, loads) <= memoryBudget_;
}

void Simulation::Init(ProgressSink* sink, Clock& clock) {
    sink_ = sink;
    clock_ = &clock;
    nodes_.assign(2, SimNode{});
    elements_.clear();
    nodeCount_ = 2;
    random_ = Random{};
    variableLoads_ = false;
    recloserCacheSize_ = 1;
    flowCacheSize_ = 5;
    recloserCache_.Clear();
    flowCache_.Clear();
    failing_.clear();
    loads_.clear();
    reclosers_.clear();
    yearsSimulated_ = 0;
    momentaryMinutes_ = DefaultMomentaryMinutes;
    elementStreams_.clear();
    recloserKeys_.clear();
    reclosePending_.clear();
}

void Simulation::SetSystem(uint32_t quantsPerDay, uint32_t yearMin, uint32_t yearMax,
                           uint32_t yearStep, double accuracy) {
    quantsPerDay_ = quantsPerDay;
    yearMin_ = yearMin;
    yearMax_ = yearMax;
    yearStep_ = yearStep;
    accuracy_ = accuracy;
}

bool Simulation::HasCosts() const {
    return std::any_of(loads_.begin(), loads_.end(),
                       [this](uint32_t i) { return !elements_[i].damage.Empty(); });
}

uint64_t Simulation::MomentaryQuanta() const {
    // Rounded down: a quantum that straddles the limit might last longer than it.
    if (!(momentaryMinutes_ > 0.0))
        return 0;
    return static_cast<uint64_t>(std::floor(momentaryMinutes_ * quantsPerDay_ / 1440.0 + 1e-9));
}

namespace {

uint64_t Fnv1a(const std::string& text) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (unsigned char c : text)
        h = (h ^ c) * 0x100000001B3ull;
    return h;
}

} // namespace

uint32_t Simulation::UseElementStreams(uint64_t seed) {
    // Elements that never fail (rate 0: disabled fuses and isolators among them) keep drawing
    // from the run's generator: what they draw never matters, and giving them keys would move
    // the others' when a variant adds one.
    std::vector<uint32_t> drawing;
    for (uint32_t i = 0; i < elements_.size(); ++i) {
        const SimElement& e = elements_[i];
        if ((e.Fails() && !std::isinf(e.failure.Scale())) || e.kind == ElementKind::Recloser)
            drawing.push_back(i);
    }
    const auto nameKey = [this](uint32_t i) {
        return std::to_string(static_cast<int>(elements_[i].kind)) + ":" + elements_[i].name;
    };
    std::unordered_map<std::string, uint32_t> named;
    for (uint32_t i : drawing)
        if (!elements_[i].name.empty())
            ++named[nameKey(i)];

    elementStreams_.assign(drawing.size(), Random{});
    recloserKeys_.assign(reclosers_.size(), 0);
    reclosePending_.assign(reclosers_.size(), 0);
    std::unordered_map<int, uint32_t> places;
    uint32_t byPlace = 0;
    for (size_t k = 0; k < drawing.size(); ++k) {
        SimElement& e = elements_[drawing[k]];
        std::string key = nameKey(drawing[k]);
        // Counted among the elements matched by place only, so that named ones added or
        // removed leave them where they are.
        if (e.name.empty() || named[key] != 1) {
            key = std::to_string(static_cast<int>(e.kind)) + "#" +
                  std::to_string(places[static_cast<int>(e.kind)]++);
            byPlace += e.Fails();
        }
        const uint64_t streamSeed = seed ^ Fnv1a(key);
        Random& stream = elementStreams_[k];
        stream.Seed(streamSeed, 0);
        e.failure.SetRandom(&stream);
        e.isolation.SetRandom(&stream);
        e.repair.SetRandom(&stream);
        e.reclose.SetRandom(&stream);
        if (e.kind == ElementKind::Recloser) {
            const auto place = std::find(reclosers_.begin(), reclosers_.end(), drawing[k]);
            recloserKeys_[static_cast<size_t>(place - reclosers_.begin())] = streamSeed;
        }
    }
    return byPlace;
}

void Simulation::SeedReclose(size_t k, uint64_t quantum) {
    elements_[reclosers_[k]].reclose.Generator()->Seed(
        recloserKeys_[k] ^ (quantum * 0x9E3779B97F4A7C15ull), 0);
}

uint32_t Simulation::LoadCount() const {
    return static_cast<uint32_t>(loads_.size());
}

uint32_t Simulation::AddElement(ElementKind kind, uint32_t a, uint32_t b, double capacity) {
    // The NDL layer refuses descriptions that do not fit; this only keeps the arrays whole.
    const uint64_t loads = loads_.size() + (kind == ElementKind::Load ? 1 : 0);
    if (a >= MaxNodes || b >= MaxNodes || !Fits(elements_.size() + 1, loads))
        return NoElement;
    if (nodes_.size() <= std::max(a, b))
        nodes_.resize(std::max<size_t>(std::max(a, b) + 1, nodes_.size() * 2));
    nodeCount_ = std::max(nodeCount_, std::max(a, b) + 1);
    const auto index = static_cast<uint32_t>(elements_.size());
    SimElement& e = elements_.emplace_back();
    e.kind = kind;
    e.a = a;
    e.b = b;
    e.priority = 1;
    e.rating = capacity;
    nodes_[a].adjacency.push_back({index, true});
    nodes_[b].adjacency.push_back({index, false});
    switch (kind) {
    case ElementKind::Equipment:
    case ElementKind::Line:
        failing_.push_back(index);
        break;
    case ElementKind::Load:
        loads_.push_back(index);
        break;
    case ElementKind::Recloser:
        reclosers_.push_back(index);
        break;
    default:
        break;
    }
    return index;
}

uint32_t Simulation::AddSupply(uint32_t a, uint32_t b, double capacity) {
    return AddElement(ElementKind::Supply, a, b, capacity);
}

uint32_t Simulation::AddBreaker(uint32_t a, uint32_t b, double capacity) {
    return AddElement(ElementKind::Breaker, a, b, capacity);
}

uint32_t Simulation::AddIsolator(uint32_t a, uint32_t b, double capacity) {
    return AddElement(ElementKind::Isolator, a, b, capacity);
}

// The 0.5 taken off every scale compensates the rounding of each draw up to whole quanta.
double Simulation::HoursToScale(double hours) const {
    return std::max(0.0, quantsPerDay_ * hours / 24.0 - 0.5);
}

uint32_t Simulation::AddFailing(ElementKind kind, uint32_t a, uint32_t b, double capacity,
                                double failureRate, double failureShape, double isolationHours,
                                double isolationShape, double repairHours, double repairShape) {
    const uint32_t index = AddElement(kind, a, b, capacity);
    if (index == NoElement)
        return index;
    SimElement& e = elements_[index];
    // A rate of 0 (either sign) means never: an infinite mean time to failure.
    const double failureScale = failureRate > 0.0
                                    ? std::max(0.0, 365.0 * quantsPerDay_ / failureRate - 0.5)
                                    : std::numeric_limits<double>::infinity();
    e.failure.SetParameters(&random_, failureScale, failureShape);
    e.isolation.SetParameters(&random_, HoursToScale(isolationHours), isolationShape);
    e.repair.SetParameters(&random_, HoursToScale(repairHours), repairShape);
    e.failureCountdown = 0;
    e.unisolatedCountdown = 0;
    e.isolatedCountdown = 0;
    return index;
}

uint32_t Simulation::AddEquipment(uint32_t a, uint32_t b, double capacity, double failureRate,
                                  double failureShape, double isolationHours, double isolationShape,
                                  double repairHours, double repairShape) {
    return AddFailing(ElementKind::Equipment, a, b, capacity, failureRate, failureShape,
                      isolationHours, isolationShape, repairHours, repairShape);
}

uint32_t Simulation::AddLine(uint32_t a, uint32_t b, double capacity, double failureRate,
                             double failureShape, double isolationHours, double isolationShape,
                             double repairHours, double repairShape) {
    return AddFailing(ElementKind::Line, a, b, capacity, failureRate, failureShape, isolationHours,
                      isolationShape, repairHours, repairShape);
}

uint32_t Simulation::AddRecloser(uint32_t a, uint32_t b, double capacity, double recloseHours,
                                 double recloseShape) {
    const uint32_t index = AddElement(ElementKind::Recloser, a, b, capacity);
    if (index == NoElement)
        return index;
    SimElement& e = elements_[index];
    e.reclose.SetParameters(&random_, HoursToScale(recloseHours), recloseShape);
    e.recloseCountdown = 0;
    ++recloserCacheSize_;
    return index;
}

uint32_t Simulation::AddLoad(const std::string& name, uint32_t node, uint32_t sinkNode,
                             uint32_t customers, const std::vector<double>& profile, double average,
                             double peak) {
    const uint32_t index = AddElement(ElementKind::Load, node, sinkNode, -1.0);
    if (index == NoElement)
        return index;
    SimElement& e = elements_[index];
    e.name = name;
    e.customers = customers;
    const ShapedLoad shaped =
        ShapeLoad(e.profile, name, profile, 365 * quantsPerDay_, average, peak, output_);
    e.rating = shaped.peak;
    e.capacity = shaped.peak;
    if (shaped.variable)
        variableLoads_ = true;
    return index;
}

void Simulation::Release() {
    recloserCache_.Clear();
    flowCache_.Clear();
    for (SimElement& e : elements_) {
        e.profile.Release();
        e.estimates.frequency.Release();
        e.estimates.interruptedYear.Release();
        e.estimates.outageTime.Release();
        e.estimates.outageDuration.Release();
        e.estimates.energyNotSupplied.Release();
    }
    system_.saifi.Release();
    system_.saidi.Release();
    system_.caidi.Release();
    system_.ens.Release();
    elements_.clear();
    elements_.shrink_to_fit();
    elementStreams_.clear();
    nodes_.clear();
    nodes_.shrink_to_fit();
    failing_.clear();
    loads_.clear();
    reclosers_.clear();
    nodeCount_ = 2;
}

} // namespace orvane
