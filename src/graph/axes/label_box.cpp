#include "graph/axes/label_box.hpp"

#include "graph/frame/frame.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "addin/addin_context.hpp"

namespace plx::graph {

docif::ShapePtr LabelBox(AddinContext& ctx, GraphContext& g, const std::wstring& role, double left, double top,
                         float width, float height, const std::wstring& text, const docif::FontFormat& font) {
  if (g.preview) {
    // A little smaller than on the page, as the dialog's small canvas shows it.
    g.preview->Text(left, top, text, font.Size.value_or(10) * 0.8, font.Italic.value_or(false),
                    font.Name.value_or(L"宋体"));
    return nullptr;
  }
  ++g.ShapeCount;
  std::wstring name = GetShapeName(ctx, g, role);
  auto box = ctx.App->ActiveDocument()->GetShapes()->AddTextbox(1, static_cast<float>(left), static_cast<float>(top),
                                                                width, height);
  FinishShape(box, name, nullptr);
  box->SetTextFrame({.MarginLeft = 1, .MarginRight = 0, .MarginTop = 1, .MarginBottom = 0});
  box->SetFill({.Visible = false});
  box->SetLine({.Visible = false});
  auto range = box->TextRange();
  range->SetText(text);
  range->SetFont(font);
  return box;
}

}  // namespace plx::graph
