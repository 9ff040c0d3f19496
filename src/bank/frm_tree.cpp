#include "bank/frm_tree.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "common/text.hpp"

namespace plx::bank {

Control PickList(const std::wstring& name, std::function<void(int)> dblClick) {
  Control list;
  list.name = name;
  list.kind = ControlKind::ListBox;
  list.value = -1;
  list.dblClick = std::move(dblClick);
  return list;
}

void ShowPicked(Form& caller, const std::wstring& mode, const std::vector<TreeNode>& nodes, long& chapterId) {
  if (nodes.empty()) return;
  if (Contains(mode, L"Chapter")) {
    chapterId = nodes.front().id;
    caller.GetControl(L"txtChapter").text = nodes.front().name;
    return;
  }
  std::vector<std::wstring> names;
  for (const auto& n : nodes) names.push_back(n.name);
  caller.GetControl(L"txtPoint").text = Join(names, L",");
}

std::vector<std::wstring> TreeItems(const std::vector<TreeNode>& nodes) {
  // The bank's own trees are three layers deep; a bank made elsewhere may
  // hold any number, which must not become an indentation of that size.
  constexpr int kDeepestShown = 16;
  std::vector<std::wstring> items;
  for (const auto& n : nodes)
    items.push_back(std::wstring(static_cast<size_t>(std::clamp(n.layer, 0, kDeepestShown)) * 2, L' ') + n.name);
  return items;
}

int FindNode(const std::vector<TreeNode>& nodes, const std::wstring& text) {
  std::wstring t = Trim(text);
  if (t.empty()) return -1;
  for (size_t i = 0; i < nodes.size(); ++i)
    if (nodes[i].name == t) return static_cast<int>(i);
  for (size_t i = 0; i < nodes.size(); ++i)
    if (Contains(nodes[i].name, t)) return static_cast<int>(i);
  return -1;
}

frmTree::frmTree(AddinContext& ctx, std::wstring mode, std::weak_ptr<TreePickTarget> target)
    : Form(ctx, L"frmTree"), mode_(std::move(mode)), target_(std::move(target)) {
  AddControl(PickList(L"lstTree", [this](int index) {
    GetControl(L"lstTree").value = index;
    if (ChoosesChapter()) cmdOK_Click();
    else cmdTick_Click();
  }));
  Control find = Box(L"txtFind", L"查找", L"");
  find.change = [this] {
    int at = FindNode(nodes_, GetControl(L"txtFind").text);
    if (at >= 0) GetControl(L"lstTree").value = at;
  };
  AddControl(std::move(find));
  AddControl(Button(L"cmdTick", L"勾选/取消", [this] { cmdTick_Click(); })).visible = !ChoosesChapter();
  AddControl(Button(L"cmdOK", L"确定", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

bool frmTree::ChoosesChapter() const { return Contains(mode_, L"Chapter"); }

void frmTree::Form_Load() {
  try {
    nodes_ = ChoosesChapter() ? ChapterTree(Ctx()) : PointTree(Ctx());
    ticked_.assign(nodes_.size(), false);
    ShowItems();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTree.Form_Load-->line", __LINE__);
  }
}

void frmTree::ShowItems() {
  std::vector<std::wstring> items = TreeItems(nodes_);
  if (!ChoosesChapter())
    for (size_t i = 0; i < items.size(); ++i) items[i] = (ticked_[i] ? L"☑ " : L"☐ ") + items[i];
  GetControl(L"lstTree").items = std::move(items);
}

void frmTree::cmdTick_Click() {
  int at = GetControl(L"lstTree").value;
  if (at < 0 || at >= static_cast<int>(nodes_.size())) {
    Ctx().Ui().MsgBox(L"请先选中一个知识点。", Buttons::OK, L"");
    return;
  }
  ticked_[static_cast<size_t>(at)] = !ticked_[static_cast<size_t>(at)];
  ShowItems();
}

void frmTree::cmdOK_Click() {
  std::vector<TreeNode> picked;
  if (ChoosesChapter()) {
    int at = GetControl(L"lstTree").value;
    if (at < 0 || at >= static_cast<int>(nodes_.size())) {
      Ctx().Ui().MsgBox(L"请先选中一个章节。", Buttons::OK, L"");
      return;
    }
    picked.push_back(nodes_[static_cast<size_t>(at)]);
  } else {
    for (size_t i = 0; i < nodes_.size(); ++i)
      if (ticked_[i]) picked.push_back(nodes_[i]);
    if (picked.empty()) {
      Ctx().Ui().MsgBox(L"请先勾选知识点。", Buttons::OK, L"");
      return;
    }
  }
  if (auto target = target_.lock()) target->TreePicked(mode_, picked);
  Unload();
}

void PickFromTree(AddinContext& ctx, const std::wstring& mode, const std::shared_ptr<TreePickTarget>& target) {
  auto open = ctx.OpenForms;  // unloading changes the list
  for (const auto& f : open)
    if (f->Name() == L"frmTree") f->Unload();
  std::make_shared<frmTree>(ctx, mode, target)->Show();
}

}  // namespace plx::bank
