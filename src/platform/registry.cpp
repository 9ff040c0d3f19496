#include "platform/registry.hpp"

#include "common/text.hpp"

namespace plx {

void Registry::Set(Hive hive, const std::wstring& subkey, const std::wstring& name,
                   RegistryValue value) {
  values_[{hive, LCase(subkey), LCase(name)}] = std::move(value);
}

bool Registry::KeyExists(Hive hive, const std::wstring& subkey) const {
  std::wstring key = LCase(subkey);
  for (const auto& [k, v] : values_)
    if (std::get<0>(k) == hive && std::get<1>(k) == key) return true;
  return false;
}

std::optional<RegistryValue> Registry::Query(Hive hive, const std::wstring& subkey,
                                             const std::wstring& name) const {
  auto it = values_.find({hive, LCase(subkey), LCase(name)});
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

}  // namespace plx
