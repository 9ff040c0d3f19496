#include "charts/chart_data.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <cmath>

#include "common/text.hpp"
#include "common/vbnum.hpp"

namespace plx::charts {
namespace {

// Whether q is a whole number, allowing for the rounding of single-precision
// steps such as 0.1.
bool Whole(double q) { return std::fabs(q - std::round(q)) <= 1e-4 * std::max(1.0, std::fabs(q)); }

double Steps(const AxisValues& a) { return (static_cast<double>(a.e) - a.s) / a.d; }

}  // namespace

float ToSingle(double value) {
  constexpr double kLargest = std::numeric_limits<float>::max();
  if (std::isnan(value)) return 0;
  return static_cast<float>(std::clamp(value, -kLargest, kLargest));
}

int ToBounded(double value, int low, int high) {
  if (std::isnan(value)) return low;
  return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}

std::vector<float> ReadChartData(const std::wstring& text) {
  std::wstring t = Trim(text);
  if (t.empty()) return {};
  t = Replace(ToHalfWidth(t), L":", L",");
  if (!t.empty() && t.back() == L',') t.pop_back();
  std::vector<float> values;
  for (const std::wstring& item : Split(t, L",")) values.push_back(ToSingle(Val(Trim(item))));
  return values;
}

std::wstring SingleText(float value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return DecimalText(value);
  return DecimalText(Val(Utf8ToWide(std::string_view(buffer, end - buffer))));
}

std::optional<std::wstring> ScaleProblem(const AxisValues& a, const std::wstring& axis) {
  if (!(a.d > 0) || !(a.e >= a.s) || !std::isfinite(a.s) || !std::isfinite(a.e))
    return L"跨度应大于0，终值不能小于初值，请检查" + axis + L"轴数据设置";
  const double steps = Steps(a);
  if (!Whole(steps)) return L"“（终值-初值）/跨度”应为整数，请检查" + axis + L"轴数据设置";
  if (steps + 2 > kMaxSlots)
    return axis + L"轴上的刻度超过" + std::to_wstring(kMaxSlots) + L"个，无法看清，请增大跨度或缩小范围";
  return std::nullopt;
}

Axis MakeAxis(const AxisValues& values, double lengthCm) {
  Axis a;
  a.v = values;
  a.k = values.s == 0 ? 1 : 2;
  a.slots = static_cast<int>(std::lround(Steps(values))) + a.k;
  a.length = lengthCm * 28.4;
  a.unit = a.length / a.slots;
  return a;
}

AxisValues LineChartAutoX(size_t count, bool broken) {
  // On a broken axis the points are numbered from 1, so the axis has to run
  // to `count` for the last point to get its tick.
  if (broken) return {1, static_cast<float>(std::max<size_t>(count, 1)), 1};
  return {0, static_cast<float>(count > 0 ? count - 1 : 0), 1};
}

AxisValues LineChartAutoY(const std::vector<float>& data, bool broken) {
  if (data.empty()) return {0, 1, 1};
  std::vector<float> sorted = data;
  std::sort(sorted.begin(), sorted.end());
  float d = 0;
  for (size_t i = 1; i < sorted.size(); ++i) {
    const float gap = sorted[i] - sorted[i - 1];
    if (gap > 0 && (d == 0 || gap < d)) d = gap;
  }
  if (d == 0) d = 1;  // one value, or all equal
  AxisValues a{sorted.front(), sorted.back(), d};
  if (a.s == 0 && broken) a.s = 1;
  while (a.d > 1 && !Whole(Steps(a))) a.d -= 1;
  if (a.e < a.s) a.e = a.s;  // a broken axis over data that are all 0
  return a;
}

AxisValues BarAutoY(const std::vector<float>& heights) {
  float top = 0;
  for (float h : heights) top = std::max(top, h);
  if (top <= 0) return {0, 1, 1};
  const double rough = top / 10.0;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough) {
      step = m * power;
      break;
    }
  const float d = ToSingle(step);
  const float e = ToSingle(std::ceil(top / step - 1e-6) * step);
  return {0, e, d};
}

AxisValues BarChartAutoX(size_t count) { return {1, static_cast<float>(std::max<size_t>(count, 1)), 1}; }

AxisValues HistogramAutoX(size_t count, bool broken) {
  const float n = static_cast<float>(count);
  return broken ? AxisValues{1, n + 1, 1} : AxisValues{0, n, 1};
}

}  // namespace plx::charts
