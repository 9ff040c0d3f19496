#pragma once
// A fresh add-in for each test: its own copy of the install folder, a
// scripted user interface that fails the test on a box nobody expected, a
// fixed clock and scripted random numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/clock.hpp"
#include "common/random.hpp"
#include "docif/model/model_application.hpp"
#include "addin/addin_context.hpp"
#include "platform/registry.hpp"
#include "platform/scripted_ui.hpp"

namespace plx::test {

// A temporary folder removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }
  std::wstring WPath() const;

 private:
  std::filesystem::path path_;
};

// A copy of the built install folder's data (config/ and the empty
// folders) in a temporary folder.
class TestInstall {
 public:
  TestInstall();
  const std::filesystem::path& Path() const { return dir_.Path(); }
  std::wstring WPath() const { return dir_.WPath(); }
  std::wstring File(const std::string& relative) const;

 private:
  TempDir dir_;
};

class AddinTest : public ::testing::Test {
 protected:
  AddinTest();
  ~AddinTest() override;

  std::shared_ptr<docif::model::ModelApplication> MakeHost(const std::wstring& version = L"16.0");

  TestInstall install;
  ScriptedUi ui;
  FixedClock clock{DateTime{2026, 12, 6, 9, 30, 15}};
  ScriptedRandom random{{0.5}};
  Registry registry;
  NetworkState network{false};
  RecordingShell shell;
  std::unique_ptr<AddinContext> ctx;
};

}  // namespace plx::test
