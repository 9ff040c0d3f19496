#pragma once
// The small services the whole add-in uses: the standard error box, the
// install folder and registry strings.
#include <exception>
#include <string>

#include "platform/registry.hpp"

namespace plx {

class AddinContext;

// Standard error box (short form) for the error a trap caught: the error's
// description, CR LF, the location ("module.procedure-->line") and the line
// number written with one leading blank; title "错误号:" and the number.
void ShowErr(AddinContext& ctx, const std::exception& error, const std::wstring& location, int line);
// The long form, " in procedure P of Module M in line L" (" of Form " for
// dialog procedures).
void ShowErrLong(AddinContext& ctx, const std::exception& error, const std::wstring& procedure,
                 const std::wstring& owner, int line, bool isForm = false);

// The install folder without a trailing separator: the add-in module's own
// folder, or through the host's add-in list and the registry, or empty.
std::wstring GetAppPath(AddinContext& ctx);
// GetAppPath() + separator + relative path.
std::wstring AppFile(AddinContext& ctx, const std::wstring& relative);

// A string value cut at its first NUL; empty when the key or value is
// missing or the value is not a string.
std::wstring ReadRegString(AddinContext& ctx, Hive hive, const std::wstring& subkey,
                           const std::wstring& valueName);

}  // namespace plx
