// Fields of a Writer document in their text forms: code and result as the
// mirror holds them (Writer's field marks with the code between begin and
// separator, or a Writer text field with its command as code).
#include <algorithm>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_range.hpp"

namespace plx::docif::lo {
namespace {

class UnoField final : public Field {
 public:
  UnoField(std::shared_ptr<WriterDoc> doc, long begin)
      : doc_(std::move(doc)), begin_(doc_->story.Mirror().MakeAnchor(begin, begin + 1)) {}

  RangePtr Code() override {
    auto f = Marks();
    return MakeUnoRange(doc_, f.begin + 1, f.separator);
  }
  RangePtr Result() override {
    auto f = Marks();
    return MakeUnoRange(doc_, std::min(f.separator + 1, f.end), f.end);
  }
  int Type() const override {
    auto f = Marks();
    return model::FieldTypeOfCode(doc_->story.Mirror().Text().substr(f.begin + 1, f.separator - f.begin - 1));
  }
  bool ShowCodes() const override { return doc_->story.Mirror().Cell(Marks().begin).showCodes || doc_->showFieldCodes; }
  void SetShowCodes(bool show) override { doc_->story.Mirror().Cell(Marks().begin).showCodes = show; }
  void Select() override {
    auto f = Marks();
    MakeUnoRange(doc_, f.begin, f.end + 1)->Select();
  }
  void Delete() override {
    auto f = Marks();
    doc_->story.Replace(f.begin, f.end + 1, L"");
  }

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

  int Count() const override { return static_cast<int>(Marks().size()); }
  std::shared_ptr<Field> Item(int index) override {
    auto marks = Marks();
    if (index < 1 || index > static_cast<int>(marks.size())) Raise(5941, L"集合所要求的成员不存在。");
    return std::make_shared<UnoField>(doc_, marks[index - 1].begin);
  }
  std::shared_ptr<Field> Add(const Range&, int, const std::wstring&, bool) override {
    NotYetInLibreOffice(L"插入域（公式的域代码）");
  }
  void ToggleShowCodes() override {
    for (const auto& f : Marks()) {
      bool& show = doc_->story.Mirror().Cell(f.begin).showCodes;
      show = !show;
    }
  }

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

}  // namespace

std::shared_ptr<Fields> MakeUnoFields(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoFields>(doc, start, end);
}

}  // namespace plx::docif::lo
