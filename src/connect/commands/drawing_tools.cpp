#include "docif/shapes.hpp"
#include "addin/addin_context.hpp"
#include "connect/commands/basic_commands.hpp"

namespace plx {
namespace {

void InsertOutlined(AddinContext& ctx, int type, float left, float top) {
  auto shape = ctx.App->ActiveDocument()->GetShapes()->AddShape(type, left, top, 80, 80);
  shape->SetFill({.Visible = false});
  shape->SetLine({.Visible = true, .ForeColor = 0});
  shape->Select(true);
}

struct FlowchartLook {
  int shape;         // auto shape type, 0 for a bare label
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

}  // namespace

void InsertCircle(AddinContext& ctx) { InsertOutlined(ctx, docif::kAutoShapeOval, 200, 200); }
void InsertSquare(AddinContext& ctx) { InsertOutlined(ctx, docif::kAutoShapeRectangle, 100, 100); }

void InsertFlowchartElement(AddinContext& ctx, FlowchartElement element) {
  FlowchartLook look = LookOf(element);
  auto shapes = ctx.App->ActiveDocument()->GetShapes();
  auto sel = ctx.App->GetSelection();
  float left = static_cast<float>(sel->Information(docif::kHorizontalPositionRelativeToPage));
  float top = static_cast<float>(sel->Information(docif::kVerticalPositionRelativeToPage));
  // After another element (still selected), the next one goes below it,
  // centred, so a chart builds downwards.
  if (sel->Type() == docif::kSelectionShape) {
    auto previous = sel->GetShapeRange();
    left = static_cast<float>(previous->Left() + previous->Width() / 2 - look.width / 2);
    top = static_cast<float>(previous->Top() + previous->Height() + 18);
  }
  auto shape = look.shape ? shapes->AddShape(look.shape, left, top, look.width, look.height)
                          : shapes->AddTextbox(1, left, top, look.width, look.height);
  if (!look.shape) {
    shape->SetLine({.Visible = false});
    shape->SetFill({.Visible = false});
  }
  shape->SetTextFrame({.MarginLeft = 1, .MarginRight = 1, .MarginTop = 1, .MarginBottom = 1});
  if (auto text = shape->TextRange()) {
    text->SetText(look.text);
    text->SetFont({.Name = L"宋体", .Size = 10});
    text->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  }
  shape->SetWrap({.AllowOverlap = true, .Type = 3});
  shape->Select(true);
}

void InsertEquationObject(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  sel->GetInlineShapes()->AddOLEObject(L"Equation.3", *sel);
}

void RefreshScreen(AddinContext& ctx) { ctx.App->SetScreenUpdating(true); }

}  // namespace plx
