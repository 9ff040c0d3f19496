#include "formula/formula_settings.hpp"

#include "common/error.hpp"
#include "common/vbnum.hpp"
#include "addin/config_dictionary.hpp"

namespace plx {
namespace {

struct Key {
  const wchar_t* name;
  bool FormulaSettings::*flag;
  std::wstring FormulaSettings::*text;
};

constexpr Key kKeys[] = {
    {L"blPLZH", &FormulaSettings::blPLZH, nullptr},
    {L"blChangeKH", &FormulaSettings::blChangeKH, nullptr},
    {L"blSymbolReplace", &FormulaSettings::blSymbolReplace, nullptr},
    {L"txtSymbolReplace", nullptr, &FormulaSettings::txtSymbolReplace},
    {L"blZDMH", &FormulaSettings::blZDMH, nullptr},
    {L"blZDYGZ", &FormulaSettings::blZDYGZ, nullptr},
    {L"blAutoNarrow", &FormulaSettings::blAutoNarrow, nullptr},
    {L"blNarrowExp", &FormulaSettings::blNarrowExp, nullptr},
    {L"txtNarrowExp", nullptr, &FormulaSettings::txtNarrowExp},
    {L"blGsExp", &FormulaSettings::blGsExp, nullptr},
    {L"txtGsExp", nullptr, &FormulaSettings::txtGsExp},
    {L"blLXNumber", &FormulaSettings::blLXNumber, nullptr},
};

}  // namespace

FormulaSettings FormulaSettings::From(const ConfigDictionary& group) {
  FormulaSettings s;
  if (group.Exists(L"iMathType")) s.Set(L"iMathType", group.Text(L"iMathType"));
  for (const Key& k : kKeys)
    if (group.Exists(k.name)) s.Set(k.name, group.Text(k.name));
  return s;
}

void FormulaSettings::Set(const std::wstring& key, const std::wstring& value) {
  if (key == L"iMathType") {
    iMathType = static_cast<int>(Val(value));
    return;
  }
  for (const Key& k : kKeys) {
    if (key != k.name) continue;
    if (k.flag) this->*k.flag = CBool(value);
    else this->*k.text = value;
    return;
  }
  Raise(err::kInvalidCall, L"“" + key + L"”不是公式设置项");
}

}  // namespace plx
