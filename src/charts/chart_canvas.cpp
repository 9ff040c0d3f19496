#include "charts/chart_canvas.hpp"

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_output.hpp"
#include "graph/frame/frame.hpp"

namespace plx::charts {

double TextWidth(std::wstring_view text, double size) {
  double ems = 0;
  for (wchar_t c : text) ems += c >= 0x2E80 ? 1 : c == L' ' ? 0.35 : 0.65;
  return ems * size;
}

ChartCanvas::ChartCanvas(AddinContext& ctx) : ctx_(ctx), shapes_(ctx) {}

void ChartCanvas::Line(const std::wstring& role, double x1, double y1, double x2, double y2,
                       const docif::LineFormat& look) {
  shapes_.Line(role, x1, y1, x2, y2, look);
}

docif::ShapePtr ChartCanvas::Box(const std::wstring& role, int autoShapeType, double left, double top, double width,
                                 double height) {
  auto shape = shapes_.Shape(role, autoShapeType, left, top, width, height, std::nullopt);
  shape->SetLine(Solid());
  return shape;
}

docif::ShapePtr ChartCanvas::Freeform(const std::wstring& role, const std::vector<docif::PointF>& points) {
  return shapes_.Freeform(role, points, Solid());
}

docif::ShapePtr ChartCanvas::Text(const std::wstring& role, double left, double top, double width, double height,
                                  const std::wstring& text, int alignment) {
  auto box = shapes_.TextBox(role, left, top, width, height, text);
  box->SetTextFrame({.MarginLeft = 0, .MarginRight = 0, .MarginTop = 1, .MarginBottom = 0});
  auto range = box->TextRange();
  range->SetFont({.Size = kTextSize});
  range->SetParagraphFormat({.Alignment = alignment});
  return box;
}

void ChartCanvas::Caption(const std::wstring& role, double left, double top, const std::wstring& text) {
  if (!Contains(text, L"/")) {
    Text(role, left, top, TextWidth(text, kTextSize) + 6, 16, text);
    return;
  }
  // A stacked fraction needs about two lines of height.
  auto box = Text(role, left, top - 10, 50, 34, L"");
  const std::wstring code = SetEQ(text, LoadFormulaSettings(ctx_), [](const std::wstring&) {});
  auto range = box->TextRange();
  range->GetFields()->Add(*range, docif::kFieldEmpty, L"EQ " + code);
  box->TextRange()->SetFont({.Size = kTextSize});
}

std::wstring ChartCanvas::Group(const std::wstring& role, double left, double top) {
  auto figure = shapes_.Finish(role, graph::InsertPoint{left, top});
  return figure ? figure->Name() : L"";
}

}  // namespace plx::charts
