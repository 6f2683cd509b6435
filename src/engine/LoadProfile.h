#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Output;

// The demand of one load point in every quantum of the year. A given profile of n values is
// stretched over the period, quantum i taking value floor(i * n / period); scaling acts on each
// value alone, so only the n scaled values are kept and a quantum is looked up on demand. At
// 1,440 quanta per day this keeps n doubles instead of 525,600 per load point.
class LoadProfile {
public:
    void Assign(std::vector<double> values, uint32_t period);
    void Release();

    double At(uint32_t quantum) const {
        return values_[static_cast<uint64_t>(quantum) * values_.size() / period_];
    }
    // The first quantum after `quantum` that reads the next stored value (the period at most).
    uint32_t NextStep(uint32_t quantum) const {
        const uint64_t n = values_.size();
        const uint64_t index = static_cast<uint64_t>(quantum) * n / period_;
        const uint64_t next = ((index + 1) * period_ + n - 1) / n;
        return static_cast<uint32_t>(next < period_ ? next : period_);
    }
    uint32_t Period() const { return period_; }
    const std::vector<double>& Values() const { return values_; }
    std::vector<double>& Values() { return values_; }

private:
    std::vector<double> values_;
    uint32_t period_ = 0;
};

// Every value x becomes max((x - base) * factor + base, 1e-9).
void ScaleProfile(LoadProfile& profile, double base, double factor);

struct ProfileSummary {
    double sum = 0.0;
    double mean = 0.0;
    double max = 0.0; // starts at 0.0, replaced only by a strictly larger value
};

// Sum, mean and maximum over the whole period, quantum by quantum.
ProfileSummary Summarize(const LoadProfile& profile);

struct ShapedLoad {
    double peak = 0.0;     // the load's rating: the largest demand of the year
    bool variable = false; // the demand is not the same in every quantum
};

// Resamples the given profile over the period and scales it towards the desired average and
// peak (-1.0 when absent), warning on the text channel when they cannot be met.
ShapedLoad ShapeLoad(LoadProfile& profile, const std::string& name,
                     const std::vector<double>& given, uint32_t period, double average, double peak,
                     Output& output);

} // namespace orvane
