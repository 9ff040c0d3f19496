#pragma once
// The formula settings of the "gsconfig" group, read once per command so the
// builders do not go back to the configuration for every case.
#include <string>

namespace plx {

class ConfigDictionary;

struct FormulaSettings {
  int iMathType = 0;            // 0 EQ field, 1 TeX, 2 the host's equation
  bool blPLZH = true;           // swap the two indices of PLA/PLP/PLC/PL
  bool blChangeKH = true;       // stretch brackets around tall content
  bool blSymbolReplace = true;  // apply txtSymbolReplace after building
  std::wstring txtSymbolReplace = L">=,≥|<=,≤|<>,≠|+-,±|-+,∓|wqd,∞";
  bool blZDMH = true;           // embellish the new formula
  bool blZDYGZ = true;          // apply the custom rules file to typed formulas
  bool blAutoNarrow = true;     // fold full-width characters to half width
  bool blNarrowExp = false;     // ...except txtNarrowExp
  std::wstring txtNarrowExp = L"。";
  bool blGsExp = false;         // protect the words of txtGsExp
  std::wstring txtGsExp = L"sin,cos,tan,cot,lg,ln,log,lim";
  bool blLXNumber = true;       // a run of digits is one fraction operand

  // The values of a loaded "gsconfig" group; keys it lacks keep their defaults.
  static FormulaSettings From(const ConfigDictionary& group);
  // Sets one key from its text (as stored in the configuration); error 5 with a
  // message for a key that is no formula setting, 13 for a value of the wrong kind.
  void Set(const std::wstring& key, const std::wstring& value);
};

}  // namespace plx
