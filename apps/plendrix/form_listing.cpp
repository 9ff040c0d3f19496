#include "form_listing.hpp"

#include "addin/dialog_geometry.hpp"
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

std::string BoxText(const LayoutBox& b) {
  return std::to_string(b.x) + "," + std::to_string(b.y) + "," + std::to_string(b.width) + "," +
         std::to_string(b.height);
}

// Where a control stands: its tab page and the frames around it, outermost first.
std::string Heading(const DialogGeometry& g, int page, int frame) {
  std::wstring where;
  for (int f = frame; f >= 0; f = g.frames[static_cast<size_t>(f)].parent)
    where = L" › 框“" + g.frames[static_cast<size_t>(f)].caption + L"”" + where;
  if (page >= 0) where = L" › 选项卡“" + g.pages[static_cast<size_t>(page)] + L"”" + where;
  return "# " + (where.empty() ? std::string("对话框") : WideToUtf8(where.substr(3))) + "\n";
}

}  // namespace

std::string FormControlListing(Form& form) {
  const DialogGeometry g = LayOut(form);
  std::string listing = "# 对话框“" + WideToUtf8(g.title) + "”\t" + std::to_string(g.width) + "×" +
                        std::to_string(g.height) + "（对话框单位）\n";
  int page = -1, frame = -1;
  for (const auto& placed : g.controls) {
    if (placed.page != page || placed.frame != frame) {
      page = placed.page;
      frame = placed.frame;
      listing += Heading(g, page, frame);
    }
    const Control& c = form.GetControl(placed.name);
    listing += WideToUtf8(c.name) + "\t" + KindName(c.kind) + "\t" + WideToUtf8(c.caption) + "\t" +
               WideToUtf8(form.ValueText(c.name)) + "\t" + BoxText(placed.box);
    if (!c.items.empty()) listing += "\t[" + WideToUtf8(Join(c.items, L"|")) + "]";
    listing += "\n";
  }
  for (const auto& area : g.areas)
    listing += "# 区域“" + WideToUtf8(area.name) + "”\t" + BoxText(area.box) + "\n";
  return listing;
}

}  // namespace plx::cli
