#include "formula/embellish/custom_rules.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"
#include "formula/brackets.hpp"
#include "platform/xml.hpp"

namespace plx {
namespace {

// How often one rule may rewrite a text: far above any real formula, low
// enough that a rule producing its own call ends at once.
constexpr int kMaxRewrites = 1000;

struct Call {
  std::wstring name;                  // up to and including "("
  std::vector<std::wstring> params;   // the arguments written in org
};

// The arguments of the group that starts at `open` (a "("), or nothing when
// the group does not close.
bool Arguments(const std::wstring& text, size_t open, std::wstring& group, std::vector<std::wstring>& args) {
  group = GetBracketGroup(text, open, [](const std::wstring&) {});
  if (group.size() < 2) return false;
  args = SplitOutsideBrackets(group.substr(1, group.size() - 2));
  return true;
}

// res with every parameter name replaced by its argument, longest names
// first at each place, in a single pass.
std::wstring Substitute(const std::wstring& res, const std::vector<std::wstring>& params,
                        const std::vector<std::wstring>& args) {
  std::vector<size_t> order(params.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return params[a].size() > params[b].size(); });
  std::wstring out;
  for (size_t i = 0; i < res.size();) {
    bool replaced = false;
    for (size_t k : order) {
      const std::wstring& p = params[k];
      if (!p.empty() && res.compare(i, p.size(), p) == 0) {
        out += args[k];
        i += p.size();
        replaced = true;
        break;
      }
    }
    if (!replaced) out += res[i++];
  }
  return out;
}

std::wstring ApplyRule(std::wstring text, const CustomRule& rule) {
  const size_t open = rule.org.find(L'(');
  if (open == std::wstring::npos) return text;
  Call call{rule.org.substr(0, open + 1), {}};
  std::wstring group;
  if (!Arguments(rule.org, open, group, call.params)) return text;
  for (std::wstring& p : call.params) p = Trim(p);
  size_t from = 0;
  for (int rewrites = 0; rewrites < kMaxRewrites;) {
    const size_t at = text.find(call.name, from);
    if (at == std::wstring::npos) break;
    std::vector<std::wstring> args;
    if (!Arguments(text, at + call.name.size() - 1, group, args) || args.size() != call.params.size()) {
      from = at + 1;
      continue;
    }
    text.replace(at, call.name.size() - 1 + group.size(), Substitute(rule.res, call.params, args));
    // Calls inside the arguments are now in the rewriting: look again from here.
    from = at;
    ++rewrites;
  }
  return text;
}

}  // namespace

const wchar_t* const kCustomRulesFile = L"config/zdygz.txt";

std::wstring ApplyRules(const std::wstring& text, const std::vector<CustomRule>& rules) {
  std::wstring out = text;
  for (const CustomRule& rule : rules) out = ApplyRule(out, rule);
  return out;
}

std::wstring ApplyZDYGZ(AddinContext& ctx, const std::wstring& text) {
  const std::wstring path = AppFile(ctx, kCustomRulesFile);
  XmlDocument xml;
  if (!xml.Load(path) || xml.DocumentElement().IsNull()) {
    ctx.Ui().MsgBox(L"自定义规则文件（" + path + L"）可能不存在或无法读取，请检查相关设置。");
    return text;
  }
  std::vector<CustomRule> rules;
  for (const XmlNode& node : xml.DocumentElement().Children()) {
    const XmlNode org = node.Child(L"org"), res = node.Child(L"res");
    if (!org.IsNull() && !res.IsNull()) rules.push_back({org.Text(), res.Text()});
  }
  return ApplyRules(text, rules);
}

}  // namespace plx
