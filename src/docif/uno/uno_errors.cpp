#include "docif/uno/uno_errors.hpp"

#include "common/error.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

void RaiseFromUno(const css::uno::Exception& e) {
  // LibreOffice appends where in its sources it failed (" at ./sw/...");
  // the user gets the message alone.
  std::wstring message = FromOUString(e.Message);
  if (const size_t at = message.find(L" at ./"); at != std::wstring::npos) message.resize(at);
  if (message.empty()) message = L"操作没有完成";
  Raise(err::kInvalidCall, L"LibreOffice 报告了错误：" + message + L"。");
}

}  // namespace plx::docif::lo
