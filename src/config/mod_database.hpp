#pragma once
// Opening and closing the add-in's databases on the shared connection and
// recordset of the context. Each routine reports its own failure with the
// standard error box and ends.
#include <string>

namespace plx {

class AddinContext;

std::wstring JetConnectionString(const std::wstring& path);

// The configuration database, install folder + "config/config.mdb".
void OpenDatabase(AddinContext& ctx);
void CloseDatabase(AddinContext& ctx);
// The question bank, install folder + "TK_plendrix/TK_plendrix.mdb".
void OpenTKDatabase(AddinContext& ctx);
void CloseTKDatabase(AddinContext& ctx);
// A second connection with its own recordset, on any database file.
void OpenBackUpDatabase(AddinContext& ctx, const std::wstring& path);
void CloseBackUpDatabase(AddinContext& ctx);

}  // namespace plx
