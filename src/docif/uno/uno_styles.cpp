#include "docif/uno/uno_styles.hpp"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

#include "common/error.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// Writer's names of built-in styles whose names in the host differ from
// Writer's display names: the Chinese edition's names, and Word's name of
// the body text style that Writer renames when it reads a .docx.
struct LocalName {
  const char* internal;
  const wchar_t* local;
};
constexpr LocalName kLocalNames[] = {
    {"Standard", L"正文"}, {"Heading 1", L"标题 1"}, {"Heading 2", L"标题 2"}, {"Heading 3", L"标题 3"}, {"Title", L"标题"}, {"Text body", L"Body Text"}};

Reference<container::XNameContainer> Family(const WriterDoc& doc, const char* family) {
  Reference<style::XStyleFamiliesSupplier> supplier(doc.story.Document(), uno::UNO_QUERY_THROW);
  return Reference<container::XNameContainer>(supplier->getStyleFamilies()->getByName(rtl::OUString::createFromAscii(family)),
                                              uno::UNO_QUERY_THROW);
}

std::wstring LocalNameOf(const Reference<container::XNameContainer>& family, const rtl::OUString& internal) {
  for (const auto& n : kLocalNames)
    if (internal.equalsAscii(n.internal)) return n.local;
  rtl::OUString display;
  Reference<beans::XPropertySet> style(family->getByName(internal), uno::UNO_QUERY);
  if (style.is()) style->getPropertyValue("DisplayName") >>= display;
  return FromOUString(display.isEmpty() ? internal : display);
}

// The internal name of a style named `name` in the family, empty when there is none.
rtl::OUString InternalNameOf(const Reference<container::XNameContainer>& family, const std::wstring& name) {
  for (const auto& n : kLocalNames)
    if (name == n.local) return rtl::OUString::createFromAscii(n.internal);
  const rtl::OUString wanted = ToOUString(name);
  if (family->hasByName(wanted)) return wanted;
  for (const auto& internal : family->getElementNames())
    if (LocalNameOf(family, internal) == name) return internal;
  return {};
}

[[noreturn]] void NoSuchStyle() { Raise(5941, L"集合所要求的成员不存在。"); }

class UnoStyle final : public docif::Style {
 public:
  UnoStyle(Reference<container::XNameContainer> family, rtl::OUString internal, int type)
      : family_(std::move(family)), internal_(std::move(internal)), type_(type),
        props_(family_->getByName(internal_), uno::UNO_QUERY_THROW) {}

  std::wstring NameLocal() const override { return LocalNameOf(family_, internal_); }
  int Type() const override { return type_; }
  FontFormat Font() const override { return ReadFont(props_); }
  void SetFont(const FontFormat& font) override { WriteFont(props_, font); }
  ParagraphFormat GetParagraphFormat() const override {
    return type_ == 1 ? ReadParagraphFormat(props_) : ParagraphFormat{};
  }
  void SetParagraphFormat(const ParagraphFormat& format) override {
    if (type_ == 1) WriteParagraphFormat(props_, format);
  }
  bool AutomaticallyUpdate() const override {
    bool update = false;
    if (type_ == 1) props_->getPropertyValue("IsAutoUpdate") >>= update;
    return update;
  }
  void SetAutomaticallyUpdate(bool update) override {
    if (type_ == 1) props_->setPropertyValue("IsAutoUpdate", uno::Any(update));
  }
  std::wstring BaseStyle() const override {
    rtl::OUString parent = Reference<style::XStyle>(props_, uno::UNO_QUERY_THROW)->getParentStyle();
    return parent.isEmpty() ? L"" : LocalNameOf(family_, parent);
  }
  void SetBaseStyle(const std::wstring& name) override {
    const rtl::OUString parent = name.empty() ? rtl::OUString() : InternalNameOf(family_, name);
    if (!name.empty() && parent.isEmpty()) NoSuchStyle();
    Reference<style::XStyle>(props_, uno::UNO_QUERY_THROW)->setParentStyle(parent);
  }

 private:
  Reference<container::XNameContainer> family_;
  rtl::OUString internal_;
  int type_;
  Reference<beans::XPropertySet> props_;
};

class UnoStyles final : public Styles {
 public:
  explicit UnoStyles(std::shared_ptr<WriterDoc> doc)
      : doc_(std::move(doc)), paragraph_(Family(*doc_, "ParagraphStyles")), character_(Family(*doc_, "CharacterStyles")) {}

  int Count() const override {
    return paragraph_->getElementNames().getLength() + character_->getElementNames().getLength();
  }
  bool Exists(const std::wstring& name) const override {
    return !InternalNameOf(paragraph_, name).isEmpty() || !InternalNameOf(character_, name).isEmpty();
  }
  std::shared_ptr<docif::Style> Item(const std::wstring& name) override {
    if (auto internal = InternalNameOf(paragraph_, name); !internal.isEmpty())
      return std::make_shared<UnoStyle>(paragraph_, internal, 1);
    if (auto internal = InternalNameOf(character_, name); !internal.isEmpty())
      return std::make_shared<UnoStyle>(character_, internal, 2);
    NoSuchStyle();
  }
  std::shared_ptr<docif::Style> Add(const std::wstring& name, int type) override {
    if (Exists(name)) Raise(5173, L"此样式名已经存在。");
    const auto& family = type == 2 ? character_ : paragraph_;
    Reference<lang::XMultiServiceFactory> factory(doc_->story.Document(), uno::UNO_QUERY_THROW);
    auto style = factory->createInstance(type == 2 ? rtl::OUString("com.sun.star.style.CharacterStyle")
                                                   : rtl::OUString("com.sun.star.style.ParagraphStyle"));
    family->insertByName(ToOUString(name), uno::Any(style));
    return std::make_shared<UnoStyle>(family, ToOUString(name), type == 2 ? 2 : 1);
  }

 private:
  std::shared_ptr<WriterDoc> doc_;
  Reference<container::XNameContainer> paragraph_, character_;
};

}  // namespace

std::wstring ParagraphStyleLocalName(const WriterDoc& doc, const rtl::OUString& internal) {
  return LocalNameOf(Family(doc, "ParagraphStyles"), internal);
}

rtl::OUString ParagraphStyleInternalName(const WriterDoc& doc, const std::wstring& name) {
  rtl::OUString internal = InternalNameOf(Family(doc, "ParagraphStyles"), name);
  if (internal.isEmpty()) NoSuchStyle();
  return internal;
}

std::shared_ptr<Styles> MakeUnoStyles(const std::shared_ptr<WriterDoc>& doc) {
  return std::make_shared<UnoStyles>(doc);
}

}  // namespace plx::docif::lo
