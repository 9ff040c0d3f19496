#pragma once
// A graph dialog open on a new document, with scripted random numbers that
// differ from call to call so every shape name is new, and readers of what
// the last insertion made.
#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/text.hpp"
#include "graph/dialog/frm_graph.hpp"
#include "support/addin_fixtures.hpp"

namespace plx::test {

class GraphDialogTest : public DocumentAddinTest {
 protected:
  void SetUp() override {
    DocumentAddinTest::SetUp();
    std::deque<double> numbers;
    for (int i = 1; i < 400; ++i) numbers.push_back(i / 401.0);
    random = ScriptedRandom(numbers);
    form = std::make_shared<graph::frmGraph>(*ctx);
    form->Show();
  }
  void TearDown() override { form->Unload(); }

  // The role a shape was named for: its name up to the "：".
  static std::wstring Role(const docif::ShapePtr& s) { return Split(s->Name(), L"：")[0]; }
  // The shapes of the last insertion (the group's items, or its one shape), in order.
  std::vector<docif::ShapePtr> Inserted() {
    auto last = doc->GetShapes()->Item(doc->GetShapes()->Count());
    if (last->Type() != docif::kShapeGroup) return {last};
    std::vector<docif::ShapePtr> out;
    auto items = last->GroupItems();
    for (int i = 1; i <= items->Count(); ++i) out.push_back(items->Item(i));
    return out;
  }
  std::vector<std::wstring> Roles() {
    std::vector<std::wstring> roles;
    for (const auto& s : Inserted()) roles.push_back(Role(s));
    return roles;
  }
  size_t CountRole(const std::wstring& role) {
    auto roles = Roles();
    return static_cast<size_t>(std::count(roles.begin(), roles.end(), role));
  }

  std::shared_ptr<graph::frmGraph> form;
};

}  // namespace plx::test
