// The layouts of the paper dialogs: what the dialog does, its inputs, the
// buttons.
#include "paper/frm_da_ti_biao.hpp"
#include "paper/frm_lwpb.hpp"

namespace plx {

using namespace layout;

DialogLayout frmDaTiBiao::Layout() const {
  return {L"选择题答题表", Column({Field(L"labCaption"), Field(L"txtCount"), Field(L"txtPerRow"), Field(L"txtStart"),
                                   Fields({L"cmdOk", L"cmdCancel"})})};
}

DialogLayout frmLWPB::Layout() const {
  return {L"文章批量排版",
          Column({Field(L"labCaption").Width(260), Row({Field(L"txtFolder").Stretch(), Field(L"cmdBrowse")}),
                  Fields({L"cmdOk", L"cmdCancel"})})};
}

}  // namespace plx
