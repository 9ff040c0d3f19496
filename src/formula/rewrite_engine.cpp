#include "formula/rewrite_engine.hpp"

#include "common/text.hpp"
#include "formula/keywords.hpp"

namespace plx {
namespace {

constexpr int kMaxNesting = 40;

// Masks keyword characters with private-use characters that do not occur in
// the text; each mask character always stands for the same original one, so
// outputs may copy or drop masked text freely.
class Masks {
 public:
  explicit Masks(std::wstring_view text) {
    base_ = 0xE000;
    while (base_ < 0xF800 && Uses(text)) base_ += 0x80;
  }
  bool Available() const { return base_ < 0xF800; }
  void Mask(std::wstring& text, size_t pos) {
    const wchar_t c = text[pos];
    size_t slot = originals_.find(c);
    if (slot == std::wstring::npos) {
      slot = originals_.size();
      originals_ += c;
    }
    text[pos] = static_cast<wchar_t>(base_ + slot);
  }
  void Restore(std::wstring& text) const {
    for (wchar_t& c : text)
      if (c >= base_ && c < base_ + static_cast<wchar_t>(originals_.size())) c = originals_[c - base_];
  }

 private:
  bool Uses(std::wstring_view text) const {
    for (wchar_t c : text)
      if (c >= base_ && c < base_ + 0x80) return true;
    return false;
  }
  wchar_t base_;
  std::wstring originals_;  // originals_[i] is masked as base_ + i
};

[[noreturn]] void TooComplex() {
  throw FormulaStopped(L"公式文本中的关键字无法全部转换（转换结果不断重复或过长），已停止转换，请检查您的输入。");
}

// Whether the keyword at the hit can be a construct at all; the builders are
// never asked about a "gh", "^" or "_" with nothing after it, or a blank.
bool CanBeConstruct(std::wstring_view text, const KeywordHit& hit) {
  const size_t after = hit.pos + KeywordName(hit.caseNumber).size();
  switch (hit.caseNumber) {
    case kw::Root:
      // "gh" before a sign or a closing bracket is part of a word or a
      // product ("mgh/2"), not a root of that sign.
      return after < text.size() && std::wstring_view(L" +-*/=<>,.;:!?)]}|^_").find(text[after]) ==
                                        std::wstring_view::npos;
    case kw::Superscript:
      return after < text.size();
    case kw::Subscript:
      return IsSubscriptAt(text, hit.pos);
    default:
      return true;
  }
}

CaseInput MakeInput(std::wstring_view text, const KeywordHit& hit, const FormulaNotice& notice) {
  CaseInput in;
  in.caseNumber = hit.caseNumber;
  in.pos = hit.pos;
  in.afterName = hit.pos + KeywordName(hit.caseNumber).size();
  in.text = text;
  if (in.afterName < text.size() && IsOpeningBracket(text[in.afterName])) {
    in.group = GetBracketGroup(text, in.afterName, notice);
  } else if (GSKeywords()[hit.caseNumber - 1].back() == L'(') {
    in.group = GetBracketGroup(text, in.afterName, notice);  // reports the missing bracket
  }
  if (in.group.size() >= 2) in.inner = in.group.substr(1, in.group.size() - 2);
  // Commas inside brackets belong to the argument: jx(x,g(a,b)) has two.
  in.args = SplitOutsideBrackets(in.inner);
  return in;
}

}  // namespace

std::wstring CaseInput::Target() const {
  return std::wstring(KeywordName(caseNumber)) + group;
}

std::wstring CaseInput::Arg(size_t i) const { return i < args.size() ? Trim(args[i]) : std::wstring(); }

std::wstring CaseInput::ArgsFrom(size_t i) const {
  if (i >= args.size()) return {};
  std::vector<std::wstring> rest(args.begin() + static_cast<long>(i), args.end());
  return Trim(Join(rest, L","));
}

bool IsSubscriptAt(std::wstring_view text, size_t pos) {
  if (pos + 1 >= text.size()) return false;
  const wchar_t next = text[pos + 1];
  return next != L' ' && next != L'.' && next != L'_';
}

NestingGuard::NestingGuard(int& depth) : depth_(depth) {
  if (++depth_ > kMaxNesting) {
    --depth_;
    throw FormulaStopped(L"公式嵌套的层数过多，无法转换，请检查您的输入。");
  }
}

LoopResult RunRewriteLoop(std::wstring text, CaseWriter& writer, const FormulaNotice& notice) {
  Masks masks(text);
  if (!masks.Available()) return {std::move(text), false};  // no free mask characters: leave it
  // A run of underscores is a blank to fill in: none of them is a subscript.
  for (size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == L'_' && text[i + 1] == L'_')
      while (i < text.size() && text[i] == L'_') masks.Mask(text, i++);
  const size_t maxLength = text.size() * 64 + 4096;
  const size_t maxPasses = text.size() * 16 + 256;
  LoopResult result;
  for (size_t pass = 0;; ++pass) {
    if (pass > maxPasses || text.size() > maxLength) TooComplex();
    const auto hit = FindKeyword(text);
    if (!hit) break;
    if (!CanBeConstruct(text, *hit)) {
      masks.Mask(text, hit->pos);
      continue;
    }
    const CaseInput in = MakeInput(text, *hit, notice);
    Rewrite r = writer.Write(in);
    std::wstring next;
    switch (r.kind) {
      case Rewrite::Kind::Finish:
        result.stopped = true;
        masks.Restore(text);
        result.text = std::move(text);
        return result;
      case Rewrite::Kind::ReplaceAll:
        next = r.target.empty() ? text : Replace(text, r.target, r.output);
        break;
      case Rewrite::Kind::ReplaceAt:
        next = text;
        next.replace(std::min(r.start, next.size()), r.length, r.output);
        break;
      case Rewrite::Kind::NotAConstruct:
        next = text;
        break;
    }
    if (next == text) masks.Mask(text, hit->pos);  // no progress here: move past it
    else text = std::move(next);
  }
  masks.Restore(text);
  result.text = std::move(text);
  return result;
}

}  // namespace plx
