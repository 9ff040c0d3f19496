// The layout of the minimal dialogs: their controls one below the other,
// text boxes wide enough for a folder or an address, option groups with
// their options side by side (three to a row), the close button last.
#include "connect/forms/simple_form.hpp"

namespace plx {

using namespace layout;

DialogLayout SimpleForm::Layout() const {
  std::vector<LayoutNode> rows;
  for (const auto& c : Controls()) {
    if (c.name == L"cmdClose") continue;
    if (c.kind == ControlKind::TextBox)
      rows.push_back(Field(c.name).Chars(40));
    else if (c.kind == ControlKind::OptionGroup)
      rows.push_back(Field(c.name).Columns(std::min<int>(3, static_cast<int>(c.items.size()))));
    else
      rows.push_back(Field(c.name));
  }
  rows.push_back(Fields({L"cmdClose"}));
  return {caption_, Column(std::move(rows))};
}

}  // namespace plx
