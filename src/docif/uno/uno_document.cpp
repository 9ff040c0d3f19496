#include "docif/uno/uno_document.hpp"

#include <algorithm>
#include <cmath>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <com/sun/star/view/XViewSettingsSupplier.hpp>
#include <osl/file.hxx>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/uno/uno_bookmarks.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_inline_shapes.hpp"
#include "docif/uno/uno_files.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_shapes.hpp"
#include "docif/uno/uno_styles.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

using Props = Reference<beans::XPropertySet>;

// The page style of the first paragraph, which the surface's page set-up reads and writes.
Props FirstPageStyle(const WriterDoc& doc) {
  Props first(doc.story.CursorAt(0), uno::UNO_QUERY_THROW);
  rtl::OUString name;
  first->getPropertyValue("PageStyleName") >>= name;
  Reference<style::XStyleFamiliesSupplier> supplier(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XNameAccess> pages(supplier->getStyleFamilies()->getByName("PageStyles"), uno::UNO_QUERY_THROW);
  return Props(pages->getByName(name), uno::UNO_QUERY_THROW);
}

Props DocumentSettings(const WriterDoc& doc) {
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  return Props(factory->createInstance("com.sun.star.text.DocumentSettings"), uno::UNO_QUERY_THROW);
}

Props ViewSettings(const WriterDoc& doc) {
  Reference<view::XViewSettingsSupplier> supplier(doc.model->getCurrentController(), uno::UNO_QUERY_THROW);
  return supplier->getViewSettings();
}

bool Flag(const Props& props, const char* name) {
  bool value = false;
  props->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= value;
  return value;
}

void SetFlag(const Props& props, const char* name, bool value) {
  props->setPropertyValue(rtl::OUString::createFromAscii(name), uno::Any(value));
}

}  // namespace

int UnoSelection::Type() const try {
  if (!SelectedShapes(*Doc()).empty()) return kSelectionShape;
  return End() > Start() ? kSelectionNormal : kSelectionIP;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

RangePtr UnoSelection::GetRange() try { return MakeUnoRange(Doc(), Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

std::shared_ptr<ShapeRange> UnoSelection::GetShapeRange() try { return MakeUnoShapeRange(Doc(), SelectedShapes(*Doc())); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

void UnoSelection::TypeText(const std::wstring& text) try {
  const std::optional<FontFormat> typing = Typing() ? std::optional<FontFormat>(*Typing()) : std::nullopt;
  Doc()->typing.reset();
  SetText(text);
  if (typing && End() > Start()) UnoRange::SetFont(*typing);
  Collapse(kCollapseEnd);
  Doc()->ShowSelection();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

const FontFormat* UnoSelection::Typing() const {
  const auto& typing = Doc()->typing;
  if (!typing || Start() != End() || Start() != typing->at) return nullptr;
  return &typing->changes;
}

void UnoSelection::InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool unicode) {
  UnoRange::InsertSymbol(characterNumber, font, unicode);
  Collapse(kCollapseEnd);
  Doc()->ShowSelection();
}

FontFormat UnoSelection::Font() const {
  FontFormat f = UnoRange::Font();
  if (const FontFormat* typing = Typing()) f = WithChanges(f, *typing);
  return f;
}

void UnoSelection::SetFont(const FontFormat& font) {
  if (End() > Start()) {
    UnoRange::SetFont(font);
    return;
  }
  const FontFormat* typing = Typing();
  Doc()->typing = WriterDoc::Typing{WithChanges(typing ? *typing : FontFormat{}, font), Start()};
}

void UnoSelection::MoveDown(int unit, int count, bool extend) try {
  if (unit != kUnitParagraph) Raise(err::kInvalidCall, L"不支持的移动单位。");
  model::MoveDownByParagraphs(Doc()->story.Mirror(), Anchor(), count, extend);
  Doc()->ShowSelection();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::wstring UnoDocument::FullName() const try {
  const rtl::OUString url = doc_->model->getURL();
  rtl::OUString path;
  if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return FromOUString(url);
  return FromOUString(path);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

RangePtr UnoDocument::Content() try { return MakeUnoRange(doc_, 0, doc_->story.Mirror().Length()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

RangePtr UnoDocument::GetRange(long start, long end) try {
  const long len = doc_->story.Mirror().Length();
  start = std::clamp(start, 0L, len);
  return MakeUnoRange(doc_, start, std::clamp(end, start, len));
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<Ranges> UnoDocument::Paragraphs() try { return Content()->Paragraphs(); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Ranges> UnoDocument::Characters() try { return Content()->Characters(); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Fields> UnoDocument::GetFields() try { return MakeUnoFields(doc_, 0, doc_->story.Mirror().Length()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Tables> UnoDocument::GetTables() try { return MakeUnoTables(doc_, 0, doc_->story.Mirror().Length()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<InlineShapes> UnoDocument::GetInlineShapes() try {
  return MakeUnoInlineShapes(doc_, 0, doc_->story.Mirror().Length());
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}
std::shared_ptr<Shapes> UnoDocument::GetShapes() try { return MakeUnoShapes(doc_); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Styles> UnoDocument::GetStyles() try { return MakeUnoStyles(doc_); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Bookmarks> UnoDocument::GetBookmarks() try { return MakeUnoBookmarks(doc_); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

docif::PageSetup UnoDocument::PageSetup() const try {
  const Props page = FirstPageStyle(*doc_);
  auto points = [&](const char* name) {
    sal_Int32 mm100 = 0;
    page->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= mm100;
    return FromMm100(mm100);
  };
  return {points("Width"), points("Height"), points("TopMargin"), points("BottomMargin"), points("LeftMargin"),
          points("RightMargin")};
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoDocument::SetPageSetup(const docif::PageSetup& setup) try {
  const Props page = FirstPageStyle(*doc_);
  auto set = [&](const char* name, double points) {
    page->setPropertyValue(rtl::OUString::createFromAscii(name), uno::Any(static_cast<sal_Int32>(ToMm100(points))));
  };
  set("Width", setup.PageWidth);
  set("Height", setup.PageHeight);
  set("TopMargin", setup.TopMargin);
  set("BottomMargin", setup.BottomMargin);
  set("LeftMargin", setup.LeftMargin);
  set("RightMargin", setup.RightMargin);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

bool UnoDocument::SnapToGrid() const try { return Flag(ViewSettings(*doc_), "IsSnapToRaster"); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
void UnoDocument::SetSnapToGrid(bool on) try { SetFlag(ViewSettings(*doc_), "IsSnapToRaster", on); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
// Writer has no option of its own for shapes snapping to other shapes: the
// adapter keeps the setting for the document while it is open.
bool UnoDocument::SnapToShapes() const try { return doc_->snapToShapes; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
void UnoDocument::SetSnapToShapes(bool on) try { doc_->snapToShapes = on; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
bool UnoDocument::EmbedTrueTypeFonts() const try { return Flag(DocumentSettings(*doc_), "EmbedFonts"); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
void UnoDocument::SetEmbedTrueTypeFonts(bool on) try { SetFlag(DocumentSettings(*doc_), "EmbedFonts", on); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
bool UnoDocument::SaveSubsetFonts() const try { return Flag(DocumentSettings(*doc_), "EmbedOnlyUsedFonts"); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
void UnoDocument::SetSaveSubsetFonts(bool on) try { SetFlag(DocumentSettings(*doc_), "EmbedOnlyUsedFonts", on); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
bool UnoDocument::DoNotEmbedSystemFonts() const try { return !Flag(DocumentSettings(*doc_), "EmbedSystemFonts"); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
void UnoDocument::SetDoNotEmbedSystemFonts(bool on) try { SetFlag(DocumentSettings(*doc_), "EmbedSystemFonts", !on); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

bool UnoDocument::Saved() const try {
  return !Reference<util::XModifiable>(doc_->model, uno::UNO_QUERY_THROW)->isModified();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}
void UnoDocument::SetSaved(bool saved) try {
  Reference<util::XModifiable>(doc_->model, uno::UNO_QUERY_THROW)->setModified(!saved);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

bool UnoDocument::ReadOnly() const try {
  return Reference<frame::XStorable>(doc_->model, uno::UNO_QUERY_THROW)->isReadonly();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoDocument::Save() try {
  if (ReadOnly()) Raise(4605, L"此方法或属性无效，因为此文档以只读方式打开。");
  if (doc_->model->getURL().isEmpty()) Raise(err::kInvalidCall, L"文档还没有文件名，请用“另存为”。");
  SaveAs(FullName());
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoDocument::SaveAs(const std::wstring& path) try {
  uno::Sequence<beans::PropertyValue> args(2);
  args.getArray()[0].Name = "FilterName";
  args.getArray()[0].Value <<= rtl::OUString("MS Word 2007 XML");
  args.getArray()[1].Name = "Overwrite";
  args.getArray()[1].Value <<= true;
  Reference<frame::XStorable> storable(doc_->model, uno::UNO_QUERY_THROW);
  // Writer's .docx export once reported a write error on a busy machine
  // for a document it saved in every other run: a teacher's save is tried
  // a second time before it is reported as failed.
  for (int attempt = 1;; ++attempt) {
    try {
      storable->storeAsURL(FileUrl(path), args);
      return;
    } catch (const uno::Exception& e) {
      if (attempt == 2) Raise(err::kInvalidCall, L"LibreOffice 无法保存“" + path + L"”：" + FromOUString(e.Message));
    }
  }
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoDocument::Activate() try {
  auto frame = doc_->model->getCurrentController()->getFrame();
  if (frame.is()) frame->activate();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

}  // namespace plx::docif::lo
