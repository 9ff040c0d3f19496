#include "connect/toolbars.hpp"

#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "addin/product_info.hpp"

namespace plx {

void RemoveAddinToolbars(AddinContext& ctx) {
  auto bars = ctx.App->GetCommandBars();
  // Walk backwards: deleting a bar renumbers the ones after it.
  for (int i = bars->Count(); i >= 1; --i) {
    auto bar = bars->Item(i);
    if (Contains(bar->Name(), product::kToolbarNamePart)) bar->Delete();
  }
  ctx.MainBar.reset();
  ctx.Sinks.reset();
}

}  // namespace plx
