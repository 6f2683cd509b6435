#include "engine/PdfExact.h"

#include <algorithm>

namespace orvane {

namespace {

constexpr std::size_t kInitialCapacity = 16;

template <class T> void Grow(std::vector<T>& v, uint32_t limit) {
    if (v.size() == v.capacity()) {
        const std::size_t grown = std::max(kInitialCapacity, 2 * v.capacity());
        v.reserve(std::max(v.size() + 1, std::min<std::size_t>(grown, limit)));
    }
}

// NaN is not equal to itself, so it never passes for a float.
bool FloatExact(double value) {
    return static_cast<double>(static_cast<float>(value)) == value;
}

} // namespace

void PdfExact::Widen(Form form, uint32_t limit) {
    const auto reserve = std::max<std::size_t>(size_ + 1, std::min<std::size_t>(2 * size_, limit));
    if (form == Form::Double) {
        doubles_.reserve(reserve);
        for (float v : floats_)
            doubles_.push_back(v);
    } else {
        weighted_.reserve(reserve);
        ForEach([this](double v, double w) { weighted_.push_back({v, w}); });
    }
    std::vector<float>().swap(floats_);
    if (form == Form::Weighted)
        std::vector<double>().swap(doubles_);
    form_ = form;
}

void PdfExact::Add(double value, double weight, uint32_t limit) {
    if (weight != 1.0 && form_ != Form::Weighted)
        Widen(Form::Weighted, limit);
    else if (form_ == Form::Float && !FloatExact(value))
        Widen(Form::Double, limit);
    switch (form_) {
    case Form::Float:
        Grow(floats_, limit);
        floats_.push_back(static_cast<float>(value));
        break;
    case Form::Double:
        Grow(doubles_, limit);
        doubles_.push_back(value);
        break;
    case Form::Weighted:
        Grow(weighted_, limit);
        weighted_.push_back({value, weight});
        break;
    }
    ++size_;
}

size_t PdfExact::Bytes() const {
    return floats_.capacity() * sizeof(float) + doubles_.capacity() * sizeof(double) +
           weighted_.capacity() * sizeof(PdfSample);
}

void PdfExact::Release() {
    std::vector<float>().swap(floats_);
    std::vector<double>().swap(doubles_);
    std::vector<PdfSample>().swap(weighted_);
    form_ = Form::Float;
    size_ = 0;
}

} // namespace orvane
