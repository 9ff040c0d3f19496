// The layouts of the number dialogs: the inputs and their results on the
// left, the ready-made values as a grid of buttons beside them.
#include "formula/numbers/frm_fenjie.hpp"
#include "formula/numbers/frm_fenshu.hpp"
#include "formula/numbers/frm_genshi.hpp"
#include "formula/numbers/frm_pailie.hpp"

namespace plx {
namespace {

using namespace layout;

// Boxes of whole numbers side by side.
LayoutNode Numbers(const std::vector<std::wstring>& names) {
  std::vector<LayoutNode> row;
  for (const auto& n : names) row.push_back(Field(n).Chars(10));
  return Row(std::move(row));
}

// The names of the ready-made buttons, in their order.
std::vector<std::wstring> ReadyButtons(const std::vector<Control>& controls) {
  std::vector<std::wstring> names;
  for (const auto& c : controls)
    if (c.name.starts_with(L"cmdReady")) names.push_back(c.name);
  return names;
}

}  // namespace

DialogLayout frmFenShu::Layout() const {
  return {L"分数", Column({Row({Column({Field(L"FZFM"), Numbers({L"txtFZ", L"txtFM"}),
                                        Numbers({L"txtFZ_result_FZFM", L"txtFM_result_FZFM"}), Field(L"Exp"),
                                        Field(L"txtExp").Chars(16), Numbers({L"txtFZ_result_Exp", L"txtFM_result_Exp"}),
                                        Field(L"XiaoShu"), Field(L"txtXiaoShu").Chars(16),
                                        Numbers({L"txtFZ_result_XiaoShu", L"txtFM_result_XiaoShu"}), Field(L"Insert"),
                                        Numbers({L"txtFZ_Insert", L"txtFM_Insert"}), Field(L"chkTX")}),
                                Frame(L"常用值", {Grid(ReadyButtons(Controls()), 4)})}),
                           Fields({L"cmdJS", L"cmdInsert", L"cmdCancel"})})};
}

DialogLayout frmGenShi::Layout() const {
  return {L"根式", Column({Numbers({L"txtZS", L"txtKFS"}),
                           Row({Field(L"txtReal").Chars(10), Field(L"imgGH").Size(12, 12),
                                Field(L"txtKFS_Convert").Chars(10), Field(L"cmdHJ")}),
                           Frame(L"常用值", {Grid(ReadyButtons(Controls()), 4)}), Fields({L"cmdOK", L"cmdCancel"})})};
}

DialogLayout frmPaiLie::Layout() const {
  // The letter stands before its two numbers, m above n, as it is written.
  return {L"排列组合",
          Column({Field(L"optAC").Columns(2),
                  Row({Field(L"Label1").Size(16, 27), Column({Field(L"txtM").Chars(10), Field(L"txtN").Chars(10)})}),
                  Fields({L"cmdOK", L"cmdCancel"})})};
}

DialogLayout frmFenJie::Layout() const {
  // The result line holds a number and its prime powers: room for two lines.
  return {L"分解质因数", Column({Field(L"Text1").Chars(20), Field(L"Label1").Size(220, 16),
                                 Fields({L"cmdOK", L"cmdInsert", L"cmdCancel"})})};
}

}  // namespace plx
