#pragma once
// The fraction dialog: reduces a numerator and denominator, an expression
// a/b or a decimal (recurring digits in brackets, 0.1(6)), or takes a pair
// as entered, and inserts the fraction as a formula field. Its ready-made
// buttons (`cmdReady1`...) insert common values through the formula command.
#include <optional>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "formula/numbers/number_theory.hpp"

namespace plx {

class frmFenShu : public Form {
 public:
  explicit frmFenShu(AddinContext& ctx);
  DialogLayout Layout() const override;
  // The mode of the chosen option button: `FZFM` "fzfm", `Exp` "exp",
  // `XiaoShu` "xiaoshu", `Insert` "insert" ("fzfm" when none is chosen).
  std::wstring Mode();
  // Reduces the input of the current mode into its result boxes; false
  // (after the message) when the input is no fraction.
  bool cmdJS_Click();
  // Inserts the result of the current mode (reducing first).
  void cmdInsert_Click();
  void Ready_Click(const std::wstring& formula);

  static const std::vector<std::wstring>& ReadyMade();

 private:
  std::optional<numbers::Fraction> Reduced();
  void ShowResult(const std::wstring& suffix, const numbers::Fraction& f);
};

// The formula text of a fraction: bracketed parts when either part is longer
// than one character.
std::wstring FractionFormula(const std::wstring& numerator, const std::wstring& denominator);
// A reduced fraction's formula text: the whole number when its denominator
// is 1 (12/4 is 3, not a stacked 3/1).
std::wstring ReducedFormula(const numbers::Fraction& f);

}  // namespace plx
