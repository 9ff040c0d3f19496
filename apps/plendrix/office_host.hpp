#pragma once
// --host libreoffice: a headless LibreOffice of plendrix's own, with a
// private profile per run (copied from one prepared profile, so a run does
// not pay for a first start), and the document host over it.
#include <functional>
#include <memory>
#include <string>

#include "docif/application.hpp"

namespace plx::cli {

class OfficeHost {
 public:
  virtual ~OfficeHost() = default;
  virtual std::shared_ptr<docif::Application> Application() = 0;
  // Answers the host macro `name` (Application::Run) with `handler`.
  virtual void SetMacro(const std::wstring& name, std::function<void()> handler) = 0;
};

// Starts the office; a FileError says why it cannot be (no SDK in this
// build, no office installed, it did not start).
// `version` is the host version the add-in is told (empty: the office's own).
std::unique_ptr<OfficeHost> StartOfficeHost(const std::wstring& version = L"");

}  // namespace plx::cli
