#pragma once
// A loaded add-in for benchmarks: a private copy of the install folder's
// data, console-free services and a context pointing at that folder; and
// the same with a model word processor holding one new document.
#include <filesystem>
#include <memory>

#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "docif/model/model_application.hpp"
#include "platform/scripted_ui.hpp"
#include "support/build_paths.hpp"

namespace plx::bench {

class BenchAddin {
 public:
  explicit BenchAddin(const char* name)
      : dir_(std::filesystem::temp_directory_path() / name),
        ctx_({ui_, clock_, random_, registry_, network_, shell_}) {
    namespace fs = std::filesystem;
    fs::create_directories(dir_);
    fs::copy(fs::path(build_paths::PristineDir()) / "config", dir_ / "config",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy(fs::path(build_paths::PristineDir()) / "TK_plendrix", dir_ / "TK_plendrix",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ui_.OnUnexpected([](const ShownBox&) {});
    std::wstring folder = Utf8ToWide(dir_.string());
    ctx_.ModuleFolder = [folder] { return folder; };
  }
  ~BenchAddin() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  AddinContext& Context() { return ctx_; }
  ScriptedUi& Ui() { return ui_; }

 private:
  std::filesystem::path dir_;
  ScriptedUi ui_;
  SystemClock clock_;
  ClockSeededRandom random_;
  Registry registry_;
  NetworkState network_;
  RecordingShell shell_;
  AddinContext ctx_;
};

// A loaded add-in with a model word processor holding one new document.
struct BenchDocument {
  explicit BenchDocument(const char* name) : addin(name) {
    host->GetDocuments()->Add();
    addin.Context().App = host;
  }
  BenchAddin addin;
  std::shared_ptr<docif::model::ModelApplication> host = std::make_shared<docif::model::ModelApplication>();
};

}  // namespace plx::bench
