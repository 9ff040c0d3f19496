#include "toolbars.hpp"

#include <algorithm>
#include <stdexcept>

#include "common/text.hpp"

namespace plx::oxt {
namespace {

// The groups shown when Writer first starts with the extension: what a
// teacher reaches for on nearly every worksheet and paper (the example
// scripts press these most): shapes, formulas, graphs and plane figures,
// the paper layout and its one-key clean-ups; in ribbon order they fill
// three rows of a 1280-pixel window. The symbol groups, the small shape
// adjustments, rotation, flowcharts, the question bank, the tools (settings
// and sending to slides, a bar wider than the screen), the resources and
// the About box are switched on under 视图 ▸ 工具栏 when wanted; the
// "Plendrix" menu holds every command too.
constexpr const wchar_t* kShownGroups[] = {L"rxGrp_TuXing", L"rxGrp_GongShi", L"rxGrp_ZuoTu", L"rxGrp_PingMian",
                                           L"rxGrp_YiJian", L"rxGrp_ZhiJuan"};

constexpr int kFirstRow = 2;  // under Writer's standard and formatting bars

bool NameCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

ToolbarItem Item(const RibbonButton& b) { return {b.id, b.label, b.image}; }

// The bar itself when it fits kRowWidth; otherwise bars that each fit,
// filled in order, a separator at a break left out. The first keeps the
// bar's node and name; the others add " 2", " 3" … to the name and "_2",
// "_3" … to the node, so 视图 ▸ 工具栏 lists them together. A button wider
// than a row on its own gets a bar of its own.
std::vector<Toolbar> SplitToFit(const Toolbar& whole) {
  if (ToolbarWidth(whole) <= kRowWidth) return {whole};
  std::vector<Toolbar> parts;
  auto next = [&] {
    const std::string number = std::to_string(parts.size() + 1);
    Toolbar part{parts.empty() ? whole.node : whole.node + "_" + number,
                 parts.empty() ? whole.name : whole.name + L" " + Utf8ToWide(number), {}};
    part.shown = whole.shown;
    parts.push_back(std::move(part));
  };
  next();
  for (const ToolbarItem& item : whole.items) {
    Toolbar& part = parts.back();
    if (item.command.empty() && part.items.empty()) continue;  // a separator would start the bar
    part.items.push_back(item);
    if (part.items.size() == 1 || ToolbarWidth(part) <= kRowWidth) continue;
    part.items.pop_back();
    part.Finish();
    next();
    if (!item.command.empty()) parts.back().items.push_back(item);
  }
  parts.back().Finish();
  return parts;
}

}  // namespace

void Toolbar::Separate() {
  if (!items.empty() && !items.back().command.empty()) items.push_back({});
}

void Toolbar::Finish() {
  if (!items.empty() && items.back().command.empty()) items.pop_back();
}

std::string ToolbarNode(const std::wstring& name) {
  if (name.empty() || !std::all_of(name.begin(), name.end(), NameCharacter))
    throw std::runtime_error("\"" + WideToUtf8(name) + "\" cannot name a toolbar: only ASCII letters, digits and _");
  return kNodePrefix + WideToUtf8(name);
}

std::string ToolbarResource(const std::string& node) { return "private:resource/toolbar/addon_" + node; }

std::vector<Toolbar> GroupToolbars(const std::vector<RibbonGroup>& groups) {
  std::vector<Toolbar> bars;
  for (const RibbonGroup& g : groups) {
    Toolbar bar{ToolbarNode(g.id), L"Plendrix " + g.label, {}};
    for (const auto& entry : g.entries) {
      if (const auto* b = std::get_if<RibbonButton>(&entry)) {
        bar.items.push_back(Item(*b));
        continue;
      }
      // A drop-down menu's buttons stand apart from the group's own.
      bar.Separate();
      for (const RibbonButton& b : std::get<RibbonMenu>(entry).buttons) bar.items.push_back(Item(b));
      bar.Separate();
    }
    bar.Finish();
    bar.shown = std::find(std::begin(kShownGroups), std::end(kShownGroups), g.id) != std::end(kShownGroups);
    for (Toolbar& part : SplitToFit(bar)) bars.push_back(std::move(part));
  }
  for (const wchar_t* shown : kShownGroups)
    if (std::none_of(bars.begin(), bars.end(), [&](const Toolbar& b) { return b.node == ToolbarNode(shown); }))
      throw std::runtime_error("the ribbon has no group \"" + WideToUtf8(shown) + "\" to show at first start");
  return bars;
}

Toolbar WideToolbar(const std::vector<RibbonGroup>& groups) {
  Toolbar bar{ToolbarNode(L"all"), L"Plendrix 全部按钮", {}};
  for (const RibbonGroup& g : groups) {
    bar.Separate();
    for (const RibbonButton& b : AllButtons({g})) bar.items.push_back(Item(b));
  }
  return bar;
}

int ToolbarWidth(const Toolbar& bar) {
  // Tenths of a pixel, as measured on Writer 7.4's toolbars at 96 dpi.
  int tenths = 60;  // the handle
  for (const ToolbarItem& item : bar.items) {
    if (item.command.empty()) {
      tenths += 67;
    } else if (!item.image.empty()) {
      tenths += 230;
    } else {
      tenths += 104;
      for (wchar_t c : item.label) tenths += c < 0x2E80 ? 73 : 107;  // Latin letters and digits; CJK and full-width
    }
  }
  return (tenths + 9) / 10;
}

void PlaceInRows(std::vector<Toolbar>& bars) {
  int row = kFirstRow - 1;
  int x = kRowWidth;
  for (bool shown : {true, false})
    for (Toolbar& bar : bars) {
      if (bar.shown != shown) continue;
      const int width = ToolbarWidth(bar);
      if (x > 0 && x + width > kRowWidth) {
        ++row;
        x = 0;
      }
      bar.row = row;
      bar.x = x;
      x += width;
    }
}

}  // namespace plx::oxt
