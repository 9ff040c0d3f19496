#include "docif/uno/uno_laid_out.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>

#include "docif/model/model_collections.hpp"
#include "docif/uno/uno_cell_boxes.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_page_view.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// Characters that take a place but show no glyph of their own.
bool Drawn(wchar_t c) {
  return c >= 0x20 && c != 0x7F && c != model::kParagraphMark && c != model::kCellEnd && c != model::kRowEnd;
}

// Where the pieces of a Writer paragraph start: in the mirror, in Writer's
// cursor steps and in the characters Writer's getString gives.
struct PieceStarts {
  std::vector<long> mirror, steps, shown;
  explicit PieceStarts(const WriterParagraph& p) {
    long m = 0, s = 0, h = 0;
    for (const auto& piece : p.pieces) {
      mirror.push_back(m);
      steps.push_back(s);
      shown.push_back(h);
      m += piece.mirror;
      s += piece.steps;
      h += piece.shown;
    }
    mirror.push_back(m);
    steps.push_back(s);
    shown.push_back(h);
  }
  long Shown() const { return shown.back(); }
};

// One shown character of a paragraph: its mirror position, the piece it
// belongs to and its place among the characters Writer shows.
struct Glyph {
  long pos;
  wchar_t c;
  size_t piece;
  long shown;
};

// The character at mirror offset `offset` of the paragraph as Writer
// shows it; false when Writer shows it nowhere (a field's marks and code).
bool ShownAt(const WriterParagraph& p, const PieceStarts& at, long offset, size_t* piece, long* shown) {
  const auto it = std::upper_bound(at.mirror.begin(), at.mirror.end() - 1, offset);
  if (it == at.mirror.begin()) return false;
  const size_t j = static_cast<size_t>(it - at.mirror.begin()) - 1;
  const auto& pc = p.pieces[j];
  const long inside = offset - at.mirror[j];
  if (pc.shown == 0) return false;
  if (pc.mirror == pc.shown) {
    *shown = at.shown[j] + inside;
  } else {
    // A field: its result stands before its end mark.
    const long result = pc.mirror - 1 - pc.shown;
    if (inside < result || inside >= pc.mirror - 1) return false;
    *shown = at.shown[j] + inside - result;
  }
  *piece = j;
  return true;
}

// Writer's cursor steps before the shown character `shown`.
long StepsBefore(const WriterParagraph& p, const PieceStarts& at, long shown) {
  const auto it = std::upper_bound(at.shown.begin(), at.shown.end() - 1, shown);
  const size_t j = static_cast<size_t>(it - at.shown.begin()) - 1;
  const auto& pc = p.pieces[j];
  const long inside = shown - at.shown[j];
  return at.steps[j] + (pc.steps == pc.shown ? inside : (inside > 0 ? pc.steps : 0));
}

// The Writer paragraph of an entry, for its portions and formats.
Reference<container::XEnumerationAccess> WriterParagraphOf(const WriterParagraph& p) {
  auto cursor = p.text->createTextCursorByRange(p.begin);
  Reference<text::XParagraphCursor>(cursor, uno::UNO_QUERY_THROW)->gotoEndOfParagraph(true);
  auto items = Reference<container::XEnumerationAccess>(cursor, uno::UNO_QUERY_THROW)->createEnumeration();
  return Reference<container::XEnumerationAccess>(items->nextElement(), uno::UNO_QUERY_THROW);
}

// The font of each piece that shows text, read from the paragraph's
// portions in the order the mirror's pieces were made from them.
std::vector<FontFormat> PieceFonts(const Reference<container::XEnumerationAccess>& paragraph, size_t count) {
  std::vector<FontFormat> fonts;
  auto portions = paragraph->createEnumeration();
  while (portions->hasMoreElements() && fonts.size() < count) {
    Reference<beans::XPropertySet> portion(portions->nextElement(), uno::UNO_QUERY);
    if (!portion.is()) continue;
    rtl::OUString type;
    portion->getPropertyValue("TextPortionType") >>= type;
    if (type == "Text") {
      if (Reference<text::XTextRange>(portion, uno::UNO_QUERY_THROW)->getString().isEmpty()) continue;
      fonts.push_back(ReadFont(portion));
    } else if (type == "TextField") {
      fonts.push_back(ReadFont(portion));
    } else if (type == "Frame" || type == "TextFieldStart" || type == "TextFieldSeparator" ||
               type == "TextFieldEnd" || type == "Footnote" || type == "Annotation" || type == "AnnotationEnd") {
      fonts.emplace_back();  // a piece that shows no text
    }
  }
  fonts.resize(count);
  return fonts;
}

// The shown characters of a paragraph that break its line.
std::set<long> LineBreaks(const model::Story& story, const WriterParagraph& p, const PieceStarts& at) {
  std::set<long> breaks;
  for (size_t j = 0; j < p.pieces.size(); ++j)
    if (p.pieces[j].mirror == p.pieces[j].shown)
      for (long k = 0; k < p.pieces[j].mirror; ++k)
        if (story.Text()[p.start + at.mirror[j] + k] == L'\v') breaks.insert(at.shown[j] + k);
  return breaks;
}

// One line of a paragraph as Writer laid it out: the shown characters
// [from, to), where it starts and where its text ends.
struct Line {
  long from = 0, to = 0;
  PagePoint start;
  double end = 0;
};

// Lays the paragraph out line by line until the line holding shown
// character `until`: the view cursor walks from each line's start to its end.
std::vector<Line> WalkLines(PageView& v, const WriterParagraph& p, const PieceStarts& at, long until,
                            const std::set<long>& breaks) {
  std::vector<Line> lines;
  v.view->gotoRange(p.begin, false);
  long from = 0;
  const long total = at.Shown();
  while (true) {
    Line line;
    line.from = from;
    line.start = v.Here();
    auto lineStart = v.view->getStart();
    // The line's characters: the view's own selection gives them in the
    // body; in a table cell it gives none, and a cursor of the cell counts them.
    v.lines->gotoEndOfLine(true);
    line.end = v.Here().x;
    rtl::OUString shown;
    if (p.textId == 0) {
      shown = v.view->getString();
    } else {
      auto counter = p.text->createTextCursorByRange(lineStart);
      counter->gotoRange(v.view->getEnd(), true);
      shown = counter->getString();
    }
    line.to = from + static_cast<long>(FromOUString(shown).size());
    lines.push_back(line);
    // A line ends before its line break; the next one starts after it.
    from = line.to + (breaks.count(line.to) ? 1 : 0);
    if (from >= total || from <= line.from || line.to > until) break;
    v.view->gotoRange(lineStart, false);
    v.GoRight(StepsBefore(p, at, from) - StepsBefore(p, at, line.from));
  }
  return lines;
}

// The cells of the document's tables as laid out, read once per table.
using CellCache = std::map<uint32_t, std::vector<CellBox>>;

// The box of the table cell holding a paragraph, when it stands in one.
std::optional<CellBox> BoxOf(WriterDoc& doc, const WriterParagraph& p, CellCache& cells) {
  if (p.textId == 0) return std::nullopt;
  const uint32_t table = doc.story.Mirror().Cell(p.start).table;
  auto it = cells.find(table);
  if (it == cells.end()) it = cells.emplace(table, CellBoxesOf(doc, table)).first;
  const auto rows = model::TableCellSpans(doc.story.Tables(), doc.story.Mirror(), table);
  for (const CellBox& box : it->second) {
    const auto [s, e] = rows[box.row - 1][box.column - 1];
    if (p.start >= s && p.start <= e) return box;
  }
  return std::nullopt;
}

// Where the lines of a paragraph start before its indents: the page's left
// margin (a text box's inner left edge), or in a table cell the cell's left
// edge and inner margin.
double AreaLeft(WriterDoc& doc, PageView& v, const WriterParagraph& p, CellCache& cells) {
  const auto box = BoxOf(doc, p, cells);
  if (!box) return doc.textLeft ? doc.textLeft() : v.LeftMargin();
  sal_Int32 inner = 0;
  Reference<beans::XPropertySet>(p.text, uno::UNO_QUERY_THROW)->getPropertyValue("LeftBorderDistance") >>= inner;
  return box->left + FromMm100(inner);
}

// How far the lines of a centred or right-aligned paragraph move back to
// where its lines start: its first line starts after the first-line indent.
double AlignmentShift(double areaLeft, const ParagraphFormat& format, const Line& line, bool first) {
  const double flush = areaLeft + format.LeftIndent.value_or(0) + (first ? format.FirstLineIndent.value_or(0) : 0);
  return std::min(0.0, flush - line.start.x);
}

// The pieces of one paragraph's glyphs: runs of one piece, one line and
// consecutive characters.
void AddParagraph(WriterDoc& doc, PageView& v, const WriterParagraph& p, const std::vector<Glyph>& glyphs,
                  CellCache& cells, std::vector<LaidText>& out) {
  const model::Story& story = doc.story.Mirror();
  const PieceStarts at(p);
  const auto paragraph = WriterParagraphOf(p);
  const std::vector<FontFormat> fonts = PieceFonts(paragraph, p.pieces.size());
  const ParagraphFormat format = ReadParagraphFormat(Reference<beans::XPropertySet>(paragraph, uno::UNO_QUERY_THROW));
  const std::vector<Line> lines = WalkLines(v, p, at, glyphs.back().shown, LineBreaks(story, p, at));
  // Runs of glyphs, each within one line.
  struct Run {
    size_t first, last;  // glyph indexes
    size_t line;
  };
  std::vector<Run> runs;
  size_t line = 0;
  for (size_t g = 0; g < glyphs.size(); ++g) {
    while (line + 1 < lines.size() && glyphs[g].shown >= lines[line].to) ++line;
    const bool joins = !runs.empty() && runs.back().line == line && glyphs[g - 1].piece == glyphs[g].piece &&
                       glyphs[g - 1].shown + 1 == glyphs[g].shown && glyphs[g - 1].pos + 1 == glyphs[g].pos;
    if (joins) runs.back().last = g;
    else runs.push_back({g, g, line});
  }
  // Each run's left and right edge: a line's start and end are known, the
  // places inside a line are read with the view cursor, left to right.
  std::map<long, double> xs;  // by shown character
  for (size_t l = 0; l < lines.size(); ++l) {
    std::set<long> wanted;
    for (const Run& r : runs)
      if (r.line == l) {
        wanted.insert(glyphs[r.first].shown);
        wanted.insert(glyphs[r.last].shown + 1);
      }
    wanted.erase(lines[l].from);
    wanted.erase(lines[l].to);
    xs[lines[l].from] = lines[l].start.x;
    if (wanted.empty()) continue;
    v.view->gotoRange(p.begin, false);
    long steps = 0;
    for (long shown : wanted) {
      if (shown > lines[l].to) break;
      const long move = StepsBefore(p, at, shown) - steps;
      v.GoRight(move);
      steps += move;
      xs[shown] = v.Here().x;
    }
  }
  const int alignment = format.Alignment.value_or(kAlignLeft);
  const bool aligned = alignment == kAlignCenter || alignment == kAlignRight;
  const double areaLeft = aligned ? AreaLeft(doc, v, p, cells) : 0;
  for (const Run& r : runs) {
    const Line& ln = lines[r.line];
    const long from = glyphs[r.first].shown, to = glyphs[r.last].shown + 1;
    const double left = xs.count(from) ? xs[from] : ln.start.x;
    const double right = to >= ln.to ? ln.end : (xs.count(to) ? xs[to] : left);
    LaidText piece;
    for (size_t g = r.first; g <= r.last; ++g) piece.text += glyphs[g].c;
    piece.start = glyphs[r.first].pos;
    piece.page = ln.start.page;
    piece.left = left + (aligned ? AlignmentShift(areaLeft, format, ln, r.line == 0) : 0);
    piece.top = ln.start.y;
    piece.width = std::max(0.0, right - left);
    piece.font = fonts[glyphs[r.first].piece];
    out.push_back(std::move(piece));
  }
}

}  // namespace

std::vector<LaidText> LaidOutText(WriterDoc& doc, long start, long end) {
  const model::Story& story = doc.story.Mirror();
  std::vector<long> shownAt;
  const std::wstring text = story.Visible(start, end, doc.showFieldCodes, &shownAt);
  // The glyphs of each Writer paragraph, in reading order.
  const auto& paragraphs = doc.story.Paragraphs();
  std::vector<std::pair<size_t, std::vector<Glyph>>> byParagraph;
  std::optional<PieceStarts> starts;
  size_t startsOf = paragraphs.size();
  for (size_t i = 0; i < shownAt.size(); ++i) {
    const long pos = shownAt[i];
    const wchar_t c = text[i];
    if (pos < 0 || pos >= story.Length() || !Drawn(c) || story.Text()[pos] != c) continue;
    const WriterParagraph& p = doc.story.ParagraphAt(pos);
    const size_t index = static_cast<size_t>(&p - paragraphs.data());
    if (index != startsOf) {
      starts.emplace(p);
      startsOf = index;
    }
    size_t piece = 0;
    long shown = 0;
    if (p.rowEnd || !ShownAt(p, *starts, pos - p.start, &piece, &shown)) continue;
    if (byParagraph.empty() || byParagraph.back().first != index) byParagraph.push_back({index, {}});
    byParagraph.back().second.push_back({pos, c, piece, shown});
  }
  std::vector<LaidText> out;
  if (byParagraph.empty()) return out;
  PageView view(doc);
  CellCache cells;
  std::vector<size_t> owners;  // each piece's paragraph
  for (const auto& [index, glyphs] : byParagraph) {
    AddParagraph(doc, view, paragraphs[index], glyphs, cells, out);
    owners.resize(out.size(), index);
  }
  // A line's height is the distance to the next line down the page (the
  // line after the last one is read too); in a table cell, to the next line
  // of the same cell, the cell's last line reaching to its row's end.
  std::set<std::tuple<int, int, double>> tops;  // text (0 for any), page, top
  auto addTop = [&](int textId, int page, double top) {
    tops.insert({0, page, top});
    if (textId != 0) tops.insert({textId, page, top});
  };
  for (size_t i = 0; i < out.size(); ++i) addTop(paragraphs[owners[i]].textId, out[i].page, out[i].top);
  for (size_t i = byParagraph.back().first + 1; i < paragraphs.size(); ++i)
    if (!paragraphs[i].rowEnd) {
      const PagePoint next = view.At(paragraphs[i].begin);
      addTop(paragraphs[i].textId, next.page, next.y);
      break;
    }
  for (size_t i = 0; i < out.size(); ++i) {
    LaidText& piece = out[i];
    const WriterParagraph& p = paragraphs[owners[i]];
    const auto next = tops.upper_bound({p.textId, piece.page, piece.top});
    double step = next != tops.end() && std::get<0>(*next) == p.textId && std::get<1>(*next) == piece.page
                      ? std::get<2>(*next) - piece.top
                      : 0;
    if (const auto box = step > 0 ? std::nullopt : BoxOf(doc, p, cells); box && box->page == piece.page)
      step = box->top + box->height - piece.top;
    const double size = piece.font.Size.value_or(10.5);
    piece.lineHeight = step > 0 && step < 4 * size ? step : 1.2 * size;
  }
  return out;
}

}  // namespace plx::docif::lo
