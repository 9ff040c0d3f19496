#include "common/paths.hpp"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_addin.hpp"

namespace plx {
namespace {

TEST(Paths, FileExistsFindsFilesAndFoldersButNotEmptyText) {
  test::TempDir dir;
  std::ofstream(dir.Path() / "a.txt") << "x";
  EXPECT_TRUE(FileExists(dir.WPath() + L"/a.txt"));
  EXPECT_TRUE(FileExists(dir.WPath()));
  EXPECT_FALSE(FileExists(dir.WPath() + L"/b.txt"));
  EXPECT_FALSE(FileExists(L""));
}

TEST(Paths, DoubledSeparatorsCollapse) {
  EXPECT_EQ(CollapseSeparators(L"/old//config///config.mdb"), L"/old/config/config.mdb");
  EXPECT_EQ(JoinPath(L"", L"config/config.mdb"), L"/config/config.mdb");
}

}  // namespace
}  // namespace plx
