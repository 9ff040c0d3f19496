#include "docif/model/model_document.hpp"

#include <algorithm>

#include "common/error.hpp"
#include "docif/model/layout.hpp"
#include "docif/model/model_find.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/ooxml/docx_writer.hpp"

namespace plx::docif::model {
namespace {

[[noreturn]] void NoSuchMember() { Raise(5941, L"集合所要求的成员不存在。"); }

class ModelStyle final : public Style {
 public:
  ModelStyle(std::shared_ptr<DocData> doc, std::wstring name) : doc_(std::move(doc)), name_(std::move(name)) {}
  std::wstring NameLocal() const override { return Info().name; }
  int Type() const override { return Info().type; }
  FontFormat Font() const override { return ToFontFormat(Info().font); }
  void SetFont(const FontFormat& f) override { Changed().font = ApplyFontChange(Info().font, f); }
  ParagraphFormat GetParagraphFormat() const override { return ToParagraphFormat(Info().para); }
  void SetParagraphFormat(const ParagraphFormat& f) override {
    Changed().para = ApplyParagraphChange(Info().para, f);
  }
  bool AutomaticallyUpdate() const override { return Info().autoUpdate; }
  void SetAutomaticallyUpdate(bool v) override { Changed().autoUpdate = v; }
  std::wstring BaseStyle() const override { return Info().base; }
  void SetBaseStyle(const std::wstring& name) override { Changed().base = name; }

 private:
  StyleInfo& Info() const {
    auto* s = const_cast<StyleInfo*>(doc_->FindStyle(name_));
    if (!s) NoSuchMember();
    return *s;
  }
  StyleInfo& Changed() {
    StyleInfo& s = Info();
    s.dirty = true;
    doc_->Changed();
    return s;
  }
  std::shared_ptr<DocData> doc_;
  std::wstring name_;
};

class ModelStyles final : public Styles {
 public:
  explicit ModelStyles(std::shared_ptr<DocData> doc) : doc_(std::move(doc)) {}
  int Count() const override { return static_cast<int>(doc_->styles.size()); }
  bool Exists(const std::wstring& name) const override { return doc_->FindStyle(name) != nullptr; }
  std::shared_ptr<Style> Item(const std::wstring& name) override {
    if (!Exists(name)) NoSuchMember();
    return std::make_shared<ModelStyle>(doc_, doc_->FindStyle(name)->name);
  }
  std::shared_ptr<Style> Add(const std::wstring& name, int type) override {
    if (name.empty() || Exists(name)) Raise(5173, L"此样式名已存在或无效。");
    StyleInfo s;
    s.name = name;
    s.type = type;
    s.para.style = name;
    s.base = L"正文";
    doc_->styles.push_back(s);
    return std::make_shared<ModelStyle>(doc_, name);
  }

 private:
  std::shared_ptr<DocData> doc_;
};

constexpr const wchar_t* kPageBookmark = L"\\Page";

class ModelBookmarks final : public Bookmarks {
 public:
  explicit ModelBookmarks(std::shared_ptr<DocData> doc) : doc_(std::move(doc)) {}
  int Count() const override { return static_cast<int>(doc_->bookmarks.size()); }
  bool Exists(const std::wstring& name) const override {
    return name == kPageBookmark || doc_->bookmarks.count(name) != 0;
  }
  void Add(const std::wstring& name, const Range& at) override {
    if (name.empty() || name == kPageBookmark) Raise(5828, L"书签名无效。");
    doc_->bookmarks[name] = doc_->main->MakeAnchor(at.Start(), at.End());
  }
  RangePtr Item(const std::wstring& name) override {
    if (name == kPageBookmark) {
      long at = doc_->selection ? doc_->selection->start : 0;
      int page = static_cast<int>(LayoutInformation(*doc_, *doc_->main, at, kActiveEndPageNumber));
      auto [s, e] = PageSpan(*doc_, page);
      return MakeRange(doc_, doc_->main, s, e);
    }
    auto it = doc_->bookmarks.find(name);
    if (it == doc_->bookmarks.end()) NoSuchMember();
    return std::make_shared<ModelRange>(RangeRef{doc_, doc_->main, it->second});
  }
  void Delete(const std::wstring& name) override {
    if (doc_->bookmarks.erase(name) == 0) NoSuchMember();
  }

 private:
  std::shared_ptr<DocData> doc_;
};

}  // namespace

RangePtr ModelDocument::Content() { return MakeRange(d_, d_->main, 0, d_->main->Length()); }

RangePtr ModelDocument::GetRange(long start, long end) {
  if (start < 0 || end < start || end > d_->main->Length()) Raise(err::kInvalidCall, L"范围无效。");
  return MakeRange(d_, d_->main, start, end);
}

std::shared_ptr<Shapes> ModelDocument::GetShapes() { return std::make_shared<ModelShapes>(d_); }
std::shared_ptr<Styles> ModelDocument::GetStyles() { return std::make_shared<ModelStyles>(d_); }
std::shared_ptr<Bookmarks> ModelDocument::GetBookmarks() { return std::make_shared<ModelBookmarks>(d_); }

void ModelDocument::SetPageSetup(const docif::PageSetup& p) {
  if (p.PageWidth <= p.LeftMargin + p.RightMargin || p.PageHeight <= p.TopMargin + p.BottomMargin)
    Raise(err::kInvalidCall, L"页边距超出了页面大小。");
  d_->page = p;
  d_->Changed();
}

void ModelDocument::SetEmbedTrueTypeFonts(bool v) {
  d_->embedFonts = v;
  d_->Changed();
}

void ModelDocument::SetSaveSubsetFonts(bool v) {
  d_->subsetFonts = v;
  d_->Changed();
}

void ModelDocument::SetDoNotEmbedSystemFonts(bool v) {
  d_->noSystemFonts = v;
  d_->Changed();
}

void ModelDocument::Save() {
  if (d_->readOnly) Raise(4605, L"此命令无效，因为“" + d_->fullName + L"”是以只读方式打开的。");
  d_->app->journal.push_back(L"Save " + d_->fullName);
  d_->saved = true;
}

void ModelDocument::SaveAs(const std::wstring& path) {
  ooxml::SaveDocx(*d_, path);
  d_->app->journal.push_back(L"SaveAs " + path);
  d_->fullName = path;
  d_->readOnly = false;
  d_->saved = true;
}

void ModelDocument::Activate() {
  if (activate_) activate_();
}

namespace {

RangeRef SelectionRef(const std::shared_ptr<DocData>& doc) {
  return RangeRef{doc, doc->selectionStory ? doc->selectionStory : doc->main, doc->selection};
}

}  // namespace

RangeRef ModelSelection::Ref() const { return SelectionRef(doc_); }

std::shared_ptr<Find> ModelSelection::GetFind() {
  return std::make_shared<ModelFind>([doc = doc_] { return SelectionRef(doc); });
}

void ModelSelection::InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool unicode) {
  ModelRange::InsertSymbol(characterNumber, font, unicode);
  Collapse(kCollapseEnd);
}

int ModelSelection::Type() const {
  std::erase_if(doc_->selectedShapes, [](const auto& s) { return s->deleted; });
  if (!doc_->selectedShapes.empty()) return kSelectionShape;
  RangeRef r = Ref();
  if (r.anchor->end == r.anchor->start) return kSelectionIP;
  if (doc_->inlineSelected && r.anchor->end == r.anchor->start + 1 &&
      r.story->Text()[r.anchor->start] == kInlineObject)
    return kSelectionInlineShape;
  return kSelectionNormal;
}

std::shared_ptr<ShapeRange> ModelSelection::GetShapeRange() {
  std::erase_if(doc_->selectedShapes, [](const auto& s) { return s->deleted; });
  return std::make_shared<ModelShapeRange>(doc_, doc_->selectedShapes);
}

namespace {

// The typing format, while the selection is still the insertion point it was set at.
std::optional<uint32_t> TypingFormatAt(const DocData& d) {
  if (!d.typing || d.typing->at != d.selection) return std::nullopt;
  if (d.selection->start != d.selection->end || d.selection->start != d.typing->position) return std::nullopt;
  return d.typing->format;
}

}  // namespace

FontFormat ModelSelection::Font() const {
  if (auto format = TypingFormatAt(*doc_)) return ToFontFormat(doc_->charFormats[*format]);
  return ModelRange::Font();
}

void ModelSelection::SetFont(const FontFormat& font) {
  RangeRef r = Ref();
  if (r.anchor->end > r.anchor->start) {
    ModelRange::SetFont(font);
    return;
  }
  const uint32_t base = TypingFormatAt(*doc_).value_or(InsertionCell(*r.story, r.anchor->start).format);
  const uint32_t format = doc_->charFormats.Intern(ApplyFontChange(doc_->charFormats[base], font));
  doc_->typing = DocData::TypingFormat{r.anchor, r.anchor->start, format};
}

void ModelSelection::TypeText(const std::wstring& text) {
  const std::optional<uint32_t> format = TypingFormatAt(*doc_);
  doc_->typing.reset();
  doc_->selectedShapes.clear();
  SetText(text);
  if (format) {
    RangeRef r = Ref();
    for (long i = r.anchor->start; i < r.anchor->end; ++i) r.story->Cell(i).format = *format;
  }
  Collapse(kCollapseEnd);
  doc_->inlineSelected = false;
}

void ModelSelection::MoveDown(int unit, int count, bool extend) {
  if (unit != kUnitParagraph) Raise(err::kInvalidCall, L"不支持的移动单位。");
  RangeRef r = Ref();
  MoveDownByParagraphs(*r.story, *r.anchor, count, extend);
  doc_->selectedShapes.clear();
}

}  // namespace plx::docif::model
