#pragma once
// What every output route does to a formula text around its builder: the
// interval rule, protected words, and (with a user to ask) the bracket check
// with re-entry. Routes: 0 EQ field, 1 TeX, 2 the host's equation.
#include <optional>
#include <string>

#include "formula/brackets.hpp"
#include "formula/formula_settings.hpp"

namespace plx {

class UserInterface;

enum class FormulaRoute { Field = 0, TeX = 1, Equation = 2 };

// The route of an iMathType value: 0 field, 1 TeX, anything else the host's equation.
FormulaRoute RouteOf(int iMathType);

// The prompt and title of the formula input box.
extern const wchar_t* const kFormulaPrompt;
extern const wchar_t* const kFormulaTitle;

// Replaces an interval "qj[a,b)" (when the text holds exactly one) by the
// route's bracket construct around the built inner part. Returns whether it did.
bool ApplyInterval(FormulaRoute route, std::wstring& text, const FormulaSettings& settings,
                   const FormulaNotice& notice);

// Protects the words of txtGsExp (when blGsExp is on), runs the route's builder
// over the whole text and restores the words. TeX comes back between "$" signs
// with its placeholder pieces restored.
std::wstring BuildProtected(FormulaRoute route, const std::wstring& text, const FormulaSettings& settings,
                            const FormulaNotice& notice);

// The whole preparation without a document or a user: interval, then a
// bracket check that fails with FormulaStopped, then the builder.
std::wstring BuildFormulaCode(FormulaRoute route, std::wstring text, const FormulaSettings& settings,
                              const FormulaNotice& notice);

// The same with the user: unbalanced brackets are reported and the text asked
// for again until it balances; nothing when the user gives up (a blank answer).
std::optional<std::wstring> PrepareFormula(UserInterface& ui, FormulaRoute route, std::wstring text,
                                           const FormulaSettings& settings);

// Width folding of typed formulas: full-width characters become half width,
// except txtNarrowExp when blNarrowExp is on (one trailing copy removed).
std::wstring NarrowFormulaText(const std::wstring& text, const FormulaSettings& settings);

}  // namespace plx
