#pragma once
// A Writer document and its selection as the surface's Document and Selection.
#include <memory>

#include "docif/document.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

class UnoSelection final : public Selection, public UnoRange {
 public:
  explicit UnoSelection(const std::shared_ptr<WriterDoc>& doc) : UnoRange(doc, doc->selection) {}
  int Type() const override;
  RangePtr GetRange() override;
  std::shared_ptr<ShapeRange> GetShapeRange() override;
  void TypeText(const std::wstring& text) override;
  void MoveDown(int unit, int count, bool extend) override;
};

class UnoDocument final : public Document {
 public:
  explicit UnoDocument(std::shared_ptr<WriterDoc> doc) : doc_(std::move(doc)) {}
  const std::shared_ptr<WriterDoc>& Writer() const { return doc_; }

  std::wstring FullName() const override;
  RangePtr Content() override;
  RangePtr GetRange(long start, long end) override;
  std::shared_ptr<Ranges> Paragraphs() override;
  std::shared_ptr<Ranges> Characters() override;
  std::shared_ptr<Fields> GetFields() override;
  std::shared_ptr<Tables> GetTables() override;
  std::shared_ptr<InlineShapes> GetInlineShapes() override;
  std::shared_ptr<Shapes> GetShapes() override;
  std::shared_ptr<Styles> GetStyles() override;
  std::shared_ptr<Bookmarks> GetBookmarks() override;
  docif::PageSetup PageSetup() const override;
  void SetPageSetup(const docif::PageSetup&) override;
  bool SnapToGrid() const override;
  void SetSnapToGrid(bool) override;
  bool SnapToShapes() const override;
  void SetSnapToShapes(bool) override;
  bool EmbedTrueTypeFonts() const override;
  void SetEmbedTrueTypeFonts(bool) override;
  bool SaveSubsetFonts() const override;
  void SetSaveSubsetFonts(bool) override;
  bool DoNotEmbedSystemFonts() const override;
  void SetDoNotEmbedSystemFonts(bool) override;
  bool Saved() const override;
  void SetSaved(bool) override;
  bool ReadOnly() const override;
  void Save() override;
  void SaveAs(const std::wstring& path) override;
  void Activate() override;

 private:
  std::shared_ptr<WriterDoc> doc_;
};

}  // namespace plx::docif::lo
