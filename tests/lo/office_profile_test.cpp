// The offices plendrix and its tests start work on copies of one prepared
// profile: none of them runs the office's first-start graphics checks
// again (seconds of drawing, during which the office does little else).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "office_profile.hpp"
#include "support/test_addin.hpp"

#ifdef PLENDRIX_UNO
#include "docif/uno/office_process.hpp"
#endif

namespace plx::test {
namespace {

namespace fs = std::filesystem;

// The file the office writes when it has run its graphics checks.
fs::path ChecksLog(const fs::path& profile) { return profile / "user" / "GraphicsRenderTests.log"; }

TEST(OfficeProfile, OfficesOnCopiesOfThePreparedProfileSkipTheFirstStartChecks) {
#ifndef PLENDRIX_UNO
  GTEST_SKIP() << "this build has no LibreOffice SDK: it cannot prepare a profile";
#else
  if (!docif::lo::OfficeInstalled()) GTEST_SKIP() << "LibreOffice is not installed";
  {
    // An office hosting the add-in, as --host libreoffice starts it.
    const cli::RunProfile profile;
    fs::remove(ChecksLog(profile.Path()));
    docif::lo::OfficeProcess(profile.Path().string(), "plendrix-profile-test-" + std::to_string(getpid())).Stop();
    EXPECT_FALSE(fs::exists(ChecksLog(profile.Path()))) << "the hosting office ran its first-start checks";
  }
  // An office converting a file, as the picture commands and the tests run it.
  TempDir dir;
  const fs::path text = dir.Path() / "note.txt";
  std::ofstream(text) << "x\n";
  const std::string convert = cli::HeadlessOffice(dir.Path() / "profile") + " --convert-to pdf --outdir " +
                              dir.Path().string() + " " + text.string() + " > /dev/null 2>&1";
  fs::remove(ChecksLog(dir.Path() / "profile"));
  ASSERT_EQ(std::system(convert.c_str()), 0);
  EXPECT_TRUE(fs::exists(dir.Path() / "note.pdf"));
  EXPECT_FALSE(fs::exists(ChecksLog(dir.Path() / "profile"))) << "the converting office ran its first-start checks";
#endif
}

}  // namespace
}  // namespace plx::test
