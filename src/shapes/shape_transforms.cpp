#include "shapes/shape_transforms.hpp"

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "docif/shapes.hpp"
#include "shapes/selection_kind.hpp"

namespace plx {
namespace {

using docif::ShapePtr;

struct Anchors {
  int horizontal = docif::kScaleFromTopLeft;
  int vertical = docif::kScaleFromTopLeft;
};

// The scale anchors. They are asked for under the name "scaleconfig",
// which is no stored group, so every row is loaded and the shape group's
// keys are found among them.
Anchors ScaleAnchors(AddinContext& ctx) {
  ConfigDictionary& config = ConfigGroup(ctx, L"scaleconfig");
  return {static_cast<int>(config.Number(L"Horizontal")), static_cast<int>(config.Number(L"Vertical"))};
}

// A factor typed by the user, asked again until it is not 0; nothing when
// the user cancels.
std::optional<double> AskFactor(AddinContext& ctx, const std::wstring& prompt) {
  for (;;) {
    const std::wstring answer = ctx.Ui().InputBox(prompt);
    if (Trim(answer).empty()) return std::nullopt;
    const double f = Val(NumberText(answer));
    if (f != 0) return f;
  }
}

// Font sizes of a shape's text times k, when the shape is an auto shape or
// a text box holding text. Mixed sizes are scaled character by character.
void ScaleText(docif::Shape& shape, double k) {
  const int type = shape.Type();
  if (type != docif::kShapeAutoShape && type != docif::kShapeTextBox) return;
  if (!shape.HasTextFrame()) return;
  auto text = shape.TextRange();
  if (!text) return;
  std::wstring shown = text->Text();
  while (!shown.empty() && (shown.back() == L'\r' || shown.back() == L'\a')) shown.pop_back();
  if (shown.empty()) return;
  if (auto size = text->Font().Size) {
    text->SetFont({.Size = *size * k});
    return;
  }
  auto characters = text->Characters();
  for (int i = 1; i <= characters->Count(); ++i) {
    auto c = characters->Item(i);
    if (auto size = c->Font().Size) c->SetFont({.Size = *size * k});
  }
}

}  // namespace

void ScaleSelection(AddinContext& ctx, double k) {
  const Picked kind = RequireShapes(ctx);
  if (kind == Picked::Nothing) return;
  auto sel = ctx.App->GetSelection();
  if (kind == Picked::Floating) {
    const Anchors anchors = ScaleAnchors(ctx);
    auto range = sel->GetShapeRange();
    for (int i = 1; i <= range->Count(); ++i) {
      ShapePtr shape = range->Item(i);
      if (shape->Type() == docif::kShapeGroup) {
        auto items = shape->GroupItems();
        for (int j = 1; j <= items->Count(); ++j) ScaleText(*items->Item(j), k);
      } else {
        ScaleText(*shape, k);
      }
      shape->ScaleWidth(k, false, anchors.horizontal);
      shape->ScaleHeight(k, false, anchors.vertical);
    }
    return;
  }
  auto pictures = sel->GetInlineShapes();
  for (int i = 1; i <= pictures->Count(); ++i) {
    auto p = pictures->Item(i);
    p->SetWidth(p->Width() * k);
    p->SetHeight(p->Height() * k);
  }
}

namespace {

// Scales by the factor, or by its inverse; a factor of 0 is asked for.
void ScaleByFactor(AddinContext& ctx, double factor, bool inverse, const std::wstring& prompt) {
  if (RequireShapes(ctx) == Picked::Nothing) return;
  if (factor == 0) {
    auto asked = AskFactor(ctx, prompt);
    if (!asked) return;
    factor = *asked;
  }
  ScaleSelection(ctx, inverse ? 1 / factor : factor);
}

}  // namespace

void Enlarge(AddinContext& ctx, double factor) { ScaleByFactor(ctx, factor, false, L"请输入放大倍数："); }
void Shrink(AddinContext& ctx, double factor) { ScaleByFactor(ctx, factor, true, L"请输入缩小倍数："); }

void StretchSelection(AddinContext& ctx, bool horizontal, double k) {
  const Picked kind = RequireShapes(ctx);
  if (kind == Picked::Nothing) return;
  auto sel = ctx.App->GetSelection();
  if (kind == Picked::Floating) {
    const Anchors anchors = ScaleAnchors(ctx);
    auto range = sel->GetShapeRange();
    if (horizontal) range->ScaleWidth(k, false, anchors.horizontal);
    else range->ScaleHeight(k, false, anchors.vertical);
    return;
  }
  auto pictures = sel->GetInlineShapes();
  if (pictures->Count() == 0) return;
  auto first = pictures->Item(1);
  if (horizontal) first->SetWidth(first->Width() * k);
  else first->SetHeight(first->Height() * k);
}

void Rotate(AddinContext& ctx, double degrees) {
  const Picked kind = RequireShapes(ctx);
  if (kind == Picked::Nothing) return;
  auto sel = ctx.App->GetSelection();
  if (kind == Picked::Floating) {
    sel->GetShapeRange()->IncrementRotation(degrees);
    return;
  }
  auto pictures = sel->GetInlineShapes();
  if (pictures->Count() == 0) return;
  ShapePtr floating = pictures->Item(1)->ConvertToShape();
  floating->IncrementRotation(degrees);
  floating->ConvertToInlineShape()->Select();
}

void MoveSelection(AddinContext& ctx, double dx, double dy) {
  const Picked kind = RequireShapes(ctx);
  if (kind != Picked::Floating) return;  // pictures in the text flow move with their text
  auto range = ctx.App->GetSelection()->GetShapeRange();
  if (dx != 0) range->IncrementLeft(dx);
  if (dy != 0) range->IncrementTop(dy);
}

}  // namespace plx
