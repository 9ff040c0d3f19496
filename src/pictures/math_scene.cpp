#include "pictures/math_scene.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "docif/office_math.hpp"
#include "pictures/math_layout.hpp"
#include "pictures/shape_scene.hpp"

namespace plx::pictures {
namespace {

// Characters [start, end) of the story shown as the formula `xml`.
struct MathSpan {
  long start = 0, end = 0;
  std::string xml;
};

std::vector<MathSpan> MathSpans(docif::Range& story) {
  std::vector<MathSpan> spans;
  auto equations = story.GetOMaths();
  for (int i = 1; i <= equations->Count(); ++i) {
    auto eq = equations->Item(i);
    if (!eq->IsBuiltUp()) continue;  // the linear format shows as the text it is
    docif::RangePtr r = eq->GetRange();
    spans.push_back({r->Start(), r->End(), docif::OfficeMathOfEquation(r->Text(), true)});
  }
  auto fields = story.GetFields();
  for (int i = 1; i <= fields->Count(); ++i) {
    auto field = fields->Item(i);
    if (field->Type() != docif::kFieldFormula || field->ShowCodes()) continue;
    docif::RangePtr result = field->Result();
    if (!result || result->Start() >= result->End()) continue;
    if (std::optional<std::string> xml = docif::OfficeMathOfEqField(field->Code()->Text()))
      spans.push_back({result->Start(), result->End(), std::move(*xml)});
  }
  return spans;
}

}  // namespace

void AddTypesetMath(Scene& scene, docif::Range& story, std::vector<docif::LaidText>& pieces, double dx, double dy) {
  if (pieces.empty()) return;
  for (const MathSpan& span : MathSpans(story)) {
    auto inside = [&](const docif::LaidText& p) { return p.start >= span.start && p.start < span.end; };
    auto first = std::find_if(pieces.begin(), pieces.end(), inside);
    if (first == pieces.end()) continue;
    const double size = first->font.Size.value_or(10.5);
    const MathBox box = TypesetOfficeMath(span.xml, FontOf(first->font));
    if (box.items.empty()) continue;  // nothing typeset: the text stays
    AddMath(scene, box, first->left + dx, Baseline(first->top + dy, first->lineHeight, size));
    std::erase_if(pieces, inside);
  }
}

}  // namespace plx::pictures
