#include "common/units.hpp"

#include <array>
#include <utility>

#include "common/vbnum.hpp"

namespace plx {

double FontSizeFromName(std::wstring_view name) {
  double number = Val(name);
  if (number != 0.0) return number;
  static constexpr std::array<std::pair<std::wstring_view, double>, 19> kSizes{{
      {L"大特号", 63}, {L"特号", 54}, {L"初号", 42}, {L"小初", 36}, {L"大一号", 31.5},
      {L"一号", 28}, {L"小一", 24}, {L"二号", 21}, {L"小二", 18}, {L"三号", 16},
      {L"小三", 15}, {L"四号", 14}, {L"小四", 12}, {L"五号", 10.5}, {L"小五", 9},
      {L"六号", 8}, {L"小六", 6.875}, {L"七号", 5.25}, {L"八号", 4.5},
  }};
  for (const auto& [n, points] : kSizes)
    if (n == name) return points;
  return 0.0;
}

}  // namespace plx
