#include "shapes/shape_arrange.hpp"

#include <algorithm>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "docif/shapes.hpp"
#include "graph/frame/frame.hpp"
#include "shapes/selection_kind.hpp"

namespace plx {
namespace {

using docif::ShapePtr;

// The centre dot: black fill, no outline, so it reads as a point.
constexpr double kDotSize = 2;
constexpr uint32_t kDotColour = 0;

std::vector<ShapePtr> Items(const docif::ShapeRange& range) {
  std::vector<ShapePtr> out;
  for (int i = 1; i <= range.Count(); ++i) out.push_back(range.Item(i));
  return out;
}

void Join(AddinContext& ctx, bool sideBySide) {
  auto sel = ctx.App->GetSelection();
  auto range = sel->Type() == docif::kSelectionShape ? sel->GetShapeRange() : nullptr;
  if (!range || range->Count() < 2) {
    ctx.Ui().MsgBox(L"您选择的少于两个对象，无法拼接！", Buttons::OK, L"");
    return;
  }
  std::vector<ShapePtr> order = Items(*range);
  // Equal positions keep their selection order.
  std::stable_sort(order.begin(), order.end(), [sideBySide](const ShapePtr& a, const ShapePtr& b) {
    return sideBySide ? a->Left() < b->Left() : a->Top() < b->Top();
  });
  for (size_t i = 1; i < order.size(); ++i) {
    const ShapePtr& previous = order[i - 1];
    if (sideBySide) order[i]->SetLeft(previous->Left() + previous->Width());
    else order[i]->SetTop(previous->Top() + previous->Height());
  }
}

// The shapes anchored in the page that holds the selection.
std::vector<ShapePtr> ShapesOfThisPage(AddinContext& ctx) {
  auto doc = ctx.App->ActiveDocument();
  auto page = doc->GetBookmarks()->Item(L"\\Page");
  const long start = page->Start(), end = page->End();
  std::vector<ShapePtr> out;
  auto shapes = doc->GetShapes();
  for (int i = 1; i <= shapes->Count(); ++i) {
    ShapePtr s = shapes->Item(i);
    auto anchor = s->Anchor();
    if (anchor && anchor->Start() >= start && anchor->Start() < end) out.push_back(s);
  }
  return out;
}

std::vector<std::wstring> Names(const std::vector<ShapePtr>& shapes) {
  std::vector<std::wstring> names;
  for (const auto& s : shapes) names.push_back(s->Name());
  return names;
}

}  // namespace

void AlignOrDistribute(AddinContext& ctx, const std::wstring& caption) {
  auto control = ctx.App->GetCommandBars()->FindControl(caption);
  if (!control) Raise(err::kInvalidCall, L"这个字处理软件没有“" + caption + L"”命令。");
  control->Execute();
}

void Join_LR(AddinContext& ctx) { Join(ctx, true); }
void Join_UD(AddinContext& ctx) { Join(ctx, false); }

void GeometricCentre(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  if (sel->Type() != docif::kSelectionShape) {
    ctx.Ui().MsgBox(L"您选中的不是shape对象，无法取得它的几何中心！", Buttons::OK, L"");
    return;
  }
  auto range = sel->GetShapeRange();
  const double x = range->Left() + range->Width() / 2;
  const double y = range->Top() + range->Height() / 2;
  graph::GraphContext names;
  std::vector<std::wstring> members;
  for (const ShapePtr& s : Items(*range)) {
    s->SetName(graph::GetShapeName(ctx, names, s->Name()));
    members.push_back(s->Name());
  }
  auto doc = ctx.App->ActiveDocument();
  ShapePtr dot = doc->GetShapes()->AddShape(docif::kAutoShapeOval, static_cast<float>(x - kDotSize / 2),
                                            static_cast<float>(y - kDotSize / 2), kDotSize, kDotSize);
  dot->SetName(graph::GetShapeName(ctx, names, L"中心点"));
  dot->SetFill({.Visible = true, .ForeColor = kDotColour});
  dot->SetLine({.Visible = false});
  members.push_back(dot->Name());
  doc->GetShapes()->Range(members)->Group()->Select(true);
}

void MyGroup(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  if (sel->Type() == docif::kSelectionShape) {
    auto range = sel->GetShapeRange();
    if (range->Count() >= 2) range->Group()->Select(true);
    return;
  }
  if (ctx.Ui().MsgBox(L"您没有选中任何图形对象，是否要将本页的所有图形对象组合？", Buttons::YesNo, L"") != Answer::Yes)
    return;
  std::vector<ShapePtr> page = ShapesOfThisPage(ctx);
  if (page.size() < 2) return;
  ctx.App->ActiveDocument()->GetShapes()->Range(Names(page))->Group()->Select(true);
}

void MyUnGroup(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  std::vector<ShapePtr> groups;
  if (sel->Type() == docif::kSelectionShape) {
    groups = Items(*sel->GetShapeRange());
  } else {
    if (ctx.Ui().MsgBox(L"您没有选中任何图形对象，是否要将本页的所有组合对象取消组合？", Buttons::YesNo, L"") !=
        Answer::Yes)
      return;
    groups = ShapesOfThisPage(ctx);
  }
  for (const ShapePtr& s : groups)
    if (s->Type() == docif::kShapeGroup) s->Ungroup();
}

}  // namespace plx
