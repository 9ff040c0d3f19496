#include "formula_cli.hpp"

#include <cstdio>

#include "common/error.hpp"
#include "common/text.hpp"
#include "formula/formula_output.hpp"
#include "formula/formula_prep.hpp"

namespace plx::cli {
namespace {

std::optional<FormulaRoute> RouteNamed(const std::wstring& name) {
  if (name == L"eq") return FormulaRoute::Field;
  if (name == L"tex") return FormulaRoute::TeX;
  if (name == L"omath") return FormulaRoute::Equation;
  return std::nullopt;
}

}  // namespace

int PrintFormula(Session& session, const FormulaRequest& request) {
  FormulaSettings settings;
  try {
    settings = LoadFormulaSettings(session.Context());
    for (const std::wstring& s : request.settings) {
      const size_t eq = s.find(L'=');
      if (eq == std::wstring::npos) throw VbError(err::kInvalidCall, L"设置应写成 KEY=VALUE：“" + s + L"”");
      settings.Set(Trim(s.substr(0, eq)), Trim(s.substr(eq + 1)));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(AsVbError(e).description()).c_str());
    return 2;
  }
  FormulaRoute route = RouteOf(settings.iMathType);
  if (request.route) {
    auto named = RouteNamed(*request.route);
    if (!named) {
      std::fprintf(stderr, "plendrix: 公式形式只能是 eq、tex 或 omath\n");
      return 2;
    }
    route = *named;
  }
  const FormulaNotice notice = [](const std::wstring& m) {
    std::fprintf(stderr, "提示：%s\n", WideToUtf8(m).c_str());
  };
  try {
    const std::wstring text = NarrowFormulaText(request.text, settings);
    std::wstring code = BuildFormulaCode(route, text, settings, notice);
    if (route == FormulaRoute::Field) code = L"EQ " + code;
    std::printf("%s\n", WideToUtf8(code).c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plendrix: %s\n", WideToUtf8(AsVbError(e).description()).c_str());
    return 1;
  }
}

}  // namespace plx::cli
