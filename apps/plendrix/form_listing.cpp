#include "form_listing.hpp"

#include "common/text.hpp"

namespace plx::cli {
namespace {

const char* KindName(ControlKind k) {
  switch (k) {
    case ControlKind::Label: return "标签";
    case ControlKind::TextBox: return "文本框";
    case ControlKind::CheckBox: return "复选框";
    case ControlKind::OptionGroup: return "单选按钮组";
    case ControlKind::ComboBox: return "组合框";
    case ControlKind::ListBox: return "列表框";
    case ControlKind::Button: return "按钮";
  }
  return "";
}

}  // namespace

std::string FormControlListing(Form& form) {
  std::string listing;
  for (const auto& c : form.Controls()) {
    listing += WideToUtf8(c.name) + "\t" + KindName(c.kind) + "\t" + WideToUtf8(c.caption) + "\t" +
               WideToUtf8(form.ValueText(c.name));
    if (!c.items.empty()) listing += "\t[" + WideToUtf8(Join(c.items, L"|")) + "]";
    listing += "\n";
  }
  return listing;
}

}  // namespace plx::cli
