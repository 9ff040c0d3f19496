#include "shapes/flowchart.hpp"

#include "addin/addin_context.hpp"
#include "docif/shapes.hpp"

namespace plx {
namespace {

constexpr float kGap = 24;          // between one element and the next
constexpr float kBelowLine = 8;     // between the text line and a first element
constexpr double kFontSize = 10;

struct FlowchartLook {
  int shape;  // auto shape type, 0 for a bare label
  const wchar_t* text;
  float width, height;
};

FlowchartLook LookOf(FlowchartElement e) {
  switch (e) {
    case FlowchartElement::Start: return {docif::kAutoShapeFlowchartTerminator, L"开　始", 80, 30};
    case FlowchartElement::End: return {docif::kAutoShapeFlowchartTerminator, L"结　束", 80, 30};
    case FlowchartElement::Process: return {docif::kAutoShapeFlowchartProcess, L"", 100, 36};
    case FlowchartElement::InputOutput: return {docif::kAutoShapeFlowchartData, L"", 100, 36};
    case FlowchartElement::Decision: return {docif::kAutoShapeFlowchartDecision, L"", 110, 50};
    case FlowchartElement::Yes: return {0, L"是", 24, 20};
    case FlowchartElement::No: return {0, L"否", 24, 20};
  }
  return {0, L"", 0, 0};
}

struct Box {
  float left, top, width, height;
  float CentreX() const { return left + width / 2; }
  float Bottom() const { return top + height; }
};

docif::ShapePtr AddElement(docif::Shapes& shapes, const FlowchartLook& look, float left, float top) {
  auto shape = look.shape ? shapes.AddShape(look.shape, left, top, look.width, look.height)
                          : shapes.AddTextbox(1, left, top, look.width, look.height);
  if (look.shape) {
    shape->SetFill({.Visible = true, .ForeColor = 0xFFFFFF});
    shape->SetLine({.Visible = true, .Weight = 0.75, .ForeColor = 0});
  } else {
    shape->SetLine({.Visible = false});
    shape->SetFill({.Visible = false});
  }
  shape->SetTextFrame({.MarginLeft = 1, .MarginRight = 1, .MarginTop = 1, .MarginBottom = 1});
  if (auto text = shape->TextRange()) {
    text->SetText(look.text);
    text->SetFont({.Name = L"宋体", .Size = kFontSize});
    text->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  }
  shape->SetWrap({.AllowOverlap = true, .Type = 3});
  shape->SetRelativeVerticalPosition(docif::kRelativeVerticalPositionParagraph);  // stays with its text
  return shape;
}

void AddArrow(docif::Shapes& shapes, float x1, float y1, float x2, float y2) {
  auto arrow = shapes.AddLine(x1, y1, x2, y2);
  arrow->SetLine({.Visible = true, .Weight = 0.75, .ForeColor = 0, .EndArrowheadStyle = 2});
  arrow->SetWrap({.AllowOverlap = true, .Type = 3});
  arrow->SetRelativeVerticalPosition(docif::kRelativeVerticalPositionParagraph);
}

}  // namespace

void InsertFlowchartElement(AddinContext& ctx, FlowchartElement element) {
  const FlowchartLook look = LookOf(element);
  auto shapes = ctx.App->ActiveDocument()->GetShapes();
  auto sel = ctx.App->GetSelection();
  const bool label = element == FlowchartElement::Yes || element == FlowchartElement::No;

  if (sel->Type() != docif::kSelectionShape) {
    // The first element: below the text line of the insertion point.
    float left = static_cast<float>(sel->Information(docif::kHorizontalPositionRelativeToPage));
    float top = static_cast<float>(sel->Information(docif::kVerticalPositionRelativeToPage));
    const double size = sel->Font().Size.value_or(10.5);
    top += static_cast<float>(1.2 * size) + kBelowLine;
    AddElement(*shapes, look, left, top)->Select(true);
    return;
  }

  auto previous = sel->GetShapeRange();
  const Box p{static_cast<float>(previous->Left()), static_cast<float>(previous->Top()),
              static_cast<float>(previous->Width()), static_cast<float>(previous->Height())};
  if (label) {
    // Beside the arrow leaving the decision box; the box stays selected.
    const bool yes = element == FlowchartElement::Yes;
    const float left = yes ? p.CentreX() + 2 : p.left + p.width + 2;
    const float top = yes ? p.Bottom() + 2 : p.top + p.height / 2 - look.height;
    AddElement(*shapes, look, left, top);
    previous->Select(true);
    return;
  }
  const float top = p.Bottom() + kGap;
  AddArrow(*shapes, p.CentreX(), p.Bottom(), p.CentreX(), top);
  AddElement(*shapes, look, p.CentreX() - look.width / 2, top)->Select(true);
}

}  // namespace plx
