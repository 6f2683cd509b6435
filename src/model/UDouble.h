#pragma once

#include "model/Object.h"

namespace orvane {

// One load profile value; stored as an object record of its own.
class CUDouble : public CObject {
public:
    static constexpr const char* kClassName = "CUDouble";

    double m_value = 0.0;

    CUDouble() = default;
    explicit CUDouble(double value) : m_value(value) {}

    double GetValue() const { return m_value; }
    void SetValue(double value) { m_value = value; }

    const char* ClassName() const override { return kClassName; }
    void Serialize(CArchive& ar) override;
};

} // namespace orvane
