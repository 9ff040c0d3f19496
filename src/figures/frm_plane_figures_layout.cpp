// The layouts of the plane figure dialogs: sizes first, then the kind of
// figure and its fill, the buttons last.
#include "figures/frm_plane_figures.hpp"

namespace plx::figures {

using namespace layout;

DialogLayout frmZDBX::Layout() const {
  return {L"正多边形",
          Column({Field(L"txtBS"), Field(L"txtBC"), Field(L"chkCenter"), Fields({L"Command1", L"Command2"})})};
}

DialogLayout frmFangGe::Layout() const {
  // The description of the chosen kind changes with the choice: room for
  // the longest, three lines.
  return {L"方格", Column({Row({Field(L"Text1(0)"), Field(L"Text1(1)")}), Row({Field(L"Text1(2)"), Field(L"labUnit")}),
                           Field(L"Option1").Columns(4), Field(L"labDescription").Size(200, 24),
                           Fields({L"Command1", L"Command2"})})};
}

DialogLayout frmSector::Layout() const {
  return {L"扇形", Column({Field(L"txtRadius"), Field(L"txtAngle"),
                           Frame(L"图形", {Field(L"optSecType").Columns(4), Field(L"chkXZ")}),
                           Frame(L"填充", {Field(L"chkColor"), Field(L"optColor").Columns(3), Field(L"labColor")}),
                           Frame(L"扇形统计图",
                                 {Field(L"optSector").Columns(2), Field(L"txtData").Chars(30), Field(L"chkBaiFenBi")}),
                           Fields({L"cmdOK_Sector", L"cmdCancel"})})};
}

}  // namespace plx::figures
