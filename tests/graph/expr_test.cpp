#include <gtest/gtest.h>

#include "support/error_number.hpp"

#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/script_engine.hpp"

namespace plx::graph {
namespace {

struct Outcome {
  bool error = false;
  double value = 0;
  std::wstring message;
};

Outcome Evaluate(const std::wstring& text) {
  MathPlugin plugin;
  Outcome o;
  o.value = -123;  // must be overwritten either way
  plugin.MathExpression(text, o.error, o.value);
  o.message = plugin.LastError();
  return o;
}

// "2^2^...^2", right-associative, so each "^" nests one level deeper.
std::wstring PowerTower(int height) {
  std::wstring text = L"2";
  for (int i = 0; i < height; ++i) text += L"^2";
  return text;
}

using test::ErrorNumberOf;

TEST(NormaliseExpression, TeachersNotation) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"2x+1", L"2*x+1"},          {L"-x^2", L"-1*x^2"},
      {L"sin2x", L"sin(2*x)"},      {L"SIN2X", L"sin(2*x)"},
      {L"sin2x+1", L"sin(2*x)+1"},  {L"cosx-1", L"cos(x)-1"},
      {L"gh(2)", L"sqr(2)"},        {L"sqrt(2)", L"sqr(2)"},
      {L"[x+1]", L"(x+1)"},         {L"{x+1}*2", L"(x+1)*2"},
      {L"2pi", L"2*3.14159"},       {L"ln(x)", L"log(x)"},
      {L"log(x)", L"log(x)"},       {L"e^x", L"2.71828^x"},
      {L"2(x+1)", L"2*(x+1)"},      {L"(x+1)(x-1)", L"(x+1)*(x-1)"},
      {L"1 / 2", L"1/2"},           {L"-sqrt(2)", L"-1*sqr(2)"},
      {L"(sin2x)^2", L"(sin(2*x)^2)"},  // the automatic bracket closes at the end
      {L"f(a)", L"f(a)"},           // ")" after a letter gets a "(" too; "()" is dropped
  };
  for (const auto& [typed, expected] : cases)
    EXPECT_EQ(NormaliseExpression(typed), expected) << WideToUtf8(typed);
}

TEST(NormaliseExpression, FunctionNamesStayWhole) {
  EXPECT_EQ(NormaliseExpression(L"exp(1)"), L"exp(1)");
  EXPECT_EQ(NormaliseExpression(L"2xexp(x)"), L"2*x*exp(x)");
  EXPECT_EQ(NormaliseExpression(L"exp2"), L"exp(2)");
  EXPECT_EQ(NormaliseExpression(L"e*exp(-x)"), L"2.71828*exp(-x)");
  EXPECT_EQ(NormaliseExpression(L"2e"), L"2*2.71828");
  EXPECT_EQ(NormaliseExpression(L"sec(x)"), L"sec(x)");  // a word keeps its e
  // The normalised text evaluates: exp(1) is e, not "2.71828xp(1)".
  Outcome e = Evaluate(NormaliseExpression(L"exp(1)"));
  ASSERT_FALSE(e.error) << e.message;
  EXPECT_NEAR(e.value, std::exp(1.0), 1e-12);
  Outcome root = Evaluate(NormaliseExpression(L"gh(16)+2pi"));
  ASSERT_FALSE(root.error) << root.message;
  EXPECT_NEAR(root.value, 4 + 2 * 3.14159, 1e-12);
}

TEST(NormaliseExpression, SubstitutedValuesKeepTheirSign) {
  std::wstring f = NormaliseExpression(L"x^2+exp(x)");
  EXPECT_EQ(SubstituteVariable(f, L'x', -0.5), L"(-0.5)^2+exp((-0.5))");
  Outcome o = Evaluate(SubstituteVariable(f, L'x', -0.5));
  ASSERT_FALSE(o.error) << o.message;
  EXPECT_DOUBLE_EQ(o.value, 0.25 + std::exp(-0.5));
  EXPECT_EQ(SubstituteVariable(L"2*x", L'x', 1e-5), L"2*1E-05");
  EXPECT_DOUBLE_EQ(Evaluate(SubstituteVariable(L"2*x", L'x', 1e-5)).value, 2e-5);
}

TEST(MathExpression, PrecedenceAndHostArithmetic) {
  const std::vector<std::pair<std::wstring, double>> cases = {
      {L"2+3*4^2", 50},     {L"-1*2^2", -4},      {L"-2^2", -4},        {L"(1+2)*3", 9},
      {L"2^3^2", 512},      {L"2^-2", 0.25},      {L"2*-3", -6},        {L"8/2/2", 2},
      {L"10-2-3", 5},       {L"7 MOD 3", 1},      {L"7mod3", 1},        {L"-7 mod 3", -1},
      {L"1+7 MOD 4*2", 8},  {L"6 AND 3", 2},      {L"6 OR 1", 7},       {L"5 XOR 1", 4},
      {L"5 EQV 3", -7},     {L"5 IMP 3", -5},     {L"2.5 AND 3", 2},    {L"3.5 AND 7", 4},
      {L"1+1 AND 3", 2},    {L"sqr(16)", 4},      {L"SQR 16", 4},       {L"sqr(16)^2", 16},
      {L"abs(-3)", 3},      {L"sgn(-2)", -1},     {L"exp(0)", 1},       {L"sin(0)+cos(0)", 1},
      {L"1E-05*2", 2e-5},   {L"1\t+\r\n2", 3},    {L".5+2.", 2.5},      {L"((((7))))", 7},
  };
  for (const auto& [text, expected] : cases) {
    Outcome o = Evaluate(text);
    ASSERT_FALSE(o.error) << WideToUtf8(text) << ": " << WideToUtf8(o.message);
    EXPECT_DOUBLE_EQ(o.value, expected) << WideToUtf8(text);
    EXPECT_TRUE(o.message.empty());
  }
  // Right-nested differences need a deep value stack: 1-(2-(3-...(40)...)).
  std::wstring nested;
  for (int k = 1; k < 40; ++k) nested += std::to_wstring(k) + L"-(";
  nested += L"40" + std::wstring(39, L')');
  EXPECT_EQ(Evaluate(nested).value, -20);
  EXPECT_NEAR(Evaluate(L"log(2.71828)").value, 1, 1e-5);
  EXPECT_NEAR(Evaluate(L"atn(1)*4").value, std::acos(-1.0), 1e-15);
  EXPECT_NEAR(Evaluate(L"tan(0.5)").value, std::tan(0.5), 1e-15);
}

TEST(MathExpression, BadTextSetsTheFlagWithAMessage) {
  std::wstring longSum = L"1";
  while (longSum.size() < 10000) longSum += L"+1";
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"1/0", L"除数为零"},
      {L"0/0", L"溢出"},
      {L"7 MOD 0", L"除数为零"},
      {L"log(-1)", L"对数"},
      {L"log(0)", L"对数"},
      {L"sqr(-4)", L"开平方"},
      {L"(-8)^(1/3)", L"非整数次幂"},
      {L"0^-1", L"除数为零"},
      {L"10^400", L"溢出"},
      {L"exp(1000)", L"溢出"},
      {L"1e999", L"超出范围"},
      {L"9999999999 AND 1", L"溢出"},
      {L"(1+2", L"缺少右括号"},
      {L"1+2)", L"多了一个右括号"},
      {L"+*", L"第 2 个字符处缺少运算数"},
      {L"2^^3", L"缺少运算数"},
      {L"1+", L"末尾缺少运算数"},
      {L"sqr()", L"缺少运算数"},
      {L"", L"为空"},
      {L"   ", L"为空"},
      {L"foo(2)", L"foo"},
      {L"2x", L"“x”"},
      {L"1,5", L"“,”"},
      {L"2 3", L"缺少运算符"},
      {L"AND 3", L"缺少运算数"},
      {L"（1）", L"“（”"},
      {longSum, L"过长"},
      {std::wstring(100000, L'(') + L"1" + std::wstring(100000, L')'), L"过长"},
      {std::wstring(900, L'(') + L"1" + std::wstring(900, L')'), L"嵌套过深"},
      {std::wstring(1990, L'-') + L"1", L"嵌套过深"},
      {PowerTower(300), L"嵌套过深"},
  };
  for (const auto& [text, fragment] : cases) {
    Outcome o = Evaluate(text);
    std::string shown = WideToUtf8(text.substr(0, 40));
    EXPECT_TRUE(o.error) << shown;
    EXPECT_EQ(o.value, 0) << shown;
    EXPECT_NE(o.message.find(fragment), std::wstring::npos)
        << shown << " -> " << WideToUtf8(o.message);
  }
  // A success after a failure clears the message; nesting within the bound still works.
  MathPlugin plugin;
  bool error = false;
  double value = 0;
  plugin.MathExpression(L"1/0", error, value);
  EXPECT_TRUE(error);
  plugin.MathExpression(std::wstring(150, L'(') + L"2" + std::wstring(150, L')') + L"^2", error,
                        value);
  EXPECT_FALSE(error);
  EXPECT_EQ(value, 4);
  EXPECT_TRUE(plugin.LastError().empty());
}

TEST(ScriptEngine, ComparisonsGiveBooleans) {
  ScriptEngine vb;
  const std::vector<std::pair<std::wstring, bool>> vbCases = {
      {L"1 < 2", true},  {L"2 <= 1", false}, {L"3 = 3", true},          {L"3 <> 3", false},
      {L"2 >= 2", true}, {L"-1 > 0", false}, {L"1<2 and 3>4", false},   {L"1<2 Or 3>4", true},
      {L"not 1 > 2", true}, {L"True", true}, {L"2^10 = 1024", true},    {L"sqr(9) = 3", true},
  };
  for (const auto& [text, expected] : vbCases) {
    ScriptValue v = vb.Eval(text);
    EXPECT_TRUE(v.isBoolean) << WideToUtf8(text);
    EXPECT_EQ(v.Truth(), expected) << WideToUtf8(text);
  }
  EXPECT_EQ(vb.Eval(L"1 < 2").number, -1);  // VBScript's True
  EXPECT_FALSE(vb.Eval(L"6 and 3").isBoolean);

  ScriptEngine js;
  js.Language = L"JavaScript";
  const std::vector<std::pair<std::wstring, bool>> jsCases = {
      {L"1.00<=2.50", true},   {L"-1.50>=0.00", false}, {L"1 == 1", true},
      {L"1 != 1", false},      {L"1 === true", false},   {L"1 == true", true},
      {L"2>=3 || 1<2", true},  {L"1<2 && 2<1", false},   {L"!(1<2)", false},
      {L"Math.sqrt(16) == 4", true},
  };
  for (const auto& [text, expected] : jsCases) {
    ScriptValue v = js.Eval(text);
    EXPECT_TRUE(v.isBoolean) << WideToUtf8(text);
    EXPECT_EQ(v.Truth(), expected) << WideToUtf8(text);
  }
}

TEST(ScriptEngine, AssignmentsVariablesAndFaults) {
  ScriptEngine vb;
  vb.ExecuteStatement(L"a = 3");
  vb.ExecuteStatement(L"X = 2");
  EXPECT_EQ(vb.Eval(L"A^x").number, 9);  // names in any letter case
  EXPECT_EQ(vb.Eval(L"a*2+x").number, 8);
  vb.ExecuteStatement(L"a = a + 1");
  EXPECT_EQ(vb.Eval(L"a").number, 4);
  EXPECT_EQ(vb.Eval(L"7 \\ 2").number, 3);
  vb.Reset();
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"a"); }), kUndefinedVariable);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"1/0"); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"sqr(-1)"); }), err::kInvalidCall);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"10^400"); }), err::kOverflow);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"foo(2)"); }), kExpressionSyntaxError);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(L"(1+2"); }), kExpressionSyntaxError);
  EXPECT_EQ(ErrorNumberOf([&] { vb.Eval(std::wstring(100000, L'(')); }), kExpressionSyntaxError);
  for (const wchar_t* bad : {L"1 = 2", L"sin = 3", L"a =", L"a", L"and = 1", L"a = 1 = 2 +"})
    EXPECT_NE(ErrorNumberOf([&] { vb.ExecuteStatement(bad); }), 0) << WideToUtf8(bad);

  ScriptEngine js;
  js.Language = L"javascript";
  js.ExecuteStatement(L"var b = 3;");
  js.ExecuteStatement(L"x = 2");
  EXPECT_EQ(js.Eval(L"b**x").number, 9);
  EXPECT_EQ(js.Eval(L"b^x").number, 1);  // exclusive or, as in JavaScript
  EXPECT_EQ(js.Eval(L"Math.pow(2, 10) + Math.max(1, 5) % 3").number, 1026);
  EXPECT_TRUE(std::isinf(js.Eval(L"1/0").number));
  EXPECT_EQ(ErrorNumberOf([&] { js.Eval(L"B"); }), kUndefinedVariable);  // case matters
  EXPECT_EQ(ErrorNumberOf([&] { js.Eval(L"Math.pow(2)"); }), kExpressionSyntaxError);
  EXPECT_EQ(ErrorNumberOf([&] { js.Eval(L"1; 2"); }), kExpressionSyntaxError);
  js.Language = L"Python";
  EXPECT_EQ(ErrorNumberOf([&] { js.Eval(L"1"); }), err::kInvalidCall);
}

TEST(EvalAt, MatchesDirectComputation) {
  ScriptEngine engine;
  for (int i = -1000; i <= 1000; ++i) {
    double x = i * 0.0137;
    double r = CDbl(DecimalText(x));
    EXPECT_DOUBLE_EQ(EvalAt(engine, x, L"2*sin(3*x)+x^2"), 2 * std::sin(3 * r) + r * r) << x;
    EXPECT_DOUBLE_EQ(EvalAt(engine, x, L"sqr(abs(x))+exp(x/10)-log(x*x+1)+atn(x)"),
                     std::sqrt(std::fabs(r)) + std::exp(r / 10) - std::log(r * r + 1) +
                         std::atan(r))
        << x;
  }
  // After EvalAt the engine holds x as the statement left it.
  EvalAt(engine, 0.5, L"x");
  EXPECT_EQ(engine.Eval(L"x").number, 0.5);
  EXPECT_EQ(EvalAt(engine, 3, L"x > 2"), -1);
  EXPECT_EQ(EvalAt(engine, 3, L"2*x+1 >= 7 and x-1 < 3"), -1);
  EXPECT_EQ(EvalAt(engine, 3, L"1+(2+(3+(4+(5+(6+(7+(8+(9+(10+(11+(12+x)))))))))))"), 81);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1, L"x/0"); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 0, L"1/x"); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 0, L"0/x > 1"); }), err::kOverflow);
  EXPECT_NE(ErrorNumberOf([&] { EvalAt(engine, NAN, L"x"); }), 0);
  EXPECT_NE(ErrorNumberOf([&] { EvalAt(engine, INFINITY, L"x"); }), 0);
}

TEST(EvalAt, XGoesThroughItsDecimalText) {
  ScriptEngine engine;
  EXPECT_EQ(EvalAt(engine, 0.1 + 0.2, L"x"), 0.3);
  EXPECT_EQ(EvalAt(engine, 1.0 / 3, L"x"), 0.333333333333333);
  // The arithmetic shortcut must agree bit for bit with running the statement text.
  auto slow = [&](double x) {
    engine.Reset();
    engine.ExecuteStatement(L"x = " + DecimalText(x));
    return engine.Eval(L"x").number;
  };
  std::mt19937_64 random(20240611);
  std::vector<double> xs = {1234567890123455.0, 1234567890123465.0, 999999999999999.5,
                            9.999999999999999e22, 1e-8, 9.9999999999999995e-9, 1e37, 5e-324,
                            1.7976931348623157e308, -0.0, 0.1, 1e15, 1e14, 123456789012345.67};
  for (int i = 0; i < 40000; ++i) {
    std::uniform_int_distribution<int> exponent(-12, 40);
    double mantissa = std::uniform_real_distribution<double>(1, 10)(random);
    xs.push_back((i % 2 ? -1 : 1) * mantissa * std::pow(10.0, exponent(random)));
    xs.push_back(std::bit_cast<double>(random() & 0x7FEFFFFFFFFFFFFFull));  // any finite bits
    xs.push_back(std::round(mantissa * 1e15) / 1e15 * 1e3);  // 16 or 17 digit decimals
  }
  for (double x : xs) {
    double expected = 0;
    int expectedError = ErrorNumberOf([&] { expected = slow(x); });
    double fast = 0;
    int fastError = ErrorNumberOf([&] { fast = EvalAt(engine, x, L"x"); });
    ASSERT_EQ(fastError, expectedError) << x;
    if (!expectedError) {
      ASSERT_EQ(std::bit_cast<uint64_t>(fast), std::bit_cast<uint64_t>(expected))
          << std::hexfloat << x;
    }
  }
}

TEST(EvalAt, CacheKeepsExpressionsApart) {
  ScriptEngine engine;
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 20; ++k) {  // more texts than the cache holds
      std::wstring expr = L"x*" + std::to_wstring(k) + L"+1";
      EXPECT_EQ(EvalAt(engine, 2, expr), 2.0 * k + 1);
      EXPECT_EQ(EvalAt(engine, 2, L"x+1"), 3);
    }
  }
  EXPECT_EQ(EvalAt(engine, 3, L"2^x"), 8);
  engine.Language = L"JavaScript";
  EXPECT_EQ(EvalAt(engine, 3, L"2^x"), 1);  // same text, other language
  engine.Language = L"VBScript";
  EXPECT_EQ(EvalAt(engine, 3, L"2^x"), 8);
  // Text that does not compile is refused every time, never served from the cache.
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1, L"x+"); }), kExpressionSyntaxError);
  EXPECT_EQ(EvaluateOnce(L"2*sin(3*x)+x^2", 0.25), EvalAt(engine, 0.25, L"2*sin(3*x)+x^2"));
}

}  // namespace
}  // namespace plx::graph

namespace plx::graph {
namespace {

TEST(MathExpressionAt, ReadsAsWritingXIn) {
  MathPlugin fast, slow;
  for (const wchar_t* text : {L"1/x", L"sqr(x)", L"x^2-2*x+1", L"2*sin(3*x)+x^2/10", L"log(x)", L"x2", L"exp(x)",
                              L"x mod 3", L"abs(x)^0.5", L"(x", L"foo(x)", L"x*y", L"5"}) {
    std::wstring expr = NormaliseExpression(text);
    for (double x : {-3.0, -0.5, 0.0, 0.1 + 0.2, 1e-7, 2.5, 7.0, 1e20}) {
      bool e1 = false, e2 = false;
      double r1 = 0, r2 = 0;
      fast.MathExpressionAt(expr, x, e1, r1);
      slow.MathExpression(SubstituteVariable(expr, L'x', x), e2, r2);
      EXPECT_EQ(e1, e2) << WideToUtf8(expr) << " at " << x;
      if (!e1 && !e2) {
        EXPECT_DOUBLE_EQ(r1, r2) << WideToUtf8(expr) << " at " << x;
      }
    }
  }
}

}  // namespace
}  // namespace plx::graph
