#pragma once
// The configuration dictionary: one loaded group of settings plus the
// reserved key "DictType" naming the group as it was requested. Keys
// compare exactly; a missing key reads as empty text.
//
// A value given with Set is the setting for the rest of the run: loading a
// group again (Clear, then Add from the stored rows) keeps it, so a command
// that reloads its group does not undo what the user chose.
#include <map>
#include <string>
#include <vector>

namespace plx {

class ConfigDictionary {
 public:
  // Empties the loaded group; values given with Set are kept for the next load.
  void Clear() { values_.clear(); order_.clear(); }
  // Adds a new key (with the run's value when one was set); error 457 when
  // it is already there.
  void Add(const std::wstring& key, const std::wstring& value);
  // Sets a key's value for the rest of the run.
  void Set(const std::wstring& key, const std::wstring& value);
  bool Exists(const std::wstring& key) const { return values_.count(key) != 0; }
  size_t Count() const { return values_.size(); }
  const std::vector<std::wstring>& Keys() const { return order_; }

  std::wstring Text(const std::wstring& key) const;
  // Leading-number parse of the value.
  double Number(const std::wstring& key) const;
  // Text-to-boolean conversion of the value; error 13 for other text.
  bool Flag(const std::wstring& key) const;

 private:
  std::map<std::wstring, std::wstring> values_;
  std::vector<std::wstring> order_;
  std::map<std::wstring, std::wstring> runValues_;  // given with Set
};

}  // namespace plx
