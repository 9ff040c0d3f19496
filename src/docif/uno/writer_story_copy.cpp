// The mirror brought up to date after Writer inserted content of its own
// making (a paste), from a fresh reading of Writer's text.
#include <algorithm>

#include "docif/model/model_range.hpp"
#include "docif/uno/writer_story.hpp"

namespace plx::docif::lo {

std::pair<long, long> WriterStory::TakeInserted(const WriterStory& now, long at) {
  const std::wstring& fresh = now.mirror_->Text();
  const std::wstring& was = mirror_->Text();
  const long added = static_cast<long>(fresh.size()) - static_cast<long>(was.size());
  std::pair<long, long> span{at, at + added};
  if (added >= 0 && at <= static_cast<long>(was.size()) && fresh.compare(0, at, was, 0, at) == 0 &&
      fresh.compare(at + added, std::wstring::npos, was, at, std::wstring::npos) == 0) {
    mirror_->Insert(at, fresh.substr(at, added), model::InsertionCell(*mirror_, at));
  } else {
    // Writer changed the text elsewhere too: where the two texts differ.
    size_t head = 0, tail = 0;
    while (head < fresh.size() && head < was.size() && fresh[head] == was[head]) ++head;
    while (tail < fresh.size() - head && tail < was.size() - head &&
           fresh[fresh.size() - 1 - tail] == was[was.size() - 1 - tail])
      ++tail;
    std::vector<model::CharCell> cells;
    for (long i = 0; i < now.mirror_->Length(); ++i) cells.push_back(now.mirror_->Cell(i));
    mirror_->Assign(fresh, cells);
    span = {static_cast<long>(head), static_cast<long>(fresh.size() - tail)};
  }
  // Tables are numbered in document order, in the mirror's characters too.
  for (long i = 0; i < mirror_->Length(); ++i) mirror_->Cell(i).table = now.mirror_->Cell(i).table;
  paragraphs_ = now.paragraphs_;
  texts_ = now.texts_;
  tables_ = now.tables_;
  writerTables_ = now.writerTables_;
  return span;
}

}  // namespace plx::docif::lo
