#include "paper/paper_scope.hpp"

#include "addin/addin_context.hpp"
#include "docif/application.hpp"

namespace plx {

std::shared_ptr<docif::Document> ActiveDoc(AddinContext& ctx) { return ctx.App->ActiveDocument(); }

std::shared_ptr<docif::Selection> CurrentSelection(AddinContext& ctx) { return ctx.App->GetSelection(); }

docif::RangePtr SelectionOrDocument(AddinContext& ctx) {
  auto sel = CurrentSelection(ctx);
  if (sel->Type() == docif::kSelectionNone || sel->Type() == docif::kSelectionIP || sel->End() <= sel->Start())
    return ActiveDoc(ctx)->Content();
  return sel->GetRange();
}

docif::RangePtr FirstSelectedParagraph(AddinContext& ctx) {
  return CurrentSelection(ctx)->GetRange()->Paragraphs()->First();
}

docif::RangePtr ParagraphText(const docif::Range& paragraph) {
  auto r = paragraph.Duplicate();
  std::wstring text = r->Text();
  if (!text.empty() && text.back() == L'\r') r->SetRange(r->Start(), r->End() - 1);
  return r;
}

}  // namespace plx
