#pragma once
// The arithmetic shared by the two expression evaluators: a token list (made by the
// evaluator's own tokeniser) is compiled once into a flat stack program, which is then run
// as often as needed without touching the text again. Compilation and evaluation raise
// VbError with a Chinese message; neither recurses without bound nor throws anything else
// for bad input.
//
// Three dialects share the grammar machinery and differ in their operator tables and in
// their arithmetic:
//   Resolver   the evaluator of numeric boxes: + - * / ^ MOD AND OR XOR EQV IMP and the
//              functions SQR TAN ATN SIN COS EXP LOG ABS SGN; no variables.
//   VBScript   the same arithmetic with variables, comparisons (= <> < <= > >=), Not, "\"
//              and the literals True and False.
//   JavaScript IEEE arithmetic (1/0 is Infinity), "**" power, "^" bitwise exclusive or, "%",
//              comparisons (== != === !== < <= > >=), && || !, and Math.* functions.
// Resolver and VBScript follow the host language: faults (division by zero, the logarithm of
// a non-positive number, overflow...) raise errors, and integer operators round their
// operands half to even into 32 bits. Powers are right-associative in every dialect.
//
// Programs that only compute numbers are tidied after compiling: every part that computes a
// constant is replaced by its value (a part whose evaluation would raise is kept, so the
// error still comes when and only when the expression is evaluated; nothing is reordered),
// and a power with a constant whole exponent from 2 to 8 becomes one step that multiplies
// (see common/exact_power.hpp: the same value the folding gives such a power of a constant).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/vector_width.hpp"

namespace plx::graph {

enum class Dialect { Resolver, VBScript, JavaScript };

// Longest expression text the evaluators accept, and deepest nesting of brackets, unary
// operators and power chains; beyond either the text is refused with a message.
constexpr size_t kMaxExpressionLength = 2000;
constexpr int kMaxNesting = 200;

// Error numbers of the script engine for text it cannot read or a name it does not know.
constexpr int kExpressionSyntaxError = 1002;
constexpr int kUndefinedVariable = 500;

// A number, or a boolean from a comparison. A boolean also carries its numeric value in
// `number` (True is -1 in VBScript, 1 in JavaScript), which is what arithmetic on it sees.
struct ScriptValue {
  double number = 0;
  bool isBoolean = false;

  static ScriptValue Number(double value) { return {value, false}; }
  static ScriptValue Boolean(bool value, Dialect dialect);
  // Non-zero and not NaN.
  bool Truth() const { return number != 0 && number == number; }
};

struct ExprToken {
  enum class Kind { Number, Word, Symbol, Open, Close, Comma, End };
  Kind kind = Kind::End;
  std::wstring text;    // as written
  double number = 0;    // for Number
  size_t position = 0;  // 1-based character position in the text, for messages
};

// Tokens of a script-engine expression: numbers (with exponents), names (JavaScript names may
// contain "." as in Math.sqrt), operators, brackets and commas; blanks, tabs and line breaks
// separate tokens. Ends with an End token. Raises error 1002 for a character it cannot read.
std::vector<ExprToken> LexScript(const std::wstring& text, Dialect dialect);

// Reads the number at text[pos]: digits with an optional decimal point (at least one digit)
// and an optional exponent ("E", an optional sign, digits). Returns the characters read, 0 when
// no number starts there; `value` may be infinite when the number is too large.
size_t ReadNumber(const std::wstring& text, size_t pos, double& value);

class CompiledExpression {
 public:
  // Compiles tokens (ending with End) in the given dialect; raises VbError 1002 with a
  // message naming the position for malformed text.
  static CompiledExpression Compile(const std::vector<ExprToken>& tokens, Dialect dialect,
                                    const std::wstring& resolverVariable = L"");
  // The resolver's dialect with one variable allowed (upper-case name), for
  // probing one expression at many values of x.
  static CompiledExpression CompileWithVariable(const std::vector<ExprToken>& tokens, const std::wstring& variable);

  Dialect dialect() const { return dialect_; }
  // Names of the variables the expression reads, in order of first use (lower case in the
  // case-insensitive dialects). Evaluate takes their values in this order.
  const std::vector<std::wstring>& Variables() const { return variables_; }
  // Runs the program; raises VbError for a run-time fault of the dialect's arithmetic.
  ScriptValue Evaluate(const ScriptValue* variables) const {
    if (!numeric_) return EvaluateGeneral(variables);
    return dialect_ == Dialect::JavaScript ? EvaluateNumeric<false>(variables)
                                           : EvaluateNumeric<true>(variables);
  }

  // Whether the program can run over many values of its one variable at once
  // (EvaluateEach): it computes a number from at most one variable, without the host
  // language's integer operators.
  bool Batchable() const { return batchable_; }
  // out[i] = the value at x[i] for i < n, computed one instruction at a time over blocks of
  // values; ok[i] is 0 where Evaluate would raise an error (out[i] is then meaningless).
  // Only for Batchable programs. Never raises. The first form runs the loops compiled for the
  // given vector width (one the processor runs), the second the widest.
  void EvaluateEach(VectorWidth width, const double* x, size_t n, double* out, uint8_t* ok) const;
  void EvaluateEach(const double* x, size_t n, double* out, uint8_t* ok) const;

  // Whether `name` would be read as a variable (not a function, constant or operator word).
  static bool IsVariableName(const std::wstring& name, Dialect dialect);

  // The compiler relies on the order of Add..Div and of their K forms.
  enum class Op : uint8_t {
    Push, PushBool, Load,
    Neg, Not, LogicalNot,
    Add, Sub, Mul, Div, IntDiv, Mod, Rem, Pow,
    PowN,  // the top to the whole power `slot` (2 to 8), by products
    // The four operators with a constant (K) or a variable (V) as right operand, so that
    // "3*x" or "x+1" is one step instead of three.
    AddK, SubK, MulK, DivK, AddV, SubV, MulV, DivV,
    And, Or, Xor, Eqv, Imp, BitXor, LogicalAnd, LogicalOr,
    Eq, Ne, StrictEq, StrictNe, Lt, Le, Gt, Ge,
    Call1, Call2,
  };
  struct Instruction {
    Op op;
    uint8_t function;  // for calls
    uint16_t slot;     // for steps that read a variable
    double value;      // for steps that use a constant
  };

 private:
  // Programs that only compute numbers (the curves) run on a plain double stack with its top
  // in a register, without carrying a boolean flag along. kHost: the host language's
  // arithmetic (errors instead of infinities).
  template <bool kHost>
  ScriptValue EvaluateNumeric(const ScriptValue* variables) const;
  template <bool kHost>
  void EvaluateBlock(const double* x, double* bottom, double* columns, uint8_t* ok) const;
  // EvaluateEach's loop over the blocks, and its copies for each vector width.
  void EveryBlock(const double* x, size_t n, double* out, uint8_t* ok) const;
  void EveryBlockBaseline(const double* x, size_t n, double* out, uint8_t* ok) const;
  PLX_TARGET_AVX2 void EveryBlockAvx2(const double* x, size_t n, double* out, uint8_t* ok) const;
  PLX_TARGET_AVX512 void EveryBlockAvx512(const double* x, size_t n, double* out, uint8_t* ok) const;
  // Replaces every part that computes a constant by its value.
  void FoldConstants();
  // Joins constant right operands to their operators, and turns powers with a small whole
  // exponent into PowN.
  void FuseConstantOperands();
  // Any program: values carry their boolean flag through every step.
  ScriptValue EvaluateGeneral(const ScriptValue* variables) const;

  Dialect dialect_ = Dialect::Resolver;
  bool numeric_ = false;
  bool batchable_ = false;
  std::vector<Instruction> code_;
  std::vector<std::wstring> variables_;
  size_t maxStack_ = 0;
};

}  // namespace plx::graph
