#include "docif/ooxml/body_writer.hpp"

#include <algorithm>
#include <optional>

#include "common/text.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/ooxml/eq_linear.hpp"
#include "docif/ooxml/format_xml.hpp"
#include "docif/ooxml/inline_picture.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

using model::kCellEnd;
using model::kFieldBegin;
using model::kFieldEnd;
using model::kFieldSeparator;
using model::kInlineObject;
using model::Story;

// The left and right margin of a table cell the word processors use
// unless a table says otherwise (0.19 cm).
constexpr long kCellMargin = 108;

bool IsSymbolCharacter(wchar_t c) { return c >= 0xF000 && c <= 0xF0FF; }

class StoryWriter {
 public:
  StoryWriter(BodyContext& ctx, const Story& story, bool withShapes)
      : ctx_(ctx), doc_(ctx.doc), story_(story), withShapes_(withShapes) {
    if (withShapes) {
      for (size_t z = 0; z < doc_.shapes.size(); ++z) {
        const auto& s = doc_.shapes[z];
        long at = s->anchor ? s->anchor->start : 0;
        shapesAt_[story_.ParagraphAt(at).first].push_back({s.get(), z});
      }
      int id = 0;
      for (const auto& [name, anchor] : doc_.bookmarks) {
        starts_[anchor->start].push_back({name, id});
        ends_[anchor->end].push_back(id);
        ++id;
      }
    }
    for (const auto& eq : doc_.EquationsIn(story_, 0, story_.Length())) equations_[eq->anchor->start] = eq.get();
    for (const auto& f : story_.FieldsIn(0, story_.Length()))
      if (f.separator < f.end) fields_[f.separator] = f;
  }

  std::string Write() {
    return Blocks(0, story_.Length(), 0,
                  Twips(doc_.page.PageWidth - doc_.page.LeftMargin - doc_.page.RightMargin));
  }

 private:
  struct Placed {
    const model::ShapeData* shape;
    size_t z;
  };

  const std::string& RunProperties(uint32_t format) {
    auto it = rPr_.find(format);
    if (it == rPr_.end()) it = rPr_.emplace(format, RunPropertiesXml(doc_.charFormats[format])).first;
    return it->second;
  }

  // A paragraph's properties with its mark's run properties: the same for
  // every paragraph of one format whose mark has one format, so made once.
  const std::string& ParagraphProperties(uint32_t paragraph, uint32_t markFormat) {
    auto it = pPr_.find({paragraph, markFormat});
    if (it != pPr_.end()) return it->second;
    const model::ParaFormat& p = doc_.paraFormats[paragraph];
    std::string numPr;
    if (p.list) {
      auto list = ctx_.lists.find(p.list);
      if (list != ctx_.lists.end())
        numPr = "<w:numPr><w:ilvl w:val=\"" + std::to_string(list->second.second) + "\"/><w:numId w:val=\"" +
                std::to_string(list->second.first) + "\"/></w:numPr>";
    }
    std::string xml = ParagraphPropertiesXml(ListIndented(p), ctx_.styleId(p.style), numPr, RunProperties(markFormat),
                                             SectionBreak(p));
    return pPr_.emplace(std::pair{paragraph, markFormat}, std::move(xml)).first->second;
  }

  // A paragraph of a list the add-in made has its number at its indent and
  // its text one step (420 twips) further on every line, as the layout puts
  // them and the list's numbering says: its own indents, written as they
  // are, would override the numbering's.
  model::ParaFormat ListIndented(const model::ParaFormat& p) const {
    if (!doc_.InAddinList(p)) return p;
    model::ParaFormat written = p;
    written.leftIndent += model::kListTextStep;
    written.firstIndent = -model::kListTextStep;
    written.charIndent = 0;
    return written;
  }

  std::string Paragraph(long s, long e) {
    const model::CharCell& mark = story_.Cell(e - 1);
    // A body element kept as read fills its paragraph alone.
    if (e - s == 2 && story_.Text()[s] == kInlineObject) {
      auto it = doc_.objects.find(story_.Cell(s).object);
      if (it != doc_.objects.end() && it->second.block) return it->second.rawXml;
    }
    std::string out = "<w:p><w:pPr>" + ParagraphProperties(mark.paragraph, mark.format) + "</w:pPr>";
    if (withShapes_) {
      auto it = shapesAt_.find(s);
      if (it != shapesAt_.end())
        for (const Placed& placed : it->second) {
          ctx_.drawings.nextRelativeHeight = 251659264u + static_cast<uint32_t>(placed.z) * 2u;
          out += "<w:r>" + FloatingShapeXml(*placed.shape, ctx_.drawings) + "</w:r>";
        }
    }
    out += Runs(s, e - 1);
    out += Bookmarks(e - 1);
    out += "</w:p>";
    return out;
  }

  std::string Bookmarks(long pos) { return BookmarkEnds(pos) + BookmarkStarts(pos); }

  std::string BookmarkEnds(long pos) {
    std::string out;
    if (auto it = ends_.find(pos); it != ends_.end())
      for (int id : it->second) out += "<w:bookmarkEnd w:id=\"" + std::to_string(id) + "\"/>";
    return out;
  }

  std::string BookmarkStarts(long pos) {
    std::string out;
    if (auto it = starts_.find(pos); it != starts_.end())
      for (const auto& [name, id] : it->second)
        out += "<w:bookmarkStart w:id=\"" + std::to_string(id) + "\" w:name=\"" + XmlEscape(name) + "\"/>";
    return out;
  }

  // The equation starting at pos that can be written as <m:oMath> (plain
  // characters of one paragraph, not in a field code), or none: its
  // characters are then written as ordinary runs.
  const model::Equation* EquationAt(long pos, long paragraphEnd, bool inCode) const {
    auto it = equations_.find(pos);
    if (it == equations_.end() || inCode || it->second->anchor->end > paragraphEnd) return nullptr;
    for (long i = pos; i < it->second->anchor->end; ++i)
      if (story_.Text()[i] < 0x20) return nullptr;
    return it->second;
  }

  // An equation; bookmarks that start or end inside it are widened to it.
  std::string Equation(const model::Equation& eq) {
    long s = eq.anchor->start, e = eq.anchor->end;
    std::string out = Bookmarks(s);
    for (long i = s + 1; i < e; ++i) out += BookmarkStarts(i);
    out += OMathXml(story_.Text().substr(s, e - s), eq.builtUp, RunProperties(story_.Cell(s).format));
    for (long i = s + 1; i < e; ++i) out += BookmarkEnds(i);
    return out;
  }

  // The result of an EQ field whose separator is at `separator`, as an
  // equation built from its code, so that word processors that do not lay
  // out EQ fields show the formula typeset. None when the field ends in
  // another paragraph, its code or result holds more than plain characters
  // (a nested field, an object, a tab), or its code does not convert: the
  // result is then written as it is. Bookmarks inside the result are
  // widened to the equation.
  std::optional<std::string> EqResult(long separator, long paragraphEnd) {
    auto it = fields_.find(separator);
    if (it == fields_.end() || it->second.end >= paragraphEnd) return std::nullopt;
    const model::FieldMarks& f = it->second;
    const std::wstring& text = story_.Text();
    for (long i = f.begin + 1; i < f.end; ++i)
      if (i != f.separator && text[i] < 0x20) return std::nullopt;
    std::wstring code = text.substr(f.begin + 1, f.separator - f.begin - 1);
    if (model::FieldTypeOfCode(code) != kFieldFormula) return std::nullopt;
    std::optional<std::wstring> linear = EqLinearText(code);
    if (!linear) return std::nullopt;
    std::string out;
    for (long i = f.separator + 1; i < f.end; ++i) out += BookmarkStarts(i);
    long first = f.end > f.separator + 1 ? f.separator + 1 : f.separator;
    out += OMathXml(*linear, true, RunProperties(story_.Cell(first).format));
    for (long i = f.separator + 1; i < f.end; ++i) out += BookmarkEnds(i);
    return out;
  }

  std::string Runs(long s, long e) {
    std::string out;
    std::wstring text;  // the plain characters of the run being gathered
    uint32_t format = 0;
    bool textInCode = false;
    auto flush = [&] {
      if (text.empty()) return;
      const char* tag = textInCode ? "w:instrText" : "w:t";
      out += "<w:r>" + RunProperties(format) + "<" + tag + " xml:space=\"preserve\">" + XmlEscape(text) +
             "</" + tag + "></w:r>";
      text.clear();
    };
    auto run = [&](uint32_t f, const std::string& content) {
      flush();
      out += "<w:r>" + RunProperties(f) + content + "</w:r>";
    };
    for (long i = s; i < e; ++i) {
      if (const model::Equation* eq = EquationAt(i, e, !codeStack_.empty() && codeStack_.back())) {
        flush();
        out += Equation(*eq);
        i = eq->anchor->end - 1;
        continue;
      }
      std::string marks = Bookmarks(i);
      if (!marks.empty()) {
        flush();
        out += marks;
      }
      wchar_t c = story_.Text()[i];
      uint32_t f = story_.Cell(i).format;
      bool inCode = !codeStack_.empty() && codeStack_.back();
      if (c == kFieldBegin) {
        run(f, "<w:fldChar w:fldCharType=\"begin\"/>");
        codeStack_.push_back(true);
      } else if (c == kFieldSeparator) {
        run(f, "<w:fldChar w:fldCharType=\"separate\"/>");
        if (!codeStack_.empty()) codeStack_.back() = false;
        if (std::optional<std::string> result = EqResult(i, e)) {
          out += *result;
          i = fields_.at(i).end - 1;
        }
      } else if (c == kFieldEnd) {
        run(f, "<w:fldChar w:fldCharType=\"end\"/>");
        if (!codeStack_.empty()) codeStack_.pop_back();
      } else if (c == kInlineObject) {
        run(f, InlineObject(story_.Cell(i).object));
      } else if (c == L'\t') {
        run(f, "<w:tab/>");
      } else if (c == L'\v') {
        run(f, "<w:br/>");
      } else if (c == L'\f') {
        run(f, "<w:br w:type=\"page\"/>");
      } else if (c == 0x1E) {
        run(f, "<w:noBreakHyphen/>");
      } else if (c == 0x1F) {
        run(f, "<w:softHyphen/>");
      } else if (IsSymbolCharacter(c) && !inCode) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c));
        run(f, "<w:sym w:font=\"" + XmlEscape(doc_.charFormats[f].ascii) + "\" w:char=\"" + hex + "\"/>");
      } else if (c >= 0x20) {
        if (!text.empty() && (f != format || inCode != textInCode)) flush();
        format = f;
        textInCode = inCode;
        text += c;
      }
    }
    flush();
    return out;
  }

  // The properties of the section a paragraph ends: as read, or the
  // document's page with the break's type.
  std::string SectionBreak(const model::ParaFormat& p) const {
    if (p.sectionBreak == 0) return "";
    if (!p.sectionXml.empty()) return p.sectionXml;
    const PageSetup& page = doc_.page;
    return std::string("<w:sectPr><w:type w:val=\"") +
           (p.sectionBreak == kSectionBreakContinuous ? "continuous" : "nextPage") + "\"/><w:pgSz w:w=\"" +
           std::to_string(Twips(page.PageWidth)) + "\" w:h=\"" + std::to_string(Twips(page.PageHeight)) +
           "\"/><w:pgMar w:top=\"" + std::to_string(Twips(page.TopMargin)) + "\" w:right=\"" +
           std::to_string(Twips(page.RightMargin)) + "\" w:bottom=\"" + std::to_string(Twips(page.BottomMargin)) +
           "\" w:left=\"" + std::to_string(Twips(page.LeftMargin)) +
           "\" w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/><w:cols w:space=\"425\"/></w:sectPr>";
  }

  std::string InlineObject(uint32_t id) {
    auto it = doc_.objects.find(id);
    if (it == doc_.objects.end()) return "";
    const model::InlineObject& o = it->second;
    if (!o.rawXml.empty() && (o.type == model::kInlineRaw || UnchangedSinceRead(o))) return o.rawXml;
    if (o.type == kInlineShapePicture && !o.rawXml.empty()) return EditedInlinePictureXml(o, ctx_.drawings);
    if (o.type == kInlineShapePicture && !o.bytes.empty()) return InlinePictureXml(o, ctx_.drawings);
    // An embedded object without data of its own: shown as its class name.
    return "<w:t xml:space=\"preserve\">[" + XmlEscape(o.oleClass.empty() ? L"对象" : o.oleClass) + "]</w:t>";
  }

  // The paragraphs and tables of [from, to), which stand in the table
  // `container` (0: in none); tables are at most `width` twips wide.
  std::string Blocks(long from, long to, uint32_t container, long width) {
    std::string out;
    long i = from;
    while (i < to) {
      if (uint32_t table = model::TableWithin(doc_.tables, story_.Cell(i).table, container)) {
        auto span = model::TableSpan(doc_.tables, story_, table);
        out += Table(table, width);
        i = span ? std::max(span->second, i + 1) : i + 1;
        continue;
      }
      long end = std::min(story_.ParagraphAt(i).second, to);
      out += Paragraph(i, end);
      i = end;
    }
    return out;
  }

  std::string Table(uint32_t id, long width) {
    auto rows = model::TableCellSpans(doc_.tables, story_, id);
    const model::TableInfo& info = doc_.tables.count(id) ? doc_.tables.at(id) : emptyInfo_;
    bool rawFits = info.tcPr.size() == rows.size();
    for (size_t r = 0; rawFits && r < rows.size(); ++r) rawFits = info.tcPr[r].size() == rows[r].size();
    size_t columns = 1;
    for (const auto& row : rows) columns = std::max(columns, row.size());
    // Columns the add-in sized keep their width; the others share the rest
    // of the text width, or take the average of the sized ones.
    std::vector<long> widths(columns, 0);
    long sized = 0;
    size_t sizedCount = 0;
    for (size_t c = 0; c < columns && c < info.columnWidths.size(); ++c)
      if (info.columnWidths[c] > 0) {
        widths[c] = Twips(info.columnWidths[c]);
        sized += widths[c];
        ++sizedCount;
      }
    const bool customWidths = sizedCount > 0;
    if (sizedCount < columns) {
      const long share = sizedCount > 0 && sized >= width ? sized / static_cast<long>(sizedCount)
                                                           : (width - sized) / static_cast<long>(columns - sizedCount);
      for (long& w : widths)
        if (w == 0) w = share;
    }
    long tableWidth = 0;
    for (long w : widths) tableWidth += w;
    const bool hiddenSide = std::find(info.hiddenSides.begin(), info.hiddenSides.end(), true) != info.hiddenSides.end();
    std::string bordersXml = "<w:tblBorders>";
    const char* sides[] = {"top", "left", "bottom", "right", "insideH", "insideV"};
    for (size_t i = 0; i < std::size(sides); ++i) {
      const bool on = info.borders && !info.hiddenSides[i];
      bordersXml += std::string("<w:") + sides[i] + " w:val=\"" + (on ? "single" : "nil") +
                    "\" w:sz=\"4\" w:space=\"0\" w:color=\"000000\"/>";
    }
    bordersXml += "</w:tblBorders>";
    // Cell borders read with the table would override the sides turned off.
    const bool keepCellBorders = info.borders && !hiddenSide;
    std::string out = "<w:tbl>";
    if (!info.tblPr.empty()) {
      if (!info.borders) out += WithoutChildren(info.tblPr, "w:tblBorders");
      else if (hiddenSide) out += WithTableBorders(info.tblPr, bordersXml);
      else out += info.tblPr;
    } else {
      out += "<w:tblPr>";
      if (!info.style.empty()) out += "<w:tblStyle w:val=\"" + XmlEscape(info.style) + "\"/>";
      out += "<w:tblW w:w=\"" + std::to_string(tableWidth) + "\" w:type=\"dxa\"/>" + bordersXml;
      out += "<w:tblLayout w:type=\"fixed\"/></w:tblPr>";
    }
    if (!info.tblGrid.empty() && rawFits && !customWidths) {
      out += info.tblGrid;
    } else {
      out += "<w:tblGrid>";
      for (long w : widths) out += "<w:gridCol w:w=\"" + std::to_string(w) + "\"/>";
      out += "</w:tblGrid>";
    }
    for (size_t r = 0; r < rows.size(); ++r) {
      out += "<w:tr>";
      if (rawFits && r < info.trPr.size()) out += info.trPr[r];
      for (size_t c = 0; c < rows[r].size(); ++c) {
        out += "<w:tc>";
        if (rawFits && !customWidths) {
          out += keepCellBorders ? info.tcPr[r][c] : WithoutChildren(info.tcPr[r][c], "w:tcBorders");
        } else {
          const long w = c < widths.size() ? widths[c] : widths.back();
          out += "<w:tcPr><w:tcW w:w=\"" + std::to_string(w) + "\" w:type=\"dxa\"/></w:tcPr>";
        }
        // The cell's paragraphs (the last ends with the cell mark) and the
        // tables in it, as wide as the cell less its margins.
        auto [s, e] = rows[r][c];
        const long cellWidth = c < widths.size() ? widths[c] : widths.back();
        out += Blocks(s, e + 1, id, std::max(cellWidth - 2 * kCellMargin, kCellMargin));
        out += "</w:tc>";
      }
      out += "</w:tr>";
    }
    out += "</w:tbl>";
    return out;
  }

  BodyContext& ctx_;
  const model::DocData& doc_;
  const Story& story_;
  bool withShapes_;
  std::map<long, std::vector<Placed>> shapesAt_;
  std::map<long, std::vector<std::pair<std::wstring, int>>> starts_;
  std::map<long, std::vector<int>> ends_;
  std::map<long, const model::Equation*> equations_;  // by start
  std::map<long, model::FieldMarks> fields_;           // fields with a result, by separator
  std::map<uint32_t, std::string> rPr_;
  std::map<std::pair<uint32_t, uint32_t>, std::string> pPr_;
  std::vector<bool> codeStack_;  // per open field: still in its code
  model::TableInfo emptyInfo_;
};

}  // namespace

std::string StoryBlocksXml(BodyContext& ctx, const model::Story& story, bool withShapes) {
  return StoryWriter(ctx, story, withShapes).Write();
}

}  // namespace plx::docif::ooxml
