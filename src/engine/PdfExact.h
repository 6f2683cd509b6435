#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

struct PdfSample {
    double value = 0.0;
    double weight = 0.0;
};

// The samples of a histogram kept one by one until it switches to bins, as compactly as they
// allow: 4 bytes a sample while every value is a float exactly and every weight 1 (counts,
// whole hours), 8 while the weights are 1, 16 otherwise. Moving to a wider form converts the
// samples kept so far, so every value reads back exactly as it was added.
class PdfExact {
public:
    // Storage grows on demand and never beyond limit, so many estimates with few samples stay
    // small and a full array holds exactly limit samples.
    void Add(double value, double weight, uint32_t limit);
    uint32_t Size() const { return static_cast<uint32_t>(size_); }
    // The bytes the samples take, allocated.
    size_t Bytes() const;
    void Release();

    double ValueAt(size_t i) const {
        switch (form_) {
        case Form::Float:
            return floats_[i];
        case Form::Double:
            return doubles_[i];
        case Form::Weighted:
            break;
        }
        return weighted_[i].value;
    }
    // f(value, weight) for every sample in the order added.
    template <class F> void ForEach(F&& f) const {
        switch (form_) {
        case Form::Float:
            for (float v : floats_)
                f(static_cast<double>(v), 1.0);
            break;
        case Form::Double:
            for (double v : doubles_)
                f(v, 1.0);
            break;
        case Form::Weighted:
            for (const PdfSample& s : weighted_)
                f(s.value, s.weight);
            break;
        }
    }

private:
    enum class Form : uint8_t { Float, Double, Weighted };
    void Widen(Form form, uint32_t limit);

    Form form_ = Form::Float;
    size_t size_ = 0;
    std::vector<float> floats_;
    std::vector<double> doubles_;
    std::vector<PdfSample> weighted_;
};

} // namespace orvane
