#pragma once

#include "engine/IndexIntervals.h"
#include "run/ReplicaRun.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Clock;
class ProgressSink;

struct RunRequest {
    std::string ndlText;
    std::string networkName;
    std::string textPath; // the plain-text report
    std::string htmlPath; // the HTML report
    // How the HTML report's links name the report itself; htmlPath when empty.
    std::string linkPath;
    const std::atomic<bool>* cancel = nullptr; // read once per simulated year
    ProgressSink* progress = nullptr;
    // Unset, the run draws the one default sequence; set, it runs the seeded replicas.
    bool seeded = false;
    Replication replication;
};

enum class RunStatus {
    Completed,
    ParseFailed,  // the error line is in the text report
    NoSystem,     // the text holds no system definition; nothing was simulated
    NoLoadPoints, // nothing to measure; the error line is in the text report
    Cancelled,    // stopped before a year; the previous reports are as they were
    WriteFailed,  // a report could not be written whole; the previous reports are as they were
    TooLarge,     // the replicas would not fit the memory; the error line is in the text report
};

struct IndexResult {
    double mean = 0.0;
    double accuracy = 0.0; // relative accuracy, a fraction
};

struct LoadPointResult {
    std::string name;
    uint32_t customers = 0;
    IndexResult failureRate;    // interruptions per year
    IndexResult outageDuration; // hours per interruption
    IndexResult unavailability; // hours per year
    IndexResult energyNotSupplied;
};

// What a completed run measured, for front ends that want figures rather than reports.
struct RunResult {
    RunStatus status = RunStatus::ParseFailed;
    std::string error;      // the parse error or refusal, without position
    uint32_t errorLine = 0; // where a parse error stands, counted from 1
    uint32_t errorColumn = 0;
    uint32_t years = 0;
    // Whether every index reached the accuracy asked for; false when the year limit came first.
    bool converged = false;
    uint32_t yearMax = 0;
    double accuracy = 0.0; // the target, a fraction
    // The rest of the system definition the run went by.
    uint32_t quantsPerDay = 0;
    uint32_t yearMin = 0;
    uint32_t yearStep = 0;
    bool fuses = true;
    bool isolators = true;
    bool reclosers = true;
    bool maxFlow = true;
    bool seeded = false; // with seed and replicas as below
    uint64_t seed = 0;
    uint32_t replicas = 1;
    IndexResult saifi, saidi, caidi, ens;
    double caifi = 0.0, asui = 0.0, asai = 0.0, aens = 0.0, acci = 0.0;
    std::vector<LoadPointResult> loadPoints;
    // Every index with its 95% interval, and the figures beyond the classic report.
    IndexIntervals intervals;
};

// What a completed run that is not to be taken at face value should tell its user, in one
// sentence: the year limit came before the accuracy. Empty when there is nothing to say.
std::string ConvergenceNote(const RunResult& result);

// One simulation run: opens the report channels, parses the NDL text into a network, simulates
// it and writes the reports, then releases everything. The reports replace the previous ones
// only when the run has written them whole; a cancelled run, or one that cannot write, leaves
// them as they were. The run owns its channels, so several runs may go on at once in one
// process.
class Simulator {
public:
    explicit Simulator(Clock& clock) : clock_(clock) {}
    RunResult Run(const RunRequest& request);

private:
    ExecuteResult RunReplicas(const RunRequest& request, Simulation& master,
                              const std::string& link);
    Clock& clock_;
};

} // namespace orvane
