#pragma once

#include "engine/Simulation.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class ReplicaRun;

// Makes the run that drives the replicas: a ReplicaRun on threads unless a front end spreads the
// replicas further, over the processes of an MPI job.
using ReplicaRunFactory = std::function<std::unique_ptr<ReplicaRun>(
    Simulation& master, std::vector<std::unique_ptr<Simulation>> replicas, uint32_t jobs)>;

// How one study is spread: independent replicas of the network, each drawing from its own
// stream of one seed, on a number of threads.
struct Replication {
    uint64_t seed = 0;
    uint32_t replicas = 1;
    uint32_t jobs = 1;
    ReplicaRunFactory runs; // none: threads only
};

// Runs the replicas of one network and merges them into a master copy, whose estimates then hold
// every replica-year and which writes the reports. The year settings count merged years: in each
// round every replica simulates one more year; the stop rule is applied after the round that
// reaches a multiple of yearStep, and the run ends after the round that reaches yearMax. The
// years are merged round by round and, within a round, replica by replica, so the result
// depends on the seed and the number of replicas only, never on how many threads run them.
class ReplicaRun {
public:
    ReplicaRun(Simulation& master, std::vector<std::unique_ptr<Simulation>> replicas,
               uint32_t jobs);
    virtual ~ReplicaRun() = default;

    ExecuteResult Execute(const std::atomic<bool>* cancel, const std::string& reportPath);

protected:
    // Simulates `rounds` more years on every replica, into Records(); false when cancelled.
    virtual bool RunRounds(uint32_t rounds, const std::atomic<bool>* cancel);
    // The same for the replicas listed, on the run's threads.
    bool RunReplicas(uint32_t rounds, const std::atomic<bool>* cancel,
                     const std::vector<uint32_t>& which);
    std::vector<std::vector<YearRecord>>& Records() { return records_; }
    uint32_t ReplicaCount() const { return static_cast<uint32_t>(replicas_.size()); }
    const Simulation& Master() const { return master_; }

private:
    Simulation& master_;
    std::vector<std::unique_ptr<Simulation>> replicas_;
    uint32_t jobs_;
    std::vector<std::vector<YearRecord>> records_;
};

} // namespace orvane
