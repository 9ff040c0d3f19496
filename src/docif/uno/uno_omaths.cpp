#include "docif/uno/uno_omaths.hpp"

#include <algorithm>
#include <cmath>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/XEmbeddedObjectSupplier.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/TextContentAnchorType.hpp>
#include <com/sun/star/text/XTextEmbeddedObjectsSupplier.hpp>

#include "common/error.hpp"
#include "docif/starmath.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// LibreOffice Math's class id.
constexpr const char* kMathClassId = "078B7ABA-54FC-457F-8551-6147e776a997";
// The names of Math objects that are no equations start so (and end with a
// number: Writer's objects have names of their own).
constexpr const char* kEmbeddedName = "plendrix-ole-";
constexpr const char* kFieldResultName = "plendrix-eq-result-";

bool NamedAs(const Reference<text::XTextContent>& content, const char* prefix) {
  Reference<container::XNamed> named(content, uno::UNO_QUERY);
  return named.is() && named->getName().startsWith(rtl::OUString::createFromAscii(prefix));
}

// A name no object of the document has yet.
rtl::OUString UniqueName(const WriterDoc& doc, const char* prefix) {
  auto objects =
      Reference<text::XTextEmbeddedObjectsSupplier>(doc.story.Document(), uno::UNO_QUERY_THROW)->getEmbeddedObjects();
  for (sal_Int32 n = objects->getElementNames().getLength() + 1;; ++n) {
    const rtl::OUString name = rtl::OUString::createFromAscii(prefix) + rtl::OUString::number(n);
    if (!objects->hasByName(name)) return name;
  }
}

using Props = Reference<beans::XPropertySet>;

std::wstring Kept(const Reference<text::XTextContent>& content) {
  rtl::OUString description;
  Props(content, uno::UNO_QUERY_THROW)->getPropertyValue("Description") >>= description;
  return FromOUString(description);
}

[[noreturn]] void Gone() { Raise(err::kInvalidCall, L"该公式已被删除。"); }

// An equation: its object's character while built up, its linear text
// after Linearize. The object is found again at its character each time:
// Writer is never asked about an object it may have deleted (LibreOffice
// 7.4 fails on it).
class UnoOMath final : public OMath {
 public:
  UnoOMath(std::shared_ptr<WriterDoc> doc, long pos)
      : doc_(std::move(doc)), at_(doc_->story.Mirror().MakeAnchor(pos, pos + 1)) {}

  RangePtr GetRange() override try {
    if (builtUp_) Object();
    else if (at_->end <= at_->start) Gone();
    return MakeUnoRange(doc_, at_->start, at_->end);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  // Writer typesets a formula as it is made: built up, it stays as it is;
  // put back into the linear format, it is made again from that text.
  void BuildUp() override try {
    if (builtUp_) return;
    if (at_->end <= at_->start) Gone();
    const std::wstring linear = doc_->story.Mirror().Text().substr(at_->start, at_->end - at_->start);
    const long p = InsertFormula(*doc_, at_->start, at_->end, StarMathOfEquation(linear), linear);
    at_ = doc_->story.Mirror().MakeAnchor(p, p + 1);
    builtUp_ = true;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  void Linearize() override try {
    if (!builtUp_) return;
    const std::wstring linear = Kept(Object());
    if (linear.empty())
      Raise(err::kInvalidCall, L"这个公式没有记下线性格式的文字（它不是插件在 LibreOffice 中插入的），不能转换为线性格式。");
    const long p = at_->start;
    doc_->story.Replace(p, p + 1, linear);
    at_ = doc_->story.Mirror().MakeAnchor(p, p + static_cast<long>(linear.size()));
    builtUp_ = false;
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  bool IsBuiltUp() const override try { return builtUp_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  Reference<text::XTextContent> Object() const {
    const model::Story& story = doc_->story.Mirror();
    if (at_->end != at_->start + 1 || story.Text()[at_->start] != model::kInlineObject) Gone();
    auto content = doc_->story.ContentAt(at_->start);
    if (!IsEquationObject(content)) Gone();
    return content;
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> at_;
  bool builtUp_ = true;
};

class UnoOMaths final : public OMaths {
 public:
  UnoOMaths(std::shared_ptr<WriterDoc> doc, long start, long end)
      : doc_(std::move(doc)), scope_(doc_->story.Mirror().MakeAnchor(start, end)) {}

  int Count() const override try { return static_cast<int>(InScope().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  std::shared_ptr<OMath> Item(int index) override try {
    return std::make_shared<UnoOMath>(doc_, MemberAt(InScope(), index));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  RangePtr Add(const Range& at) override try {
    const model::Story& story = doc_->story.Mirror();
    long s = std::clamp(at.Start(), 0L, story.Length());
    long e = std::clamp(at.End(), s, story.Length());
    if (e > s && story.IsParagraphEnd(e - 1)) --e;  // the paragraph mark stays outside
    if (e <= s) Raise(err::kInvalidCall, L"公式的范围是空的。");
    // An equation inside the range is merged into the new one through the
    // linear text it was made from, so that equations never nest.
    std::wstring linear;
    for (long i = s; i < e; ++i) {
      const wchar_t c = story.Text()[i];
      if (c == model::kInlineObject) {
        const auto content = doc_->story.ContentAt(i);
        const std::wstring kept = IsEquationObject(content) ? Kept(content) : L"";
        if (kept.empty()) Raise(err::kInvalidCall, L"公式只能由同一段落中的文字组成。");
        linear += kept;
      } else if (c < 0x20) {
        Raise(err::kInvalidCall, L"公式只能由同一段落中的文字组成。");
      } else {
        linear += c;
      }
    }
    const long p = InsertFormula(*doc_, s, e, StarMathOfEquation(linear), linear);
    return MakeUnoRange(doc_, p, p + 1);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  // The positions of the equations in the scope.
  std::vector<long> InScope() const { return doc_->story.ContentsIn(scope_->start, scope_->end, IsEquationObject); }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> scope_;
};

}  // namespace

std::shared_ptr<OMaths> MakeUnoOMaths(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoOMaths>(doc, start, end);
}

bool IsFormulaObject(const Reference<text::XTextContent>& content) {
  Props props(content, uno::UNO_QUERY);
  if (!props.is() || !props->getPropertySetInfo()->hasPropertyByName("CLSID")) return false;
  rtl::OUString id;
  props->getPropertyValue("CLSID") >>= id;
  return id.equalsIgnoreAsciiCaseAscii(kMathClassId);
}

bool IsEquationObject(const Reference<text::XTextContent>& content) {
  if (!IsFormulaObject(content)) return false;
  return !NamedAs(content, kEmbeddedName) && !NamedAs(content, kFieldResultName);
}

bool IsEmbeddedFormula(const Reference<text::XTextContent>& content) {
  return IsFormulaObject(content) && NamedAs(content, kEmbeddedName);
}

long InsertFormula(WriterDoc& doc, long start, long end, const std::wstring& formula, const std::wstring& linear,
                   FormulaUse use) {
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<text::XTextContent> object(factory->createInstance("com.sun.star.text.TextEmbeddedObject"),
                                       uno::UNO_QUERY_THROW);
  Props props(object, uno::UNO_QUERY_THROW);
  props->setPropertyValue("CLSID", uno::Any(rtl::OUString::createFromAscii(kMathClassId)));
  props->setPropertyValue("AnchorType", uno::Any(text::TextContentAnchorType_AS_CHARACTER));
  // The formula in the size of the text it stands in, as the host sets an equation.
  float size = 0;
  Props(doc.story.CursorAt(start), uno::UNO_QUERY_THROW)->getPropertyValue("CharHeight") >>= size;
  const long p = doc.story.InsertContent(start, end, object);
  if (!linear.empty()) props->setPropertyValue("Description", uno::Any(ToOUString(linear)));
  if (use != FormulaUse::kEquation)
    Reference<container::XNamed>(object, uno::UNO_QUERY_THROW)
        ->setName(UniqueName(doc, use == FormulaUse::kEmbedded ? kEmbeddedName : kFieldResultName));
  Reference<document::XEmbeddedObjectSupplier> supplier(object, uno::UNO_QUERY_THROW);
  Props math(supplier->getEmbeddedObject(), uno::UNO_QUERY_THROW);
  if (size > 0) math->setPropertyValue("BaseFontHeight", uno::Any(static_cast<sal_Int16>(std::lround(size))));
  math->setPropertyValue("Formula", uno::Any(ToOUString(formula)));
  return p;
}

}  // namespace plx::docif::lo
