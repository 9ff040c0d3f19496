#pragma once
// The model's collections that hang off a range: characters and
// paragraphs, fields, equations, inline shapes and tables.
#include <functional>
#include <utility>
#include <vector>

#include "docif/model/doc_data.hpp"
#include "docif/range.hpp"

namespace plx::docif::model {

// The paragraphs or characters of a range of a story, live as the host's
// are: after an edit the collection counts and finds them anew over the
// range as it now stands (its own anchor moves with the text; a collection
// of the whole story, as the document's are, keeps covering all of it).
// `make` gives the range of a span, so any host keeping its text in a Story
// can use it.
class StoryRanges final : public Ranges {
 public:
  enum class Of { Paragraphs, Characters };
  using MakeSpan = std::function<RangePtr(long start, long end)>;
  StoryRanges(const std::shared_ptr<Story>& story, long start, long end, Of of, MakeSpan make)
      : story_(story), anchor_(story->MakeAnchor(start, end)), of_(of),
        wholeStory_(start == 0 && end == story->Length()), make_(std::move(make)) {}
  int Count() const override { return static_cast<int>(Spans().size()); }
  RangePtr Item(int index) const override;

 private:
  const std::vector<std::pair<long, long>>& Spans() const;

  std::shared_ptr<Story> story_;
  std::shared_ptr<Anchor> anchor_;
  Of of_;
  bool wholeStory_;
  MakeSpan make_;
  // The spans as of the story's revision they were found at.
  mutable std::vector<std::pair<long, long>> spans_;
  mutable uint64_t revision_ = 0;
  mutable bool found_ = false;
};

class ModelField final : public Field {
 public:
  // `begin` is a one-character anchor on the field's begin mark.
  ModelField(RangeRef begin) : ref_(std::move(begin)) {}
  RangePtr Code() override;
  RangePtr Result() override;
  int Type() const override;
  bool ShowCodes() const override;
  void SetShowCodes(bool show) override;
  void Select() override;
  void Delete() override;

 private:
  FieldMarks Marks() const;
  RangeRef ref_;
};

class ModelFields final : public Fields {
 public:
  explicit ModelFields(RangeRef scope) : scope_(std::move(scope)) {}
  int Count() const override;
  std::shared_ptr<Field> Item(int index) override;
  std::shared_ptr<Field> Add(const Range& at, int type, const std::wstring& text,
                             bool preserveFormatting) override;
  void ToggleShowCodes() override;

 private:
  std::vector<FieldMarks> Marks() const;
  RangeRef scope_;
};

class ModelOMath final : public OMath {
 public:
  ModelOMath(std::shared_ptr<DocData> doc, std::shared_ptr<Equation> equation)
      : doc_(std::move(doc)), eq_(std::move(equation)) {}
  RangePtr GetRange() override;
  void BuildUp() override;
  void Linearize() override;
  bool IsBuiltUp() const override { return Live().builtUp; }

 private:
  Equation& Live() const;
  std::shared_ptr<DocData> doc_;
  std::shared_ptr<Equation> eq_;
};

class ModelOMaths final : public OMaths {
 public:
  explicit ModelOMaths(RangeRef scope) : scope_(std::move(scope)) {}
  int Count() const override { return static_cast<int>(InScope().size()); }
  std::shared_ptr<OMath> Item(int index) override;
  RangePtr Add(const Range& at) override;

 private:
  std::vector<std::shared_ptr<Equation>> InScope() const;
  RangeRef scope_;
};

class ModelInlineShape final : public InlineShape {
 public:
  explicit ModelInlineShape(RangeRef at) : ref_(std::move(at)) {}
  int Type() const override { return Object().type; }
  double Width() const override { return Object().width; }
  void SetWidth(double w) override;
  double Height() const override { return Object().height; }
  void SetHeight(double h) override;
  bool BordersEnabled() const override { return Object().borders; }
  void SetBordersEnabled(bool on) override;
  std::wstring AlternativeText() const override { return Object().altText; }
  void SetAlternativeText(const std::wstring& text) override;
  void AddPictureEffect(int type, double value) override;
  PictureEffectList PictureEffects() const override { return Object().effects; }
  PictureData Picture() const override;
  RangePtr GetRange() override;
  std::shared_ptr<Shape> ConvertToShape() override;
  void Select() override;
  void Delete() override;

 private:
  InlineObject& Object() const;
  RangeRef ref_;
};

class ModelInlineShapes final : public InlineShapes {
 public:
  explicit ModelInlineShapes(RangeRef scope) : scope_(std::move(scope)) {}
  int Count() const override { return static_cast<int>(Positions().size()); }
  std::shared_ptr<InlineShape> Item(int index) override;
  std::shared_ptr<InlineShape> AddPicture(const std::wstring& file, const Range& at) override;
  std::shared_ptr<InlineShape> AddOLEObject(const std::wstring& classType, const Range& at) override;

 private:
  std::vector<long> Positions() const;
  std::shared_ptr<InlineShape> Insert(InlineObject object, const Range& at);
  RangeRef scope_;
};

class ModelTable final : public Table {
 public:
  ModelTable(std::shared_ptr<DocData> doc, std::shared_ptr<Story> story, uint32_t id)
      : doc_(std::move(doc)), story_(std::move(story)), id_(id) {}
  int RowsCount() const override;
  int ColumnsCount() const override;
  RangePtr Cell(int row, int column) override;
  RangePtr GetRange() override;
  bool BordersEnabled() const override;
  void SetBordersEnabled(bool on) override;
  bool BorderVisible(int border) const override;
  void SetBorderVisible(int border, bool visible) override;
  void SetColumnWidth(int column, double points) override;
  std::wstring Style() const override;
  void SetStyle(const std::wstring& name) override;
  std::vector<CellBox> CellBoxes() const override;
  std::shared_ptr<Tables> NestedTables() override;
  void Delete() override;

  // Content spans of the cells, row by row.
  std::vector<std::vector<std::pair<long, long>>> CellSpans() const;

 private:
  std::shared_ptr<DocData> doc_;
  std::shared_ptr<Story> story_;
  uint32_t id_;
};

class ModelTables final : public Tables {
 public:
  // The tables of the scope; with `container`, the tables standing in that
  // table's cells.
  explicit ModelTables(RangeRef scope, uint32_t container = 0) : scope_(std::move(scope)), container_(container) {}
  int Count() const override { return static_cast<int>(Ids().size()); }
  std::shared_ptr<Table> Item(int index) override;
  std::shared_ptr<Table> Add(const Range& at, int rows, int columns) override;

 private:
  std::vector<uint32_t> Ids() const;
  RangeRef scope_;
  uint32_t container_;
};

// A table may stand in a cell of another. A character's table is the
// innermost one it stands in; the tables around it are found through
// `TableInfo::parent`.
//
// The table among `table` and the tables around it that stands directly in
// `container` (0: in no table), or 0 when `table` is not inside `container`.
using TableMap = std::map<uint32_t, TableInfo>;
uint32_t TableWithin(const TableMap& tables, uint32_t table, uint32_t container);
// The characters of a table with the tables in its cells: [first, one past
// the last), none when the story holds no character of it.
std::optional<std::pair<long, long>> TableSpan(const TableMap& tables, const Story& story, uint32_t id);
// Content spans of a table's cells, row by row (each span ends at the
// cell's end mark and holds the tables in the cell).
std::vector<std::vector<std::pair<long, long>>> TableCellSpans(const TableMap& tables, const Story& story, uint32_t id);
// The tables a scope [start, end) holds: inside one table (in one cell or
// across several) that table, the innermost one that holds all of it; a
// scope reaching outside every table holds the outermost tables it
// touches, not those in their cells.
std::vector<uint32_t> TablesIn(const TableMap& tables, const Story& story, long start, long end);

// A linear, readable rendering of an EQ field code ("EQ \F(1,2)" → "1/2"),
// the result a field shows where no formula layout is done.
std::wstring EqResultText(const std::wstring& code);
// The field type the host gives a code's first word (EQ 49), -1 when none.
int FieldTypeOfCode(const std::wstring& code);

}  // namespace plx::docif::model
