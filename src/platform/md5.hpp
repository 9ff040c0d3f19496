#pragma once
#include <string>
#include <string_view>

namespace plx {

// Lower-case hexadecimal MD5 digest of the bytes.
std::wstring Md5Hex(std::string_view bytes);

}  // namespace plx
