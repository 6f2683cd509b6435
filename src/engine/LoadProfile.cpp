#include "engine/LoadProfile.h"

#include "base/Output.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
constexpr double Tolerance = 1e-8;
constexpr double Floor = 1e-9;

// Relative for values above 1, so that a large load (in W or VA) is not told apart from itself
// by the rounding of its own sum.
bool Differ(double a, double b) {
    return std::fabs(a - b) > Tolerance * std::max({1.0, std::fabs(a), std::fabs(b)});
}
} // namespace

void LoadProfile::Assign(std::vector<double> values, uint32_t period) {
    values_ = std::move(values);
    period_ = period;
}

void LoadProfile::Release() {
    values_.clear();
    values_.shrink_to_fit();
    period_ = 0;
}

void ScaleProfile(LoadProfile& profile, double base, double factor) {
    for (double& x : profile.Values()) {
        double scaled = (x - base) * factor + base;
        // A factor that is not finite (no usable mean or maximum) leaves the value at the floor.
        x = std::isnan(scaled) ? Floor : std::max(scaled, Floor);
    }
}

ProfileSummary Summarize(const LoadProfile& profile) {
    ProfileSummary s;
    const uint32_t period = profile.Period();
    if (period == 0 || profile.Values().empty())
        return s;
    for (uint32_t i = 0; i < period; ++i) {
        double v = profile.At(i);
        s.sum += v;
        if (v > s.max)
            s.max = v;
    }
    s.mean = s.sum / period;
    return s;
}

ShapedLoad ShapeLoad(LoadProfile& profile, const std::string& name,
                     const std::vector<double>& given, uint32_t period, double average, double peak,
                     Output& output) {
    const bool noAverage = average == -1.0;
    const bool noPeak = peak == -1.0;
    if (noAverage && noPeak)
        average = peak = 1.0;

    profile.Assign(given.empty() ? std::vector<double>{1.0} : given, period);
    ProfileSummary s = Summarize(profile);
    double mean = s.mean;

    if (peak == -1.0) {
        ScaleProfile(profile, 0.0, average / mean);
    } else {
        ScaleProfile(profile, 0.0, peak / s.max);
        mean = mean * peak / s.max;
        if (average != -1.0 && Differ(peak, mean))
            ScaleProfile(profile, peak, (peak - average) / (peak - mean));
    }

    s = Summarize(profile);
    if (average != -1.0 && Differ(average, s.mean))
        output.OutputText(3,
                          "warning: load scaling failed (%s), desired average = %.4lf, actual = "
                          "%.4lf\n",
                          name.c_str(), average, s.mean);
    if (peak != -1.0 && Differ(peak, s.max))
        output.OutputText(3,
                          "warning: load scaling failed (%s), desired peak = %.4lf, actual = "
                          "%.4lf)\n",
                          name.c_str(), peak, s.max);

    return ShapedLoad{s.max, Differ(s.mean, s.max)};
}

} // namespace orvane
