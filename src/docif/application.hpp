#pragma once
// The word processor's application object as the add-in sees it. Every
// feature reaches the host only through these interfaces; the in-memory
// model implements them, and an adapter over a real word processor's
// automation interface can implement them too.
#include <memory>
#include <string>

#include "docif/command_bars.hpp"

namespace plx::docif {

class COMAddIn {
 public:
  virtual ~COMAddIn() = default;
  virtual std::wstring ProgId() const = 0;
  virtual std::wstring Guid() const = 0;
  virtual std::wstring Description() const = 0;
};

class COMAddIns {
 public:
  virtual ~COMAddIns() = default;
  virtual int Count() const = 0;
  // 1-based; error 5 when out of range.
  virtual std::shared_ptr<COMAddIn> Item(int index) = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual std::wstring Version() const = 0;
  // The host's own program folder.
  virtual std::wstring Path() const = 0;
  virtual std::shared_ptr<CommandBars> GetCommandBars() = 0;
  virtual std::shared_ptr<COMAddIns> GetCOMAddIns() = 0;
};

}  // namespace plx::docif
