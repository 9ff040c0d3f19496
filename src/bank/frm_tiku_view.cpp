#include "bank/frm_tiku_view.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/frm_tiku_dantiruku.hpp"
#include "bank/frm_tree.hpp"
#include "bank/tk_insert.hpp"
#include "bank/tk_pages.hpp"
#include "bank/tk_question.hpp"
#include "bank/tk_sql.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "pictures/picture_file.hpp"

namespace plx::bank {
namespace {

constexpr wchar_t kAny[] = L"全部";

std::wstring Numbered(const wchar_t* prefix, size_t i) { return prefix + std::to_wstring(i + 1); }

std::wstring Caption(const QuestionRow& q) {
  return L"编号" + std::to_wstring(q.id) + L"　" + q.type + L"　" + q.degree + L"　" + q.points + L"　已用" +
         std::to_wstring(q.usedTimes) + L"次";
}

}  // namespace

frmTiKu_View::frmTiKu_View(AddinContext& ctx) : Form(ctx, L"frmTiKu_View") {
  Control kind = Options(L"optViewType", L"浏览方式", {L"按章节", L"按知识点", L"按试卷", L"全部试题"});
  kind.change = [this] { LoadTree(); };
  AddControl(std::move(kind));
  AddControl(PickList(L"lstTree"));
  Control find = Box(L"txtFind", L"查找", L"");
  find.change = [this] {
    const std::wstring text = GetControl(L"txtFind").text;
    Control& list = GetControl(L"lstTree");
    if (GetControl(L"optViewType").value == kByPaper) {
      for (size_t i = 0; i < papers_.size(); ++i)
        if (Contains(papers_[i].name, Trim(text))) { list.value = static_cast<int>(i); return; }
    } else if (int at = FindNode(nodes_, text); at >= 0) {
      list.value = at;
    }
  };
  AddControl(std::move(find));
  AddControl(Combo(L"cmbTX", L"题型", {kAny}, kAny)).listOnly = true;
  AddControl(Combo(L"cmbND", L"难度", {kAny}, kAny)).listOnly = true;
  AddControl(Box(L"txtMeiYeTiMuShu", L"每页题数", L"5"));
  AddControl(Button(L"cmdCX", L"查询", [this] { cmdCX_Click(); }));
  AddControl(Box(L"labCount", L"", L"")).kind = ControlKind::Label;
  AddControl(Box(L"labPages", L"", L"")).kind = ControlKind::Label;
  AddControl(Box(L"labPage", L"", L"")).kind = ControlKind::Label;
  Control pages = PickList(L"lstPage");
  pages.change = [this] { ShowPage(GetControl(L"lstPage").value + 1); };
  AddControl(std::move(pages));
  AddControl(Button(L"cmdPrev", L"上一页", [this] { ShowPage(page_ - 1); }));
  AddControl(Button(L"cmdNext", L"下一页", [this] { ShowPage(page_ + 1); }));
  AddControl(Button(L"cmdAll", L"全选", [this] { TickAll(1); }));
  AddControl(Button(L"cmdNot", L"全不选", [this] { TickAll(0); }));
  AddControl(Button(L"cmdToWord", L"插入Word", [this] { cmdToWord_Click(); }));
  AddControl(Button(L"cmdDelete", L"删除", [this] { cmdDelete_Click(); }));
  AddControl(Button(L"cmdClose", L"关闭", [this] { Unload(); }));
}

void frmTiKu_View::Form_Load() {
  try {
    for (auto [name, table] : {std::pair{L"cmbTX", L"tkType"}, std::pair{L"cmbND", L"tkDegree"}}) {
      Control& c = GetControl(name);
      for (auto& v : ValueList(Ctx(), table)) c.items.push_back(std::move(v));
    }
    GetControl(L"optViewType").value = kByChapter;
    LoadTree();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.Form_Load-->line", __LINE__);
  }
}

void frmTiKu_View::LoadTree() {
  try {
    Control& list = GetControl(L"lstTree");
    list.items.clear();
    list.value = -1;
    nodes_.clear();
    papers_.clear();
    switch (GetControl(L"optViewType").value) {
      case kByChapter: nodes_ = ChapterTree(Ctx()); break;
      case kByPoint: nodes_ = PointTree(Ctx()); break;
      case kByPaper:
        papers_ = LatestPapers(Ctx());
        for (const auto& p : papers_) list.items.push_back(p.name);
        return;
      default: return;
    }
    list.items = TreeItems(nodes_);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.LoadTree-->line", __LINE__);
  }
}

std::optional<int> frmTiKu_View::PageSize() {
  UserInterface& ui = Ctx().Ui();
  double k = Val(Trim(GetControl(L"txtMeiYeTiMuShu").text));
  if (k < 1 || k > 1000) {
    ui.MsgBox(L"每页显示题目数不正常，请检查！", Buttons::OK, L"");
    return std::nullopt;
  }
  if (k > 10 && ui.MsgBox(L"每页显示题目数过多可能导致程序出错，你确定要这样做吗？", Buttons::YesNo, L"") != Answer::Yes)
    return std::nullopt;
  return static_cast<int>(k);
}

namespace {

// The statements of the chosen view: the count and page p of k.
struct ViewStatements {
  std::wstring count, countCaption;
  std::function<std::wstring(int, int)> page;
};

}  // namespace

bool frmTiKu_View::Count() {
  UserInterface& ui = Ctx().Ui();
  const int kind = GetControl(L"optViewType").value;
  const int chosen = GetControl(L"lstTree").value;
  PageFilter filter;
  if (std::wstring t = GetControl(L"cmbTX").text; t != kAny) filter.type = t;
  if (std::wstring d = GetControl(L"cmbND").text; d != kAny) filter.degree = d;
  ViewStatements v;
  if (kind == kAll) {
    v = {AllCountSql(filter), L"当前题库共有", [filter](int k, int p) { return AllQuestionsPageSql(k, p, filter); }};
  } else if (kind == kByPaper) {
    if (chosen < 0 || chosen >= static_cast<int>(papers_.size())) {
      ui.MsgBox(L"您没有选中试卷，请检查！", Buttons::OK, L"");
      return false;
    }
    // The paper's questions as a rebuild reads them (a paper without
    // questions, a paper of one or questions gone from the bank are told),
    // shown oldest first and paged here.
    auto stored = PaperQuestions(Ctx(), papers_[static_cast<size_t>(chosen)].id);
    if (!stored) return false;
    std::vector<QuestionRow> rows;
    for (auto& q : *stored)
      if ((filter.type.empty() || q.type == filter.type) && (filter.degree.empty() || q.degree == filter.degree))
        rows.push_back(std::move(q));
    std::sort(rows.begin(), rows.end(), [](const QuestionRow& a, const QuestionRow& b) { return a.id < b.id; });
    count_ = static_cast<long>(rows.size());
    paperRows_ = std::move(rows);
    GetControl(L"labCount").caption = L"当前试卷共有" + std::to_wstring(count_) + L"道试题";
    statements_ = nullptr;
    return true;
  } else {
    if (chosen < 0 || chosen >= static_cast<int>(nodes_.size())) {
      ui.MsgBox(kind == kByChapter ? L"请先选择一个章节。" : L"请先选择一个知识点。", Buttons::OK, L"");
      return false;
    }
    const TreeNode& node = nodes_[static_cast<size_t>(chosen)];
    if (kind == kByChapter) {
      long c = node.id;
      v = {ChapterCountSql(c, filter), L"当前章节下共有",
           [c, filter](int k, int p) { return ChapterPageSql(c, k, p, filter); }};
    } else {
      std::vector<std::wstring> names = PointWithChildren(Ctx(), node.id, node.name);
      v = {PointCountSql(names, filter), L"当前知识点下共有",
           [names, filter](int k, int p) { return PointPageSql(names, k, p, filter); }};
    }
  }
  count_ = CountRows(Ctx(), v.count);
  GetControl(L"labCount").caption = v.countCaption + std::to_wstring(count_) + L"道试题";
  statements_ = v.page;
  return true;
}

void frmTiKu_View::cmdCX_Click() {
  try {
    auto k = PageSize();
    if (!k) return;
    pageSize_ = *k;
    if (!Count()) return;
    ShowPages(1);
    if (count_ == 0) Ctx().Ui().MsgBox(L"当前符合条件的记录为0条，请多添加些题目吧！", Buttons::OK, L"");
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.CreatSqlString-->line", __LINE__);
  }
}

void frmTiKu_View::ShowPages(int page) {
  const int pages = PageCount(count_, pageSize_);
  GetControl(L"labPages").caption = L"共" + std::to_wstring(pages) + L"页";
  Control& list = GetControl(L"lstPage");
  list.items.clear();
  for (int p = 1; p <= pages; ++p) list.items.push_back(std::to_wstring(p));
  if (count_ == 0) {
    page_ = 0;
    list.value = -1;
    GetControl(L"labPage").caption = L"";
    ShowRows({});
    return;
  }
  ShowPage(std::clamp(page, 1, pages));
}

void frmTiKu_View::ShowPage(int page) {
  try {
    const int pages = PageCount(count_, pageSize_);
    if (count_ == 0 || page < 1 || page > pages) return;
    std::vector<QuestionRow> rows;
    if (statements_) {
      rows = QueryQuestions(Ctx(), statements_(pageSize_, page));
    } else {
      size_t from = static_cast<size_t>(page - 1) * static_cast<size_t>(pageSize_);
      size_t to = std::min(paperRows_.size(), from + static_cast<size_t>(pageSize_));
      if (from < to) rows.assign(paperRows_.begin() + static_cast<long>(from), paperRows_.begin() + static_cast<long>(to));
    }
    page_ = page;
    GetControl(L"lstPage").value = page - 1;
    GetControl(L"labPage").caption = L"第" + std::to_wstring(page) + L"页";
    ShowRows(rows);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.ExecSql-->line", __LINE__);
  }
}

void frmTiKu_View::ShowRows(const std::vector<QuestionRow>& rows) {
  shown_ = rows;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!HasControl(Numbered(L"chkTM", i))) {
      AddControl(Check(Numbered(L"chkTM", i), L"", 0));
      Control picture = Box(Numbered(L"imgTM", i), L"", L"");
      picture.kind = ControlKind::Label;
      picture.dblClick = [this, i](int) {
        if (i >= shown_.size()) return;
        auto form = std::make_shared<frmTiKu_DanTiRuKu>(Ctx());
        form->Show();
        if (!form->EditQuestion(shown_[i].id)) form->Unload();
      };
      AddControl(std::move(picture));
    }
  }
  for (size_t i = 0; HasControl(Numbered(L"chkTM", i)); ++i) {
    Control& check = GetControl(Numbered(L"chkTM", i));
    Control& picture = GetControl(Numbered(L"imgTM", i));
    const bool used = i < rows.size();
    check.visible = picture.visible = used;
    check.value = 0;
    check.caption = used ? Caption(rows[i]) : L"";
    picture.caption = used ? rows[i].fileName + L".wmf" : L"";
  }
}

bool frmTiKu_View::HasControl(const std::wstring& name) const {
  for (const auto& c : Controls())
    if (c.name == name) return true;
  return false;
}

std::wstring frmTiKu_View::ShownIds() const {
  std::vector<std::wstring> ids;
  for (const auto& q : shown_) ids.push_back(std::to_wstring(q.id));
  return Join(ids, L"||");
}

void frmTiKu_View::TickAll(int value) {
  for (size_t i = 0; i < shown_.size(); ++i) GetControl(Numbered(L"chkTM", i)).value = value;
}

std::vector<long> frmTiKu_View::Ticked() {
  std::vector<long> ids;
  for (size_t i = 0; i < shown_.size(); ++i)
    if (GetControl(Numbered(L"chkTM", i)).value == 1) ids.push_back(shown_[i].id);
  return ids;
}

void frmTiKu_View::cmdToWord_Click() {
  try {
    std::vector<long> ids = Ticked();
    if (ids.empty()) {
      Ctx().Ui().MsgBox(L"请先勾选要插入的试题。", Buttons::OK, L"");
      return;
    }
    int n = InsertQuestions(Ctx(), ids);
    Ctx().Ui().StatusText(L"已将" + std::to_wstring(n) + L"道试题插入文档。");
    ShowPage(page_);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.cmdToWord_Click-->line", __LINE__);
  }
}

void frmTiKu_View::cmdDelete_Click() {
  try {
    std::vector<long> ids = Ticked();
    UserInterface& ui = Ctx().Ui();
    if (ids.empty()) {
      ui.MsgBox(L"请先勾选要删除的试题。", Buttons::OK, L"");
      return;
    }
    if (ui.MsgBox(L"试题删除后不可恢复，您确定要删除选中的" + std::to_wstring(ids.size()) + L"道试题吗？", Buttons::YesNo,
                  L"试题删除确认") != Answer::Yes)
      return;
    for (long id : ids) DeleteQuestion(Ctx(), id);
    // The same view again, on the same page while it still exists.
    if (Count()) ShowPages(page_);
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_View.cmdDelete_Click-->line", __LINE__);
  }
}

std::string frmTiKu_View::PreviewSvg() {
  pictures::Scene page;
  if (!Ctx().App) Raise(5, L"当前页没有可以预览的试题。");
  auto docs = Ctx().App->GetDocuments();
  for (const auto& q : shown_) {
    if (!FileExists(q.fileName + L".doc")) continue;
    auto doc = docs->Open(q.fileName + L".doc", true);
    pictures::Scene one = QuestionScene(Ctx(), *doc);
    docs->Close(doc);
    one.Move(0, page.height);
    page.width = std::max(page.width, one.width);
    page.height += one.height;
    for (auto& item : one.items) page.items.push_back(std::move(item));
  }
  if (page.items.empty()) Raise(5, L"当前页没有可以预览的试题。");
  return pictures::SvgText(page);
}

}  // namespace plx::bank
