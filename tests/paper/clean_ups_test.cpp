// The one-key repairs and the article formats on model documents.
#include "paper/clean_ups.hpp"

#include <fstream>

#include "connect/commands/command_table.hpp"
#include "common/text.hpp"
#include "docif/shapes.hpp"
#include "paper_fixture.hpp"

namespace plx {
namespace {

using namespace docif;

class CleanUps : public test::PaperTest {
 protected:
  std::shared_ptr<InlineShape> PictureAt(long at) {
    std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x50\0\0\0\x28", 24) + std::string(20, '\0');
    std::ofstream(dir.Path() / "p.png", std::ios::binary) << png;
    return doc->GetInlineShapes()->AddPicture(dir.WPath() + L"/p.png", *doc->GetRange(at, at));
  }
};

TEST(TypedNumbers, OneToThreeDigitsAndAPointAreAQuestionNumber) {
  EXPECT_EQ(TypedQuestionNumber(L"12．写出"), 3u);
  EXPECT_EQ(TypedQuestionNumber(L"3. 用描点法"), 2u);
  EXPECT_EQ(TypedQuestionNumber(L"1、下列"), 2u);
  EXPECT_EQ(TypedQuestionNumber(L"1234．这一行"), 0u);
  EXPECT_EQ(TypedQuestionNumber(L"（1）求"), 0u);
  EXPECT_EQ(TypedQuestionNumber(L"x1．"), 0u);
}

TEST_F(CleanUps, RenumberingTurnsTypedNumbersIntoAutomaticOnesAndBack) {
  SetText(L"1、下列\r12．写出\r1234．四位\r3. 描点");
  Select(0, doc->Content()->End());
  Press(L"rxBtnonekey_chongxinbianhao");
  EXPECT_EQ(Text(), L"下列\r写出\r1234．四位\r描点\r");
  EXPECT_EQ(Paragraph(1)->ListString(), L"1．");
  EXPECT_EQ(Paragraph(2)->ListString(), L"2．");
  EXPECT_EQ(Paragraph(3)->ListType(), kListNoNumbering);
  EXPECT_EQ(Paragraph(4)->ListString(), L"3．");
  Select(0, doc->Content()->End());
  Press(L"rxBtnonekey_qiehuanbianhao");
  EXPECT_EQ(Text(), L"1．\t下列\r2．\t写出\r1234．四位\r3．\t描点\r");
  EXPECT_EQ(Paragraph(4)->ListType(), kListNoNumbering);
  Select(0, doc->Content()->End());
  Press(L"rxBtnonekey_qiehuanbianhao");
  EXPECT_EQ(Paragraph(4)->ListString(), L"3．") << "typed numbers become automatic again";
  EXPECT_EQ(Paragraph(4)->Text(), L"描点\r");
}

TEST_F(CleanUps, TheAnswerPartIsNumberedOnItsOwn) {
  SetText(L"1．甲\r2．乙\r3．丙\r参考答案\r1．A\r2．B\r3．C\r");
  Select(0, doc->Content()->End());
  Press(L"rxBtnonekey_chongxinbianhao");
  EXPECT_EQ(Text(), L"甲\r乙\r丙\r参考答案\rA\rB\rC\r\r");
  for (int i : {1, 5}) EXPECT_EQ(Paragraph(i)->ListString(), L"1．") << i;
  for (int i : {3, 7}) EXPECT_EQ(Paragraph(i)->ListString(), L"3．") << i;

  // Answers grouped on lines keep the numbers of their questions; renumbering
  // only the answer part of a numbered paper starts it at 1 too.
  SetText(L"1．甲\r2．乙\r3．丙\r答案：\r1．C　2．B\r3．A\r");
  Select(0, 12);
  Press(L"rxBtnonekey_chongxinbianhao");
  Select(static_cast<long>(Text().find(L"1．C")), doc->Content()->End());
  Press(L"rxBtnonekey_chongxinbianhao");
  EXPECT_EQ(Text(), L"甲\r乙\r丙\r答案：\rC　2．B\r3．A\r\r");
  EXPECT_EQ(Paragraph(5)->ListString(), L"1．");
  EXPECT_EQ(Paragraph(6)->ListType(), kListNoNumbering);

  for (const wchar_t* heading : {L"参考答案\r", L"答案：\r", L"　参考答案与解析\r", L"2026年高一数学期中考试参考答案\r"})
    EXPECT_TRUE(IsAnswerHeading(heading)) << WideToUtf8(heading);
  for (const wchar_t* line : {L"【答案】C\r", L"答案：C\r", L"3．写出答案\r"})
    EXPECT_FALSE(IsAnswerHeading(line)) << WideToUtf8(line);
}

TEST_F(CleanUps, BordersFollowTheScopeRule) {
  SetText(L"图一：\r图二：");
  auto first = PictureAt(3), second = PictureAt(8);
  Press(L"rxBtnonekey_jiabiankuang");  // insertion point: the whole document
  EXPECT_TRUE(first->BordersEnabled());
  EXPECT_TRUE(second->BordersEnabled());
  Select(4, 9);
  Press(L"rxBtnonekey_qubiankuang");
  EXPECT_TRUE(first->BordersEnabled()) << "outside the selection";
  EXPECT_FALSE(second->BordersEnabled());

  doc->GetTables()->Add(*doc->GetRange(0, 0), 2, 2);
  doc->GetRange(0, 0)->Select();
  Press(L"rxBtnonekey_qubiaoge");
  EXPECT_FALSE(doc->GetTables()->Item(1)->BordersEnabled());
  Press(L"rxBtnonekey_duiqi");
  EXPECT_EQ(doc->Content()->GetParagraphFormat().BaseLineAlignment, kBaselineCenter);
}

TEST_F(CleanUps, HatchingLineSpacingAndHiddenText) {
  auto box = doc->GetShapes()->AddShape(kAutoShapeRectangle, 10, 10, 50, 50);
  box->Select();
  Press(L"rxBtnonekey_jiayinying");
  EXPECT_EQ(box->Fill().Pattern, 21);
  EXPECT_EQ(box->Fill().ForeColor, 0u);
  EXPECT_EQ(box->Fill().Visible, true);
  Press(L"rxBtnonekey_quyinying");
  EXPECT_EQ(box->Fill().Visible, false);

  SetText(L"甲\r乙");
  Paragraph(2)->SetParagraphFormat({.LineSpacingRule = kSpaceExactly, .LineSpacing = 20});
  Select(0, 3);
  Press(L"rxBtnonekey_zengdahangju");
  EXPECT_EQ(Paragraph(1)->GetParagraphFormat().LineSpacing, 13);
  EXPECT_EQ(Paragraph(1)->GetParagraphFormat().LineSpacingRule, kSpaceMultiple);
  EXPECT_EQ(Paragraph(2)->GetParagraphFormat().LineSpacing, 21);
  EXPECT_EQ(Paragraph(2)->GetParagraphFormat().LineSpacingRule, kSpaceExactly);
  Press(L"rxBtnonekey_jianxiaohangju");
  Press(L"rxBtnonekey_jianxiaohangju");
  EXPECT_EQ(Paragraph(1)->GetParagraphFormat().LineSpacing, 11);

  Select(0, 1);
  Press(L"rxBtnqt_showhidetxt");
  EXPECT_EQ(doc->GetRange(0, 1)->Font().Hidden, true);
  doc->GetRange(3, 3)->Select();
  Press(L"rxBtnqt_showhidetxt");  // insertion point: every hidden text is shown
  EXPECT_EQ(doc->GetRange(0, 1)->Font().Hidden, false);
  EXPECT_EQ(Reopened()->Content()->Font().Hidden, false);
}

TEST_F(CleanUps, ArticleStylesAreMadeOnceAndLabelsSetInHeiTi) {
  auto key = [&](const wchar_t* k) { FindLegacyAction(k)->run(*ctx); };
  SetText(L"论函数\r张三（某某中学）\r摘要：本文\r正文");
  auto styles = doc->GetStyles();
  const int before = styles->Count();
  key(L"样式检查");
  key(L"样式检查");
  EXPECT_EQ(styles->Count(), before + 6);
  auto author = styles->Item(L"作者_Plendrix");
  EXPECT_EQ(author->Font().Size, 10.5);
  EXPECT_EQ(author->Font().NameAscii, L"Times New Roman");
  EXPECT_EQ(author->GetParagraphFormat().OutlineLevel, 3);
  EXPECT_EQ(author->GetParagraphFormat().LineSpacingRule, kSpace1pt5);
  EXPECT_FALSE(author->AutomaticallyUpdate());
  EXPECT_EQ(styles->Item(L"正标题_Plendrix")->Font().NameFarEast, L"黑体");

  Paragraph(2)->Collapse(kCollapseStart);
  Paragraph(2)->Select();
  key(L"作者信息");
  EXPECT_EQ(Paragraph(2)->Style(), L"作者_Plendrix");
  EXPECT_EQ(doc->GetRange(4, 6)->Font().NameFarEast, L"宋体") << "the name";
  EXPECT_NE(doc->GetRange(7, 8)->Font().NameFarEast, L"宋体") << "the unit keeps the style's KaiTi";

  doc->GetRange(15, 15)->Select();
  key(L"摘要");
  EXPECT_EQ(Paragraph(3)->Style(), L"摘要_Plendrix");
  EXPECT_EQ(doc->GetRange(13, 15)->Font().NameFarEast, L"黑体");
  EXPECT_NE(doc->GetRange(16, 17)->Font().NameFarEast, L"黑体");

  ui.Queue(Answer::OK);
  key(L"关键词");
  EXPECT_EQ(ui.Boxes().back().text, L"当前所选文本或段落中末找到：“关键词”");
  EXPECT_EQ(Paragraph(3)->Text(), L"摘要：本文\r");

  // A continuous section break ends the paragraph and stays one after saving.
  doc->GetRange(2, 2)->Select();
  key(L"连续分节符");
  EXPECT_EQ(Paragraph(1)->Text(), L"论函\r");
  auto sectionOf = [](const std::shared_ptr<Document>& d, int paragraph) {
    auto& data = *std::static_pointer_cast<model::ModelDocument>(d)->Data();
    long mark = d->Paragraphs()->Item(paragraph)->End() - 1;
    return data.paraFormats[data.main->Cell(mark).paragraph].sectionBreak;
  };
  EXPECT_EQ(sectionOf(doc, 1), kSectionBreakContinuous);
  auto again = Reopened();
  EXPECT_EQ(sectionOf(again, 1), kSectionBreakContinuous);
  EXPECT_EQ(sectionOf(again, 2), 0);
  EXPECT_EQ(again->Paragraphs()->Item(2)->Text(), L"数\r");
}

}  // namespace
}  // namespace plx
