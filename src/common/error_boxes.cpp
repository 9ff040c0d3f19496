#include "common/error_boxes.hpp"

#include "common/vbnum.hpp"

namespace plx {

ErrorBoxText ShortErrorBox(const VbError& e, const std::wstring& location, int line) {
  return {L"错误号:" + Str(e.number()), e.description() + L"\r\n" + location + Str(line)};
}

ErrorBoxText LongErrorBox(const VbError& e, const std::wstring& procedure,
                          const std::wstring& owner, int line, bool isForm) {
  std::wstring message = e.description() + L"\r\n" + L" in procedure " + procedure +
                         (isForm ? L" of Form " : L" of Module ") + owner + L" in line " +
                         DecimalText(line);
  return {L"Error: " + DecimalText(e.number()), message};
}

ErrorBoxText BracketErrorBox(const VbError& e, const std::wstring& procedure,
                             const std::wstring& module, int line) {
  return {L"", L"Error " + DecimalText(e.number()) + L" (" + e.description() +
                   L") in procedure " + procedure + L" of Module " + module + L" in line " +
                   DecimalText(line)};
}

}  // namespace plx
