// The layouts of the question-bank dialogs: the pickers as a list with
// their search box, the browser with its tree beside the questions of the
// page (a scrolled group, a row per question with its picture), the imports
// with the paper's values above the questions they apply to.
#include "bank/frm_tiku_dantiruku.hpp"
#include "bank/frm_tiku_paperinfo.hpp"
#include "bank/frm_tiku_paperlist.hpp"
#include "bank/frm_tiku_piliangruku.hpp"
#include "bank/frm_tiku_view.hpp"
#include "bank/frm_tree.hpp"

namespace plx::bank {
namespace {

using namespace layout;

// The controls made for each question shown, "prefix1", "prefix2"...
size_t QuestionCount(const std::vector<Control>& controls, const std::wstring& prefix) {
  size_t n = 0;
  for (const auto& c : controls)
    if (c.name.starts_with(prefix)) ++n;
  return n;
}

std::wstring Numbered(const std::wstring& prefix, size_t i) { return prefix + std::to_wstring(i + 1); }

}  // namespace

DialogLayout frmTree::Layout() const {
  return {ChoosesChapter() ? L"选择章节" : L"选择知识点",
          Column({Field(L"txtFind").Stretch(), Field(L"lstTree").Size(220, 220),
                  Fields({L"cmdTick", L"cmdOK", L"cmdCancel"})})};
}

DialogLayout frmTiKu_PaperList::Layout() const {
  return {L"选择试卷", Column({Field(L"lstPaper").Size(280, 180), Fields({L"cmdOK", L"cmdDelete", L"cmdCancel"})})};
}

DialogLayout frmTiKu_PaperInfo::Layout() const {
  return {L"试卷信息",
          Column({Field(L"txtName").Chars(48), Field(L"cmbGrade"), Field(L"cmbProvinces"), Field(L"txtYear"),
                  Field(L"txtSchool").Chars(48), Field(L"cmbType"), Fields({L"cmdOK", L"cmdCancel"})})};
}

DialogLayout frmTiKu_View::Layout() const {
  // A question's line (number, type, difficulty, points, uses) and its picture.
  std::vector<LayoutNode> questions;
  for (size_t i = 0; i < QuestionCount(Controls(), L"chkTM"); ++i) {
    questions.push_back(Field(Numbered(L"chkTM", i)).Width(340));
    questions.push_back(Field(Numbered(L"imgTM", i)).Size(340, 48));
  }
  return {
      L"题库浏览",
      Row({Column({Field(L"optViewType").Columns(2), Field(L"txtFind").Stretch(), Field(L"lstTree").Size(160, 236)}),
           Column(
               {Row({Field(L"cmbTX").Width(64), Field(L"cmbND").Width(48), Field(L"txtMeiYeTiMuShu").Chars(4),
                     Field(L"cmdCX")}),
                Row({Field(L"labCount").Width(170), Field(L"labPages").Width(48), Field(L"labPage").Width(48),
                     Field(L"lstPage").Size(40, 12)}),
                Scroll(L"试题", 236, std::move(questions)),
                Grid({L"cmdPrev", L"cmdNext", L"cmdAll", L"cmdNot", L"cmdToWord", L"cmdDelete", L"cmdClose"}, 7)})})};
}

DialogLayout frmTiKu_DanTiRuKu::Layout() const {
  return {L"单题入库",
          Column({Frame(L"标记", {Fields({L"cmdBiaoJiTiGan", L"cmdBiaoJiDaAn", L"cmdBiaoJiXiangJie", L"cmdYCL"})}),
                  Fields({L"cmbType", L"cmbDegree"}), Field(L"txtShortName"),
                  Row({Field(L"txtPoint").Chars(40).Stretch(), Field(L"cmdPoint")}),
                  Row({Field(L"txtChapter").Chars(40).Stretch(), Field(L"cmdChapter")}),
                  Row({Field(L"txtPaper").Chars(32).Stretch(), Field(L"cmdPaper"), Field(L"cmdClearPaper")}),
                  Field(L"txtInTime").Chars(20), Field(L"labPicIndex").Width(240), Fields({L"cmdOK", L"cmdCancel"})})};
}

DialogLayout frmTiKu_PiLiangRuKu::Layout() const {
  // Each analysed question: the start of its stem, then its points,
  // difficulty and type.
  std::vector<LayoutNode> questions;
  for (size_t i = 0; i < QuestionCount(Controls(), L"labTM"); ++i) {
    questions.push_back(Field(Numbered(L"labTM", i)).Width(400));
    questions.push_back(
        Row({Field(Numbered(L"txtZSD", i)).Chars(40), Field(Numbered(L"cmbND", i)), Field(Numbered(L"cmbTX", i))}));
  }
  return {L"批量入库",
          Column({Field(L"labCount").Width(400),
                  Frame(L"全部题目", {Row({Field(L"txtPaper").Chars(40).Stretch(), Field(L"cmdPaper")}),
                                      Row({Field(L"txtChapter").Chars(40).Stretch(), Field(L"cmdChapter")}),
                                      Fields({L"cmbType", L"cmbDegree"}),
                                      Row({Field(L"txtPoint").Chars(40).Stretch(), Field(L"cmdPoint")}),
                                      Fields({L"chkTX", L"chkND", L"chkZSD", L"cmdApply"})}),
                  Scroll(L"试题", 150, std::move(questions)), Fields({L"cmdOK", L"cmdCancel"})})};
}

}  // namespace plx::bank
