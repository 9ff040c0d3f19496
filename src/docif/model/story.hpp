#pragma once
// One text story (the document's main text, or a text box's): the
// characters with, for each, its character format, paragraph format (used
// at paragraph ends), inline object and table membership. Live anchors
// (the positions behind ranges and bookmarks) move with every edit the way
// the word processor moves them.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace plx::docif::model {

// Characters with a meaning of their own.
constexpr wchar_t kParagraphMark = L'\r';
constexpr wchar_t kCellEnd = L'\a';
constexpr wchar_t kRowEnd = 0x08;
constexpr wchar_t kFieldBegin = 0x13;
constexpr wchar_t kFieldSeparator = 0x14;
constexpr wchar_t kFieldEnd = 0x15;
constexpr wchar_t kInlineObject = 0x01;

struct CharCell {
  uint32_t format = 0;     // index into the document's character formats
  uint32_t paragraph = 0;  // index into the paragraph formats (at paragraph ends)
  uint32_t object = 0;     // inline object id (for kInlineObject), 0 none
  uint32_t table = 0;      // table id of a character inside a table, 0 none
  bool showCodes = false;  // on a field's begin mark: this field shows its code
};

struct Anchor {
  long start = 0;
  long end = 0;
  // A floating shape's anchor, kept at the start of its paragraph.
  bool paragraph = false;
};

// A field's marks: begin, separator and end positions.
struct FieldMarks {
  long begin, separator, end;
};

class Story {
 public:
  explicit Story(uint32_t format = 0, uint32_t paragraph = 0);

  const std::wstring& Text() const { return text_; }
  long Length() const { return static_cast<long>(text_.size()); }
  const CharCell& Cell(long pos) const { return cells_[pos]; }
  // Writable access: the caller may change the cell, so the indexes that
  // read cells are dropped.
  CharCell& Cell(long pos) {
    DropCellIndexes();
    return cells_[pos];
  }
  bool IsParagraphEnd(long pos) const;

  // Replaces the whole story (the text must end with a paragraph mark);
  // every anchor collapses to the start.
  void Assign(std::wstring text, std::vector<CharCell> cells);

  // A live anchor over [start, end), clamped to the story.
  std::shared_ptr<Anchor> MakeAnchor(long start, long end);
  // A collapsed live anchor at the start of the paragraph holding pos that
  // stays at its paragraph's start: of text inserted there, only the
  // paragraph ends it starts with go before it (Enter typed at a
  // paragraph's start takes the paragraph, and what is kept against it,
  // down a line; what is typed after joins the paragraph).
  std::shared_ptr<Anchor> MakeParagraphAnchor(long pos);

  // Inserts text at pos; each new character takes `cell` (a new paragraph
  // mark copies the paragraph format of the paragraph it splits). Anchors
  // at or after pos move; an anchor ending exactly at pos keeps its end
  // unless it is collapsed there.
  void Insert(long pos, const std::wstring& text, const CharCell& cell);
  // Inserts text whose characters bring their own cells, one each (a
  // formatted copy); anchors move as for Insert.
  void InsertCells(long pos, const std::wstring& text, const std::vector<CharCell>& cells);
  // Deletes [start, end), widened to whole fields; the final paragraph
  // mark is never deleted. Returns the range actually deleted.
  std::pair<long, long> Erase(long start, long end);
  // What Erase(start, end) would delete.
  std::pair<long, long> ErasableSpan(long start, long end) const;

  // Replaces every span in one pass (spans sorted, not overlapping);
  // anchors inside a span move to its new start (starts) or end (ends).
  struct Span {
    long start, end;
    std::wstring text;
    CharCell cell;
  };
  void ReplaceSpans(const std::vector<Span>& spans);

  // Paragraph containing pos: [start, end) with end just after its mark.
  std::pair<long, long> ParagraphAt(long pos) const;
  // Every paragraph overlapping [start, end) (at least the one at start).
  std::vector<std::pair<long, long>> ParagraphsIn(long start, long end) const;
  // Fields whose begin mark lies in [start, end), in order.
  std::vector<FieldMarks> FieldsIn(long start, long end) const;
  // The characters of a table: [first, one past the last), none when the
  // story holds no character of it.
  std::optional<std::pair<long, long>> TableExtent(uint32_t table) const;
  // How many paragraph ends (paragraph marks and cell ends) before pos
  // carry the paragraph format `paragraph`.
  long ParagraphEndsBefore(long pos, uint32_t paragraph) const;

  // The text as shown between start and end: fields show their result (or
  // their code while codes are shown), cell and row ends show as CR BEL.
  // positions[i] is the story position of shown character i.
  std::wstring Visible(long start, long end, bool showCodes, std::vector<long>* positions) const;
  // Counts changes of the text, so that what was found in it can tell it is out of date.
  uint64_t Revision() const { return revision_; }
  // Counts changes of the text and writable accesses to a cell (which may
  // change a format), so that what was laid out from the story can tell it
  // may be out of date.
  uint64_t Edits() const { return edits_; }

 private:
  void Shift(long pos, long count);
  void Collapse(long start, long end);
  void TextChanged();
  void DropCellIndexes();

  std::wstring text_;
  std::vector<CharCell> cells_;
  std::vector<std::weak_ptr<Anchor>> anchors_;

  // Whole-story indexes, built on first use and dropped by any change, so
  // that a query per paragraph (as a dump or a save makes) costs a lookup
  // instead of a pass over the story. Fields depend on the text only;
  // tables and paragraph formats on the cells too.
  uint64_t revision_ = 0;
  uint64_t edits_ = 0;
  mutable std::optional<std::vector<FieldMarks>> fields_;  // by begin
  mutable std::optional<std::map<uint32_t, std::pair<long, long>>> tables_;
  mutable std::optional<std::unordered_map<uint32_t, std::vector<long>>> paragraphEnds_;  // by paragraph format
};

// Moves a selection down by paragraphs, as the host's MoveDown does: to the
// start of a later paragraph (never past the last one); `extend` keeps its start.
void MoveDownByParagraphs(const Story& story, Anchor& anchor, int count, bool extend);

}  // namespace plx::docif::model
