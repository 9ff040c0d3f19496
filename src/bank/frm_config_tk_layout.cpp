// The settings dialog with its question-bank buttons: they stand on the
// question-bank page, under its settings.
#include "bank/frm_config_tk.hpp"

namespace plx::bank {

DialogLayout frmConfigTk::Layout() const {
  DialogLayout description = frmConfig::Layout();
  for (auto& part : description.root.children)
    if (part.kind == LayoutNode::Kind::Tabs)
      for (auto& page : part.children)
        if (page.caption == L"题库")
          page.children.push_back(layout::Fields({L"cmdImportTK", L"cmdRebuildTK", L"cmdEditTK"}));
  return description;
}

}  // namespace plx::bank
