#pragma once
// A connected add-in on a new document, with ways to open the figure
// dialogs and to find the shapes of a finished figure by their roles.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "common/text.hpp"
#include "connect/connect.hpp"
#include "connect/form_registry.hpp"
#include "docif/shapes.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::test {

class FigureTest : public ConnectedAddinTest {
 protected:
  template <class F>
  std::shared_ptr<F> Open(const std::wstring& name) {
    auto form = std::dynamic_pointer_cast<F>(CreateForm(*ctx, name));
    EXPECT_TRUE(form) << WideToUtf8(name);
    form->Show();
    return form;
  }
  // The role of a shape name: the text before "："; a name without one is its own role.
  static std::wstring Role(const std::wstring& name) {
    const size_t colon = name.find(L'：');
    return colon == std::wstring::npos ? name : name.substr(0, colon);
  }
  // The items of the document's shapes, groups opened, whose role is `role`.
  std::vector<docif::ShapePtr> WithRole(const std::wstring& role) {
    std::vector<docif::ShapePtr> out;
    auto shapes = doc->GetShapes();
    for (int i = 1; i <= shapes->Count(); ++i) Collect(shapes->Item(i), role, out);
    return out;
  }
  static void Collect(const docif::ShapePtr& s, const std::wstring& role, std::vector<docif::ShapePtr>& out) {
    if (Role(s->Name()) == role) out.push_back(s);
    if (s->Type() != docif::kShapeGroup) return;
    auto items = s->GroupItems();
    for (int i = 1; i <= items->Count(); ++i) Collect(items->Item(i), role, out);
  }
  docif::ShapePtr One(const std::wstring& role) {
    auto found = WithRole(role);
    EXPECT_EQ(found.size(), 1u) << WideToUtf8(role);
    return found.empty() ? nullptr : found[0];
  }
  std::wstring LastBox() const { return ui.Boxes().empty() ? L"" : ui.Boxes().back().text; }
};

}  // namespace plx::test
