#include "connect/connect.hpp"

#include <optional>

#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/ribbon_images.hpp"
#include "symbols/insert_symbol.hpp"
#include "config/daily_record.hpp"
#include "config/mod_database.hpp"
#include "addin/addin_context.hpp"
#include "connect/frm_browse.hpp"
#include "addin/services.hpp"
#include "connect/legacy_toolbars.hpp"
#include "connect/toolbars.hpp"
#include "platform/codepage.hpp"

namespace plx {

void Connect::AddinInstance_OnConnection(std::shared_ptr<docif::Application> application, int,
                                         void*, void*) {
  try {
    ctx_.App = std::move(application);
    ctx_.Config.emplace();
    ctx_.DefaultLineColor = 0;
    ctx_.MarkingFlag = false;
    std::wstring version = ctx_.App->Version();
    if (version == L"11.0") {
      RemoveAddinToolbars(ctx_);
      BuildMainToolbar(ctx_);
    } else {
      ribbonXml_ = LoadRibbonXml();
    }
    RunDailyStartup();
  } catch (const std::exception& e) {
    ShowErr(ctx_, e, L"Connect.AddinInstance_OnConnection-->line", __LINE__);
  }
}

void Connect::AddinInstance_OnDisconnection(int, void*) {
  try {
    if (ctx_.App) RemoveAddinToolbars(ctx_);
  } catch (...) {
  }
  ctx_.Config.reset();
}

void Connect::AddinInstance_OnStartupComplete(void*) {}

std::wstring Connect::IRibbonExtensibility_GetCustomUI(const std::wstring&) const {
  return ribbonXml_;
}

namespace {

// The label the ribbon definition gives a control: the caption the
// command's undo step is named by.
std::wstring RibbonLabel(const std::wstring& ribbonXml, const std::wstring& id) {
  const size_t at = ribbonXml.find(L"id=\"" + id + L"\"");
  if (at == std::wstring::npos) return {};
  const size_t tagEnd = ribbonXml.find(L'>', at);
  const size_t label = ribbonXml.find(L"label=\"", at);
  if (label == std::wstring::npos || label > tagEnd) return {};
  const size_t start = label + 7, end = ribbonXml.find(L'"', start);
  return end == std::wstring::npos ? std::wstring{} : ribbonXml.substr(start, end - start);
}

}  // namespace

void Connect::rxButtonClick(const IRibbonControl& control) {
  // Whatever the command changes is one step of the host's undo, named by its caption.
  std::optional<docif::UndoRecord> record;
  if (ctx_.App) {
    const std::wstring label = RibbonLabel(ribbonXml_, control.Id);
    record.emplace(*ctx_.App, label.empty() ? control.Id : label);
  }
  if (const Action* action = FindRibbonAction(control.Id); action && action->run) action->run(ctx_);
  std::vector<std::wstring> parts = Split(control.Id, L"_");
  if (parts.size() > 2 && parts[1] == L"ShuZiFuHao") {
    try {
      InsertNumberSymbol(ctx_, parts[2]);
    } catch (const std::exception&) {
      // A host error ends the symbol routine; nothing is reported.
    }
  }
}

std::optional<RibbonPicture> Connect::rxGetImage(const IRibbonControl& control) {
  std::wstring image = RibbonImageName(control.Id);
  if (image.empty()) return std::nullopt;
  std::wstring path = CollapseSeparators(AppFile(ctx_, L"img/" + image + L".bmp"));
  return RibbonPicture{path, ReadFileBytes(path)};
}

std::wstring Connect::LoadRibbonXml() {
  // The module folder itself, without GetAppPath's fallback.
  return ReadTextFile(JoinPath(ctx_.ModuleFolder(), L"config/wordui.txt"), "GB2312");
}

void Connect::RunDailyStartup() {
  daily_ = {};
  try {
    if (!IsNewDay(ctx_)) {
      daily_.outcome = DailyStep::Outcome::Skipped;
      return;
    }
    WriteDailyRecord(ctx_);
    daily_.outcome = DailyStep::Outcome::Ran;
    auto news = std::make_shared<frmBrowse>(ctx_);
    news->Show();
  } catch (...) {
    // The step never disturbs the user; leave nothing open behind it, and
    // keep what went wrong for the host to ask about.
    if (daily_.outcome != DailyStep::Outcome::Ran) {
      daily_.outcome = DailyStep::Outcome::Failed;
      try {
        throw;
      } catch (const std::exception& e) {
        daily_.failure = AsVbError(e).description();
      } catch (...) {
      }
    }
    if (ctx_.Rs.IsOpen()) ctx_.Rs.Close();
    if (ctx_.Conn.IsOpen()) ctx_.Conn.Close();
  }
}

}  // namespace plx
