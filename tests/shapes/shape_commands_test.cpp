// The shape commands pressed as a teacher presses them, on shapes and
// pictures of a model document.
#include <gtest/gtest.h>

#include <fstream>

#include "common/text.hpp"
#include "connect/commands/command_table.hpp"
#include "connect/connect.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "docif/shapes.hpp"
#include "shapes/frm_custom_transform.hpp"
#include "shapes/shape_transforms.hpp"
#include "support/sqlite_util.hpp"
#include "support/addin_fixtures.hpp"

namespace plx {
namespace {

using namespace docif;

class ShapeCommands : public test::ConnectedAddinTest {
 protected:
  ShapePtr Box(float left, float top, float width, float height) {
    return doc->GetShapes()->AddShape(kAutoShapeRectangle, left, top, width, height);
  }
  void SelectAll(const std::vector<ShapePtr>& shapes) {
    for (size_t i = 0; i < shapes.size(); ++i) shapes[i]->Select(i == 0);
  }
  std::shared_ptr<InlineShape> Picture() {
    std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x50\0\0\0\x28", 24) + std::string(20, '\0');
    std::ofstream(dir.Path() / "p.png", std::ios::binary) << png;
    doc->Content()->SetText(L"图：");
    auto pic = doc->GetInlineShapes()->AddPicture(dir.WPath() + L"/p.png", *doc->GetRange(2, 2));
    pic->Select();
    return pic;
  }
  test::TempDir dir;
};

TEST_F(ShapeCommands, NothingSelectedSaysSoAndChangesNothing) {
  for (const wchar_t* id : {L"rxBtnFS_fd", L"rxBtnFS_zyls", L"rxBtnXZ_z45", L"rxBtnPY_lsy"}) {
    ui.Queue(Answer::OK);
    Press(id);
    EXPECT_EQ(ui.Boxes().back().text, L"请选择一个图形对象!") << WideToUtf8(id);
  }
  auto a = Box(10, 10, 50, 50);
  a->Select();
  ui.Queue(Answer::OK);
  Press(L"rxBtnDQFB_zypj");
  EXPECT_EQ(ui.Boxes().back().text, L"您选择的少于两个对象，无法拼接！");
  doc->GetRange(0, 0)->Select();
  ui.Queue(Answer::OK);
  Press(L"rxBtnPMJH_ZX");
  EXPECT_EQ(ui.Boxes().back().text, L"您选中的不是shape对象，无法取得它的几何中心！");
  EXPECT_DOUBLE_EQ(a->Width(), 50);
}

TEST_F(ShapeCommands, ScalingKeepsTheAnchorAndScalesTextOfBoxesThatHoldText) {
  auto s = Box(100, 100, 100, 50);
  s->Select();
  Press(L"rxBtnFS_sx");  // shrink 1.25
  EXPECT_DOUBLE_EQ(s->Width(), 80);
  EXPECT_DOUBLE_EQ(s->Height(), 40);
  EXPECT_DOUBLE_EQ(s->Left(), 100) << "the stored anchor is the top left";

  auto full = doc->GetShapes()->AddTextbox(1, 0, 200, 60, 30);
  full->TextRange()->SetText(L"甲");
  full->TextRange()->SetFont({.Size = 10.5});
  auto empty = doc->GetShapes()->AddTextbox(1, 70, 200, 60, 30);
  empty->TextRange()->SetFont({.Size = 10.5});
  auto group = doc->GetShapes()->Range({full->Name(), empty->Name()})->Group();
  group->Select();
  Press(L"rxBtnFS_fd2");
  auto items = group->GroupItems();
  EXPECT_DOUBLE_EQ(*items->Item(1)->TextRange()->Font().Size, 21);
  EXPECT_DOUBLE_EQ(*items->Item(2)->TextRange()->Font().Size, 10.5) << "an empty box keeps its size";
  EXPECT_DOUBLE_EQ(group->Width(), 260);

  // Factor 0 asks until it gets a number; cancelling stops.
  s->Select();
  ui.QueueText(L"0");
  ui.QueueText(L"2");
  Enlarge(*ctx, 0);
  EXPECT_DOUBLE_EQ(s->Width(), 160);
  ui.QueueText(L"");
  Shrink(*ctx, 0);
  EXPECT_DOUBLE_EQ(s->Width(), 160);
}

TEST_F(ShapeCommands, TypedFactorsAndAnglesReadFullWidthDigits) {
  auto s = Box(100, 100, 100, 50);
  s->Select();
  ui.QueueText(L"２");  // the factor asked for, typed with a Chinese input method
  Enlarge(*ctx, 0);
  EXPECT_DOUBLE_EQ(s->Width(), 200);

  // A custom dialog with its number typed and its second direction chosen.
  const auto typed = [](std::shared_ptr<Form> form, const wchar_t* box, const wchar_t* number, const wchar_t* option) {
    form->Show();
    form->SetValue(box, number);
    form->SetValue(option, L"1");
    form->Click(L"cmdOk");
    return form;
  };
  typed(std::make_shared<frmFangSuo>(*ctx), L"txtBS", L"２", L"optFS");
  EXPECT_DOUBLE_EQ(s->Width(), 100) << "shrunk by 2";
  typed(std::make_shared<frmXuanZhuan>(*ctx), L"txtJD", L"３０", L"optFX");
  EXPECT_DOUBLE_EQ(s->Rotation(), 30);
  ui.Queue(Answer::OK);
  auto turn = typed(std::make_shared<frmXuanZhuan>(*ctx), L"txtJD", L"三十", L"optFX");
  EXPECT_EQ(ui.Boxes().back().text, L"请输入旋转的角度（度），如30。");
  EXPECT_TRUE(turn->Loaded());
  turn->Dismiss();
  EXPECT_EQ(ui.Boxes().size(), 2u) << "the factor's input box and the angle's message: no other message";
}

TEST_F(ShapeCommands, TheShapeGroupAnchorsAreFoundThroughEveryRow) {
  test::ExecSql(install.File("config/config.mdb"), "update config set configvalue='2' where configname='Horizontal'");
  auto s = Box(100, 100, 100, 50);
  s->Select();
  Press(L"rxBtnFS_zyss");  // width × 0.8 about the right edge
  EXPECT_DOUBLE_EQ(s->Width(), 80);
  EXPECT_DOUBLE_EQ(s->Left(), 120);
  EXPECT_EQ(ctx->Config->Text(L"DictType"), L"scaleconfig");
  EXPECT_TRUE(ctx->Config->Exists(L"intK")) << "an unknown group name loads every row";
}

TEST_F(ShapeCommands, InlinePicturesStretchInOneDirectionAndStayInlineWhenTurned) {
  auto pic = Picture();
  Press(L"rxBtnFS_zyls");
  EXPECT_DOUBLE_EQ(pic->Width(), 72);
  EXPECT_DOUBLE_EQ(pic->Height(), 30);
  Press(L"rxBtnXZ_f30");
  EXPECT_EQ(doc->GetInlineShapes()->Count(), 1);
  EXPECT_EQ(doc->GetShapes()->Count(), 0);
  EXPECT_EQ(host->GetSelection()->Type(), kSelectionInlineShape);
  EXPECT_EQ(doc->GetInlineShapes()->Item(1)->GetRange()->Start(), 2) << "after 图：, where it stood";
  const std::string saved = (dir.Path() / "turned.docx").string();
  docif::ooxml::SaveDocx(*std::static_pointer_cast<docif::model::ModelDocument>(doc)->Data(), Utf8ToWide(saved));
  const std::string body = docif::ooxml::ReadPackage(saved).at("word/document.xml");
  EXPECT_NE(body.find("<a:xfrm rot=\"1800000\">"), std::string::npos) << "the turn is saved";
}

TEST_F(ShapeCommands, MovesRotationsJoinsAndTheHostsAlignControls) {
  auto a = Box(50, 40, 30, 20), b = Box(10, 100, 40, 10), c = Box(200, 60, 20, 20);
  SelectAll({a, b, c});
  Press(L"rxBtnPY_lyy");
  EXPECT_DOUBLE_EQ(a->Left(), 51);
  FindLegacyAction(L"上移")->run(*ctx);  // the 2003 toolbar's 8-point move
  EXPECT_DOUBLE_EQ(b->Top(), 92);
  Press(L"rxBtnXZ_z10");
  EXPECT_DOUBLE_EQ(c->Rotation(), 350) << "the host keeps angles in 0..360";
  Press(L"rxBtnDQFB_zypj");  // ranked by left: b, a, c
  EXPECT_DOUBLE_EQ(a->Left(), b->Left() + 40);
  EXPECT_DOUBLE_EQ(c->Left(), a->Left() + 30);
  Press(L"rxBtnDQFB_sxpj");
  EXPECT_DOUBLE_EQ(c->Top(), a->Top() + 20);
  EXPECT_DOUBLE_EQ(b->Top(), c->Top() + 20);
  FindLegacyAction(L"左对齐")->run(*ctx);  // the host's own control moves the shapes
  EXPECT_DOUBLE_EQ(a->Left(), b->Left());
  EXPECT_DOUBLE_EQ(c->Left(), b->Left());
}

TEST_F(ShapeCommands, CentreDotAndGroupingThePage) {
  auto a = Box(100, 100, 40, 20);
  a->Select();
  Press(L"rxBtnPMJH_ZX");
  ASSERT_EQ(doc->GetShapes()->Count(), 1);
  auto group = doc->GetShapes()->Item(1);
  ASSERT_EQ(group->Type(), kShapeGroup);
  auto dot = group->GroupItems()->Item(2);
  EXPECT_EQ(dot->Name().rfind(L"中心点：", 0), 0u);
  EXPECT_DOUBLE_EQ(dot->Left() + dot->Width() / 2, 120);
  EXPECT_DOUBLE_EQ(dot->Top() + dot->Height() / 2, 110);

  Box(300, 300, 10, 10);
  doc->GetRange(0, 0)->Select();
  ui.Queue(Answer::No);
  Press(L"rxBtnzt4");
  EXPECT_EQ(doc->GetShapes()->Count(), 2) << "No leaves the page alone";
  ui.Queue(Answer::Yes);
  Press(L"rxBtnzt4");
  EXPECT_EQ(doc->GetShapes()->Count(), 1);
  doc->GetRange(0, 0)->Select();
  ui.Queue(Answer::Yes);
  Press(L"rxBtnzt3");
  EXPECT_EQ(doc->GetShapes()->Count(), 2) << "the page's group comes apart into the centre group and the box";
}

TEST_F(ShapeCommands, FlowchartElementsGoBelowEachOtherJoinedByArrows) {
  doc->Content()->SetText(L"阅读下面的程序框图。");
  doc->GetRange(10, 10)->Select();
  const double lineTop = doc->GetRange(10, 10)->Information(kVerticalPositionRelativeToPage);
  Press(L"rxBtncxkt_start");
  auto shapes = doc->GetShapes();
  auto start = shapes->Item(1);
  EXPECT_GT(start->Top(), lineTop + 1.2 * 10.5) << "the first element stays below the text line";
  Press(L"rxBtncxkt_if");
  Press(L"rxBtncxkt_yes");
  Press(L"rxBtncxkt_no");
  Press(L"rxBtncxkt_end");
  ASSERT_EQ(shapes->Count(), 7);  // start, arrow, decision, 是, 否, arrow, end
  auto decision = shapes->Item(3);
  EXPECT_EQ(decision->AutoShapeType(), kAutoShapeFlowchartDecision);
  EXPECT_NEAR(decision->Left() + decision->Width() / 2, start->Left() + start->Width() / 2, 1e-3) << "centred";
  EXPECT_NEAR(decision->Top(), start->Top() + start->Height() + 24, 1e-3);
  auto arrow = shapes->Item(2);
  ASSERT_EQ(arrow->Type(), kShapeLine);
  EXPECT_EQ(arrow->Line().EndArrowheadStyle, 2);
  auto points = arrow->Points();
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NEAR(points[0].y, start->Top() + start->Height(), 1e-3);
  EXPECT_NEAR(points[1].y, decision->Top(), 1e-3);
  auto yes = shapes->Item(4), no = shapes->Item(5);
  EXPECT_EQ(yes->TextRange()->Text().substr(0, 1), L"是");
  EXPECT_GT(yes->Top(), decision->Top() + decision->Height()) << "beside the arrow leaving the bottom";
  EXPECT_GT(no->Left(), decision->Left() + decision->Width()) << "beside the right vertex";
  auto end = shapes->Item(7);
  EXPECT_NEAR(end->Top(), decision->Top() + decision->Height() + 24, 1e-3) << "the labels leave the decision selected";
}

}  // namespace
}  // namespace plx
