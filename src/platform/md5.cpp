#include "platform/md5.hpp"

#include <openssl/evp.h>

#include "common/error.hpp"

namespace plx {

std::wstring Md5Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1)
    Raise(err::kInvalidCall, L"MD5 计算失败");
  static const wchar_t* hex = L"0123456789abcdef";
  std::wstring out;
  for (unsigned int i = 0; i < length; ++i) {
    out += hex[digest[i] >> 4];
    out += hex[digest[i] & 0xF];
  }
  return out;
}

}  // namespace plx
