#pragma once
// A range of a model story. Every member works on the live anchor that
// Ref() gives, so the selection (whose anchor changes when something else
// is selected) can share the implementation.
#include <memory>

#include "docif/model/doc_data.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/range.hpp"

namespace plx::docif::model {

class ModelRange : public virtual Range {
 public:
  explicit ModelRange(RangeRef ref) : ref_(std::move(ref)) {}

  long Start() const override { return Ref().anchor->start; }
  long End() const override { return Ref().anchor->end; }
  void SetRange(long start, long end) override;
  RangePtr Duplicate() const override;

  std::wstring Text() const override;
  void SetText(const std::wstring& text) override;
  void InsertBefore(const std::wstring& text) override;
  void InsertAfter(const std::wstring& text) override;
  void Delete() override;
  void InsertBreak(int type) override;
  void Collapse(int direction) override;
  void Select() override;
  void InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool unicode) override;
  void Copy() override;

  FontFormat Font() const override;
  void SetFont(const FontFormat& font) override;
  ParagraphFormat GetParagraphFormat() const override;
  void SetParagraphFormat(const ParagraphFormat& format) override;
  std::vector<TabStop> TabStops() const override;
  void AddTabStop(const TabStop& stop) override;
  void ClearTabStops() override;
  std::wstring Style() const override;
  void SetStyle(const std::wstring& name) override;

  void ApplyListTemplate(const ListTemplate& tmpl, bool continuePreviousList) override;
  void RemoveNumbers() override;
  void ConvertNumbersToText() override;
  int ListType() const override;
  std::wstring ListString() const override;

  double Information(int type) const override;
  std::vector<LaidText> LaidOut() const override;
  std::shared_ptr<Ranges> Characters() const override;
  std::shared_ptr<Ranges> Paragraphs() const override;
  std::shared_ptr<Fields> GetFields() override;
  std::shared_ptr<InlineShapes> GetInlineShapes() override;
  std::shared_ptr<Tables> GetTables() override;
  std::shared_ptr<Find> GetFind() override;
  std::shared_ptr<OMaths> GetOMaths() override;
  void SetFormattedText(const Range& source) override;

  virtual RangeRef Ref() const { return ref_; }

 protected:
  std::shared_ptr<Ranges> Spans(StoryRanges::Of of) const;
  // Inserts normalised text at pos with the formatting the host gives
  // typed text there; returns the number of characters inserted.
  long InsertAt(const RangeRef& r, long pos, const std::wstring& text) const;

 private:
  RangeRef ref_;
};

// Range helpers shared by the model's objects.
RangePtr MakeRange(const std::shared_ptr<DocData>& doc, const std::shared_ptr<Story>& story,
                   long start, long end);
// CR LF and LF become paragraph marks, as the host turns them when text is set.
std::wstring NormaliseInsertedText(const std::wstring& text);
// The cell new text at pos takes: the formatting of the character before
// (or after, at a paragraph start) and the table membership of the
// character it goes in front of.
CharCell InsertionCell(const Story& story, long pos);
// A character format with the set members of a font change applied; a
// Chinese font name sets the East Asian font too.
CharFormat ApplyFontChange(CharFormat format, const FontFormat& change);
ParaFormat ApplyParagraphChange(ParaFormat format, const ParagraphFormat& change);
// The stored formats as the host reports them.
FontFormat ToFontFormat(const CharFormat& format);
ParagraphFormat ToParagraphFormat(const ParaFormat& format);
// The number text of a numbered paragraph ending at paragraphEnd.
std::wstring ListNumberText(const DocData& doc, const Story& story, long paragraphEnd);

}  // namespace plx::docif::model
