#include "common/error.hpp"

#include "common/text.hpp"

namespace plx {

VbError::VbError(int number, std::wstring description)
    : std::runtime_error(WideToUtf8(description)),
      number_(number),
      description_(std::move(description)) {}

std::wstring StandardDescription(int number) {
  switch (number) {
    case err::kInvalidCall: return L"无效的过程调用或参数";
    case err::kOverflow: return L"溢出";
    case err::kSubscript: return L"下标越界";
    case err::kDivisionByZero: return L"除数为零";
    case err::kTypeMismatch: return L"类型不匹配";
    case err::kFileNotFound: return L"文件未找到";
    case err::kObjectNotSet: return L"对象变量或 With 块变量未设置";
    case err::kObjectClosed: return L"对象关闭时，不允许操作。";
    default: return L"应用程序定义的错误或对象定义的错误";
  }
}

void Raise(int number) { throw VbError(number, StandardDescription(number)); }

void Raise(int number, std::wstring description) {
  throw VbError(number, std::move(description));
}

VbError AsVbError(const std::exception& e) {
  if (auto* vb = dynamic_cast<const VbError*>(&e)) return *vb;
  return VbError(err::kInvalidCall, Utf8ToWide(e.what()));
}

}  // namespace plx
