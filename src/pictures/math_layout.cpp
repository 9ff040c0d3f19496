#include "pictures/math_layout.hpp"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>

#include "common/text.hpp"
#include "pictures/text_layout.hpp"

namespace plx::pictures {
namespace {

// Proportions of the font size.
constexpr double kScript = 0.7;      // a script's size against its base's
constexpr double kSmallest = 0.5;    // scripts of scripts shrink no further
constexpr double kAxis = 0.25;       // the math axis (fraction bars, minus signs) above the base line
constexpr double kRule = 0.05;       // fraction bars, radical strokes
constexpr double kGap = 0.12;        // between a bar and what it separates
constexpr double kOperatorSpace = 0.22;

// An element's child of the given name, or an empty node.
pugi::xml_node Child(const pugi::xml_node& n, const char* name) { return n.child(name); }

// The m:val of a property element (absent: `fallback`).
std::wstring Val(const pugi::xml_node& pr, const char* name, const wchar_t* fallback) {
  const pugi::xml_node n = pr.child(name);
  if (!n) return fallback;
  const pugi::xml_attribute a = n.attribute("m:val");
  return a ? Utf8ToWide(a.value()) : L"";
}

bool On(const pugi::xml_node& pr, const char* name) {
  const pugi::xml_node n = pr.child(name);
  if (!n) return false;
  const char* v = n.attribute("m:val").value();
  return *v == 0 || std::strcmp(v, "1") == 0 || std::strcmp(v, "on") == 0 || std::strcmp(v, "true") == 0;
}

Item PathItem(Path path) {
  Item item;
  item.path = std::move(path);
  return item;
}

Item TextItem(Text text) {
  Item item;
  item.kind = Item::Kind::Text;
  item.text = std::move(text);
  return item;
}

void Shift(Item& item, double dx, double dy) {
  if (item.kind == Item::Kind::Text) {
    item.text.left += dx;
    item.text.baseline += dy;
  } else {
    for (Point& p : item.path.points) {
      p.x += dx;
      p.y += dy;
    }
  }
}

// Puts `box`'s items into `into` with its origin at (dx, dy).
void Place(MathBox& into, const MathBox& box, double dx, double dy) {
  for (Item item : box.items) {
    Shift(item, dx, dy);
    into.items.push_back(std::move(item));
  }
}

bool IsBinaryOperator(wchar_t c) {
  static const std::wstring kOperators = L"+-=<>±∓×÷·≤≥≠≈≡∽∼≌∈∉⊂⊃⊆⊇∪∩→⇒⇔←↔∥⊥∠△";
  return kOperators.find(c) != std::wstring::npos;
}

bool IsItalicLetter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= 0x03B1 && c <= 0x03C9);
}

class Typesetter {
 public:
  Typesetter(const Font& font) : font_(font) {}

  // A sequence of elements side by side; `alignAt` (when given) gets the x
  // of the first alignment mark.
  MathBox Row(const pugi::xml_node& parent, double size, double* alignAt = nullptr) {
    MathBox row;
    // Markup nested deeper than any formula needs is left out, so that the
    // recursion stays bounded whatever the XML.
    if (depth_ >= kMaxDepth) return row;
    ++depth_;
    for (const pugi::xml_node& n : parent.children()) {
      if (n.type() != pugi::node_element) continue;
      if (alignAt && *alignAt < 0 && On(n.child("m:rPr"), "m:aln")) *alignAt = row.width;
      Append(row, Element(n, size, row.items.empty() && row.width == 0));
    }
    --depth_;
    return row;
  }

 private:
  static void Append(MathBox& row, const MathBox& box) {
    Place(row, box, row.width, 0);
    row.width += box.width;
    row.ascent = std::max(row.ascent, box.ascent);
    row.descent = std::max(row.descent, box.descent);
  }

  double Smaller(double size) const { return std::max(size * kScript, font_.size * kSmallest); }

  MathBox Element(const pugi::xml_node& n, double size, bool first) {
    const std::string name = n.name();
    if (name == "m:r") return Run(n, size, first, upright_ > 0);
    if (name == "m:f") return Fraction(n, size);
    if (name == "m:sSup" || name == "m:sSub" || name == "m:sSubSup") return Scripts(n, size);
    if (name == "m:sPre") return PreScripts(n, size);
    if (name == "m:rad") return Radical(n, size);
    if (name == "m:d") return Delimited(n, size);
    if (name == "m:nary") return Nary(n, size);
    if (name == "m:acc") return Accent(n, size);
    if (name == "m:bar") return Bar(n, size);
    if (name == "m:m") return Matrix(n, size);
    if (name == "m:eqArr") return EquationArray(n, size);
    if (name == "m:func") return Function(n, size);
    if (name == "m:limLow" || name == "m:limUpp") return Limit(n, size, name == "m:limLow");
    if (name == "m:groupChr") return GroupCharacter(n, size);
    if (name == "m:borderBox") return Framed(Row(Child(n, "m:e"), size), size);
    if (name.ends_with("Pr") || name.rfind("w:", 0) == 0) return {};
    return Row(n, size);  // m:box, m:phant, m:oMath and other containers
  }

  // Text set as it is: letters in italics unless the run is upright,
  // space around binary operators (not for a leading sign).
  MathBox Run(const pugi::xml_node& r, double size, bool first, bool upright = false) {
    std::wstring text;
    for (const pugi::xml_node& t : r.children("m:t")) text += Utf8ToWide(t.text().get());
    const pugi::xml_node pr = r.child("m:rPr");
    upright = upright || pr.child("m:nor") || Val(pr, "m:sty", L"i") == L"p";
    MathBox box;
    size_t i = 0;
    while (i < text.size()) {
      const wchar_t c = text[i];
      if (IsBinaryOperator(c)) {
        const double space = first && box.width == 0 ? 0 : kOperatorSpace * size;
        MathBox op = Glyphs(std::wstring(1, c == L'-' ? L'−' : c), size, false);
        box.width += space;
        Append(box, op);
        box.width += space;
        ++i;
        continue;
      }
      const bool italic = !upright && IsItalicLetter(c);
      size_t j = i + 1;
      while (j < text.size() && !IsBinaryOperator(text[j]) && (!upright && IsItalicLetter(text[j])) == italic) ++j;
      Append(box, Glyphs(text.substr(i, j - i), size, italic));
      if (text[j - 1] == L',') box.width += 0.15 * size;
      i = j;
    }
    return box;
  }

  MathBox Glyphs(const std::wstring& text, double size, bool italic) {
    Text t;
    t.text = text;
    t.font = font_;
    t.font.size = size;
    t.font.italic = italic;
    t.font.underline = false;
    const TextExtent e = measure_.Measure(t);
    MathBox box;
    box.width = e.width;
    box.ascent = std::max(e.inkAscent, 0.7 * size);
    box.descent = std::max(e.inkDescent, 0.2 * size);
    box.items.push_back(TextItem(std::move(t)));
    return box;
  }

  Path Stroke(double size) const {
    Path p;
    p.stroke.width = std::max(kRule * size, 0.4);
    p.stroke.color = font_.color;
    return p;
  }

  void Line(MathBox& box, double x1, double y1, double x2, double y2, double size) const {
    Path p = Stroke(size);
    p.MoveTo(x1, y1);
    p.LineTo(x2, y2);
    box.items.push_back(PathItem(std::move(p)));
  }

  MathBox Fraction(const pugi::xml_node& f, double size) {
    const std::wstring type = Val(f.child("m:fPr"), "m:type", L"bar");
    MathBox num = Row(Child(f, "m:num"), size), den = Row(Child(f, "m:den"), size);
    MathBox box;
    if (type == L"lin" || type == L"skw") {  // a/b on the line
      Append(box, num);
      Append(box, Glyphs(L"/", size, false));
      Append(box, den);
      return box;
    }
    const double pad = 0.1 * size, axis = kAxis * size, gap = kGap * size;
    box.width = std::max(num.width, den.width) + 2 * pad;
    const double numBase = -axis - gap - num.descent, denBase = -axis + gap + den.ascent;
    Place(box, num, (box.width - num.width) / 2, numBase);
    Place(box, den, (box.width - den.width) / 2, denBase);
    if (type != L"noBar") Line(box, pad / 2, -axis, box.width - pad / 2, -axis, size);
    box.ascent = -numBase + num.ascent;
    box.descent = denBase + den.descent;
    box.width += 0.05 * size;
    return box;
  }

  // A base with a superscript, a subscript or both to its right.
  MathBox Scripts(const pugi::xml_node& s, double size) {
    MathBox box = Row(Child(s, "m:e"), size);
    AttachScripts(box, s.child("m:sub"), s.child("m:sup"), size);
    return box;
  }

  void AttachScripts(MathBox& box, const pugi::xml_node& subNode, const pugi::xml_node& supNode, double size) {
    const double small = Smaller(size);
    const double x = box.width + 0.03 * size;
    double w = 0;
    if (supNode) {
      MathBox sup = Row(supNode, small);
      const double base = -std::max(0.45 * size, box.ascent - 0.3 * size);
      Place(box, sup, x, base);
      box.ascent = std::max(box.ascent, -base + sup.ascent);
      w = sup.width;
    }
    if (subNode) {
      MathBox sub = Row(subNode, small);
      const double base = std::max(0.22 * size, box.descent - 0.1 * size);
      Place(box, sub, x, base);
      box.descent = std::max(box.descent, base + sub.descent);
      w = std::max(w, sub.width);
    }
    box.width = x + w + 0.05 * size;
  }

  MathBox PreScripts(const pugi::xml_node& s, double size) {
    MathBox scripts;
    AttachScripts(scripts, s.child("m:sub"), s.child("m:sup"), size);
    MathBox box = scripts;
    Append(box, Row(Child(s, "m:e"), size));
    return box;
  }

  // The root sign drawn around the radicand: a short rise, the long
  // stroke down to the bottom, up to the top and the bar over the radicand;
  // the degree sits small in the crook.
  MathBox Radical(const pugi::xml_node& r, double size) {
    MathBox content = Row(Child(r, "m:e"), size);
    const bool hideDegree = On(r.child("m:radPr"), "m:degHide");
    MathBox degree;
    if (!hideDegree) degree = Row(Child(r, "m:deg"), std::max(size * 0.5, font_.size * kSmallest));
    const double top = -(content.ascent + kGap * size), bottom = content.descent + 0.05 * size;
    const double height = bottom - top, sign = std::min(0.6 * size, 0.3 * size + 0.1 * height);
    const double x0 = std::max(0.0, degree.width - 0.35 * sign);
    MathBox box;
    Path p = Stroke(size);
    p.MoveTo(x0, top + 0.6 * height);
    p.LineTo(x0 + 0.25 * sign, top + 0.52 * height);
    p.LineTo(x0 + 0.55 * sign, bottom);
    p.LineTo(x0 + sign, top);
    p.LineTo(x0 + sign + content.width + 0.1 * size, top);
    box.items.push_back(PathItem(std::move(p)));
    if (degree.width > 0) Place(box, degree, 0, top + 0.5 * height - degree.descent - 0.05 * size);
    Place(box, content, x0 + sign + 0.05 * size, 0);
    box.width = x0 + sign + content.width + 0.15 * size;
    box.ascent = -top + p.stroke.width;
    if (degree.width > 0) box.ascent = std::max(box.ascent, -(top + 0.5 * height - degree.descent) + degree.ascent);
    box.descent = bottom;
    return box;
  }

  // A bracket as tall as the content, or as a glyph where one is enough.
  void Bracket(MathBox& box, wchar_t c, double top, double bottom, bool opening, double size) {
    if (c == 0) return;
    const double height = bottom - top;
    if (height <= 1.3 * size) {
      MathBox glyph = Glyphs(std::wstring(1, c), size, false);
      Place(box, glyph, box.width, 0);
      box.width += glyph.width;
      return;
    }
    const double w = std::min(0.25 * size + 0.04 * height, 0.6 * size), x = box.width + 0.05 * size;
    const double l = opening ? x + w : x, r = opening ? x : x + w;  // l: the ends, r: the far side
    const double mid = (top + bottom) / 2;
    Path p = Stroke(size);
    switch (c) {
      case L'[':
      case L']':
        p.MoveTo(l, top);
        p.LineTo(r, top);
        p.LineTo(r, bottom);
        p.LineTo(l, bottom);
        break;
      case L'{':
      case L'}': {
        const double m = (l + r) / 2;
        p.MoveTo(l, top);
        p.CurveTo({m, top}, {m, top}, {m, top + 0.1 * height});
        p.LineTo(m, mid - 0.1 * height);
        p.CurveTo({m, mid}, {m, mid}, {r, mid});
        p.CurveTo({m, mid}, {m, mid}, {m, mid + 0.1 * height});
        p.LineTo(m, bottom - 0.1 * height);
        p.CurveTo({m, bottom}, {m, bottom}, {l, bottom});
        break;
      }
      case L'|':
      case L'‖':
        p.MoveTo(x + w / 2, top);
        p.LineTo(x + w / 2, bottom);
        if (c == L'‖') {
          p.MoveTo(x + w / 2 + 0.15 * size, top);
          p.LineTo(x + w / 2 + 0.15 * size, bottom);
        }
        break;
      case L'⟨':
      case L'〈':
      case L'⟩':
      case L'〉':
        p.MoveTo(l, top);
        p.LineTo(r, mid);
        p.LineTo(l, bottom);
        break;
      default:  // round brackets, and any other bracket as the round one
        p.MoveTo(l, top);
        p.CurveTo({r, top + 0.25 * height}, {r, bottom - 0.25 * height}, {l, bottom});
        break;
    }
    box.items.push_back(PathItem(std::move(p)));
    box.width = x + w + (c == L'‖' ? 0.15 * size : 0) + 0.05 * size;
  }

  MathBox Delimited(const pugi::xml_node& d, double size) {
    const pugi::xml_node pr = d.child("m:dPr");
    const std::wstring open = Val(pr, "m:begChr", L"("), close = Val(pr, "m:endChr", L")");
    const std::wstring separator = Val(pr, "m:sepChr", L"|");
    std::vector<MathBox> parts;
    double ascent = 0.7 * size, descent = 0.2 * size;
    for (const pugi::xml_node& e : d.children("m:e")) {
      parts.push_back(Row(e, size));
      ascent = std::max(ascent, parts.back().ascent);
      descent = std::max(descent, parts.back().descent);
    }
    // Brackets are symmetric about the axis.
    const double axis = kAxis * size, half = std::max(ascent - axis, descent + axis) + 0.05 * size;
    const double top = -axis - half, bottom = -axis + half;
    MathBox box;
    Bracket(box, open.empty() ? 0 : open[0], top, bottom, true, size);
    for (size_t i = 0; i < parts.size(); ++i) {
      if (i > 0 && !separator.empty()) Bracket(box, separator[0], top, bottom, true, size);
      Append(box, parts[i]);
    }
    Bracket(box, close.empty() ? 0 : close[0], top, bottom, false, size);
    box.ascent = std::max(ascent, -top);
    box.descent = std::max(descent, bottom);
    return box;
  }

  // A large operator, centred on the axis, its limits below and above or
  // as scripts (integrals), then its operand.
  MathBox Nary(const pugi::xml_node& n, double size) {
    const pugi::xml_node pr = n.child("m:naryPr");
    const std::wstring chr = Val(pr, "m:chr", L"∫");
    const bool integral = !chr.empty() && chr[0] >= 0x222B && chr[0] <= 0x2233;
    const bool undOvr = Val(pr, "m:limLoc", integral ? L"subSup" : L"undOvr") == L"undOvr";
    MathBox op = Glyphs(chr.empty() ? L"∫" : chr, size * (integral ? 1.5 : 1.3), false);
    // Centre the glyph's ink on the axis.
    const Text& glyph = op.items.front().text;
    const TextExtent ink = measure_.Measure(glyph);
    const double lift = -kAxis * size - (ink.inkDescent - ink.inkAscent) / 2;
    for (Item& item : op.items) Shift(item, 0, lift);
    op.ascent = ink.inkAscent - lift + 0.05 * size;
    op.descent = ink.inkDescent + lift + 0.05 * size;
    const pugi::xml_node sub = On(pr, "m:subHide") ? pugi::xml_node() : n.child("m:sub");
    const pugi::xml_node sup = On(pr, "m:supHide") ? pugi::xml_node() : n.child("m:sup");
    MathBox box;
    if (undOvr) {
      MathBox below = sub ? Row(sub, Smaller(size)) : MathBox{}, above = sup ? Row(sup, Smaller(size)) : MathBox{};
      box.width = std::max({op.width, below.width, above.width});
      Place(box, op, (box.width - op.width) / 2, 0);
      box.ascent = op.ascent;
      box.descent = op.descent;
      if (above.width > 0) {
        Place(box, above, (box.width - above.width) / 2, -op.ascent - above.descent);
        box.ascent += above.ascent + above.descent;
      }
      if (below.width > 0) {
        Place(box, below, (box.width - below.width) / 2, op.descent + below.ascent);
        box.descent += below.ascent + below.descent;
      }
    } else {
      box = op;
      const double small = Smaller(size);
      double w = 0;
      if (sup) {
        MathBox s = Row(sup, small);
        Place(box, s, op.width, -op.ascent + s.ascent);
        w = s.width;
      }
      if (sub) {
        MathBox s = Row(sub, small);
        Place(box, s, op.width - (integral ? 0.25 * size : 0), op.descent - s.descent);
        w = std::max(w, s.width - (integral ? 0.25 * size : 0));
      }
      box.width = op.width + w;
    }
    box.width += 0.15 * size;
    Append(box, Row(Child(n, "m:e"), size));
    return box;
  }

  MathBox Accent(const pugi::xml_node& a, double size) {
    const std::wstring chr = Val(a.child("m:accPr"), "m:chr", L"\u0302");
    MathBox box = Row(Child(a, "m:e"), size);
    const wchar_t c = chr.empty() ? L'\u0302' : chr[0];
    const double y = -box.ascent - 0.1 * size;
    if (c == 0x0305 || c == 0x0304 || c == 0x00AF || c == 0x203E) {
      Line(box, 0.05 * size, y, box.width, y, size);
      box.ascent += 0.15 * size;
      return box;
    }
    if (c == 0x20D7 || c == 0x2192 || c == 0x20D6) {
      Path p = Stroke(size);
      p.MoveTo(0.05 * size, y - 0.1 * size);
      p.LineTo(box.width, y - 0.1 * size);
      p.stroke.end.style = c == 0x20D6 ? 1 : 2;
      p.stroke.begin.style = c == 0x20D6 ? 2 : 1;
      p.stroke.end.length = p.stroke.end.width = p.stroke.begin.length = p.stroke.begin.width = 1;
      box.items.push_back(PathItem(std::move(p)));
      box.ascent += 0.35 * size;
      return box;
    }
    static const std::pair<wchar_t, wchar_t> kSpacing[] = {{0x0302, 0x02C6}, {0x0303, 0x02DC}, {0x0307, 0x02D9},
                                                           {0x0308, 0x00A8}, {0x0301, 0x00B4}, {0x0300, 0x0060},
                                                           {0x030C, 0x02C7}, {0x0306, 0x02D8}};
    wchar_t shown = c;
    for (auto [combining, spacing] : kSpacing)
      if (c == combining) shown = spacing;
    MathBox mark = Glyphs(std::wstring(1, shown), size, false);
    const TextExtent ink = measure_.Measure(mark.items.front().text);
    const double base = -box.ascent - 0.05 * size - ink.inkDescent;
    Place(box, mark, (box.width - ink.inkWidth) / 2 - ink.inkLeft, base);
    box.ascent = std::max(box.ascent, -base + ink.inkAscent);
    return box;
  }

  MathBox Bar(const pugi::xml_node& b, double size) {
    MathBox box = Row(Child(b, "m:e"), size);
    if (Val(b.child("m:barPr"), "m:pos", L"bot") == L"top") {
      const double y = -box.ascent - 0.1 * size;
      Line(box, 0, y, box.width, y, size);
      box.ascent += 0.15 * size;
    } else {
      const double y = box.descent + 0.05 * size;
      Line(box, 0, y, box.width, y, size);
      box.descent += 0.1 * size;
    }
    return box;
  }

  MathBox Framed(MathBox box, double size) {
    const double pad = 0.15 * size;
    MathBox out;
    Place(out, box, pad, 0);
    Path p = Stroke(size);
    p.Rectangle(0, -box.ascent - pad, box.width + 2 * pad, box.ascent + box.descent + 2 * pad);
    out.items.push_back(PathItem(std::move(p)));
    out.width = box.width + 2 * pad;
    out.ascent = box.ascent + pad;
    out.descent = box.descent + pad;
    return out;
  }

  // Rows of cells in columns as wide as their widest cell, centred on the
  // axis; `align` lines the rows of an equation array up at their first
  // alignment mark, else each row is centred.
  MathBox Grid(const std::vector<std::vector<pugi::xml_node>>& rows, double size, bool align) {
    struct Cell {
      MathBox box;
      double alignAt = -1;
    };
    std::vector<std::vector<Cell>> cells;
    std::vector<double> widths;
    double leftOfMark = 0, rightOfMark = 0;
    for (const auto& row : rows) {
      cells.emplace_back();
      for (size_t c = 0; c < row.size(); ++c) {
        Cell cell;
        cell.box = Row(row[c], size, align ? &cell.alignAt : nullptr);
        if (widths.size() <= c) widths.push_back(0);
        widths[c] = std::max(widths[c], cell.box.width);
        if (align && cell.alignAt >= 0) {
          leftOfMark = std::max(leftOfMark, cell.alignAt);
          rightOfMark = std::max(rightOfMark, cell.box.width - cell.alignAt);
        }
        cells.back().push_back(std::move(cell));
      }
    }
    const bool marked = align && leftOfMark + rightOfMark > 0;
    if (marked) widths.assign(1, std::max(widths.empty() ? 0 : widths[0], leftOfMark + rightOfMark));
    const double columnGap = 0.8 * size, rowGap = 0.2 * size;
    MathBox box;
    double y = 0;
    std::vector<double> baselines;
    for (const auto& row : cells) {
      double ascent = 0.7 * size, descent = 0.2 * size;
      for (const Cell& cell : row) {
        ascent = std::max(ascent, cell.box.ascent);
        descent = std::max(descent, cell.box.descent);
      }
      if (!baselines.empty()) y += rowGap;
      baselines.push_back(y + ascent);
      y += ascent + descent;
      double x = 0;
      for (size_t c = 0; c < row.size(); ++c) {
        const Cell& cell = row[c];
        const double dx = marked && cell.alignAt >= 0 ? leftOfMark - cell.alignAt : (widths[c] - cell.box.width) / 2;
        Place(box, cell.box, x + dx, baselines.back());
        x += widths[c] + columnGap;
      }
    }
    double width = 0;
    for (double w : widths) width += w;
    box.width = width + columnGap * (widths.empty() ? 0 : widths.size() - 1);
    // The grid's middle goes onto the axis.
    const double shift = -kAxis * size - y / 2;
    for (Item& item : box.items) Shift(item, 0, shift);
    box.ascent = -shift;
    box.descent = y + shift;
    return box;
  }

  MathBox Matrix(const pugi::xml_node& m, double size) {
    std::vector<std::vector<pugi::xml_node>> rows;
    for (const pugi::xml_node& mr : m.children("m:mr")) {
      rows.emplace_back();
      for (const pugi::xml_node& e : mr.children("m:e")) rows.back().push_back(e);
    }
    return Grid(rows, size, false);
  }

  MathBox EquationArray(const pugi::xml_node& a, double size) {
    std::vector<std::vector<pugi::xml_node>> rows;
    for (const pugi::xml_node& e : a.children("m:e")) rows.push_back({e});
    return Grid(rows, size, true);
  }

  // A function name upright, a thin space, its argument.
  MathBox Function(const pugi::xml_node& f, double size) {
    ++upright_;
    MathBox box = Row(Child(f, "m:fName"), size);
    --upright_;
    box.width += 0.17 * size;
    Append(box, Row(Child(f, "m:e"), size));
    return box;
  }

  MathBox Limit(const pugi::xml_node& l, double size, bool below) {
    MathBox base = Row(Child(l, "m:e"), size), lim = Row(Child(l, "m:lim"), Smaller(size));
    MathBox box;
    box.width = std::max(base.width, lim.width);
    Place(box, base, (box.width - base.width) / 2, 0);
    box.ascent = base.ascent;
    box.descent = base.descent;
    if (below) {
      Place(box, lim, (box.width - lim.width) / 2, base.descent + lim.ascent);
      box.descent += lim.ascent + lim.descent;
    } else {
      Place(box, lim, (box.width - lim.width) / 2, -base.ascent - lim.descent);
      box.ascent += lim.ascent + lim.descent;
    }
    return box;
  }

  // A brace (or other character) stretched under or over its base, drawn
  // as a flat brace.
  MathBox GroupCharacter(const pugi::xml_node& g, double size) {
    MathBox box = Row(Child(g, "m:e"), size);
    const bool top = Val(g.child("m:groupChrPr"), "m:pos", L"bot") == L"top";
    const double depth = 0.25 * size, w = box.width;
    const double y = top ? -box.ascent - 0.05 * size : box.descent + 0.05 * size, tip = top ? y - depth : y + depth;
    const double edge = top ? y - depth / 2 : y + depth / 2;
    Path p = Stroke(size);
    p.MoveTo(0, y);
    p.CurveTo({0, edge}, {0, edge}, {0.1 * w, edge});
    p.LineTo(0.45 * w, edge);
    p.CurveTo({0.5 * w, edge}, {0.5 * w, edge}, {0.5 * w, tip});
    p.CurveTo({0.5 * w, edge}, {0.5 * w, edge}, {0.55 * w, edge});
    p.LineTo(0.9 * w, edge);
    p.CurveTo({w, edge}, {w, edge}, {w, y});
    box.items.push_back(PathItem(std::move(p)));
    (top ? box.ascent : box.descent) += depth + 0.1 * size;
    return box;
  }

  static constexpr int kMaxDepth = 200;
  Font font_;
  TextMeasure measure_;
  int depth_ = 0;
  int upright_ = 0;  // inside a function name: letters upright
};

}  // namespace

MathBox TypesetOfficeMath(const std::string& xml, const Font& font) {
  pugi::xml_document doc;
  if (!doc.load_buffer(xml.data(), xml.size())) return {};
  pugi::xml_node math = doc.document_element();
  if (std::strcmp(math.name(), "m:oMathPara") == 0) math = math.child("m:oMath");
  if (!math) return {};
  return Typesetter(font).Row(math, font.size);
}

void AddMath(Scene& scene, const MathBox& box, double left, double baseline) {
  for (Item item : box.items) {
    Shift(item, left, baseline);
    scene.items.push_back(std::move(item));
  }
}

}  // namespace plx::pictures
