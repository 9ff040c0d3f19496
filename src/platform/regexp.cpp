#define PCRE2_CODE_UNIT_WIDTH 32
#include "platform/regexp.hpp"

#include <pcre2.h>

#include "common/error.hpp"

static_assert(sizeof(wchar_t) == 4, "the regular-expression layer runs on UTF-32 wstrings");

namespace plx {

struct RegExp::Compiled {
  std::wstring pattern;
  uint32_t options = 0;
  pcre2_code* code = nullptr;
  pcre2_match_data* data = nullptr;
  ~Compiled() {
    pcre2_match_data_free(data);
    pcre2_code_free(code);
  }
};

RegExp::RegExp() = default;
RegExp::~RegExp() = default;

RegExp::Compiled& RegExp::Compile() {
  uint32_t options = PCRE2_ALT_BSUX | PCRE2_UTF;
  if (IgnoreCase) options |= PCRE2_CASELESS;
  if (MultiLine) options |= PCRE2_MULTILINE;
  if (compiled_ && compiled_->pattern == Pattern && compiled_->options == options) return *compiled_;
  auto c = std::make_unique<Compiled>();
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  // Lines end at CR as well as LF: the document's paragraph mark is CR.
  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  pcre2_set_newline(context, PCRE2_NEWLINE_ANY);
  c->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(Pattern.c_str()), Pattern.size(), options,
                          &errorCode, &errorOffset, context);
  pcre2_compile_context_free(context);
  if (!c->code) {
    PCRE2_UCHAR buffer[256];
    pcre2_get_error_message(errorCode, buffer, 256);
    std::wstring message(reinterpret_cast<wchar_t*>(buffer));
    Raise(err::kInvalidCall, L"正则表达式“" + Pattern + L"”有误：" + message);
  }
  c->data = pcre2_match_data_create_from_pattern(c->code, nullptr);
  c->pattern = Pattern;
  c->options = options;
  compiled_ = std::move(c);
  return *compiled_;
}

namespace {

bool ValidCodePoint(wchar_t c) {
  auto u = static_cast<uint32_t>(c);
  return u <= 0x10FFFF && (u < 0xD800 || u > 0xDFFF);
}

}  // namespace

std::vector<RegexMatch> RegExp::Execute(const std::wstring& input) {
  Compiled& c = Compile();
  // Checked once here so every match call can skip the engine's own check.
  std::wstring cleaned;
  bool valid = true;
  for (wchar_t ch : input) valid &= ValidCodePoint(ch);
  if (!valid) {
    cleaned = input;
    for (auto& ch : cleaned) if (!ValidCodePoint(ch)) ch = L'\uFFFD';
  }
  const std::wstring& text = valid ? input : cleaned;
  std::vector<RegexMatch> matches;
  auto subject = reinterpret_cast<PCRE2_SPTR>(text.c_str());
  size_t start = 0;
  while (start <= text.size()) {
    int rc = pcre2_match(c.code, subject, text.size(), start, PCRE2_NO_UTF_CHECK, c.data, nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc < 0) Raise(err::kInvalidCall, L"正则表达式匹配失败");
    PCRE2_SIZE* ov = pcre2_get_ovector_pointer(c.data);
    uint32_t groups = pcre2_get_ovector_count(c.data);
    RegexMatch m;
    m.FirstIndex = ov[0];
    m.Length = ov[1] - ov[0];
    m.Value = text.substr(ov[0], m.Length);
    uint32_t captureCount = 0;
    pcre2_pattern_info(c.code, PCRE2_INFO_CAPTURECOUNT, &captureCount);
    for (uint32_t g = 1; g <= captureCount; ++g) {
      if (g < groups && static_cast<int>(g) < rc && ov[2 * g] != PCRE2_UNSET)
        m.SubMatches.push_back(text.substr(ov[2 * g], ov[2 * g + 1] - ov[2 * g]));
      else
        m.SubMatches.emplace_back();
    }
    matches.push_back(std::move(m));
    if (!Global) break;
    start = ov[1] > ov[0] ? ov[1] : ov[1] + 1;  // an empty match moves on one character
  }
  return matches;
}

bool RegExp::Test(const std::wstring& text) {
  bool saved = Global;
  Global = false;
  bool found = !Execute(text).empty();
  Global = saved;
  return found;
}

std::wstring RegExp::Replace(const std::wstring& text, const std::wstring& replacement) {
  std::vector<RegexMatch> matches = Execute(text);
  std::wstring out;
  size_t last = 0;
  for (const auto& m : matches) {
    out.append(text, last, m.FirstIndex - last);
    for (size_t i = 0; i < replacement.size(); ++i) {
      wchar_t ch = replacement[i];
      if (ch != L'$' || i + 1 >= replacement.size()) { out += ch; continue; }
      wchar_t n = replacement[i + 1];
      if (n == L'$') { out += L'$'; ++i; }
      else if (n == L'&') { out += m.Value; ++i; }
      else if (n == L'`') { out.append(text, 0, m.FirstIndex); ++i; }
      else if (n == L'\'') { out.append(text, m.FirstIndex + m.Length, std::wstring::npos); ++i; }
      else if (n >= L'0' && n <= L'9') {
        // Two digits when that names an existing group, else one.
        size_t group = n - L'0';
        size_t used = 1;
        if (i + 2 < replacement.size() && replacement[i + 2] >= L'0' && replacement[i + 2] <= L'9') {
          size_t two = group * 10 + (replacement[i + 2] - L'0');
          if (two >= 1 && two <= m.SubMatches.size()) { group = two; used = 2; }
        }
        if (group >= 1 && group <= m.SubMatches.size()) {
          out += m.SubMatches[group - 1];
          i += used;
        } else {
          out += ch;
        }
      } else {
        out += ch;
      }
    }
    last = m.FirstIndex + m.Length;
  }
  out.append(text, last, std::wstring::npos);
  return out;
}

}  // namespace plx
