#pragma once

#include "run/ReplicaRun.h"

namespace orvane {

// The replicas of one study spread over the processes of an MPI job: process k runs replicas
// k, k + n, k + 2n, ... on its own threads, and after each batch of rounds every process
// receives every replica's years. Each process then merges them in the same fixed order, so all
// hold the same estimates, take the same stop decision, and the merged result equals that of
// the same replicas on threads in one process.
class MpiReplicaRun : public ReplicaRun {
public:
    MpiReplicaRun(Simulation& master, std::vector<std::unique_ptr<Simulation>> replicas,
                  uint32_t jobs, int rank, int size);

protected:
    bool RunRounds(uint32_t rounds, const std::atomic<bool>* cancel) override;

private:
    int rank_;
    int size_;
};

} // namespace orvane
