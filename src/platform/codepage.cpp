#include "platform/codepage.hpp"

#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx {
namespace {

std::string IconvName(const std::string& codePage) {
  std::wstring lower = LCase(Utf8ToWide(codePage));
  if (lower == L"gb2312" || lower == L"936" || lower == L"cp936" || lower == L"gbk") return "CP936";
  if (lower == L"utf-8" || lower == L"65001") return "UTF-8";
  return codePage;
}

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      Raise(err::kInvalidCall, L"不支持的字符集：" + Utf8ToWide(from == "UTF-32LE" ? to : from));
  }
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }

  // Converts all of `in`; a byte sequence the code page cannot hold becomes
  // `replacement` (already in the target encoding) and conversion goes on.
  std::string Run(std::string_view in, std::string_view replacement, size_t unit) {
    std::string out;
    std::vector<char> buffer(4096);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
      char* dst = buffer.data();
      size_t room = buffer.size();
      size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer.data(), dst - buffer.data());
      if (rc == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: skip one input unit and write the replacement.
        out.append(replacement);
        size_t skip = std::min(unit, left);
        src += skip;
        left -= skip;
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::wstring DecodeCodePage(std::string_view bytes, const std::string& codePage) {
  Converter c("UTF-32LE", IconvName(codePage));
  const char32_t replacement = U'\uFFFD';
  std::string utf32 = c.Run(bytes, std::string_view(reinterpret_cast<const char*>(&replacement), 4), 1);
  std::wstring out(utf32.size() / 4, L'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    uint32_t v = static_cast<unsigned char>(utf32[4 * i]) |
                 static_cast<unsigned char>(utf32[4 * i + 1]) << 8 |
                 static_cast<unsigned char>(utf32[4 * i + 2]) << 16 |
                 static_cast<uint32_t>(static_cast<unsigned char>(utf32[4 * i + 3])) << 24;
    out[i] = static_cast<wchar_t>(v);
  }
  return out;
}

std::string EncodeCodePage(std::wstring_view text, const std::string& codePage) {
  Converter c(IconvName(codePage), "UTF-32LE");
  std::string utf32;
  utf32.reserve(text.size() * 4);
  for (wchar_t ch : text) {
    auto v = static_cast<uint32_t>(ch);
    for (int k = 0; k < 4; ++k) utf32 += static_cast<char>((v >> (8 * k)) & 0xFF);
  }
  return c.Run(utf32, "?", 4);
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(WideToUtf8(path), std::ios::binary);
  if (!in) Raise(err::kFileNotFound, StandardDescription(err::kFileNotFound) + L"：" + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::wstring ReadTextFile(const std::wstring& path, const std::string& codePage) {
  return DecodeCodePage(ReadFileBytes(path), codePage);
}

}  // namespace plx
