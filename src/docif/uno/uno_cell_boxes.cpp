#include "docif/uno/uno_cell_boxes.hpp"

#include <algorithm>
#include <limits>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/TableColumnSeparator.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include "docif/model/model_collections.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_page_view.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

using Props = Reference<beans::XPropertySet>;

template <class T>
T Value(const Props& props, const char* name) {
  T value{};
  props->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
  return value;
}

double Points(const Props& props, const char* name) { return FromMm100(Value<sal_Int32>(props, name)); }

// The left edge of a table in the body and its width, in page points: it
// stands in the page's text area as its orientation and margins say.
std::pair<double, double> Across(const Props& table, double areaLeft, double areaWidth) {
  const double width = Points(table, "Width");
  const double left = Points(table, "LeftMargin"), right = Points(table, "RightMargin");
  switch (Value<sal_Int16>(table, "HoriOrient")) {
    case text::HoriOrientation::CENTER: return {areaLeft + (areaWidth - width) / 2, width};
    case text::HoriOrientation::RIGHT: return {areaLeft + areaWidth - right - width, width};
    // Spread over the line, whatever width it holds.
    case text::HoriOrientation::FULL: return {areaLeft + left, areaWidth - left - right};
    default: return {areaLeft + left, width};
  }
}

}  // namespace

std::vector<CellBox> CellBoxesOf(WriterDoc& doc, uint32_t id) {
  WriterStory& story = doc.story;
  const auto rows = model::TableCellSpans(story.Tables(), story.Mirror(), id);
  if (rows.empty() || rows.front().empty()) return {};
  Reference<text::XTextTable> table = story.WriterTable(id);
  const Props tableProps(table, uno::UNO_QUERY_THROW);
  Reference<container::XIndexAccess> rowProps(table->getRows(), uno::UNO_QUERY_THROW);
  const double relativeSum = std::max<sal_Int16>(1, Value<sal_Int16>(tableProps, "TableColumnRelativeSum"));
  PageView view(doc);
  // Each row from the first and last lines of its cells and their inner
  // margins; a table in a cell starts where its first cell's text does,
  // less that cell's inner margin.
  struct Row {
    int page = 1;
    double top = std::numeric_limits<double>::max(), bottom = 0;
  };
  std::vector<Row> laid(rows.size());
  double tableLeft = 0, tableWidth = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const auto [s, e] = rows[r][c];
      const Props cell(story.CursorAt(s)->getText(), uno::UNO_QUERY_THROW);
      const PagePoint first = view.At(AsRange(story.CursorAt(s)));
      if (c == 0) laid[r].page = first.page;
      if (first.page != laid[r].page) continue;
      laid[r].top = std::min(laid[r].top, first.y - Points(cell, "TopBorderDistance"));
      const auto end = story.CursorAt(e);
      const PagePoint last = view.At(AsRange(end));
      const double size = Value<float>(Props(end, uno::UNO_QUERY_THROW), "CharHeight");
      laid[r].bottom = std::max(laid[r].bottom, last.y + 1.2 * size + Points(cell, "BottomBorderDistance"));
      if (r == 0 && c == 0) {
        const bool nested = story.Tables().count(id) && story.Tables().at(id).parent != 0;
        if (nested) {
          tableLeft = first.x - Points(cell, "LeftBorderDistance");
          tableWidth = Points(tableProps, "Width");
        } else {
          std::tie(tableLeft, tableWidth) = Across(tableProps, view.LeftMargin(), view.TextWidth());
        }
      }
    }
  }
  // A row ends where the next one on its page starts, the last one where
  // the text after the table (past the cell's and the row's end marks)
  // does, less that paragraph's space above.
  for (size_t r = 0; r + 1 < laid.size(); ++r)
    if (laid[r + 1].page == laid[r].page && laid[r + 1].top > laid[r].top) laid[r].bottom = laid[r + 1].top;
  if (const long after = rows.back().back().second + 2; after < story.Mirror().Length()) {
    const auto cursor = story.CursorAt(after);
    const PagePoint next = view.At(AsRange(cursor));
    const double above = Points(Props(cursor, uno::UNO_QUERY_THROW), "ParaTopMargin");
    if (next.page == laid.back().page && next.y - above > laid.back().top) laid.back().bottom = next.y - above;
  }
  std::vector<CellBox> boxes;
  for (size_t r = 0; r < rows.size(); ++r) {
    uno::Sequence<text::TableColumnSeparator> separators;
    Props(rowProps->getByIndex(static_cast<sal_Int32>(r)), uno::UNO_QUERY_THROW)->getPropertyValue("TableColumnSeparators") >>=
        separators;
    std::vector<double> edges{tableLeft};
    for (const auto& sep : separators) edges.push_back(tableLeft + sep.Position / relativeSum * tableWidth);
    edges.push_back(tableLeft + tableWidth);
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const double left = edges[std::min(c, edges.size() - 2)], right = edges[std::min(c + 1, edges.size() - 1)];
      boxes.push_back({static_cast<int>(r) + 1, static_cast<int>(c) + 1, laid[r].page, left, laid[r].top,
                       right - left, std::max(0.0, laid[r].bottom - laid[r].top)});
    }
  }
  return boxes;
}

}  // namespace plx::docif::lo
