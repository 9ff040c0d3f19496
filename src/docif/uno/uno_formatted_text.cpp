#include "docif/uno/uno_formatted_text.hpp"

#include <algorithm>

#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include "common/error.hpp"
#include "docif/model/model_range.hpp"
#include "docif/uno/uno_dispatch.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// The Writer range of [start, end): within one text (the body or a cell),
// or in the body with whole tables inside it.
Reference<text::XTextRange> WriterSpan(WriterStory& story, long start, long end) {
  const auto& paragraphs = story.Paragraphs();
  const WriterParagraph& first = story.ParagraphAt(start);
  const WriterParagraph& last = story.ParagraphAt(std::max(start, end - 1));
  if (&first == &last || (first.textId == last.textId && !last.rowEnd)) {
    bool oneText = true;
    for (const WriterParagraph* p = &first; p <= &last; ++p) oneText = oneText && p->textId == first.textId && !p->rowEnd;
    if (oneText) return AsRange(story.CursorOver(start, end));
  }
  if (first.textId != 0 || (end < story.Mirror().Length() && story.ParagraphAt(end).textId != 0))
    Raise(err::kInvalidCall, L"LibreOffice 宿主只能复制整个表格，不能复制从表格中间开始或结束的内容。");
  auto cursor = first.text->createTextCursorByRange(AsRange(story.CursorAt(start)));
  const bool toEnd = end >= story.Mirror().Length();
  cursor->gotoRange(toEnd ? paragraphs.back().text->getEnd() : AsRange(story.CursorAt(end)), true);
  return AsRange(cursor);
}

Reference<datatransfer::XTransferableSupplier> Transfers(WriterDoc& doc) {
  return Reference<datatransfer::XTransferableSupplier>(doc.model->getCurrentController(), uno::UNO_QUERY_THROW);
}

void SelectInView(WriterDoc& doc, const Reference<text::XTextRange>& range) {
  doc.LeaveDrawings();
  Reference<view::XSelectionSupplier>(doc.model->getCurrentController(), uno::UNO_QUERY_THROW)
      ->select(uno::Any(range));
  doc.ViewMoved();  // the add-in's selection comes back once the command ends
}

// What Writer's clipboard would hold for [start, end).
Reference<datatransfer::XTransferable> TransferableOf(WriterDoc& doc, long start, long end) {
  ControllersUnlocked unlocked(doc);
  SelectInView(doc, WriterSpan(doc.story, start, end));
  return Transfers(doc)->getTransferable();
}

}  // namespace

void CopyToClipboard(WriterDoc& doc, long start, long end) {
  // Writer's own copy command on the range: the clipboard gets every form
  // Writer offers, as when the teacher copies.
  SelectInView(doc, WriterSpan(doc.story, start, end));
  RunWriterCommand(doc, "Copy");
}

Reference<datatransfer::XTransferable> TakeAllText(WriterDoc& doc) {
  return TransferableOf(doc, 0, doc.story.Mirror().Length() - 1);
}

void PutAllText(WriterDoc& doc, const Reference<datatransfer::XTransferable>& text) {
  ControllersUnlocked unlocked(doc);
  SelectInView(doc, AsRange(doc.story.CursorAt(0)));
  Transfers(doc)->insertTransferable(text);
  doc.story.Sync();
}

std::pair<long, long> PasteFormatted(WriterDoc& target, long start, long end, WriterDoc& source, long from, long to) {
  if (to <= from) {  // nothing to copy: the target's text goes
    const long at = end > start ? target.story.Replace(start, end, L"").first : start;
    return {at, at};
  }
  // Taken first: the source may be the target itself.
  const bool endsWithFinalMark = to > from && to >= source.story.Mirror().Length();
  auto transferable = TransferableOf(source, from, to);
  WriterStory& story = target.story;
  const bool overFinalMark = end >= story.Mirror().Length();
  if (end > start) start = story.Replace(start, end, L"").first;
  start = std::min(start, story.Mirror().Length() - 1);
  ControllersUnlocked unlocked(target);
  SelectInView(target, AsRange(story.CursorAt(start)));
  Transfers(target)->insertTransferable(transferable);
  if (endsWithFinalMark && !overFinalMark) {
    // Writer copies no final paragraph mark; the model's copy ends with one.
    Reference<text::XTextViewCursorSupplier> views(target.model->getCurrentController(), uno::UNO_QUERY_THROW);
    auto after = views->getViewCursor()->getEnd();
    after->getText()->insertControlCharacter(after, text::ControlCharacter::PARAGRAPH_BREAK, false);
  }
  auto copy = story.TakeInserted(WriterStory(story.Document(), story.Text()), start);
  if (overFinalMark) {
    // Put over the final mark, the copy's own last mark takes its place.
    const bool lastMarkCopied = copy.second > copy.first && copy.second == story.Mirror().Length() - 1 &&
                                story.Mirror().Text()[copy.second - 1] == model::kParagraphMark;
    if (lastMarkCopied) story.Replace(copy.second - 1, copy.second, L"");
    if (lastMarkCopied || endsWithFinalMark) copy.second = story.Mirror().Length();
  }
  return copy;
}

}  // namespace plx::docif::lo
