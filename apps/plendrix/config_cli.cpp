#include "config_cli.hpp"

#include <cstdio>

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "config/config_bindings.hpp"
#include "config/mod_config.hpp"

namespace plx::cli {
namespace {

constexpr int kBadRequest = 2;
constexpr int kNotSaved = 1;

void Print(const std::wstring& line) { std::printf("%s\n", WideToUtf8(line).c_str()); }
void Complain(const std::wstring& line) { std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(line).c_str()); }

// The group of a stored key, by the settings dialog's tabs; empty for none.
std::wstring GroupOf(const std::wstring& key) {
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings)
      if (s.key == key) return tab.group;
  return {};
}

}  // namespace

int RunConfigCommand(Session& session, const std::vector<std::wstring>& args) {
  AddinContext& ctx = session.Context();
  if (args.empty()) {
    GetConfigInfo(ctx, L"all");
    if (!ctx.Config) return kNotSaved;
    for (const auto& tab : SettingsTabs())
      for (const auto& s : tab.settings) Print(tab.group + L"." + s.key + L"\t" + ctx.Config->Text(s.key));
    return 0;
  }
  if (args[0] != L"set" || args.size() != 3) {
    Complain(L"config 的用法：plendrix config（列出全部设置），或 plendrix config set 配置组.设置项 值。");
    return kBadRequest;
  }
  const std::wstring& target = args[1];
  const size_t dot = target.find(L'.');
  const std::wstring group = dot == std::wstring::npos ? L"" : target.substr(0, dot);
  const std::wstring key = dot == std::wstring::npos ? target : target.substr(dot + 1);
  if (group.empty() || GroupOf(key) != group) {
    Complain(L"没有设置项“" + target + L"”。用 plendrix config 列出全部设置项。");
    return kBadRequest;
  }
  if (std::wstring problem = SettingValueProblem(*FindSetting(key), args[2]); !problem.empty()) {
    Complain(problem + L"设置没有保存。");
    return kBadRequest;
  }
  try {
    SaveConfigInfo(ctx, {{key, args[2]}});
  } catch (const std::exception& e) {
    Complain(L"设置没有保存：" + AsVbError(e).description());
    return kNotSaved;
  }
  Print(L"已保存：" + target + L"=" + args[2]);
  return 0;
}

}  // namespace plx::cli
