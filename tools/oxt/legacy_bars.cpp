#include "legacy_bars.hpp"

#include <cwchar>
#include <map>

#include "addin/addin_context.hpp"
#include "addin/product_info.hpp"
#include "common/text.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/legacy_toolbars.hpp"
#include "docif/model/model_application.hpp"
#include "platform/scripted_ui.hpp"
#include "platform/shell.hpp"

namespace plx::oxt {
namespace {

using RibbonButtons = std::map<std::wstring, RibbonButton>;

// The ribbon button that runs what the toolbar key runs: the command
// table's entry for the key, where the toolbars' dispatch looks first, or
// for a number-symbol key the ribbon's number-symbol button, which calls
// the same routine with the same key. Null when the ribbon has none, or
// when the key's command does nothing.
const RibbonButton* SameCommand(const std::wstring& key, const RibbonButtons& ribbon) {
  const std::wstring lower = LCase(key);
  for (const CommandEntry& e : CommandTable()) {
    if (e.legacy.empty() || LCase(e.legacy) != lower) continue;
    const auto b = ribbon.find(e.id);
    return e.action.run && b != ribbon.end() ? &b->second : nullptr;
  }
  const auto b = ribbon.find(L"rxBtn_ShuZiFuHao_" + key);
  return b != ribbon.end() && FindLegacyAction(key) ? &b->second : nullptr;
}

// Whether the key runs a command (one no ribbon button runs, when the
// ribbon's was not found first).
bool Runs(const std::wstring& key) {
  const Action* action = FindLegacyAction(key);
  return action && action->run;
}

void AddControls(docif::CommandBarControls& controls, const RibbonButtons& ribbon, Toolbar& bar) {
  for (int i = 1; i <= controls.Count(); ++i) {
    const auto control = controls.Item(i);
    if (const auto menu = control->Controls()) {
      bar.Separate();
      AddControls(*menu, ribbon, bar);
      bar.Separate();
    } else if (ToolbarName(control->Caption()).empty()) {
      const std::wstring key = control->Parameter();
      if (const RibbonButton* b = SameCommand(key, ribbon)) bar.items.push_back({b->id, control->Caption(), b->image});
      // A command only this host's bars have goes by its key.
      else if (Runs(key)) bar.items.push_back({kKeyCommand + key, control->Caption(), L""});
    }
  }
}

// The captions of the main bar's entries that switch a secondary bar.
void CollectToggles(docif::CommandBarControls& controls, std::vector<std::wstring>& captions) {
  for (int i = 1; i <= controls.Count(); ++i) {
    const auto control = controls.Item(i);
    if (const auto menu = control->Controls()) CollectToggles(*menu, captions);
    else if (!ToolbarName(control->Caption()).empty()) captions.push_back(control->Caption());
  }
}

}  // namespace

std::vector<Toolbar> LegacyToolbars(const std::vector<RibbonGroup>& groups) {
  RibbonButtons ribbon;
  for (const RibbonButton& b : AllButtons(groups)) ribbon.emplace(b.id, b);

  // The add-in on a 2003 host of the model word processor, with nothing
  // but its toolbars: it builds them without reading any file.
  ScriptedUi ui;
  FixedClock clock{DateTime{}};
  ScriptedRandom random{{0.5}};
  Registry registry;
  NetworkState network;
  RecordingShell shell;
  AddinContext ctx(Services{ui, clock, random, registry, network, shell});
  ctx.ModuleFolder = [] { return std::wstring(L"."); };
  const auto host = std::make_shared<docif::model::ModelApplication>(L"11.0");
  ctx.App = host;
  BuildMainToolbar(ctx);
  std::vector<std::wstring> toggles;
  CollectToggles(*ctx.MainBar->Controls(), toggles);
  for (const std::wstring& caption : toggles) ToggleToolbar(ctx, caption);

  std::vector<Toolbar> bars;
  const auto all = host->GetCommandBars();
  for (int i = 1; i <= all->Count(); ++i) {
    const auto commandBar = all->Item(i);
    std::wstring name = commandBar->Name();
    std::wstring caption = L"主工具栏";
    for (const std::wstring& t : toggles)
      if (ToolbarName(t) == name) caption = t;
    if (EndsWithText(name, product::kSiteLabel)) name.resize(name.size() - std::wcslen(product::kSiteLabel));
    Toolbar bar{ToolbarNode(name), L"Plendrix 2003 " + caption, {}};
    AddControls(*commandBar->Controls(), ribbon, bar);
    bar.Finish();
    if (!bar.items.empty()) bars.push_back(std::move(bar));
  }
  return bars;
}

}  // namespace plx::oxt
