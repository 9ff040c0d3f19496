#pragma once
// "frmTiKu_DanTiRuKu": one question into the bank. Its question area is a
// document of its own, the active one while the dialog is open (it starts
// with what was selected in the teacher's document), where the question is
// typed or pasted and marked: `cmdBiaoJiTiGan`, `cmdBiaoJiDaAn`,
// `cmdBiaoJiXiangJie` put "【题干】", "【答案】", "【详解】" in front of the
// selection; `cmdYCL` marks a pasted question by itself. `cmbType`,
// `cmbDegree`, `txtShortName`, `txtPoint` (`cmdPoint`), `txtChapter`
// (`cmdChapter`), `txtPaper` (`cmdPaper`, `cmdClearPaper`), `txtInTime`;
// `labPicIndex` names the stored files of a question being edited, which
// keeps them. `cmdOK` saves the question without the paper's tags and
// question number.
#include <memory>
#include <string>

#include "addin/form.hpp"
#include "bank/frm_tree.hpp"
#include "bank/paper_pick.hpp"
#include "bank/tk_question.hpp"

namespace plx::bank {

// The automatic pre-processing of a question document: the paper's tags
// go (with the question number they mark), old-style stem and
// solution headings become the marks, a leading question number goes, a
// stem mark is put first when there is none, and the first answer heading
// gives the answer mark ("答案：" becomes it; before a solution heading it
// is put in front). Returns nothing; the document is changed.
void PreprocessQuestion(docif::Document& doc);

class frmTiKu_DanTiRuKu : public Form, public TreePickTarget, public PaperPickTarget {
 public:
  explicit frmTiKu_DanTiRuKu(AddinContext& ctx);
  DialogLayout Layout() const override;
  void TreePicked(const std::wstring& mode, const std::vector<TreeNode>& nodes) override;
  void PaperPicked(long id, const std::wstring& name) override;
  // Opens a stored question for editing; false (after saying so) when it is gone.
  bool EditQuestion(long id);
  void Mark(const std::wstring& mark);
  void cmdYCL_Click();
  void cmdOK_Click();
  std::shared_ptr<docif::Document> Area() const { return area_; }
  PreviewWriter writePreview = WriteWmfPreview;

 private:
  void Form_Load() override;
  void Form_Unload() override;
  void ClearArea();

  std::shared_ptr<docif::Document> area_, caller_;
  long editId_ = 0;
  long paperId_ = 0;
  long chapterId_ = 0;
};

}  // namespace plx::bank
