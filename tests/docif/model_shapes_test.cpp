// The model's floating shapes: naming, grouping, scaling, z-order,
// conversion between inline and floating pictures, the host's align
// controls.
#include <gtest/gtest.h>

#include <fstream>

#include "common/error.hpp"
#include "docif/model/json_dump.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::docif {
namespace {

using test::ModelDoc;

TEST(ModelShapes, NamesAreUniqueAndLookupsFindThem) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto a = shapes->AddLine(0, 0, 10, 10);
  auto b = shapes->AddShape(kAutoShapeOval, 5, 5, 20, 20);
  EXPECT_EQ(a->Type(), kShapeLine);
  EXPECT_EQ(b->AutoShapeType(), kAutoShapeOval);
  EXPECT_NE(a->Name(), b->Name());
  a->SetName(L"x轴：12320261206_plendrix");
  EXPECT_THROW(b->SetName(L"x轴：12320261206_plendrix"), VbError);
  EXPECT_EQ(shapes->Item(L"x轴：12320261206_plendrix")->Type(), kShapeLine);
  EXPECT_THROW(shapes->Item(L"无此图形"), VbError);
  EXPECT_THROW(shapes->Range({a->Name(), L"无此图形"}), VbError);
  EXPECT_THROW(shapes->AddCurve({{0, 0}, {1, 1}}), VbError) << "a curve needs 3k+1 points";
}

TEST(ModelShapes, GroupsKeepTheirItemsAndUngroupingRestoresThem) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto back = shapes->AddShape(kAutoShapeRectangle, 0, 0, 10, 10);
  auto l1 = shapes->AddLine(100, 100, 200, 150);
  auto curve = shapes->AddCurve({{100, 200}, {120, 180}, {140, 220}, {160, 200}});
  auto front = shapes->AddShape(kAutoShapeOval, 0, 0, 5, 5);
  auto group = shapes->Range({l1->Name(), curve->Name()})->Group();
  EXPECT_EQ(group->Type(), kShapeGroup);
  EXPECT_EQ(shapes->Count(), 3);
  EXPECT_EQ(shapes->Item(2)->Name(), group->Name()) << "the group takes its items' place in the z-order";
  EXPECT_DOUBLE_EQ(group->Left(), 100);
  EXPECT_DOUBLE_EQ(group->Top(), 100);
  EXPECT_DOUBLE_EQ(group->Width(), 100);
  EXPECT_DOUBLE_EQ(group->Height(), 120);
  group->SetLeft(110);
  group->SetTop(50);
  auto items = group->GroupItems();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Item(1)->Points()[0], (PointF{110, 50}));
  EXPECT_EQ(items->Item(2)->Points()[3], (PointF{170, 150}));
  auto again = group->Ungroup();
  EXPECT_EQ(again->Count(), 2);
  EXPECT_EQ(shapes->Count(), 4);
  EXPECT_EQ(shapes->Item(2)->Name(), l1->Name());
  EXPECT_EQ(shapes->Item(4)->Name(), front->Name());
  EXPECT_THROW(group->Name(), VbError) << "the group is gone";
  EXPECT_THROW(shapes->Range({back->Name()})->Group(), VbError) << "one shape is no group";
}

TEST(ModelShapes, ScalingHonoursTheThreeAnchors) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto s = shapes->AddShape(kAutoShapeRectangle, 100, 100, 40, 20);
  s->ScaleWidth(2, false, kScaleFromTopLeft);
  EXPECT_DOUBLE_EQ(s->Left(), 100);
  EXPECT_DOUBLE_EQ(s->Width(), 80);
  s->ScaleWidth(0.5, false, kScaleFromMiddle);
  EXPECT_DOUBLE_EQ(s->Left(), 120);
  EXPECT_DOUBLE_EQ(s->Width(), 40);
  s->ScaleHeight(3, false, kScaleFromBottomRight);
  EXPECT_DOUBLE_EQ(s->Top(), 60);
  EXPECT_DOUBLE_EQ(s->Height(), 60);
  s->ScaleHeight(1, true, kScaleFromTopLeft);  // back to the size it was made with
  EXPECT_DOUBLE_EQ(s->Height(), 20);
  // Lines scale their nodes; a group scales its items.
  auto line = shapes->AddLine(0, 0, 10, 20);
  auto box = shapes->AddShape(kAutoShapeOval, 10, 20, 10, 10);
  auto g = shapes->Range({line->Name(), box->Name()})->Group();
  g->ScaleWidth(2, false, kScaleFromTopLeft);
  EXPECT_DOUBLE_EQ(g->Width(), 40);
  EXPECT_EQ(g->GroupItems()->Item(1)->Points()[1], (PointF{20, 20}));
  EXPECT_DOUBLE_EQ(g->GroupItems()->Item(2)->Left(), 20);
}

TEST(ModelShapes, ZOrderIsAnOrderAndTextLayering) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto a = shapes->AddShape(kAutoShapeRectangle, 0, 0, 1, 1);
  auto b = shapes->AddShape(kAutoShapeRectangle, 0, 0, 1, 1);
  auto c = shapes->AddShape(kAutoShapeRectangle, 0, 0, 1, 1);
  c->ZOrder(kSendToBack);
  EXPECT_EQ(shapes->Item(1)->Name(), c->Name());
  a->ZOrder(kBringToFront);
  EXPECT_EQ(shapes->Item(3)->Name(), a->Name());
  b->ZOrder(kSendBackward);
  EXPECT_EQ(shapes->Item(1)->Name(), b->Name());
  b->ZOrder(kSendBehindText);
  EXPECT_EQ(b->Wrap().Type, 5);
  b->ZOrder(kBringInFrontOfText);
  EXPECT_EQ(b->Wrap().Type, 3);
}

TEST(ModelShapes, InlinePictureBecomesFloatingAndBack) {
  test::TempDir dir;
  std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x50\0\0\0\x28", 24) + std::string(20, '\0');
  std::ofstream(dir.Path() / "p.png", std::ios::binary) << png;
  ModelDoc m;
  m.SetText(L"图：");
  auto pic = m.doc->GetInlineShapes()->AddPicture(dir.WPath() + L"/p.png", *m.doc->GetRange(2, 2));
  EXPECT_DOUBLE_EQ(pic->Width(), 60);   // 80 pixels at 96 per inch
  EXPECT_DOUBLE_EQ(pic->Height(), 30);
  EXPECT_EQ(m.Text(), L"图：\x01\r");
  pic->Select();
  EXPECT_EQ(m.app->GetSelection()->Type(), kSelectionInlineShape);
  pic->SetAlternativeText(L"原图");
  auto shape = pic->ConvertToShape();
  EXPECT_EQ(shape->Type(), kShapePicture);
  EXPECT_EQ(m.doc->GetInlineShapes()->Count(), 0);
  EXPECT_EQ(m.Text(), L"图：\r");
  EXPECT_DOUBLE_EQ(shape->Left(), 90 + 2 * 10.5) << "placed where the picture stood";
  shape->SetName(L"pdQSY图片");
  auto back = shape->ConvertToInlineShape();
  EXPECT_EQ(m.doc->GetInlineShapes()->Count(), 1);
  EXPECT_EQ(back->AlternativeText(), L"原图");
  EXPECT_EQ(m.doc->GetShapes()->Count(), 0);
  EXPECT_THROW(m.doc->GetInlineShapes()->AddPicture(dir.WPath() + L"/none.png", *m.doc->GetRange(0, 0)),
               VbError);
}

TEST(ModelShapes, SelectionOfShapesAndTheHostsAlignControls) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto a = shapes->AddShape(kAutoShapeRectangle, 10, 10, 20, 20);
  auto b = shapes->AddShape(kAutoShapeRectangle, 50, 40, 30, 30);
  shapes->Range({a->Name(), b->Name()})->Select();
  auto sel = m.app->GetSelection();
  EXPECT_EQ(sel->Type(), kSelectionShape);
  EXPECT_EQ(sel->GetShapeRange()->Count(), 2);
  auto control = m.app->GetCommandBars()->FindControl(L"右对齐(&R)");
  ASSERT_NE(control, nullptr);
  control->Execute();
  EXPECT_DOUBLE_EQ(a->Left(), 60);
  EXPECT_DOUBLE_EQ(b->Left(), 50);
  EXPECT_EQ(m.app->Journal().back(), L"Execute 右对齐(&R)");
  m.doc->GetRange(0, 0)->Select();
  EXPECT_EQ(sel->Type(), kSelectionIP);
  EXPECT_THROW(m.app->GetCommandBars()->FindControl(L"左对齐(&L)")->Execute(), VbError);
}

TEST(ModelShapes, FreeformsAndTextBoxesInTheDump) {
  ModelDoc m;
  auto shapes = m.doc->GetShapes();
  auto ff = shapes->BuildFreeform(kEditingAuto, 0, 0);
  ff->AddNodes(kSegmentLine, kEditingAuto, 40, 0);
  ff->AddNodes(kSegmentLine, kEditingAuto, 20, 30);
  ff->AddNodes(kSegmentLine, kEditingAuto, 0, 0);
  auto region = ff->ConvertToShape();
  region->SetFill({.ForeColor = 0, .Transparency = 0.0, .Pattern = 21});
  region->SetLine({.Visible = false});
  EXPECT_EQ(region->Type(), kShapeFreeform);
  EXPECT_TRUE(*region->Fill().Visible);
  auto box = shapes->AddTextbox(1, 5, 20, 60, 802);
  box->SetTextFrame({.Orientation = 2});
  box->TextRange()->SetText(L"学校：\r__________");
  std::string json = model::DumpJson(*m.Data(), -1);
  EXPECT_NE(json.find(R"J("fill":{"visible":true,"color":0,"transparency":0.0,"pattern":21})J"), std::string::npos) << json;
  EXPECT_NE(json.find(R"J("textFrame":{"orientation":2},"text":[{"text":"学校：\r")J"), std::string::npos) << json;
}

}  // namespace
}  // namespace plx::docif
