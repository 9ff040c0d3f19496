#pragma once
// x as the script engine and the numeric-box evaluator see it after it was written as text:
// both are handed the decimal text of x (15 significant digits), not its binary value.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/vector_width.hpp"

namespace plx::graph {

// The number that the decimal text of x (15 significant digits, rounded half to even on the
// exact binary value, as the C library prints it) reads back as, computed without text.
// Returns false outside 1e-8 <= |x| < 1e37 and for x not finite, where the caller takes the
// text route.
bool ThroughDecimalText(double x, double& out);

// The same for x[0..n) into out[0..n), much faster per value; ok[i] is 0 where
// ThroughDecimalText returns false; returns how many those are. The first form runs the loops
// compiled for the given vector width (one the processor runs), the second the widest.
size_t ThroughDecimalTextEach(VectorWidth width, const double* x, size_t n, double* out, uint8_t* ok);
size_t ThroughDecimalTextEach(const double* x, size_t n, double* out, uint8_t* ok);

// f(i) for every i < n with flags[i] == 0; eight flags are tested at once, since nearly all
// values are usually rounded.
template <class F>
PLX_KERNEL void ForEachUnset(const uint8_t* flags, size_t n, F f) {
  for (size_t start = 0; start < n; start += 8) {
    uint64_t eight = 0;
    if (start + 8 <= n) std::memcpy(&eight, flags + start, sizeof eight);
    if (eight == 0x0101010101010101ull) continue;
    for (size_t i = start; i < std::min(start + 8, n); ++i)
      if (!flags[i]) f(i);
  }
}

}  // namespace plx::graph
