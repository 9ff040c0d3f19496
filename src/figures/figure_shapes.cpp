#include "figures/figure_shapes.hpp"

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_output.hpp"

namespace plx::figures {
namespace {

constexpr docif::WrapFormat kInFront{.AllowOverlap = true, .Type = 3};

}  // namespace

bool IsFormulaText(const std::wstring& text) {
  for (const wchar_t* token : {L"/", L"gh", L"^", L"ln", L"sin", L"cos", L"tan", L"cot", L"sqr", L"@", L"pi"})
    if (Contains(text, token)) return true;
  return false;
}

docif::ShapePtr FigureShapes::Line(const std::wstring& role, double x1, double y1, double x2, double y2,
                                   const docif::LineFormat& look) {
  auto line = ctx_.App->ActiveDocument()->GetShapes()->AddLine(static_cast<float>(x1), static_cast<float>(y1),
                                                               static_cast<float>(x2), static_cast<float>(y2));
  Keep(line, role);
  line->SetLine(look);
  line->SetWrap(kInFront);
  return line;
}

docif::ShapePtr FigureShapes::Shape(const std::wstring& role, int autoShapeType, double left, double top,
                                    double width, double height, std::optional<uint32_t> fill) {
  auto shape = ctx_.App->ActiveDocument()->GetShapes()->AddShape(
      autoShapeType, static_cast<float>(left), static_cast<float>(top), static_cast<float>(width),
      static_cast<float>(height));
  Keep(shape, role);
  shape->SetLine({.Visible = true, .ForeColor = 0});
  if (fill) shape->SetFill({.Visible = true, .ForeColor = *fill, .Pattern = 0});
  else shape->SetFill({.Visible = false});
  shape->SetWrap(kInFront);
  return shape;
}

docif::ShapePtr FigureShapes::Freeform(const std::wstring& role, const std::vector<docif::PointF>& points,
                                       const docif::LineFormat& look) {
  if (points.empty()) Raise(err::kInvalidCall);
  auto builder = ctx_.App->ActiveDocument()->GetShapes()->BuildFreeform(docif::kEditingAuto, points[0].x, points[0].y);
  for (size_t i = 1; i < points.size(); ++i)
    builder->AddNodes(docif::kSegmentLine, docif::kEditingAuto, points[i].x, points[i].y);
  auto shape = builder->ConvertToShape();
  Keep(shape, role);
  shape->SetLine(look);
  shape->SetFill({.Visible = false});
  shape->SetWrap(kInFront);
  return shape;
}

docif::ShapePtr FigureShapes::TextBox(const std::wstring& role, double left, double top, double width,
                                      double height, const std::wstring& text, bool italic) {
  auto box = ctx_.App->ActiveDocument()->GetShapes()->AddTextbox(
      1, static_cast<float>(left), static_cast<float>(top), static_cast<float>(width), static_cast<float>(height));
  Keep(box, role);
  box->SetFill({.Visible = false});
  box->SetLine({.Visible = false});
  box->SetWrap(kInFront);
  auto range = box->TextRange();
  range->SetText(text);
  if (italic) range->SetFont({.Italic = true});
  box->TextRange()->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  return box;
}

docif::ShapePtr FigureShapes::FormulaBox(const std::wstring& role, double left, double top, double width,
                                         double height, const std::wstring& formula) {
  auto box = TextBox(role, left, top, width, height, L"");
  const FormulaSettings settings = LoadFormulaSettings(ctx_);
  const std::wstring code = SetEQ(ChangeXLZM(formula), settings, [](const std::wstring&) {});
  auto range = box->TextRange();
  range->GetFields()->Add(*range, docif::kFieldEmpty, L"EQ " + code);
  box->TextRange()->SetParagraphFormat({.Alignment = docif::kAlignCenter});
  return box;
}

void FigureShapes::Keep(const docif::ShapePtr& shape, const std::wstring& role) {
  ++g_.ShapeCount;
  drawn_.push_back(shape);
  std::wstring name = graph::GetShapeName(ctx_, g_, role);
  // With the rule's numbers all used, the name it gives is taken already:
  // by a shape of this figure, or (the host refuses it) by one drawn just
  // before.
  if (named_.insert(name).second) {
    try {
      shape->SetName(name);
      return;
    } catch (const VbError&) {
      named_.erase(name);
    }
  }
  name = WiderName(role);
  shape->SetName(name);
  named_.insert(name);
  g_.ShapeNames[g_.ShapeCount] = name;
}

std::wstring FigureShapes::WiderName(const std::wstring& role) {
  std::wstring digits;
  for (wchar_t c : Mid(ctx_.GetClock().DateTimeText(), 3))
    if (c >= L'0' && c <= L'9') digits += c;
  // The role is shortened where it would push the number past the 32
  // characters a name keeps.
  const std::wstring prefix = Left(role + L"：", 20);
  for (int& next = wider_.try_emplace(role, 1000).first->second;; ++next) {
    const std::wstring name = Left(prefix + std::to_wstring(next) + digits + L"_plendrix", 32);
    if (g_.takenNames.insert(name).second) {
      ++next;
      return name;
    }
  }
}

void FigureShapes::KeepNamed(const docif::ShapePtr& shape, const std::wstring& name) {
  ++g_.ShapeCount;
  drawn_.push_back(shape);
  try {
    shape->SetName(name);
    if (static_cast<int>(g_.ShapeNames.size()) <= g_.ShapeCount) g_.ShapeNames.resize(g_.ShapeCount + 1);
    g_.ShapeNames[g_.ShapeCount] = name;
    g_.takenNames.insert(name);
    named_.insert(name);
  } catch (const VbError&) {
    // An earlier figure of the document has the name: names are unique, so
    // this one gets the rule's name for the same role.
    --g_.ShapeCount;
    drawn_.pop_back();
    Keep(shape, name);
  }
}

void FigureShapes::Reset() {
  graph::ResetShapeNames(g_);
  drawn_.clear();
  named_.clear();
  wider_.clear();
}

void FigureShapes::Discard() {
  for (const auto& shape : drawn_) {
    try {
      shape->Delete();
    } catch (const VbError&) {
      // Already gone with the document or a group: nothing left to remove.
    }
  }
  Reset();
}

docif::ShapePtr FigureShapes::Finish(const std::wstring& role, std::optional<graph::InsertPoint> at) {
  if (g_.ShapeCount == 0) return nullptr;
  std::vector<std::wstring> names(g_.ShapeNames.begin() + 1, g_.ShapeNames.begin() + 1 + g_.ShapeCount);
  auto shapes = ctx_.App->ActiveDocument()->GetShapes();
  docif::ShapePtr figure;
  if (names.size() < 2) {
    figure = shapes->Item(names[0]);  // a single shape keeps its own name
  } else {
    figure = shapes->Range(names)->Group();
    ++g_.ShapeCount;
    figure->SetName(graph::GetShapeName(ctx_, g_, role));
  }
  figure->ZOrder(docif::kSendToBack);
  figure->ZOrder(docif::kBringInFrontOfText);
  if (at) {
    figure->SetLeft(at->left);
    figure->SetTop(at->top);
    // Kept against the paragraph of the insertion point, like the graphs.
    figure->SetRelativeVerticalPosition(docif::kRelativeVerticalPositionParagraph);
  }
  figure->SetWrap(kInFront);
  figure->Select(true);
  Reset();
  return figure;
}

}  // namespace plx::figures
