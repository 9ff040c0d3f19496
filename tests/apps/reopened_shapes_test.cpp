// Scripts on a document that was saved and opened again: its shapes can be
// selected by name and the add-in's commands work with them as with shapes
// it has just drawn.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <functional>
#include <set>
#include <sstream>

#include "common/text.hpp"
#include "docif/model/model_document.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/shape_geometry.hpp"
#include "script.hpp"
#include "session.hpp"
#include "support/test_addin.hpp"

namespace plx::cli {
namespace {

// One run of the host on a document: opens it (or a new one), runs the
// script, saves to `out`.
void RunOn(const test::TestInstall& install, const std::wstring& doc, const std::string& script,
           const std::wstring& out, const std::function<void(Session&)>& check = {}) {
  std::FILE* console = std::tmpfile();
  {
    SessionOptions o;
    o.install = install.WPath();
    o.document = doc;
    Session session(o, console);
    session.Start();
    ScriptRunner runner(session);
    std::istringstream in(script);
    runner.Run(in);
    if (check) check(session);
    session.Save(out);
  }
  std::fclose(console);
}

std::shared_ptr<docif::model::DocData> Data(Session& s) {
  return std::static_pointer_cast<docif::model::ModelDocument>(s.Host().ActiveDocument())->Data();
}

TEST(ReopenedShapes, SelectedByNameTheyPlaceTheNextFlowchartElement) {
  test::TestInstall install;
  test::TempDir dir;
  const std::wstring first = Utf8ToWide((dir.Path() / "框图.docx").string());
  const std::wstring second = Utf8ToWide((dir.Path() / "框图2.docx").string());
  RunOn(install, L"", "type 程序框图\\r\npress rxBtncxkt_start\npress rxBtncxkt_run\n", first);

  // Reopened: the process box, selected by its name, places the decision
  // box below itself, joined by an arrow; the new shapes take names none of
  // the old ones has.
  RunOn(install, first, "select shape AutoShape 3\npress rxBtncxkt_if\n", second, [](Session& s) {
    auto data = Data(s);
    ASSERT_EQ(data->shapes.size(), 5u);  // start, arrow, process, arrow, decision
    auto process = data->shapes[2], decision = data->shapes[4];
    EXPECT_EQ(process->name, L"AutoShape 3");
    EXPECT_EQ(decision->autoShape, docif::kAutoShapeFlowchartDecision);
    EXPECT_NEAR(decision->top, process->top + process->height + 24, 0.1);
    EXPECT_NEAR(decision->left + decision->width / 2, process->left + process->width / 2, 0.1);
    std::set<std::wstring> names;
    for (const auto& shape : docif::model::AllShapes(*data)) EXPECT_TRUE(names.insert(shape->name).second);
  });

  // Reopened again: the shapes are selected by name, moved and grouped, and
  // the group is there after the next save.
  const std::wstring third = Utf8ToWide((dir.Path() / "框图3.docx").string());
  double movedTo = 0;
  RunOn(install, second, "select shape AutoShape 1\n", third, [&](Session& s) {
    auto range = s.Host().GetSelection()->GetShapeRange();
    ASSERT_EQ(range->Count(), 1);
    range->IncrementLeft(20);
    movedTo = range->Left();
    s.Host().ActiveDocument()->GetShapes()->Range({L"AutoShape 1", L"Line 2", L"AutoShape 3"})
        ->Group()
        ->SetName(L"框图");
  });
  RunOn(install, third, "select shape 框图\n", third, [&](Session& s) {
    auto data = Data(s);
    ASSERT_EQ(data->shapes.size(), 3u);  // the group, the second arrow and the decision box
    auto group = std::find_if(data->shapes.begin(), data->shapes.end(), [](const auto& d) { return d->name == L"框图"; });
    ASSERT_NE(group, data->shapes.end());
    ASSERT_EQ((*group)->children.size(), 3u);
    EXPECT_NEAR(docif::model::Bounds(*(*group)->children[0]).left, movedTo, 0.1);
    EXPECT_EQ(s.Host().GetSelection()->GetShapeRange()->Name(), L"框图");
  });
}

}  // namespace
}  // namespace plx::cli
