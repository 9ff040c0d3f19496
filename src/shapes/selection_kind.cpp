#include "shapes/selection_kind.hpp"

#include "addin/addin_context.hpp"

namespace plx {

Picked SelectionKind(AddinContext& ctx) {
  if (!ctx.App || !ctx.App->ActiveDocument()) return Picked::Nothing;
  const int type = ctx.App->GetSelection()->Type();
  if (type == docif::kSelectionShape) return Picked::Floating;
  if (type == docif::kSelectionNone || type == docif::kSelectionIP) return Picked::Nothing;
  return Picked::Inline;
}

Picked RequireShapes(AddinContext& ctx) {
  const Picked kind = SelectionKind(ctx);
  if (kind == Picked::Nothing) ctx.Ui().MsgBox(L"请选择一个图形对象!", Buttons::OK, L"");
  return kind;
}

}  // namespace plx
