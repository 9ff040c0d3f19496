#pragma once
// Writer's layout as its view cursor reports it, in page points: Writer
// tells where a position stands only for its view cursor, so readers of the
// layout move that cursor. Afterwards the view shows what it showed:
// selected drawings again at once, the text selection (the mirror's) once
// the command ends.
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/text/XTextViewCursor.hpp>
#include <com/sun/star/view/XLineCursor.hpp>

#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// A position's page and its place there (the top left of its line), in
// points from the page's top left.
struct PagePoint {
  int page = 1;
  double x = 0, y = 0;
};

// Writer sets a page's line grid in the middle of its body: the room left
// below the last whole grid line is split above and below the lines (not
// in a document with footnotes, where it starts at the top). The host
// starts its lines at the top of the body, so places are measured from
// there. In 1/100 mm, for the page style given; 0 without a line grid.
long GridBorder(WriterDoc& doc, const Reference<css::beans::XPropertySet>& pageStyle);

class PageView {
  // The drawings the view had selected, if it had (set while `view` is made).
  css::uno::Any shapes_;

 public:
  explicit PageView(WriterDoc& doc);
  ~PageView();
  PageView(const PageView&) = delete;
  PageView& operator=(const PageView&) = delete;

  // Where the view cursor stands now.
  PagePoint Here() const;
  PagePoint At(const Reference<css::text::XTextRange>& at) const;
  // Moves the view cursor `steps` of Writer's cursor steps to the right.
  void GoRight(long steps) const;

  // The page set-up the places are measured with (the first page's style),
  // in points.
  double LeftMargin() const { return left_; }
  double TextWidth() const { return textWidth_; }

  const Reference<css::text::XTextViewCursor> view;
  const Reference<css::view::XLineCursor> lines;
  const Reference<css::text::XPageCursor> pages;

 private:
  WriterDoc& doc_;
  // The first page's margins and height, in 1/100 mm; the top where the
  // host starts the body's lines (without Writer's room above a line grid).
  long leftMm100_ = 0, topMm100_ = 0, heightMm100_ = 0;
  double left_ = 0, textWidth_ = 0;
};

}  // namespace plx::docif::lo
