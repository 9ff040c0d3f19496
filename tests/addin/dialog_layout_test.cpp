// The layout engine on small dialogs of its own, and the checks every
// dialog's layout must pass: each control placed once, nothing overlapping
// on a page, boxes inside their frames, frames inside the dialog, the
// dialog on a 1280 x 800 screen, captions as wide as their text.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include "addin/control_makers.hpp"
#include "addin/dialog_geometry.hpp"
#include "bank/bank_fixture.hpp"
#include "bank/frm_tiku_view.hpp"
#include "bank/frm_tree.hpp"
#include "bank/tk_store.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "connect/form_registry.hpp"
#include "support/test_addin.hpp"

namespace plx {
namespace {

using namespace layout;

// A dialog whose layout the test gives.
class SketchForm : public Form {
 public:
  SketchForm(AddinContext& ctx, DialogLayout layout) : Form(ctx, L"frmSketch"), layout_(std::move(layout)) {
    AddControl(Box(L"txtShort", L"宽", L"1"));
    AddControl(Box(L"txtLong", L"很长的标题", L"2"));
    AddControl(Options(L"optKind", L"类型", {L"甲", L"乙乙", L"丙"}));
    AddControl(Check(L"chkA", L"ABCD", 0));
    Control note = Box(L"labNote", L"一二三四五六七八九十", L"");
    note.kind = ControlKind::Label;
    AddControl(note);
    AddControl(Button(L"cmdOk", L"确定", {}));
  }
  DialogLayout Layout() const override { return layout_; }

 private:
  DialogLayout layout_;
};

class DialogLayoutTest : public test::AddinTest {
 protected:
  DialogGeometry Sketch(LayoutNode root) {
    auto form = std::make_shared<SketchForm>(*ctx, DialogLayout{L"草图", Column({std::move(root)})});
    return LayOut(*form);
  }
  static const PlacedControl& Placed(const DialogGeometry& g, const std::wstring& name) {
    for (const auto& c : g.controls)
      if (c.name == name) return c;
    throw std::runtime_error("not placed");
  }
};

TEST_F(DialogLayoutTest, SizesCaptionsAndLinesUpTheBoxesOfAColumn) {
  EXPECT_EQ(TextWidth(L"ab"), 8);
  EXPECT_EQ(TextWidth(L"汉字"), 16) << "a Chinese character is twice as wide as a Latin one";
  EXPECT_EQ(TextWidth(L"（，）"), 24) << "full-width punctuation is wide too";
  const DialogGeometry g = Sketch(Column({Field(L"txtShort"), Field(L"txtLong"), Field(L"chkA"), Field(L"cmdOk")}));
  const PlacedControl& shortBox = Placed(g, L"txtShort");
  const PlacedControl& longBox = Placed(g, L"txtLong");
  ASSERT_TRUE(shortBox.hasLabel && longBox.hasLabel);
  EXPECT_EQ(shortBox.box.x, longBox.box.x) << "the boxes of a column line up after the widest label";
  EXPECT_GE(longBox.box.x, longBox.label.Right());
  EXPECT_EQ(shortBox.label.width, 8);
  EXPECT_LT(shortBox.box.Bottom(), longBox.box.y) << "one below the other";
  EXPECT_GE(Placed(g, L"chkA").box.width, 16 + 8) << "the mark and the caption";
  EXPECT_GE(Placed(g, L"cmdOk").box.width, 40) << "buttons are never narrower than the usual 40 units";
  // Tab order is the order of the description.
  std::vector<std::wstring> order;
  for (const auto& c : g.controls) order.push_back(c.name);
  EXPECT_EQ(order, (std::vector<std::wstring>{L"txtShort", L"txtLong", L"chkA", L"cmdOk"}));
}

TEST_F(DialogLayoutTest, AnOptionGroupLaysOutItsOwnOptionsInsideItsCaptionedBox) {
  const DialogGeometry g = Sketch(Row({Field(L"optKind").Columns(2), Field(L"labNote").Width(40)}));
  const PlacedControl& kind = Placed(g, L"optKind");
  ASSERT_EQ(kind.options.size(), 3u);
  EXPECT_EQ(kind.options[0].y, kind.options[1].y) << "two columns: the first two side by side";
  EXPECT_GT(kind.options[2].y, kind.options[0].y);
  EXPECT_GT(kind.options[1].x, kind.options[0].Right());
  for (const auto& o : kind.options) EXPECT_TRUE(kind.box.Contains(o));
  EXPECT_GT(kind.options[0].y, kind.box.y) << "below the group's caption";
  const PlacedControl& note = Placed(g, L"labNote");
  EXPECT_EQ(note.box.width, 40);
  EXPECT_EQ(note.box.height, 16) << "ten Chinese characters wrap to two lines at 40 units";
  EXPECT_FALSE(note.box.Overlaps(kind.box));
}

TEST_F(DialogLayoutTest, AGridGivesEveryCellTheWidestCellsWidth) {
  const DialogGeometry g = Sketch(Grid({L"chkA", L"cmdOk", L"labNote"}, 2));
  const PlacedControl& check = Placed(g, L"chkA");
  const PlacedControl& button = Placed(g, L"cmdOk");
  const PlacedControl& note = Placed(g, L"labNote");
  EXPECT_EQ(check.box.width, note.box.width) << "the label's ten characters are the widest";
  EXPECT_EQ(button.box.width, note.box.width);
  EXPECT_EQ(check.box.y, button.box.y);
  EXPECT_EQ(note.box.x, check.box.x) << "the third cell starts the second row";
  EXPECT_GT(note.box.y, check.box.Bottom());
}

TEST_F(DialogLayoutTest, TabsWrapTheirStripAndShareOnePageArea) {
  std::vector<LayoutNode> pages;
  for (int i = 0; i < 12; ++i) pages.push_back(Page(L"第" + std::to_wstring(i) + L"页页页", {}));
  pages[0].children = {Field(L"txtShort")};
  pages[1].children = {Frame(L"框", {Field(L"txtLong"), Field(L"chkA")})};
  const DialogGeometry g = Sketch(Column({Tabs(L"", pages), Field(L"cmdOk")}));
  ASSERT_EQ(g.pages.size(), 12u);
  EXPECT_EQ(g.pages[1], L"第1页页页");
  const PlacedControl& first = Placed(g, L"txtShort");
  const PlacedControl& second = Placed(g, L"txtLong");
  EXPECT_EQ(first.page, 0);
  EXPECT_EQ(second.page, 1);
  ASSERT_EQ(g.frames.size(), 1u);
  EXPECT_EQ(second.frame, 0);
  EXPECT_EQ(g.frames[0].page, 1);
  EXPECT_TRUE(g.frames[0].box.Contains(second.box));
  EXPECT_GE(first.box.y - 6 - g.tabs.y, 2 * 14) << "twelve tabs take more than one row of the strip";
  EXPECT_LT(g.tabs.Bottom(), Placed(g, L"cmdOk").box.y + 1);
  EXPECT_EQ(Placed(g, L"cmdOk").page, -1);
}

TEST_F(DialogLayoutTest, ADescriptionNamingAControlTheDialogLacksOrTwoTabControlsIsRefused) {
  const auto refused = [this](LayoutNode root, const std::wstring& says) {
    try {
      Sketch(std::move(root));
      ADD_FAILURE() << "laid out";
    } catch (const VbError& e) {
      EXPECT_EQ(e.number(), 5);
      EXPECT_NE(e.description().find(says), std::wstring::npos) << WideToUtf8(e.description());
    }
  };
  refused(Field(L"txtNone"), L"txtNone");
  refused(Column({Tabs(L"", {Page(L"甲", {Field(L"txtShort")})}), Tabs(L"", {Page(L"乙", {Field(L"txtLong")})})}),
          L"不止一组选项卡");
}

// ---- Every dialog ----

std::vector<std::shared_ptr<Form>> AllDialogs(AddinContext& ctx) {
  std::vector<std::shared_ptr<Form>> forms;
  for (const auto& name : FormNames()) forms.push_back(CreateForm(ctx, name));
  forms.push_back(std::make_shared<bank::frmTree>(ctx, L"DanTi_Point", std::weak_ptr<bank::TreePickTarget>()));
  forms.push_back(std::make_shared<bank::frmTree>(ctx, L"DanTi_Chapter", std::weak_ptr<bank::TreePickTarget>()));
  return forms;
}

// Whether two placed things share the screen: the same page (or one outside
// the pages) and the same scrolled group.
bool SameSurface(int pageA, int scrollA, int pageB, int scrollB) {
  return (pageA < 0 || pageB < 0 || pageA == pageB) && scrollA == scrollB;
}

TEST_F(DialogLayoutTest, TheSettingsTabStripOffersTheTenPages) {
  auto form = CreateForm(*ctx, L"frmConfig");
  const DialogGeometry g = LayOut(*form);
  EXPECT_EQ(g.pages, form->GetControl(L"SSTab1").items);
  const PlacedControl& strip = g.controls.front();
  EXPECT_EQ(strip.name, L"SSTab1");
  EXPECT_EQ(strip.options.size(), 10u);
}

// The checks every dialog's layout passes, as the dialog is now.
void ExpectSoundLayout(Form& form) {
  SCOPED_TRACE(WideToUtf8(form.Name()));
  DialogGeometry g;
  try {
    g = LayOut(form);
  } catch (const VbError& e) {
    ADD_FAILURE() << WideToUtf8(e.description());
    return;
  }
  EXPECT_FALSE(g.title.empty());
  // Each control once, no other.
  std::map<std::wstring, int> seen;
  for (const auto& p : g.controls) ++seen[p.name];
  for (const auto& c : form.Controls()) EXPECT_EQ(seen[c.name], 1) << WideToUtf8(c.name);
  EXPECT_EQ(seen.size(), form.Controls().size());
  // On the screen.
  EXPECT_LE(g.width * kPixelsPerUnitX, kScreenWidthPx) << g.width;
  EXPECT_LE(g.height * kPixelsPerUnitY, kScreenHeightPx) << g.height;
  const LayoutBox dialog{0, 0, g.width, g.height};
  for (const auto& f : g.frames) {
    EXPECT_TRUE(dialog.Contains(f.box)) << WideToUtf8(f.caption);
    EXPECT_GE(f.box.width, TextWidth(f.caption) + 12) << WideToUtf8(f.caption);
    if (f.parent >= 0) {
      EXPECT_TRUE(g.frames[static_cast<size_t>(f.parent)].box.Contains(f.box));
    }
  }
  // Every box inside its frame (a scrolled group's content runs below its
  // box, as far as its extent) and inside the dialog.
  std::vector<std::pair<const PlacedControl*, LayoutBox>> boxes;
  for (const auto& p : g.controls) {
    std::vector<LayoutBox> own = {p.box};
    if (p.hasLabel) own.push_back(p.label);
    for (const auto& b : own) {
      if (p.frame >= 0) {
        const PlacedFrame& f = g.frames[static_cast<size_t>(p.frame)];
        LayoutBox room = f.box;
        if (f.scrolls) room.height = f.extent;
        EXPECT_TRUE(room.Contains(b)) << WideToUtf8(p.name);
      }
      if (p.scroll < 0) {
        EXPECT_TRUE(dialog.Contains(b)) << WideToUtf8(p.name);
      }
      boxes.emplace_back(&p, b);
    }
    for (const auto& o : p.options) EXPECT_TRUE(p.box.Contains(o)) << WideToUtf8(p.name);
  }
  // Nothing overlaps on one page: controls, labels, previews.
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t k = i + 1; k < boxes.size(); ++k) {
      const PlacedControl& a = *boxes[i].first;
      const PlacedControl& b = *boxes[k].first;
      if (&a == &b || !SameSurface(a.page, a.scroll, b.page, b.scroll)) continue;
      EXPECT_FALSE(boxes[i].second.Overlaps(boxes[k].second)) << WideToUtf8(a.name + L" / " + b.name);
    }
  for (const auto& area : g.areas) {
    EXPECT_TRUE(dialog.Contains(area.box)) << WideToUtf8(area.name);
    for (const auto& [p, b] : boxes)
      if (SameSurface(area.page, -1, p->page, p->scroll)) {
        EXPECT_FALSE(area.box.Overlaps(b)) << WideToUtf8(area.name + L" / " + p->name);
      }
  }
  // Captions fit.
  for (const auto& p : g.controls) {
    const Control& c = form.GetControl(p.name);
    const std::wstring shown = ShownText(c);
    if (p.hasLabel) {
      EXPECT_GE(p.label.width * (p.label.height / 8), TextWidth(c.caption)) << WideToUtf8(p.name);
    }
    if (c.kind == ControlKind::CheckBox) {
      EXPECT_GE(p.box.width, TextWidth(shown) + 10) << WideToUtf8(p.name);
    }
    if (c.kind == ControlKind::Button) {
      EXPECT_GE(p.box.width, TextWidth(shown) + 8) << WideToUtf8(p.name);
    }
    if (c.kind == ControlKind::Label && p.options.empty()) {
      EXPECT_GE(p.box.height, WrappedLines(shown, p.box.width) * 8) << WideToUtf8(p.name);
    }
    if (c.kind == ControlKind::OptionGroup && p.options.size() == c.items.size()) {
      for (size_t i = 0; i < c.items.size(); ++i)
        EXPECT_GE(p.options[i].width, TextWidth(c.items[i]) + 10) << WideToUtf8(p.name + L" " + c.items[i]);
    }
  }
}

TEST_F(DialogLayoutTest, EveryDialogHasALayoutThatPassesTheChecks) {
  const auto forms = AllDialogs(*ctx);
  EXPECT_GE(forms.size(), 33u);
  for (const auto& form : forms) ExpectSoundLayout(*form);
}

// Opening fills lists and captions; the layouts still hold.
TEST_F(DialogLayoutTest, EveryDialogsLayoutHoldsOnceItIsOpen) {
  auto host = MakeHost();
  ctx->App = host;
  host->GetDocuments()->Add();
  ui.OnUnexpected([](const ShownBox&) {});
  for (const auto& form : AllDialogs(*ctx)) {
    form->Show();
    ExpectSoundLayout(*form);
    form->Dismiss();
  }
}

// The bank dialogs add a row of controls per question shown: the rows stand
// in their scrolled group, each once.
class BankDialogLayoutTest : public test::BankDialogTest {};

TEST_F(BankDialogLayoutTest, TheQuestionsShownAreLaidOutInTheirScrolledGroup) {
  for (int i = 0; i < 12; ++i) {
    bank::QuestionRow q;
    q.type = L"单选题";
    q.degree = L"中等";
    q.chapter = 7;
    q.points = L"函数的单调性";
    bank::AddQuestion(*ctx, q);
  }
  auto view = std::make_shared<bank::frmTiKu_View>(*ctx);
  view->Show();
  view->SetValue(L"optViewType", std::to_wstring(bank::frmTiKu_View::kAll));
  view->SetValue(L"txtMeiYeTiMuShu", L"10");
  view->Click(L"cmdCX");
  ASSERT_EQ(view->GetControl(L"chkTM10").visible, true);
  ExpectSoundLayout(*view);
  const DialogGeometry g = LayOut(*view);
  for (const auto& p : g.controls)
    if (p.name.starts_with(L"chkTM") || p.name.starts_with(L"imgTM")) {
      ASSERT_GE(p.scroll, 0) << WideToUtf8(p.name);
      EXPECT_EQ(g.frames[static_cast<size_t>(p.scroll)].caption, L"试题");
    }

  TypePaper(
      L"小测验（教师版）\r一、选择题\r1．已知集合A={1,2}，B={2,3}，则A∩B=（　　）\rA．{1}　B．{2}\r"
      L"【答案】B\r二、填空题\r2．函数y=2x+1在x=2时的值是____.\r【答案】5\r");
  auto import = MarkAndOpenImport();
  ASSERT_TRUE(import);
  ASSERT_NO_THROW(import->GetControl(L"txtZSD2"));
  ExpectSoundLayout(*import);
}

}  // namespace
}  // namespace plx
