// Question file names and where they are stored: distinct within one
// second, filed by year and quarter, folders made as needed.
#include <gtest/gtest.h>

#include <filesystem>

#include "bank/tk_files.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

class TkFiles : public test::AddinTest {};

TEST_F(TkFiles, NamesFromTheClockAndTheRandomSource) {
  clock.Set({2026, 10, 6, 9, 30, 15});
  random = ScriptedRandom({0.25, 0.75});
  std::wstring a = bank::NewFileName(*ctx), b = bank::NewFileName(*ctx);
  EXPECT_EQ(a, L"26100609301502500001");
  EXPECT_EQ(Left(a, 12), Left(b, 12));
  EXPECT_NE(a, b);
  std::wstring pa = bank::StoredPath(*ctx, a), pb = bank::StoredPath(*ctx, b);
  EXPECT_NE(pa, pb);
  // October files under quarter 4 of year 26, in the bank's folder.
  std::wstring folder = CollapseSeparators(install.WPath() + L"/TK_plendrix/26/4/");
  EXPECT_EQ(Left(pa, folder.size()), folder);
  EXPECT_TRUE(std::filesystem::is_directory(install.Path() / "TK_plendrix" / "26" / "4"));
  // The stem: 4 + "7" + 4 + "4" + 4 + "1" + 4 + "2" hexadecimal digits.
  std::wstring stem = pa.substr(folder.size());
  ASSERT_EQ(stem.size(), 20u);
  EXPECT_EQ(stem[4], L'7');
  EXPECT_EQ(stem[9], L'4');
  EXPECT_EQ(stem[14], L'1');
  EXPECT_EQ(stem[19], L'2');
  // The same name always gives the same stem (re-saving keeps its files).
  EXPECT_EQ(bank::StoredPath(*ctx, a), pa);
  for (auto [month, quarter] : {std::pair{L"01", L"1"}, std::pair{L"06", L"2"}, std::pair{L"09", L"3"}, std::pair{L"12", L"4"}})
    EXPECT_NE(bank::StoredPath(*ctx, std::wstring(L"25") + month + L"0100000000000001").find(std::wstring(L"/25/") + quarter + L"/"),
              std::wstring::npos);
  EXPECT_THROW(bank::StoredPath(*ctx, L"26"), VbError);
}

TEST_F(TkFiles, SearchTextKeepsTheMeaningfulChineseCharacters) {
  EXPECT_EQ(bank::QuestionSearchText(L"【题干】1．已知a=2，这是函数的和吧？ABC求值呢"), L"已知函数求值");
  EXPECT_EQ(bank::QuestionSearchText(L"x+y=3"), L"");
}

}  // namespace
}  // namespace plx
