// The graph dialog's expression tab, driven by control names.
#include <gtest/gtest.h>

#include "graph/dialog/frm_graph.hpp"
#include "support/test_addin.hpp"

namespace plx::graph {
namespace {

class FrmGraphTest : public test::AddinTest {
 protected:
  void SetUp() override {
    host = MakeHost();
    doc = host->GetDocuments()->Add();
    ctx->App = host;
    random = ScriptedRandom({0.11, 0.22, 0.33, 0.44, 0.55, 0.66});
    form = std::make_shared<frmGraph>(*ctx);
    form->Show();
  }
  void TearDown() override { form->Unload(); }
  std::shared_ptr<docif::model::ModelApplication> host;
  std::shared_ptr<docif::Document> doc;
  std::shared_ptr<frmGraph> form;
};

TEST_F(FrmGraphTest, AddsFiguresToTheListAndInsertsThem) {
  form->SetValue(L"txtFx_Any", L"2x+1");
  form->SetValue(L"txtXmin_Any", L"-2");
  form->SetValue(L"txtXmax_Any", L"gh(9)");
  form->Click(L"cmdOK_Any");
  form->SetValue(L"optMode_Any", L"2");
  form->SetValue(L"txtRt_Any", L"2");
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(form->GetControl(L"List1").items,
            (std::vector<std::wstring>{L"平面直角坐标系(ZBX)", L"任意函数(ANY) 1", L"极坐标方程(polar) 1"}));
  const AnyRecord& line = form->Graph().anyTable.at(0);
  EXPECT_EQ(line.expression, L"2*x+1");
  ASSERT_EQ(line.intervals.size(), 1u);
  EXPECT_NEAR(line.intervals[0].lower, -1.99, 1e-9);
  EXPECT_NEAR(line.intervals[0].upper, 3, 1e-9) << "the upper bound read from gh(9)";
  form->Click(L"cmdOK");
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  EXPECT_EQ(doc->GetShapes()->Item(1)->GroupItems()->Count(), 2 + 5) << "the curves with the axes, their letters and O";
  // The dialog stays open and can insert again.
  form->Click(L"cmdOK");
  EXPECT_EQ(doc->GetShapes()->Count(), 2);
}

TEST_F(FrmGraphTest, BadInputGetsTheInputMessageAndAddsNothing) {
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");  // no expression
  EXPECT_EQ(ui.Boxes().back().text, L"您所输入的数据范围有误，请检查后重新输入！");
  form->SetValue(L"txtFx_Any", L"x^2");
  form->SetValue(L"txtXmin_Any", L"1/0");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");
  EXPECT_EQ(ui.Boxes().back().title, L" 数据输入有误，请检查后重新输入");
  form->SetValue(L"txtXmin_Any", L"3");
  form->SetValue(L"txtXmax_Any", L"1");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");
  form->SetValue(L"txtXmin_Any", L"");
  form->SetValue(L"txtXmax", L"2.5");
  ui.Queue(Answer::OK);
  form->Click(L"cmdOK_Any");  // the frame takes whole units only
  EXPECT_EQ(form->GetControl(L"List1").items.size(), 1u);
  EXPECT_TRUE(form->Graph().anyTable.empty());
}

}  // namespace
}  // namespace plx::graph
