#pragma once
// A text of a Writer document (its main text, or a text box's) in the
// add-in's counting. Writer has no
// character positions, so the adapter keeps a mirror of the text as the
// model counts it (a model Story: paragraph marks, cell ends, row ends,
// field marks, an inline object as one character) and, for each paragraph,
// where it starts in Writer. Positions, live ranges, the text as shown and
// find all work on the mirror, exactly as they do on the model; every edit
// goes to Writer and to the mirror together.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>

#include "docif/model/model_collections.hpp"
#include "docif/model/story.hpp"

namespace plx::docif::lo {

namespace css = ::com::sun::star;
using css::uno::Reference;

// A cursor as the text range it is (the SDK converts no interface
// reference to its base by itself).
inline Reference<css::text::XTextRange> AsRange(const Reference<css::text::XTextCursor>& cursor) {
  return Reference<css::text::XTextRange>(cursor.get());
}

// One paragraph of Writer's text (in the body or a table cell), or the row
// end after a table row, with how its characters map onto Writer's cursor
// steps.
struct WriterParagraph {
  long start = 0;   // mirror position of its first character
  long length = 0;  // characters, its mark (paragraph mark, cell end or row end) included
  int textId = 0;   // which Writer text holds it: 0 the body, then one per table cell
  Reference<css::text::XText> text;
  // A mark at its first character; Writer moves it with the text around it.
  Reference<css::text::XTextRange> begin;
  bool rowEnd = false;  // the row end: no Writer text of its own (begin is the row's last cell end)
  // Pieces in order: characters in the mirror, cursor steps in Writer and
  // characters of Writer's getString. A text field is one step in Writer
  // but its marks, code and result in the mirror; an inline object is one
  // step and one mirror character but no character of getString. The
  // start of a fieldmark that keeps its code as a parameter (the add-in's
  // EQ fields) is one step, and its begin mark and code in the mirror.
  struct Piece {
    long mirror, steps, shown;
    Reference<css::uno::XInterface> fieldmark = {};  // that fieldmark
  };
  std::vector<Piece> pieces;
};

class WriterStory {
 public:
  // The document's main text.
  explicit WriterStory(Reference<css::text::XTextDocument> document);
  // Another text of the document (a text box's frame).
  WriterStory(Reference<css::text::XTextDocument> document, Reference<css::text::XText> text);

  model::Story& Mirror() { return *mirror_; }
  const std::shared_ptr<model::Story>& MirrorPtr() const { return mirror_; }
  const Reference<css::text::XTextDocument>& Document() const { return document_; }
  // The Writer text the story mirrors.
  const Reference<css::text::XText>& Text() const { return text_; }

  // Reads Writer's text again; when it no longer matches the mirror (the
  // user edited between commands, or a table was added or removed) the
  // mirror is replaced and its live ranges collapse to the start.
  void Sync();

  // A collapsed Writer cursor at a mirror position.
  Reference<css::text::XTextCursor> CursorAt(long pos) const;
  // A Writer cursor over [start, end), which must lie in one Writer text
  // (the body, or one cell); error 5 otherwise.
  Reference<css::text::XTextCursor> CursorOver(long start, long end) const;
  // [start, end) cut at the boundaries of Writer's texts, each piece as a
  // cursor over the characters to format (a range that holds a table
  // formats every cell; paragraph marks are left out).
  std::vector<Reference<css::text::XTextCursor>> CursorsOver(long start, long end) const;
  // The mirror position of a Writer position (a range's start).
  long PositionOf(const Reference<css::text::XTextRange>& at) const;

  // Replaces [start, end) (widened to whole fields) with text, in Writer
  // and the mirror; "\r" starts a new paragraph and "\v" breaks the line.
  // Returns the span replaced; the new text starts at its first position.
  std::pair<long, long> Replace(long start, long end, const std::wstring& text);

  // Replaces [start, end) with one text content anchored as a character (a
  // formula or a picture; the caller sets its anchor type): one step in
  // Writer, one inline-object character in the mirror. Returns its position.
  long InsertContent(long start, long end, const Reference<css::text::XTextContent>& content);

  // The caller changed Writer's text [start, end) inside one paragraph to
  // what the mirror holds as `text`: the mirror changes so, and the
  // paragraph is read again from Writer and checked against it.
  void Changed(long start, long end, const std::wstring& text);

  // The text content anchored as the character at pos (an inline-object
  // character of the mirror), or none.
  Reference<css::text::XTextContent> ContentAt(long pos) const;

  // The positions in [start, end) of the contents anchored as characters
  // that `keep` keeps.
  std::vector<long> ContentsIn(long start, long end,
                               const std::function<bool(const Reference<css::text::XTextContent>&)>& keep) const;

  // The paragraph entry holding a mirror position.
  const WriterParagraph& ParagraphAt(long pos) const { return paragraphs_[IndexAt(pos)]; }
  const std::vector<WriterParagraph>& Paragraphs() const { return paragraphs_; }
  // The tables by the ids the mirror's characters carry (1, 2, ... in
  // document order, a table in a cell after the one around it).
  const model::TableMap& Tables() const { return tables_; }
  Reference<css::text::XTextTable> WriterTable(uint32_t id) const;
  uint32_t TableId(const Reference<css::text::XTextTable>& table) const;
  // A new table of empty cells in front of the paragraph starting at pos.
  void InsertTable(long pos, int rows, int columns);
  void RemoveTable(uint32_t id);

  // After Writer inserted content at mirror position `at` (a paste): when
  // `now`, Writer's text read afresh, is the mirror with characters added
  // at `at`, those characters go into the mirror there (live ranges move as
  // the model moves them) and `now`'s index is taken over; otherwise the
  // mirror is replaced by `now`'s text. Returns the span that differs.
  std::pair<long, long> TakeInserted(const WriterStory& now, long at);

 private:
  struct Walk;
  size_t IndexAt(long pos) const;
  // Writer's paragraphs read again after an edit: the `count` paragraphs
  // that end with the one the cursor `at` stands in.
  std::vector<WriterParagraph> Reread(const Reference<css::text::XText>& owner, int textId,
                                      const Reference<css::text::XTextCursor>& at, size_t count,
                                      std::wstring* text) const;
  void Reindex();
  // An edit inside one run of plain text of a paragraph, not at its start,
  // that adds no break: Writer's text changes in one call and the pieces
  // are counted here, without reading the paragraph back. False (nothing
  // done) for any other edit.
  bool ReplaceInOnePiece(long s, long e, const std::wstring& text);
  // An edit of the code a fieldmark keeps as its parameter: the parameter
  // and the mirror change, Writer's text does not. False for any other edit.
  bool ReplaceInParameterCode(long s, long e, const std::wstring& text);
  // A piece of paragraph `index` grew by delta characters of the mirror.
  void Grow(size_t index, WriterParagraph::Piece& piece, long delta);
  void MirrorReplace(long s, long e, const std::wstring& text);
  // After Writer's paragraphs [first, last] were edited at `cursor` (adding
  // `breaks` paragraph breaks): the mirror's [s, e) becomes text and the
  // paragraphs are read again from Writer and checked against it.
  void MirrorEdit(size_t first, size_t last, long s, long e, const std::wstring& text,
                  const Reference<css::text::XTextCursor>& cursor, long breaks);
  void Adopt(Walk& walk);

  Reference<css::text::XTextDocument> document_;
  Reference<css::text::XText> text_;
  std::shared_ptr<model::Story> mirror_ = std::make_shared<model::Story>();
  std::vector<WriterParagraph> paragraphs_;
  std::vector<Reference<css::uno::XInterface>> texts_;  // Writer's texts by text id
  model::TableMap tables_;
  std::map<uint32_t, Reference<css::text::XTextTable>> writerTables_;
};

}  // namespace plx::docif::lo
