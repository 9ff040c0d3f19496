#pragma once
// A stand-in for the system registry (this platform has none): the host and
// the tests put values in, the add-in reads them the way it would read the
// real one. Key and value names compare without letter case.
#include <map>
#include <optional>
#include <string>
#include <tuple>

namespace plx {

enum class Hive { ClassesRoot, CurrentUser, LocalMachine };

// Registry value types the add-in distinguishes.
constexpr unsigned long kRegSz = 1;
constexpr unsigned long kRegDword = 4;

struct RegistryValue {
  unsigned long type = kRegSz;
  std::wstring data;  // the string as stored, NULs included
};

class Registry {
 public:
  void Set(Hive hive, const std::wstring& subkey, const std::wstring& name, RegistryValue value);
  bool KeyExists(Hive hive, const std::wstring& subkey) const;
  std::optional<RegistryValue> Query(Hive hive, const std::wstring& subkey,
                                     const std::wstring& name) const;

 private:
  using Key = std::tuple<Hive, std::wstring, std::wstring>;
  std::map<Key, RegistryValue> values_;
};

// Whether the computer is connected to the Internet; set by the host.
class NetworkState {
 public:
  explicit NetworkState(bool connected = false) : connected_(connected) {}
  bool IsConnected() const { return connected_; }
  void SetConnected(bool connected) { connected_ = connected; }

 private:
  bool connected_;
};

}  // namespace plx
