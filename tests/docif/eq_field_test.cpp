// EQ field codes in the linear format, and EQ fields saved with an
// equation as their result: what word processors that do not lay out EQ
// fields show, while the field itself stays for those that do.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/text.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_document.hpp"
#include "docif/ooxml/docx_reader.hpp"
#include "docif/ooxml/docx_writer.hpp"
#include "docif/ooxml/eq_linear.hpp"
#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/zip_package.hpp"
#include "support/model_doc.hpp"
#include "support/test_addin.hpp"

namespace plx::docif {
namespace {

using model::EqResultText;
using ooxml::EqLinearText;

std::wstring Repeat(const std::wstring& s, int n) {
  std::wstring out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(EqLinear, EachSwitchFamilyBecomesItsConstruct) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      // Fractions are grouped, so that what stands next to them stays outside.
      {L"EQ \\F(x\\S(2),4)+\\F(y\\S(2),3)＝1", "〖(x^(2))/(4)〗+〖(y^(2))/(3)〗＝1"},
      {L"EQ 2\\F(1,2)", "2〖(1)/(2)〗"},
      {L"EQ \\F(f(x,y),2) \\* MERGEFORMAT ", "〖(f(x,y))/(2)〗"},
      // Scripts: raised without an option, several elements stacked, an
      // invisible base where nothing stands before them.
      {L"EQ x\\S\\UP6(n+1)", "x^(n+1)"},
      {L"eq (x+1)\\s\\up3(2)", "(x+1)^(2)"},
      {L"EQ a\\S\\DO(n+1)=2a\\s\\do(n)", "a_(n+1)=2a_(n)"},
      {L"EQ \\S\\UP8(\\F(1,2))", "\u200B^(〖(1)/(2)〗)"},
      {L"EQ x\\s(a,b)", "x■(a@b)"},
      // Radicals; a lone \S in the degree only places it.
      {L"EQ \\R(\\S\\DO(3),x)", "√(3&x)"},
      {L"EQ \\R(,x+1)", "√(x+1)"},
      // Overstrike: accents, the arc above, a limit that takes what follows, scripts.
      {L"EQ \\o\\ac(\\S\\UP7(→),AB)", "(AB)\u20D7"},
      {L"EQ \\o\\ac(\\S\\UP7(⌒),AB)", "〖AB〗┴(⌒)"},
      {L"EQ 0.1\\o(\\s\\up 3(˙),2)", "0.1(2)\u0307"},
      {L"EQ \\o\\ac(lim,\\S\\DO7(x→0))\\F(1,x)", "lim┬(x→0)\u2061〖(1)/(x)〗"},
      {L"EQ \\o\\ac(lim,\\S\\DO7(x→0))=1", "lim┬(x→0)\u2061〖 〗=1"},
      {L"EQ A\\o\\al(\\S\\UP5(n),\\S\\DO3(m))", "A_(m)^(n)"},
      // Brackets: one side given shows only that side; a left ∫ is an integral.
      {L"EQ \\b\\lc\\{(\\a\\al(x+y=1,x-y=3))", "{█(&x+y=1@&x-y=3)┤"},
      {L"EQ \\b\\lc\\[\\rc\\)(\\l(0,1))", "[0,1)"},
      {L"EQ \\b\\bc\\((\\l(\\F(1,2)+x))\\s\\up12(2)", "(〖(1)/(2)〗+x)^(2)"},
      {L"EQ \\b\\bc\\|(\\a\\co2\\vs2\\hs4(a,b,c,d))", "|■(a&b@c&d)|"},
      {L"EQ \\b\\lc\\∫(\\a(\\S\\UP2(1),\\S\\DO2(0))x\\S(2)dx)", "∫_(0)^(1)▒〖x^(2)dx〗"},
      {L"EQ \\b\\lc\\∫(x)", "∫▒〖x〗"},
      {L"EQ \\b\\lc\\∫(\\a(\\S\\UP2(b),\\S\\DO2(a)))", "∫_(a)^(b)▒〖 〗"},
      // Arrays: columns from \co, one left-aligned column as aligned rows.
      {L"EQ \\b(\\a\\co2\\vs2\\hs4(1,2,3,4))", "(■(1&2@3&4))"},
      {L"EQ \\b(\\a(1,2,3))", "(■(1@2@3))"},
      // Sums with limits below and above, integrals with scripts.
      {L"EQ \\i\\su(\\S(i=1),\\S(n),a\\S\\DO(i))", "∑┬(i=1)┴(n)▒〖a_(i)〗"},
      {L"EQ \\i(0,1,x dx)", "∫_(0)^(1)▒〖x dx〗"},
      // Borders above and below.
      {L"EQ \\x\\to(A)", "¯(A)"},
      {L"EQ \\x\\bo(0.3)", "▁(0.3)"},
      // A slash in the text is no fraction.
      {L"EQ \\F(1,2) km/h", "〖(1)/(2)〗 km\u2215h"},
  };
  for (const auto& [code, linear] : cases)
    EXPECT_EQ(WideToUtf8(EqLinearText(code).value_or(L"-")), linear) << WideToUtf8(code);
}

// An equation built from a code's linear text.
struct Built {
  explicit Built(const std::wstring& code) {
    std::optional<std::wstring> linear = EqLinearText(code);
    if (!linear) return;
    xml = ooxml::OMathXml(*linear, true, "");
    std::string root = std::string("<root xmlns:m=\"") + ooxml::kMathNamespace + "\">" + xml + "</root>";
    doc.load_string(root.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single);
  }
  // Elements as name[children] without their prefix, runs as their text.
  static std::string Outline(const pugi::xml_node& n) {
    std::string name = n.name(), out;
    if (name == "m:r") return n.child("m:t").child_value();
    if (name.ends_with("Pr")) return "";
    for (pugi::xml_node c : n.children()) out += Outline(c);
    return name.substr(name.find(':') + 1) + "[" + out + "]";
  }
  std::string Outline() const {
    std::string all;
    for (pugi::xml_node c : doc.child("root").child("m:oMath").children()) all += Outline(c);
    return all;
  }
  std::string xml;
  pugi::xml_document doc;
};

TEST(EqLinear, TheFormulaEnginesCodesBuildTheStructureTheyDraw) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"EQ \\F(x\\S(2),4)+\\F(y\\S(2),3)＝1", "f[num[sSup[e[x]sup[2]]]den[4]]+f[num[sSup[e[y]sup[2]]]den[3]]＝1"},
      {L"EQ \\b\\lc\\{(\\a\\al(x+y=1,x-y=3))", "d[e[eqArr[e[x+y=1]e[x-y=3]]]]"},
      {L"EQ \\i\\su(\\S(i=1),\\S(n),i)", "nary[sub[i=1]sup[n]e[i]]"},
      {L"EQ (x+1)\\s\\up3(2)", "sSup[e[d[e[x+1]]]sup[2]]"},
      {L"EQ \\b\\lc\\∫(\\a(\\S\\UP2(1),\\S\\DO2(0))x\\S(2)dx)", "nary[sub[0]sup[1]e[sSup[e[x]sup[2]]dx]]"},
      {L"EQ \\o\\ac(lim,\\S\\DO7(x→0))\\F(1,x)", "func[fName[limLow[e[lim]lim[x→0]]]e[f[num[1]den[x]]]]"},
      {L"EQ \\o\\ac(\\S\\UP7(⌒),AB)", "limUpp[e[AB]lim[⌒]]"},
      {L"EQ \\b\\bc\\|(\\a\\co2\\vs2\\hs4(a,b,c,d))", "d[e[m[mr[e[a]e[b]]mr[e[c]e[d]]]]]"},
  };
  for (const auto& [code, outline] : cases) EXPECT_EQ(Built(code).Outline(), outline) << WideToUtf8(code);
  // Switches nest as deep as the conversion goes and build all the way down.
  int depth = ooxml::kMaxEqLinearDepth;
  Built deep(L"EQ " + Repeat(L"\\F(1,", depth) + L"x" + Repeat(L")", depth));
  EXPECT_EQ(deep.doc.select_nodes("//m:f").size(), static_cast<size_t>(depth));
  EXPECT_EQ(deep.xml.find("〖"), std::string::npos) << "no grouping mark is left as text";
}

TEST(EqLinear, HostileCodesNeverCrashAndKeepTheirText) {
  // Codes that do not convert: their field keeps the plain result.
  const std::wstring refused[] = {
      L"", L"EQ", L"EQ \\", L"EQ \\F", L"EQ x+1", L"EQ \\F(1,", L"EQ \\Z(x)", L"EQ \\F\\zz(1,2)", L"EQ \\F(1)",
      L"EQ \\R(1,2,3)", L"EQ \\x(a)", L"EQ \\o(=,/)", L"EQ \\b\\lc(x)", L"EQ x^2+\\F(1,2)", L"EQ \\F([0,1),2)",
      L"EQ \\F(a&b,2)", L"EQ \\i\\su(1,2)", L"EQ \\s\\up\\do(2)",
      L"EQ " + Repeat(L"\\F(", 2000) + L"x" + Repeat(L",1)", 2000),
      L"EQ " + Repeat(L"\\F(", 2000) + L"x",
      L"EQ " + Repeat(L"\\S\\UP6(", 2000) + L"x" + Repeat(L")", 2000),
      L"EQ " + Repeat(L"\\R(", ooxml::kMaxEqLinearDepth + 1) + L"x" + Repeat(L")", ooxml::kMaxEqLinearDepth + 1),
  };
  for (const std::wstring& code : refused) {
    EXPECT_FALSE(EqLinearText(code)) << WideToUtf8(code.substr(0, 40));
    if (code.find(L'x') != std::wstring::npos && code.find(L"\\x") == std::wstring::npos) {
      EXPECT_NE(EqResultText(code).find(L'x'), std::wstring::npos) << WideToUtf8(code.substr(0, 40));
    }
  }
  // The part nested too deep to read stays as its code text.
  std::wstring deep = EqResultText(L"EQ " + Repeat(L"\\F(", 2000) + L"x" + Repeat(L",1)", 2000));
  EXPECT_NE(deep.find(L"\\F(\\F("), std::wstring::npos);
  EXPECT_NE(deep.find(L"x,1)"), std::wstring::npos);
  // Odd codes that convert build an equation that shows every character.
  const std::wstring odd[] = {
      L"EQ \\F(1,2))\\S(2)(3",
      L"EQ \\F(" + Repeat(L"(", 2000) + L"x" + Repeat(L")", 2000) + L",2)",
      L"EQ " + Repeat(L"\\F(1,2)", 5000),
      L"EQ |x-1|+\\F(1,2)",
  };
  auto without = [](const std::wstring& s, const std::wstring& dropped) {
    std::wstring out;
    for (wchar_t c : s)
      if (dropped.find(c) == std::wstring::npos) out += c;
    return out;
  };
  for (const std::wstring& code : odd) {
    Built built(code);
    std::wstring shown;
    for (pugi::xpath_node t : built.doc.select_nodes("//m:t")) shown += Utf8ToWide(t.node().child_value());
    EXPECT_EQ(without(shown, L"()"), without(EqResultText(code), L"()/^")) << WideToUtf8(code.substr(0, 40));
  }
}

// A paragraph as a string of letters: b c s e for the field's begin, code,
// separator and end, t for text, M for an equation, [ ] for bookmarks.
std::string Shape(const pugi::xml_node& p) {
  std::string out;
  for (pugi::xml_node c : p.children()) {
    std::string name = c.name(), mark = c.child("w:fldChar").attribute("w:fldCharType").value();
    if (name == "m:oMath") out += 'M';
    else if (name == "w:bookmarkStart") out += '[';
    else if (name == "w:bookmarkEnd") out += ']';
    else if (c.child("w:instrText")) out += 'c';
    else if (c.child("w:t")) out += 't';
    else if (!mark.empty()) out += mark[0];
  }
  return out;
}

TEST(EqResult, PlainTextKeepsBracketsCommasAndSigns) {
  EXPECT_EQ(EqResultText(L"EQ \\b\\lc\\[\\rc\\)(\\l(0,1))"), L"[0,1)");
  EXPECT_EQ(EqResultText(L"EQ \\b\\bc\\[(\\l(x+1))"), L"[x+1]");
  EXPECT_EQ(EqResultText(L"EQ \\B\\lc\\{(\\a\\al(x+y=1,x-y=3))"), L"{x+y=1  x-y=3") << "only the left brace";
  EXPECT_EQ(EqResultText(L"EQ \\b(1,2)"), L"(1,2)");
  EXPECT_EQ(EqResultText(L"EQ \\i\\su(\\S(i=1),\\S(n),i)"), L"∑i=1 n i");
}

TEST(EqFieldsInDocx, AreSavedWithAnEquationAsResultAndReadBackWithTheirCodes) {
  test::TempDir dir;
  test::ModelDoc m;
  m.SetText(L"题：甲乙丙丁戊\r");
  const std::wstring codes[] = {L"EQ \\F(x\\S(2),4)+\\F(y\\S(2),3)＝1", L"EQ \\b\\lc\\{(\\a\\al(x+y=1,x-y=3))",
                                L"EQ \\x(a)", L"EQ \\F(1,", L"PAGE"};
  for (int i = 4; i >= 0; --i) m.doc->GetFields()->Add(*m.doc->GetRange(2 + i, 2 + i), kFieldEmpty, codes[i]);
  // A bookmark over part of a result is widened to the whole equation.
  auto first = m.doc->GetFields()->Item(1)->Result();
  m.doc->GetBookmarks()->Add(L"结果", *m.doc->GetRange(first->Start() + 1, first->Start() + 3));
  std::wstring before = m.Text();

  std::wstring path = dir.WPath() + L"/eq.docx";
  ooxml::SaveDocx(*m.Data(), path);
  std::string xml = ooxml::ReadPackage(WideToUtf8(path))["word/document.xml"];
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
  // Converted fields are begin, code, separate, the equation, end; the
  // others keep their plain result.
  EXPECT_EQ(Shape(doc.select_node("//w:p").node()), "tbcs[M]etbcsMetbcstetbcstetbcset");
  EXPECT_TRUE(doc.select_node("//m:oMath[1]//m:f")) << "the fraction is built up";
  EXPECT_TRUE(doc.select_node("//m:oMath[2]//m:eqArr"));
  EXPECT_NE(xml.find(">" + WideToUtf8(EqResultText(L"EQ \\x(a)")) + "</w:t>"), std::string::npos);

  // Reading back gives the same codes, the result each code gives, and no equations.
  auto back = std::make_shared<model::ModelDocument>(ooxml::ReadDocx(path, std::make_shared<model::AppShared>()));
  auto fields = back->GetFields();
  ASSERT_EQ(fields->Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(fields->Item(i + 1)->Code()->Text(), codes[i]);
    if (i < 4) {
      EXPECT_EQ(fields->Item(i + 1)->Result()->Text(), EqResultText(codes[i]));
    }
  }
  EXPECT_EQ(back->Content()->GetOMaths()->Count(), 0);
  EXPECT_EQ(back->Content()->Text(), before);
  EXPECT_TRUE(back->GetBookmarks()->Exists(L"结果"));
  // Saving what was read writes the same document again.
  std::wstring again = dir.WPath() + L"/again.docx";
  ooxml::SaveDocx(*back->Data(), again);
  EXPECT_EQ(ooxml::ReadPackage(WideToUtf8(again))["word/document.xml"], xml);
}

TEST(EqFieldsInDocx, AnEquationInTheResultOfAnotherFieldStaysAnEquation) {
  test::TempDir dir;
  test::ModelDoc m;
  m.SetText(L"见\r");
  m.doc->GetFields()->Add(*m.doc->GetRange(1, 1), kFieldEmpty, L"EQ \\F(1,2)");
  std::wstring path = dir.WPath() + L"/eq.docx";
  ooxml::SaveDocx(*m.Data(), path);
  // The same result under a code that is not EQ, as another program might leave it.
  auto parts = ooxml::ReadPackage(WideToUtf8(path));
  std::string& xml = parts["word/document.xml"];
  size_t code = xml.find("EQ \\F(1,2)");
  ASSERT_NE(code, std::string::npos);
  xml.replace(code, 10, "REF 甲");
  std::string changed = (dir.Path() / "ref.docx").string();
  ooxml::WritePackage(changed, parts);
  auto back = std::make_shared<model::ModelDocument>(
      ooxml::ReadDocx(Utf8ToWide(changed), std::make_shared<model::AppShared>()));
  EXPECT_EQ(back->GetFields()->Item(1)->Code()->Text(), L"REF 甲");
  EXPECT_EQ(back->GetFields()->Item(1)->Result()->Text(), L"(1)/(2)");
  EXPECT_EQ(back->Content()->GetOMaths()->Count(), 1);
}

}  // namespace
}  // namespace plx::docif
