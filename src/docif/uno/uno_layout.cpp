#include "docif/uno/uno_layout.hpp"

#include <cmath>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include "docif/range.hpp"
#include "docif/uno/uno_formats.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// The page style in use at a position.
Reference<beans::XPropertySet> PageStyleAt(WriterDoc& doc, const Reference<text::XTextRange>& at) {
  Reference<beans::XPropertySet> props(at, uno::UNO_QUERY_THROW);
  rtl::OUString pageStyle;
  props->getPropertyValue("PageStyleName") >>= pageStyle;
  Reference<style::XStyleFamiliesSupplier> supplier(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XNameAccess> pages(supplier->getStyleFamilies()->getByName("PageStyles"), uno::UNO_QUERY_THROW);
  return Reference<beans::XPropertySet>(pages->getByName(pageStyle), uno::UNO_QUERY_THROW);
}

sal_Int32 Int(const Reference<beans::XPropertySet>& props, const char* name) {
  sal_Int32 value = 0;
  props->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
  return value;
}

}  // namespace

double LayoutInformation(WriterDoc& doc, long start, long end, int type) {
  auto controller = doc.model->getCurrentController();
  Reference<text::XTextViewCursorSupplier> supplier(controller, uno::UNO_QUERY_THROW);
  auto view = supplier->getViewCursor();
  Reference<text::XPageCursor> pages(view, uno::UNO_QUERY_THROW);
  if (type == kNumberOfPagesInDocument) {
    sal_Int32 count = 0;
    Reference<beans::XPropertySet>(controller, uno::UNO_QUERY_THROW)->getPropertyValue("PageCount") >>= count;
    return count;
  }
  // Move the view cursor there and back: Writer tells the page of its view cursor only.
  doc.FlushSelection();
  auto savedStart = view->getStart(), savedEnd = view->getEnd();
  const long at = type == kActiveEndPageNumber ? end : start;
  Reference<text::XTextRange> target(doc.story.CursorAt(at), uno::UNO_QUERY_THROW);
  view->gotoRange(target, false);
  double result = 0;
  if (type == kActiveEndPageNumber) {
    result = pages->getPage();
  } else {
    // The view cursor's place is measured from the first page's text area.
    const awt::Point p = view->getPosition();
    const auto page = PageStyleAt(doc, target);
    if (type == kHorizontalPositionRelativeToPage) {
      result = FromMm100(Int(page, "LeftMargin") + p.X);
    } else if (type == kVerticalPositionRelativeToPage) {
      const long before = pages->getPage() - 1;
      result = FromMm100(Int(page, "TopMargin") + p.Y - before * Int(page, "Height"));
    }
  }
  view->gotoRange(savedStart, false);
  view->gotoRange(savedEnd, true);
  return std::round(result * 10) / 10;
}

}  // namespace plx::docif::lo
