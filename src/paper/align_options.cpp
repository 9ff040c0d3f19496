#include "paper/align_options.hpp"

#include <algorithm>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"
#include "platform/regexp.hpp"

namespace plx {
namespace {

// A label is a capital letter followed by a point, a full-width point or
// "、"; between labels anything but a paragraph mark.
constexpr const wchar_t* kFourOptions =
    L"^A[\\.．、]{1}[^\\r]*?B[\\.．、]{1}[^\\r]*?C[\\.．、]{1}[^\\r]*?D[\\.．、]{1}[^\\r]*?\\r";
constexpr const wchar_t* kTwoOptions = L"^A[\\.．、]{1}[^\\r]*?B[\\.．、]{1}[^\\r]*?\\r";
constexpr const wchar_t* kSecondPair = L"^C[\\.．、]{1}[^\\r]*?D[\\.．、]{1}[^\\r]*?\\r";

bool Matches(const wchar_t* pattern, const std::wstring& text) {
  RegExp re;
  re.Pattern = pattern;
  return re.Test(text);
}

constexpr double kDefaultSize = 10.5;

// Replaces, inside the paragraph, every match of a host wildcard text.
void ReplaceInParagraph(docif::Range& paragraph, const std::wstring& find, const std::wstring& with) {
  auto scope = paragraph.Duplicate();
  auto f = scope->GetFind();
  f->ClearFormatting();
  f->Text = find;
  f->Replacement.Text = with;
  f->MatchWildcards = true;
  f->Forward = true;
  f->Wrap = docif::kFindStop;
  f->Execute(docif::kReplaceAll);
}

struct Measure {
  double size = kDefaultSize;
  double lineStart = 0;  // where the first label stands, from the left indent
  double available = 0;  // from there to the right indent
};

Measure MeasureParagraph(docif::Document& doc, docif::Range& paragraph) {
  Measure m;
  if (auto s = paragraph.Characters()->First()->Font().Size; s && *s > 0) m.size = *s;
  docif::ParagraphFormat pf = paragraph.GetParagraphFormat();
  docif::PageSetup page = doc.PageSetup();
  double text = page.PageWidth - page.LeftMargin - page.RightMargin - pf.LeftIndent.value_or(0) -
                pf.RightIndent.value_or(0);
  m.lineStart = pf.FirstLineIndent.value_or(0);
  if (pf.CharacterUnitFirstLineIndent && *pf.CharacterUnitFirstLineIndent != 0)
    m.lineStart = *pf.CharacterUnitFirstLineIndent * m.size;
  m.lineStart = std::max(0.0, m.lineStart);
  m.available = std::max(text - m.lineStart, m.size);
  return m;
}

// The widest option of a paragraph whose options are separated by tabs, in ems.
double WidestOption(const std::wstring& text) {
  double widest = 0;
  for (const auto& part : Split(Replace(text, L"\r", L""), L"\t")) widest = std::max(widest, TextWidth(part, 1));
  return widest;
}

void SetColumns(docif::Range& paragraphs, const Measure& m, int columns) {
  paragraphs.ClearTabStops();
  const double column = m.available / columns;
  for (int k = 1; k < columns; ++k)
    paragraphs.AddTabStop({.Position = m.lineStart + k * column, .Alignment = 0});
}

const wchar_t* BlanksBeforeLabels(OptionLine kind) {
  return kind == OptionLine::Four ? L"[　 ^t]{1,}([BCD][.．、])" : L"[　 ^t]{1,}([BD][.．、])";
}

// Lays out an option paragraph whose labels are separated by tabs, as many
// columns as the widest option (of the paragraph, or of both lines of a
// two-line block) fits in. Four options that do not fit four to a line go
// two to a line; options too wide for half a line stand one to a line.
void LayOut(docif::Document& doc, const docif::RangePtr& paragraph, OptionLine kind, double widestText) {
  // A line typed after a numbered question carries the question's list; an
  // option line is no question.
  paragraph->RemoveNumbers();
  Measure m = MeasureParagraph(doc, *paragraph);
  const double widest = widestText * m.size + m.size;  // at least one character before the next label
  int columns = kind == OptionLine::Four ? 4 : 2;
  if (columns == 4 && widest > m.available / 4) {
    columns = 2;
    ReplaceInParagraph(*paragraph, L"^t([C][.．、])", L"^p\\1");
  }
  if (widest > m.available / 2) {
    columns = 1;
    ReplaceInParagraph(*paragraph, L"^t([BCD][.．、])", L"^p\\1");
  }
  SetColumns(*paragraph, m, columns);
}

}  // namespace

double TextWidth(const std::wstring& text, double size) {
  double ems = 0;
  for (wchar_t c : text) {
    if (c == L'\t' || c == L'\r') continue;
    bool wide = (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFF60) ||
                (c >= 0xFFE0 && c <= 0xFFE6) || c == 0x3000;
    ems += wide ? 1 : 0.5;
  }
  return ems * size;
}

OptionLine ClassifyOptionLine(const std::wstring& text, OptionLine previous) {
  if (Matches(kFourOptions, text)) return OptionLine::Four;
  if (Matches(kTwoOptions, text)) return OptionLine::Two;
  if (previous == OptionLine::Two && Matches(kSecondPair, text)) return OptionLine::SecondPair;
  return OptionLine::None;
}

int AlignOptions(AddinContext& ctx) {
  auto doc = ActiveDoc(ctx);
  auto scope = SelectionOrDocument(ctx);
  // Live ranges first: splitting a paragraph renumbers the ones after it.
  std::vector<std::pair<docif::RangePtr, OptionLine>> found;
  auto paragraphs = scope->Paragraphs();
  OptionLine previous = OptionLine::None;
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    previous = ClassifyOptionLine(p->Text(), previous);
    if (previous != OptionLine::None) found.emplace_back(p, previous);
  }
  std::vector<double> widest;
  for (auto& [p, kind] : found) {
    ReplaceInParagraph(*p, BlanksBeforeLabels(kind), L"^t\\1");
    widest.push_back(WidestOption(p->Text()));
  }
  // The two lines of a two-line block share their columns.
  for (size_t i = 0; i + 1 < found.size(); ++i)
    if (found[i + 1].second == OptionLine::SecondPair) widest[i] = widest[i + 1] = std::max(widest[i], widest[i + 1]);
  for (size_t i = 0; i < found.size(); ++i) LayOut(*doc, found[i].first, found[i].second, widest[i]);
  return static_cast<int>(found.size());
}

}  // namespace plx
