#pragma once
// Loading configuration groups into the context's dictionary, saving every
// key back, and importing an older installation's settings.
#include <string>
#include <utility>
#include <vector>

#include "addin/config_dictionary.hpp"

namespace plx {

class AddinContext;

// Loads one group (or every row, for a name that is no group) into the
// dictionary with "DictType" = the name exactly as passed. A group with no
// rows leaves the dictionary as it was. Reports its own failures.
void GetConfigInfo(AddinContext& ctx, const std::wstring& group);

// The dictionary holding `group`, loaded when the dictionary is missing or
// holds another group (exact comparison of "DictType").
ConfigDictionary& ConfigGroup(AddinContext& ctx, const std::wstring& group);

// Sets the given keys and writes every row of the table back with the
// dictionary's value, in one transaction: a failure leaves the stored
// settings as they were and raises the error for the caller to report.
void SaveConfigInfo(AddinContext& ctx, const std::vector<std::pair<std::wstring, std::wstring>>& values);

// Asks for the old installation's folder and copies the value, group and
// remark of every key it knows into the current database.
void ImportConfigInfo(AddinContext& ctx);

// A text value quoted for a statement: single quotes doubled.
std::wstring SqlText(const std::wstring& value);

}  // namespace plx
