#include "surface_dump.hpp"

#include <nlohmann/json.hpp>

#include "common/text.hpp"

namespace plx::cli {
namespace {

using nlohmann::ordered_json;

// The members a run is told apart by; a member the host leaves undefined
// over a range means the range holds more than one run.
bool Uniform(const docif::FontFormat& f) {
  return f.NameAscii && f.NameFarEast && f.Size && f.Bold && f.Italic && f.Underline && f.Color && f.Superscript &&
         f.Subscript;
}

ordered_json FontJson(const docif::FontFormat& f) {
  ordered_json j;
  j["font"] = WideToUtf8(f.NameAscii.value_or(L""));
  j["fontFarEast"] = WideToUtf8(f.NameFarEast.value_or(L""));
  j["size"] = f.Size.value_or(0);
  j["bold"] = f.Bold.value_or(false);
  j["italic"] = f.Italic.value_or(false);
  j["underline"] = f.Underline.value_or(0);
  j["color"] = f.Color.value_or(0);
  j["superscript"] = f.Superscript.value_or(false);
  j["subscript"] = f.Subscript.value_or(false);
  return j;
}

// Splits [start, end) into runs of one font by halving: a handful of
// calls per run instead of one per character.
void AddRuns(docif::Document& doc, long start, long end, ordered_json& runs) {
  if (end <= start) return;
  const docif::FontFormat f = doc.GetRange(start, end)->Font();
  if (Uniform(f) || end - start == 1) {
    ordered_json run = FontJson(f);
    if (!runs.empty()) {
      ordered_json& last = runs.back();
      ordered_json previous = last;
      previous.erase("start");
      previous.erase("end");
      if (previous == run) {
        last["end"] = end;
        return;
      }
    }
    ordered_json j;
    j["start"] = start;
    j["end"] = end;
    j.update(run);
    runs.push_back(std::move(j));
    return;
  }
  const long middle = start + (end - start) / 2;
  AddRuns(doc, start, middle, runs);
  AddRuns(doc, middle, end, runs);
}

template <class T>
void Put(ordered_json& j, const char* name, const std::optional<T>& value) {
  if (value) j[name] = *value;
}

// A shape's name, kind and box in page points, with its group's items.
ordered_json ShapeJson(docif::Shape& shape) {
  ordered_json j;
  j["name"] = WideToUtf8(shape.Name());
  j["type"] = shape.Type();
  if (const int autoShape = shape.AutoShapeType()) j["autoShapeType"] = autoShape;
  j["left"] = shape.Left();
  j["top"] = shape.Top();
  j["width"] = shape.Width();
  j["height"] = shape.Height();
  if (const double rotation = shape.Rotation()) j["rotation"] = rotation;
  if (shape.Type() == docif::kShapeGroup) {
    ordered_json items = ordered_json::array();
    auto group = shape.GroupItems();
    for (int i = 1; i <= group->Count(); ++i) items.push_back(ShapeJson(*group->Item(i)));
    j["items"] = std::move(items);
  } else if (shape.HasTextFrame()) {
    if (auto text = shape.TextRange()) j["text"] = WideToUtf8(text->Text());
  }
  return j;
}

}  // namespace

std::string SurfaceDumpJson(docif::Document& doc, int indent) {
  ordered_json out;
  const docif::PageSetup page = doc.PageSetup();
  out["page"] = {{"width", page.PageWidth},    {"height", page.PageHeight},     {"top", page.TopMargin},
                 {"bottom", page.BottomMargin}, {"left", page.LeftMargin},      {"right", page.RightMargin}};
  ordered_json paragraphs = ordered_json::array();
  auto all = doc.Paragraphs();
  for (int i = 1; i <= all->Count(); ++i) {
    auto p = all->Item(i);
    ordered_json j;
    j["start"] = p->Start();
    j["end"] = p->End();
    j["text"] = WideToUtf8(p->Text());
    j["style"] = WideToUtf8(p->Style());
    const docif::ParagraphFormat f = p->GetParagraphFormat();
    Put(j, "alignment", f.Alignment);
    Put(j, "lineSpacingRule", f.LineSpacingRule);
    Put(j, "lineSpacing", f.LineSpacing);
    Put(j, "firstLineIndent", f.FirstLineIndent);
    Put(j, "leftIndent", f.LeftIndent);
    Put(j, "rightIndent", f.RightIndent);
    Put(j, "spaceBefore", f.SpaceBefore);
    Put(j, "spaceAfter", f.SpaceAfter);
    if (const std::wstring number = p->ListString(); !number.empty()) j["listNumber"] = WideToUtf8(number);
    ordered_json tabs = ordered_json::array();
    for (const docif::TabStop& t : p->TabStops()) tabs.push_back({{"position", t.Position}, {"alignment", t.Alignment}});
    if (!tabs.empty()) j["tabs"] = std::move(tabs);
    ordered_json runs = ordered_json::array();
    AddRuns(doc, p->Start(), p->End() - 1, runs);  // the mark carries no run of its own
    j["runs"] = std::move(runs);
    paragraphs.push_back(std::move(j));
  }
  out["paragraphs"] = std::move(paragraphs);
  ordered_json tables = ordered_json::array();
  auto docTables = doc.GetTables();
  for (int t = 1; t <= docTables->Count(); ++t) {
    auto table = docTables->Item(t);
    ordered_json rows = ordered_json::array();
    for (int r = 1; r <= table->RowsCount(); ++r) {
      ordered_json row = ordered_json::array();
      for (int c = 1; c <= table->ColumnsCount(); ++c) row.push_back(WideToUtf8(table->Cell(r, c)->Text()));
      rows.push_back(std::move(row));
    }
    tables.push_back({{"start", table->GetRange()->Start()}, {"rows", std::move(rows)}});
  }
  out["tables"] = std::move(tables);
  ordered_json fields = ordered_json::array();
  auto docFields = doc.GetFields();
  for (int i = 1; i <= docFields->Count(); ++i) {
    auto field = docFields->Item(i);
    fields.push_back({{"start", field->Code()->Start() - 1},
                      {"code", WideToUtf8(field->Code()->Text())},
                      {"result", WideToUtf8(field->Result()->Text())}});
  }
  out["fields"] = std::move(fields);
  ordered_json inlineShapes = ordered_json::array();
  auto docInlineShapes = doc.GetInlineShapes();
  for (int i = 1; i <= docInlineShapes->Count(); ++i) {
    auto shape = docInlineShapes->Item(i);
    inlineShapes.push_back({{"position", shape->GetRange()->Start()},
                            {"type", shape->Type()},
                            {"width", shape->Width()},
                            {"height", shape->Height()}});
  }
  out["inlineShapes"] = std::move(inlineShapes);
  ordered_json shapes = ordered_json::array();
  auto docShapes = doc.GetShapes();
  for (int i = 1; i <= docShapes->Count(); ++i) {
    auto shape = docShapes->Item(i);
    ordered_json j = ShapeJson(*shape);
    j["anchor"] = shape->Anchor()->Start();
    shapes.push_back(std::move(j));
  }
  out["shapes"] = std::move(shapes);
  return out.dump(indent);
}

}  // namespace plx::cli
