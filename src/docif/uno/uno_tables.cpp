// Tables of a Writer document: cells found in the mirror as the model finds
// them, borders and widths set on Writer's table.
#include <array>
#include <cmath>
#include <vector>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/table/BorderLine2.hpp>
#include <com/sun/star/table/TableBorder2.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_cell_boxes.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

[[noreturn]] void NoSuchMember() { Raise(5941, L"集合所要求的成员不存在。"); }

// Writer's six table borders in the host's order (kBorderTop ... kBorderVertical).
struct Side {
  table::BorderLine2 table::TableBorder2::*line;
  sal_Bool table::TableBorder2::*valid;
};
constexpr Side kSides[] = {
    {&table::TableBorder2::TopLine, &table::TableBorder2::IsTopLineValid},
    {&table::TableBorder2::LeftLine, &table::TableBorder2::IsLeftLineValid},
    {&table::TableBorder2::BottomLine, &table::TableBorder2::IsBottomLineValid},
    {&table::TableBorder2::RightLine, &table::TableBorder2::IsRightLineValid},
    {&table::TableBorder2::HorizontalLine, &table::TableBorder2::IsHorizontalLineValid},
    {&table::TableBorder2::VerticalLine, &table::TableBorder2::IsVerticalLineValid},
};

const Side& SideOf(int border) {
  if (border > kBorderTop || border < kBorderVertical) NoSuchMember();
  return kSides[-border - 1];
}

// A thin single line, as a new table's borders are.
table::BorderLine2 ThinLine() {
  table::BorderLine2 line;
  line.OuterLineWidth = 18;
  line.LineWidth = 18;
  return line;
}

class UnoTable final : public Table {
 public:
  UnoTable(std::shared_ptr<WriterDoc> doc, uint32_t id) : doc_(std::move(doc)), table_(doc_->story.WriterTable(id)) {}

  int RowsCount() const override try { return static_cast<int>(CellSpans().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  int ColumnsCount() const override try {
    auto rows = CellSpans();
    return rows.empty() ? 0 : static_cast<int>(rows.front().size());
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  RangePtr Cell(int row, int column) override try {
    auto rows = CellSpans();
    if (row < 1 || row > static_cast<int>(rows.size()) || column < 1 ||
        column > static_cast<int>(rows[row - 1].size()))
      NoSuchMember();
    auto [s, e] = rows[row - 1][column - 1];
    return MakeUnoRange(doc_, s, e);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  RangePtr GetRange() override try {
    auto span = model::TableSpan(doc_->story.Tables(), doc_->story.Mirror(), Id());
    if (!span) Raise(err::kInvalidCall, L"该表格已被删除。");
    return MakeUnoRange(doc_, span->first, span->second);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  bool BordersEnabled() const override try {
    const auto b = Borders();
    for (const Side& side : kSides)
      if (b.*(side.valid) && (b.*(side.line)).LineWidth + (b.*(side.line)).OuterLineWidth > 0) return true;
    return false;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetBordersEnabled(bool on) override try {
    auto b = Borders();
    for (const Side& side : kSides) {
      b.*(side.line) = on ? ThinLine() : table::BorderLine2();
      b.*(side.valid) = true;
    }
    SetBorders(b);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  bool BorderVisible(int border) const override try {
    const Side& side = SideOf(border);
    const auto b = Borders();
    const auto& line = b.*(side.line);
    return b.*(side.valid) && line.LineWidth + line.OuterLineWidth > 0;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetBorderVisible(int border, bool visible) override try {
    const Side& side = SideOf(border);
    auto b = Borders();
    b.*(side.line) = visible ? ThinLine() : table::BorderLine2();
    b.*(side.valid) = true;
    SetBorders(b);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  void SetColumnWidth(int column, double points) override try {
    if (column < 1 || column > ColumnsCount()) NoSuchMember();
    if (!(points > 0)) Raise(err::kInvalidCall, L"列宽应大于0。");
    // Writer keeps column edges as shares of the table's width (the
    // relative sum): the columns' widths are worked out, the one given
    // changed, and the table's width and edges set again, so that every
    // other column keeps its width. A table whose rows differ has no
    // edges of its own.
    Reference<beans::XPropertySet> props(table_, uno::UNO_QUERY_THROW);
    sal_Int32 width = 0;
    sal_Int16 relativeSum = 10000;
    props->getPropertyValue("Width") >>= width;
    props->getPropertyValue("TableColumnRelativeSum") >>= relativeSum;
    uno::Sequence<text::TableColumnSeparator> separators;
    props->getPropertyValue("TableColumnSeparators") >>= separators;
    if (width <= 0) return;
    const sal_Int32 n = separators.getLength();
    std::vector<double> widths;  // 1/100 mm
    double edge = 0;
    for (sal_Int32 i = 0; i <= n; ++i) {
      const double next = i < n ? separators[i].Position : relativeSum;
      widths.push_back((next - edge) * width / relativeSum);
      edge = next;
    }
    if (n != ColumnsCount() - 1) Raise(err::kInvalidCall, L"LibreOffice 宿主不能设置各行列数不同的表格的列宽。");
    widths[static_cast<size_t>(column - 1)] = ToMm100(points);
    double total = 0;
    for (double w : widths) total += w;
    auto* sep = separators.getArray();
    edge = 0;
    for (sal_Int32 i = 0; i < n; ++i) {
      edge += widths[static_cast<size_t>(i)];
      sep[i].Position = static_cast<sal_Int16>(std::lround(edge * relativeSum / total));
    }
    // A table spread over the whole line takes no width of its own.
    sal_Int16 orient = text::HoriOrientation::NONE;
    props->getPropertyValue("HoriOrient") >>= orient;
    if (orient == text::HoriOrientation::FULL) props->setPropertyValue("HoriOrient", uno::Any(text::HoriOrientation::LEFT));
    props->setPropertyValue("Width", uno::Any(static_cast<sal_Int32>(std::lround(total))));
    if (n > 0) props->setPropertyValue("TableColumnSeparators", uno::Any(separators));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::wstring Style() const override try {
    rtl::OUString name;
    Reference<beans::XPropertySet>(table_, uno::UNO_QUERY_THROW)->getPropertyValue("TableTemplateName") >>= name;
    return FromOUString(name);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetStyle(const std::wstring& name) override try {
    Reference<beans::XPropertySet>(table_, uno::UNO_QUERY_THROW)
        ->setPropertyValue("TableTemplateName", uno::Any(ToOUString(name)));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::vector<CellBox> CellBoxes() const override try { return CellBoxesOf(*doc_, Id()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Tables> NestedTables() override;
  void Delete() override try { doc_->story.RemoveTable(Id()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::vector<std::vector<std::pair<long, long>>> CellSpans() const {
    return model::TableCellSpans(doc_->story.Tables(), doc_->story.Mirror(), Id());
  }
  // Ids follow document order, so a table added before this one renumbers it.
  uint32_t Id() const { return doc_->story.TableId(table_); }
  table::TableBorder2 Borders() const {
    table::TableBorder2 b;
    Reference<beans::XPropertySet>(table_, uno::UNO_QUERY_THROW)->getPropertyValue("TableBorder2") >>= b;
    return b;
  }
  // The borders only: Writer also gives every side of every cell one
  // distance to its text (whatever the border says of it), so the cells'
  // own distances are put back.
  void SetBorders(const table::TableBorder2& b) {
    static constexpr const char* kSides[] = {"TopBorderDistance", "BottomBorderDistance", "LeftBorderDistance",
                                             "RightBorderDistance"};
    std::vector<std::pair<Reference<beans::XPropertySet>, std::array<uno::Any, 4>>> kept;
    for (const rtl::OUString& name : table_->getCellNames()) {
      Reference<beans::XPropertySet> cell(table_->getCellByName(name), uno::UNO_QUERY_THROW);
      std::array<uno::Any, 4> distances;
      for (size_t i = 0; i < 4; ++i) distances[i] = cell->getPropertyValue(rtl::OUString::createFromAscii(kSides[i]));
      kept.emplace_back(cell, distances);
    }
    Reference<beans::XPropertySet>(table_, uno::UNO_QUERY_THROW)->setPropertyValue("TableBorder2", uno::Any(b));
    for (const auto& [cell, distances] : kept)
      for (size_t i = 0; i < 4; ++i) cell->setPropertyValue(rtl::OUString::createFromAscii(kSides[i]), distances[i]);
  }

  std::shared_ptr<WriterDoc> doc_;
  Reference<text::XTextTable> table_;
};

class UnoTables final : public Tables {
 public:
  // The tables of [start, end); with `container`, the tables standing in that table's cells.
  UnoTables(std::shared_ptr<WriterDoc> doc, long start, long end, uint32_t container = 0)
      : doc_(std::move(doc)), scope_(doc_->story.Mirror().MakeAnchor(start, end)), container_(container) {}

  int Count() const override try { return static_cast<int>(Ids().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Table> Item(int index) override try {
    auto ids = Ids();
    if (index < 1 || index > static_cast<int>(ids.size())) NoSuchMember();
    return std::make_shared<UnoTable>(doc_, ids[index - 1]);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Table> Add(const Range& at, int rows, int columns) override try {
    if (rows < 1 || columns < 1 || rows > 32767 || columns > 63)
      Raise(err::kInvalidCall, L"表格的行数或列数无效。");
    if (doc_->story.Mirror().Cell(at.Start()).table)
      NotYetInLibreOffice(L"表格中的表格");
    long s = at.Start();
    if (at.End() > s) s = doc_->story.Replace(s, at.End(), L"").first;
    // A table takes whole paragraphs: split the paragraph when s is inside it.
    if (doc_->story.Mirror().ParagraphAt(s).first != s) {
      doc_->story.Replace(s, s, std::wstring(1, model::kParagraphMark));
      ++s;
    }
    doc_->story.InsertTable(s, rows, columns);
    for (uint32_t id : model::TablesIn(doc_->story.Tables(), doc_->story.Mirror(), s, s + 1))
      return std::make_shared<UnoTable>(doc_, id);
    Raise(err::kInvalidCall, L"无法在 LibreOffice 中插入表格。");
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::vector<uint32_t> Ids() const {
    const auto& tables = doc_->story.Tables();
    if (!container_) return model::TablesIn(tables, doc_->story.Mirror(), scope_->start, scope_->end);
    // Ids follow document order, a table in a cell after the one around it.
    std::vector<uint32_t> ids;
    for (const auto& [id, info] : tables)
      if (info.parent == container_) ids.push_back(id);
    return ids;
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> scope_;
  uint32_t container_;
};

std::shared_ptr<Tables> UnoTable::NestedTables() try {
  auto span = model::TableSpan(doc_->story.Tables(), doc_->story.Mirror(), Id());
  if (!span) Raise(err::kInvalidCall, L"该表格已被删除。");
  return std::make_shared<UnoTables>(doc_, span->first, span->second, Id());
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

}  // namespace

std::shared_ptr<Tables> MakeUnoTables(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoTables>(doc, start, end);
}

}  // namespace plx::docif::lo
