// The number line dialog's layout: the axis first (range, length, ticks),
// then what is drawn on it, the notes under the boxes they explain.
#include "figures/frm_interval.hpp"

namespace plx::figures {

using namespace layout;

DialogLayout frmInterval::Layout() const {
  return {L"数轴与区间",
          Column({Field(L"labCaption"),
                  Frame(L"数轴", {Row({Field(L"txtXmin"), Field(L"txtXmax")}), Field(L"txtLengthOfAxis"),
                                  Field(L"optKD").Columns(2), Field(L"txtNumberList").Chars(44), Field(L"labNote2"),
                                  Field(L"chkNoX")}),
                  Frame(L"画法", {Field(L"optType").Columns(2), Field(L"txtInequality").Chars(44), Field(L"labNote1")}),
                  Field(L"labNote3").Width(250), Fields({L"cmdOk", L"cmdCancel"})})};
}

}  // namespace plx::figures
