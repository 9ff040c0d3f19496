#include <gtest/gtest.h>

#include "support/error_number.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "common/vector_width.hpp"
#include "graph/expr/decimal_rounding.hpp"
#include "graph/expr/math_plugin.hpp"
#include "graph/expr/normalise.hpp"
#include "graph/expr/sampled_expression.hpp"
#include "graph/expr/script_engine.hpp"

namespace plx::graph {
namespace {

using test::ErrorNumberOf;

bool SameBits(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b) || (std::isnan(a) && std::isnan(b));
}

const std::vector<double> kXs = {-3.0, -2.5, -1.0, -0.5, -0.0, 0.0, 1e-9, 0.1 + 0.2, 1.0 / 3, 2.5, 7.0,
                                 123456.789, 1e20, 1e40, NAN, INFINITY};

TEST(SampledExpression, GivesWhatEvalAtGives) {
  const std::vector<std::wstring> texts = {
      L"2*sin(3*x)+x^2", L"x^5-3*x^3+2*x-1", L"sqr(abs(x))/(1+x^2)", L"exp(-x^2/2)",
      L"log(x^2+1)*cos(x)", L"1/x", L"sqr(x)", L"log(x)", L"x^0.5", L"(-2)^x", L"exp(x*100)",
      L"x mod 3", L"x > 1", L"x^7-x^4", L"-x^4", L"0^x", L"5", L"x+y", L"X", L"x+", L"1/0+x",
      L"Math.sqrt(x)", L"x**3", L"x^3", L"atn(x)+tan(x)-sgn(x)"};
  for (const wchar_t* language : {L"VBScript", L"JavaScript", L"Python"}) {
    ScriptEngine engine;
    engine.Language = language;
    for (const std::wstring& text : texts) {
      SampledExpression f = SampledExpression::LikeEvalAt(engine, text);
      std::vector<double> ys;
      std::vector<uint8_t> ok;
      f.AtEach(kXs, ys, ok);
      for (size_t i = 0; i < kXs.size(); ++i) {
        const double x = kXs[i];
        double expected = 0;
        ScriptEngine fresh;
        fresh.Language = language;
        const bool fails = ErrorNumberOf([&] { expected = EvalAt(fresh, x, text); }) != 0;
        double one = -123;
        const bool oneOk = f.At(x, one);
        SCOPED_TRACE(WideToUtf8(std::wstring(language) + L" " + text) + " at " + std::to_string(x));
        EXPECT_EQ(oneOk, !fails);
        EXPECT_EQ(ok[i] != 0, !fails);
        if (!fails) {
          EXPECT_TRUE(SameBits(one, expected)) << one << " " << expected;
          EXPECT_TRUE(SameBits(ys[i], expected)) << ys[i] << " " << expected;
        } else {
          EXPECT_EQ(one, -123);  // an error leaves the value alone
        }
      }
    }
  }
}

TEST(SampledExpression, GivesWhatTheNumericBoxProbeGives) {
  // Including texts that read only once x is written in ("2x" at 3 is 23).
  for (const wchar_t* typed : {L"1/x", L"sqr(x)", L"x^2-2*x+1", L"2*sin(3*x)+x^2/10", L"log(x)", L"x2",
                               L"2x", L"exp(x)", L"x mod 3", L"abs(x)^0.5", L"(x", L"foo(x)", L"x*y", L"5"}) {
    MathPlugin plugin, reference;
    const std::wstring expr = typed == std::wstring(L"2x") ? typed : NormaliseExpression(typed);
    SampledExpression f = SampledExpression::LikeMathExpressionAt(plugin, expr);
    std::vector<double> ys;
    std::vector<uint8_t> ok;
    f.AtEach(kXs, ys, ok);
    for (size_t i = 0; i < kXs.size(); ++i) {
      bool error = false;
      double expected = 0;
      reference.MathExpressionAt(expr, kXs[i], error, expected);
      SCOPED_TRACE(WideToUtf8(expr) + " at " + std::to_string(kXs[i]));
      EXPECT_EQ(ok[i] != 0, !error);
      if (!error) {
        EXPECT_TRUE(SameBits(ys[i], expected));
      }
    }
  }
}

TEST(CompiledExpression, PowersOfXGiveWhatPowersOfTheWrittenNumberGive) {
  // A power of x probed at 0.3 and the same power with 0.3 written in (where it is folded as
  // a constant) must agree to the last bit, or the graph and its table differ.
  for (const wchar_t* text : {L"x^2", L"x^3*x", L"x^5-3*x^3", L"x^8", L"-x^4"}) {
    for (double x : {0.3, 1.0 / 3, -2.5, 123456.789}) {
      bool fastError = true, slowError = true;
      double fast = 0, slow = 0;
      MathPlugin().MathExpressionAt(text, x, fastError, fast);
      MathPlugin().MathExpression(SubstituteVariable(text, L'x', x), slowError, slow);
      SCOPED_TRACE(WideToUtf8(text) + " at " + std::to_string(x));
      ASSERT_FALSE(fastError || slowError);
      EXPECT_TRUE(SameBits(fast, slow)) << fast << " " << slow;
    }
  }
}

TEST(CompiledExpression, FoldedConstantsKeepOrderAndErrors) {
  ScriptEngine engine;
  // Only whole constant parts fold: x*10/10 still overflows at 1e308, as written.
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1e308, L"x*10/10"); }), err::kOverflow);
  EXPECT_EQ(EvalAt(engine, 2, L"x*(10/4)"), 5);
  EXPECT_EQ(EvalAt(engine, 2, L"-2^2+x"), -2);  // still -(2^2)
  EXPECT_EQ(EvalAt(engine, 2, L"2^3^2"), 512);  // still 2^(3^2)
  // A constant part that cannot be computed fails when it is evaluated, with its own error.
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1, L"x+1/0"); }), err::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1, L"sqr(-4)*x"); }), err::kInvalidCall);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1, L"x+10^400"); }), err::kOverflow);
  engine.Language = L"JavaScript";
  EXPECT_TRUE(std::isinf(EvalAt(engine, 1, L"x+1/0")));
  EXPECT_EQ(EvalAt(engine, 1, L"x+(2>1)"), 2);  // a folded comparison stays a boolean
  MathPlugin plugin;
  bool error = false;
  double value = 0;
  plugin.MathExpression(L"2*(3+4)^2-1", error, value);
  EXPECT_FALSE(error);
  EXPECT_EQ(value, 97);
}

TEST(CompiledExpression, SmallWholePowersAsProducts) {
  ScriptEngine engine;
  for (int n = 3; n <= 9; ++n) {
    const std::wstring text = L"x^" + std::to_wstring(n);
    for (int i = -400; i <= 400; ++i) {
      const double x = i * 0.0271;
      const double r = EvalAt(engine, x, text);
      EXPECT_DOUBLE_EQ(r, std::pow(CDbl(DecimalText(x)), n)) << n << " " << x;
      if (n == 9) {
        EXPECT_EQ(r, std::pow(CDbl(DecimalText(x)), 9));  // beyond 8 it is the power function
      }
    }
  }
  EXPECT_EQ(EvalAt(engine, -2, L"x^3"), -8);
  EXPECT_EQ(EvalAt(engine, -2, L"x^4"), 16);
  EXPECT_EQ(ErrorNumberOf([&] { EvalAt(engine, 1e100, L"x^5"); }), err::kOverflow);
  engine.Language = L"JavaScript";
  EXPECT_TRUE(std::isinf(EvalAt(engine, 1e100, L"x**5")));
  EXPECT_EQ(EvalAt(engine, 3, L"x**4"), 81);
}

// The loops over many values are compiled once per vector width; each must give, bit for bit,
// what one value at a time gives, faults included.
TEST(CompiledExpression, EveryVectorWidthGivesWhatOneValueGives) {
  std::vector<double> xs = {0.0, -0.0, 1.0, -1.0, 2.0, 0.5, 1e-300, -1e-300, 1e300, -1e300,
                            1e155, NAN, INFINITY, -INFINITY};
  std::mt19937_64 random(5);
  for (int i = 0; i < 600; ++i)
    xs.push_back((i % 2 ? -1 : 1) * std::uniform_real_distribution<double>(0, 1)(random) *
                 std::pow(10.0, std::uniform_int_distribution<int>(-12, 12)(random)));
  const std::vector<std::wstring> texts = {
      L"2*sin(3*x)+x^2", L"x^5-3*x^3+2*x-1", L"sqr(abs(x))/(1+x^2)", L"exp(-x^2/2)",
      L"log(x^2+1)*cos(x)", L"1/x", L"sqr(x)", L"log(x)", L"x^0.5", L"x^7-x^4", L"atn(x)+tan(x)-sgn(x)",
      L"(x-1)/(x+1)*x^3"};
  for (Dialect dialect : {Dialect::VBScript, Dialect::JavaScript}) {
    for (const std::wstring& text : texts) {
      const CompiledExpression program = CompiledExpression::Compile(LexScript(text, dialect), dialect);
      ASSERT_TRUE(program.Batchable()) << WideToUtf8(text);
      for (VectorWidth width : RunnableVectorWidths()) {
        std::vector<double> out(xs.size());
        std::vector<uint8_t> ok(xs.size());
        program.EvaluateEach(width, xs.data(), xs.size(), out.data(), ok.data());
        for (size_t i = 0; i < xs.size(); ++i) {
          const ScriptValue x = ScriptValue::Number(xs[i]);
          double one = 0;
          const bool fails = ErrorNumberOf([&] { one = program.Evaluate(&x).number; }) != 0;
          SCOPED_TRACE(WideToUtf8(text) + " at " + std::to_string(xs[i]) + ", width " +
                       std::to_string(static_cast<int>(width)));
          ASSERT_EQ(ok[i] != 0, !fails);
          if (!fails) {
            ASSERT_TRUE(SameBits(out[i], one)) << out[i] << " " << one;
          }
        }
      }
    }
  }
}

TEST(ThroughDecimalText, ManyAtOnceAgreeWithOneAtATime) {
  std::mt19937_64 random(7);
  std::vector<double> xs = {0.0, -0.0, 1e-8, 9.9999999999999995e-9, 1e37, 5e-324, -1e15, 1e14,
                            999999999999999.5, 10, -10, NAN, INFINITY, -INFINITY,
                            std::numeric_limits<double>::max(),
                            // 10^22 scales both, though the second one's binary exponent
                            // suggests 10^23
                            3.9933332906647097e-08, 1.3311110968882365e-08};
  for (int i = 0; i < 3000; ++i) {
    std::uniform_int_distribution<int> exponent(-12, 40);
    xs.push_back((i % 2 ? -1 : 1) * std::uniform_real_distribution<double>(1, 10)(random) *
                 std::pow(10.0, exponent(random)));
    xs.push_back(std::bit_cast<double>(random() & 0x7FEFFFFFFFFFFFFFull));
    xs.push_back(-10 + 0.01 * (i % 2001));  // a sampling grid: runs of one power of ten
  }
  for (VectorWidth width : RunnableVectorWidths()) {
    SCOPED_TRACE("vector width " + std::to_string(static_cast<int>(width)));
    std::vector<double> out(xs.size());
    std::vector<uint8_t> ok(xs.size());
    const size_t refused = ThroughDecimalTextEach(width, xs.data(), xs.size(), out.data(), ok.data());
    EXPECT_EQ(refused, static_cast<size_t>(std::count(ok.begin(), ok.end(), 0)));
    for (size_t i = 0; i < xs.size(); ++i) {
      double one = 0;
      const bool oneOk = ThroughDecimalText(xs[i], one);
      ASSERT_EQ(ok[i] != 0, oneOk) << xs[i];
      if (oneOk) {
        ASSERT_EQ(std::bit_cast<uint64_t>(out[i]), std::bit_cast<uint64_t>(one)) << std::hexfloat << xs[i];
      }
    }
  }
}

// What the rounding stands for: x written as its decimal text and read back by the engine.
// Powers of two (whose lower neighbour is closer), exact ties at the fifteenth digit, the
// neighbours of powers of ten and a sampling grid are where a fast rounding goes wrong first.
TEST(ThroughDecimalText, GivesWhatTheDecimalTextReads) {
  std::mt19937_64 random(11);
  std::vector<double> xs;
  for (int e = -30; e <= 52; ++e) {
    const double power = std::ldexp(1.0, e);
    xs.insert(xs.end(), {power, -power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)});
  }
  for (int k = -9; k <= 16; ++k) {
    const double power = std::pow(10.0, k);
    xs.insert(xs.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300)});
  }
  for (int i = 0; i < 2001; ++i) xs.push_back(-10 + 0.01 * i);
  for (int i = 0; i < 2000; ++i) {
    // m + 1/2 at the fifteenth digit, exact in binary when m is small enough.
    const double m = std::uniform_int_distribution<int64_t>(100000000000000, 999999999999999)(random);
    xs.push_back((m + 0.5) * std::pow(10.0, std::uniform_int_distribution<int>(-14, -1)(random)));
    xs.push_back(std::uniform_real_distribution<double>(1, 10)(random) *
                 std::pow(10.0, std::uniform_int_distribution<int>(-9, 15)(random)));
  }
  for (VectorWidth width : RunnableVectorWidths()) {
    SCOPED_TRACE("vector width " + std::to_string(static_cast<int>(width)));
    std::vector<double> out(xs.size());
    std::vector<uint8_t> ok(xs.size());
    ThroughDecimalTextEach(width, xs.data(), xs.size(), out.data(), ok.data());
    size_t rounded = 0;
    for (size_t i = 0; i < xs.size(); ++i) {
      if (!ok[i]) continue;
      ++rounded;
      const double read = EvaluateOnce(L"x", xs[i]);
      ASSERT_EQ(std::bit_cast<uint64_t>(out[i]), std::bit_cast<uint64_t>(read))
          << std::hexfloat << xs[i] << " gives " << out[i] << " where the text reads " << read;
    }
    EXPECT_GT(rounded, xs.size() * 9 / 10);  // only values out of range take the text route
  }
}

// A value that is already the double nearest to a fifteen-digit decimal reads back as itself,
// whatever its power of ten: the quotient by that power must be the correctly rounded one.
TEST(ThroughDecimalText, FifteenDigitValuesStayThemselves) {
  std::mt19937_64 random(3);
  std::vector<double> xs;
  for (int k = 0; k <= 22; ++k) {
    for (int i = 0; i < 20000; ++i) {
      const int64_t m = std::uniform_int_distribution<int64_t>(100000000000001, 999999999999999)(random);
      xs.push_back(static_cast<double>(m) / std::pow(10.0, k) * (i % 2 ? -1 : 1));
    }
  }
  for (VectorWidth width : RunnableVectorWidths()) {
    std::vector<double> out(xs.size());
    std::vector<uint8_t> ok(xs.size());
    ThroughDecimalTextEach(width, xs.data(), xs.size(), out.data(), ok.data());
    for (size_t i = 0; i < xs.size(); ++i) {
      ASSERT_TRUE(ok[i]) << xs[i];
      ASSERT_EQ(std::bit_cast<uint64_t>(out[i]), std::bit_cast<uint64_t>(xs[i]))
          << std::hexfloat << xs[i] << ", width " << static_cast<int>(width);
    }
  }
}

}  // namespace
}  // namespace plx::graph
