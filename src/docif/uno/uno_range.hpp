#pragma once
// A range of a Writer document's main text: a live anchor in the mirror,
// carried to Writer by position whenever Writer must read or change it.
#include <memory>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

class UnoRange : public virtual Range {
 public:
  UnoRange(std::shared_ptr<WriterDoc> doc, std::shared_ptr<model::Anchor> anchor)
      : doc_(std::move(doc)), anchor_(std::move(anchor)) {}

  long Start() const override { return Anchor().start; }
  long End() const override { return Anchor().end; }
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

 protected:
  // The anchor every member works on (the selection's changes when
  // something else is selected).
  virtual model::Anchor& Anchor() const { return *anchor_; }
  const std::shared_ptr<WriterDoc>& Doc() const { return doc_; }
  // Inserts text at pos; returns how many characters it became.
  long InsertAt(long pos, const std::wstring& text);

 private:
  std::shared_ptr<Ranges> Spans(int of) const;
  // Writer's paragraphs of the range, each as a cursor over it.
  std::vector<Reference<css::beans::XPropertySet>> ParagraphProperties() const;

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> anchor_;
};

// A new range of a Writer document over [start, end).
RangePtr MakeUnoRange(const std::shared_ptr<WriterDoc>& doc, long start, long end);

}  // namespace plx::docif::lo
