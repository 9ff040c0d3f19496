#include "docif/uno/writer_doc.hpp"

#include <algorithm>

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/drawing/XShapes.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_dispatch.hpp"
#include "docif/shapes.hpp"
#include "docif/uno/uno_shape_geometry.hpp"
#include "docif/uno/uno_shapes.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

Reference<view::XSelectionSupplier> ViewSelection(WriterDoc& doc) {
  return Reference<view::XSelectionSupplier>(doc.model->getCurrentController(), uno::UNO_QUERY);
}

// Drawings the view shows selected; a drawing holding text is a text range
// too, but no text selection.
Reference<drawing::XShapes> Drawings(const uno::Any& selection) {
  Reference<drawing::XShapes> shapes(selection, uno::UNO_QUERY);
  if (shapes.is() && shapes->getCount() > 0) return shapes;
  Reference<container::XIndexAccess> ranges(selection, uno::UNO_QUERY);
  if (ranges.is() && ranges->getCount() > 0 && Reference<drawing::XShape>(ranges->getByIndex(0), uno::UNO_QUERY).is())
    return Reference<drawing::XShapes>(selection, uno::UNO_QUERY);
  return {};
}

}  // namespace

void WriterDoc::ReadSelection() {
  auto supplier = ViewSelection(*this);
  if (!supplier.is()) return;
  const uno::Any shown = supplier->getSelection();
  if (auto drawings = Drawings(shown); drawings.is()) {
    // The text selection stays where it was.
    shapes.clear();
    for (sal_Int32 i = 0; i < drawings->getCount(); ++i) shapes.emplace_back(drawings->getByIndex(i), uno::UNO_QUERY);
    selectionShown = true;
    return;
  }
  Reference<container::XIndexAccess> ranges(shown, uno::UNO_QUERY);
  Reference<text::XTextRange> range;
  if (ranges.is() && ranges->getCount() > 0) ranges->getByIndex(0) >>= range;
  if (!range.is()) return;  // nothing: the selection stays
  const long start = story.PositionOf(range->getStart());
  const long end = story.PositionOf(range->getEnd());
  selection->start = std::min(start, end);
  selection->end = std::max(start, end);
  shapes.clear();
  selectionShown = true;
}

ControllersUnlocked::ControllersUnlocked(const WriterDoc& doc) : model_(doc.model) {
  for (; model_->hasControllersLocked(); ++locks_) model_->unlockControllers();
}

ControllersUnlocked::~ControllersUnlocked() {
  try {
    for (; locks_ > 0; --locks_) model_->lockControllers();
  } catch (const uno::Exception&) {
    // the office is gone: the call that failed reports it
  }
}

uno::Any WriterDoc::LeaveDrawings() {
  auto supplier = ViewSelection(*this);
  if (!supplier.is()) return {};
  const uno::Any shown = supplier->getSelection();
  if (!Drawings(shown).is()) return {};
  RunWriterCommand(*this, "Escape");
  return shown;
}

void WriterDoc::FlushSelection() {
  if (body) {
    body->FlushSelection();
    return;
  }
  if (selectionShown) return;
  selectionShown = true;
  auto supplier = ViewSelection(*this);
  if (!supplier.is()) return;
  if (!shapes.empty()) {
    // Those still in the document (the add-in may have deleted some since).
    std::vector<ShapeRef> present, tops;
    for (const auto& s : SelectedShapes(*this)) {
      present.push_back(s.shape);
      if (std::find(tops.begin(), tops.end(), s.top) == tops.end()) tops.push_back(s.top);
    }
    shapes = present;
    // A group stays the add-in's selection without being shown: once the
    // view has shown a figure's group (the vertical arithmetic's, of many
    // boxes) and left it, its text cursor reported the places it was
    // moved to late, and the next figure was drawn at the line's start.
    const bool group = std::any_of(tops.begin(), tops.end(), [](const ShapeRef& t) { return KindOf(t).type == kShapeGroup; });
    if (!present.empty() && !group) {
      bool shown = false;
      try {
        shown = supplier->select(uno::Any(ShapeCollection(present)));
      } catch (const lang::IllegalArgumentException&) {
        // an item inside a group, which Writer's view does not select alone
      }
      if (!shown) supplier->select(uno::Any(ShapeCollection(tops)));  // their groups show selected
      return;
    }
  }
  LeaveDrawings();
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
