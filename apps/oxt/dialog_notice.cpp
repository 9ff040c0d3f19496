#include "dialog_notice.hpp"

#include <algorithm>

#include "common/text.hpp"

namespace plx::oxt {

std::wstring DialogNotAvailable(const std::vector<std::wstring>& forms, const std::wstring& command) {
  const std::wstring which = (command.empty() ? L"" : L"“" + command + L"”的") + L"对话框（" + Join(forms, L"、") + L"）";
  return which + L"在 LibreOffice 中暂时还不能使用，以后的版本会提供。";
}

std::vector<std::wstring> CloseOpenedDialogs(AddinContext& ctx, const std::vector<std::shared_ptr<Form>>& before) {
  std::vector<std::shared_ptr<Form>> opened;
  for (const auto& f : ctx.OpenForms)
    if (std::find(before.begin(), before.end(), f) == before.end()) opened.push_back(f);
  std::vector<std::wstring> names;
  for (const auto& f : opened) {
    names.push_back(f->Name());
    try {
      f->Unload();
    } catch (...) {
      std::erase(ctx.OpenForms, f);  // closing failed half-way: it is off the list all the same
    }
  }
  return names;
}

}  // namespace plx::oxt
