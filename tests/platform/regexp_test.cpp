#include "platform/regexp.hpp"

#include <gtest/gtest.h>

#include "common/error.hpp"

namespace plx {
namespace {

TEST(RegExp, InequalityPatternsWithLazyGroups) {
  RegExp re;
  re.Pattern = L"(.*?)(<[=]*)x(<[=]*)(.*)";
  re.IgnoreCase = true;
  re.Global = true;
  auto m = re.Execute(L"-1<X<=2");
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].SubMatches, (std::vector<std::wstring>{L"-1", L"<", L"<=", L"2"}));
}

TEST(RegExp, IntervalAndConstraintPatterns) {
  RegExp qj;
  qj.Pattern = L"qj([\\[\\(]{1})(.*)([\\]\\)]{1})";
  auto m = qj.Execute(L"qj[1,2)");
  ASSERT_EQ(m.size(), 1u);
  EXPECT_EQ(m[0].SubMatches[0], L"[");
  EXPECT_EQ(m[0].SubMatches[1], L"1,2");
  EXPECT_EQ(m[0].SubMatches[2], L")");

  RegExp c;
  c.Pattern = L"(.*?)([<>]=?)(.*)";
  c.Global = c.IgnoreCase = c.MultiLine = true;
  m = c.Execute(L"x+y>=2");
  ASSERT_FALSE(m.empty());
  EXPECT_EQ(m[0].SubMatches, (std::vector<std::wstring>{L"x+y", L">=", L"2"}));
}

TEST(RegExp, FullWidthClassesAndMultiLineAnchors) {
  RegExp re;
  re.Pattern = L"^\\d{1,3}[.．、]{1}";
  re.MultiLine = re.Global = true;
  auto m = re.Execute(L"1．甲\r\n12、乙\r\n丙 3.5\r\n1234．丁");
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].Value, L"1．");
  EXPECT_EQ(m[1].Value, L"12、");
  EXPECT_EQ(m[1].FirstIndex, 5u);
  // Paragraphs of the document end with CR alone.
  EXPECT_EQ(re.Execute(L"1．甲\r2．乙\r").size(), 2u);

  RegExp options;
  options.Pattern = L"^A[\\\\.．、]{1}[^\\r]*?B[\\\\.．、]{1}[^\\r]*?\\r";
  EXPECT_TRUE(options.Test(L"A．3　　B．4\r"));
  EXPECT_FALSE(options.Test(L"A．3\rB．4\r"));

  RegExp heading;
  heading.Pattern = L"[一二三四五六七八九]{1}[．、. ]{1}.*题";
  EXPECT_TRUE(heading.Test(L"二、填空题：本题共4小题"));
  EXPECT_FALSE(heading.Test(L"二、填空"));
}

TEST(RegExp, UnicodeEscapesAndCaseFolding) {
  RegExp re;
  re.Pattern = L"[\\u4e00-\\u9fa5]+";
  re.Global = true;
  auto m = re.Execute(L"ab函数cd图象");
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[1].Value, L"图象");
  re.Pattern = L"sin";
  re.IgnoreCase = true;
  EXPECT_TRUE(re.Test(L"SIN(x)"));
}

TEST(RegExp, ReplaceWithReferences) {
  RegExp re;
  re.Pattern = L"(\\d+)/(\\d+)";
  re.Global = true;
  EXPECT_EQ(re.Replace(L"1/2+3/4", L"fs($1,$2)"), L"fs(1,2)+fs(3,4)");
  EXPECT_EQ(re.Replace(L"1/2", L"[$&][$$][$9]"), L"[1/2][$][$9]");
  re.Global = false;
  EXPECT_EQ(re.Replace(L"1/2+3/4", L"$2"), L"2+3/4");
  // Empty matches move on one character and never loop.
  re.Pattern = L"x*";
  re.Global = true;
  EXPECT_EQ(re.Replace(L"ab", L"-"), L"-a-b-");
}

TEST(RegExp, BadPatternIsAnErrorAndBadTextIsSafe) {
  RegExp re;
  re.Pattern = L"(unclosed";
  try {
    re.Test(L"x");
    FAIL();
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), err::kInvalidCall);
  }
  re.Pattern = L".";
  re.Global = true;
  std::wstring damaged = L"a";
  damaged += static_cast<wchar_t>(0xD800);  // a lone surrogate
  EXPECT_EQ(re.Execute(damaged).size(), 2u);
}

}  // namespace
}  // namespace plx
