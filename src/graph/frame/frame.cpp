#include "graph/frame/frame.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_set>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "graph/preview/preview_canvas.hpp"
#include "addin/addin_context.hpp"
#include "addin/services.hpp"

namespace plx::graph {
namespace {

void CollectNames(const docif::ShapePtr& shape, std::unordered_set<std::wstring>& names) {
  names.insert(shape->Name());
  if (shape->Type() != docif::kShapeGroup) return;
  auto items = shape->GroupItems();
  for (int i = 1; i <= items->Count(); ++i) CollectNames(items->Item(i), names);
}

// Whether a shape of the document has the name. The document's names are
// read once per insertion run and the run's own names added as they are
// made, so naming n shapes costs n look-ups, not n scans of the document.
bool NameTaken(AddinContext& ctx, GraphContext& g, const std::wstring& name) {
  if (!g.takenNamesRead) {
    g.takenNames.clear();
    auto shapes = ctx.App->ActiveDocument()->GetShapes();
    for (int i = 1; i <= shapes->Count(); ++i) CollectNames(shapes->Item(i), g.takenNames);
    g.takenNamesRead = true;
  }
  return g.takenNames.count(name) != 0;
}

}  // namespace

double Round3(double v) { return Val(Format(v, L"#.###")); }

void Init_ZBX(AddinContext& ctx, GraphContext& g, int32_t span) {
  if (g.preview) {
    // The preview's square canvas holds the frame with one unit to spare on each side.
    const ZBXRecord& f = g.frame;
    const double units = std::max(f.xmax - f.xmin, f.ymax - f.ymin) + 2.0;
    g.UnitLength = PreviewCanvas::kSide / units;
    g.OriginX = static_cast<int32_t>(std::lround(PreviewCanvas::kSide / 2 - g.UnitLength * (f.xmin + f.xmax) / 2));
    g.OriginY = static_cast<int32_t>(std::lround(PreviewCanvas::kSide / 2 + g.UnitLength * (f.ymin + f.ymax) / 2));
    return;
  }
  try {
    try {
      auto window = ctx.App->ActiveWindow();
      g.OriginX = CLng(window->FirstPageWidth() / 2);
      g.OriginY = CLng(window->FirstPageHeight() / 2);
    } catch (const std::exception&) {
      try {
        docif::PageSetup page = ctx.App->ActiveDocument()->PageSetup();
        g.OriginX = CLng(page.PageWidth / 2);
        g.OriginY = CLng(page.PageHeight / 2);
      } catch (const std::exception&) {
        g.OriginX = g.OriginY = 100;
      }
    }
    double intK = ConfigGroup(ctx, L"zbxconfig").Number(L"intK");
    double m = 2.0 * std::min(g.OriginX, g.OriginY);
    double divisor = static_cast<double>(span) * intK;
    if (divisor == 0) Raise(err::kDivisionByZero);
    g.UnitLength = m / divisor;
  } catch (const std::exception& e) {
    ShowErr(ctx, e, L"modGraph.Init_ZBX-->line", __LINE__);
  }
}

std::wstring GetShapeName(AddinContext& ctx, GraphContext& g, const std::wstring& role) {
  std::wstring t = Mid(ctx.GetClock().DateTimeText(), 3);
  std::wstring digits;
  for (wchar_t c : t)
    if (c >= L'0' && c <= L'9') digits += c;
  ctx.Random().Randomize(ctx.GetClock());
  int r = static_cast<int>(Int(999 * ctx.Random().Rnd() + 1));
  std::wstring name = Left(role + L"：" + DecimalText(r) + digits + L"_plendrix", 32);
  // The host refuses a name another shape has; names made within one
  // second differ only in the random part, so the next free number is used.
  for (int attempt = 1; attempt < 999 && NameTaken(ctx, g, name); ++attempt) {
    r = r % 999 + 1;
    name = Left(role + L"：" + DecimalText(r) + digits + L"_plendrix", 32);
  }
  g.takenNames.insert(name);
  if (static_cast<int>(g.ShapeNames.size()) <= g.ShapeCount) g.ShapeNames.resize(g.ShapeCount + 1);
  g.ShapeNames[g.ShapeCount] = name;
  return name;
}

void ResetShapeNames(GraphContext& g) {
  g.ShapeCount = 0;
  g.ShapeNames.assign(1, L"");
  g.takenNames.clear();
  g.takenNamesRead = false;
}

int GetLineDash(int style) {
  switch (style) {
    case 0: case 1: case 6: return 1;
    case 2: return 7;
    case 3: return 4;
    case 4: return 5;
    case 5: return 6;
    default: return 0;
  }
}

size_t MaxSamples(const GraphContext& g) {
  const double width = std::fabs(g.UnitLength * (static_cast<double>(g.frame.xmax) - g.frame.xmin));
  return static_cast<size_t>(std::max(kMinSampleCap, std::ceil(width * kSamplesPerPoint)));
}

void GetSampleCount(GraphContext& g, double xmin, double xmax) {
  double span = xmax - xmin;
  double step = 0.5;
  // Counted in doubles: a wide range never overflows a 16-bit count.
  double n = std::floor(span / step);
  while (n <= 500 && step >= 0.08) {
    step -= 0.05;
    n = std::floor(span / step);
  }
  if (!std::isfinite(n) || n < 0) n = 0;
  const double cap = static_cast<double>(MaxSamples(g));
  if (n > cap) {
    // More rows than the frame has dots: the samples are spread evenly.
    n = cap - std::fmod(cap - 1, 3.0);
    step = span / (n - 1);
  }
  const auto rows = static_cast<long>(n);
  g.SampleStep = step;
  g.CurvePoints.assign(static_cast<size_t>(rows % 3 == 0 ? rows + 1 : rows % 3 == 2 ? rows + 2 : rows),
                       docif::PointF{});
}

std::pair<double, double> VisibleRange(const ZBXRecord& frame, double u, double v) {
  const double width = static_cast<double>(frame.xmax) - frame.xmin;
  return {std::max(u, frame.xmin - width), std::min(v, frame.xmax + width)};
}

void FillSamples(GraphContext& g, double from, double to, const std::function<docif::PointF(double)>& pointAt) {
  size_t n = g.CurvePoints.size();
  if (n == 0) return;
  size_t i = 0;
  for (double v = from; v <= to; v += g.SampleStep) {
    v = Round3(v);
    g.CurvePoints[i++] = pointAt(v);
    if (i == n) break;
  }
  // The last rows end exactly at the end; any further gap would leave
  // points at the page corner, so it is closed the same way.
  for (size_t k = i; k < n; ++k) g.CurvePoints[k] = pointAt(n - 1 - k == 1 ? Round3(to - g.SampleStep) : to);
}

void FillCurve(GraphContext& g, double xmin, double xmax, const std::function<double(double)>& f) {
  double lastY = 0;
  FillSamples(g, xmin, xmax, [&](double x) {
    double y = f(x);
    if (std::isfinite(y)) lastY = Round3(y);  // a value that is no number keeps the previous one
    return docif::PointF{static_cast<float>(g.PageX(x)), static_cast<float>(g.PageY(lastY))};
  });
}

void AddCurveShape(AddinContext& ctx, GraphContext& g, const std::wstring& role, const LineAttr& line) {
  if (g.preview) {
    g.preview->Polyline(g.CurvePoints, line.color, PreviewStroke(line.width), GetLineDash(line.style));
    return;
  }
  ++g.ShapeCount;
  std::wstring name = GetShapeName(ctx, g, role);
  auto shape = ctx.App->ActiveDocument()->GetShapes()->AddCurve(g.CurvePoints);
  FinishShape(shape, name, &line);
  shape->SetFill({.Visible = false});
}

bool CheckGraphRange(AddinContext& ctx, const GraphContext& g) {
  const Extent& e = g.extent;
  const ZBXRecord& f = g.frame;
  if (e.xmin < f.xmin || e.xmax > f.xmax || e.ymin < f.ymin || e.ymax > f.ymax) {
    Answer a = ctx.Ui().MsgBox(L"您所要绘制的函数图像将有部分超出当前坐标范围，您还要继续作图吗？", Buttons::OKCancel, L"");
    return a == Answer::Cancel;
  }
  return false;
}

InsertPoint GetInsertPoint(AddinContext& ctx) {
  auto sel = ctx.App->GetSelection();
  InsertPoint p{sel->Information(docif::kHorizontalPositionRelativeToPage),
                sel->Information(docif::kVerticalPositionRelativeToPage)};
  docif::PageSetup page = ctx.App->ActiveDocument()->PageSetup();
  if (p.left < 20) p.left = 20;
  if (p.left > page.PageWidth) p.left = page.PageWidth - 10;
  if (p.top < 20) p.top = 20;
  if (p.top > page.PageHeight) p.top = page.PageHeight - 10;
  return p;
}

docif::LineFormat LineLook(const LineAttr& line) {
  return {.Visible = true, .Weight = line.width, .ForeColor = line.color, .DashStyle = GetLineDash(line.style)};
}

void FinishShape(const docif::ShapePtr& shape, const std::wstring& name, const LineAttr* line) {
  shape->SetName(name);
  if (line) shape->SetLine(LineLook(*line));
  shape->SetWrap({.AllowOverlap = true, .Type = 3});
}

void AddFigureLine(AddinContext& ctx, GraphContext& g, const std::wstring& role, double x1, double y1, double x2,
                   double y2, const docif::LineFormat& look) {
  if (g.preview) {
    g.preview->Line(x1, y1, x2, y2, look.ForeColor.value_or(0), PreviewStroke(look.Weight.value_or(0.75)),
                    look.EndArrowheadStyle.value_or(1) != 1, look.DashStyle.value_or(1));
    return;
  }
  ++g.ShapeCount;
  std::wstring name = GetShapeName(ctx, g, role);
  auto shape = ctx.App->ActiveDocument()->GetShapes()->AddLine(static_cast<float>(x1), static_cast<float>(y1),
                                                               static_cast<float>(x2), static_cast<float>(y2));
  FinishShape(shape, name, nullptr);
  shape->SetLine(look);
}

void DrawCurvePiece(AddinContext& ctx, GraphContext& g, double u, double v,
                    const std::function<double(double)>& f, const std::wstring& role, const LineAttr& line) {
  std::tie(u, v) = VisibleRange(g.frame, u, v);
  if (!(u < v)) return;
  GetSampleCount(g, u, v);
  if (g.CurvePoints.size() < 2) return;
  FillCurve(g, u, v, f);
  AddCurveShape(ctx, g, role, line);
}

}  // namespace plx::graph
