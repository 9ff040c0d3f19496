#include "docif/uno/uno_page_view.hpp"

#include <algorithm>
#include <cmath>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/TextGridMode.hpp>
#include <com/sun/star/text/XEndnotesSupplier.hpp>
#include <com/sun/star/text/XFootnotesSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "docif/uno/uno_formats.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// Writer's view sets its pages one under the other with a gap of 284 twips
// between them; its places count from the first page's text area.
constexpr long kGapBetweenPages = 501;  // 1/100 mm

// The view cursor, which Writer refuses while drawings are selected: the
// view leaves them, and `shapes` keeps them to be selected again when the
// view showed what the add-in had selected.
Reference<text::XTextViewCursor> ViewCursorOf(WriterDoc& doc, uno::Any& shapes) {
  const bool shown = doc.selectionShown;
  const uno::Any drawings = doc.LeaveDrawings();
  if (shown) shapes = drawings;
  Reference<text::XTextViewCursorSupplier> supplier(doc.model->getCurrentController(), uno::UNO_QUERY_THROW);
  return supplier->getViewCursor();
}

}  // namespace

long GridBorder(WriterDoc& doc, const Reference<beans::XPropertySet>& style) {
  sal_Int16 mode = text::TextGridMode::NONE, lines = 0;
  style->getPropertyValue("GridMode") >>= mode;
  if (mode == text::TextGridMode::NONE) return 0;
  Reference<text::XFootnotesSupplier> footnotes(doc.story.Document(), uno::UNO_QUERY);
  Reference<text::XEndnotesSupplier> endnotes(doc.story.Document(), uno::UNO_QUERY);
  if ((footnotes.is() && footnotes->getFootnotes()->getCount() > 0) ||
      (endnotes.is() && endnotes->getEndnotes()->getCount() > 0))
    return 0;
  sal_Int32 base = 0, ruby = 0, height = 0, top = 0, bottom = 0, header = 0, footer = 0;
  bool headerOn = false, footerOn = false;
  style->getPropertyValue("GridBaseHeight") >>= base;
  style->getPropertyValue("GridRubyHeight") >>= ruby;
  style->getPropertyValue("GridLines") >>= lines;
  style->getPropertyValue("Height") >>= height;
  style->getPropertyValue("TopMargin") >>= top;
  style->getPropertyValue("BottomMargin") >>= bottom;
  style->getPropertyValue("HeaderIsOn") >>= headerOn;
  style->getPropertyValue("FooterIsOn") >>= footerOn;
  if (headerOn) style->getPropertyValue("HeaderHeight") >>= header;
  if (footerOn) style->getPropertyValue("FooterHeight") >>= footer;
  // Writer counts in twips, from which these lengths were converted.
  auto twips = [](sal_Int32 mm100) { return std::lround(mm100 * 1440.0 / 2540.0); };
  const long pitch = twips(base) + twips(ruby);
  const long body = twips(height) - twips(top) - twips(bottom) - twips(header) - twips(footer);
  if (pitch <= 0 || body <= 0) return 0;
  const long count = lines > 0 ? std::min<long>(body / pitch, lines) : body / pitch;
  return std::lround((body - count * pitch) / 2 * 2540.0 / 1440.0);
}

PageView::PageView(WriterDoc& doc)
    : view(ViewCursorOf(doc, shapes_)),
      lines(view, uno::UNO_QUERY_THROW),
      pages(view, uno::UNO_QUERY_THROW),
      doc_(doc) {
  rtl::OUString styleName;
  Reference<beans::XPropertySet>(doc.story.CursorAt(0), uno::UNO_QUERY_THROW)->getPropertyValue("PageStyleName") >>=
      styleName;
  Reference<style::XStyleFamiliesSupplier> families(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XNameAccess> styles(families->getStyleFamilies()->getByName("PageStyles"),
                                           uno::UNO_QUERY_THROW);
  Reference<beans::XPropertySet> style(styles->getByName(styleName), uno::UNO_QUERY_THROW);
  sal_Int32 left = 0, right = 0, top = 0, width = 0, height = 0;
  style->getPropertyValue("LeftMargin") >>= left;
  style->getPropertyValue("RightMargin") >>= right;
  style->getPropertyValue("TopMargin") >>= top;
  style->getPropertyValue("Width") >>= width;
  style->getPropertyValue("Height") >>= height;
  leftMm100_ = left;
  topMm100_ = top - (doc.keptOnPage && doc.keptOnPage() ? 0 : GridBorder(doc, style));
  heightMm100_ = height;
  left_ = FromMm100(left);
  textWidth_ = FromMm100(width - left - right);
}

PageView::~PageView() {
  doc_.ViewMoved();
  if (!shapes_.hasValue()) return;
  try {
    Reference<view::XSelectionSupplier>(doc_.model->getCurrentController(), uno::UNO_QUERY_THROW)->select(shapes_);
    doc_.selectionShown = true;  // the view shows the drawings again
  } catch (...) {
    // the drawings are gone: the selection shows once the command ends
  }
}

PagePoint PageView::Here() const {
  const awt::Point p = view->getPosition();
  PagePoint out;
  out.page = pages->getPage();
  // In tenths of a point, as the Information values are, so that a piece
  // and the inline picture on its line share their top exactly.
  out.x = std::round(FromMm100(leftMm100_ + p.X) * 10) / 10;
  out.y = std::round(FromMm100(topMm100_ + p.Y - (out.page - 1) * (heightMm100_ + kGapBetweenPages)) * 10) / 10;
  return out;
}

PagePoint PageView::At(const Reference<text::XTextRange>& at) const {
  view->gotoRange(at, false);
  return Here();
}

void PageView::GoRight(long steps) const {
  // One call moves at most 32,767 steps.
  while (steps > 0) {
    const long step = std::min(steps, 32767L);
    view->goRight(static_cast<sal_Int16>(step), false);
    steps -= step;
  }
}

}  // namespace plx::docif::lo
