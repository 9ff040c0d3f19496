#include "paper/drawing_style.hpp"

#include "addin/addin_context.hpp"
#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"

namespace plx {

void SetDefaultDrawingStyle(AddinContext& ctx) {
  auto& config = ConfigGroup(ctx, L"ShpConfig");
  auto color = [&](const wchar_t* key) { return static_cast<uint32_t>(config.Number(key)); };
  auto shapes = ActiveDoc(ctx)->GetShapes();
  // Temporary shapes, deleted at once: only their style stays.
  auto box = shapes->AddShape(docif::kAutoShapeRectangle, 0, 0, 10, 10);
  box->SetLine({.Visible = true, .Weight = config.Number(L"ShapeLineWeight"), .ForeColor = color(L"ShapeLineColor")});
  if (config.Flag(L"ShapeFillVisible")) box->SetFill({.Visible = true, .ForeColor = color(L"ShapeFillColor")});
  else box->SetFill({.Visible = false});
  box->SetShapesDefaultProperties();
  box->Delete();
  auto line = shapes->AddLine(0, 0, 10, 0);
  line->SetLine({.Weight = config.Number(L"LineWeight"), .ForeColor = color(L"LineColor")});
  line->SetShapesDefaultProperties();
  line->Delete();
}

}  // namespace plx
