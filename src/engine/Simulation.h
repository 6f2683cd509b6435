#pragma once

#include "engine/CostCurve.h"
#include "engine/Estimate.h"
#include "engine/FlowCache.h"
#include "engine/Random.h"
#include "engine/RatioInterval.h"
#include "engine/RecloserCache.h"
#include "engine/SimElement.h"
#include "engine/SimNode.h"
#include "engine/SystemIndex.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Clock;
class Output;
class ProgressSink;

// The four yearly estimates of the whole network.
struct SystemEstimates {
    Estimate saifi;
    Estimate saidi;
    Estimate caidi;
    Estimate ens;
};

enum class ExecuteResult { Completed, Cancelled };

// Why a completed run stopped: every index reached the accuracy, or the year limit came first.
enum class StopReason { Accurate, YearMax };

// Everything one simulated year adds to the estimates, by load point in element order, so that
// the years of several replicas can be merged into one set of estimates in a fixed order.
struct YearRecord {
    std::vector<LoadYear> loads;
    std::vector<std::vector<double>> durations; // the outages that ended, in hours, in order
    uint64_t failures = 0;                      // element failures begun in the year
};

// The simulated flow network built from one NDL text, and the Monte Carlo run over it.
// Nodes and elements are plain records in creation order; every walk follows that order and the
// run's one generator always starts from the same state, so a run is exactly reproducible.
class Simulation {
public:
    // Node indices stay below this; the number of elements is bounded by memory alone.
    static constexpr uint32_t MaxNodes = 1u << 30;
    // The most a network may take: its elements and, for each load point, the samples its
    // estimates keep while exact (see Estimate).
    static constexpr uint64_t BytesPerElement = sizeof(SimElement) + 2 * sizeof(SimNode) + 64;
    static constexpr uint64_t BytesPerLoad = 5 * 10000 * 16;
    static constexpr uint32_t SupplyRoot = 0;
    static constexpr uint32_t LoadSink = 1;
    static constexpr uint32_t NoElement = UINT32_MAX;

    explicit Simulation(Output& output);

    // What a network of this size may take, and whether it fits the memory a simulation may use
    // (half of the machine's memory unless set).
    static uint64_t BytesFor(uint64_t elements, uint64_t loads);
    bool Fits(uint64_t elements, uint64_t loads) const;
    uint64_t MemoryBudget() const { return memoryBudget_; }
    void SetMemoryBudget(uint64_t bytes) { memoryBudget_ = bytes; }
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // The sink may be null (no progress wanted); the clock must outlive the run.
    void Init(ProgressSink* sink, Clock& clock);
    void SetSystem(uint32_t quantsPerDay, uint32_t yearMin, uint32_t yearMax, uint32_t yearStep,
                   double accuracy);
    // Interruptions of a load point that end within this many minutes count as momentary.
    void SetMomentaryMinutes(double minutes) { momentaryMinutes_ = minutes; }
    double MomentaryMinutes() const { return momentaryMinutes_; }
    // The damage function of a load point's interruptions; without one it has no cost.
    void SetLoadCost(uint32_t load, CostCurve curve) { elements_[load].damage = std::move(curve); }
    bool HasCosts() const;
    // The longest outage, in quanta, that still counts as momentary; 0 when a quantum is already
    // longer than the limit and no momentary interruption can be seen.
    uint64_t MomentaryQuanta() const;

    // Build operations. Durations in hours and rates per year become distributions in quanta.
    // Each returns the new element's index, or NoElement when the network is full.
    uint32_t AddSupply(uint32_t a, uint32_t b, double capacity);
    uint32_t AddBreaker(uint32_t a, uint32_t b, double capacity);
    uint32_t AddIsolator(uint32_t a, uint32_t b, double capacity);
    uint32_t AddEquipment(uint32_t a, uint32_t b, double capacity, double failureRate,
                          double failureShape, double isolationHours, double isolationShape,
                          double repairHours, double repairShape);
    uint32_t AddLine(uint32_t a, uint32_t b, double capacity, double failureRate,
                     double failureShape, double isolationHours, double isolationShape,
                     double repairHours, double repairShape);
    uint32_t AddRecloser(uint32_t a, uint32_t b, double capacity, double recloseHours,
                         double recloseShape);
    uint32_t AddLoad(const std::string& name, uint32_t node, uint32_t sinkNode, uint32_t customers,
                     const std::vector<double>& profile, double average, double peak);

    // Simulates year after year until the estimates are accurate enough or yearMax is reached,
    // writing the reports. A cancel request is honoured before the next year starts; a
    // cancelled run writes no further report.
    ExecuteResult Execute(const std::atomic<bool>* cancel, const std::string& reportPath);
    void Release();

    // The steps of Execute, for a run that merges several replicas: prepare the network and the
    // estimates; simulate one year (its record in LastYear()); add a year's record to the
    // estimates; test the stop rule; record the outcome; write a report; release the estimates.
    void BeginRun();
    void RunYear();
    const YearRecord& LastYear() const { return year_; }
    // Returns the year's numerator and denominator of every index of the network.
    YearRatios AddYear(const YearRecord& year);
    bool AccurateEnough() const;
    void SetOutcome(uint32_t years, StopReason reason) {
        yearsSimulated_ = years;
        stopReason_ = reason;
    }
    void Report(uint32_t years, uint32_t start, bool final, const std::string& reportPath);
    void EndRun();
    // Seeds the run's generator: stream `stream` of `seed` (see Random::Seed).
    void SetStream(uint64_t seed, uint32_t stream) { random_.Seed(seed, stream); }
    // Gives every element that may fail and every recloser a seeded stream of its own, keyed by
    // its kind and name (by its place among the elements of its kind matched that way when it
    // has no name, or one it shares): two variants of a network then draw the same failures and
    // repairs for the elements they have in common, whatever else they add or leave out. A
    // recloser's delay is drawn when it starts to run, from a draw fixed by that quantum, so that
    // it does not depend on how often the rest of the network switched before. Returns how many
    // failing elements are matched by place.
    uint32_t UseElementStreams(uint64_t seed);
    bool UsesElementStreams() const { return !elementStreams_.empty(); }
    Clock& RunClock() const { return *clock_; }
    // Tells the progress sink, if any, of `years` simulated since the clock read `start`.
    void ShowProgress(uint32_t years, uint32_t start);

    // The loop steps from event to event: a run of quanta in which the network's state and every
    // decision stay as they are is taken in one stride, the random draws it would have made
    // included. Off, every quantum is walked one by one: the reference, whose reports the
    // strides reproduce byte for byte.
    void SetEventStepping(bool on) { eventStepping_ = on; }

    // Network searches, run in every quantum in which something changed.
    void Isolate(uint32_t failed, bool sectioning);
    bool RecloserMustOpen(uint32_t recloser);
    void MaxFlow();

    uint32_t QuantsPerDay() const { return quantsPerDay_; }
    uint32_t YearMin() const { return yearMin_; }
    uint32_t YearMax() const { return yearMax_; }
    uint32_t YearStep() const { return yearStep_; }
    double Accuracy() const { return accuracy_; }
    bool VariableLoads() const { return variableLoads_; }
    uint32_t NodeCount() const { return nodeCount_; }
    uint32_t ElementCount() const { return static_cast<uint32_t>(elements_.size()); }
    uint32_t LoadCount() const;
    uint32_t YearsSimulated() const { return yearsSimulated_; }
    StopReason Stopped() const { return stopReason_; }
    uint64_t FailuresSimulated() const { return failuresSeen_; }
    // Element failures needed before an index whose mean is still 0 may count as known: with
    // fewer, a network that has simply not been unlucky yet would pass as perfectly reliable.
    uint64_t FailuresToTrustZero() const;
    SimNode& Node(uint32_t i) { return nodes_[i]; }
    const SimNode& Node(uint32_t i) const { return nodes_[i]; }
    SimElement& Element(uint32_t i) { return elements_[i]; }
    const SimElement& Element(uint32_t i) const { return elements_[i]; }
    const SystemEstimates& System() const { return system_; }
    // The network's indices with their 95% intervals, over the years added.
    const RatioInterval& Interval(SystemIndex index) const {
        return intervals_[static_cast<size_t>(index)];
    }
    // The indices of the k-th load point, in element order, with their 95% intervals.
    // Held from the start of a run; a report written without one shows nothing measured.
    const LoadIntervals& LoadInterval(size_t k) const { return loadIntervals_[k]; }
    size_t LoadIntervalCount() const { return loadIntervals_.size(); }
    // One year's numerator and denominator of every index of the network.
    YearRatios SystemYear(const YearRecord& year) const;
    SystemEstimates& System() { return system_; }
    Random& Generator() { return random_; }
    uint32_t RecloserCacheSize() const { return recloserCacheSize_; }
    uint32_t FlowCacheSize() const { return flowCacheSize_; }
    Output& Channels() { return output_; }

private:
    uint32_t AddElement(ElementKind kind, uint32_t a, uint32_t b, double capacity);
    uint32_t AddFailing(ElementKind kind, uint32_t a, uint32_t b, double capacity,
                        double failureRate, double failureShape, double isolationHours,
                        double isolationShape, double repairHours, double repairShape);
    double HoursToScale(double hours) const;
    double Hours(uint64_t quanta) const {
        return static_cast<double>(quanta) * 24.0 / quantsPerDay_;
    }
    ElementState StepElement(SimElement& e);
    ExecuteResult SimulateYears(const std::atomic<bool>* cancel, const std::string& reportPath);
    void SwitchAndIsolate();
    uint32_t SteadySpan(uint32_t t, uint32_t period) const;
    void RepeatQuantum(uint32_t quanta);
    void AccountLoads(uint32_t quanta);
    // Sets the k-th recloser's stream to where its draw for `quantum` of the run comes from.
    void SeedReclose(size_t k, uint64_t quantum);
    void Augment();

    Output& output_;
    ProgressSink* sink_ = nullptr;
    Clock* clock_ = nullptr;
    uint32_t quantsPerDay_ = 0;
    uint32_t yearMin_ = 100;
    uint32_t yearMax_ = 1000000;
    uint32_t yearStep_ = 100;
    double accuracy_ = 0.05;
    double momentaryMinutes_ = DefaultMomentaryMinutes;
    uint32_t nodeCount_ = 2;
    std::vector<SimNode> nodes_;
    std::vector<SimElement> elements_;
    Random random_;
    bool variableLoads_ = false;
    SystemEstimates system_;
    std::array<RatioInterval, SystemIndexCount> intervals_;
    std::vector<LoadIntervals> loadIntervals_; // by place in loads_
    uint64_t now_ = 0;                         // quanta of the run accounted so far
    uint64_t momentaryQuanta_ = 0;             // MomentaryQuanta() for the run
    uint32_t recloserCacheSize_ = 1;
    RecloserCache recloserCache_;
    uint32_t flowCacheSize_ = 5;
    FlowCache flowCache_;
    uint32_t yearsSimulated_ = 0;
    bool eventStepping_ = true;
    std::vector<Random> elementStreams_;  // empty: every draw comes from random_
    std::vector<uint64_t> recloserKeys_;  // by place in reclosers_, with element streams
    std::vector<uint8_t> reclosePending_; // held open; its delay is drawn when it may close
    uint64_t memoryBudget_;
    StopReason stopReason_ = StopReason::YearMax;
    bool anyCanFail_ = false;
    uint64_t failures_ = 0;     // element failures this object simulated
    uint64_t failuresSeen_ = 0; // in the years added to the estimates
    YearRecord year_;

    // Indices by role, in element order, so the per-quantum walks touch only what they need.
    std::vector<uint32_t> failing_;
    std::vector<uint32_t> loads_;
    std::vector<uint32_t> reclosers_;
    // What each recloser did in the last switching, by its place in reclosers_.
    enum class RecloserStep : uint8_t { Drawing, Waiting, Closed };
    std::vector<RecloserStep> recloserSteps_;
    uint32_t isolateFailures_ = 0; // in the last switching
    std::vector<uint32_t> searchQueue_;
    std::vector<double> cacheKey_;
    std::vector<uint8_t> pattern_;
};

} // namespace orvane
