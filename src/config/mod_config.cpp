#include "config/mod_config.hpp"

#include <array>

#include "common/paths.hpp"
#include "common/text.hpp"
#include "config/config_bindings.hpp"
#include "config/mod_database.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kWatermarkKey = L"txtShuiYin";

std::wstring GroupFilter(const std::wstring& group) {
  static constexpr std::array<const wchar_t*, 7> kPlainGroups = {
      L"wordconfig", L"zbxconfig", L"gsconfig", L"word2pptconfig",
      L"mhgsconfig", L"shuiyinconfig", L"wzconfig"};
  std::wstring lower = LCase(group);
  for (const wchar_t* g : kPlainGroups)
    if (lower == g) return L" where configtype='" + lower + L"'";
  if (lower == L"shpconfig") return L" where configtype='ShpConfig'";
  return L"";
}

// Writes each row's dictionary value back; called inside a transaction.
void WriteAllRows(AddinContext& ctx) {
  ctx.Rs.Open(L"select * from  config  order by id asc", ctx.Conn, db::CursorType::Keyset,
              db::LockType::Pessimistic);
  const ConfigDictionary& dict = *ctx.Config;
  while (!ctx.Rs.EOF_()) {
    std::wstring key = ctx.Rs.Field(L"configname").Text();
    std::wstring value = dict.Text(key);
    // The watermark text loads a stored Null as "Null"; store it back as Null.
    if (key == kWatermarkKey && value == L"Null" && ctx.Rs.Field(L"configvalue").IsNull())
      ctx.Rs.SetField(L"configvalue", db::Value());
    else
      ctx.Rs.SetField(L"configvalue", value);
    ctx.Rs.Update();
    ctx.Rs.MoveNext();
  }
  ctx.Rs.Close();
}

// Runs `work` inside one transaction on the open shared connection.
template <class Work>
void InTransaction(AddinContext& ctx, Work work) {
  ctx.Conn.BeginTrans();
  try {
    work();
    ctx.Conn.CommitTrans();
  } catch (...) {
    if (ctx.Conn.IsOpen() && ctx.Conn.InTransaction()) ctx.Conn.RollbackTrans();
    throw;
  }
}

}  // namespace

std::wstring SqlText(const std::wstring& value) { return Replace(value, L"'", L"''"); }

void GetConfigInfo(AddinContext& ctx, const std::wstring& group) {
  try {
    std::wstring filter = GroupFilter(group);
    OpenDatabase(ctx);
    if (ctx.Rs.IsOpen()) ctx.Rs.Close();
    ctx.Rs.Open(L"select * from  config " + filter + L"  order by id asc", ctx.Conn,
                db::CursorType::Keyset, db::LockType::Pessimistic);
    if (ctx.Rs.EOF_()) {
      CloseDatabase(ctx);
      return;
    }
    if (!ctx.Config) ctx.Config.emplace();
    ConfigDictionary& dict = *ctx.Config;
    dict.Clear();
    dict.Add(L"DictType", group);
    for (; !ctx.Rs.EOF_(); ctx.Rs.MoveNext()) {
      std::wstring key = ctx.Rs.Field(L"configname").Text();
      db::Value value = ctx.Rs.Field(L"configvalue");
      dict.Add(key, key == kWatermarkKey && value.IsNull() ? L"Null" : value.Text());
    }
    CloseDatabase(ctx);
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"modConfig.GetConfigInfo-->line", __LINE__);
  }
}

ConfigDictionary& ConfigGroup(AddinContext& ctx, const std::wstring& group) {
  if (!ctx.Config || ctx.Config->Text(L"DictType") != group) GetConfigInfo(ctx, group);
  if (!ctx.Config) ctx.Config.emplace();
  return *ctx.Config;
}

void SaveConfigInfo(AddinContext& ctx,
                    const std::vector<std::pair<std::wstring, std::wstring>>& values) {
  GetConfigInfo(ctx, L"all");
  if (!ctx.Config) ctx.Config.emplace();
  for (const auto& [key, value] : values) ctx.Config->Set(key, value);
  OpenDatabase(ctx);
  try {
    std::vector<std::wstring> refused;  // old values a setting cannot hold
    InTransaction(ctx, [&] { WriteAllRows(ctx); });
  } catch (...) {
    CloseDatabase(ctx);
    throw;
  }
  CloseDatabase(ctx);
}

void ImportConfigInfo(AddinContext& ctx) {
  try {
    std::wstring folder = ctx.Ui().ChooseFolder(L"请选择旧版Plendrix所在文件夹");
    if (folder.size() < 2) return;
    OpenDatabase(ctx);
    std::wstring oldDatabase = CollapseSeparators(JoinPath(folder, L"config/config.mdb"));
    OpenBackUpDatabase(ctx, oldDatabase);
    if (!ctx.BakConn.IsOpen()) {  // already reported by the open routine
      CloseDatabase(ctx);
      return;
    }
    std::vector<std::wstring> refused;  // old values a setting cannot hold
    InTransaction(ctx, [&] {
      ctx.Rs.Open(L"select * from  config  order by id", ctx.Conn, db::CursorType::Keyset,
                  db::LockType::Pessimistic);
      for (; !ctx.Rs.EOF_(); ctx.Rs.MoveNext()) {
        std::wstring key = ctx.Rs.Field(L"configname").Text();
        ctx.BakRs.Open(L"select * from  config  where ConfigName='" + SqlText(key) + L"'",
                       ctx.BakConn, db::CursorType::Keyset, db::LockType::Pessimistic);
        const SettingBinding* setting = FindSetting(key);
        std::wstring problem = ctx.BakRs.EOF_() || !setting
                                   ? L""
                                   : SettingValueProblem(*setting, ctx.BakRs.Field(L"configvalue").Text());
        if (!problem.empty()) {
          refused.push_back(problem);
        } else if (!ctx.BakRs.EOF_()) {
          for (const wchar_t* field : {L"configvalue", L"configtype", L"remtxt"})
            ctx.Rs.SetField(field, ctx.BakRs.Field(field));
          ctx.Rs.Update();
        }
        ctx.BakRs.Close();
      }
      ctx.Rs.Close();
    });
    CloseBackUpDatabase(ctx);
    CloseDatabase(ctx);
    std::wstring done = L"配置数据导入完成！";
    if (!refused.empty())
      done += L"\r\n以下设置的旧值不能使用，保留了现在的值：\r\n" + Join(refused, L"\r\n");
    ctx.Ui().MsgBox(done, Buttons::OK, L"");
  } catch (const std::exception& e) {
    CloseBackUpDatabase(ctx);
    CloseDatabase(ctx);
    ShowErr(ctx, e, L"modConfig.ImportConfigInfo-->line", __LINE__);
  }
}

}  // namespace plx
