#include "graph/frame/insertion.hpp"

#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "graph/axes/axes.hpp"
#include "graph/axes/tick_labels.hpp"
#include "graph/curves/conic_curves.hpp"
#include "graph/curves/elementary_curves.hpp"
#include "graph/curves/expression_curves.hpp"
#include "graph/curves/point_region.hpp"
#include "graph/curves/trig_curves.hpp"
#include "graph/frame/frame.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {

namespace {

// Figure k of a family table, or nothing for a number the table lacks.
template <class Table>
const typename Table::value_type* Figure(const Table& table, int k) {
  return k >= 1 && k <= static_cast<int>(table.size()) ? &table[k - 1] : nullptr;
}

// Runs a generator; its own failure is shown and the run goes on.
Generator Trapped(const wchar_t* procedure, Generator draw) {
  return [procedure, draw](AddinContext& ctx, GraphContext& g, int k) {
    try {
      draw(ctx, g, k);
    } catch (const std::exception& e) {
      ShowErr(ctx, e, std::wstring(L"modGraph.") + procedure + L"-->line", __LINE__);
    }
  };
}

// The generator of a family that draws entry k of its table with `draw`.
template <class Record>
Generator Family(const wchar_t* procedure, std::vector<Record> GraphContext::*table,
                 void (*draw)(AddinContext&, GraphContext&, const Record&)) {
  return Trapped(procedure, [table, draw](AddinContext& ctx, GraphContext& g, int k) {
    if (auto rec = Figure(g.*table, k)) draw(ctx, g, *rec);
  });
}

}  // namespace

const std::map<std::wstring, Generator>& Generators() {
  static const std::map<std::wstring, Generator> table = {
      {L"zbx", Trapped(L"ZBX_Word", [](AddinContext& ctx, GraphContext& g, int) { ZBX_Word(ctx, g); })},
      {L"zbwg", Trapped(L"DrawGrid", [](AddinContext& ctx, GraphContext& g, int) { DrawGrid(ctx, g, g.grid); })},
      {L"any", Trapped(L"DrawAnyFunction", [](AddinContext& ctx, GraphContext& g, int k) {
         if (auto rec = Figure(g.anyTable, k)) DrawAnyFunction(ctx, g, *rec);
       })},
      {L"param", Trapped(L"DrawParametric", [](AddinContext& ctx, GraphContext& g, int k) {
         if (auto rec = Figure(g.paramTable, k)) DrawParametric(ctx, g, *rec, L"参数方程");
       })},
      {L"polar", Trapped(L"DrawPolar", [](AddinContext& ctx, GraphContext& g, int k) {
         if (auto rec = Figure(g.polarTable, k)) DrawParametric(ctx, g, *rec, L"极坐标方程");
       })},
      {L"zx", Family(L"ZX_Word", &GraphContext::zxTable, ZX_Word)},
      {L"ax", Family(L"DrawExponential", &GraphContext::axTable, DrawExponential)},
      {L"logx", Family(L"DrawLogarithm", &GraphContext::logTable, DrawLogarithm)},
      {L"mi", Family(L"DrawPower", &GraphContext::miTable, DrawPower)},
      {L"fblhs", Family(L"FBLHS_Word", &GraphContext::fblhsTable, FBLHS_Word)},
      {L"sj", Family(L"DrawTrig", &GraphContext::sjTable, DrawTrig)},
      {L"yuan", Family(L"Yuan_Graph", &GraphContext::yuanTable, DrawCircle)},
      {L"ty", Family(L"DrawEllipse", &GraphContext::tyTable, DrawEllipse)},
      {L"pwx", Family(L"DrawParabola", &GraphContext::pwxTable, DrawParabola)},
      {L"sqx", Family(L"DrawHyperbola", &GraphContext::sqxTable, DrawHyperbola)},
      {L"point", Family(L"DrawPoint", &GraphContext::pointTable, DrawPoint)},
      {L"dbx", Family(L"DrawFeasibleRegion", &GraphContext::dbxTable, DrawFeasibleRegion)},
  };
  return table;
}

void DrawList(AddinContext& ctx, GraphContext& g, const std::map<std::wstring, Generator>& generators) {
  for (const std::wstring& line : g.List1) {
    std::wstring raw = FigureTag(line);
    int k = 0;
    if (raw != L"ZBWG" && raw != L"ZBX") k = static_cast<int>(Val(Right(line, 2)));
    auto it = generators.find(LCase(raw));
    if (it != generators.end()) it->second(ctx, g, k);
  }
}

void InsertGraphs(AddinContext& ctx, GraphContext& g, const std::map<std::wstring, Generator>& generators) {
  try {
    InsertPoint at = GetInsertPoint(ctx);
    ConfigGroup(ctx, L"zbxconfig");
    ctx.Ui().StatusText(L"正在绘制函数图像，请稍候 :-)");
    Init_ZBX(ctx, g, static_cast<int32_t>(g.frame.xmax) - g.frame.xmin);
    DrawList(ctx, g, generators);
    DrawZBBZ_Word(ctx, g);
    // The shapes the run named: a figure whose host call failed after it
    // was counted (its failure shown, the run going on) has no name here.
    std::vector<std::wstring> names;
    for (size_t i = 1; i < g.ShapeNames.size() && i <= static_cast<size_t>(g.ShapeCount); ++i)
      if (!g.ShapeNames[i].empty()) names.push_back(g.ShapeNames[i]);
    if (!names.empty()) {
      auto shapes = ctx.App->ActiveDocument()->GetShapes();
      auto range = shapes->Range(names);
      if (names.size() < 2) range->Select(true);
      else range->Group()->Select(true);
      auto selected = ctx.App->GetSelection()->GetShapeRange();
      ++g.ShapeCount;
      selected->SetName(GetShapeName(ctx, g, L"组合"));
      selected->ZOrder(docif::kSendToBack);
      selected->ZOrder(docif::kBringInFrontOfText);
      selected->SetLeft(at.left);
      selected->SetTop(at.top);
      selected->SetWrap({.AllowOverlap = true, .Type = 3});
      // The figure belongs to the text at the insertion point: it is kept
      // against that paragraph, so it stays beside it however the text is laid out.
      selected->Item(1)->SetRelativeVerticalPosition(docif::kRelativeVerticalPositionParagraph);
    }
    ResetShapeNames(g);
    ctx.Ui().StatusText(L"图像插入Word已经完成！");
    ctx.App->SetScreenUpdating(true);
  } catch (const std::exception& e) {
    ResetShapeNames(g);
    ShowErr(ctx, e, L"frmGraph.cmdOK_Click-->line", __LINE__);
  }
}

}  // namespace plx::graph
