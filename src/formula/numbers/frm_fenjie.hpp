#pragma once
// The prime factorisation dialog: the whole number of `Text1` is written as
// a product of prime powers in `Label1` ("运算结果：360= 2^3·3^2·5"), and
// typed into the document with raised exponents.
#include <optional>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "formula/numbers/typed_runs.hpp"

namespace plx {

class frmFenJie : public Form {
 public:
  explicit frmFenJie(AddinContext& ctx);
  DialogLayout Layout() const override;
  void cmdOK_Click();
  void cmdInsert_Click();

 private:
  // The number typed, or nothing after the message that says what is wrong.
  std::optional<uint32_t> Number();
};

// n as "n= " and its prime powers joined by "·", exponents raised; 1 is "1=1".
std::vector<numbers::TypedRun> FactorRuns(uint32_t n);

}  // namespace plx
