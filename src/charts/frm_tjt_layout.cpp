// The chart dialog's layout: a page per kind of chart, each tab captioned by
// its label. The bar and line chart page has its data frame (captioned by
// the label that says what to type) above the x axis, the y axis and the
// look of the chart side by side.
#include "charts/frm_tjt.hpp"

namespace plx::charts {
namespace {

using namespace layout;

// The boxes of one axis (suffix "X" or "Y").
LayoutNode AxisFrame(const std::wstring& caption, const std::wstring& a) {
  return Frame(caption,
               {Field(L"txtLen" + a), Field(L"txtChuZhi" + a), Field(L"txtZhongZhi" + a), Field(L"txtKuaDu" + a),
                Field(L"txtText" + a).Chars(8), Field(L"chkAuto" + a), Field(L"chkZheXian" + a),
                Field(L"chkCanKaoXian" + a), Field(L"optCanKaoXian" + a).Columns(2)});
}

}  // namespace

DialogLayout frmTJT::Layout() const {
  const LayoutNode charts =
      PageOf(L"labTab1",
             {Field(L"optZFT").Columns(4), FrameOf(L"fraData", {Row({Field(L"txtData").Stretch(), Field(L"cmdCls")})}),
              Row({AxisFrame(L"x轴", L"X"), AxisFrame(L"y轴", L"Y"),
                   Frame(L"外观", {Field(L"chkZuoBiaoXian"), Field(L"chkBiaoJiShuZhi"), Field(L"txtJianJu"),
                                   Field(L"txtXSWS"), Field(L"chkFill"), Field(L"optColor"), Field(L"labColor"),
                                   Field(L"optStyle").Columns(2), Field(L"chkNoBiLi")})}),
              Fields({L"cmdOk"})});
  const LayoutNode stemLeaf =
      PageOf(L"labTab2", {Field(L"optDataType").Columns(2),
                          Frame(L"数据", {Field(L"txtDataJYT(0)").Chars(50), Field(L"txtDataJYT(1)").Chars(50)}),
                          Fields({L"cmdClsJY", L"cmdOKJY"})});
  const LayoutNode pie =
      PageOf(L"labTab3",
             {Frame(L"数据", {Field(L"txtDataSX").Chars(30), Field(L"txtRadius")}), Field(L"chkBaiFenBi"),
              Frame(L"填充", {Field(L"chkColor"), Field(L"optShanXingColor").Columns(3), Field(L"labShanXingColor")}),
              Fields({L"cmdClsSX", L"cmdOKSX"})});
  return {L"统计图", Column({Tabs(L"", {charts, stemLeaf, pie}), Fields({L"cmdCancel"})})};
}

}  // namespace plx::charts
