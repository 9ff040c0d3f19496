#include "addin/config_dictionary.hpp"

#include "common/error.hpp"
#include "common/vbnum.hpp"

namespace plx {

void ConfigDictionary::Add(const std::wstring& key, const std::wstring& value) {
  if (Exists(key)) Raise(457, L"该关键字已经与该集合的一个元素相关联");
  auto run = runValues_.find(key);
  values_[key] = run == runValues_.end() ? value : run->second;
  order_.push_back(key);
}

void ConfigDictionary::Set(const std::wstring& key, const std::wstring& value) {
  if (!Exists(key)) order_.push_back(key);
  values_[key] = value;
  // "DictType" names the loaded group; it is never a setting of the run.
  if (key != L"DictType") runValues_[key] = value;
}

std::wstring ConfigDictionary::Text(const std::wstring& key) const {
  auto it = values_.find(key);
  return it == values_.end() ? std::wstring() : it->second;
}

double ConfigDictionary::Number(const std::wstring& key) const { return Val(Text(key)); }

bool ConfigDictionary::Flag(const std::wstring& key) const { return CBool(Text(key)); }

}  // namespace plx
