// The layouts of the custom scale and rotation dialogs: the prompt, the
// number, the direction and the buttons, one below the other.
#include "shapes/frm_custom_transform.hpp"

namespace plx {

using namespace layout;

DialogLayout frmFangSuo::Layout() const {
  return {L"自定义放缩倍数", Column({Field(L"labCaption"), Field(L"txtBS"), Field(L"optFS").Columns(2),
                                     Fields({L"cmdOk", L"cmdCancel"})})};
}

DialogLayout frmXuanZhuan::Layout() const {
  return {L"自定义旋转角度", Column({Field(L"labCaption"), Field(L"txtJD"), Field(L"optFX").Columns(2),
                                     Fields({L"cmdOk", L"cmdCancel"})})};
}

}  // namespace plx
