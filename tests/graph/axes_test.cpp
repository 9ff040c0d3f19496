// The axes, their ticks and the grid.
#include <gtest/gtest.h>

#include "common/text.hpp"
#include "graph/axes/axes.hpp"
#include "graph/frame/frame.hpp"
#include "support/sqlite_util.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::graph {
namespace {

class AxesTest : public test::DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    random = ScriptedRandom({0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09});
  }
  std::vector<std::wstring> NamesStartingWith(const std::wstring& role) {
    std::vector<std::wstring> out;
    auto shapes = doc->GetShapes();
    for (int i = 1; i <= shapes->Count(); ++i)
      if (StartsWith(shapes->Item(i)->Name(), role)) out.push_back(shapes->Item(i)->Name());
    return out;
  }
  int Count(const std::wstring& role) { return static_cast<int>(NamesStartingWith(role).size()); }
  GraphContext g;
};

TEST_F(AxesTest, AxesLettersAndTicks) {
  g.frame.drawTicks = 1;
  ZBX_Word(*ctx, g);
  auto x = doc->GetShapes()->Item(1);
  EXPECT_TRUE(StartsWith(x->Name(), L"x轴："));
  EXPECT_EQ(x->Line().EndArrowheadStyle, 4);
  EXPECT_EQ(x->Line().BeginArrowheadStyle, 1);
  EXPECT_EQ(doc->GetShapes()->Item(2)->TextRange()->Text(), L"x");
  EXPECT_EQ(doc->GetShapes()->Item(2)->TextRange()->Font().Italic, true);
  EXPECT_EQ(doc->GetShapes()->Item(5)->TextRange()->Text(), L"O");
  // Automatic step: 2 for -10..10, ticks at -9, -7, ..., 9 (0 never reached).
  EXPECT_EQ(Count(L"x轴刻度线"), 10);
  EXPECT_EQ(Count(L"x轴刻度线-9"), 1);
  EXPECT_EQ(Count(L"x轴刻度线9"), 1);
  EXPECT_EQ(Count(L"y轴刻度线"), 10);
  // Tick length: a unit over intKD (8).
  auto tick = doc->GetShapes()->Item(6);
  EXPECT_NEAR(tick->Height(), g.UnitLength / 8, 1e-4);

  test::ExecSql(install.File("config/config.mdb"), "update config set configvalue='False' where configname='blAutoKD'");
  ctx->Config.reset();
  for (int i = doc->GetShapes()->Count(); i >= 1; --i) doc->GetShapes()->Item(i)->Delete();
  ZBX_Word(*ctx, g);
  EXPECT_EQ(Count(L"x轴刻度线"), 18) << "every integer from -9 to 9 except 0";
}

TEST_F(AxesTest, GridLinesNeverLieOnAnAxis) {
  Init_ZBX(*ctx, g, 20);
  DrawGrid(*ctx, g, g.grid);
  EXPECT_EQ(Count(L"坐标网格线y="), 10);
  EXPECT_EQ(Count(L"坐标网格线x="), 10);
  EXPECT_EQ(Count(L"坐标网格线x=0"), 0);
  EXPECT_EQ(Count(L"坐标网格线x=-10"), 1);
  for (int i = doc->GetShapes()->Count(); i >= 1; --i) doc->GetShapes()->Item(i)->Delete();
  g.frame = {0, 6, 0, 6};
  Init_ZBX(*ctx, g, 6);
  DrawGrid(*ctx, g, g.grid);
  EXPECT_EQ(Count(L"坐标网格线y="), 6) << "1 to 6; 0 is the axis on the edge";
  EXPECT_EQ(Count(L"坐标网格线x="), 6);
}

}  // namespace
}  // namespace plx::graph
