// Equations in OMML: each construct of the linear format builds its own
// structure, hostile text never crashes or loses a character, and reading
// back what was written gives the linear text again.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "common/text.hpp"
#include "docif/ooxml/omml.hpp"

namespace plx::docif::ooxml {
namespace {

const char* kRunProperties = "<w:rPr><w:rFonts w:ascii=\"Latin Modern Math\"/></w:rPr>";

// The element as written, inside a root that declares its prefixes.
struct Written {
  explicit Written(const std::wstring& linear, bool builtUp = true) {
    std::string xml = std::string("<root xmlns:m=\"") + kMathNamespace +
                      "\" xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">" +
                      OMathXml(linear, builtUp, kRunProperties) + "</root>";
    parsed = static_cast<bool>(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
  }
  pugi::xml_node OMath() const { return doc.child("root").child("m:oMath"); }
  std::wstring Linear() const { return LinearFromOMath(OMath()); }
  pugi::xml_document doc;
  bool parsed = false;
};

// A compact picture of the structure: elements as name[children] without
// their prefix, runs as their text, properties as {name=value ...}.
std::string Outline(const pugi::xml_node& n) {
  std::string name = n.name();
  std::string local = name.substr(name.find(':') + 1);
  if (name == "m:r") return n.child("m:t").child_value();
  if (name == "m:mPr" || name == "m:rPr" || name == "w:rPr") return "";
  if (local.ends_with("Pr")) {
    std::string out;
    for (pugi::xml_node p : n.children()) {
      std::string pn = p.name();
      out += (out.empty() ? "" : " ") + pn.substr(pn.find(':') + 1) + "=" + p.attribute("m:val").value();
    }
    return "{" + out + "}";
  }
  std::string out;
  for (pugi::xml_node c : n.children()) out += Outline(c);
  return local + "[" + out + "]";
}

std::string Outline(const std::wstring& linear) {
  Written w(linear);
  EXPECT_TRUE(w.parsed) << WideToUtf8(linear);
  std::string all;
  for (pugi::xml_node c : w.OMath().children()) all += Outline(c);
  return all;
}

TEST(Omml, EachConstructOfTheLinearFormatBuildsItsStructure) {
  const std::pair<const wchar_t*, const char*> cases[] = {
      {L"(x^2)/(a)+√(2&x)", "f[num[sSup[e[x]sup[2]]]den[a]]+rad[deg[2]e[x]]"},
      {L"a/b", "f[num[a]den[b]]"},
      {L"1+2x/3", "1+f[num[2x]den[3]]"},
      {L"x^2+y^10=r_n", "sSup[e[x]sup[2]]+sSup[e[y]sup[10]]=sSub[e[r]sub[n]]"},
      {L"A_(m)^(n)", "sSubSup[e[A]sub[m]sup[n]]"},
      {L"x^(n+1)", "sSup[e[x]sup[n+1]]"},
      {L"(x-1)^2", "sSup[e[d[{begChr=( endChr=)}e[x-1]]]sup[2]]"},
      {L"〖ab〗^-1", "sSup[e[ab]sup[-1]]"},
      {L"√(x)", "rad[{degHide=1}deg[]e[x]]"},
      {L"(■(a&b@c&d))", "d[{begChr=( endChr=)}e[m[mr[e[a]e[b]]mr[e[c]e[d]]]]]"},
      {L"|■(1&2@3)|", "d[{begChr=| endChr=|}e[m[mr[e[1]e[2]]mr[e[3]e[]]]]]"},
      {L"{█(&x+y=1@x&-y=3)┤", "d[{begChr={ endChr=}e[eqArr[e[x+y=1]e[x-y=3]]]]"},
      {L"lim┬(n→∞)\u2061〖(1+1/n)^n〗",
       "func[fName[limLow[e[lim]lim[n→∞]]]e[sSup[e[d[{begChr=( endChr=)}e[1+f[num[1]den[n]]]]]sup[n]]]]"},
      {L"(∑┬(i=1))┴(n) i^2+1", "nary[{chr=∑ limLoc=undOvr}sub[i=1]sup[n]e[sSup[e[i]sup[2]]]]+1"},
      {L"∫_a^b▒〖f(x)〗", "nary[{chr=∫ limLoc=subSup}sub[a]sup[b]e[fd[{begChr=( endChr=)}e[x]]]]"},
      {L"∫x", "nary[{chr=∫ limLoc=subSup subHide=1 supHide=1}sub[]sup[]e[x]]"},
      {L"(AB)⏜", "acc[{chr=⏜}e[AB]]"},
      {L"(a)\u20D7", "acc[{chr=\u20D7}e[a]]"},
      {L"¯A+1", "bar[{pos=top}e[A]]+1"},
      {L"▁(AB)", "bar[{pos=bot}e[AB]]"},
      {L"[0,1)∪(2,3]", "d[{begChr=[ endChr=)}e[0,1]]∪d[{begChr=( endChr=]}e[2,3]]"},
  };
  for (const auto& [linear, outline] : cases) EXPECT_EQ(Outline(linear), outline) << WideToUtf8(linear);
  // Function names are set upright, other letters in the math italic.
  Written w(L"lim┬(n→∞)\u2061〖x〗");
  EXPECT_STREQ(w.doc.select_node("//m:limLow/m:e/m:r/m:rPr/m:sty").node().attribute("m:val").value(), "p");
  EXPECT_TRUE(w.doc.select_node("//m:func/m:e/m:r/w:rPr/w:rFonts").node()) << "every run carries the font";
  // The alignment marks of an equation array are run properties, not text.
  Written array(L"█(&x@y&=1)");
  auto aligned = array.doc.select_nodes("//m:eqArr/m:e/m:r[m:rPr/m:aln]/m:t");
  ASSERT_EQ(aligned.size(), 2u);
  EXPECT_STREQ(aligned[0].node().child_value(), "x");
  EXPECT_STREQ(aligned[1].node().child_value(), "=1");
}

TEST(Omml, FormulaSyntaxInTextIsWrittenAsLiteralRuns) {
  // LibreOffice reads a math run's text as its own formula language ("|"
  // is "or", a lone bracket an error): such characters go into literal runs.
  Written w(L"|x-1|+(a");
  ASSERT_TRUE(w.parsed);
  std::string literal;
  for (pugi::xpath_node t : w.doc.select_nodes("//m:r[m:rPr/m:lit]/m:t")) literal += t.node().child_value();
  EXPECT_EQ(literal, "||(");
  EXPECT_EQ(w.Linear(), L"|x-1|+(a");
  Written array(L"█(&|x|@&y)");
  EXPECT_STREQ(array.doc.select_node("//m:eqArr/m:e/m:r[m:rPr/m:aln]/m:t").node().child_value(), "|")
      << "the alignment mark stays on the row's first run";
}

TEST(Omml, TheLinearFormatIsOneRunUntilBuiltUp) {
  Written w(L"(x^2)/(a)", false);
  ASSERT_TRUE(w.parsed);
  EXPECT_EQ(Outline(L"(x^2)/(a)"), "f[num[sSup[e[x]sup[2]]]den[a]]");
  EXPECT_EQ(std::distance(w.OMath().children().begin(), w.OMath().children().end()), 1);
  EXPECT_STREQ(w.OMath().child("m:r").child("m:t").child_value(), "(x^2)/(a)");
  EXPECT_TRUE(HasStructure(L"(x^2)/(a)"));
  EXPECT_FALSE(HasStructure(L"x+1=sin y"));
}

// Characters that only shape the structure; everything else must survive.
std::wstring Content(const std::wstring& s) {
  static const std::wstring kShaping = L"()[]{}〖〗├┤^_/√■█▒&@|┬┴¯\u2061 ";
  std::wstring out;
  for (wchar_t c : s)
    if (kShaping.find(c) == std::wstring::npos) out += c;
  return out;
}

std::wstring Repeat(const std::wstring& s, int n) {
  std::wstring out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(Omml, HostileTextNeverCrashesNorLosesACharacter) {
  // What forms no construct stays text exactly as it was.
  for (const wchar_t* plain : {L"(((", L")))", L"x^", L"^x", L"/", L"a/", L"/b", L"√", L"■", L"█(", L"┤", L"〗〖",
                               L"&@", L"(a〗", L"▒", L"\u2061", L"¯", L"x^ 2", L"<&>\"'"}) {
    Written w(plain);
    ASSERT_TRUE(w.parsed) << WideToUtf8(plain);
    EXPECT_EQ(w.Linear(), plain);
    EXPECT_FALSE(HasStructure(plain)) << WideToUtf8(plain);
  }
  // Deep nesting and long chains: structure up to a depth, text beyond it.
  const std::wstring deep[] = {
      Repeat(L"(", 2000) + L"x" + Repeat(L")", 2000),
      Repeat(L"(", 2000) + L"x" + Repeat(L")", 1000),
      Repeat(L"〖", 2000) + L"x" + Repeat(L"〗", 2000),
      L"x" + Repeat(L"^2", 5000),
      Repeat(L"a/", 3000) + L"a",
      Repeat(L"√(", 2000) + L"x" + Repeat(L")", 2000),
      Repeat(L"■(", 1000) + L"a&b@c" + Repeat(L")", 1000),
      Repeat(L"(∑┬(i))┴(n) ", 500) + L"i",
      Repeat(L"x¯⏜", 3000),
  };
  for (const std::wstring& s : deep) {
    Written w(s);
    ASSERT_TRUE(w.parsed) << WideToUtf8(s.substr(0, 20));
    EXPECT_EQ(Content(w.Linear()), Content(s)) << WideToUtf8(s.substr(0, 20));
  }
  EXPECT_EQ(Written(deep[0]).Linear(), deep[0]) << "brackets come back as brackets";

  // A file nested far deeper than anything written here is read to its text.
  std::string xml = std::string("<m:oMath xmlns:m=\"") + kMathNamespace + "\">";
  for (int i = 0; i < 20000; ++i) xml += "<m:sSup><m:e>";
  xml += "<m:r><m:t>x</m:t></m:r>";
  for (int i = 0; i < 20000; ++i) xml += "</m:e><m:sup><m:r><m:t>2</m:t></m:r></m:sup></m:sSup>";
  pugi::xml_document nested;
  ASSERT_TRUE(nested.load_string((xml + "</m:oMath>").c_str()));
  EXPECT_EQ(Content(LinearFromOMath(nested.first_child())), L"x" + std::wstring(20000, L'2'));
}

TEST(Omml, ReadingBackGivesTheLinearTextAgain) {
  // The forms the formula engine writes come back exactly.
  for (const wchar_t* linear :
       {L"(x^2)/(a)+√(2&x)", L"x^2+y^2=r^2", L"(x^2)/(4)-(y^2)/(b)＝1", L"(x-1)^2+y_1", L"√(x+1)", L"a_(n+1)",
        L"(■(1&0@0&1))", L"|■(a&b@c&d)|", L"{█(&x+y=1@&x-y=3)┤", L"█(x&=1@&&)", L"lim┬(n→∞)\u2061〖(1+(1)/(n))^n 〗",
        L"(∑┬(i=1))┴(n) i", L"∫_a^b▒〖f(x)〗", L"∫_0^1", L"(AB)⏜", L"(a)\u20D7", L"¯A", L"¯(AB)", L"[0,1)",
        L"2〖(1)/(x)〗", L"〖x^2〗3"}) {
    EXPECT_EQ(Written(linear).Linear(), linear);
  }
  // Other spellings come back in that form, and build the same structure.
  const std::pair<const wchar_t*, const wchar_t*> respelled[] = {
      {L"a/b", L"(a)/(b)"}, {L"A_(m)^(n)", L"A_m^n"}, {L"∫x", L"∫▒〖x〗"}, {L"ab^2/c", L"(ab^2)/(c)"}};
  for (const auto& [linear, form] : respelled) {
    EXPECT_EQ(Written(linear).Linear(), form);
    EXPECT_EQ(OMathXml(form, true, ""), OMathXml(linear, true, ""));
  }
}

TEST(Omml, EquationsFromOtherWordProcessorsReadAsLinearText) {
  // As another word processor writes them: properties, control elements,
  // an n-ary without limit properties, a sub-superscript before its base.
  std::string xml = std::string("<m:oMath xmlns:m=\"") + kMathNamespace +
                    "\"><m:sSup><m:sSupPr><m:ctrlPr/></m:sSupPr><m:e><m:r><m:t>e</m:t></m:r></m:e>"
                    "<m:sup><m:r><m:t>i</m:t></m:r><m:r><m:t>π</m:t></m:r></m:sup></m:sSup>"
                    "<m:r><m:t>+1=0, </m:t></m:r><m:nary><m:sub/><m:sup/><m:e><m:r><m:t>x</m:t></m:r></m:e></m:nary>"
                    "<m:sPre><m:sub><m:r><m:t>1</m:t></m:r></m:sub><m:sup/><m:e><m:r><m:t>C</m:t></m:r></m:e></m:sPre>"
                    "</m:oMath>";
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single));
  std::wstring linear = LinearFromOMath(doc.first_child());
  EXPECT_EQ(linear, L"e^(iπ)+1=0, ∫▒〖x〗1C");
  // What was read is stable: writing it and reading again gives it back.
  EXPECT_EQ(Written(linear).Linear(), linear);
}

}  // namespace
}  // namespace plx::docif::ooxml
