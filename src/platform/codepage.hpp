#pragma once
// Text in a named code page, decoded and encoded through iconv. "GB2312"
// and code page 936 both mean the Windows Chinese code page (GBK), which
// is what a file written as GB2312 on the platform the add-in came from
// actually holds.
#include <string>
#include <string_view>

namespace plx {

std::wstring DecodeCodePage(std::string_view bytes, const std::string& codePage);
std::string EncodeCodePage(std::wstring_view text, const std::string& codePage);

// Whole file as bytes; error 53 when it cannot be read.
std::string ReadFileBytes(const std::wstring& path);
// Whole file decoded from the code page.
std::wstring ReadTextFile(const std::wstring& path, const std::string& codePage);

}  // namespace plx
