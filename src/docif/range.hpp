#pragma once
// Ranges of a document's text and what hangs off them: find and replace,
// fields, equations, inline pictures, tables and numbered lists. Positions count
// characters from 0 as the host counts them; the paragraph mark is the
// character 13. A range stays live: edits before or inside it move its
// start and end as the host moves them.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "docif/formats.hpp"

namespace plx::docif {

class Range;
class Shape;
class Fields;
class InlineShapes;
class Tables;
class Find;
class ListTemplate;
class OMaths;

using RangePtr = std::shared_ptr<Range>;

// Collapse directions.
constexpr int kCollapseEnd = 0;
constexpr int kCollapseStart = 1;

// Information types.
constexpr int kActiveEndPageNumber = 3;
constexpr int kNumberOfPagesInDocument = 4;
constexpr int kHorizontalPositionRelativeToPage = 5;
constexpr int kVerticalPositionRelativeToPage = 6;

// List types.
constexpr int kListNoNumbering = 0;
constexpr int kListSimpleNumbering = 3;

// A piece of a range's shown text as the page lays it out: characters of
// one font on one line. A host builds it from each character's Information
// (page, position) and Font. `top` is the top of the line, `lineHeight` the
// distance to the next line (or the line's natural height at a page end).
struct LaidText {
  std::wstring text;
  long start = 0;  // the story position of its first character
  int page = 1;
  double left = 0, top = 0, width = 0, lineHeight = 0;
  FontFormat font;  // every member set
};

// Where a table cell stands on its page, in points (row and column 1-based).
struct CellBox {
  int row = 1, column = 1, page = 1;
  double left = 0, top = 0, width = 0, height = 0;
};

// Section break types.
constexpr int kSectionBreakNextPage = 2;
constexpr int kSectionBreakContinuous = 3;

// A collection of ranges: characters or paragraphs (1-based).
class Ranges {
 public:
  virtual ~Ranges() = default;
  virtual int Count() const = 0;
  // Error 5941 when out of range.
  virtual RangePtr Item(int index) const = 0;
  RangePtr First() const { return Item(1); }
  RangePtr Last() const { return Item(Count()); }
};

class Range {
 public:
  virtual ~Range() = default;
  virtual long Start() const = 0;
  virtual long End() const = 0;
  virtual void SetRange(long start, long end) = 0;
  void SetStart(long start) { SetRange(start, std::max(start, End())); }
  void SetEnd(long end) { SetRange(std::min(Start(), end), end); }
  // Another range over the same text, independent of this one.
  virtual RangePtr Duplicate() const = 0;

  // The visible text: a field shows its result, or its code while field
  // codes are shown; an inline picture is character 1.
  virtual std::wstring Text() const = 0;
  // Replaces the range's text; the range then covers the new text.
  virtual void SetText(const std::wstring& text) = 0;
  // Insert at the start or end and widen the range over the new text.
  virtual void InsertBefore(const std::wstring& text) = 0;
  virtual void InsertAfter(const std::wstring& text) = 0;
  virtual void Delete() = 0;
  // Replaces the range with a section break (kSectionBreak...): the
  // paragraph ends there and the text after it starts a new section.
  // Error 5 for another type or inside a table.
  virtual void InsertBreak(int type) = 0;
  virtual void Collapse(int direction = kCollapseStart) = 0;
  virtual void Select() = 0;
  // Replaces the range with one character, in the font given or the current one.
  virtual void InsertSymbol(int characterNumber, const std::optional<std::wstring>& font,
                            bool unicode = true) = 0;
  // Puts a copy of the range with its formatting on the clipboard.
  virtual void Copy() = 0;

  virtual FontFormat Font() const = 0;
  virtual void SetFont(const FontFormat& font) = 0;
  virtual ParagraphFormat GetParagraphFormat() const = 0;
  virtual void SetParagraphFormat(const ParagraphFormat& format) = 0;
  // Tab stops of the first paragraph; adding and clearing act on every
  // paragraph of the range.
  virtual std::vector<TabStop> TabStops() const = 0;
  virtual void AddTabStop(const TabStop& stop) = 0;
  virtual void ClearTabStops() = 0;
  // Paragraph style name of the first paragraph; setting applies the
  // style's font and paragraph format.
  virtual std::wstring Style() const = 0;
  virtual void SetStyle(const std::wstring& name) = 0;

  // Numbered lists: the paragraphs of the range get the first level of the
  // template, continuing the list of the previous numbered paragraph or
  // starting a new one.
  virtual void ApplyListTemplate(const ListTemplate& tmpl, bool continuePreviousList) = 0;
  virtual void RemoveNumbers() = 0;
  // Turns the list numbers into typed text ("1．" + tab).
  virtual void ConvertNumbersToText() = 0;
  virtual int ListType() const = 0;
  virtual std::wstring ListString() const = 0;

  // Page position, page numbers (see the Information constants).
  virtual double Information(int type) const = 0;
  // The range's shown text as laid out on its pages, in reading order;
  // marks, field codes (while results show) and tabs are left out.
  virtual std::vector<LaidText> LaidOut() const = 0;

  virtual std::shared_ptr<Ranges> Characters() const = 0;
  virtual std::shared_ptr<Ranges> Paragraphs() const = 0;
  virtual std::shared_ptr<Fields> GetFields() = 0;
  virtual std::shared_ptr<InlineShapes> GetInlineShapes() = 0;
  virtual std::shared_ptr<Tables> GetTables() = 0;
  // The range's find object; a successful find moves the range onto it.
  virtual std::shared_ptr<Find> GetFind() = 0;
  // Equations that lie inside the range (the document's: Content()->GetOMaths()).
  virtual std::shared_ptr<OMaths> GetOMaths() = 0;
  // Replaces the range's text with a copy of `source`'s characters and their
  // character formatting (fields inside it included); the range then covers
  // the copy. Source and target may be in the same story; the source is
  // copied before anything changes.
  virtual void SetFormattedText(const Range& source) = 0;
};

// Find and replace. Without wildcards the text understands "^13", "^p",
// "^t", "^#" (a digit), "^$" (a letter), "^?" (any character); with
// wildcards the host's syntax (?, *, @, [ ], [! ], {n,m}, ( ), < >, \).
class Find {
 public:
  virtual ~Find() = default;

  std::wstring Text;
  bool Forward = true;
  int Wrap = 0;  // 0 stop at the end, 1 continue from the start, 2 ask
  bool Format = false;
  bool MatchCase = false;
  bool MatchWholeWord = false;
  bool MatchWildcards = false;
  bool MatchSoundsLike = false;
  bool MatchAllWordForms = false;
  bool MatchByte = false;
  struct {
    std::wstring Text;
    FontFormat Font;  // applied to replaced text when Format is set
    void ClearFormatting() { Font = {}; }
  } Replacement;

  void ClearFormatting() { Format = false; }
  // Searches; replace is 0 none, 1 the first match, 2 all. Returns whether
  // anything was found. A bad wildcard text raises error 5560.
  virtual bool Execute(int replace = 0) = 0;
};

constexpr int kReplaceNone = 0;
constexpr int kReplaceOne = 1;
constexpr int kReplaceAll = 2;
constexpr int kFindStop = 0;
constexpr int kFindContinue = 1;

// Field types.
constexpr int kFieldEmpty = -1;
constexpr int kFieldFormula = 49;  // EQ

class Field {
 public:
  virtual ~Field() = default;
  virtual RangePtr Code() = 0;
  virtual RangePtr Result() = 0;
  virtual int Type() const = 0;
  virtual bool ShowCodes() const = 0;
  virtual void SetShowCodes(bool show) = 0;
  virtual void Select() = 0;
  virtual void Delete() = 0;
};

class Fields {
 public:
  virtual ~Fields() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Field> Item(int index) = 0;
  // Replaces the range with a new field. With type kFieldEmpty the text is
  // the whole field code.
  virtual std::shared_ptr<Field> Add(const Range& at, int type, const std::wstring& text,
                                     bool preserveFormatting = false) = 0;
  virtual void ToggleShowCodes() = 0;
};

// An equation object of the host (the word processor's own math zone). Its
// text is the range's text: the linear format (UnicodeMath-like, e.g.
// "(x^2)/(a)+√(2&x)") until it is built up into the professional layout.
class OMath {
 public:
  virtual ~OMath() = default;
  virtual RangePtr GetRange() = 0;     // the equation's characters
  virtual void BuildUp() = 0;          // linear format -> professional layout
  virtual void Linearize() = 0;        // back to the linear format
  virtual bool IsBuiltUp() const = 0;
};

class OMaths {
 public:
  virtual ~OMaths() = default;
  virtual int Count() const = 0;
  // 1-based; error 5941 when out of range.
  virtual std::shared_ptr<OMath> Item(int index) = 0;
  // Makes the text of `at` one equation and returns the equation's range.
  virtual RangePtr Add(const Range& at) = 0;
};

constexpr int kInlineShapePicture = 3;
constexpr int kInlineShapeEmbeddedOle = 1;

// Picture adjustments, each a percentage from -100 to 100 (an adapter over
// the host applies them as its sharpen/soften effect and the two values of
// its brightness-contrast effect).
constexpr int kPictureSharpen = 1;
constexpr int kPictureBrightness = 2;
constexpr int kPictureContrast = 3;
using PictureEffectList = std::vector<std::pair<int, double>>;

// A picture's stored data, read-only: the file's bytes as embedded, their
// content type ("image/png"; empty when unknown), and the share of the
// picture cut off at each side (0 to 1), as the host's crop values give it.
struct PictureData {
  std::string bytes;
  std::wstring contentType;
  double cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
};

class InlineShape {
 public:
  virtual ~InlineShape() = default;
  virtual int Type() const = 0;
  virtual double Width() const = 0;
  virtual void SetWidth(double) = 0;
  virtual double Height() const = 0;
  virtual void SetHeight(double) = 0;
  virtual bool BordersEnabled() const = 0;
  virtual void SetBordersEnabled(bool) = 0;
  virtual std::wstring AlternativeText() const = 0;
  virtual void SetAlternativeText(const std::wstring&) = 0;
  // Picture adjustments added to the picture (type, value), in order.
  virtual void AddPictureEffect(int type, double value) = 0;
  virtual PictureEffectList PictureEffects() const = 0;
  // The picture's data; empty bytes for an object that is no picture.
  virtual PictureData Picture() const = 0;
  virtual RangePtr GetRange() = 0;
  // Makes it a floating picture shape at its place on the page.
  virtual std::shared_ptr<Shape> ConvertToShape() = 0;
  virtual void Select() = 0;
  virtual void Delete() = 0;
};

class InlineShapes {
 public:
  virtual ~InlineShapes() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<InlineShape> Item(int index) = 0;
  // A picture from a file, replacing the range.
  virtual std::shared_ptr<InlineShape> AddPicture(const std::wstring& file, const Range& at) = 0;
  // An embedded object of the given class ("Equation.3"), replacing the range.
  virtual std::shared_ptr<InlineShape> AddOLEObject(const std::wstring& classType, const Range& at) = 0;
};

// The borders of a table, by the host's numbers.
constexpr int kBorderTop = -1;
constexpr int kBorderLeft = -2;
constexpr int kBorderBottom = -3;
constexpr int kBorderRight = -4;
constexpr int kBorderHorizontal = -5;  // between rows
constexpr int kBorderVertical = -6;    // between columns

class Table {
 public:
  virtual ~Table() = default;
  virtual int RowsCount() const = 0;
  virtual int ColumnsCount() const = 0;
  // The text of a cell, without its end-of-cell mark.
  virtual RangePtr Cell(int row, int column) = 0;
  virtual RangePtr GetRange() = 0;
  virtual bool BordersEnabled() const = 0;
  virtual void SetBordersEnabled(bool) = 0;
  // One border of the table (kBorderTop ... kBorderVertical): whether it is
  // drawn while the table's borders are enabled.
  virtual bool BorderVisible(int border) const = 0;
  virtual void SetBorderVisible(int border, bool visible) = 0;
  // The width of a column in points (1-based; error 5941 outside the table).
  virtual void SetColumnWidth(int column, double points) = 0;
  virtual std::wstring Style() const = 0;
  virtual void SetStyle(const std::wstring&) = 0;
  // The cells as laid out, row by row.
  virtual std::vector<CellBox> CellBoxes() const = 0;
  // The tables standing in this table's cells (not those deeper down).
  virtual std::shared_ptr<Tables> NestedTables() = 0;
  virtual void Delete() = 0;
};

class Tables {
 public:
  virtual ~Tables() = default;
  virtual int Count() const = 0;
  virtual std::shared_ptr<Table> Item(int index) = 0;
  // A new table replacing the range, with empty cells and borders.
  virtual std::shared_ptr<Table> Add(const Range& at, int rows, int columns) = 0;
};

// A numbering template of the host's gallery: its first level's number
// format ("%1．") and number style (0 Arabic).
class ListTemplate {
 public:
  virtual ~ListTemplate() = default;
  virtual std::wstring NumberFormat() const = 0;
  virtual void SetNumberFormat(const std::wstring&) = 0;
  virtual int NumberStyle() const = 0;
  virtual void SetNumberStyle(int) = 0;
};

}  // namespace plx::docif
