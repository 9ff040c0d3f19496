// Running one compiled expression over many values of its variable: each instruction is
// applied to a whole block of values before the next one, so the cost of decoding an
// instruction is shared by the block and the loops over the values are plain arithmetic on
// arrays, which the compiler turns into vector instructions.
//
// The host language raises an error for any step whose result is not finite (and every
// fault of its functions, such as the root of a negative number, yields such a result). Here
// the steps run on regardless, and each value remembers whether any of its steps went
// non-finite; those values are the ones Evaluate would have refused.
#include <algorithm>
#include <cmath>
#include <memory>

#include "graph/expr/compiled_expression.hpp"
#include "graph/expr/expr_math.hpp"

namespace plx::graph {
namespace {

using Op = CompiledExpression::Op;
using namespace expr_math;

// The columns of one loop never overlap; telling GCC so lets it vectorise the loop without
// run-time overlap checks, which its default cost model at -O2 would not add. (Clang adds
// the checks by itself.)
#if defined(__GNUC__) && !defined(__clang__)
#define PLX_LANES_INDEPENDENT _Pragma("GCC ivdep")
#else
#define PLX_LANES_INDEPENDENT
#endif

// Values per block: the stack of a typical expression (a few columns of this many values)
// stays in the first-level cache.
constexpr size_t kBlock = 256;

}  // namespace

template <bool kHost>
PLX_KERNEL void CompiledExpression::EvaluateBlock(const double* x, double* bottom, double* columns,
                                       uint8_t* ok) const {
  // Every loop runs over the whole block (the caller pads the last one), so the compiler
  // vectorises it without a remainder loop.
  constexpr size_t n = kBlock;
  // poison[i] stays 0 while every step of value i is finite and turns NaN for good after the
  // first that is not (0 * infinity and 0 * NaN are NaN): one multiply and one add per step.
  double poison[kBlock];
  std::fill(poison, poison + n, 0.0);
  // The bottom of the stack, where the result ends, is the caller's.
  auto column = [&](size_t k) PLX_KERNEL_LAMBDA { return k == 0 ? bottom : columns + (k - 1) * kBlock; };
  size_t t = 0;  // columns in use; column t - 1 is the top
  double* top = nullptr;
  // top[i] = f(top[i]), and for binary steps below[i] = f(below[i], top[i]).
  auto unary = [&](auto f) PLX_KERNEL_LAMBDA {
    PLX_LANES_INDEPENDENT
    for (size_t i = 0; i < n; ++i) {
      const double r = f(top[i], i);
      top[i] = r;
      if constexpr (kHost) poison[i] += r * 0.0;
    }
  };
  auto binary = [&](auto f) PLX_KERNEL_LAMBDA {
    double* below = column(t - 2);
    PLX_LANES_INDEPENDENT
    for (size_t i = 0; i < n; ++i) {
      const double r = f(below[i], top[i]);
      below[i] = r;
      if constexpr (kHost) poison[i] += r * 0.0;
    }
    --t;
    top = below;
  };
  // top[i] = top[i]^n: the products over the whole block, then the library's pow for the
  // few values out of their range, as WholePower does for one value.
  auto power = [&](int exponent, auto byProducts) PLX_KERNEL_LAMBDA {
    double r[kBlock];
    PLX_LANES_INDEPENDENT
    for (size_t i = 0; i < n; ++i) r[i] = byProducts(top[i]);
    for (size_t i = 0; i < n; ++i)
      if (!ProductPowerHolds(r[i])) r[i] = std::pow(top[i], exponent);
    unary([&r](double, size_t i) { return r[i]; });
  };
  for (const Instruction& in : code_) {
    const double k = in.value;
    switch (in.op) {
      case Op::Push:
        top = column(t++);
        std::fill(top, top + n, k);
        break;
      case Op::Load:
        top = column(t++);
        std::copy(x, x + n, top);
        break;
      case Op::Neg: unary([](double a, size_t) { return -a; }); break;
      case Op::PowN:
        switch (in.slot) {
          case 2: unary([](double a, size_t) { return a * a; }); break;
          case 3: power(in.slot, [](double a) { return PowerByProducts<3>(a); }); break;
          case 4: power(in.slot, [](double a) { return PowerByProducts<4>(a); }); break;
          case 5: power(in.slot, [](double a) { return PowerByProducts<5>(a); }); break;
          case 6: power(in.slot, [](double a) { return PowerByProducts<6>(a); }); break;
          case 7: power(in.slot, [](double a) { return PowerByProducts<7>(a); }); break;
          default: power(in.slot, [](double a) { return PowerByProducts<8>(a); }); break;
        }
        break;
      case Op::Call1:
        switch (in.function) {
          case kSqr: unary([](double a, size_t) { return std::sqrt(a); }); break;
          case kAbs: unary([](double a, size_t) { return std::fabs(a); }); break;
          case kSin: unary([](double a, size_t) { return std::sin(a); }); break;
          case kCos: unary([](double a, size_t) { return std::cos(a); }); break;
          case kExp: unary([](double a, size_t) { return std::exp(a); }); break;
          case kLog: unary([](double a, size_t) { return std::log(a); }); break;
          default: unary([&](double a, size_t) { return Apply1(in.function, a, kHost); });
        }
        break;
      case Op::AddK: unary([k](double a, size_t) { return a + k; }); break;
      case Op::SubK: unary([k](double a, size_t) { return a - k; }); break;
      case Op::MulK: unary([k](double a, size_t) { return a * k; }); break;
      case Op::DivK: unary([k](double a, size_t) { return a / k; }); break;
      case Op::AddV: unary([x](double a, size_t i) { return a + x[i]; }); break;
      case Op::SubV: unary([x](double a, size_t i) { return a - x[i]; }); break;
      case Op::MulV: unary([x](double a, size_t i) { return a * x[i]; }); break;
      case Op::DivV: unary([x](double a, size_t i) { return a / x[i]; }); break;
      case Op::Add: binary([](double a, double b) { return a + b; }); break;
      case Op::Sub: binary([](double a, double b) { return a - b; }); break;
      case Op::Mul: binary([](double a, double b) { return a * b; }); break;
      case Op::Div: binary([](double a, double b) { return a / b; }); break;
      case Op::Pow:
        binary([](double a, double b) { return kHost ? Power(a, b) : JsPow(a, b); });
        break;
      case Op::Rem: binary([](double a, double b) { return std::fmod(a, b); }); break;
      case Op::BitXor:
        binary([](double a, double b) { return static_cast<double>(ToInt32(a) ^ ToInt32(b)); });
        break;
      case Op::Call2:
        binary([&](double a, double b) { return Apply2(in.function, a, b); });
        break;
      default: break;  // not in a batchable program
    }
  }
  for (size_t i = 0; i < n; ++i) ok[i] = !kHost || poison[i] == 0;
}

PLX_KERNEL void CompiledExpression::EveryBlock(const double* x, size_t n, double* out,
                                               uint8_t* ok) const {
  // The stack's columns above the bottom; for the last block, which is padded with 1 (a value
  // every step takes), its x, its results and their flags too.
  std::unique_ptr<double[]> scratch(new double[(maxStack_ + 2) * kBlock]);
  double* columns = scratch.get();
  double* paddedX = columns + maxStack_ * kBlock;
  double* paddedOut = paddedX + kBlock;
  uint8_t paddedOk[kBlock];
  for (size_t start = 0; start < n; start += kBlock) {
    const size_t count = std::min(kBlock, n - start);
    const bool full = count == kBlock;
    if (!full) {
      std::copy(x + start, x + start + count, paddedX);
      std::fill(paddedX + count, paddedX + kBlock, 1.0);
    }
    const double* block = full ? x + start : paddedX;
    double* result = full ? out + start : paddedOut;
    uint8_t* flags = full ? ok + start : paddedOk;
    if (dialect_ == Dialect::JavaScript)
      EvaluateBlock<false>(block, result, columns, flags);
    else
      EvaluateBlock<true>(block, result, columns, flags);
    if (!full) {
      std::copy(paddedOut, paddedOut + count, out + start);
      std::copy(paddedOk, paddedOk + count, ok + start);
    }
  }
}

void CompiledExpression::EveryBlockBaseline(const double* x, size_t n, double* out,
                                            uint8_t* ok) const {
  EveryBlock(x, n, out, ok);
}
void CompiledExpression::EveryBlockAvx2(const double* x, size_t n, double* out, uint8_t* ok) const {
  EveryBlock(x, n, out, ok);
}
void CompiledExpression::EveryBlockAvx512(const double* x, size_t n, double* out,
                                          uint8_t* ok) const {
  EveryBlock(x, n, out, ok);
}

void CompiledExpression::EvaluateEach(VectorWidth width, const double* x, size_t n, double* out,
                                      uint8_t* ok) const {
  switch (width) {
    case VectorWidth::kAvx512: EveryBlockAvx512(x, n, out, ok); break;
    case VectorWidth::kAvx2: EveryBlockAvx2(x, n, out, ok); break;
    case VectorWidth::kBaseline: EveryBlockBaseline(x, n, out, ok); break;
  }
}

void CompiledExpression::EvaluateEach(const double* x, size_t n, double* out, uint8_t* ok) const {
  EvaluateEach(WidestVectors(), x, n, out, ok);
}

}  // namespace plx::graph
