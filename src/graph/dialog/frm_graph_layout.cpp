// The graph dialog's layout. On the left a tab page per family of figures
// (each with its boxes, its "确定" and "重置"), and under the tabs the
// coordinate frame's range, lengths and moves; on the right the preview, the
// drawing list, the line the next figure gets, the frame's check boxes and
// the dialog's buttons.
#include "graph/dialog/frm_graph.hpp"

namespace plx::graph {
namespace {

using namespace layout;

// A coefficient box: a short number.
LayoutNode Coefficient(const std::wstring& name) { return Field(name).Chars(8); }

LayoutNode Coefficients(const std::vector<std::wstring>& names) {
  std::vector<LayoutNode> row;
  for (const auto& n : names) row.push_back(Coefficient(n));
  return Row(std::move(row));
}

// A tab's range "从 … 到 …".
LayoutNode Range(const std::wstring& suffix) {
  return Row({Field(L"txtXmin_" + suffix).Chars(10), Field(L"txtXmax_" + suffix).Chars(10)});
}

LayoutNode TabButtons(const std::wstring& suffix) { return Fields({L"cmdOK_" + suffix, L"cmdCancel_" + suffix}); }

// A long caption above its box, wrapped to the page's width.
constexpr int kPageWidth = 300;

std::vector<LayoutNode> FamilyPages() {
  return {
      Page(L"任意函数", {Field(L"optMode_Any").Columns(3).NoCaption(), Field(L"txtFx_Any").Chars(48), Range(L"Any"),
                         Field(L"txtXt_Any").Chars(40), Field(L"txtYt_Any").Chars(40), Field(L"txtRt_Any").Chars(40),
                         Row({Field(L"txtTmin_Any").Chars(10), Field(L"txtTmax_Any").Chars(10)}),
                         Field(L"labNote_Any").Width(kPageWidth), Fields({L"cmdOK_Any"})}),
      Page(L"直线",
           {Field(L"optType_ZX").Columns(4), Coefficient(L"txtK_ZX"), Coefficient(L"txtA_ZX"), Coefficient(L"txtB_ZX"),
            Coefficient(L"txtC_ZX"), Field(L"txtP1_ZX").Chars(12), Field(L"txtP2_ZX").Chars(12),
            Field(L"txtV_ZX").Chars(12), Range(L"ZX"),
            Row({Field(L"txtYmin_ZX").Chars(10), Field(L"txtYmax_ZX").Chars(10)}), Field(L"chkXD"), TabButtons(L"ZX")}),
      Page(L"指数函数",
           {Coefficient(L"txtA_AX"), Coefficients({L"txtH_AX", L"txtK_AX"}), Range(L"AX"), TabButtons(L"AX")}),
      Page(L"对数函数", {Fields({L"optLogX", L"optLogAbsX", L"optAbsLogX"}), Coefficient(L"txtA_LogX"),
                         Coefficients({L"txtH_LogX", L"txtK_LogX"}), Range(L"LogX"), TabButtons(L"LogX")}),
      Page(L"幂函数", {Fields({L"optXn_Power", L"optXmn_Power"}), Coefficients({L"txtP_MI", L"txtQ_MI"}), Range(L"MI"),
                       TabButtons(L"MI")}),
      Page(L"反比例函数", {Coefficient(L"txtK_FBLHS"), Range(L"FBLHS"), TabButtons(L"FBLHS")}),
      Page(L"三角函数", {Field(L"optType_SJ").Columns(4), Coefficient(L"txtA_sin"),
                         Coefficients({L"txtW_sin", L"txtF_sin", L"txtK_sin"}), Field(L"chkRadian_SJ"),
                         Field(L"optRange_SJ").Columns(2), Field(L"txtXmin_SJ").CaptionAbove().Width(kPageWidth),
                         Row({Field(L"txtXmax_SJ").Chars(10), Coefficient(L"txtPeriods_SJ")}),
                         Fields({L"chkFivePoint_SJ", L"chkSymmetric_SJ"}),
                         Fields({L"chkZero_SJ", L"chkExtreme_SJ", L"chkAxis_SJ", L"chkAsymptote_SJ"}),
                         Field(L"labNote_SJ").Width(kPageWidth), TabButtons(L"SJ")}),
      Page(L"圆", {Field(L"optType_Yuan").Columns(3), Coefficients({L"txtA_Yuan", L"txtB_Yuan", L"txtR_Yuan"}),
                   Coefficients({L"txtD_Yuan", L"txtE_Yuan", L"txtF_Yuan"}), Field(L"chkCentreOfCircle"),
                   TabButtons(L"Yuan")}),
      Page(L"椭圆",
           {Field(L"optType_TY"), Coefficients({L"txtA2_TY", L"txtB2_TY", L"txtX0_TY", L"txtY0_TY"}),
            Coefficients({L"txtA_TY", L"txtB_TY", L"txtC_TY", L"txtD_TY", L"txtE_TY"}),
            Fields({L"chkFocus_TY", L"chkDirectrix_TY", L"chkAxis_TY"}), Field(L"labHint_TY"), TabButtons(L"TY")}),
      Page(L"抛物线", {Field(L"optType_PWX").Columns(3), Coefficients({L"txtP_PWX", L"txtX0_PWX", L"txtY0_PWX"}),
                       Coefficients({L"txtA_PWX", L"txtB_PWX", L"txtC_PWX"}),
                       Field(L"txtMin_PWX").CaptionAbove().Width(kPageWidth), Field(L"txtMax_PWX").Chars(10),
                       Fields({L"chkFocus_PWX", L"chkDirectrix_PWX", L"chkAxis_PWX"}), TabButtons(L"PWX")}),
      Page(L"双曲线",
           {Field(L"optType_SQX"), Coefficients({L"txtA2_SQX", L"txtB2_SQX", L"txtX0_SQX", L"txtY0_SQX"}),
            Coefficients({L"txtA_SQX", L"txtB_SQX", L"txtC_SQX", L"txtD_SQX", L"txtE_SQX"}),
            Fields({L"chkFocus_SQX", L"chkDirectrix_SQX", L"chkAxis_SQX", L"chkJJX_SQX"}),
            Field(L"txtMin_SQX").CaptionAbove().Width(kPageWidth), Field(L"txtMax_SQX").Chars(10), TabButtons(L"SQX")}),
      Page(L"点", {Field(L"optPointCount").Columns(2), Field(L"txtPoint").Chars(12),
                   Field(L"txtPointTable_POINT").CaptionAbove().Lines(4).Width(kPageWidth),
                   Row({Field(L"optPointOnly").Columns(2), Field(L"optPointType").Columns(2)}),
                   Row({Field(L"chkPointTxt"), Field(L"txtPointTxt").Chars(6)}), Coefficient(L"txtPointR"),
                   Field(L"labPointColor").Chars(10), Fields({L"chkPointMark", L"chkPointX", L"chkPointY"}),
                   TabButtons(L"POINT")}),
      Page(L"线性规划", {Field(L"txtLineList").CaptionAbove().Lines(6).Width(kPageWidth),
                         Field(L"labNote_XXGH").Width(kPageWidth), TabButtons(L"XXGH")}),
  };
}

}  // namespace

DialogLayout frmGraph::Layout() const {
  const LayoutNode frame = Frame(L"坐标系", {Coefficients({L"txtXmin", L"txtXmax", L"txtYmin", L"txtYmax"}),
                                             Coefficients({L"txtLenOfAxis_x", L"txtLenOfAxis_y"}),
                                             Coefficient(L"udLenOfAxis"), Coefficients({L"HScrollx", L"HScrolly"})});
  const LayoutNode line =
      Frame(L"线条", {Row({Field(L"cmbStyle"), Coefficient(L"cmbWidth")}), Field(L"labColor").Chars(10)});
  return {L"函数图象",
          Row({Column({Tabs(L"", FamilyPages()), frame}),
               Column({Area(L"预览", 168, 168), Field(L"List1").Size(168, 48), line,
                       Fields({L"chkDrawScale", L"chkNoCoordinate", L"chkWG"}), Field(L"chkMultImage"),
                       Grid({L"cmdChange", L"cmdResult", L"cmdReset", L"cmdCls", L"cmdOK", L"cmdCancel"}, 3)})})};
}

}  // namespace plx::graph
