#include "graph/expr/compiled_expression.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "graph/expr/expr_math.hpp"

namespace plx::graph {

namespace {

using Op = CompiledExpression::Op;
using Instruction = CompiledExpression::Instruction;
using namespace expr_math;

struct FunctionInfo {
  const wchar_t* text;
  Fn fn;
  int arity;
};

// The host language's functions, looked up by upper-case name.
constexpr FunctionInfo kHostFunctions[] = {
    {L"SQR", kSqr, 1}, {L"LOG", kLog, 1}, {L"EXP", kExp, 1}, {L"SIN", kSin, 1},
    {L"COS", kCos, 1}, {L"TAN", kTan, 1}, {L"ATN", kAtn, 1}, {L"ABS", kAbs, 1},
    {L"SGN", kSgn, 1},
};

// The script engine's JavaScript accepts the normaliser's names as well as Math.*.
constexpr FunctionInfo kJsFunctions[] = {
    {L"sqr", kSqr, 1},        {L"log", kLog, 1},        {L"exp", kExp, 1},
    {L"sin", kSin, 1},        {L"cos", kCos, 1},        {L"tan", kTan, 1},
    {L"atn", kAtn, 1},        {L"abs", kAbs, 1},        {L"sgn", kSgn, 1},
    {L"Math.sqrt", kSqr, 1},  {L"Math.log", kLog, 1},   {L"Math.exp", kExp, 1},
    {L"Math.sin", kSin, 1},   {L"Math.cos", kCos, 1},   {L"Math.tan", kTan, 1},
    {L"Math.atan", kAtn, 1},  {L"Math.abs", kAbs, 1},   {L"Math.sign", kSgn, 1},
    {L"Math.floor", kFloor, 1}, {L"Math.ceil", kCeil, 1}, {L"Math.pow", kPow, 2},
    {L"Math.min", kMin, 2},   {L"Math.max", kMax, 2},
};

struct BinaryOp {
  const wchar_t* text;
  int precedence;  // higher binds tighter
  bool rightAssociative;
  Op op;
};

struct PrefixOp {
  const wchar_t* text;
  int precedence;  // the operand takes binary operators of at least this precedence
  bool emits;      // unary plus compiles to nothing
  Op op;
};

// Host language precedence: ^, unary minus, * /, \, Mod, + -, comparisons, Not, And, Or,
// Xor, Eqv, Imp.
constexpr BinaryOp kResolverBinary[] = {
    {L"IMP", 1, false, Op::Imp}, {L"EQV", 2, false, Op::Eqv}, {L"XOR", 3, false, Op::Xor},
    {L"OR", 4, false, Op::Or},   {L"AND", 5, false, Op::And}, {L"+", 8, false, Op::Add},
    {L"-", 8, false, Op::Sub},   {L"MOD", 9, false, Op::Mod}, {L"*", 11, false, Op::Mul},
    {L"/", 11, false, Op::Div},  {L"^", 13, true, Op::Pow},
};
constexpr BinaryOp kVbBinary[] = {
    {L"IMP", 1, false, Op::Imp}, {L"EQV", 2, false, Op::Eqv}, {L"XOR", 3, false, Op::Xor},
    {L"OR", 4, false, Op::Or},   {L"AND", 5, false, Op::And}, {L"=", 7, false, Op::Eq},
    {L"<>", 7, false, Op::Ne},   {L"<", 7, false, Op::Lt},    {L"<=", 7, false, Op::Le},
    {L">", 7, false, Op::Gt},    {L">=", 7, false, Op::Ge},   {L"+", 8, false, Op::Add},
    {L"-", 8, false, Op::Sub},   {L"MOD", 9, false, Op::Mod}, {L"\\", 10, false, Op::IntDiv},
    {L"*", 11, false, Op::Mul},  {L"/", 11, false, Op::Div},  {L"^", 13, true, Op::Pow},
};
constexpr BinaryOp kJsBinary[] = {
    {L"||", 1, false, Op::LogicalOr}, {L"&&", 2, false, Op::LogicalAnd},
    {L"^", 4, false, Op::BitXor},     {L"==", 6, false, Op::Eq},
    {L"!=", 6, false, Op::Ne},        {L"===", 6, false, Op::StrictEq},
    {L"!==", 6, false, Op::StrictNe}, {L"<", 7, false, Op::Lt},
    {L"<=", 7, false, Op::Le},        {L">", 7, false, Op::Gt},
    {L">=", 7, false, Op::Ge},        {L"+", 8, false, Op::Add},
    {L"-", 8, false, Op::Sub},        {L"*", 9, false, Op::Mul},
    {L"/", 9, false, Op::Div},        {L"%", 9, false, Op::Rem},
    {L"**", 11, true, Op::Pow},
};

constexpr PrefixOp kResolverPrefix[] = {{L"-", 12, true, Op::Neg}, {L"+", 12, false, Op::Neg}};
constexpr PrefixOp kVbPrefix[] = {
    {L"-", 12, true, Op::Neg}, {L"+", 12, false, Op::Neg}, {L"NOT", 6, true, Op::Not}};
constexpr PrefixOp kJsPrefix[] = {
    {L"-", 10, true, Op::Neg}, {L"+", 10, false, Op::Neg}, {L"!", 10, true, Op::LogicalNot}};

// Stack size of the fast numeric evaluator; deeper programs take the general one.
constexpr size_t kNumericStack = 32;

// A function written without brackets in the resolver ("SQR 16") applies to the primary
// after it, tighter than any operator.
constexpr int kFunctionOperandPrecedence = 14;

template <typename T, size_t N>
const T* FindByText(const T (&table)[N], const std::wstring& key) {
  for (const T& entry : table)
    if (key == entry.text) return &entry;
  return nullptr;
}

bool CaseInsensitive(Dialect dialect) { return dialect != Dialect::JavaScript; }

std::wstring KeyOf(const std::wstring& text, Dialect dialect) {
  return CaseInsensitive(dialect) ? UCase(text) : text;
}

const BinaryOp* FindBinary(const std::wstring& key, Dialect dialect) {
  switch (dialect) {
    case Dialect::Resolver: return FindByText(kResolverBinary, key);
    case Dialect::VBScript: return FindByText(kVbBinary, key);
    case Dialect::JavaScript: return FindByText(kJsBinary, key);
  }
  return nullptr;
}

const PrefixOp* FindPrefix(const std::wstring& key, Dialect dialect) {
  switch (dialect) {
    case Dialect::Resolver: return FindByText(kResolverPrefix, key);
    case Dialect::VBScript: return FindByText(kVbPrefix, key);
    case Dialect::JavaScript: return FindByText(kJsPrefix, key);
  }
  return nullptr;
}

const FunctionInfo* FindFunction(const std::wstring& key, Dialect dialect) {
  return dialect == Dialect::JavaScript ? FindByText(kJsFunctions, key)
                                        : FindByText(kHostFunctions, key);
}

// Named constants: True and False in VBScript; true, false, Math.PI and Math.E in JavaScript.
bool FindConstant(const std::wstring& key, Dialect dialect, ScriptValue& value) {
  if (dialect == Dialect::VBScript && (key == L"TRUE" || key == L"FALSE")) {
    value = ScriptValue::Boolean(key == L"TRUE", dialect);
    return true;
  }
  if (dialect == Dialect::JavaScript) {
    if (key == L"true" || key == L"false") {
      value = ScriptValue::Boolean(key == L"true", dialect);
      return true;
    }
    if (key == L"Math.PI") { value = ScriptValue::Number(3.141592653589793); return true; }
    if (key == L"Math.E") { value = ScriptValue::Number(2.718281828459045); return true; }
  }
  return false;
}

[[noreturn]] void SyntaxError(const std::wstring& message) {
  Raise(kExpressionSyntaxError, message);
}

std::wstring At(size_t position) {
  return L"第 " + std::to_wstring(position) + L" 个字符处";
}

std::wstring Quoted(const std::wstring& text) { return L"“" + text + L"”"; }

// Pratt parser emitting a stack program. Every recursion passes through Expression, which
// counts the depth, so no text can exhaust the call stack.
class Compiler {
 public:
  Compiler(const std::vector<ExprToken>& tokens, Dialect dialect, std::wstring resolverVariable = L"")
      : tokens_(tokens), dialect_(dialect), resolverVariable_(std::move(resolverVariable)) {}

  void Run() {
    if (Current().kind == ExprToken::Kind::End) SyntaxError(L"表达式为空");
    Expression(0);
    const ExprToken& rest = Current();
    if (rest.kind == ExprToken::Kind::End) return;
    if (rest.kind == ExprToken::Kind::Close)
      SyntaxError(L"括号不匹配：" + At(rest.position) + L"多了一个右括号“)”");
    SyntaxError(At(rest.position) + L"缺少运算符（" + Quoted(rest.text) + L"之前）");
  }

  std::vector<Instruction> code;
  std::vector<std::wstring> variables;
  size_t maxStack = 0;

 private:
  const ExprToken& Current() const { return tokens_[pos_]; }
  const ExprToken& Next() const { return tokens_[pos_ + 1 < tokens_.size() ? pos_ + 1 : pos_]; }
  void Advance() {
    if (pos_ + 1 < tokens_.size()) ++pos_;
  }
  bool IsOperatorToken(const ExprToken& t) const {
    return t.kind == ExprToken::Kind::Symbol || t.kind == ExprToken::Kind::Word;
  }

  void Expression(int minPrecedence) {
    if (++depth_ > kMaxNesting)
      SyntaxError(L"表达式嵌套过深（超过 " + std::to_wstring(kMaxNesting) + L" 层）");
    const size_t leftStart = code.size();
    Unary();
    while (IsOperatorToken(Current())) {
      const BinaryOp* op = FindBinary(KeyOf(Current().text, dialect_), dialect_);
      if (!op || op->precedence < minPrecedence) break;
      Advance();
      const size_t rightStart = code.size();
      Expression(op->rightAssociative ? op->precedence : op->precedence + 1);
      EmitBinary(op->op, leftStart, rightStart);
    }
    --depth_;
  }

  void Unary() {
    if (IsOperatorToken(Current())) {
      if (const PrefixOp* op = FindPrefix(KeyOf(Current().text, dialect_), dialect_)) {
        Advance();
        Expression(op->precedence);
        if (op->emits) Emit({op->op, 0, 0, 0}, 0);
        return;
      }
    }
    Primary();
  }

  void Primary() {
    const ExprToken& t = Current();
    switch (t.kind) {
      case ExprToken::Kind::Number:
        if (!std::isfinite(t.number)) Raise(err::kOverflow, L"数值" + Quoted(t.text) + L"超出范围");
        Emit({Op::Push, 0, 0, t.number}, +1);
        Advance();
        return;
      case ExprToken::Kind::Open:
        Advance();
        Expression(0);
        if (Current().kind != ExprToken::Kind::Close) {
          if (Current().kind == ExprToken::Kind::End) SyntaxError(L"括号不匹配：缺少右括号“)”");
          SyntaxError(At(Current().position) + L"缺少运算符（" + Quoted(Current().text) +
                      L"之前）");
        }
        Advance();
        return;
      case ExprToken::Kind::Word:
        Name();
        return;
      case ExprToken::Kind::End:
        SyntaxError(L"表达式不完整：末尾缺少运算数");
      default:
        SyntaxError(At(t.position) + L"缺少运算数（" + Quoted(t.text) + L"之前）");
    }
  }

  void Name() {
    const ExprToken& t = Current();
    std::wstring key = KeyOf(t.text, dialect_);
    if (const FunctionInfo* f = FindFunction(key, dialect_)) {
      Advance();
      Call(*f, t);
      return;
    }
    ScriptValue constant;
    if (FindConstant(key, dialect_, constant)) {
      Emit({constant.isBoolean ? Op::PushBool : Op::Push, 0, 0, constant.number}, +1);
      Advance();
      return;
    }
    if (FindBinary(key, dialect_) || FindPrefix(key, dialect_))
      SyntaxError(At(t.position) + L"缺少运算数（" + Quoted(t.text) + L"之前）");
    bool variable = dialect_ == Dialect::Resolver
                        ? !resolverVariable_.empty() && UCase(t.text) == resolverVariable_
                        : CompiledExpression::IsVariableName(t.text, dialect_);
    if (!variable) SyntaxError(L"无法识别的符号" + Quoted(t.text));
    if (Next().kind == ExprToken::Kind::Open) SyntaxError(L"未知的函数" + Quoted(t.text));
    std::wstring name = dialect_ == Dialect::JavaScript ? t.text : LCase(t.text);
    size_t slot = 0;
    while (slot < variables.size() && variables[slot] != name) ++slot;
    if (slot == variables.size()) variables.push_back(name);
    Emit({Op::Load, 0, static_cast<uint16_t>(slot), 0}, +1);
    Advance();
  }

  // Arguments in brackets, separated by commas; the resolver also takes a one-argument
  // function followed directly by its operand.
  void Call(const FunctionInfo& f, const ExprToken& nameToken) {
    Op op = f.arity == 1 ? Op::Call1 : Op::Call2;
    if (Current().kind != ExprToken::Kind::Open) {
      if (dialect_ != Dialect::Resolver || f.arity != 1)
        SyntaxError(L"函数" + Quoted(nameToken.text) + L"后面缺少括号");
      Expression(kFunctionOperandPrecedence);
      Emit({op, static_cast<uint8_t>(f.fn), 0, 0}, 0);
      return;
    }
    Advance();
    for (int i = 0; i < f.arity; ++i) {
      if (i > 0) {
        if (Current().kind != ExprToken::Kind::Comma) ArityError(f, nameToken);
        Advance();
      }
      Expression(0);
    }
    if (Current().kind == ExprToken::Kind::Comma) ArityError(f, nameToken);
    if (Current().kind != ExprToken::Kind::Close) {
      if (Current().kind == ExprToken::Kind::End) SyntaxError(L"括号不匹配：缺少右括号“)”");
      SyntaxError(At(Current().position) + L"缺少运算符（" + Quoted(Current().text) + L"之前）");
    }
    Advance();
    Emit({op, static_cast<uint8_t>(f.fn), 0, 0}, f.arity == 1 ? 0 : -1);
  }

  [[noreturn]] void ArityError(const FunctionInfo& f, const ExprToken& nameToken) {
    SyntaxError(L"函数" + Quoted(nameToken.text) + L"需要 " + std::to_wstring(f.arity) +
                L" 个参数");
  }

  // The operands are code[leftStart, rightStart) and code[rightStart, end).
  void EmitBinary(Op op, size_t leftStart, size_t rightStart) {
    const bool singleRight = code.size() == rightStart + 1;
    const Instruction right = code.back();
    Op fused;
    if (singleRight && (right.op == Op::Push || right.op == Op::Load) &&
        WithOperand(op, right.op == Op::Load, fused)) {
      code.pop_back();
      --stack_;
      Emit({fused, 0, right.slot, right.value}, 0);
      return;
    }
    // A constant on the left of + or * moves to the right: IEEE sums and products commute.
    if ((op == Op::Add || op == Op::Mul) && rightStart == leftStart + 1 &&
        code[leftStart].op == Op::Push && WithOperand(op, false, fused)) {
      const double constant = code[leftStart].value;
      code.erase(code.begin() + static_cast<long>(leftStart));
      --stack_;
      Emit({fused, 0, 0, constant}, 0);
      return;
    }
    Emit({op, 0, 0, 0}, -1);
  }

  static bool WithOperand(Op op, bool variable, Op& fused) {
    switch (op) {
      case Op::Add: fused = variable ? Op::AddV : Op::AddK; return true;
      case Op::Sub: fused = variable ? Op::SubV : Op::SubK; return true;
      case Op::Mul: fused = variable ? Op::MulV : Op::MulK; return true;
      case Op::Div: fused = variable ? Op::DivV : Op::DivK; return true;
      default: return false;
    }
  }

  void Emit(Instruction in, int stackChange) {
    code.push_back(in);
    stack_ += stackChange;
    if (stack_ > maxStack) maxStack = stack_;
  }

  const std::vector<ExprToken>& tokens_;
  Dialect dialect_;
  std::wstring resolverVariable_;
  size_t pos_ = 0;
  int depth_ = 0;
  size_t stack_ = 0;
};

[[noreturn]] void Overflow() { Raise(err::kOverflow, L"数值溢出：计算结果超出范围"); }

[[noreturn]] void DivisionByZero() { Raise(err::kDivisionByZero, L"除数为零"); }

double HostPow(double a, double b) {
  if (a < 0 && b != std::trunc(b)) Raise(err::kInvalidCall, L"负数的非整数次幂无法计算");
  if (a == 0 && b < 0) DivisionByZero();
  return Power(a, b);
}

// A function of the host language raises for an argument out of its range; JavaScript's
// gives NaN or an infinity.
double CheckedApply1(uint8_t fn, double a, bool host) {
  if (host && fn == kSqr && a < 0) Raise(err::kInvalidCall, L"负数不能开平方");
  if (host && fn == kLog && a <= 0) Raise(err::kInvalidCall, L"对数的真数必须大于零");
  return Apply1(fn, a, host);
}


// Steps that compute a number from numbers, which the plain double stack can run.
bool IsNumericStep(Op op) {
  switch (op) {
    case Op::Push: case Op::Load: case Op::Neg: case Op::PowN: case Op::Call1:
    case Op::Add: case Op::Sub: case Op::Mul: case Op::Div: case Op::IntDiv: case Op::Mod:
    case Op::Rem: case Op::Pow: case Op::BitXor: case Op::Call2:
    case Op::AddK: case Op::SubK: case Op::MulK: case Op::DivK:
    case Op::AddV: case Op::SubV: case Op::MulV: case Op::DivV:
      return true;
    default:
      return false;
  }
}

// How many values a numeric step takes from the stack (a push takes none and adds one).
int Operands(Op op) {
  switch (op) {
    case Op::Push: case Op::Load: return 0;
    case Op::Add: case Op::Sub: case Op::Mul: case Op::Div: case Op::IntDiv: case Op::Mod:
    case Op::Rem: case Op::Pow: case Op::BitXor: case Op::Call2:
      return 2;
    default:
      return 1;
  }
}

}  // namespace

ScriptValue ScriptValue::Boolean(bool value, Dialect dialect) {
  double truth = dialect == Dialect::JavaScript ? 1.0 : -1.0;
  return {value ? truth : 0.0, true};
}

size_t ReadNumber(const std::wstring& text, size_t pos, double& value) {
  auto digit = [&](size_t i) { return i < text.size() && text[i] >= L'0' && text[i] <= L'9'; };
  size_t i = pos;
  bool digits = false;
  while (digit(i)) { ++i; digits = true; }
  if (i < text.size() && text[i] == L'.') {
    ++i;
    while (digit(i)) { ++i; digits = true; }
  }
  if (!digits) return 0;
  if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == L'+' || text[j] == L'-')) ++j;
    if (digit(j)) {
      while (digit(j)) ++j;
      i = j;
    }
  }
  std::string ascii(text.begin() + pos, text.begin() + i);
  value = std::strtod(ascii.c_str(), nullptr);
  return i - pos;
}

std::vector<ExprToken> LexScript(const std::wstring& text, Dialect dialect) {
  if (text.size() > kMaxExpressionLength)
    SyntaxError(L"表达式过长（超过 " + std::to_wstring(kMaxExpressionLength) + L" 个字符）");
  const bool js = dialect == Dialect::JavaScript;
  static const wchar_t* const kJsOperators[] = {L"===", L"!==", L"**", L"==", L"!=", L"<=",
                                                L">=", L"&&", L"||", L"+", L"-", L"*", L"/",
                                                L"%", L"^", L"<", L">", L"!", L"="};
  static const wchar_t* const kVbOperators[] = {L"<>", L"<=", L">=", L"+", L"-", L"*",
                                                L"/", L"\\", L"^", L"=", L"<", L">"};
  auto letter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); };
  auto nameStart = [&](wchar_t c) { return letter(c) || (js && (c == L'_' || c == L'$')); };
  auto namePart = [&](wchar_t c) {
    return nameStart(c) || (c >= L'0' && c <= L'9') || c == L'_';
  };
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };

  std::vector<ExprToken> tokens;
  size_t i = 0;
  while (i < text.size()) {
    wchar_t c = text[i];
    if (blank(c)) { ++i; continue; }
    ExprToken t;
    t.position = i + 1;
    double value = 0;
    if (size_t length = ReadNumber(text, i, value)) {
      t.kind = ExprToken::Kind::Number;
      t.number = value;
      t.text = text.substr(i, length);
      i += length;
    } else if (nameStart(c)) {
      size_t end = i;
      while (end < text.size() && namePart(text[end])) ++end;
      // Member names such as Math.sqrt read as one name.
      while (js && end + 1 < text.size() && text[end] == L'.' && nameStart(text[end + 1])) {
        ++end;
        while (end < text.size() && namePart(text[end])) ++end;
      }
      t.kind = ExprToken::Kind::Word;
      t.text = text.substr(i, end - i);
      i = end;
    } else if (c == L'(' || c == L')' || c == L',') {
      t.kind = c == L'(' ? ExprToken::Kind::Open
               : c == L')' ? ExprToken::Kind::Close : ExprToken::Kind::Comma;
      t.text = std::wstring(1, c);
      ++i;
    } else if (js && c == L';') {
      // A statement may end with semicolons; anything after them is a second statement.
      size_t rest = i;
      while (rest < text.size() && (text[rest] == L';' || blank(text[rest]))) ++rest;
      if (rest < text.size()) SyntaxError(At(i + 1) + L"只能有一条语句");
      break;
    } else {
      bool found = false;
      auto tryOperators = [&](const auto& list) {
        for (const wchar_t* op : list) {
          std::wstring_view v(op);
          if (text.compare(i, v.size(), v) == 0) {
            t.kind = ExprToken::Kind::Symbol;
            t.text = std::wstring(v);
            i += v.size();
            found = true;
            return;
          }
        }
      };
      if (js) tryOperators(kJsOperators);
      else tryOperators(kVbOperators);
      if (!found) SyntaxError(At(i + 1) + L"有无法识别的字符" + Quoted(std::wstring(1, c)));
    }
    tokens.push_back(std::move(t));
  }
  ExprToken end;
  end.position = text.size() + 1;
  tokens.push_back(end);
  return tokens;
}

CompiledExpression CompiledExpression::CompileWithVariable(const std::vector<ExprToken>& tokens,
                                                           const std::wstring& variable) {
  return Compile(tokens, Dialect::Resolver, variable);
}

CompiledExpression CompiledExpression::Compile(const std::vector<ExprToken>& tokens,
                                               Dialect dialect, const std::wstring& resolverVariable) {
  std::vector<ExprToken> ended;
  const std::vector<ExprToken>* input = &tokens;
  if (tokens.empty() || tokens.back().kind != ExprToken::Kind::End) {
    ended = tokens;
    ended.emplace_back();
    input = &ended;
  }
  Compiler compiler(*input, dialect, resolverVariable);
  compiler.Run();
  CompiledExpression program;
  program.dialect_ = dialect;
  program.code_ = std::move(compiler.code);
  program.variables_ = std::move(compiler.variables);
  program.maxStack_ = compiler.maxStack;
  program.numeric_ = program.maxStack_ <= kNumericStack;
  for (const Instruction& in : program.code_)
    if (!IsNumericStep(in.op)) program.numeric_ = false;
  program.FoldConstants();
  program.FuseConstantOperands();
  program.batchable_ = program.numeric_ && program.variables_.size() <= 1;
  for (const Instruction& in : program.code_)
    if (in.op == Op::IntDiv || in.op == Op::Mod) program.batchable_ = false;
  return program;
}

void CompiledExpression::FoldConstants() {
  if (!numeric_) return;
  // Where each value on the stack starts in the new code, and whether it is a constant.
  struct Entry {
    size_t start;
    bool constant;
  };
  std::vector<Entry> stack;
  std::vector<Instruction> out;
  out.reserve(code_.size());
  for (const Instruction& in : code_) {
    const int operands = Operands(in.op);
    size_t start = out.size();
    bool constant = in.op == Op::Push;
    if (operands > 0) {
      start = stack[stack.size() - static_cast<size_t>(operands)].start;
      constant = in.op < Op::AddV || in.op > Op::DivV;  // AddV..DivV read a variable
      for (int k = 0; k < operands; ++k) {
        constant = constant && stack.back().constant;
        stack.pop_back();
      }
    }
    out.push_back(in);
    if (constant && operands > 0) {
      // Run the constant part on its own; a step that would raise keeps it unfolded, so the
      // error still comes when (and only if) the expression is evaluated.
      CompiledExpression part;
      part.dialect_ = dialect_;
      part.numeric_ = true;
      part.maxStack_ = maxStack_;
      part.code_.assign(out.begin() + static_cast<long>(start), out.end());
      try {
        const double value = part.Evaluate(nullptr).number;
        out.resize(start);
        out.push_back({Op::Push, 0, 0, value});
      } catch (const VbError&) {
        constant = false;
      }
    }
    stack.push_back({start, constant});
  }
  code_ = std::move(out);
}

void CompiledExpression::FuseConstantOperands() {
  // A constant whole exponent from 2 to 8 becomes PowN, which computes what Power does
  // for it (so a power of x and the folded power of a constant agree) without the tests.
  std::vector<Instruction> out;
  out.reserve(code_.size());
  for (const Instruction& in : code_) {
    if (in.op == Op::Pow && !out.empty() && out.back().op == Op::Push) {
      const double n = out.back().value;
      if (n >= kProductPowerMin && n <= kProductPowerMax && n == std::trunc(n)) {
        out.back() = Instruction{Op::PowN, 0, static_cast<uint16_t>(n), 0};
        continue;
      }
    }
    // A right operand of + - * / that folded into a constant joins its operator.
    if (in.op >= Op::Add && in.op <= Op::Div && !out.empty() && out.back().op == Op::Push) {
      const auto step = static_cast<int>(in.op) - static_cast<int>(Op::Add);
      out.back().op = static_cast<Op>(static_cast<int>(Op::AddK) + step);
      continue;
    }
    out.push_back(in);
  }
  code_ = std::move(out);
}

bool CompiledExpression::IsVariableName(const std::wstring& name, Dialect dialect) {
  if (name.empty() || dialect == Dialect::Resolver) return false;
  std::wstring key = KeyOf(name, dialect);
  ScriptValue constant;
  if (FindFunction(key, dialect) || FindConstant(key, dialect, constant) ||
      FindBinary(key, dialect) || FindPrefix(key, dialect))
    return false;
  for (wchar_t c : name) {
    bool ok = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
              c == L'_' || (dialect == Dialect::JavaScript && c == L'$');
    if (!ok) return false;
  }
  return !(name[0] >= L'0' && name[0] <= L'9');
}

template <bool kHost>
ScriptValue CompiledExpression::EvaluateNumeric(const ScriptValue* variables) const {
  double s[kNumericStack];  // numeric_ guarantees the program fits
  constexpr bool host = kHost;
  auto checked = [](double r) {
    if (host && !std::isfinite(r)) Overflow();
    return r;
  };
  auto divide = [&](double a, double b) {
    if (host && b == 0) {
      if (a == 0) Overflow();
      DivisionByZero();
    }
    return checked(a / b);
  };
  size_t t = 0;    // values below the top
  double top = 0;  // the top of the stack (the first push saves this unused 0)
  for (const Instruction& in : code_) {
    switch (in.op) {
      case Op::Push: s[t++] = top; top = in.value; break;
      case Op::Load: s[t++] = top; top = variables[in.slot].number; break;
      case Op::Neg: top = -top; break;
      case Op::PowN: top = checked(WholePower(top, in.slot)); break;
      case Op::Call1: top = checked(CheckedApply1(in.function, top, host)); break;
      case Op::Add: top = checked(s[--t] + top); break;
      case Op::Sub: top = checked(s[--t] - top); break;
      case Op::Mul: top = checked(s[--t] * top); break;
      case Op::Div: top = divide(s[--t], top); break;
      case Op::AddK: top = checked(top + in.value); break;
      case Op::SubK: top = checked(top - in.value); break;
      case Op::MulK: top = checked(top * in.value); break;
      case Op::DivK: top = divide(top, in.value); break;
      case Op::AddV: top = checked(top + variables[in.slot].number); break;
      case Op::SubV: top = checked(top - variables[in.slot].number); break;
      case Op::MulV: top = checked(top * variables[in.slot].number); break;
      case Op::DivV: top = divide(top, variables[in.slot].number); break;
      case Op::IntDiv: top = IntDiv(s[--t], top); break;
      case Op::Mod: top = Mod(s[--t], top); break;
      case Op::Rem: top = std::fmod(s[--t], top); break;
      case Op::Pow: {
        double a = s[--t];
        top = checked(host ? HostPow(a, top) : JsPow(a, top));
        break;
      }
      case Op::BitXor: top = ToInt32(s[--t]) ^ ToInt32(top); break;
      case Op::Call2: top = Apply2(in.function, s[--t], top); break;
      default: break;  // not in a numeric program
    }
  }
  // A bare variable keeps its kind; every operator above yields a number.
  const Instruction& last = code_.back();
  return {top, last.op == Op::Load && variables[last.slot].isBoolean};
}

template ScriptValue CompiledExpression::EvaluateNumeric<true>(const ScriptValue*) const;
template ScriptValue CompiledExpression::EvaluateNumeric<false>(const ScriptValue*) const;

ScriptValue CompiledExpression::EvaluateGeneral(const ScriptValue* variables) const {
  struct Cell {
    double n;
    bool b;
  };
  constexpr size_t kLocal = 32;
  Cell local[kLocal];
  std::vector<Cell> heap;
  Cell* s = local;
  if (maxStack_ > kLocal) {
    heap.resize(maxStack_);
    s = heap.data();
  }
  const bool host = dialect_ != Dialect::JavaScript;
  const double truth = host ? -1.0 : 1.0;
  size_t t = 0;
  // Arithmetic result: the host language never yields an infinity or NaN, it overflows.
  auto number = [host](double r) {
    if (host && !std::isfinite(r)) Overflow();
    return Cell{r, false};
  };
  auto divide = [&](double a, double b) {
    if (host && b == 0) {
      if (a == 0) Overflow();
      DivisionByZero();
    }
    return number(a / b);
  };
  auto boolean = [truth](bool v) { return Cell{v ? truth : 0.0, true}; };
  auto truthy = [](const Cell& c) { return c.n != 0 && c.n == c.n; };
  // Bitwise operators on 32-bit integers; on two booleans the result is a boolean again.
  auto bits = [](const Cell& a, const Cell& b, int32_t r) {
    return Cell{static_cast<double>(r), a.b && b.b};
  };

  // One dispatch per instruction; a binary operator pops b and replaces a (the new top).
  for (const Instruction& in : code_) {
    Cell* top = t > 0 ? s + t - 1 : s;  // unused by the steps that start from an empty stack
    switch (in.op) {
      case Op::Push: s[t++] = {in.value, false}; break;
      case Op::PushBool: s[t++] = {in.value, true}; break;
      case Op::Load: s[t++] = {variables[in.slot].number, variables[in.slot].isBoolean}; break;
      case Op::Neg: *top = {-top->n, false}; break;
      case Op::Not: *top = {static_cast<double>(~CLng(top->n)), top->b}; break;
      case Op::LogicalNot: *top = boolean(!truthy(*top)); break;
      case Op::PowN: *top = number(WholePower(top->n, in.slot)); break;
      case Op::Call1: *top = number(CheckedApply1(in.function, top->n, host)); break;
      case Op::Add: --t; top[-1] = number(top[-1].n + top->n); break;
      case Op::Sub: --t; top[-1] = number(top[-1].n - top->n); break;
      case Op::Mul: --t; top[-1] = number(top[-1].n * top->n); break;
      case Op::Div: --t; top[-1] = divide(top[-1].n, top->n); break;
      case Op::AddK: *top = number(top->n + in.value); break;
      case Op::SubK: *top = number(top->n - in.value); break;
      case Op::MulK: *top = number(top->n * in.value); break;
      case Op::DivK: *top = divide(top->n, in.value); break;
      case Op::AddV: *top = number(top->n + variables[in.slot].number); break;
      case Op::SubV: *top = number(top->n - variables[in.slot].number); break;
      case Op::MulV: *top = number(top->n * variables[in.slot].number); break;
      case Op::DivV: *top = divide(top->n, variables[in.slot].number); break;
      case Op::IntDiv: --t; top[-1] = number(IntDiv(top[-1].n, top->n)); break;
      case Op::Mod: --t; top[-1] = number(Mod(top[-1].n, top->n)); break;
      case Op::Rem: --t; top[-1] = number(std::fmod(top[-1].n, top->n)); break;
      case Op::Pow:
        --t;
        top[-1] = number(host ? HostPow(top[-1].n, top->n) : JsPow(top[-1].n, top->n));
        break;
      case Op::And: --t; top[-1] = bits(top[-1], *top, CLng(top[-1].n) & CLng(top->n)); break;
      case Op::Or: --t; top[-1] = bits(top[-1], *top, CLng(top[-1].n) | CLng(top->n)); break;
      case Op::Xor: --t; top[-1] = bits(top[-1], *top, CLng(top[-1].n) ^ CLng(top->n)); break;
      case Op::Eqv:
        --t;
        top[-1] = bits(top[-1], *top, ~(CLng(top[-1].n) ^ CLng(top->n)));
        break;
      case Op::Imp: --t; top[-1] = bits(top[-1], *top, ~CLng(top[-1].n) | CLng(top->n)); break;
      case Op::BitXor: --t; top[-1] = number(ToInt32(top[-1].n) ^ ToInt32(top->n)); break;
      case Op::LogicalAnd: --t; if (truthy(top[-1])) top[-1] = *top; break;
      case Op::LogicalOr: --t; if (!truthy(top[-1])) top[-1] = *top; break;
      case Op::Eq: --t; top[-1] = boolean(top[-1].n == top->n); break;
      case Op::Ne: --t; top[-1] = boolean(top[-1].n != top->n); break;
      case Op::StrictEq:
        --t;
        top[-1] = boolean(top[-1].b == top->b && top[-1].n == top->n);
        break;
      case Op::StrictNe:
        --t;
        top[-1] = boolean(!(top[-1].b == top->b && top[-1].n == top->n));
        break;
      case Op::Lt: --t; top[-1] = boolean(top[-1].n < top->n); break;
      case Op::Le: --t; top[-1] = boolean(top[-1].n <= top->n); break;
      case Op::Gt: --t; top[-1] = boolean(top[-1].n > top->n); break;
      case Op::Ge: --t; top[-1] = boolean(top[-1].n >= top->n); break;
      case Op::Call2: --t; top[-1] = number(Apply2(in.function, top[-1].n, top->n)); break;
    }
  }
  return {s[0].n, s[0].b};
}

}  // namespace plx::graph
