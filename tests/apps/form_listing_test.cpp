// The controls listing is made from the dialog's layout: its title and size
// first, the controls in tab order under headings naming their tab page and
// frames, each line with its box, the preview last.
#include "form_listing.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "connect/form_registry.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

std::vector<std::string> Parts(const std::string& line, char separator) {
  std::vector<std::string> parts;
  std::istringstream in(line);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

class FormListingTest : public test::AddinTest {
 protected:
  std::vector<std::string> Lines(const std::wstring& name) {
    auto form = CreateForm(*ctx, name);
    std::vector<std::string> lines;
    std::istringstream in(cli::FormControlListing(*form));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

TEST_F(FormListingTest, HeadingsNameThePageAndFrameOfTheControlsBelowThem) {
  const auto lines = Lines(L"frmTJT");
  ASSERT_GT(lines.size(), 10u);
  EXPECT_TRUE(lines[0].starts_with("# 对话框“统计图”\t")) << lines[0];
  EXPECT_NE(lines[0].find("（对话框单位）"), std::string::npos);
  size_t frame = 0;
  while (frame < lines.size() && lines[frame] != "# 选项卡“统计图形” › 框“数据区（请在此区域输入频数）”") ++frame;
  ASSERT_LT(frame + 2, lines.size());
  EXPECT_TRUE(lines[frame + 1].starts_with("fraData\t标签\t")) << lines[frame + 1];
  // The existing columns come first, then the box, then a list's entries.
  const std::vector<std::string> data = Parts(lines[frame + 2], '\t');
  ASSERT_EQ(data.size(), 5u) << lines[frame + 2];
  EXPECT_EQ(data[0], "txtData");
  EXPECT_EQ(data[3], "3,5,2,6,4");
  EXPECT_EQ(Parts(data[4], ',').size(), 4u) << "x,y,w,h";
  // Each control once.
  std::map<std::string, int> seen;
  for (const auto& l : lines)
    if (!l.starts_with("# ")) ++seen[l.substr(0, l.find('\t'))];
  for (const auto& [name, count] : seen) EXPECT_EQ(count, 1) << name;
  EXPECT_EQ(seen.size(), CreateForm(*ctx, L"frmTJT")->Controls().size());
}

TEST_F(FormListingTest, TheGraphDialogListsItsPreviewAfterItsControls) {
  const auto lines = Lines(L"frmGraph");
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines.back().starts_with("# 区域“预览”\t")) << lines.back();
  EXPECT_EQ(lines[1], "# 选项卡“任意函数”") << "the first page's controls come first in tab order";
  EXPECT_TRUE(lines[2].starts_with("optMode_Any\t单选按钮组\t任意函数\t0\t")) << lines[2];
}

}  // namespace
}  // namespace plx
