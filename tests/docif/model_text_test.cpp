// The model's text: live ranges, find and replace, fields, lists, tables,
// page positions.
#include <gtest/gtest.h>

#include "common/error.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "support/model_doc.hpp"

namespace plx::docif {
namespace {

using test::ModelDoc;

TEST(ModelText, RangesStayLiveAcrossEdits) {
  ModelDoc m;
  m.SetText(L"一二三四五");
  auto doc = m.doc;
  auto mid = doc->GetRange(2, 4);     // 三四
  auto after = doc->GetRange(5, 5);   // collapsed at the end of the text
  doc->GetRange(0, 0)->InsertBefore(L"ab");
  EXPECT_EQ(mid->Start(), 4);
  EXPECT_EQ(mid->Text(), L"三四");
  doc->GetRange(5, 5)->SetText(L"X");  // inside the range
  EXPECT_EQ(mid->Text(), L"三X四");
  doc->GetRange(0, 3)->Delete();       // deletes "ab一", before the range
  EXPECT_EQ(mid->Start(), 1);
  EXPECT_EQ(mid->Text(), L"三X四");
  doc->GetRange(2, 5)->Delete();       // overlaps the end: the range shrinks
  EXPECT_EQ(mid->Text(), L"三");
  EXPECT_EQ(after->Start(), after->End());
  EXPECT_EQ(m.Text(), L"二三\r");
  // Text inserted at a range's end does not join it; InsertAfter widens it.
  auto r = doc->GetRange(0, 1);
  doc->GetRange(1, 1)->SetText(L"+");
  EXPECT_EQ(r->Text(), L"二");
  r->InsertAfter(L"!");
  EXPECT_EQ(r->Text(), L"二!");
  // The final paragraph mark survives deleting everything.
  doc->Content()->Delete();
  EXPECT_EQ(m.Text(), L"\r");
  // CR LF and LF become paragraph marks.
  doc->Content()->InsertBefore(L"甲\r\n乙\n丙");
  EXPECT_EQ(doc->Paragraphs()->Count(), 3);
}

TEST(ModelText, FindMovesTheRangeAndUnderstandsSpecialCodes) {
  ModelDoc m;
  m.SetText(L"1．已知A[来源:学科网]，则\r2．求值 3.5\r");
  auto r = m.doc->Content();
  auto find = r->GetFind();
  find->Text = L"\\[来源[!^13]@\\]";
  find->MatchWildcards = true;
  ASSERT_TRUE(find->Execute());
  EXPECT_EQ(r->Text(), L"[来源:学科网]");

  auto all = m.doc->Content();
  auto f2 = all->GetFind();
  f2->Text = L"^#．";
  EXPECT_TRUE(f2->Execute());
  EXPECT_EQ(all->Text(), L"1．");
  EXPECT_EQ(all->Start(), 0);

  // Nothing found: nothing changes, the range stays.
  auto none = m.doc->Content();
  auto f3 = none->GetFind();
  f3->Text = L"不存在";
  EXPECT_FALSE(f3->Execute(kReplaceAll));
  EXPECT_EQ(none->Start(), 0);
  EXPECT_EQ(m.Text(), L"1．已知A[来源:学科网]，则\r2．求值 3.5\r\r");

  auto bad = m.doc->Content()->GetFind();
  bad->Text = L"[abc";
  bad->MatchWildcards = true;
  try {
    bad->Execute();
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 5560);
  }
}

TEST(ModelText, FindFromTheSelectionWrapsAndSearchesBackwards) {
  ModelDoc m;
  m.SetText(L"甲1乙2丙3");
  m.doc->GetRange(4, 4)->Select();
  auto sel = m.app->GetSelection();
  auto f = sel->GetFind();
  f->Text = L"^#";
  ASSERT_TRUE(f->Execute());
  EXPECT_EQ(sel->Text(), L"3") << "forward from the insertion point";
  sel->Collapse(kCollapseEnd);
  EXPECT_FALSE(f->Execute()) << "nothing after the last digit without wrapping";
  f->Wrap = kFindContinue;
  ASSERT_TRUE(f->Execute());
  EXPECT_EQ(sel->Start(), 1);
  sel->Collapse(kCollapseStart);
  m.doc->GetRange(5, 5)->Select();
  f->Wrap = kFindStop;
  f->Forward = false;
  ASSERT_TRUE(f->Execute());
  EXPECT_EQ(sel->Start(), 3) << "backwards finds the nearest one before";
  // Copy keeps the text with its formatting.
  m.doc->GetRange(0, 1)->SetFont({.Bold = true});
  m.doc->GetRange(0, 2)->Copy();
  EXPECT_EQ(m.app->Shared().clipboardText, L"甲1");
  EXPECT_TRUE(m.app->Shared().clipboardFormats[0].bold);
  EXPECT_FALSE(m.app->Shared().clipboardFormats[1].bold);
}

TEST(ModelText, ReplaceAllWithGroupsParagraphMarksAndFormatting) {
  ModelDoc m;
  m.SetText(L"一、选择题\r1．甲\r12．乙 3.5\r二、填空题\r");
  auto f = m.doc->Content()->GetFind();
  f->Text = L"^13([0-9]{1,3}[．.、])";
  f->MatchWildcards = true;
  f->Replacement.Text = L"^13[pdTM]\\1";
  f->Format = true;
  f->Replacement.Font.Bold = true;
  f->Replacement.Font.Color = 0xFF0000;
  ASSERT_TRUE(f->Execute(kReplaceAll));
  EXPECT_EQ(m.Text(), L"一、选择题\r[pdTM]1．甲\r[pdTM]12．乙 3.5\r二、填空题\r\r");
  auto p2 = m.doc->Paragraphs()->Item(2);
  auto tag = m.doc->GetRange(p2->Start(), p2->Start() + 6);
  EXPECT_EQ(tag->Text(), L"[pdTM]");
  EXPECT_EQ(tag->Font().Bold, true);
  EXPECT_EQ(tag->Font().Color, 0xFF0000u);
  auto rest = m.doc->GetRange(p2->Start() + 8, p2->End() - 1);  // "甲" keeps its formatting
  EXPECT_EQ(rest->Font().Bold, false);
  EXPECT_EQ(m.doc->Paragraphs()->Count(), 5) << "the replaced marks are paragraph marks again";

  // Options separated by blanks become tab-separated.
  m.SetText(L"A．1　　B．2 C．3\tD．4");
  auto t = m.doc->Content()->GetFind();
  t->Text = L"[　 ^t]{1,}([BCD][.．、])";
  t->MatchWildcards = true;
  t->Replacement.Text = L"^t\\1";
  ASSERT_TRUE(t->Execute(kReplaceAll));
  EXPECT_EQ(m.Text(), L"A．1\tB．2\tC．3\tD．4\r");
}

TEST(ModelText, FieldsShowResultOrCodeAndTextBoxesHoldThem) {
  ModelDoc m;
  m.SetText(L"分数：");
  auto at = m.doc->GetRange(3, 3);
  auto field = m.doc->GetFields()->Add(*at, kFieldEmpty, L"EQ \\F(1,2)", false);
  EXPECT_EQ(field->Type(), kFieldFormula);
  EXPECT_EQ(field->Code()->Text(), L"EQ \\F(1,2)");
  EXPECT_EQ(m.Text(), L"分数：1/2\r");
  EXPECT_EQ(m.doc->GetFields()->Count(), 1);
  m.app->ActiveWindow()->SetShowFieldCodes(true);
  EXPECT_EQ(m.Text(), L"分数：\x13" L"EQ \\F(1,2)\x15\r");
  m.app->ActiveWindow()->SetShowFieldCodes(false);
  field->SetShowCodes(true);
  EXPECT_EQ(m.Text(), L"分数：\x13" L"EQ \\F(1,2)\x15\r");
  field->SetShowCodes(false);

  // Replacing inside the code, as formula embellishment does with codes shown.
  field->Code()->SetText(L"EQ \\F(3,4)");
  EXPECT_EQ(field->Code()->Text(), L"EQ \\F(3,4)");

  // Deleting part of a field deletes all of it.
  m.doc->GetRange(2, 5)->Delete();
  EXPECT_EQ(m.doc->GetFields()->Count(), 0);
  EXPECT_EQ(m.Text(), L"分数\r");

  auto box = m.doc->GetShapes()->AddTextbox(1, 10, 10, 60, 30);
  auto text = box->TextRange();
  text->SetText(L"x=");
  text->Collapse(kCollapseEnd);
  text->GetFields()->Add(*text, kFieldEmpty, L"EQ \\R(2)", false);
  EXPECT_EQ(box->TextRange()->Text(), L"x=√2");
  EXPECT_EQ(box->TextRange()->GetFields()->Count(), 1);
  EXPECT_EQ(m.doc->GetFields()->Count(), 0) << "the main text has no field";
}

TEST(ModelText, NumberedListContinuesAcrossParagraphs) {
  ModelDoc m;
  m.SetText(L"一、选择题\r甲\r乙\r说明\r丙");
  auto tmpl = m.app->NumberingTemplate(1);
  tmpl->SetNumberFormat(L"%1．");
  auto paras = m.doc->Paragraphs();
  for (int i : {2, 3, 5}) paras->Item(i)->ApplyListTemplate(*tmpl, true);
  EXPECT_EQ(paras->Item(2)->ListString(), L"1．");
  EXPECT_EQ(paras->Item(3)->ListString(), L"2．");
  EXPECT_EQ(paras->Item(4)->ListType(), kListNoNumbering);
  EXPECT_EQ(paras->Item(5)->ListString(), L"3．") << "continues over the unnumbered paragraph";
  // A new list (not continuing) starts again at 1.
  paras->Item(1)->ApplyListTemplate(*tmpl, false);
  EXPECT_EQ(paras->Item(1)->ListString(), L"1．");
  m.doc->Content()->ConvertNumbersToText();
  EXPECT_EQ(m.Text(), L"1．\t一、选择题\r1．\t甲\r2．\t乙\r说明\r3．\t丙\r");
  EXPECT_EQ(m.doc->Paragraphs()->Item(2)->ListType(), kListNoNumbering);
}

TEST(ModelText, TablesTakeWholeParagraphs) {
  ModelDoc m;
  m.SetText(L"1． ");
  auto at = m.doc->GetRange(3, 3);
  auto table = m.doc->GetTables()->Add(*at, 1, 4);
  const wchar_t* labels[] = {L"A．", L"B．", L"C．", L"D．"};
  for (int c = 1; c <= 4; ++c) table->Cell(1, c)->SetText(labels[c - 1]);
  EXPECT_EQ(table->RowsCount(), 1);
  EXPECT_EQ(table->ColumnsCount(), 4);
  EXPECT_EQ(table->Cell(1, 3)->Text(), L"C．");
  EXPECT_EQ(m.doc->Paragraphs()->Item(1)->Text(), L"1． \r");
  EXPECT_EQ(m.doc->GetTables()->Count(), 1);
  EXPECT_TRUE(table->BordersEnabled());
  auto two = m.doc->GetTables()->Add(*m.doc->GetRange(m.doc->Content()->End() - 1, m.doc->Content()->End() - 1), 2, 2);
  two->Cell(2, 1)->SetText(L"C．");
  EXPECT_EQ(two->Cell(2, 1)->Text(), L"C．");
  EXPECT_EQ(m.doc->GetTables()->Count(), 2);
  EXPECT_THROW(two->Cell(3, 1), VbError);
}

TEST(ModelText, TablesNestInCellsAndAreWrittenThere) {
  ModelDoc m;
  m.SetText(L"题\r");
  auto outer = m.doc->GetTables()->Add(*m.doc->GetRange(2, 2), 2, 2);
  outer->Cell(1, 2)->SetText(L"右");
  outer->Cell(2, 1)->SetText(L"文字");
  // One table at the start of a cell, one after a cell's text, one in a table in a cell.
  auto first = m.doc->GetTables()->Add(*m.doc->GetRange(outer->Cell(1, 1)->Start(), outer->Cell(1, 1)->Start()), 1, 2);
  first->Cell(1, 2)->SetText(L"内");
  const long after = outer->Cell(2, 1)->End();
  auto second = m.doc->GetTables()->Add(*m.doc->GetRange(after, after), 3, 1);
  auto third = m.doc->GetTables()->Add(*first->Cell(1, 1), 1, 1);
  third->Cell(1, 1)->SetText(L"深");

  EXPECT_EQ(m.doc->GetTables()->Count(), 1) << "the document's tables are those of the page";
  EXPECT_EQ(outer->RowsCount(), 2);
  EXPECT_EQ(outer->ColumnsCount(), 2);
  EXPECT_EQ(outer->Cell(1, 2)->Text(), L"右");
  EXPECT_EQ(outer->Cell(1, 1)->Start(), first->GetRange()->Start()) << "the cell holds the table at its start";
  EXPECT_EQ(outer->GetRange()->Start(), first->GetRange()->Start());
  EXPECT_EQ(outer->Cell(1, 1)->GetTables()->Item(1)->Cell(1, 2)->Text(), L"内");
  EXPECT_EQ(outer->Cell(2, 1)->Text().substr(0, 3), L"文字\r");
  EXPECT_EQ(outer->Cell(2, 1)->GetTables()->Item(1)->RowsCount(), 2) << "the cell's text and table are in the outer table";
  EXPECT_EQ(second->Cell(3, 1)->GetTables()->Item(1)->RowsCount(), 3);
  EXPECT_EQ(first->Cell(1, 1)->GetTables()->Item(1)->Cell(1, 1)->Text(), L"深");
  auto inThird = third->Cell(1, 1);
  EXPECT_EQ(inThird->GetTables()->Count(), 1) << "a range in a cell holds the innermost table";
  EXPECT_EQ(inThird->GetTables()->Item(1)->Cell(1, 1)->Text(), L"深");
  const long rowEnd = outer->Cell(1, 2)->End() + 1;
  EXPECT_THROW(m.doc->GetTables()->Add(*m.doc->GetRange(rowEnd, rowEnd), 1, 1), VbError) << "a row's end is in no cell";

  // Each table is written inside its cell, as wide as the cell at most,
  // and every cell still ends with a paragraph.
  const std::string xml = ooxml::BuildDocx(*m.Data())["word/document.xml"];
  size_t tables = 0;
  for (size_t at = xml.find("<w:tbl>"); at != std::string::npos; at = xml.find("<w:tbl>", at + 1)) ++tables;
  EXPECT_EQ(tables, 4u);
  EXPECT_NE(xml.find("</w:tcPr><w:tbl>"), std::string::npos) << "a cell that starts with a table";
  EXPECT_EQ(xml.find("</w:tbl></w:tc>"), std::string::npos);
  std::vector<long> widths;
  for (size_t at = xml.find("<w:tblW w:w=\""); at != std::string::npos; at = xml.find("<w:tblW w:w=\"", at + 1))
    widths.push_back(std::stol(xml.substr(at + 13)));
  ASSERT_EQ(widths.size(), 4u);
  for (size_t i = 1; i < widths.size(); ++i) EXPECT_LT(widths[i], widths[0] / 2) << "in a cell of half the width";
  EXPECT_NE(model::DumpJson(*m.Data()).find("\"inTable\": 1"), std::string::npos);

  outer->Delete();
  EXPECT_TRUE(m.Data()->tables.empty()) << "the tables in its cells go with it";
  EXPECT_EQ(m.Text(), L"题\r\r");
}

TEST(ModelText, PagePositionsFollowTheLayoutRule) {
  ModelDoc m;
  PageSetup p;
  p.PageWidth = 595.3;
  p.PageHeight = 841.9;
  p.LeftMargin = p.RightMargin = 90;
  p.TopMargin = p.BottomMargin = 72;
  m.doc->SetPageSetup(p);
  m.SetText(L"中文ab\r第二段");
  auto info = [&](long pos, int type) { return m.doc->GetRange(pos, pos)->Information(type); };
  EXPECT_DOUBLE_EQ(info(0, kHorizontalPositionRelativeToPage), 90);
  EXPECT_DOUBLE_EQ(info(2, kHorizontalPositionRelativeToPage), 90 + 2 * 10.5);   // CJK: one em
  EXPECT_DOUBLE_EQ(info(3, kHorizontalPositionRelativeToPage), 90 + 21 + 5.25);  // Latin: half
  EXPECT_DOUBLE_EQ(info(0, kVerticalPositionRelativeToPage), 72);
  EXPECT_DOUBLE_EQ(info(5, kVerticalPositionRelativeToPage), 72 + 15.6);  // 1.2 × size, snapped to the 15.6 grid
  EXPECT_EQ(info(5, kNumberOfPagesInDocument), 1);
  // 39 CJK characters per line (415.3 / 10.5), 44 lines per page (697.9 / 15.6).
  constexpr long kPage = 39 * 44;
  m.SetText(std::wstring(kPage + 39, L'字'));
  EXPECT_EQ(info(0, kNumberOfPagesInDocument), 2);
  EXPECT_EQ(info(kPage - 1, kActiveEndPageNumber), 1);
  EXPECT_EQ(info(kPage, kActiveEndPageNumber), 2);
  EXPECT_DOUBLE_EQ(info(kPage, kVerticalPositionRelativeToPage), 72);
  EXPECT_DOUBLE_EQ(info(kPage, kHorizontalPositionRelativeToPage), 90);
  m.doc->GetRange(kPage + 3, kPage + 3)->Select();
  auto page = m.doc->GetBookmarks()->Item(L"\\Page");
  EXPECT_EQ(page->Start(), kPage);
  EXPECT_DOUBLE_EQ(m.app->ActiveWindow()->FirstPageWidth(), 595.3);
}

TEST(ModelText, ParagraphAndCharacterCollectionsStayLiveAcrossEdits) {
  ModelDoc m;
  m.SetText(L"一\r二\r三");
  auto paragraphs = m.doc->Paragraphs();
  auto characters = m.doc->GetRange(2, 4)->Characters();
  ASSERT_EQ(paragraphs->Count(), 3);
  m.doc->GetRange(0, 0)->InsertBefore(L"第\r");
  EXPECT_EQ(paragraphs->Count(), 4);
  EXPECT_EQ(paragraphs->Item(3)->Text(), L"二\r") << "items are found anew after the edit";
  EXPECT_EQ(characters->Item(1)->Text(), L"二") << "the collection's range moved with its text";
  paragraphs->Item(2)->Delete();
  EXPECT_EQ(paragraphs->Count(), 3);
}

TEST(ModelText, SelectionTypesTypingAndSymbols) {
  ModelDoc m;
  m.SetText(L"集合A与B");
  auto sel = m.app->GetSelection();
  EXPECT_EQ(sel->Type(), kSelectionIP);
  m.doc->GetRange(3, 4)->Select();
  EXPECT_EQ(sel->Type(), kSelectionNormal);
  sel->InsertSymbol(0x222A, std::wstring(L"Times New Roman"));
  EXPECT_EQ(m.Text(), L"集合A∪B\r");
  EXPECT_EQ(sel->Type(), kSelectionIP);
  EXPECT_EQ(m.doc->GetRange(3, 4)->Font().NameAscii, L"Times New Roman");
  sel->TypeText(L"＝");
  EXPECT_EQ(m.Text(), L"集合A∪＝B\r");
  // Formatting set at an insertion point is what typing there gets, until the insertion point moves.
  sel->SetFont({.Bold = true});
  EXPECT_EQ(sel->Font().Bold, true);
  EXPECT_EQ(m.doc->GetRange(4, 5)->Font().Bold, false) << "no character changed";
  sel->TypeText(L"C");
  EXPECT_EQ(m.doc->GetRange(5, 6)->Font().Bold, true);
  sel->SetFont({.Italic = true});
  sel->SetRange(1, 1);
  sel->TypeText(L"D");
  EXPECT_EQ(m.doc->GetRange(1, 2)->Font().Italic, false);
  m.doc->Content()->SetFont({.Name = L"宋体", .Size = 12});
  EXPECT_EQ(m.doc->Content()->Font().NameFarEast, L"宋体") << "a Chinese font name sets the East Asian font";
  EXPECT_EQ(m.doc->Content()->Font().Size, 12);
  m.doc->GetRange(0, 1)->SetFont({.Size = 9});
  EXPECT_FALSE(m.doc->Content()->Font().Size.has_value()) << "mixed sizes read as undefined";
  // The paragraph header routine: select a paragraph, move down one paragraph.
  m.SetText(L"试卷\r正文");
  m.doc->Paragraphs()->Item(1)->Select();
  sel->MoveDown(kUnitParagraph, 1, false);
  EXPECT_EQ(sel->Start(), 3);
}

TEST(ModelText, StylesBookmarksAndTheJournal) {
  ModelDoc m;
  m.SetText(L"标题\r正文");
  auto styles = m.doc->GetStyles();
  auto s = styles->Add(L"文章标题");
  s->SetFont({.Name = L"黑体", .Size = 16, .Bold = true});
  s->SetParagraphFormat({.Alignment = kAlignCenter, .OutlineLevel = 1});
  s->SetAutomaticallyUpdate(true);
  EXPECT_THROW(styles->Add(L"文章标题"), VbError);
  EXPECT_THROW(styles->Item(L"无此样式"), VbError);
  auto first = m.doc->Paragraphs()->Item(1);
  first->SetStyle(L"文章标题");
  EXPECT_EQ(first->Style(), L"文章标题");
  EXPECT_EQ(first->Font().NameFarEast, L"黑体");
  EXPECT_EQ(first->GetParagraphFormat().Alignment, kAlignCenter);
  EXPECT_EQ(styles->Item(L"Normal")->NameLocal(), L"正文");

  auto bookmarks = m.doc->GetBookmarks();
  bookmarks->Add(L"fz", *m.doc->GetRange(3, 5));
  m.doc->GetRange(0, 0)->InsertBefore(L"一、");
  EXPECT_EQ(bookmarks->Item(L"fz")->Text(), L"正文") << "bookmarks are live";
  bookmarks->Delete(L"fz");
  EXPECT_FALSE(bookmarks->Exists(L"fz"));

  m.app->SetScreenUpdating(true);
  m.app->Run(L"MTCommand_TeXToggle");
  m.doc->Save();
  EXPECT_EQ(m.app->Journal(), (std::vector<std::wstring>{L"ScreenUpdating True", L"Run MTCommand_TeXToggle",
                                                         L"Save " + m.doc->FullName()}));
  EXPECT_TRUE(m.doc->Saved());
  m.doc->Content()->InsertAfter(L"x");
  EXPECT_FALSE(m.doc->Saved());
  auto ac = m.app->GetAutoCorrect();
  ac->AddEntry(L"pai", L"π");
  EXPECT_EQ(ac->Entry(L"pai"), L"π");
}

TEST(ModelText, DumpHoldsRunsFieldsAndTables) {
  ModelDoc m;
  m.SetText(L"粗体与常规");
  m.doc->GetRange(0, 2)->SetFont({.Bold = true});
  m.doc->GetFields()->Add(*m.doc->GetRange(5, 5), kFieldEmpty, L"EQ \\R(3)", false);
  std::string json = docif::model::DumpJson(*m.Data(), -1);
  EXPECT_NE(json.find(R"J("runs":[{"font":"Times New Roman","fontFarEast":"宋体","size":10.5,"bold":true,"text":"粗体"})J"),
            std::string::npos) << json;
  EXPECT_NE(json.find(R"J("fields":[{"code":"EQ \\R(3)","result":"√3","type":49)J"), std::string::npos) << json;
}

}  // namespace
}  // namespace plx::docif
