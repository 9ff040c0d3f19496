#include <algorithm>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"

namespace plx::docif::model {

// An equation whose text was deleted, or that a merge replaced, is gone.
Equation& ModelOMath::Live() const {
  bool listed = std::find(doc_->equations.begin(), doc_->equations.end(), eq_) != doc_->equations.end();
  if (!listed || eq_->anchor->start >= eq_->anchor->end) Raise(err::kInvalidCall, L"该公式已被删除。");
  return *eq_;
}

RangePtr ModelOMath::GetRange() {
  const Equation& eq = Live();
  return MakeRange(doc_, eq.story, eq.anchor->start, eq.anchor->end);
}

void ModelOMath::BuildUp() {
  Live().builtUp = true;
  doc_->Changed();
}

void ModelOMath::Linearize() {
  Live().builtUp = false;
  doc_->Changed();
}

std::vector<std::shared_ptr<Equation>> ModelOMaths::InScope() const {
  return scope_.doc->EquationsIn(*scope_.story, scope_.anchor->start, scope_.anchor->end);
}

std::shared_ptr<OMath> ModelOMaths::Item(int index) {
  auto equations = InScope();
  if (index < 1 || index > static_cast<int>(equations.size())) Raise(5941, L"集合所要求的成员不存在。");
  return std::make_shared<ModelOMath>(scope_.doc, equations[index - 1]);
}

RangePtr ModelOMaths::Add(const Range& at) {
  // The equation goes into the story of `at` when it is one of ours.
  std::shared_ptr<Story> story = scope_.story;
  if (const auto* model = dynamic_cast<const ModelRange*>(&at)) {
    if (model->Ref().doc != scope_.doc) Raise(err::kInvalidCall, L"该范围不在此文档中。");
    story = model->Ref().story;
  }
  DocData& doc = *scope_.doc;
  long s = std::clamp(at.Start(), 0L, story->Length());
  long e = std::clamp(at.End(), s, story->Length());
  if (e > s && story->IsParagraphEnd(e - 1)) --e;  // the paragraph mark stays outside
  if (e <= s) Raise(err::kInvalidCall, L"公式的范围是空的。");
  // An equation the range overlaps is merged into the new one: the
  // characters of both become one equation, in the linear format, so that
  // no two equations ever overlap.
  auto overlapped = doc.EquationsIn(*story, s, e);
  for (const auto& eq : overlapped) {
    s = std::min(s, eq->anchor->start);
    e = std::max(e, eq->anchor->end);
  }
  for (long i = s; i < e; ++i)
    if (story->Text()[i] < 0x20) Raise(err::kInvalidCall, L"公式只能由同一段落中的文字组成。");
  std::erase_if(doc.equations, [&](const auto& eq) {
    return std::find(overlapped.begin(), overlapped.end(), eq) != overlapped.end();
  });
  doc.DropDeletedEquations();
  doc.equations.push_back(std::make_shared<Equation>(Equation{story, story->MakeAnchor(s, e), false}));
  doc.Changed();
  return MakeRange(scope_.doc, story, s, e);
}

}  // namespace plx::docif::model
