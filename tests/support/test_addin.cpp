#include "support/test_addin.hpp"

#include <random>

#include "common/text.hpp"
#include "support/build_paths.hpp"

namespace plx::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() / ("plendrix-test-" + std::to_string(rd()) + "-" +
                                                    std::to_string(rd()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::wstring TempDir::WPath() const { return Utf8ToWide(path_.string()); }

TestInstall::TestInstall() {
  std::filesystem::path image = build_paths::PristineDir();
  std::filesystem::copy(image / "config", Path() / "config", std::filesystem::copy_options::recursive);
  for (const char* dir : {"img", "temp", "TK_plendrix", "tuku"})
    std::filesystem::create_directories(Path() / dir);
  std::filesystem::copy(image / "TK_plendrix", Path() / "TK_plendrix", std::filesystem::copy_options::recursive);
}

std::wstring TestInstall::File(const std::string& relative) const {
  return Utf8ToWide((Path() / relative).string());
}

AddinTest::AddinTest() {
  ui.OnUnexpected([](const ShownBox& box) {
    ADD_FAILURE() << "unexpected box: title \"" << WideToUtf8(box.title) << "\" text \""
                  << WideToUtf8(box.text) << "\"";
  });
  ctx = std::make_unique<AddinContext>(Services{ui, clock, random, registry, network, shell});
  std::wstring folder = install.WPath();
  ctx->ModuleFolder = [folder] { return folder; };
}

AddinTest::~AddinTest() {
  ctx.reset();
  EXPECT_EQ(ui.PendingAnswers(), 0u) << "answers queued for boxes that never came";
}

std::shared_ptr<docif::model::ModelApplication> AddinTest::MakeHost(const std::wstring& version) {
  return std::make_shared<docif::model::ModelApplication>(version);
}

}  // namespace plx::test
