#include "press.hpp"

#include <set>

#include "common/error.hpp"
#include "common/text.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/legacy_toolbars.hpp"
#include "platform/xml.hpp"

namespace plx::cli {
namespace {

// The identifiers of the ribbon's controls that run a command.
void CollectCommands(const XmlNode& node, std::set<std::wstring>& ids) {
  if (!node.Attribute(L"onAction").empty()) ids.insert(node.Attribute(L"id"));
  for (const XmlNode& child : node.Children()) CollectCommands(child, ids);
}

std::set<std::wstring> RibbonCommands(const std::wstring& ribbon) {
  std::set<std::wstring> ids;
  XmlDocument xml;
  if (xml.LoadXml(WideToUtf8(ribbon))) CollectCommands(xml.DocumentElement(), ids);
  return ids;
}

std::shared_ptr<docif::CommandBarControl> FindByKey(docif::CommandBarControls& controls, const std::wstring& key) {
  for (int i = 1; i <= controls.Count(); ++i) {
    auto c = controls.Item(i);
    if (auto children = c->Controls()) {
      if (auto found = FindByKey(*children, key)) return found;
    } else if (LCase(c->Parameter()) == LCase(key)) {
      return c;
    }
  }
  return nullptr;
}

void PressRibbon(Session& s, const std::wstring& id) {
  const std::wstring ribbon = s.Addin().IRibbonExtensibility_GetCustomUI(L"Microsoft.Word.Document");
  if (ribbon.empty()) Raise(err::kInvalidCall, L"插件没有提供功能区，无法按下“" + id + L"”。");
  if (!RibbonCommands(ribbon).contains(id)) {
    std::wstring hint;
    if (FindLegacyAction(id)) hint = L"“" + id + L"”是 11.0 宿主工具栏按钮的键，功能区宿主要用 rxBtn 开头的控件标识。";
    Raise(err::kInvalidCall, L"功能区上没有标识为“" + id + L"”的按钮。" + hint);
  }
  s.Addin().rxButtonClick({id, L""});
}

// Clicks the toolbar button with that key; a key of a bar not shown yet
// goes straight to the buttons' dispatch, as its button would.
void PressToolbar(Session& s, const std::wstring& id) {
  auto bars = s.Host().GetCommandBars();
  for (int i = 1; i <= bars->Count(); ++i)
    if (auto button = FindByKey(*bars->Item(i)->Controls(), id)) {
      static_cast<docif::model::ModelControl&>(*button).Click();
      return;
    }
  if (!FindLegacyAction(id)) {
    std::wstring hint;
    if (StartsWith(id, L"rxBtn")) hint = L"宿主版本 11.0 没有功能区，要用工具栏按钮的键（如“放大”“bingji”）。";
    Raise(err::kInvalidCall, L"工具栏上没有键为“" + id + L"”的按钮。" + hint);
  }
  docif::model::ModelControl loose(docif::ControlType::Button, nullptr);
  loose.SetParameter(id);
  bool cancel = false;
  ButtonEvent(s.Context()).Button_Click(loose, cancel);
}

}  // namespace

void Press(Session& session, const std::wstring& id) {
  if (Trim(id).empty()) Raise(err::kInvalidCall, L"press 后面要写命令的标识（如 rxBtnSET_bingji）。");
  if (session.Context().App->Version() == L"11.0") PressToolbar(session, id);
  else PressRibbon(session, id);
}

}  // namespace plx::cli
