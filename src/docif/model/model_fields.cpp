#include <algorithm>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {

int FieldTypeOfCode(const std::wstring& code) {
  std::wstring word;
  for (wchar_t c : Trim(code)) {
    if (c == L' ' || c == L'\\') break;
    word += c;
  }
  word = UCase(word);
  if (word == L"EQ") return kFieldFormula;
  if (word == L"=") return 34;
  if (word == L"PAGE") return 33;
  if (word == L"NUMPAGES") return 26;
  if (word == L"DATE") return 31;
  if (word == L"TIME") return 32;
  if (word == L"SEQ") return 12;
  if (word == L"REF") return 3;
  if (word == L"TOC") return 13;
  if (word == L"HYPERLINK") return 88;
  if (word == L"SYMBOL") return 57;
  if (word == L"INCLUDEPICTURE") return 67;
  return kFieldEmpty;
}

FieldMarks ModelField::Marks() const {
  long begin = ref_.anchor->start;
  if (ref_.anchor->end != begin + 1 || ref_.story->Text()[begin] != kFieldBegin)
    Raise(err::kInvalidCall, L"该域已被删除。");
  for (const auto& f : ref_.story->FieldsIn(begin, begin + 1)) return f;
  Raise(err::kInvalidCall, L"该域已被删除。");
}

RangePtr ModelField::Code() {
  FieldMarks f = Marks();
  return MakeRange(ref_.doc, ref_.story, f.begin + 1, f.separator);
}

RangePtr ModelField::Result() {
  FieldMarks f = Marks();
  return MakeRange(ref_.doc, ref_.story, std::min(f.separator + 1, f.end), f.end);
}

int ModelField::Type() const {
  FieldMarks f = Marks();
  return FieldTypeOfCode(ref_.story->Text().substr(f.begin + 1, f.separator - f.begin - 1));
}

bool ModelField::ShowCodes() const {
  FieldMarks f = Marks();
  return ref_.story->Cell(f.begin).showCodes || ref_.doc->showFieldCodes;
}

void ModelField::SetShowCodes(bool show) { ref_.story->Cell(Marks().begin).showCodes = show; }

void ModelField::Select() {
  FieldMarks f = Marks();
  MakeRange(ref_.doc, ref_.story, f.begin, f.end + 1)->Select();
}

void ModelField::Delete() {
  FieldMarks f = Marks();
  ref_.story->Erase(f.begin, f.end + 1);
  ref_.doc->Changed();
}

std::vector<FieldMarks> ModelFields::Marks() const {
  long s = scope_.anchor->start, e = scope_.anchor->end;
  // A collapsed scope still sees a field it stands in.
  if (s == e) {
    for (const auto& f : scope_.story->FieldsIn(0, scope_.story->Length()))
      if (f.begin <= s && s <= f.end) return {f};
    return {};
  }
  return scope_.story->FieldsIn(s, e);
}

int ModelFields::Count() const { return static_cast<int>(Marks().size()); }

std::shared_ptr<Field> ModelFields::Item(int index) {
  auto marks = Marks();
  if (index < 1 || index > static_cast<int>(marks.size())) Raise(5941, L"集合所要求的成员不存在。");
  long b = marks[index - 1].begin;
  return std::make_shared<ModelField>(RangeRef{scope_.doc, scope_.story, scope_.story->MakeAnchor(b, b + 1)});
}

std::shared_ptr<Field> ModelFields::Add(const Range& at, int type, const std::wstring& text,
                                        bool preserveFormatting) {
  std::wstring code = text;
  if (type != kFieldEmpty && type != kFieldFormula) Raise(err::kInvalidCall, L"不支持的域类型。");
  if (type == kFieldFormula && UCase(Left(Trim(text), 2)) != L"EQ") code = L"EQ " + text;
  if (preserveFormatting) code += L" \\* MERGEFORMAT ";
  std::wstring result = FieldTypeOfCode(code) == kFieldFormula ? EqResultText(code) : L"";
  Story& story = *scope_.story;
  long s = at.Start();
  if (at.End() > s) s = story.Erase(s, at.End()).first;
  std::wstring all = std::wstring(1, kFieldBegin) + code + kFieldSeparator + result + kFieldEnd;
  all = NormaliseInsertedText(all);
  story.Insert(s, all, InsertionCell(story, s));
  scope_.doc->Changed();
  return std::make_shared<ModelField>(RangeRef{scope_.doc, scope_.story, story.MakeAnchor(s, s + 1)});
}

void ModelFields::ToggleShowCodes() {
  for (const auto& f : Marks()) {
    bool& show = scope_.story->Cell(f.begin).showCodes;
    show = !show;
  }
}

}  // namespace plx::docif::model
