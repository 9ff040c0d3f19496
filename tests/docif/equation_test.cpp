// Equations and formatted copies in the model, and both in .docx files.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/json_dump.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "support/error_number.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::docif {
namespace {

using test::ErrorNumberOf;
using test::ModelDoc;

std::shared_ptr<model::ModelDocument> SaveAndRead(const ModelDoc& m, const test::TempDir& dir,
                                                  std::string* xml = nullptr) {
  std::wstring path = dir.WPath() + L"/eq.docx";
  ooxml::SaveDocx(*m.Data(), path);
  if (xml) *xml = ooxml::ReadPackage(WideToUtf8(path))["word/document.xml"];
  return std::make_shared<model::ModelDocument>(ooxml::ReadDocx(path, std::make_shared<model::AppShared>()));
}

TEST(Equations, MoveWithTheirTextAndNeverOverlap) {
  ModelDoc m;
  m.SetText(L"解：x^2=4，得x=2\r下一段");
  auto doc = m.doc;
  auto maths = doc->Content()->GetOMaths();
  EXPECT_EQ(maths->Add(*doc->GetRange(2, 7))->Text(), L"x^2=4");
  ASSERT_EQ(maths->Count(), 1);
  auto eq = maths->Item(1);
  EXPECT_FALSE(eq->IsBuiltUp());
  eq->BuildUp();
  EXPECT_TRUE(eq->IsBuiltUp());

  // Text inserted before it moves it; text inserted right after it stays outside.
  doc->GetRange(0, 0)->InsertBefore(L"例：");
  EXPECT_EQ(eq->GetRange()->Start(), 4);
  doc->GetRange(9, 9)->InsertBefore(L"，");
  EXPECT_EQ(eq->GetRange()->Text(), L"x^2=4");
  // A range sees the equations it overlaps, an insertion point the one it stands inside.
  EXPECT_EQ(doc->GetRange(0, 5)->GetOMaths()->Count(), 1);
  EXPECT_EQ(doc->GetRange(0, 4)->GetOMaths()->Count(), 0);
  doc->GetRange(6, 6)->Select();
  EXPECT_EQ(m.app->GetSelection()->GetOMaths()->Count(), 1);
  EXPECT_EQ(doc->GetRange(9, 9)->GetOMaths()->Count(), 0);

  // Adding over part of it merges: one equation over both, in the linear format.
  EXPECT_EQ(maths->Add(*doc->GetRange(7, 13))->Text(), L"x^2=4，，得x");
  ASSERT_EQ(maths->Count(), 1);
  EXPECT_FALSE(maths->Item(1)->IsBuiltUp());
  EXPECT_EQ(ErrorNumberOf([&] { eq->IsBuiltUp(); }), err::kInvalidCall) << "the old equation was replaced";

  // What cannot be an equation is refused and changes nothing.
  std::wstring before = m.Text();
  EXPECT_EQ(ErrorNumberOf([&] { maths->Add(*doc->GetRange(3, 3)); }), err::kInvalidCall);
  EXPECT_EQ(ErrorNumberOf([&] { maths->Add(*doc->GetRange(12, 18)); }), err::kInvalidCall) << "two paragraphs";
  EXPECT_EQ(ErrorNumberOf([&] { maths->Item(2); }), 5941);
  EXPECT_EQ(maths->Count(), 1);
  EXPECT_EQ(m.Text(), before);
  // A paragraph's range leaves its mark outside.
  EXPECT_EQ(maths->Add(*doc->Paragraphs()->Item(2))->Text(), L"下一段");

  // Deleting its text removes it.
  auto last = maths->Item(2);
  doc->Paragraphs()->Item(2)->Delete();
  EXPECT_EQ(maths->Count(), 1);
  EXPECT_EQ(ErrorNumberOf([&] { last->BuildUp(); }), err::kInvalidCall);
}

TEST(Equations, TheDumpListsThemWithTextStateAndFont) {
  ModelDoc m;
  m.SetText(L"a+b");
  auto range = m.doc->Content()->GetOMaths()->Add(*m.doc->GetRange(0, 3));
  range->SetFont({.Name = L"Latin Modern Math"});
  m.doc->Content()->GetOMaths()->Item(1)->BuildUp();
  EXPECT_NE(model::DumpJson(*m.Data(), -1).find(
                R"("equations":[{"start":0,"end":3,"text":"a+b","builtUp":true,"font":"Latin Modern Math"}])"),
            std::string::npos);
}

TEST(Equations, SurviveADocxRoundTrip) {
  test::TempDir dir;
  ModelDoc m;
  m.SetText(L"一 (x^2)/(a)+√(2&x) 二 (a)/(b) 三 x+1\rEQ");
  auto doc = m.doc;
  auto maths = doc->Content()->GetOMaths();
  maths->Add(*doc->GetRange(2, 18))->SetFont({.Name = L"Latin Modern Math"});
  maths->Add(*doc->GetRange(21, 28));  // stays in the linear format
  maths->Add(*doc->GetRange(31, 34));
  maths->Item(1)->BuildUp();
  maths->Item(3)->BuildUp();
  doc->GetBookmarks()->Add(L"内部", *doc->GetRange(4, 6));
  // An equation inside a field code cannot be one in the file: its text stays.
  auto field = doc->GetFields()->Add(*doc->GetRange(35, 37), kFieldEmpty, L"EQ x+y");
  maths->Add(*field->Code());

  std::string xml;
  auto back = SaveAndRead(m, dir, &xml);
  pugi::xml_document parsed;
  ASSERT_TRUE(parsed.load_string(xml.c_str()));
  auto written = parsed.select_nodes("//w:p/m:oMath");
  ASSERT_EQ(written.size(), 3u);
  EXPECT_TRUE(written[0].node().select_node("m:f/m:num/m:sSup").node());
  EXPECT_TRUE(written[0].node().select_node("m:rad/m:deg").node());
  EXPECT_STREQ(written[1].node().select_node("m:r/m:t").node().child_value(), "(a)/(b)");
  EXPECT_NE(xml.find("<w:instrText xml:space=\"preserve\">EQ x+y</w:instrText>"), std::string::npos);

  auto read = back->Content()->GetOMaths();
  ASSERT_EQ(read->Count(), 3);
  EXPECT_EQ(read->Item(1)->GetRange()->Text(), L"(x^2)/(a)+√(2&x)");
  EXPECT_TRUE(read->Item(1)->IsBuiltUp());
  EXPECT_EQ(read->Item(1)->GetRange()->Font().Name, L"Latin Modern Math");
  EXPECT_EQ(read->Item(2)->GetRange()->Text(), L"(a)/(b)");
  EXPECT_FALSE(read->Item(2)->IsBuiltUp()) << "a linear equation stays linear";
  EXPECT_TRUE(read->Item(3)->IsBuiltUp());
  EXPECT_EQ(back->Data()->main->Text(), m.Data()->main->Text());
  // The bookmark inside the first equation now covers it.
  auto mark = back->GetBookmarks()->Item(L"内部");
  EXPECT_EQ(mark->Start(), 2);
  EXPECT_EQ(mark->End(), 18);
}

TEST(FormattedText, KeepsFormatsWhenMovedIntoAFieldCode) {
  test::TempDir dir;
  ModelDoc m;
  m.SetText(L"底数x2的值");
  auto doc = m.doc;
  doc->GetRange(2, 3)->SetFont({.Bold = true});
  doc->GetRange(3, 4)->SetFont({.Superscript = true});
  doc->GetBookmarks()->Add(L"式", *doc->GetRange(2, 4));
  auto field = doc->GetFields()->Add(*doc->GetRange(6, 6), kFieldEmpty, L"EQ \\F(,)");
  auto slot = field->Code();
  slot->SetRange(slot->Start() + 6, slot->Start() + 6);  // between "(" and ","
  slot->SetFormattedText(*doc->GetBookmarks()->Item(L"式"));
  EXPECT_EQ(slot->Text(), L"x2");
  EXPECT_EQ(field->Code()->Text(), L"EQ \\F(x2,)");
  doc->GetBookmarks()->Item(L"式")->Delete();  // moved, not copied
  EXPECT_EQ(m.Text().substr(0, 4), L"底数的值");

  auto back = SaveAndRead(m, dir);
  auto code = back->GetFields()->Item(1)->Code();
  ASSERT_EQ(code->Text(), L"EQ \\F(x2,)");
  FontFormat x = back->GetRange(code->Start() + 6, code->Start() + 7)->Font();
  FontFormat two = back->GetRange(code->Start() + 7, code->Start() + 8)->Font();
  EXPECT_EQ(x.Bold, true);
  EXPECT_EQ(x.Superscript, false);
  EXPECT_EQ(two.Superscript, true);
  EXPECT_EQ(two.Bold, false);
}

TEST(FormattedText, CopiesWholeFieldsAndEquationsAndReadsTheSourceFirst) {
  ModelDoc m;
  m.SetText(L"甲乙丙");
  auto doc = m.doc;
  auto target = doc->GetRange(0, 2);
  target->SetFormattedText(*doc->GetRange(1, 3));  // overlaps its target
  EXPECT_EQ(m.Text(), L"乙丙丙\r");
  EXPECT_EQ(target->Text(), L"乙丙");

  // Into another document: a whole field and an equation come along, a
  // field only partly in the source leaves its text and no broken marks.
  m.SetText(L"前x/y后");
  doc->Content()->GetOMaths()->Add(*doc->GetRange(1, 4));
  doc->Content()->GetOMaths()->Item(1)->BuildUp();
  doc->GetRange(4, 5)->SetFont({.Bold = true});
  auto whole = doc->GetFields()->Add(*doc->GetRange(5, 5), kFieldFormula, L"\\F(1,2)");
  long after = whole->Result()->End() + 1;
  doc->GetFields()->Add(*doc->GetRange(after, after), kFieldEmpty, L"PAGE");
  auto other = m.app->GetDocuments()->Add();
  auto into = other->Content();
  into->SetRange(0, 0);
  into->SetFormattedText(*doc->GetRange(0, after + 3));
  EXPECT_EQ(into->Text(), L"前x/y后1/2PA");
  EXPECT_EQ(other->GetFields()->Count(), 1);
  EXPECT_EQ(other->GetFields()->Item(1)->Code()->Text(), L"EQ \\F(1,2)");
  ASSERT_EQ(other->Content()->GetOMaths()->Count(), 1);
  EXPECT_EQ(other->Content()->GetOMaths()->Item(1)->GetRange()->Text(), L"x/y");
  EXPECT_TRUE(other->Content()->GetOMaths()->Item(1)->IsBuiltUp());
  EXPECT_EQ(other->GetRange(4, 5)->Font().Bold, true);
  EXPECT_EQ(other->GetRange(0, 1)->Font().Bold, false);
}

}  // namespace
}  // namespace plx::docif
