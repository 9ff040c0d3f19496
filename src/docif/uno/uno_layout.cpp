#include "docif/uno/uno_layout.hpp"

#include <com/sun/star/beans/XPropertySet.hpp>

#include "docif/range.hpp"
#include "docif/uno/uno_page_view.hpp"

namespace plx::docif::lo {

using namespace css;

double LayoutInformation(WriterDoc& doc, long start, long end, int type) {
  if (type == kNumberOfPagesInDocument) {
    auto controller = doc.model->getCurrentController();
    sal_Int32 count = 0;
    Reference<beans::XPropertySet>(controller, uno::UNO_QUERY_THROW)->getPropertyValue("PageCount") >>= count;
    return count;
  }
  // Writer tells the place of its view cursor only: the page view moves it
  // (leaving selected drawings, which Writer's view cursor refuses, and
  // selecting them again) and measures from the position's own page.
  const PageView pageView(doc);
  const long at = type == kActiveEndPageNumber ? end : start;
  const PagePoint place = pageView.At(Reference<text::XTextRange>(doc.story.CursorAt(at), uno::UNO_QUERY_THROW));
  switch (type) {
    case kActiveEndPageNumber: return place.page;
    case kHorizontalPositionRelativeToPage: return place.x;
    case kVerticalPositionRelativeToPage: return place.y;
    default: return 0;
  }
}

}  // namespace plx::docif::lo
