#pragma once
// Loops over blocks of numbers (the sampling of a curve, the rounding of its x values) are
// compiled once for each instruction set below, and the widest one the processor runs is
// chosen when the program starts. Every width gives the same bits: the loops use only
// operations that IEEE arithmetic rounds the same one lane or eight at a time, the library's
// functions are the same scalar calls, and no multiply and add are fused unless the code asks
// for it (the build turns the compiler's contraction off).
//
// A kernel is written once as a PLX_KERNEL function (always inlined) and wrapped by one
// function per width, the wider ones marked PLX_TARGET_AVX2 / PLX_TARGET_AVX512; inlined
// there, its loops are vectorised for that instruction set. A lambda holding such a loop is
// marked PLX_KERNEL_LAMBDA, since it is a function of its own and would otherwise be compiled
// once, for the baseline.
#include <bit>
#include <cstdint>
#include <vector>

namespace plx {

enum class VectorWidth { kBaseline, kAvx2, kAvx512 };

// The widest the processor runs; the baseline where the build knows no wider one.
VectorWidth WidestVectors();
// Every width the processor runs, narrowest first, so that tests can compare them.
std::vector<VectorWidth> RunnableVectorWidths();

}  // namespace plx

// A build already made for AVX2 or wider (-march=native, say) needs no wider copies, and the
// compiler would refuse to inline its kernels into them.
#if defined(__x86_64__) && !defined(__AVX2__) && (defined(__GNUC__) || defined(__clang__))
#define PLX_HAS_WIDE_VECTORS 1
#define PLX_TARGET_AVX2 __attribute__((target("arch=x86-64-v3")))
#define PLX_TARGET_AVX512 __attribute__((target("arch=x86-64-v4")))
#define PLX_KERNEL [[gnu::always_inline]] inline
#define PLX_KERNEL_LAMBDA __attribute__((always_inline))
#else
#define PLX_HAS_WIDE_VECTORS 0
#define PLX_TARGET_AVX2
#define PLX_TARGET_AVX512
#define PLX_KERNEL inline
#define PLX_KERNEL_LAMBDA
#endif

namespace plx {

// condition ? a : b through a bit mask, for kernels: GCC 12 does not always turn the
// conditional form into a vector select.
PLX_KERNEL double SelectLane(bool condition, double a, double b) {
  const uint64_t mask = 0 - static_cast<uint64_t>(condition);
  return std::bit_cast<double>((std::bit_cast<uint64_t>(a) & mask) |
                               (std::bit_cast<uint64_t>(b) & ~mask));
}

}  // namespace plx
