#include "docif/find_pattern.hpp"

#include <gtest/gtest.h>

#include <random>

#include "common/error.hpp"
#include "common/text.hpp"

namespace plx::docif {
namespace {

std::vector<RegexMatch> FindAll(const FindSpec& request, const std::wstring& text) {
  CompiledFind find = TranslateFind(request);
  RegExp re;
  re.Pattern = find.pattern;
  re.IgnoreCase = find.ignoreCase;
  re.Global = true;
  return re.Execute(text);
}

std::vector<std::wstring> Found(const std::wstring& find, const std::wstring& text,
                                bool wildcards = true) {
  std::vector<std::wstring> values;
  for (const auto& m : FindAll({find, wildcards}, text)) values.push_back(m.Value);
  return values;
}

std::wstring ReplaceAll(const std::wstring& find, const std::wstring& with,
                        const std::wstring& text, bool wildcards = true) {
  auto parts = ParseReplacement(with, wildcards);
  std::wstring out;
  size_t last = 0;
  for (const auto& m : FindAll({find, wildcards}, text)) {
    out += text.substr(last, m.FirstIndex - last) + ExpandReplacement(parts, m);
    last = m.FirstIndex + m.Length;
  }
  return out + text.substr(last);
}

using Strings = std::vector<std::wstring>;

TEST(FindPattern, WildcardsOnExamPaperText) {
  EXPECT_EQ(Found(L"\\[来源[!^13]@\\]", L"1．已知集合A[来源:学科网]，则\r2．[来源\r:x]"),
            Strings{L"[来源:学科网]"});

  std::wstring paper = L"一、选择题\r1．已知x=3.5，则\r12．计算\r二、填空题\r13.求值";
  auto items = FindAll({L"^13([0-9]{1,3}[．.、])", true}, paper);
  ASSERT_EQ(items.size(), 3u);  // "3.5" inside a line is no item number
  EXPECT_EQ(items[0].FirstIndex, 5u);
  EXPECT_EQ(items[1].Value, L"\r12．");
  EXPECT_EQ(items[1].SubMatches, Strings{L"12．"});
  EXPECT_EQ(items[2].SubMatches, Strings{L"13."});
  EXPECT_EQ(Found(L"^13([一二三四五六七八九十]{1,2}[、．.][!^13]{1,8}题)", paper),
            Strings{L"\r二、填空题"});
  // Counted repetition takes as many as it can.
  EXPECT_EQ(Found(L"^13[一二三四五六七八九十]{1,2}[、．.][!^13]{1,8}题", L"\r二、填空题（共4小题）"),
            Strings{L"\r二、填空题（共4小题"});
  EXPECT_EQ(Found(L"start^13[0-9]{1,}[.．、]", L"start\r12、x start\rx"), Strings{L"start\r12、"});

  EXPECT_EQ(Found(L"\\[pdPPN\\]*\\[pdPPN\\]", L"a[pdPPN]题\r干[pdPPN]b[pdPPN]"),
            Strings{L"[pdPPN]题\r干[pdPPN]"});
  EXPECT_EQ(Found(L"[【\\[]题[目文][】\\]]", L"【题目】甲[题文]乙【题干】"),
            (Strings{L"【题目】", L"[题文]"}));
  EXPECT_EQ(Found(L"<x>", L"x+xy+2x+x"), (Strings{L"x", L"x"}));
  EXPECT_EQ(Found(L"lo@t", L"lot loot lt"), (Strings{L"lot", L"loot"}));
  // Metacharacters of the engine are plain text in the find syntax.
  EXPECT_EQ(Found(L"a.b+c|d$", L"axb+c|d$ a.b+c|d$"), Strings{L"a.b+c|d$"});
  EXPECT_EQ(Found(L"(ab)\\1", L"abab aba"), Strings{L"abab"});
  EXPECT_EQ(Found(L"x{,2}y", L"xxxy"), Strings{L"xxy"});
  EXPECT_EQ(Found(L"[!a-c^#]", L"ab1d"), Strings{L"d"});
  EXPECT_EQ(Found(L"^w题", L"a　\t 题"), Strings{L"　\t 题"});
  // Wildcard matching ignores MatchCase and MatchWholeWord.
  EXPECT_EQ(FindAll({L"Ab", true, false, true}, L"ab Abc").size(), 1u);
}

TEST(FindPattern, Replacements) {
  EXPECT_EQ(ReplaceAll(L"[　 ^t]{1,}([BCD][.．、])", L"^t\\1", L"A．1　　B．2 C．3\tD．4\r"),
            L"A．1\tB．2\tC．3\tD．4\r");
  EXPECT_EQ(ReplaceAll(L"(\\(⌒\\))(,[A-Z]{2}\\))", L"(⌒⌒)\\2", L"EQ \\o(\\s\\up6(⌒),AB)"),
            L"EQ \\o(\\s\\up6(⌒⌒),AB)");
  EXPECT_EQ(ReplaceAll(L"^13([0-9]{1,3}[．.、])", L"^13[pdTM]\\1", L"甲\r1．x=3.5\r"),
            L"甲\r[pdTM]1．x=3.5\r");
  EXPECT_EQ(ReplaceAll(L"^13([一二三四五六七八九十]{1,2}[、．.][!^13]{1,8}题)", L"^13[pdDT]\\1",
                       L"x\r三、解答题\r"),
            L"x\r[pdDT]三、解答题\r");
  // A group that took no part and a group the find text never had both give nothing.
  EXPECT_EQ(ReplaceAll(L"(a){0,1}b", L"<\\1\\7^&>", L"b ab"), L"<b> <aab>");

  auto parts = ParseReplacement(L"x^p^t^l^m^s^^^65\\\\^z^&", true);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[0].text, L"x\r\t\v\f\u00A0^A\\^z");
  EXPECT_EQ(parts[1].kind, ReplacementPart::Kind::Whole);
  parts = ParseReplacement(L"\\1a\\2", false);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].text, L"\\1a\\2");
}

TEST(FindPattern, PlainFindText) {
  EXPECT_EQ(Found(L"^p^p", L"甲\r\r乙\r", false), Strings{L"\r\r"});
  EXPECT_EQ(Found(L"a.b(c)[d]", L"axb(c)[d] a.b(c)[d]", false), Strings{L"a.b(c)[d]"});
  EXPECT_EQ(Found(L"^#^#", L"第3题12分", false), Strings{L"12"});
  EXPECT_EQ(Found(L"^$^?", L"1a\r", false), Strings{L"a\r"});
  EXPECT_EQ(Found(L"x^y^", L"x^y^", false), Strings{L"x^y^"});  // unknown codes stay text
  EXPECT_EQ(Found(L"abc", L"ABC", false), Strings{L"ABC"});
  EXPECT_TRUE(FindAll({L"abc", false, true}, L"ABC").empty());
  EXPECT_EQ(FindAll({L"cat", false, false, true}, L"cats cat2 猫cat a cat.").size(), 1u);
  EXPECT_EQ(FindAll({L"cat", false, false, true}, L"cats cat2 猫cat a cat.")[0].FirstIndex, 17u);
}

TEST(FindPattern, MalformedWildcardsRaise5560) {
  for (std::wstring bad : {L"[abc", L"(ab", L"a{3,1}", L"{2}", L"[z-a]", L"\\", L"a\\2(b)", L"[]",
                           L"ab)", L"a]", L"a}", L"a{256}", L"a{}", L"a{2", L"@a", L"(@)", L"*@",
                           L"a@@", L"<{2}", L"^q", L"a^", L"[!]", L"[^?]", L"(a\\1)",
                           L"(((ab){255}){255}){255}"}) {
    try {
      TranslateFind({bad, true});
      ADD_FAILURE() << "accepted " << WideToUtf8(bad);
    } catch (const VbError& e) {
      EXPECT_EQ(e.number(), kBadFindPattern) << WideToUtf8(bad);
    }
  }
  // Whatever is typed, the result is either error 5560 or a pattern the engine compiles.
  const std::wstring alphabet = L"ab[]!-(){},0123456789@*?<>\\^ptw#$\r一";
  std::mt19937 random(7);
  for (int n = 0; n < 20000; ++n) {
    std::wstring text;
    for (size_t k = random() % 12; k > 0; --k) text += alphabet[random() % alphabet.size()];
    if (random() % 20 == 0) text += static_cast<wchar_t>(0xD800);
    for (bool wildcards : {true, false}) {
      try {
        FindAll({text, wildcards}, L"ab1\r一 [x](y)");
      } catch (const VbError& e) {
        EXPECT_TRUE(wildcards && e.number() == kBadFindPattern) << WideToUtf8(text);
      }
    }
  }
}

}  // namespace
}  // namespace plx::docif
