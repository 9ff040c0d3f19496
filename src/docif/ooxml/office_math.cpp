#include "docif/office_math.hpp"

#include "docif/ooxml/eq_linear.hpp"
#include "docif/ooxml/omml.hpp"

namespace plx::docif {

std::string OfficeMathOfEquation(const std::wstring& linear, bool builtUp) {
  return ooxml::OMathXml(linear, builtUp, "");
}

std::optional<std::string> OfficeMathOfEqField(const std::wstring& code) {
  std::optional<std::wstring> linear = ooxml::EqLinearText(code);
  if (!linear) return std::nullopt;
  return ooxml::OMathXml(*linear, true, "");
}

}  // namespace plx::docif
