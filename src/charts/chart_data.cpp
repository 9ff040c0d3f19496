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

ChartData ReadChartData(const std::wstring& text) {
  std::wstring t = NumberText(text);
  if (t.empty()) return {};
  for (const wchar_t* separator : {L":", L";", L"、"}) t = Replace(t, separator, L",");
  if (t.back() == L',') t.pop_back();
  ChartData data;
  for (const std::wstring& part : Split(t, L",")) {
    const std::wstring item = Trim(part);
    if (!item.empty() && !IsNumeric(item))
      return {{}, L"数据“" + item + L"”不是数，请检查数据（多个数据之间用“,”或“、”分隔）"};
    data.values.push_back(ToSingle(Val(item)));
  }
  return data;
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

namespace {

// The round step (1, 2 or 5 times a power of ten) nearest above `rough`.
double RoundStep(double rough) {
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0})
    if (m * power >= rough) return m * power;
  return 10 * power;
}

bool Drawable(const AxisValues& a) { return Whole(Steps(a)) && Steps(a) + 2 <= kMaxSlots; }

// The decimal places of a value as the chart writes it; nothing for one
// written with an exponent or finer than a millionth.
std::optional<int> DecimalPlaces(float v) {
  const std::wstring t = SingleText(v);
  if (Contains(t, L"E")) return std::nullopt;
  const size_t dot = t.find(L'.');
  const int places = dot == std::wstring::npos ? 0 : static_cast<int>(t.size() - dot - 1);
  if (places > 6) return std::nullopt;
  return places;
}

// The narrowing of the step run in units of the data's last decimal place.
std::optional<AxisValues> OnDecimalPlaces(const std::vector<float>& sorted, float start) {
  int places = 0;
  for (float v : sorted) {
    const auto p = DecimalPlaces(v);
    if (!p) return std::nullopt;
    places = std::max(places, *p);
  }
  const double scale = std::pow(10.0, places);
  const auto units = [scale](float v) { return std::llround(v * scale); };
  if (std::fabs(sorted.back() * scale) > 1e15 || std::fabs(start * scale) > 1e15) return std::nullopt;
  long long gap = 0;
  for (size_t i = 1; i < sorted.size(); ++i) {
    const long long g = units(sorted[i]) - units(sorted[i - 1]);
    if (g > 0 && (gap == 0 || g < gap)) gap = g;
  }
  const long long range = units(sorted.back()) - units(start);
  if (gap == 0 || range <= 0) return std::nullopt;
  while (gap > 1 && range % gap != 0) --gap;
  AxisValues a{start, sorted.back(), ToSingle(static_cast<double>(gap) / scale)};
  if (!Drawable(a)) return std::nullopt;
  return a;
}

// From a round value at or below `low` to one at or above `high`, in at
// most ten round steps.
AxisValues RoundScale(float low, float high) {
  const double step = RoundStep(std::max(static_cast<double>(high) - low, 1e-6) / 10);
  return {ToSingle(std::floor(low / step + 1e-9) * step), ToSingle(std::ceil(high / step - 1e-9) * step),
          ToSingle(step)};
}

}  // namespace

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
  if (Drawable(a)) return a;
  if (auto finer = OnDecimalPlaces(sorted, a.s)) return *finer;
  return RoundScale(a.s, a.e);
}

AxisValues BarAutoY(const std::vector<float>& heights) {
  float top = 0;
  for (float h : heights) top = std::max(top, h);
  if (top <= 0) return {0, 1, 1};
  const double step = RoundStep(top / 10.0);
  const float d = ToSingle(step);
  const float e = ToSingle(std::ceil(top / step - 1e-6) * step);
  return {0, e, d};
}

AxisValues BarChartAutoX(size_t count, bool broken) {
  return {1, static_cast<float>(std::max<size_t>(count, 1) + (broken ? 1 : 0)), 1};
}

AxisValues HistogramAutoX(size_t count, bool broken) {
  const float n = static_cast<float>(count);
  return broken ? AxisValues{1, n + 1, 1} : AxisValues{0, n, 1};
}

}  // namespace plx::charts
