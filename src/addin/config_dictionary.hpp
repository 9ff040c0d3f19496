#pragma once
// The configuration dictionary: one loaded group of settings plus the
// reserved key "DictType" naming the group as it was requested. Keys
// compare exactly; a missing key reads as empty text.
#include <map>
#include <string>
#include <vector>

namespace plx {

class ConfigDictionary {
 public:
  void Clear() { values_.clear(); order_.clear(); }
  // Adds a new key; error 457 when it is already there.
  void Add(const std::wstring& key, const std::wstring& value);
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
};

}  // namespace plx
