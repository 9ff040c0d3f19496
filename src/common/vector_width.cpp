#include "common/vector_width.hpp"

namespace plx {
namespace {

bool Runs(VectorWidth width) {
#if PLX_HAS_WIDE_VECTORS
  __builtin_cpu_init();  // in case this runs before the library's own start-up did it
  switch (width) {
    case VectorWidth::kBaseline: return true;
#if defined(__clang__)
    // This clang knows the features, not the levels that group them.
    case VectorWidth::kAvx2:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
             __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2");
    case VectorWidth::kAvx512:
      return Runs(VectorWidth::kAvx2) && __builtin_cpu_supports("avx512f") &&
             __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512cd") &&
             __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl");
#else
    case VectorWidth::kAvx2: return __builtin_cpu_supports("x86-64-v3");
    case VectorWidth::kAvx512: return __builtin_cpu_supports("x86-64-v4");
#endif
  }
  return false;
#else
  return width == VectorWidth::kBaseline;
#endif
}

}  // namespace

VectorWidth WidestVectors() {
  static const VectorWidth widest = [] {
    const std::vector<VectorWidth> widths = RunnableVectorWidths();
    return widths.back();
  }();
  return widest;
}

std::vector<VectorWidth> RunnableVectorWidths() {
  std::vector<VectorWidth> widths;
  for (VectorWidth width : {VectorWidth::kBaseline, VectorWidth::kAvx2, VectorWidth::kAvx512})
    if (Runs(width)) widths.push_back(width);
  return widths;
}

}  // namespace plx
