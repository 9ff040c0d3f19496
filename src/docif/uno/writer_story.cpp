#include "docif/uno/writer_story.hpp"

#include <algorithm>
#include <map>
#include <optional>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XContentEnumerationAccess.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/text/XFormField.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextField.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include "common/error.hpp"
#include "docif/model/model_range.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;
using model::kCellEnd;
using model::kParagraphMark;
using model::kRowEnd;

namespace {

// goRight moves at most this many characters per call.
constexpr long kLongestStep = 32767;

// The parameter a fieldmark keeps its field code in.
const rtl::OUString kCodeParameter("vnd.oasis.opendocument.field.code");

using Piece = WriterParagraph::Piece;

template <class T>
Reference<T> Query(const Reference<uno::XInterface>& object) {
  return Reference<T>(object, uno::UNO_QUERY);
}

rtl::OUString PortionType(const Reference<beans::XPropertySet>& portion) {
  rtl::OUString type;
  portion->getPropertyValue("TextPortionType") >>= type;
  return type;
}

// Writer's text of a portion as the mirror holds it: a line break is the
// host's character 11.
std::wstring MirrorText(const rtl::OUString& shown) {
  std::wstring text = FromOUString(shown);
  std::replace(text.begin(), text.end(), L'\n', L'\v');
  return text;
}

// The host's field code of a Writer text field: Writer keeps the kind of
// field, not the code it was read from, so the code is written as the host
// writes it (" PAGE "); a kind the host has no code for keeps Writer's name.
std::wstring FieldCode(const Reference<text::XTextField>& field) {
  struct Kind {
    const char* service;
    const wchar_t* code;
  };
  static constexpr Kind kKinds[] = {
      {"com.sun.star.text.textfield.PageNumber", L"PAGE"},
      {"com.sun.star.text.textfield.PageCount", L"NUMPAGES"},
      {"com.sun.star.text.textfield.WordCount", L"NUMWORDS"},
      {"com.sun.star.text.textfield.CharacterCount", L"NUMCHARS"},
      {"com.sun.star.text.textfield.FileName", L"FILENAME"},
      {"com.sun.star.text.textfield.Author", L"AUTHOR"},
      {"com.sun.star.text.textfield.docinfo.Title", L"TITLE"},
      {"com.sun.star.text.textfield.GetReference", L"REF"},
  };
  if (!field.is()) return L"";
  Reference<lang::XServiceInfo> info(field, uno::UNO_QUERY);
  if (info.is()) {
    for (const Kind& kind : kKinds)
      if (info->supportsService(rtl::OUString::createFromAscii(kind.service))) return kind.code;
    if (info->supportsService("com.sun.star.text.textfield.DateTime")) {
      bool isDate = true;
      Reference<beans::XPropertySet>(field, uno::UNO_QUERY_THROW)->getPropertyValue("IsDate") >>= isDate;
      return isDate ? L"DATE" : L"TIME";
    }
  }
  return FromOUString(field->getPresentation(true));
}

// A fieldmark's parameters (none for another portion's bookmark).
Reference<container::XNameContainer> Parameters(const Reference<uno::XInterface>& fieldmark) {
  // XFormField is marked deprecated with nothing in its place.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  Reference<text::XFormField> field(fieldmark, uno::UNO_QUERY);
  return field.is() ? field->getParameters() : Reference<container::XNameContainer>();
#pragma GCC diagnostic pop
}

// The code a fieldmark keeps as its parameter, as Writer keeps the fields
// it does not lay out itself (and the add-in its EQ fields): empty for one
// that has none.
std::wstring ParameterCode(const Reference<uno::XInterface>& fieldmark) {
  auto parameters = Parameters(fieldmark);
  rtl::OUString code;
  if (parameters.is() && parameters->hasByName(kCodeParameter)) parameters->getByName(kCodeParameter) >>= code;
  return FromOUString(code);
}

// The object a frame portion holds when it is anchored as a character.
// Writer lists the frames anchored at a character among the portions too;
// they float, and are no character of the text.
Reference<text::XTextContent> CharacterObject(const Reference<beans::XPropertySet>& portion) {
  Reference<container::XContentEnumerationAccess> access(portion, uno::UNO_QUERY);
  if (!access.is()) return {};
  auto contents = access->createContentEnumeration("com.sun.star.text.TextContent");
  while (contents->hasMoreElements()) {
    Reference<beans::XPropertySet> content(contents->nextElement(), uno::UNO_QUERY);
    text::TextContentAnchorType anchor = text::TextContentAnchorType_AS_CHARACTER;
    if (content.is()) content->getPropertyValue("AnchorType") >>= anchor;
    if (anchor == text::TextContentAnchorType_AS_CHARACTER) return Reference<text::XTextContent>(content, uno::UNO_QUERY);
  }
  return {};
}

// Reads one Writer paragraph's portions into its pieces and the mirror text.
void ReadPortions(const Reference<container::XEnumerationAccess>& paragraph, WriterParagraph& entry,
                  std::wstring& text) {
  auto portions = paragraph->createEnumeration();
  // A fieldmark's code stands in the mirror between its begin mark and its
  // separator: Writer's own text there when it has some, else its parameter.
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t parameterCode = kNone;  // the piece that holds a parameter code
  while (portions->hasMoreElements()) {
    Reference<beans::XPropertySet> portion(portions->nextElement(), uno::UNO_QUERY);
    if (!portion.is()) continue;
    const rtl::OUString type = PortionType(portion);
    std::wstring add;
    long steps = 0, shown = 0;
    if (type == "Text") {
      const rtl::OUString s = Query<text::XTextRange>(portion)->getString();
      add = MirrorText(s);
      steps = shown = static_cast<long>(add.size());
      if (parameterCode != kNone) {
        Piece& start = entry.pieces[parameterCode];
        text.erase(text.size() - static_cast<size_t>(start.mirror - 1));
        start.mirror = 1;
        start.fieldmark.clear();
        parameterCode = kNone;
      }
    } else if (type == "Frame") {
      if (!CharacterObject(portion).is()) continue;
      // An object anchored as a character: one step, no character of getString.
      add = std::wstring(1, model::kInlineObject);
      steps = 1;
    } else if (type == "TextField") {
      // A Writer field is one step; the mirror holds it as the host does:
      // begin mark, code, separator, result, end mark.
      Reference<text::XTextField> field;
      portion->getPropertyValue("TextField") >>= field;
      const std::wstring result = MirrorText(Query<text::XTextRange>(portion)->getString());
      const std::wstring code = FieldCode(field);
      add = std::wstring(1, model::kFieldBegin) + L" " + code + L" " + model::kFieldSeparator + result +
            model::kFieldEnd;
      steps = 1;
      shown = static_cast<long>(result.size());
    } else if (type == "TextFieldStart") {
      Reference<uno::XInterface> fieldmark(portion->getPropertyValue("Bookmark"), uno::UNO_QUERY);
      const std::wstring code = ParameterCode(fieldmark);
      add = model::kFieldBegin + code, steps = 1;
      if (!code.empty()) {
        parameterCode = entry.pieces.size();
        entry.pieces.push_back({static_cast<long>(add.size()), steps, 0, fieldmark});
        text += add;
        continue;
      }
    } else if (type == "TextFieldSeparator") {
      add = std::wstring(1, model::kFieldSeparator), steps = 1;
      parameterCode = kNone;
    } else if (type == "TextFieldEnd") {
      add = std::wstring(1, model::kFieldEnd), steps = 1;
    } else if (type == "Footnote" || type == "Annotation" || type == "AnnotationEnd") {
      steps = 1;  // an anchor character the host's text does not show
    }
    // Bookmarks, reference marks, redlines and soft page breaks take no place.
    if (add.empty() && steps == 0) continue;
    entry.pieces.push_back({static_cast<long>(add.size()), steps, shown});
    text += add;
  }
}

}  // namespace

// One pass over Writer's text: every paragraph and table, cells row by row.
struct WriterStory::Walk {
  std::vector<WriterParagraph> paragraphs;
  std::wstring text;
  std::vector<model::CharCell> cells;
  std::vector<Reference<uno::XInterface>> texts;  // by text id
  model::TableMap tables;
  std::map<uint32_t, Reference<text::XTextTable>> writerTables;

  void Paragraph(const Reference<text::XText>& owner, int textId, const Reference<uno::XInterface>& p,
                 uint32_t table) {
    WriterParagraph entry;
    entry.start = static_cast<long>(text.size());
    entry.text = owner;
    entry.textId = textId;
    entry.begin = Query<text::XTextRange>(p)->getStart();
    ReadPortions(Query<container::XEnumerationAccess>(p), entry, text);
    text += kParagraphMark;
    entry.length = static_cast<long>(text.size()) - entry.start;
    cells.resize(text.size(), model::CharCell{0, 0, 0, table, false});
    paragraphs.push_back(std::move(entry));
  }

  // The paragraphs and tables of one text; a cell's last mark is its cell end.
  void Text(const Reference<text::XText>& owner, uint32_t table, bool cell) {
    const int textId = static_cast<int>(texts.size());
    texts.emplace_back(owner, uno::UNO_QUERY);
    const size_t first = paragraphs.size();
    auto items = Query<container::XEnumerationAccess>(owner)->createEnumeration();
    bool endsWithParagraph = false;
    while (items->hasMoreElements()) {
      Reference<uno::XInterface> item(items->nextElement(), uno::UNO_QUERY);
      Reference<text::XTextTable> nested(item, uno::UNO_QUERY);
      if (nested.is()) {
        Table(nested, table);
        endsWithParagraph = false;
      } else {
        Paragraph(owner, textId, item, table);
        endsWithParagraph = true;
      }
    }
    if (!cell) return;
    if (!endsWithParagraph || paragraphs.size() == first) {
      // A cell ending in a table still ends with a mark of its own.
      WriterParagraph end;
      end.start = static_cast<long>(text.size());
      end.length = 1;
      end.text = owner;
      end.textId = textId;
      end.begin = owner->getEnd();
      text += kParagraphMark;
      cells.resize(text.size(), model::CharCell{0, 0, 0, table, false});
      paragraphs.push_back(std::move(end));
    }
    text.back() = kCellEnd;
  }

  void Table(const Reference<text::XTextTable>& table, uint32_t parent) {
    const uint32_t id = static_cast<uint32_t>(tables.size()) + 1;
    tables[id].parent = parent;
    writerTables[id] = table;
    // Cell names run row by row ("A1", "B1", ... "A2"); a split cell's name
    // ("A1.1.2") still starts with its row's name.
    const auto names = table->getCellNames();
    auto rowOf = [](const rtl::OUString& name) {
      sal_Int32 i = 0;
      while (i < name.getLength() && !(name[i] >= u'0' && name[i] <= u'9')) ++i;
      sal_Int32 j = i;
      while (j < name.getLength() && (name[j] >= u'0' && name[j] <= u'9')) ++j;
      return name.copy(i, j - i).toInt32();
    };
    for (sal_Int32 i = 0; i < names.getLength(); ++i) {
      Reference<text::XText> cellText(table->getCellByName(names[i]), uno::UNO_QUERY);
      Text(cellText, id, true);
      if (i + 1 == names.getLength() || rowOf(names[i + 1]) != rowOf(names[i])) {
        WriterParagraph row;
        row.start = static_cast<long>(text.size());
        row.length = 1;
        row.text = cellText;
        row.textId = static_cast<int>(texts.size()) - 1;
        row.begin = cellText->getEnd();
        row.rowEnd = true;
        text += kRowEnd;
        cells.resize(text.size(), model::CharCell{0, 0, 0, id, false});
        paragraphs.push_back(std::move(row));
      }
    }
  }
};

WriterStory::WriterStory(Reference<text::XTextDocument> document) : WriterStory(document, document->getText()) {}

WriterStory::WriterStory(Reference<text::XTextDocument> document, Reference<text::XText> text)
    : document_(std::move(document)), text_(std::move(text)) {
  Sync();
}

void WriterStory::Sync() {
  Walk walk;
  walk.Text(text_, 0, false);
  if (walk.text != mirror_->Text()) mirror_->Assign(walk.text, walk.cells);
  Adopt(walk);
}

void WriterStory::Reindex() {
  Walk walk;
  walk.Text(text_, 0, false);
  if (walk.text != mirror_->Text())
    Raise(err::kInvalidCall, L"LibreOffice 中的文字与插件记录的不一致，请重试。");
  Adopt(walk);
}

void WriterStory::Adopt(Walk& walk) {
  // Tables are numbered in document order: one added or removed renumbers
  // those after it, in the mirror's characters too.
  for (long i = 0; i < mirror_->Length(); ++i)
    if (mirror_->Cell(i).table != walk.cells[i].table) mirror_->Cell(i).table = walk.cells[i].table;
  paragraphs_ = std::move(walk.paragraphs);
  texts_ = std::move(walk.texts);
  tables_ = std::move(walk.tables);
  writerTables_ = std::move(walk.writerTables);
}

void WriterStory::InsertTable(long pos, int rows, int columns) {
  Reference<lang::XMultiServiceFactory> factory(document_, uno::UNO_QUERY_THROW);
  Reference<text::XTextTable> table(factory->createInstance("com.sun.star.text.TextTable"), uno::UNO_QUERY_THROW);
  table->initialize(rows, columns);
  // Writer puts the table in front of the paragraph it is inserted at, as the mirror does.
  auto cursor = CursorAt(pos);
  const uno::Any style = Reference<beans::XPropertySet>(cursor, uno::UNO_QUERY_THROW)->getPropertyValue("ParaStyleName");
  cursor->getText()->insertTextContent(AsRange(cursor), Reference<text::XTextContent>(table, uno::UNO_QUERY_THROW), false);
  // Writer gives a new table's cells its table styles (a bold heading row);
  // as in Word, they take the style of the paragraph the table went at.
  // Their text has Word's room around it: none above and below, 0.19 cm
  // at the sides (Writer's own 0.1 cm all round makes every row taller).
  for (const rtl::OUString& name : table->getCellNames()) {
    const auto cell = table->getCellByName(name);
    auto inCell = Reference<text::XText>(cell, uno::UNO_QUERY_THROW)->createTextCursor();
    Reference<beans::XPropertySet>(inCell, uno::UNO_QUERY_THROW)->setPropertyValue("ParaStyleName", style);
    const Reference<beans::XPropertySet> cellProperties(cell, uno::UNO_QUERY_THROW);
    for (const auto& [side, room] : {std::pair{"TopBorderDistance", 0}, {"BottomBorderDistance", 0},
                                     {"LeftBorderDistance", 190}, {"RightBorderDistance", 190}})
      cellProperties->setPropertyValue(rtl::OUString::createFromAscii(side), uno::Any(sal_Int32(room)));
  }
  std::wstring text;
  for (int r = 0; r < rows; ++r) text += std::wstring(columns, kCellEnd) + kRowEnd;
  model::CharCell cell = model::InsertionCell(*mirror_, pos);
  cell.table = static_cast<uint32_t>(-1);  // numbered by the reading below
  mirror_->Insert(pos, text, cell);
  Reindex();
}

void WriterStory::RemoveTable(uint32_t id) {
  auto span = model::TableSpan(tables_, *mirror_, id);
  WriterTable(id)->dispose();
  if (span) mirror_->Erase(span->first, span->second);
  Reindex();
}

Reference<text::XTextTable> WriterStory::WriterTable(uint32_t id) const {
  auto it = writerTables_.find(id);
  if (it == writerTables_.end()) Raise(err::kInvalidCall, L"该表格已被删除。");
  return it->second;
}

uint32_t WriterStory::TableId(const Reference<text::XTextTable>& table) const {
  for (const auto& [id, t] : writerTables_)
    if (t == table) return id;
  Raise(err::kInvalidCall, L"该表格已被删除。");
}

size_t WriterStory::IndexAt(long pos) const {
  auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), pos,
                             [](long p, const WriterParagraph& e) { return p < e.start; });
  return it == paragraphs_.begin() ? 0 : static_cast<size_t>(it - paragraphs_.begin() - 1);
}

Reference<text::XTextCursor> WriterStory::CursorAt(long pos) const {
  const WriterParagraph& entry = paragraphs_[IndexAt(pos)];
  auto cursor = entry.text->createTextCursorByRange(entry.begin);
  if (entry.rowEnd) return cursor;
  long offset = pos - entry.start, steps = 0;
  for (const auto& piece : entry.pieces) {
    if (offset < piece.mirror) {
      // Inside a field Writer holds as one step: its start.
      if (piece.mirror == piece.steps) steps += offset;
      offset = 0;
      break;
    }
    offset -= piece.mirror;
    steps += piece.steps;
  }
  while (steps > 0) {
    const long step = std::min(steps, kLongestStep);
    cursor->goRight(static_cast<sal_Int16>(step), false);
    steps -= step;
  }
  return cursor;
}

Reference<text::XTextCursor> WriterStory::CursorOver(long start, long end) const {
  const WriterParagraph& first = paragraphs_[IndexAt(start)];
  for (size_t i = IndexAt(start); i <= IndexAt(std::max(start, end - 1)); ++i)
    if (paragraphs_[i].textId != first.textId || paragraphs_[i].rowEnd)
      Raise(err::kInvalidCall, L"LibreOffice 宿主不能一次修改跨越表格边界的文字。");
  auto cursor = CursorAt(start);
  if (end > start) {
    // A range that ends with its paragraph's mark ends at the paragraph's end in Writer.
    auto to = CursorAt(end);
    if (paragraphs_[IndexAt(end)].textId != first.textId) {
      to = first.text->createTextCursorByRange(paragraphs_[IndexAt(end - 1)].begin);
      Query<text::XParagraphCursor>(to)->gotoEndOfParagraph(false);
    }
    cursor->gotoRange(to->getStart(), true);
  }
  return cursor;
}

std::vector<Reference<text::XTextCursor>> WriterStory::CursorsOver(long start, long end) const {
  std::vector<Reference<text::XTextCursor>> out;
  size_t i = IndexAt(start);
  const size_t last = IndexAt(std::max(start, end - 1));
  long from = start;
  while (i <= last) {
    size_t j = i;
    while (j + 1 <= last && paragraphs_[j + 1].textId == paragraphs_[i].textId && !paragraphs_[j + 1].rowEnd) ++j;
    long to = std::min(end, paragraphs_[j].start + paragraphs_[j].length);
    // A paragraph's mark is no character in Writer: a range ending with it
    // ends where the paragraph's text does.
    if (to > from && mirror_->IsParagraphEnd(to - 1)) --to;
    if (!paragraphs_[i].rowEnd) out.push_back(CursorOver(from, to));
    i = j + 1;
    if (i <= last) from = paragraphs_[i].start;
  }
  return out;
}

long WriterStory::PositionOf(const Reference<text::XTextRange>& at) const {
  auto owner = at->getText();
  Reference<text::XTextRangeCompare> compare(owner, uno::UNO_QUERY_THROW);
  Reference<uno::XInterface> ownerId(owner, uno::UNO_QUERY);
  // The entries of that text, then the last whose start is not after `at`.
  const auto known = std::find(texts_.begin(), texts_.end(), ownerId);
  if (known == texts_.end()) return 0;  // in a frame or header the mirror does not hold
  const int textId = static_cast<int>(known - texts_.begin());
  std::vector<const WriterParagraph*> candidates;
  for (const auto& e : paragraphs_)
    if (e.textId == textId && !e.rowEnd) candidates.push_back(&e);
  size_t lo = 0, hi = candidates.size();
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    // compareRegionStarts: 1 when the first starts before the second.
    if (compare->compareRegionStarts(candidates[mid]->begin, at) >= 0) lo = mid;
    else hi = mid;
  }
  const WriterParagraph& entry = *candidates[lo];
  auto cursor = owner->createTextCursorByRange(entry.begin);
  cursor->gotoRange(at->getStart(), true);
  long shown = static_cast<long>(FromOUString(cursor->getString()).size());  // characters, not UTF-16 units
  long pos = entry.start;
  for (const auto& piece : entry.pieces) {
    if (shown < piece.shown || (shown == 0 && piece.shown == 0 && piece.steps > 0 && piece.mirror == 1)) {
      if (piece.mirror == piece.shown) pos += shown;
      return pos;
    }
    shown -= piece.shown;
    pos += piece.mirror;
  }
  return std::min(pos, entry.start + entry.length - 1);
}

std::vector<WriterParagraph> WriterStory::Reread(const Reference<text::XText>& owner, int textId,
                                                 const Reference<text::XTextCursor>& at, size_t count,
                                                 std::wstring* text) const {
  // From the paragraph `at` stands in, back to the first of the `count`.
  auto cursor = owner->createTextCursorByRange(at->getStart());
  Reference<text::XParagraphCursor> paragraphs(cursor, uno::UNO_QUERY_THROW);
  paragraphs->gotoStartOfParagraph(false);
  for (size_t i = 1; i < count; ++i) paragraphs->gotoPreviousParagraph(false);
  std::vector<WriterParagraph> out;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) paragraphs->gotoNextParagraph(false);
    paragraphs->gotoStartOfParagraph(false);
    paragraphs->gotoEndOfParagraph(true);
    auto items = Query<container::XEnumerationAccess>(cursor)->createEnumeration();
    Reference<uno::XInterface> p(items->nextElement(), uno::UNO_QUERY);
    WriterParagraph entry;
    entry.text = owner;
    entry.textId = textId;
    entry.begin = cursor->getStart();
    ReadPortions(Query<container::XEnumerationAccess>(p), entry, *text);
    *text += kParagraphMark;
    out.push_back(std::move(entry));
  }
  return out;
}

void WriterStory::MirrorReplace(long s, long e, const std::wstring& text) {
  // The mirror changes as the model's story would.
  const uint32_t table = mirror_->Cell(s).table;
  if (e > s) mirror_->Erase(s, e);
  model::CharCell cell = model::InsertionCell(*mirror_, s);
  cell.table = table;
  mirror_->Insert(s, text, cell);
}

bool WriterStory::ReplaceInOnePiece(long s, long e, const std::wstring& text) {
  for (wchar_t c : text)
    if (c < 0x20 && c != L'\t') return false;  // marks and breaks change the paragraphs
  const size_t index = IndexAt(s);
  WriterParagraph& entry = paragraphs_[index];
  const long offset = s - entry.start, length = e - s;
  // Not at the paragraph's start, where its mark stands, and not past its text.
  if (entry.rowEnd || offset == 0 || e > entry.start + entry.length - 1 || length > kLongestStep) return false;
  long at = 0;
  for (auto& piece : entry.pieces) {
    const bool plain = piece.mirror == piece.steps && piece.mirror == piece.shown;
    if (plain && at <= offset && offset + length <= at + piece.mirror) {
      auto cursor = CursorAt(s);
      if (length > 0) cursor->goRight(static_cast<sal_Int16>(length), true);
      cursor->setString(ToOUString(text));
      MirrorReplace(s, e, text);
      const long delta = static_cast<long>(text.size()) - length;
      piece.steps += delta;
      piece.shown += delta;
      Grow(index, piece, delta);
      return true;
    }
    at += piece.mirror;
  }
  return false;
}

void WriterStory::Grow(size_t index, Piece& piece, long delta) {
  piece.mirror += delta;
  paragraphs_[index].length += delta;
  for (size_t i = index + 1; i < paragraphs_.size(); ++i) paragraphs_[i].start += delta;
}

bool WriterStory::ReplaceInParameterCode(long s, long e, const std::wstring& text) {
  for (wchar_t c : text)
    if (c < 0x20) return false;
  const size_t index = IndexAt(s);
  WriterParagraph& entry = paragraphs_[index];
  long at = entry.start;
  for (Piece& piece : entry.pieces) {
    // The code: after the begin mark, up to the separator.
    if (piece.fieldmark.is() && s > at && e <= at + piece.mirror) {
      std::wstring code = mirror_->Text().substr(at + 1, piece.mirror - 1);
      code.replace(s - at - 1, e - s, text);
      Parameters(piece.fieldmark)->replaceByName(kCodeParameter, uno::Any(ToOUString(code)));
      MirrorReplace(s, e, text);
      Grow(index, piece, static_cast<long>(text.size()) - (e - s));
      return true;
    }
    at += piece.mirror;
  }
  return false;
}

std::pair<long, long> WriterStory::Replace(long start, long end, const std::wstring& text) {
  auto [s, e] = mirror_->ErasableSpan(start, end);
  if (start == end) s = e = std::clamp(start, 0L, mirror_->Length() - 1);
  // The paragraphs touched: deleting a paragraph's mark joins the next one to it.
  const size_t first = IndexAt(s), last = IndexAt(e);
  if (paragraphs_[first].rowEnd || paragraphs_[last].rowEnd || paragraphs_[last].textId != paragraphs_[first].textId)
    Raise(err::kInvalidCall, L"LibreOffice 宿主不能在表格的行尾或跨越单元格修改文字。");
  if (ReplaceInOnePiece(s, e, text) || ReplaceInParameterCode(s, e, text)) return {s, e};
  // Text typed at a paragraph's start takes the formatting of the character
  // after it, as the host gives it (Writer would give the paragraph's own).
  const std::wstring& mirrorText = mirror_->Text();
  const bool atParagraphStart = s == 0 || mirror_->IsParagraphEnd(s - 1) || mirrorText[s - 1] == kRowEnd;
  std::optional<FontFormat> inherited;
  if (atParagraphStart && !text.empty()) {
    const bool mark = mirror_->IsParagraphEnd(e) || mirrorText[e] == kRowEnd;
    inherited = ReadFont(Reference<beans::XPropertySet>(mark ? CursorAt(e) : CursorOver(e, e + 1), uno::UNO_QUERY_THROW));
  }
  auto cursor = CursorOver(s, e);
  auto owner = paragraphs_[first].text;
  if (e > s) cursor->setString(rtl::OUString());
  cursor->collapseToEnd();
  size_t from = 0;
  long breaks = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != kParagraphMark && text[i] != L'\v') continue;
    if (i > from) owner->insertString(AsRange(cursor), ToOUString(text.substr(from, i - from)), false);
    if (i < text.size()) {
      owner->insertControlCharacter(AsRange(cursor), text[i] == kParagraphMark ? text::ControlCharacter::PARAGRAPH_BREAK
                                                                      : text::ControlCharacter::LINE_BREAK,
                                    false);
      if (text[i] == kParagraphMark) ++breaks;
    }
    from = i + 1;
  }

  if (inherited) {
    auto typed = owner->createTextCursorByRange(cursor->getStart());
    typed->goLeft(static_cast<sal_Int16>(std::min<size_t>(text.size(), kLongestStep)), true);
    WriteFont(Reference<beans::XPropertySet>(typed, uno::UNO_QUERY_THROW), *inherited);
  }

  MirrorEdit(first, last, s, e, text, cursor, breaks);
  return {s, e};
}

void WriterStory::MirrorEdit(size_t first, size_t last, long s, long e, const std::wstring& text,
                             const Reference<text::XTextCursor>& cursor, long breaks) {
  const bool cellEnd = mirror_->Text()[paragraphs_[last].start + paragraphs_[last].length - 1] == kCellEnd;
  MirrorReplace(s, e, text);

  // Writer's paragraphs from the first one touched, read again.
  std::wstring reread;
  auto fresh = Reread(paragraphs_[first].text, paragraphs_[first].textId, cursor, static_cast<size_t>(breaks) + 1,
                      &reread);
  if (cellEnd) reread.back() = kCellEnd;
  long at = paragraphs_[first].start;
  for (auto& p : fresh) {
    p.start = at;
    long n = 0;
    for (const auto& piece : p.pieces) n += piece.mirror;
    p.length = n + 1;
    at += p.length;
  }
  if (mirror_->Text().compare(paragraphs_[first].start, reread.size(), reread) != 0) {
    Reindex();  // Writer changed the text otherwise than expected: read it all
    return;
  }
  const long delta = static_cast<long>(text.size()) - (e - s);
  paragraphs_.erase(paragraphs_.begin() + first, paragraphs_.begin() + last + 1);
  paragraphs_.insert(paragraphs_.begin() + first, fresh.begin(), fresh.end());
  for (size_t i = first + fresh.size(); i < paragraphs_.size(); ++i) paragraphs_[i].start += delta;
}

std::vector<long> WriterStory::ContentsIn(long start, long end,
                                          const std::function<bool(const Reference<text::XTextContent>&)>& keep) const {
  std::vector<long> out;
  for (long p = std::max(start, 0L); p < end && p < mirror_->Length(); ++p)
    if (mirror_->Text()[p] == model::kInlineObject && keep(ContentAt(p))) out.push_back(p);
  return out;
}

void WriterStory::Changed(long start, long end, const std::wstring& text) {
  const size_t index = IndexAt(start);
  const WriterParagraph& entry = paragraphs_[index];
  MirrorEdit(index, index, start, end, text, entry.text->createTextCursorByRange(entry.begin), 0);
}

Reference<text::XTextContent> WriterStory::ContentAt(long pos) const {
  if (pos < 0 || pos >= mirror_->Length() || mirror_->Text()[pos] != model::kInlineObject) return {};
  auto paragraphs = Query<container::XEnumerationAccess>(CursorOver(pos, pos + 1))->createEnumeration();
  while (paragraphs->hasMoreElements()) {
    auto portions = Query<container::XEnumerationAccess>(Reference<uno::XInterface>(paragraphs->nextElement(), uno::UNO_QUERY))
                        ->createEnumeration();
    while (portions->hasMoreElements()) {
      Reference<beans::XPropertySet> portion(portions->nextElement(), uno::UNO_QUERY);
      if (!portion.is() || PortionType(portion) != "Frame") continue;
      if (auto object = CharacterObject(portion); object.is()) return object;
    }
  }
  return {};
}

long WriterStory::InsertContent(long start, long end, const Reference<text::XTextContent>& content) {
  const long s = end > start ? Replace(start, end, L"").first : std::clamp(start, 0L, mirror_->Length() - 1);
  const size_t index = IndexAt(s);
  if (paragraphs_[index].rowEnd) Raise(err::kInvalidCall, L"LibreOffice 宿主不能在表格的行尾插入对象。");
  auto cursor = CursorAt(s);
  paragraphs_[index].text->insertTextContent(AsRange(cursor), content, false);
  MirrorEdit(index, index, s, s, std::wstring(1, model::kInlineObject), cursor, 0);
  return s;
}

}  // namespace plx::docif::lo
