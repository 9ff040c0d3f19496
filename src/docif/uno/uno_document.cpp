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
#include "docif/uno/uno_formats.hpp"
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

rtl::OUString FileUrl(const std::wstring& path) {
  rtl::OUString url;
  const rtl::OUString system = ToOUString(path);
  if (osl::FileBase::getFileURLFromSystemPath(system, url) != osl::FileBase::E_None) return system;
  return url;
}

}  // namespace

int UnoSelection::Type() const {
  Reference<view::XSelectionSupplier> supplier(Doc()->model->getCurrentController(), uno::UNO_QUERY);
  if (supplier.is()) {
    Reference<lang::XServiceInfo> selected(supplier->getSelection(), uno::UNO_QUERY);
    if (selected.is() && selected->supportsService("com.sun.star.drawing.ShapeCollection")) return kSelectionShape;
  }
  return End() > Start() ? kSelectionNormal : kSelectionIP;
}

RangePtr UnoSelection::GetRange() { return MakeUnoRange(Doc(), Start(), End()); }

std::shared_ptr<ShapeRange> UnoSelection::GetShapeRange() { NotYetInLibreOffice(L"所选的图形"); }

void UnoSelection::TypeText(const std::wstring& text) {
  SetText(text);
  Collapse(kCollapseEnd);
  Doc()->ShowSelection();
}

void UnoSelection::MoveDown(int unit, int count, bool extend) {
  if (unit != kUnitParagraph) Raise(err::kInvalidCall, L"不支持的移动单位。");
  model::MoveDownByParagraphs(Doc()->story.Mirror(), Anchor(), count, extend);
  Doc()->ShowSelection();
}

std::wstring UnoDocument::FullName() const {
  const rtl::OUString url = doc_->model->getURL();
  rtl::OUString path;
  if (url.isEmpty() || osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return FromOUString(url);
  return FromOUString(path);
}

RangePtr UnoDocument::Content() { return MakeUnoRange(doc_, 0, doc_->story.Mirror().Length()); }

RangePtr UnoDocument::GetRange(long start, long end) {
  const long len = doc_->story.Mirror().Length();
  start = std::clamp(start, 0L, len);
  return MakeUnoRange(doc_, start, std::clamp(end, start, len));
}

std::shared_ptr<Ranges> UnoDocument::Paragraphs() { return Content()->Paragraphs(); }
std::shared_ptr<Ranges> UnoDocument::Characters() { return Content()->Characters(); }
std::shared_ptr<Fields> UnoDocument::GetFields() { return MakeUnoFields(doc_, 0, doc_->story.Mirror().Length()); }
std::shared_ptr<Tables> UnoDocument::GetTables() { return MakeUnoTables(doc_, 0, doc_->story.Mirror().Length()); }
std::shared_ptr<InlineShapes> UnoDocument::GetInlineShapes() { NotYetInLibreOffice(L"嵌入的图片"); }
std::shared_ptr<Shapes> UnoDocument::GetShapes() { NotYetInLibreOffice(L"图形"); }
std::shared_ptr<Styles> UnoDocument::GetStyles() { return MakeUnoStyles(doc_); }
std::shared_ptr<Bookmarks> UnoDocument::GetBookmarks() { return MakeUnoBookmarks(doc_); }

docif::PageSetup UnoDocument::PageSetup() const {
  const Props page = FirstPageStyle(*doc_);
  auto points = [&](const char* name) {
    sal_Int32 mm100 = 0;
    page->getPropertyValue(rtl::OUString::createFromAscii(name)) >>= mm100;
    return FromMm100(mm100);
  };
  return {points("Width"), points("Height"), points("TopMargin"), points("BottomMargin"), points("LeftMargin"),
          points("RightMargin")};
}

void UnoDocument::SetPageSetup(const docif::PageSetup& setup) {
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
}

bool UnoDocument::SnapToGrid() const { return Flag(ViewSettings(*doc_), "IsSnapToRaster"); }
void UnoDocument::SetSnapToGrid(bool on) { SetFlag(ViewSettings(*doc_), "IsSnapToRaster", on); }
// Writer has no option of its own for shapes snapping to other shapes: the
// adapter keeps the setting for the document while it is open.
bool UnoDocument::SnapToShapes() const { return doc_->snapToShapes; }
void UnoDocument::SetSnapToShapes(bool on) { doc_->snapToShapes = on; }
bool UnoDocument::EmbedTrueTypeFonts() const { return Flag(DocumentSettings(*doc_), "EmbedFonts"); }
void UnoDocument::SetEmbedTrueTypeFonts(bool on) { SetFlag(DocumentSettings(*doc_), "EmbedFonts", on); }
bool UnoDocument::SaveSubsetFonts() const { return Flag(DocumentSettings(*doc_), "EmbedOnlyUsedFonts"); }
void UnoDocument::SetSaveSubsetFonts(bool on) { SetFlag(DocumentSettings(*doc_), "EmbedOnlyUsedFonts", on); }
bool UnoDocument::DoNotEmbedSystemFonts() const { return !Flag(DocumentSettings(*doc_), "EmbedSystemFonts"); }
void UnoDocument::SetDoNotEmbedSystemFonts(bool on) { SetFlag(DocumentSettings(*doc_), "EmbedSystemFonts", !on); }

bool UnoDocument::Saved() const {
  return !Reference<util::XModifiable>(doc_->model, uno::UNO_QUERY_THROW)->isModified();
}
void UnoDocument::SetSaved(bool saved) {
  Reference<util::XModifiable>(doc_->model, uno::UNO_QUERY_THROW)->setModified(!saved);
}

bool UnoDocument::ReadOnly() const {
  return Reference<frame::XStorable>(doc_->model, uno::UNO_QUERY_THROW)->isReadonly();
}

void UnoDocument::Save() {
  if (ReadOnly()) Raise(4605, L"此方法或属性无效，因为此文档以只读方式打开。");
  if (doc_->model->getURL().isEmpty()) Raise(err::kInvalidCall, L"文档还没有文件名，请用“另存为”。");
  SaveAs(FullName());
}

void UnoDocument::SaveAs(const std::wstring& path) {
  uno::Sequence<beans::PropertyValue> args(2);
  args.getArray()[0].Name = "FilterName";
  args.getArray()[0].Value <<= rtl::OUString("MS Word 2007 XML");
  args.getArray()[1].Name = "Overwrite";
  args.getArray()[1].Value <<= true;
  try {
    Reference<frame::XStorable>(doc_->model, uno::UNO_QUERY_THROW)->storeAsURL(FileUrl(path), args);
  } catch (const uno::Exception& e) {
    Raise(err::kInvalidCall, L"LibreOffice 无法保存“" + path + L"”：" + FromOUString(e.Message));
  }
}

void UnoDocument::Activate() {
  auto frame = doc_->model->getCurrentController()->getFrame();
  if (frame.is()) frame->activate();
}

}  // namespace plx::docif::lo
