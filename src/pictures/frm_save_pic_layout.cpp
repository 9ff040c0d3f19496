// The picture export dialog's layout: the format and what to save side by
// side, the resolution, the file, the buttons.
#include "pictures/frm_save_pic.hpp"

namespace plx::pictures {

using namespace layout;

DialogLayout frmSavePic::Layout() const {
  return {L"另存为图片", Column({Row({Field(L"optFormat").Columns(4), Field(L"optScope")}), Field(L"cmbDpi"),
                                 Row({Field(L"txtFile").Chars(40).Stretch(), Field(L"cmdBrowse")}),
                                 Fields({L"cmdOk", L"cmdCancel"})})};
}

}  // namespace plx::pictures
