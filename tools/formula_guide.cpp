#include "formula_guide.hpp"

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/model_application.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "formula/brackets.hpp"
#include "formula/eq_builder.hpp"
#include "formula/formula_settings.hpp"

namespace plx::tools {
namespace {

using docif::FontFormat;
using docif::ParagraphFormat;
using docif::RangePtr;

constexpr const wchar_t* kNoteMark = L"——";
constexpr const wchar_t* kCellSeparator = L" | ";
// Latin text is set in Times New Roman, Chinese in 宋体 (body) or 黑体 (headings);
// what the teacher types is shown in a typewriter font.
constexpr const wchar_t* kLatinFont = L"Times New Roman";
constexpr const wchar_t* kBodyFont = L"宋体";
constexpr const wchar_t* kHeadingFont = L"黑体";
constexpr const wchar_t* kTypedFont = L"Courier New";
constexpr double kBodySize = 12;   // 小四
constexpr double kCellSize = 10.5; // 五号, the text in tables
constexpr double kBodyLine = 20;   // line height of text paragraphs
constexpr double kCellLine = 16;   // line height in tables (at least, for formulas)

enum class Kind { Title, Heading, SubHeading, Paragraph, Bullet, Examples, Table };

struct Example {
  std::wstring typed;
  std::wstring code;  // the EQ field's code
  std::wstring note;
};

struct Block {
  Kind kind;
  std::wstring text;
  std::vector<Example> examples;
  std::vector<std::vector<std::wstring>> rows;
};

class SourceReader {
 public:
  explicit SourceReader(std::string name) : name_(std::move(name)) {}

  std::vector<Block> Read(const std::string& bytes) {
    size_t start = 0;
    while (start <= bytes.size()) {
      size_t end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = bytes.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      ++lineNumber_;
      ReadLine(line);
      start = end + 1;
    }
    if (blocks_.empty()) throw std::runtime_error(name_ + ": the guide has no content");
    return std::move(blocks_);
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error(name_ + ":" + std::to_string(lineNumber_) + ": " + why);
  }
  [[noreturn]] void Fail(const std::wstring& why) const { Fail(WideToUtf8(why)); }

  void ReadLine(const std::string& bytes) {
    const std::wstring line = Utf8ToWide(bytes);
    if (WideToUtf8(line) != bytes) Fail("the line is not valid UTF-8");
    for (wchar_t c : line)
      if (c < 0x20) Fail("the line holds a control character (tabs are not allowed)");
    if (Trim(line).empty()) {
      runOpen_ = false;
      return;
    }
    if (StartsWith(line, L"//")) return;
    if (line[0] == L'#') {
      if (StartsWith(line, L"## ")) return Add(Kind::SubHeading, Text(line.substr(3)));
      if (StartsWith(line, L"# ")) return Add(Kind::Heading, Text(line.substr(2)));
      Fail("a heading is \"# \" or \"## \" followed by its text");
    }
    if (StartsWith(line, L"= ")) return Add(Kind::Title, Text(line.substr(2)));
    if (StartsWith(line, L"- ")) return Add(Kind::Bullet, Text(line.substr(2)));
    if (StartsWith(line, L"例 ") || StartsWith(line, L"例[")) return AddExample(line.substr(1));
    if (StartsWith(line, L"表 ")) return AddRow(line.substr(2));
    // "例如……" and "表示……" begin paragraphs; "例yuan(3)" lacks its blank.
    if ((line[0] == L'例' || line[0] == L'表') && (line.size() == 1 || line[1] < 0x2E80))
      Fail(L"“" + line.substr(0, 1) + L"” must be followed by a blank and then its content");
    Add(Kind::Paragraph, Text(line));
  }

  // A text with its back quotes checked; empty text is an error.
  std::wstring Text(const std::wstring& raw) const {
    std::wstring text = Trim(raw);
    if (text.empty()) Fail("the line has a marker but no text");
    size_t quotes = 0;
    for (wchar_t c : text) quotes += c == L'`';
    if (quotes % 2) Fail("a back quote (`) is not closed");
    return text;
  }

  void Add(Kind kind, std::wstring text) {
    blocks_.push_back({kind, std::move(text), {}, {}});
    runOpen_ = false;
  }

  // A run of examples or table rows continues the block before it.
  Block& Run(Kind kind) {
    if (!runOpen_ || blocks_.empty() || blocks_.back().kind != kind) blocks_.push_back({kind, L"", {}, {}});
    runOpen_ = true;
    return blocks_.back();
  }

  void AddRow(const std::wstring& rest) {
    std::vector<std::wstring> cells = Split(rest, kCellSeparator);
    for (std::wstring& c : cells) c = Text(c);
    Block& table = Run(Kind::Table);
    if (!table.rows.empty() && table.rows.front().size() != cells.size())
      Fail("the row has " + std::to_string(cells.size()) + " cells but its table's header has " +
           std::to_string(table.rows.front().size()));
    table.rows.push_back(std::move(cells));
  }

  // rest: "[KEY=VALUE;...] FORMULA —— NOTE" after "例", the settings and note optional.
  void AddExample(std::wstring rest) {
    FormulaSettings settings;
    if (rest[0] == L'[') {
      const size_t close = rest.find(L']');
      if (close == std::wstring::npos) Fail("the settings of the example have no closing \"]\"");
      for (const std::wstring& item : Split(rest.substr(1, close - 1), L";")) {
        const size_t eq = item.find(L'=');
        if (eq == std::wstring::npos) Fail(L"a setting is KEY=VALUE, not “" + item + L"”");
        try {
          settings.Set(Trim(item.substr(0, eq)), Trim(item.substr(eq + 1)));
        } catch (const VbError& e) {
          Fail(L"setting “" + item + L"”: " + e.description());
        }
      }
      rest = rest.substr(close + 1);
    }
    if (rest.empty() || rest[0] != L' ') Fail("an example is \"例 \" followed by the formula text");
    Example example;
    const size_t mark = rest.find(kNoteMark);
    if (mark != std::wstring::npos) {
      example.note = Text(rest.substr(mark + 2));
      rest = rest.substr(0, mark);
    }
    example.typed = Trim(rest);
    if (example.typed.empty()) Fail("the example has no formula text");
    if (Contains(example.typed, L"`")) Fail("an example's formula text cannot hold a back quote");
    example.code = FieldCode(example.typed, settings);
    Run(Kind::Examples).examples.push_back(std::move(example));
  }

  // What the formula command makes of the typed text with these settings.
  std::wstring FieldCode(const std::wstring& typed, const FormulaSettings& settings) const {
    if (!IsBracketBalanced(typed)) Fail(L"the brackets of “" + typed + L"” do not balance");
    std::wstring notices;
    const FormulaNotice notice = [&notices](const std::wstring& m) { notices += m; };
    std::wstring body;
    try {
      body = SetEQ(typed, settings, notice);
    } catch (const VbError& e) {
      Fail(L"“" + typed + L"” cannot be converted: " + e.description());
    }
    if (!notices.empty()) Fail(L"converting “" + typed + L"” shows the message “" + notices + L"”");
    return Trim(L"EQ " + body);
  }

  std::string name_;
  int lineNumber_ = 0;
  bool runOpen_ = false;
  std::vector<Block> blocks_;
};

FontFormat Font(const wchar_t* farEast, double size, bool bold = false) {
  FontFormat f;
  f.NameAscii = kLatinFont;
  f.NameFarEast = farEast;
  f.Size = size;
  f.Bold = bold;
  f.Italic = false;
  return f;
}

// Paragraph spacing with a line height of at least `line` points, or exactly
// that for text paragraphs. Either keeps the document grid of Chinese pages
// from doubling the lines; "at least" lets a line grow with a tall formula.
ParagraphFormat Spacing(int alignment, double before, double after, double line, bool exact = true,
                        double firstIndent = 0, double leftIndent = 0) {
  ParagraphFormat p;
  p.Alignment = alignment;
  p.SpaceBefore = before;
  p.SpaceAfter = after;
  p.FirstLineIndent = firstIndent;
  p.LeftIndent = leftIndent;
  p.RightIndent = 0;
  p.LineSpacingRule = exact ? docif::kSpaceExactly : docif::kSpaceAtLeast;
  p.LineSpacing = line;
  return p;
}

// The guide as a model document, built paragraph by paragraph before an empty
// last paragraph that always stays at the end.
class GuideDocument {
 public:
  GuideDocument() : app_(std::make_shared<docif::model::ModelApplication>()), doc_(app_->GetDocuments()->Add()) {
    auto styles = doc_->GetStyles();
    auto style = [&](const wchar_t* name, const FontFormat& font, const ParagraphFormat& para) {
      auto s = styles->Item(name);
      s->SetFont(font);
      s->SetParagraphFormat(para);
    };
    style(L"正文", Font(kBodyFont, kBodySize), Spacing(docif::kAlignJustify, 0, 0, kBodyLine));
    style(L"标题", Font(kHeadingFont, 22, true), Spacing(docif::kAlignCenter, 6, 18, 32));
    style(L"标题 1", Font(kHeadingFont, 16, true), Spacing(docif::kAlignLeft, 18, 6, 24));
    style(L"标题 2", Font(kHeadingFont, 14, true), Spacing(docif::kAlignLeft, 10, 4, 22));
    doc_->Content()->SetStyle(L"正文");
  }

  void Add(const Block& b) {
    switch (b.kind) {
      case Kind::Title: Paragraph(L"标题", b.text, Font(kHeadingFont, 22, true)); break;
      case Kind::Heading: Paragraph(L"标题 1", b.text, Font(kHeadingFont, 16, true)); break;
      case Kind::SubHeading: Paragraph(L"标题 2", b.text, Font(kHeadingFont, 14, true)); break;
      case Kind::Paragraph:
        Paragraph(L"正文", b.text, Font(kBodyFont, kBodySize),
                  Spacing(docif::kAlignJustify, 0, 4, kBodyLine, true, 2 * kBodySize));
        break;
      case Kind::Bullet:
        // The bullet stands in the first-line indent; a tab takes the text to the
        // hanging indent, where its following lines start too.
        Paragraph(L"正文", L"•\t" + b.text, Font(kBodyFont, kBodySize),
                  Spacing(docif::kAlignJustify, 0, 2, kBodyLine, true, -kBodySize, 3 * kBodySize));
        break;
      case Kind::Examples: Examples(b.examples); break;
      case Kind::Table: Table(b.rows); break;
    }
  }

  void Save(const std::string& path) { docif::ooxml::SaveDocx(*app_->ActiveData(), Utf8ToWide(path)); }

 private:
  long End() const { return doc_->Content()->End() - 1; }

  // Puts text into the empty range `at`, the back-quoted parts in the typing font.
  void Write(const RangePtr& at, const std::wstring& text, const FontFormat& font) {
    std::wstring plain;
    std::vector<std::pair<long, long>> typed;
    bool inTyped = false;
    for (wchar_t c : text) {
      if (c != L'`') {
        plain += c;
        continue;
      }
      if (!inTyped) typed.push_back({static_cast<long>(plain.size()), 0});
      else typed.back().second = static_cast<long>(plain.size());
      inTyped = !inTyped;
    }
    const long start = at->Start();
    at->InsertAfter(plain);
    at->SetFont(font);
    FontFormat typedFont = font;
    typedFont.NameAscii = kTypedFont;
    for (auto [s, e] : typed) doc_->GetRange(start + s, start + e)->SetFont(typedFont);
  }

  // A new paragraph of the style before the last one; `para` overrides the
  // style's paragraph format.
  void Paragraph(const wchar_t* style, const std::wstring& text, const FontFormat& font,
                 const std::optional<ParagraphFormat>& para = std::nullopt) {
    const long start = End();
    auto mark = doc_->GetRange(start, start);
    mark->InsertAfter(L"\r");
    mark->SetStyle(style);
    if (para) mark->SetParagraphFormat(*para);
    mark->SetFont(font);
    Write(doc_->GetRange(start, start), text, font);
  }

  // A table at the end whose cells hold text in 五号 on lines of a fixed height.
  std::shared_ptr<docif::Table> NewTable(int rows, int columns) {
    auto table = doc_->GetTables()->Add(*doc_->GetRange(End(), End()), rows, columns);
    auto all = table->GetRange();
    all->SetStyle(L"正文");
    all->SetParagraphFormat(Spacing(docif::kAlignLeft, 2, 2, kCellLine));
    return table;
  }

  void Cell(docif::Table& table, int row, int column, const std::wstring& text, const FontFormat& font,
            int alignment = docif::kAlignLeft) {
    auto cell = table.Cell(row, column);
    Write(cell, text, font);
    cell->SetParagraphFormat(Spacing(alignment, 2, 2, kCellLine));
  }

  void Header(docif::Table& table, const std::vector<std::wstring>& cells) {
    for (size_t c = 0; c < cells.size(); ++c)
      Cell(table, 1, static_cast<int>(c) + 1, cells[c], Font(kHeadingFont, kCellSize, true), docif::kAlignCenter);
  }

  // A little room after a table, which also keeps two tables apart.
  void AfterTable() { Paragraph(L"正文", L"", Font(kBodyFont, 6), Spacing(docif::kAlignLeft, 0, 0, 8)); }

  // Examples: the typed text, the formula field (in body size, on a line that
  // grows with it) and the remark when any example of the run has one.
  void Examples(const std::vector<Example>& examples) {
    bool notes = false;
    for (const Example& e : examples) notes = notes || !e.note.empty();
    auto table = NewTable(static_cast<int>(examples.size()) + 1, notes ? 3 : 2);
    std::vector<std::wstring> header{L"录入", L"效果"};
    if (notes) header.push_back(L"说明");
    Header(*table, header);
    for (size_t i = 0; i < examples.size(); ++i) {
      const int row = static_cast<int>(i) + 2;
      Cell(*table, row, 1, L"`" + examples[i].typed + L"`", Font(kBodyFont, kCellSize));
      doc_->GetFields()->Add(*table->Cell(row, 2), docif::kFieldEmpty, examples[i].code);
      auto effect = table->Cell(row, 2);
      effect->SetFont(Font(kBodyFont, kBodySize));
      effect->SetParagraphFormat(Spacing(docif::kAlignLeft, 2, 2, kCellLine, false));
      if (!examples[i].note.empty()) Cell(*table, row, 3, examples[i].note, Font(kBodyFont, kCellSize));
    }
    AfterTable();
  }

  void Table(const std::vector<std::vector<std::wstring>>& rows) {
    auto table = NewTable(static_cast<int>(rows.size()), static_cast<int>(rows.front().size()));
    Header(*table, rows.front());
    for (size_t r = 1; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c)
        Cell(*table, static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c], Font(kBodyFont, kCellSize));
    AfterTable();
  }

  std::shared_ptr<docif::model::ModelApplication> app_;
  std::shared_ptr<docif::Document> doc_;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

void MakeFormulaGuide(const std::string& out, const std::string& source) {
  const std::vector<Block> blocks = SourceReader(source).Read(ReadFile(source));
  GuideDocument guide;
  for (const Block& b : blocks) guide.Add(b);
  guide.Save(out);
}

}  // namespace plx::tools
