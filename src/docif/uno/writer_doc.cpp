#include "docif/uno/writer_doc.hpp"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "common/error.hpp"

namespace plx::docif::lo {

using namespace css;

void WriterDoc::ReadSelection() {
  auto controller = model->getCurrentController();
  Reference<view::XSelectionSupplier> supplier(controller, uno::UNO_QUERY);
  if (!supplier.is()) return;
  Reference<container::XIndexAccess> ranges(supplier->getSelection(), uno::UNO_QUERY);
  Reference<text::XTextRange> range;
  if (ranges.is() && ranges->getCount() > 0) ranges->getByIndex(0) >>= range;
  if (!range.is()) return;  // a shape or nothing: the text selection stays
  const long start = story.PositionOf(range->getStart());
  const long end = story.PositionOf(range->getEnd());
  selection->start = std::min(start, end);
  selection->end = std::max(start, end);
}

void WriterDoc::FlushSelection() {
  if (body) {
    body->FlushSelection();
    return;
  }
  if (selectionShown) return;
  selectionShown = true;
  onlyViewMoved = false;
  auto controller = model->getCurrentController();
  Reference<view::XSelectionSupplier> supplier(controller, uno::UNO_QUERY);
  if (!supplier.is()) return;
  try {
    supplier->select(uno::Any(Reference<text::XTextRange>(story.CursorOver(selection->start, selection->end),
                                                          uno::UNO_QUERY)));
  } catch (const VbError&) {
    // across a table's edge Writer's view shows the start
    supplier->select(uno::Any(Reference<text::XTextRange>(story.CursorAt(selection->start), uno::UNO_QUERY)));
  }
}

std::shared_ptr<WriterDoc> WriterDoc::TextBox(const std::shared_ptr<WriterDoc>& main, const Reference<text::XText>& text) {
  std::erase_if(main->boxes_, [](const auto& entry) { return entry.second.expired(); });
  auto& slot = main->boxes_[Reference<uno::XInterface>(text, uno::UNO_QUERY)];
  auto box = slot.lock();
  if (box) {
    box->story.Sync();
  } else {
    box = std::make_shared<WriterDoc>(main, text);
    slot = box;
  }
  box->showFieldCodes = main->showFieldCodes;
  return box;
}

void NotYetInLibreOffice(const wchar_t* what) {
  Raise(err::kInvalidCall, std::wstring(L"LibreOffice 宿主暂时还不能处理") + what + L"，请在后续版本中使用此功能。");
}

}  // namespace plx::docif::lo
