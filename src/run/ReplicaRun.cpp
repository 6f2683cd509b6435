#include "run/ReplicaRun.h"

#include "base/Clock.h"
#include "base/Output.h"

#include <algorithm>
#include <exception>
#include <numeric>
#include <thread>

namespace orvane {

ReplicaRun::ReplicaRun(Simulation& master, std::vector<std::unique_ptr<Simulation>> replicas,
                       uint32_t jobs)
    : master_(master), replicas_(std::move(replicas)), jobs_(std::max<uint32_t>(jobs, 1)),
      records_(replicas_.size()) {}

bool ReplicaRun::RunRounds(uint32_t rounds, const std::atomic<bool>* cancel) {
    std::vector<uint32_t> all(ReplicaCount());
    std::iota(all.begin(), all.end(), 0u);
    return RunReplicas(rounds, cancel, all);
}

bool ReplicaRun::RunReplicas(uint32_t rounds, const std::atomic<bool>* cancel,
                             const std::vector<uint32_t>& which) {
    const auto count = static_cast<uint32_t>(which.size());
    const uint32_t threads = std::max<uint32_t>(std::min<uint32_t>(jobs_, count), 1);
    std::atomic<bool> cancelled{false};
    std::vector<std::exception_ptr> failures(threads);
    const auto work = [&](uint32_t worker) {
        try {
            for (uint32_t k = worker; k < count; k += threads) {
                const uint32_t r = which[k];
                records_[r].clear();
                for (uint32_t b = 0; b < rounds; ++b) {
                    if (cancel && cancel->load(std::memory_order_relaxed)) {
                        cancelled = true;
                        return;
                    }
                    replicas_[r]->RunYear();
                    records_[r].push_back(replicas_[r]->LastYear());
                }
            }
        } catch (...) {
            failures[worker] = std::current_exception();
        }
    };
    std::vector<std::thread> pool;
    for (uint32_t w = 1; w < threads; ++w)
        pool.emplace_back(work, w);
    work(0);
    for (std::thread& t : pool)
        t.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
    return !cancelled;
}

ExecuteResult ReplicaRun::Execute(const std::atomic<bool>* cancel, const std::string& reportPath) {
    master_.BeginRun();
    for (auto& replica : replicas_)
        replica->BeginRun();
    master_.Channels().OutputText(1, "Simulating...");
    const uint32_t start = master_.RunClock().TickCount() - 1;

    const uint64_t yearMax = master_.YearMax();
    const uint64_t yearStep = master_.YearStep();
    uint64_t merged = 0;
    StopReason reason = StopReason::YearMax;
    ExecuteResult result = ExecuteResult::Completed;
    while (merged < yearMax) {
        const uint64_t nextTest = yearStep != 0 ? (merged / yearStep + 1) * yearStep : yearMax;
        const uint64_t target = std::min(nextTest, yearMax);
        const auto rounds =
            static_cast<uint32_t>((target - merged + ReplicaCount() - 1) / ReplicaCount());
        if (!RunRounds(rounds, cancel)) {
            result = ExecuteResult::Cancelled;
            break;
        }
        for (uint32_t b = 0; b < rounds; ++b)
            for (const auto& records : records_)
                master_.AddYear(records[b]);
        merged += uint64_t{rounds} * ReplicaCount();

        master_.ShowProgress(static_cast<uint32_t>(std::min<uint64_t>(merged, UINT32_MAX)), start);
        if (merged >= nextTest && merged >= master_.YearMin() && master_.AccurateEnough()) {
            reason = StopReason::Accurate;
            break;
        }
    }
    if (result == ExecuteResult::Completed) {
        const auto years = static_cast<uint32_t>(std::min<uint64_t>(merged, UINT32_MAX));
        master_.SetOutcome(years, reason);
        master_.Report(years, start, false, reportPath);
        master_.Report(years, start, true, reportPath);
    }
    for (auto& replica : replicas_)
        replica->EndRun();
    master_.EndRun();
    return result;
}

} // namespace orvane
