// Equations typeset from Office Math Markup, and equations and EQ fields of
// a page drawn typeset in place of their text.
#include <gtest/gtest.h>

#include <algorithm>

#include "docif/office_math.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/math_layout.hpp"
#include "support/model_doc.hpp"

namespace plx::pictures {
namespace {

MathBox Typeset(const std::wstring& linear) {
  return TypesetOfficeMath(docif::OfficeMathOfEquation(linear, true), Font{});
}

int Count(const std::vector<Item>& items, Item::Kind kind) {
  return static_cast<int>(std::count_if(items.begin(), items.end(), [&](const Item& i) { return i.kind == kind; }));
}

const Text* TextOf(const std::vector<Item>& items, const std::wstring& text) {
  for (const Item& i : items)
    if (i.kind == Item::Kind::Text && i.text.text == text) return &i.text;
  return nullptr;
}

TEST(MathLayout, FractionsStackOverABarAndScriptsAreSmallAndRaised) {
  const MathBox plain = Typeset(L"x+1");
  const MathBox frac = Typeset(L"(x+1)/2");
  ASSERT_EQ(Count(frac.items, Item::Kind::Path), 1) << "the fraction bar";
  const Path& bar = frac.items[std::find_if(frac.items.begin(), frac.items.end(),
                                            [](const Item& i) { return i.kind == Item::Kind::Path; }) -
                                  frac.items.begin()]
                        .path;
  const Text* two = TextOf(frac.items, L"2");
  const Text* x = TextOf(frac.items, L"x");
  ASSERT_TRUE(two && x);
  EXPECT_LT(x->baseline, bar.points[0].y) << "numerator above the bar";
  EXPECT_GT(two->baseline, bar.points[0].y) << "denominator below";
  EXPECT_LT(frac.width, plain.width + 10.5) << "as wide as the wider part, not both";
  EXPECT_GT(frac.ascent + frac.descent, 1.8 * (plain.ascent + plain.descent));
  EXPECT_TRUE(x->font.italic);
  EXPECT_FALSE(two->font.italic);

  const MathBox power = Typeset(L"x^2");
  const Text* exponent = TextOf(power.items, L"2");
  ASSERT_TRUE(exponent);
  EXPECT_NEAR(exponent->font.size, 0.7 * 10.5, 0.01);
  EXPECT_LT(exponent->baseline, -3);
}

TEST(MathLayout, RadicalsAndTallBracketsAreDrawnAndPlainBracketsAreGlyphs) {
  const MathBox root = Typeset(L"√(x+1)");
  EXPECT_EQ(Count(root.items, Item::Kind::Path), 1) << "the root sign with its bar";
  EXPECT_FALSE(TextOf(root.items, L"√"));

  const MathBox low = Typeset(L"(x+1)^2");
  EXPECT_TRUE(TextOf(low.items, L"(")) << "a bracket around one line is the glyph";
  const MathBox tall = Typeset(L"((x+1)/2)");
  EXPECT_FALSE(TextOf(tall.items, L"("));
  EXPECT_EQ(Count(tall.items, Item::Kind::Path), 3) << "two stretched brackets and the bar";

  const MathBox sum = Typeset(L"∑_(k=1)^n k");
  const Text* sigma = TextOf(sum.items, L"∑");
  const Text* n = TextOf(sum.items, L"n");
  ASSERT_TRUE(sigma && n);
  EXPECT_GT(sigma->font.size, 10.5);
  const Text& operand = sum.items.back().text;
  EXPECT_EQ(operand.text, L"k");
  EXPECT_LT(n->baseline, operand.baseline - 3) << "the upper limit is raised";
  EXPECT_GT(operand.left, n->left) << "the operand follows the limits";
}

TEST(MathLayout, MatricesAndArraysAreGridsAndBadMarkupGivesNothing) {
  const MathBox array = Typeset(L"{■(x+y=1@x-y=3)┤");
  const Text* first = TextOf(array.items, L"x");
  ASSERT_TRUE(first);
  double lowest = first->baseline;
  for (const Item& i : array.items)
    if (i.kind == Item::Kind::Text) lowest = std::max(lowest, i.text.baseline);
  EXPECT_GT(lowest - first->baseline, 10) << "the second row stands below the first";
  EXPECT_TRUE(TypesetOfficeMath("<m:oMath><m:f>", Font{}).items.empty());
  EXPECT_TRUE(TypesetOfficeMath("", Font{}).items.empty());
  std::string deep = "<m:oMath>";
  for (int i = 0; i < 20000; ++i) deep += "<m:sSup><m:e>";
  deep += "<m:r><m:t>x</m:t></m:r>";
  for (int i = 0; i < 20000; ++i) deep += "</m:e></m:sSup>";
  EXPECT_NO_THROW(TypesetOfficeMath(deep + "</m:oMath>", Font{})) << "deep markup is cut off, not a stack overflow";
}

TEST(PageScene, EquationsAndEqFieldsAreTypesetInPlaceOfTheirText) {
  test::ModelDoc m;
  m.SetText(L"甲(x+1)/2乙\r丙\r");
  m.doc->Content()->GetOMaths()->Add(*m.doc->GetRange(1, 8));
  m.doc->Content()->GetOMaths()->Item(1)->BuildUp();
  m.doc->GetFields()->Add(*m.doc->GetRange(11, 11), docif::kFieldFormula, L"\\F(a,b)");
  const Scene scene = PageScene(*m.doc, 1);
  std::vector<std::wstring> texts;
  int paths = 0;
  for (const Item& i : scene.items) {
    if (i.kind == Item::Kind::Text) texts.push_back(i.text.text);
    else ++paths;
  }
  EXPECT_EQ(paths, 2) << "one fraction bar for the equation, one for the field";
  for (const std::wstring& t : texts) {
    EXPECT_EQ(t.find(L'/'), std::wstring::npos) << "the linear text is not drawn: " << t.size();
    EXPECT_EQ(t.find(L"\\F"), std::wstring::npos);
  }
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"甲"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"乙"), texts.end()) << "text after the equation stays";
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"b"), texts.end());
}

TEST(PageScene, EquationsInTextBoxesAreTypesetAndTurnWithTheBox) {
  test::ModelDoc m;
  m.SetText(L"\r");
  auto box = m.doc->GetShapes()->AddTextbox(1, 200, 300, 120, 60);
  box->TextRange()->SetText(L"(a)/(b)");
  box->TextRange()->GetOMaths()->Add(*box->TextRange());
  box->TextRange()->GetOMaths()->Item(1)->BuildUp();
  box->SetRotation(90);
  const Scene scene = PageScene(*m.doc, 1);
  int bars = 0;
  for (const Item& i : scene.items) {
    if (i.kind == Item::Kind::Text) {
      EXPECT_EQ(i.text.text.find(L'/'), std::wstring::npos);
      EXPECT_EQ(i.rotation, 90) << "the formula turns with its box";
    }
    if (i.kind == Item::Kind::Path && i.path.points.size() == 2) {
      ++bars;
      // The fraction bar turned upright about the box's centre (260, 330).
      EXPECT_NEAR(i.path.points[0].x, i.path.points[1].x, 0.01);
      EXPECT_GT(i.path.points[0].x, 200);
      EXPECT_LT(i.path.points[0].x, 320) << "the bar inside the box";
    }
  }
  EXPECT_EQ(bars, 1);
}

}  // namespace
}  // namespace plx::pictures
