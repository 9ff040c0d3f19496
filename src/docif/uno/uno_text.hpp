#pragma once
// Text between the add-in (wide strings, one character per code point) and
// UNO (UTF-16 strings).
#include <string>

#include <rtl/ustrbuf.hxx>
#include <rtl/ustring.hxx>

namespace plx::docif::lo {

rtl::OUString ToOUString(std::wstring_view text);
std::wstring FromOUString(const rtl::OUString& text);

}  // namespace plx::docif::lo
