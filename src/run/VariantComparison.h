#pragma once

#include "engine/SystemIndex.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Clock;
class ProgressSink;

struct ComparisonRequest {
    std::string ndlA, ndlB; // the two variants' NDL texts
    uint64_t seed = 1;
    const std::atomic<bool>* cancel = nullptr; // read once per simulated year
    ProgressSink* progress = nullptr;
};

// One index of both variants and their difference, B minus A.
struct ComparisonRow {
    SystemIndex index = SystemIndex::Saifi;
    double a = 0.0;
    double b = 0.0;
    double difference = 0.0;
    double halfWidth = 0.0; // of the difference's 95% interval on common random numbers
    // What the half width would be from two independent runs of as many years.
    double independentHalfWidth = 0.0;
};

enum class ComparisonStatus { Completed, Failed, Cancelled };

struct ComparisonResult {
    ComparisonStatus status = ComparisonStatus::Failed;
    std::string error;      // which variant, and why
    uint32_t years = 0;     // simulated by each variant
    bool converged = false; // both variants reached their accuracy before the year limit
    bool momentaryVisible = false;
    bool costed = false; // both variants have cost curves
    // Failing elements without a name of their own, matched by their place among such elements.
    uint32_t unnamedA = 0, unnamedB = 0;
    std::vector<ComparisonRow> rows; // in index order; momentary and cost rows only when measured
};

// Simulates two variants of a network year by year side by side on common random numbers: the
// elements they share (by name, or by place among the elements of their kind) draw the same
// failures, so the yearly differences keep only what the change itself makes. Runs until both
// variants meet the stop rule of variant A's system definition, or its year limit; B counts
// momentary interruptions within A's limit.
class VariantComparison {
public:
    explicit VariantComparison(Clock& clock) : clock_(clock) {}
    ComparisonResult Run(const ComparisonRequest& request);

private:
    Clock& clock_;
};

} // namespace orvane
