#include "config/mod_database.hpp"

#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx {
namespace {

void OpenShared(db::Connection& conn, const std::wstring& path) {
  if (conn.IsOpen()) conn.Close();
  conn.Open(JetConnectionString(path));
}

void CloseShared(db::Connection& conn, db::Recordset& rs) {
  if (rs.IsOpen()) rs.Close();
  if (conn.IsOpen()) conn.Close();
}

}  // namespace

std::wstring JetConnectionString(const std::wstring& path) {
  return std::wstring(L"Provider=Microsoft.Jet.OLEDB.4.0") + L";" + L"Data Source=" + path + L";" +
         L"Persist Security Info=False";
}

void OpenDatabase(AddinContext& ctx) {
  try {
    OpenShared(ctx.Conn, AppFile(ctx, L"config/config.mdb"));
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"modDatabase.OpenDatabase-->line", __LINE__);
  }
}

void CloseDatabase(AddinContext& ctx) {
  try {
    CloseShared(ctx.Conn, ctx.Rs);
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"CloseDatabase-->line", __LINE__);
  }
}

void OpenTKDatabase(AddinContext& ctx) {
  try {
    OpenShared(ctx.Conn, AppFile(ctx, L"TK_plendrix/TK_plendrix.mdb"));
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"modDatabase.OpenTKDatabase-->line", __LINE__);
  }
}

void CloseTKDatabase(AddinContext& ctx) {
  try {
    CloseShared(ctx.Conn, ctx.Rs);
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"modDatabase.CloseTKDatabase-->line", __LINE__);
  }
}

void OpenBackUpDatabase(AddinContext& ctx, const std::wstring& path) {
  try {
    OpenShared(ctx.BakConn, path);
  } catch (const std::exception& e) {
    // The backup routines share one location text in their error box.
    ShowErr(ctx, e, L"CloseBackUpDatabase-->line", __LINE__);
  }
}

void CloseBackUpDatabase(AddinContext& ctx) {
  try {
    CloseShared(ctx.BakConn, ctx.BakRs);
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"CloseBackUpDatabase-->line", __LINE__);
  }
}

}  // namespace plx
