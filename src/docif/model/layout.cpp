#include "docif/model/layout.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "docif/range.hpp"

namespace plx::docif::model {
namespace {

constexpr double kDefaultTab = 21.0;

bool IsWide(wchar_t c) { return c >= 0x2E80; }

struct Placed {
  double x = 0, y = 0;
  int page = 1;
};

struct Layout {
  std::vector<Placed> at;  // one per story position, plus the end
  int pages = 1;
};

// The document grid's line pitch in points, 0 without a line grid. New
// documents have the 15.6-point grid a Chinese word processor starts with;
// lines of text snap to whole multiples of it.
double GridPitch(const DocData& doc) {
  const std::string& sect = doc.origin.sectPr;
  if (sect.empty()) return 15.6;
  const size_t grid = sect.find("w:docGrid");
  if (grid == std::string::npos) return 0;
  const std::string element = sect.substr(grid, sect.find('>', grid) - grid);
  if (element.find("w:type=\"lines") == std::string::npos) return 0;
  const size_t pitch = element.find("w:linePitch=\"");
  return pitch == std::string::npos ? 0 : std::atof(element.c_str() + pitch + 14) / 20;
}

Layout Compute(const DocData& doc, const Story& story) {
  const PageSetup& p = doc.page;
  const double pitch = GridPitch(doc);
  auto snapped = [pitch](double h) { return pitch > 0 ? std::ceil(h / pitch - 1e-6) * pitch : h; };
  double right = p.PageWidth - p.RightMargin;
  double bottom = p.PageHeight - p.BottomMargin;
  std::vector<long> shown;
  story.Visible(0, story.Length(), doc.showFieldCodes, &shown);
  std::vector<bool> visible(story.Length() + 1, false);
  for (long pos : shown) visible[pos] = true;

  Layout out;
  out.at.resize(story.Length() + 1);
  Placed cur{p.LeftMargin, p.TopMargin, 1};
  double lineHeight = 0;
  bool lineStart = true;
  const ParaFormat* para = nullptr;
  auto newLine = [&] {
    cur.y += snapped(lineHeight > 0 ? lineHeight : 12.6);
    cur.x = p.LeftMargin + (para ? para->leftIndent : 0);
    lineHeight = 0;
    lineStart = true;
  };
  for (long i = 0; i < story.Length(); ++i) {
    if (lineStart && (i == 0 || story.IsParagraphEnd(i - 1))) {
      auto [s, e] = story.ParagraphAt(i);
      para = &doc.paraFormats[story.Cell(e - 1).paragraph];
      const CharFormat& f = doc.charFormats[story.Cell(i).format];
      cur.x = p.LeftMargin + para->leftIndent + para->firstIndent + para->charIndent * f.size;
    }
    if (!visible[i]) {
      out.at[i] = cur;
      continue;
    }
    wchar_t c = story.Text()[i];
    const CharFormat& f = doc.charFormats[story.Cell(i).format];
    double w = IsWide(c) ? f.size : f.size / 2;
    double h = 1.2 * f.size;
    if (c == kInlineObject) {
      auto it = doc.objects.find(story.Cell(i).object);
      if (it != doc.objects.end()) {
        w = it->second.width;
        h = it->second.height;
      }
    } else if (c == L'\t') {
      double rel = cur.x - p.LeftMargin;
      double next = (std::floor(rel / kDefaultTab) + 1) * kDefaultTab;
      if (para)
        for (const auto& t : para->tabs)
          if (t.Position > rel + 0.01) { next = t.Position; break; }
      w = std::max(0.0, next - rel);
    }
    if (cur.x + w > right + 0.01 && !lineStart) newLine();
    lineHeight = std::max(lineHeight, h);
    if (cur.y + snapped(lineHeight) > bottom + 0.01 && cur.y > p.TopMargin) {
      ++cur.page;
      cur.y = p.TopMargin;
    }
    out.at[i] = cur;
    lineStart = false;
    if (story.IsParagraphEnd(i) || c == kRowEnd || c == L'\v') {
      newLine();
    } else {
      cur.x += w;
    }
  }
  out.at[story.Length()] = cur;
  out.pages = cur.page;
  return out;
}

}  // namespace

double LayoutInformation(const DocData& doc, const Story& story, long pos, int type) {
  // Text box stories sit in their box: report the main story's positions.
  const Story& laid = story.Length() > 0 ? story : *doc.main;
  Layout layout = Compute(doc, laid);
  pos = std::clamp(pos, 0L, laid.Length());
  const Placed& at = layout.at[pos];
  switch (type) {
    case kHorizontalPositionRelativeToPage: return at.x;
    case kVerticalPositionRelativeToPage: return at.y;
    case kActiveEndPageNumber: return at.page;
    case kNumberOfPagesInDocument: return layout.pages;
    default: return -1;
  }
}

std::pair<long, long> PageSpan(const DocData& doc, int page) {
  Layout layout = Compute(doc, *doc.main);
  long start = -1, end = doc.main->Length();
  for (long i = 0; i < doc.main->Length(); ++i) {
    if (layout.at[i].page == page && start < 0) start = i;
    if (layout.at[i].page > page) { end = i; break; }
  }
  if (start < 0) return {end, end};
  return {start, end};
}

}  // namespace plx::docif::model
