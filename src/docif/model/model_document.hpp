#pragma once
// The model's document, its selection, window, styles and bookmarks.
#include <functional>
#include <memory>

#include "docif/document.hpp"
#include "docif/model/doc_data.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {

class ModelDocument final : public Document {
 public:
  explicit ModelDocument(std::shared_ptr<DocData> data, std::function<void()> activate = {})
      : d_(std::move(data)), activate_(std::move(activate)) {}
  std::wstring FullName() const override { return d_->fullName; }
  RangePtr Content() override;
  RangePtr GetRange(long start, long end) override;
  std::shared_ptr<Ranges> Paragraphs() override { return Content()->Paragraphs(); }
  std::shared_ptr<Ranges> Characters() override { return Content()->Characters(); }
  std::shared_ptr<Fields> GetFields() override { return Content()->GetFields(); }
  std::shared_ptr<Tables> GetTables() override { return Content()->GetTables(); }
  std::shared_ptr<InlineShapes> GetInlineShapes() override { return Content()->GetInlineShapes(); }
  std::shared_ptr<Shapes> GetShapes() override;
  std::shared_ptr<Styles> GetStyles() override;
  std::shared_ptr<Bookmarks> GetBookmarks() override;
  docif::PageSetup PageSetup() const override { return d_->page; }
  void SetPageSetup(const docif::PageSetup& p) override;
  bool SnapToGrid() const override { return d_->snapToGrid; }
  void SetSnapToGrid(bool v) override { d_->snapToGrid = v; }
  bool SnapToShapes() const override { return d_->snapToShapes; }
  void SetSnapToShapes(bool v) override { d_->snapToShapes = v; }
  bool EmbedTrueTypeFonts() const override { return d_->embedFonts; }
  void SetEmbedTrueTypeFonts(bool v) override;
  bool SaveSubsetFonts() const override { return d_->subsetFonts; }
  void SetSaveSubsetFonts(bool v) override;
  bool DoNotEmbedSystemFonts() const override { return d_->noSystemFonts; }
  void SetDoNotEmbedSystemFonts(bool v) override;
  bool Saved() const override { return d_->saved; }
  void SetSaved(bool v) override { d_->saved = v; }
  bool ReadOnly() const override { return d_->readOnly; }
  void Save() override;
  void SaveAs(const std::wstring& path) override;
  void Activate() override;

  const std::shared_ptr<DocData>& Data() const { return d_; }

 private:
  std::shared_ptr<DocData> d_;
  std::function<void()> activate_;
};

// The selection of a document: always the document's current selection,
// whatever was selected after this object was made.
class ModelSelection final : public ModelRange, public Selection {
 public:
  explicit ModelSelection(std::shared_ptr<DocData> doc) : ModelRange({}), doc_(std::move(doc)) {}
  RangeRef Ref() const override;
  void Select() override {}
  void InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool unicode) override;
  int Type() const override;
  RangePtr GetRange() override { return Duplicate(); }
  std::shared_ptr<Find> GetFind() override;
  std::shared_ptr<ShapeRange> GetShapeRange() override;
  void TypeText(const std::wstring& text) override;
  void MoveDown(int unit, int count, bool extend) override;
  // At an insertion point these read and set the formatting typing there
  // gets, as the host's selection does.
  FontFormat Font() const override;
  void SetFont(const FontFormat& font) override;

 private:
  std::shared_ptr<DocData> doc_;
};

class ModelWindow final : public Window {
 public:
  explicit ModelWindow(std::shared_ptr<DocData> doc) : doc_(std::move(doc)) {}
  double FirstPageWidth() const override { return doc_->page.PageWidth; }
  double FirstPageHeight() const override { return doc_->page.PageHeight; }
  bool ShowFieldCodes() const override { return doc_->showFieldCodes; }
  void SetShowFieldCodes(bool v) override { doc_->showFieldCodes = v; }

 private:
  std::shared_ptr<DocData> doc_;
};

}  // namespace plx::docif::model
