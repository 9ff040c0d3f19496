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

}  // namespace

void InsertCircle(AddinContext& ctx) { InsertOutlined(ctx, docif::kAutoShapeOval, 200, 200); }
void InsertSquare(AddinContext& ctx) { InsertOutlined(ctx, docif::kAutoShapeRectangle, 100, 100); }

void InsertEquationObject(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  sel->GetInlineShapes()->AddOLEObject(L"Equation.3", *sel);
}

void RefreshScreen(AddinContext& ctx) { ctx.App->SetScreenUpdating(true); }

}  // namespace plx
