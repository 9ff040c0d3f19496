// Fields of a Writer document in their text forms: code and result as the
// mirror holds them (Writer's field marks with the code between begin and
// separator, or a Writer text field with its command as code).
#include <algorithm>

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XFormField.hpp>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/office_math.hpp"
#include "docif/starmath.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_omaths.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {
namespace {

using namespace css;

long InsertEqField(WriterDoc& doc, long start, long end, const std::wstring& code);

class UnoField final : public Field {
 public:
  UnoField(std::shared_ptr<WriterDoc> doc, long begin)
      : doc_(std::move(doc)), begin_(doc_->story.Mirror().MakeAnchor(begin, begin + 1)) {}

  RangePtr Code() override try {
    auto f = Marks();
    return MakeUnoRange(doc_, f.begin + 1, f.separator);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  RangePtr Result() override try {
    auto f = Marks();
    return MakeUnoRange(doc_, std::min(f.separator + 1, f.end), f.end);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  int Type() const override try {
    auto f = Marks();
    return model::FieldTypeOfCode(doc_->story.Mirror().Text().substr(f.begin + 1, f.separator - f.begin - 1));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  bool ShowCodes() const override try { return doc_->story.Mirror().Cell(Marks().begin).showCodes || doc_->showFieldCodes; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetShowCodes(bool show) override try { doc_->story.Mirror().Cell(Marks().begin).showCodes = show; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Select() override try {
    auto f = Marks();
    MakeUnoRange(doc_, f.begin, f.end + 1)->Select();
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override try {
    auto f = Marks();
    doc_->story.Replace(f.begin, f.end + 1, L"");
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  model::FieldMarks Marks() const {
    const model::Story& story = doc_->story.Mirror();
    const long begin = begin_->start;
    if (begin_->end == begin + 1 && story.Text()[begin] == model::kFieldBegin)
      for (const auto& f : story.FieldsIn(begin, begin + 1)) return f;
    Raise(err::kInvalidCall, L"该域已被删除。");
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> begin_;
};

class UnoFields final : public Fields {
 public:
  UnoFields(std::shared_ptr<WriterDoc> doc, long start, long end)
      : doc_(std::move(doc)), scope_(doc_->story.Mirror().MakeAnchor(start, end)) {}

  int Count() const override try { return static_cast<int>(Marks().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Field> Item(int index) override try {
    return std::make_shared<UnoField>(doc_, MemberAt(Marks(), index).begin);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Field> Add(const Range& at, int type, const std::wstring& text, bool preserveFormatting) override try {
    std::wstring code = text;
    if (type != kFieldEmpty && type != kFieldFormula) Raise(err::kInvalidCall, L"不支持的域类型。");
    if (type == kFieldFormula && UCase(Left(Trim(text), 2)) != L"EQ") code = L"EQ " + text;
    if (preserveFormatting) code += L" \\* MERGEFORMAT ";
    if (model::FieldTypeOfCode(code) != kFieldFormula) NotYetInLibreOffice(L"公式以外的域");
    return std::make_shared<UnoField>(doc_, InsertEqField(*doc_, at.Start(), at.End(), code));
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void ToggleShowCodes() override try {
    for (const auto& f : Marks()) {
      bool& show = doc_->story.Mirror().Cell(f.begin).showCodes;
      show = !show;
    }
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::vector<model::FieldMarks> Marks() const {
    const model::Story& story = doc_->story.Mirror();
    const long s = scope_->start, e = scope_->end;
    // A collapsed scope still sees a field it stands in.
    if (s == e) {
      for (const auto& f : story.FieldsIn(0, story.Length()))
        if (f.begin <= s && s <= f.end) return {f};
      return {};
    }
    return story.FieldsIn(s, e);
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<model::Anchor> scope_;
};

// Writer's fieldmark for a field it does not lay out itself, which it keeps
// with its code and the host's field number and saves as that field.
constexpr const char* kUnhandledField = "vnd.oasis.opendocument.field.UNHANDLED";

// An EQ field in place of [start, end): a fieldmark whose code stands
// between its start and separator, as the host keeps it, and whose result
// is the formula typeset as a Math object (its plain rendering when the
// code does not convert), so Writer shows the formula and a saved .docx
// holds the field. Returns the position of its begin mark.
long InsertEqField(WriterDoc& doc, long start, long end, const std::wstring& code) {
  WriterStory& story = doc.story;
  const long s = end > start ? story.Replace(start, end, L"").first : std::clamp(start, 0L, story.Mirror().Length() - 1);
  // Writer shows a fieldmark's result alone, and saves the field with the
  // code and the host's field number its parameters give.
  Reference<lang::XMultiServiceFactory> factory(story.Document(), uno::UNO_QUERY_THROW);
  Reference<text::XTextContent> mark(factory->createInstance("com.sun.star.text.Fieldmark"), uno::UNO_QUERY_THROW);
  auto at = story.CursorAt(s);
  at->getText()->insertTextContent(AsRange(at), mark, false);
  // XFormField is marked deprecated with nothing in its place: it is still
  // Writer's only way to give a fieldmark its type and parameters.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  Reference<text::XFormField> field(mark, uno::UNO_QUERY_THROW);
  field->setFieldType(rtl::OUString::createFromAscii(kUnhandledField));
  auto parameters = field->getParameters();
#pragma GCC diagnostic pop
  const std::wstring typed = model::NormaliseInsertedText(code);
  parameters->insertByName("vnd.oasis.opendocument.field.code", uno::Any(ToOUString(typed)));
  parameters->insertByName("vnd.oasis.opendocument.field.id", uno::Any(rtl::OUString::number(kFieldFormula)));
  story.Changed(s, s, model::kFieldBegin + typed + model::kFieldSeparator + model::kFieldEnd);
  // The result goes between the separator and the end mark.
  const long result = s + static_cast<long>(typed.size()) + 2;
  if (auto xml = OfficeMathOfEqField(code)) {
    InsertFormula(doc, result, result, StarMathOfOfficeMath(*xml), L"", FormulaUse::kFieldResult);
  } else if (const std::wstring plain = model::NormaliseInsertedText(model::EqResultText(code)); !plain.empty()) {
    story.Replace(result, result, plain);
  }
  return s;
}

}  // namespace

std::shared_ptr<Fields> MakeUnoFields(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoFields>(doc, start, end);
}

}  // namespace plx::docif::lo
