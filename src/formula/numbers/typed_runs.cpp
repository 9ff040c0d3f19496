#include "formula/numbers/typed_runs.hpp"

#include "addin/addin_context.hpp"

namespace plx::numbers {

void TypeRuns(AddinContext& ctx, const std::vector<TypedRun>& runs) {
  auto selection = ctx.App->GetSelection();
  auto doc = ctx.App->ActiveDocument();
  for (const TypedRun& run : runs) {
    const long start = selection->Start();
    selection->TypeText(run.text);
    docif::FontFormat font;
    font.Superscript = run.superscript;
    doc->GetRange(start, selection->Start())->SetFont(font);
  }
  // What the teacher types next is plain text, not another exponent.
  docif::FontFormat plain;
  plain.Superscript = false;
  selection->SetFont(plain);
}

}  // namespace plx::numbers
