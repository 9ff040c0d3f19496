#include "platform/shell.hpp"

#include <cstdlib>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx {

void SystemShell::Open(const std::wstring& address) {
  std::string a = WideToUtf8(address);
  for (char c : a)
    if (c == '\'' || c == '\n' || c == '\r') Raise(err::kInvalidCall, L"地址含有不允许的字符：" + address);
  if (std::system("command -v xdg-open > /dev/null 2>&1") == 0 && std::getenv("DISPLAY")) {
    if (std::system(("xdg-open '" + a + "' > /dev/null 2>&1 &").c_str()) != 0)
      Raise(err::kInvalidCall, L"无法打开地址：" + address);
    return;
  }
  std::fprintf(out_, "[打开网址] %s\n", a.c_str());
}

}  // namespace plx
