#pragma once
// x as the script engine and the numeric-box evaluator see it after it was written as text:
// both are handed the decimal text of x (15 significant digits), not its binary value.
#include <cstddef>
#include <cstdint>

#include "common/vector_width.hpp"

namespace plx::graph {

// The number that the decimal text of x (15 significant digits, rounded half to even on the
// exact binary value, as the C library prints it) reads back as, computed without text.
// Returns false outside 1e-8 <= |x| < 1e37 and for x not finite, where the caller takes the
// text route.
bool ThroughDecimalText(double x, double& out);

// The same for x[0..n) into out[0..n), much faster per value; ok[i] is 0 where
// ThroughDecimalText returns false. The first form runs the loops compiled for the given
// vector width (one the processor runs), the second the widest.
void ThroughDecimalTextEach(VectorWidth width, const double* x, size_t n, double* out, uint8_t* ok);
void ThroughDecimalTextEach(const double* x, size_t n, double* out, uint8_t* ok);

}  // namespace plx::graph
