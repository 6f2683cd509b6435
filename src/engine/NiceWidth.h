#pragma once

namespace orvane {

// The smallest number not below w whose mantissa is 2^i * 5^j with i, j >= -k and
// |i - j| <= k: a bin width that prints well. Non-positive and non-finite w come back unchanged.
double NiceWidth(int k, double w);

} // namespace orvane
