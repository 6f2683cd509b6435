#include "mpi/MpiReplicaRun.h"

#include <mpi.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace orvane {

namespace {

template <class T> void Put(std::string& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <class T> T Take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

void PutRecord(std::string& bytes, const YearRecord& year) {
    Put<uint64_t>(bytes, year.failures);
    for (size_t k = 0; k < year.loads.size(); ++k) {
        Put<uint32_t>(bytes, year.loads[k].interruptions);
        Put<uint32_t>(bytes, year.loads[k].outageQuanta);
        Put<double>(bytes, year.loads[k].energyNotSupplied);
        Put<uint32_t>(bytes, year.loads[k].momentary);
        Put<uint32_t>(bytes, year.loads[k].momentaryEvents);
        Put<uint32_t>(bytes, year.loads[k].sustained);
        Put<uint8_t>(bytes, year.loads[k].longOutages);
        Put<double>(bytes, year.loads[k].cost);
        Put<uint64_t>(bytes, year.durations[k].size());
        for (double hours : year.durations[k])
            Put<double>(bytes, hours);
    }
}

YearRecord TakeRecord(const char*& at, size_t loads) {
    YearRecord year;
    year.failures = Take<uint64_t>(at);
    year.loads.resize(loads);
    year.durations.resize(loads);
    for (size_t k = 0; k < loads; ++k) {
        year.loads[k].interruptions = Take<uint32_t>(at);
        year.loads[k].outageQuanta = Take<uint32_t>(at);
        year.loads[k].energyNotSupplied = Take<double>(at);
        year.loads[k].momentary = Take<uint32_t>(at);
        year.loads[k].momentaryEvents = Take<uint32_t>(at);
        year.loads[k].sustained = Take<uint32_t>(at);
        year.loads[k].longOutages = Take<uint8_t>(at);
        year.loads[k].cost = Take<double>(at);
        year.durations[k].resize(Take<uint64_t>(at));
        for (double& hours : year.durations[k])
            hours = Take<double>(at);
    }
    return year;
}

} // namespace

MpiReplicaRun::MpiReplicaRun(Simulation& master, std::vector<std::unique_ptr<Simulation>> replicas,
                             uint32_t jobs, int rank, int size)
    : ReplicaRun(master, std::move(replicas), jobs), rank_(rank), size_(size) {}

bool MpiReplicaRun::RunRounds(uint32_t rounds, const std::atomic<bool>* cancel) {
    std::vector<uint32_t> mine;
    for (uint32_t r = static_cast<uint32_t>(rank_); r < ReplicaCount();
         r += static_cast<uint32_t>(size_))
        mine.push_back(r);
    // Cancelling one process alone would leave the others waiting below: the job is ended as a
    // whole by its launcher instead.
    (void)cancel;
    RunReplicas(rounds, nullptr, mine);

    auto& records = Records();
    const size_t loads = Master().LoadCount();
    std::string bytes;
    for (uint32_t r : mine)
        for (const YearRecord& year : records[r])
            PutRecord(bytes, year);

    const int length = static_cast<int>(bytes.size());
    if (bytes.size() > static_cast<size_t>(INT32_MAX))
        throw std::length_error("too many years in one batch for one message");
    std::vector<int> lengths(static_cast<size_t>(size_));
    MPI_Allgather(&length, 1, MPI_INT, lengths.data(), 1, MPI_INT, MPI_COMM_WORLD);
    std::vector<int> offsets(static_cast<size_t>(size_));
    size_t total = 0;
    for (int p = 0; p < size_; ++p) {
        offsets[static_cast<size_t>(p)] = static_cast<int>(total);
        total += static_cast<size_t>(lengths[static_cast<size_t>(p)]);
    }
    std::string all(total, '\0');
    MPI_Allgatherv(bytes.data(), length, MPI_BYTE, all.data(), lengths.data(), offsets.data(),
                   MPI_BYTE, MPI_COMM_WORLD);

    for (int p = 0; p < size_; ++p) {
        const char* at = all.data() + offsets[static_cast<size_t>(p)];
        for (uint32_t r = static_cast<uint32_t>(p); r < ReplicaCount();
             r += static_cast<uint32_t>(size_)) {
            if (p == rank_)
                continue; // already in place
            records[r].clear();
            for (uint32_t b = 0; b < rounds; ++b)
                records[r].push_back(TakeRecord(at, loads));
        }
    }
    return true;
}

} // namespace orvane
