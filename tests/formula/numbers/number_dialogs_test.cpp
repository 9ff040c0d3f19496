// The number dialogs against a model document: what each inserts, the
// messages that keep the dialog open with its inputs, and the commands that
// open them.
#include <gtest/gtest.h>

#include "addin/services.hpp"
#include "connect/commands/command_table.hpp"
#include "formula/formula_commands.hpp"
#include "formula/numbers/frm_fenjie.hpp"
#include "formula/numbers/frm_fenshu.hpp"
#include "formula/numbers/frm_genshi.hpp"
#include "formula/numbers/frm_pailie.hpp"
#include "support/addin_fixtures.hpp"

namespace plx {
namespace {

class NumberDialogs : public test::DocumentAddinTest {
 protected:
  template <class F>
  std::shared_ptr<F> Open() {
    auto f = std::make_shared<F>(*ctx);
    f->Show();
    return f;
  }
  // Answers the message boxes the next steps show.
  void ExpectBoxes(int n) {
    for (int i = 0; i < n; ++i) ui.Queue(Answer::OK);
  }
  std::vector<std::wstring> Messages() {
    std::vector<std::wstring> texts;
    for (const auto& b : ui.Boxes()) texts.push_back(b.text);
    return texts;
  }
  // The characters of the document that are raised.
  std::wstring Raised() {
    std::wstring raised;
    auto chars = doc->Content()->Characters();
    for (int i = 1; i <= chars->Count(); ++i)
      if (chars->Item(i)->Font().Superscript.value_or(false)) raised += chars->Item(i)->Text();
    return raised;
  }
};

TEST_F(NumberDialogs, FractionModesReduceAndInsert) {
  auto f = Open<frmFenShu>();
  f->SetValue(L"txtFZ", L"12");
  f->SetValue(L"txtFM", L"18");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  EXPECT_EQ(f->ValueText(L"txtFZ_result_FZFM"), L"2");
  EXPECT_EQ(f->ValueText(L"txtFM_result_FZFM"), L"3");
  f->Click(L"Exp");
  f->SetValue(L"txtExp", L"-30/ 45");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  f->Click(L"XiaoShu");
  f->SetValue(L"txtXiaoShu", L"0.1(6)");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  f->Click(L"Insert");
  f->SetValue(L"txtFZ_Insert", L"6");
  f->SetValue(L"txtFM_Insert", L"8");
  f->Click(L"cmdInsert");  // as entered, not reduced
  EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"EQ \\F(2,3)", L"EQ \\F(-2,3)", L"EQ \\F(1,6)", L"EQ \\F(6,8)"}));
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_TRUE(f->Loaded());
}

TEST_F(NumberDialogs, FractionInputErrorsKeepTheDialog) {
  ExpectBoxes(3);
  auto f = Open<frmFenShu>();
  f->SetValue(L"txtFZ", L"1.5");
  f->SetValue(L"txtFM", L"2");
  f->Click(L"cmdJS");
  f->SetValue(L"txtFZ", L"1");
  f->SetValue(L"txtFM", L"0");
  f->Click(L"cmdJS");
  f->Click(L"Exp");
  f->SetValue(L"txtExp", L"12");
  f->Click(L"cmdJS");
  f->Click(L"XiaoShu");
  f->SetValue(L"txtXiaoShu", L"0.25");
  f->Click(L"cmdJS");
  EXPECT_EQ(Messages(), (std::vector<std::wstring>{L"数据输入有误，请检查后重新输入",
                                                   L"您所输入的数据范围有误，请检查后重新输入！",
                                                   L"数据输入有误，请检查后重新输入"}));
  EXPECT_EQ(f->ValueText(L"txtFZ_result_XiaoShu") + L"/" + f->ValueText(L"txtFM_result_XiaoShu"), L"1/4");
  EXPECT_EQ(f->ValueText(L"txtFM"), L"0");
  EXPECT_TRUE(Codes().empty());
  EXPECT_TRUE(f->Loaded());
}

TEST_F(NumberDialogs, WholeResultsAreInsertedAsWholeNumbersAndTheModesAreOptionButtons) {
  auto f = Open<frmFenShu>();
  EXPECT_EQ(f->Mode(), L"fzfm");
  f->SetValue(L"txtFZ", L"12");
  f->SetValue(L"txtFM", L"4");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  f->SetValue(L"txtFZ", L"0");
  f->SetValue(L"txtFM", L"５");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  f->Click(L"XiaoShu");
  EXPECT_EQ(f->GetControl(L"XiaoShu").value, 0);
  EXPECT_EQ(f->GetControl(L"FZFM").value, -1) << "one frame: choosing one clears the others";
  EXPECT_EQ(f->Mode(), L"xiaoshu");
  f->SetValue(L"txtXiaoShu", L"\u22120.(9)");
  f->Click(L"cmdInsert");
  ClickAtEnd();
  f->SetValue(L"Exp", L"0");
  EXPECT_EQ(f->GetControl(L"XiaoShu").value, -1);
  f->SetValue(L"txtExp", L"6/3");
  f->Click(L"cmdInsert");
  EXPECT_TRUE(Codes().empty()) << "no stacked 3/1";
  EXPECT_EQ(Text(), L"30-12\r");
  EXPECT_EQ(f->ValueText(L"txtFM_result_Exp"), L"1");

  // A radical index typed with a Chinese input method is the index 2.
  auto r = Open<frmGenShi>();
  r->SetValue(L"txtZS", L"２");
  r->SetValue(L"txtKFS", L"５");
  ClickAtEnd();
  r->Click(L"cmdOK");
  EXPECT_EQ(Codes().back(), L"EQ \\R(,5)");
}

TEST_F(NumberDialogs, ReadyMadeButtonsGoThroughTheFormulaCommand) {
  auto f = Open<frmFenShu>();
  f->Click(L"cmdReady18");  // (@p)/2
  ClickAtEnd();
  auto r = Open<frmGenShi>();
  r->Click(L"cmdReady6");  // gh(10)
  ASSERT_EQ(Codes().size(), 2u);
  EXPECT_EQ(Codes()[0], L"EQ \\F(π,2)");
  EXPECT_EQ(Codes()[1], L"EQ \\R(,10)");
}

TEST_F(NumberDialogs, RadicalSimplifiesAndInserts) {
  auto r = Open<frmGenShi>();
  r->SetValue(L"txtKFS", L"72");
  r->Click(L"cmdHJ");
  EXPECT_EQ(r->ValueText(L"txtReal"), L"6");
  EXPECT_EQ(r->ValueText(L"txtKFS_Convert"), L"2");
  r->Click(L"cmdOK");
  ClickAtEnd();
  r->SetValue(L"txtKFS", L"49");
  r->Click(L"cmdHJ");
  EXPECT_EQ(r->ValueText(L"txtReal"), L"7");
  EXPECT_FALSE(r->GetControl(L"imgGH").visible);
  EXPECT_FALSE(r->GetControl(L"txtKFS_Convert").visible);
  r->SetValue(L"txtZS", L"3");  // a new input drops the old result
  EXPECT_TRUE(r->GetControl(L"imgGH").visible);
  r->SetValue(L"txtKFS", L"54");
  r->Click(L"cmdHJ");
  EXPECT_EQ(r->ValueText(L"txtReal") + L"," + r->ValueText(L"txtKFS_Convert"), L"3,2");
  r->Click(L"cmdOK");
  ClickAtEnd();
  r->SetValue(L"txtKFS", L"x+1");  // entry needs no whole number
  r->Click(L"cmdOK");
  EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"EQ 6\\R(,2)", L"EQ 3\\R(\\S\\DO(3),2)", L"EQ \\R(\\S\\DO(3),x+1)"}));
  ExpectBoxes(2);
  r->SetValue(L"txtKFS", L"-8");
  r->Click(L"cmdHJ");
  r->SetValue(L"txtKFS", L"2.5");
  r->Click(L"cmdHJ");
  EXPECT_EQ(Messages(), (std::vector<std::wstring>{L"您输入的数据范围有误，请确认该整数不在0~2147483647之间！",
                                                   L"根指数或被开方数不是整数！"}));
}

TEST_F(NumberDialogs, CombinationTypesLetterIndicesAndValue) {
  auto p = Open<frmPaiLie>();
  p->SetValue(L"optAC", L"1");
  EXPECT_EQ(p->GetControl(L"Label1").caption, L"C");
  p->SetValue(L"txtN", L"5");
  p->SetValue(L"txtM", L"2");
  p->Click(L"cmdOK");
  EXPECT_EQ(Codes(), (std::vector<std::wstring>{L"eq \\o\\al(\\s\\up 5(2),\\s\\do 3(5))"}));
  const std::wstring text = Text();
  EXPECT_EQ(text.substr(0, 1), L"C");
  EXPECT_EQ(text.substr(text.size() - 4), L"=10\r");
  // A value past 64 bits is refused, never wrapped round; m > n too.
  ExpectBoxes(2);
  p->SetValue(L"txtN", L"68");
  p->SetValue(L"txtM", L"34");
  p->Click(L"cmdOK");
  p->SetValue(L"txtM", L"70");
  p->Click(L"cmdOK");
  ASSERT_EQ(ui.Boxes().size(), 2u);
  EXPECT_NE(ui.Boxes()[0].text.find(L"超出"), std::wstring::npos);
  EXPECT_EQ(ui.Boxes()[1].text, L"数据输入有误，请检查！");
  EXPECT_EQ(ui.Boxes()[1].title, L"数据错误");
  EXPECT_EQ(Codes().size(), 1u);
}

TEST_F(NumberDialogs, LabelClickAppendsThePaths) {
  auto p = Open<frmPaiLie>();
  p->Click(L"Label1");
  const std::wstring text = Text();
  EXPECT_NE(text.find(L"1、myword.path=" + host->Path() + L"\r"), std::wstring::npos);
  EXPECT_NE(text.find(L"2、 thisaddinpath=" + GetAppPath(*ctx)), std::wstring::npos);
  EXPECT_NE(text.find(L"3、 app.path=" + ctx->ModuleFolder()), std::wstring::npos);
}

TEST_F(NumberDialogs, FactorisationShowsAndTypesRaisedExponents) {
  auto f = Open<frmFenJie>();
  f->SetValue(L"Text1", L"360");
  f->Click(L"cmdOK");
  EXPECT_EQ(f->GetControl(L"Label1").caption, L"运算结果：360= 2^3·3^2·5");
  f->Click(L"cmdInsert");
  EXPECT_EQ(Text(), L"360= 23·32·5\r");
  EXPECT_EQ(Raised(), L"32");
  f->SetValue(L"Text1", L"97");
  f->Click(L"cmdOK");
  EXPECT_EQ(f->GetControl(L"Label1").caption, L"运算结果：97= 97");
  f->SetValue(L"Text1", L"1");
  f->Click(L"cmdOK");
  EXPECT_EQ(f->GetControl(L"Label1").caption, L"运算结果：1=1");
  ExpectBoxes(6);
  for (const wchar_t* bad : {L"", L"2147483648", L"0", L"-3", L"2.5", L"abc"}) {
    f->SetValue(L"Text1", bad);
    f->Click(L"cmdOK");
  }
  EXPECT_EQ(Messages(), (std::vector<std::wstring>{
                            L"请输入您想要分解的整数！", L"您输入的数据过大，请确认该整数不大于 2147483647 ",
                            L"您输入的数据过小，请确认该整数大于 0 ", L"您输入的数据过小，请确认该整数大于 0 ",
                            L"您输入的不是整数！请检查后重新输入！", L"您输入的不是整数！请检查后重新输入！"}));
  EXPECT_EQ(f->GetControl(L"Label1").caption, L"运算结果：1=1");
}

TEST_F(NumberDialogs, CommandsOpenTheDialogs) {
  GS_FenShu(*ctx);
  GS(*ctx);
  for (const CommandEntry& e : CommandTable())
    if (e.id == L"rxBtnGS_plzh") e.action.run(*ctx);
  for (const auto& [key, action] : LegacyOnlyKeys())
    if (key == L"分解质因数") action.run(*ctx);
  EXPECT_TRUE(ctx->FindForm<frmFenShu>());
  EXPECT_TRUE(ctx->FindForm<frmGenShi>());
  EXPECT_TRUE(ctx->FindForm<frmPaiLie>());
  EXPECT_TRUE(ctx->FindForm<frmFenJie>());
}

}  // namespace
}  // namespace plx
