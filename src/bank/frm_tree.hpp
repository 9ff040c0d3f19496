#pragma once
// "frmTree": the chapter and knowledge-point picker. The caller's name
// (the mode) decides the tree and what the picked nodes fill: a chapter
// mode ("DanTi_Chapter", "PiLiang_Chapter") chooses one chapter; a point
// mode ("DanTi_Point", "frmTiKu_PiLiangRuKu") ticks any number of points.
// Controls: `lstTree` (the nodes, indented by depth; ticked points show
// "☑"), `txtFind` (moves to the first node whose name holds the text),
// `cmdTick` (ticks or unticks the current point; a double click on a node
// does the same, or chooses a chapter), `cmdOK`, `cmdCancel`.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "addin/form.hpp"
#include "bank/tk_store.hpp"

namespace plx::bank {

// What a caller of the picker implements: the chosen chapter, or the
// ticked points, for the given mode.
class TreePickTarget {
 public:
  virtual ~TreePickTarget() = default;
  virtual void TreePicked(const std::wstring& mode, const std::vector<TreeNode>& nodes) = 0;
};

// A list box with nothing chosen; a double click runs `dblClick` with the
// entry's index after choosing it.
Control PickList(const std::wstring& name, std::function<void(int)> dblClick = {});
// Puts what the picker chose into the caller's boxes: a chapter's name in
// `txtChapter` (its id in `chapterId`), the ticked points joined by "," in
// `txtPoint`.
void ShowPicked(Form& caller, const std::wstring& mode, const std::vector<TreeNode>& nodes, long& chapterId);

// The node texts of a tree list: each name indented by its depth.
std::vector<std::wstring> TreeItems(const std::vector<TreeNode>& nodes);
// The index of the first node whose name holds the text; -1 when none.
int FindNode(const std::vector<TreeNode>& nodes, const std::wstring& text);

class frmTree : public Form {
 public:
  frmTree(AddinContext& ctx, std::wstring mode, std::weak_ptr<TreePickTarget> target);
  DialogLayout Layout() const override;
  bool ChoosesChapter() const;
  void cmdTick_Click();
  void cmdOK_Click();

 private:
  void Form_Load() override;
  void ShowItems();

  std::wstring mode_;
  std::weak_ptr<TreePickTarget> target_;
  std::vector<TreeNode> nodes_;
  std::vector<bool> ticked_;
};

// Opens the picker for the caller.
void PickFromTree(AddinContext& ctx, const std::wstring& mode, const std::shared_ptr<TreePickTarget>& target);

}  // namespace plx::bank
