#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

rtl::OUString ToOUString(std::wstring_view text) {
  rtl::OUStringBuffer out(static_cast<sal_Int32>(text.size()));
  for (wchar_t c : text) out.appendUtf32(static_cast<sal_uInt32>(c));
  return out.makeStringAndClear();
}

std::wstring FromOUString(const rtl::OUString& text) {
  std::wstring out;
  out.reserve(text.getLength());
  for (sal_Int32 i = 0; i < text.getLength();) out += static_cast<wchar_t>(text.iterateCodePoints(&i));
  return out;
}

}  // namespace plx::docif::lo
