#include "charts/chart_canvas.hpp"

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_output.hpp"
#include "graph/frame/frame.hpp"

namespace plx::charts {
namespace {

std::shared_ptr<docif::Shapes> ShapesOf(AddinContext& ctx) { return ctx.App->ActiveDocument()->GetShapes(); }

}  // namespace

ChartCanvas::ChartCanvas(AddinContext& ctx) : ctx_(ctx) { graph::ResetShapeNames(g_); }

std::wstring ChartCanvas::NextName(const std::wstring& role) {
  ++g_.ShapeCount;
  return graph::GetShapeName(ctx_, g_, role);
}

void ChartCanvas::Line(const std::wstring& role, double x1, double y1, double x2, double y2,
                       const docif::LineFormat& look) {
  graph::AddFigureLine(ctx_, g_, role, x1, y1, x2, y2, look);
}

docif::ShapePtr ChartCanvas::Box(const std::wstring& role, int autoShapeType, double left, double top, double width,
                                 double height) {
  const std::wstring name = NextName(role);
  auto shape = ShapesOf(ctx_)->AddShape(autoShapeType, static_cast<float>(left), static_cast<float>(top),
                                       static_cast<float>(width), static_cast<float>(height));
  graph::FinishShape(shape, name, nullptr);
  shape->SetLine(Solid());
  shape->SetFill({.Visible = false});
  return shape;
}

docif::ShapePtr ChartCanvas::Freeform(const std::wstring& role, const std::vector<docif::PointF>& points) {
  const std::wstring name = NextName(role);
  auto builder = ShapesOf(ctx_)->BuildFreeform(docif::kEditingCorner, points.front().x, points.front().y);
  for (size_t i = 1; i < points.size(); ++i)
    builder->AddNodes(docif::kSegmentLine, docif::kEditingCorner, points[i].x, points[i].y);
  auto shape = builder->ConvertToShape();
  graph::FinishShape(shape, name, nullptr);
  shape->SetLine(Solid());
  shape->SetFill({.Visible = false});
  return shape;
}

docif::ShapePtr ChartCanvas::Text(const std::wstring& role, double left, double top, double width, double height,
                                  const std::wstring& text, int alignment) {
  const std::wstring name = NextName(role);
  auto box = ShapesOf(ctx_)->AddTextbox(1, static_cast<float>(left), static_cast<float>(top),
                                       static_cast<float>(width), static_cast<float>(height));
  graph::FinishShape(box, name, nullptr);
  box->SetTextFrame({.MarginLeft = 0, .MarginRight = 0, .MarginTop = 1, .MarginBottom = 0});
  box->SetFill({.Visible = false});
  box->SetLine({.Visible = false});
  auto range = box->TextRange();
  range->SetText(text);
  range->SetFont({.Size = 10});
  range->SetParagraphFormat({.Alignment = alignment});
  return box;
}

void ChartCanvas::Caption(const std::wstring& role, double left, double top, const std::wstring& text) {
  if (!Contains(text, L"/")) {
    // Wide enough for the text at size 10 (a CJK character is one em).
    const double width = 11.0 * static_cast<double>(text.size()) + 6;
    Text(role, left, top, width, 16, text);
    return;
  }
  // A stacked fraction needs about two lines of height.
  auto box = Text(role, left, top - 10, 50, 34, L"");
  const std::wstring code = SetEQ(text, LoadFormulaSettings(ctx_), [](const std::wstring&) {});
  auto range = box->TextRange();
  range->GetFields()->Add(*range, docif::kFieldEmpty, L"EQ " + code);
  box->TextRange()->SetFont({.Size = 10});
}

std::wstring ChartCanvas::Group(const std::wstring& role, double left, double top) {
  if (g_.ShapeCount == 0) return L"";
  std::vector<std::wstring> names(g_.ShapeNames.begin() + 1, g_.ShapeNames.begin() + 1 + g_.ShapeCount);
  auto range = ShapesOf(ctx_)->Range(names);
  if (names.size() < 2) range->Select(true);
  else range->Group()->Select(true);
  auto selected = ctx_.App->GetSelection()->GetShapeRange();
  const std::wstring name = NextName(role);
  selected->SetName(name);
  selected->ZOrder(docif::kBringInFrontOfText);
  selected->SetLeft(left);
  selected->SetTop(top);
  selected->SetWrap({.AllowOverlap = true, .Type = 3});
  // Kept against the paragraph at the insertion point, so the chart stays
  // beside its question however the text is laid out.
  selected->Item(1)->SetRelativeVerticalPosition(docif::kRelativeVerticalPositionParagraph);
  graph::ResetShapeNames(g_);
  return name;
}

}  // namespace plx::charts
