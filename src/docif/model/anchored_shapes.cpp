#include "docif/model/anchored_shapes.hpp"

#include <algorithm>
#include <functional>
#include <string>

#include "docif/model/layout.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"

namespace plx::docif::model {
namespace {

void Append(std::string& out, double v) {
  out += std::to_string(v);
  out += '|';
}

// Everything the layout of the main text is made from, as one string: an
// equal string lays the text out the same. The text and its cells count by
// their edits; equations and inline objects by what changes their height.
std::string LayoutInputs(const DocData& doc) {
  const Story& main = *doc.main;
  std::string out = std::to_string(main.Edits()) + '|';
  const PageSetup& p = doc.page;
  for (double v : {p.PageWidth, p.PageHeight, p.TopMargin, p.BottomMargin, p.LeftMargin, p.RightMargin}) Append(out, v);
  out += doc.showFieldCodes ? "codes|" : "results|";
  out += std::to_string(std::hash<std::string>{}(doc.origin.sectPr)) + '|';
  for (const auto& eq : doc.equations) {
    if (eq->story != doc.main) continue;
    out += std::to_string(eq->anchor->start) + ',' + std::to_string(eq->anchor->end) + (eq->builtUp ? "b|" : "|");
  }
  for (const auto& [id, object] : doc.objects) {
    out += std::to_string(id) + ',';
    Append(out, object.width);
    Append(out, object.height);
  }
  return out;
}

bool FollowsParagraph(const ShapeData& s) { return s.paragraphRelative && s.anchor && !s.deleted; }

double TopOf(const DocData& doc, long pos) {
  const std::vector<double>& tops = doc.shapeLayout.tops;
  const long paragraph = doc.main->ParagraphAt(std::clamp(pos, 0L, doc.main->Length() - 1)).first;
  return tops[std::clamp(paragraph, 0L, static_cast<long>(tops.size()) - 1)];
}

// Moves the shape to its paragraph's top as laid out now. A shape read
// from a file that was unchanged stays unchanged: its drawing as read is
// placed against the paragraph too, so it is still the drawing to write.
void Follow(const DocData& doc, ShapeData& s) {
  const double now = TopOf(doc, s.anchor->start);
  if (now == s.paragraphTop) return;
  const bool asRead = s.source && Fingerprint(s) == s.source->fingerprint;
  Translate(s, 0, now - s.paragraphTop);
  s.paragraphTop = now;
  if (asRead) s.source = std::make_shared<ReadDrawing>(ReadDrawing{s.source->xml, Fingerprint(s)});
}

// Lays the main text out again when what it is made from changed, and
// moves the shapes kept against their paragraph with it.
void Relayout(const DocData& doc) {
  std::string inputs = LayoutInputs(doc);
  if (inputs == doc.shapeLayout.inputs && !doc.shapeLayout.tops.empty()) return;
  std::vector<double>& tops = doc.shapeLayout.tops;
  tops.clear();
  for (const PagePlace& p : LayoutPlaces(doc, *doc.main)) tops.push_back(p.y);
  doc.shapeLayout.inputs = std::move(inputs);
  for (const auto& s : doc.shapes)
    if (FollowsParagraph(*s)) Follow(doc, *s);
}

}  // namespace

void FollowParagraphs(const DocData& doc) {
  if (std::any_of(doc.shapes.begin(), doc.shapes.end(), [](const auto& s) { return FollowsParagraph(*s); }))
    Relayout(doc);
}

double ParagraphTop(const DocData& doc, long pos) {
  Relayout(doc);
  return TopOf(doc, pos);
}

}  // namespace plx::docif::model
