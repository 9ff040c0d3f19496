#include "bank/frm_tiku_dantiruku.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/frm_tiku_paperinfo.hpp"
#include "bank/frm_tiku_paperlist.hpp"
#include "bank/tk_papers.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

// Every match of the wildcard pattern becomes the replacement text.
void ReplaceEach(docif::Document& doc, const std::wstring& pattern, const std::wstring& replacement) {
  long at = doc.Content()->Start();
  for (;;) {
    auto r = doc.GetRange(at, doc.Content()->End());
    auto find = r->GetFind();
    find->Text = pattern;
    find->MatchWildcards = true;
    if (!find->Execute()) return;
    r->SetText(replacement);
    at = r->End();
  }
}

bool Found(docif::Document& doc, const std::wstring& pattern) {
  auto r = doc.Content();
  auto find = r->GetFind();
  find->Text = pattern;
  find->MatchWildcards = true;
  return find->Execute();
}

// Where an answer heading begins a paragraph (or the text), as a position
// in the text; npos when there is none.
std::pair<size_t, std::wstring> FirstAnswerHeading(const std::wstring& text) {
  static const wchar_t* kHeadings[] = {L"【答案】", L"答案：", L"【解答】", L"解答：", L"【分析】",
                                       L"分析：",   L"【解析】", L"解析：", L"【解】",   L"解："};
  std::pair<size_t, std::wstring> first{std::wstring::npos, L""};
  for (const wchar_t* h : kHeadings) {
    for (size_t at = text.find(h); at != std::wstring::npos; at = text.find(h, at + 1)) {
      if (at != 0 && text[at - 1] != L'\r') continue;
      if (at < first.first) first = {at, h};
      break;
    }
  }
  return first;
}

}  // namespace

void PreprocessQuestion(docif::Document& doc) {
  // A question cut from a marked paper: its tags would hide the number and the headings below.
  RemovePaperMarks(doc);
  ReplaceEach(doc, L"[【\\[]题[目文][】\\]]", kStemMark);
  ReplaceEach(doc, L"^13[【\\[]解[：析答][】\\]]", L"\r" + kSolutionMark);
  // A leading question number ("12．") is the paper's, not the question's;
  // the blanks after it go too.
  std::wstring text = doc.Content()->Text();
  RegExp number;
  number.Pattern = L"^[\\r \\u3000]*(" + kStemMark + L")?[ \\u3000]*(\\d{1,}[.．、][ \\u3000]*)";
  auto m = number.Execute(text);
  if (!m.empty()) {
    size_t end = m.front().FirstIndex + m.front().Length;
    size_t start = end - m.front().SubMatches[1].size();
    doc.GetRange(static_cast<long>(start), static_cast<long>(end))->Delete();
  }
  if (!Found(doc, L"【题[目文干]】")) {
    text = doc.Content()->Text();
    size_t first = text.find_first_not_of(L"\r \u3000");
    long at = first == std::wstring::npos ? 0 : static_cast<long>(first);
    doc.GetRange(at, at)->InsertBefore(kStemMark);
  }
  text = doc.Content()->Text();
  auto [at, heading] = FirstAnswerHeading(text);
  if (at == std::wstring::npos || heading == kAnswerMark) return;
  long pos = static_cast<long>(at);
  if (heading == L"答案：") doc.GetRange(pos, pos + static_cast<long>(heading.size()))->SetText(kAnswerMark);
  else doc.GetRange(pos, pos)->InsertBefore(kAnswerMark + L"\r");
}

frmTiKu_DanTiRuKu::frmTiKu_DanTiRuKu(AddinContext& ctx) : Form(ctx, L"frmTiKu_DanTiRuKu") {
  AddControl(Button(L"cmdBiaoJiTiGan", L"标记题干", [this] { Mark(kStemMark); }));
  AddControl(Button(L"cmdBiaoJiDaAn", L"标记答案", [this] { Mark(kAnswerMark); }));
  AddControl(Button(L"cmdBiaoJiXiangJie", L"标记详解", [this] { Mark(kSolutionMark); }));
  AddControl(Button(L"cmdYCL", L"自动预处理", [this] { cmdYCL_Click(); }));
  AddControl(Combo(L"cmbType", L"题型", {}, L"")).listOnly = true;
  AddControl(Combo(L"cmbDegree", L"难度", {}, L"")).listOnly = true;
  AddControl(Box(L"txtShortName", L"来源简称", L""));
  AddControl(Box(L"txtPoint", L"知识点", L""));
  AddControl(Button(L"cmdPoint", L"选择知识点", [this] {
    PickFromTree(Ctx(), L"DanTi_Point", std::dynamic_pointer_cast<TreePickTarget>(shared_from_this()));
  }));
  Control chapter = Box(L"txtChapter", L"章节", L"");
  chapter.enabled = false;
  AddControl(std::move(chapter));
  AddControl(Button(L"cmdChapter", L"选择章节", [this] {
    PickFromTree(Ctx(), L"DanTi_Chapter", std::dynamic_pointer_cast<TreePickTarget>(shared_from_this()));
  }));
  Control paper = Box(L"txtPaper", L"试卷", L"");
  paper.enabled = false;
  AddControl(std::move(paper));
  AddControl(Button(L"cmdPaper", L"选择试卷", [this] {
    ChoosePaper(Ctx(), std::dynamic_pointer_cast<PaperPickTarget>(shared_from_this()));
  }));
  AddControl(Button(L"cmdClearPaper", L"清除试卷", [this] { PaperPicked(0, L""); }));
  AddControl(Box(L"txtInTime", L"录入时间", L""));
  AddControl(Box(L"labPicIndex", L"", L"")).kind = ControlKind::Label;
  AddControl(Button(L"cmdOK", L"保存到题库", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"关闭", [this] { Unload(); }));
}

void frmTiKu_DanTiRuKu::Form_Load() {
  try {
    for (auto [name, table] : {std::pair{L"cmbType", L"tkType"}, std::pair{L"cmbDegree", L"tkDegree"}})
      GetControl(name).ListWithFirstChosen(ValueList(Ctx(), table));
    GetControl(L"txtInTime").text = Ctx().GetClock().DateTimeText();
    if (!Ctx().App) return;
    try {
      caller_ = Ctx().App->ActiveDocument();
    } catch (const VbError&) {
    }
    auto selection = caller_ ? Ctx().App->GetSelection() : nullptr;
    area_ = Ctx().App->GetDocuments()->Add();
    // What the teacher selected is the question to store; its last
    // paragraph mark, when selected, is the area's last one.
    if (selection && selection->End() > selection->Start()) {
      area_->Content()->SetFormattedText(*selection->GetRange());
      auto end = area_->Content();
      end->Collapse(docif::kCollapseEnd);
    }
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_DanTiRuKu.Form_Load-->line", __LINE__);
  }
}

void frmTiKu_DanTiRuKu::Form_Unload() {
  if (area_ && Ctx().App) Ctx().App->GetDocuments()->Close(area_);
  area_ = nullptr;
  if (caller_) caller_->Activate();
}

void frmTiKu_DanTiRuKu::ClearArea() {
  auto all = area_->Content();
  all->SetRange(all->Start(), all->End() - 1);
  all->Delete();
  editId_ = 0;
  GetControl(L"labPicIndex").caption = L"";
}

void frmTiKu_DanTiRuKu::Mark(const std::wstring& mark) {
  if (!area_) return;
  area_->Activate();
  auto selection = Ctx().App->GetSelection();
  area_->GetRange(selection->Start(), selection->Start())->InsertBefore(mark);
}

void frmTiKu_DanTiRuKu::cmdYCL_Click() {
  try {
    if (!area_) return;
    PreprocessQuestion(*area_);
    Ctx().Ui().MsgBox(L"自动分析和处理完毕，请检查相关标记，如有不妥请修改后再保存到题库！", Buttons::OK, L"");
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_DanTiRuKu.cmdYCL_Click-->line", __LINE__);
  }
}

bool frmTiKu_DanTiRuKu::EditQuestion(long id) {
  try {
    auto row = LoadQuestion(Ctx(), id);
    if (!row || !FileExists(row->fileName + L".doc")) {
      Ctx().Ui().MsgBox(L"没有找到相关题目", Buttons::OK, L"");
      return false;
    }
    ClearArea();
    auto stored = Ctx().App->GetDocuments()->Open(row->fileName + L".doc", true);
    area_->Content()->SetFormattedText(*stored->Content());
    Ctx().App->GetDocuments()->Close(stored);
    area_->Activate();
    TrimEmptyEnd(*area_);
    editId_ = id;
    GetControl(L"labPicIndex").caption = row->fileName;
    GetControl(L"cmbType").text = row->type;
    GetControl(L"cmbDegree").text = row->degree;
    GetControl(L"txtShortName").text = row->shortName;
    GetControl(L"txtPoint").text = row->points;
    GetControl(L"txtInTime").text = row->inTime;
    chapterId_ = row->chapter;
    GetControl(L"txtChapter").text = L"";
    for (const auto& n : ChapterTree(Ctx()))
      if (n.id == row->chapter) GetControl(L"txtChapter").text = n.name;
    auto paper = row->paperId ? FindPaper(Ctx(), row->paperId) : std::nullopt;
    PaperPicked(paper ? paper->id : 0, paper ? paper->name : L"");
    return true;
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"modTiKu.LoadTM-->line", __LINE__);
    return false;
  }
}

void frmTiKu_DanTiRuKu::TreePicked(const std::wstring& mode, const std::vector<TreeNode>& nodes) {
  ShowPicked(*this, mode, nodes, chapterId_);
}

void frmTiKu_DanTiRuKu::PaperPicked(long id, const std::wstring& name) {
  paperId_ = id;
  GetControl(L"txtPaper").text = name;
  if (id && Trim(GetControl(L"txtShortName").text).empty()) GetControl(L"txtShortName").text = name;
}

void frmTiKu_DanTiRuKu::cmdOK_Click() {
  UserInterface& ui = Ctx().Ui();
  try {
    if (!area_) return;
    if (PointNames(GetControl(L"txtPoint").text).empty()) {
      ui.MsgBox(L"知识点没有填写，请检查并填写", Buttons::OK, L"");
      return;
    }
    if (!HasStemAndAnswer(area_->Content()->Text())) {
      ui.MsgBox(L"入库的题目必须具备题目和答案（可以无详解），请注意检查相关数据是否完整！", Buttons::OK, L"");
      return;
    }
    if (!paperId_ &&
        ui.MsgBox(L"数据库中还没有当前试卷信息，您要添加试卷信息吗？", Buttons::YesNo, L"") == Answer::Yes) {
      DescribePaper(Ctx(), L"", std::dynamic_pointer_cast<PaperPickTarget>(shared_from_this()));
      return;
    }
    ui.StatusText(L"正在保存试题");
    QuestionRow row;
    row.id = editId_;
    row.fileName = GetControl(L"labPicIndex").caption;
    row.type = GetControl(L"cmbType").text;
    row.degree = GetControl(L"cmbDegree").text;
    row.paperId = paperId_;
    row.shortName = Trim(GetControl(L"txtShortName").text);
    row.points = Join(PointNames(GetControl(L"txtPoint").text), L",");
    row.chapter = chapterId_;
    row.inTime = Trim(GetControl(L"txtInTime").text);
    const bool added = editId_ == 0;
    // The paper's marks stay in the paper: a stored question has no tags and no paper number.
    RemovePaperMarks(*area_);
    TrimEmptyEnd(*area_);
    long id = StoreQuestion(Ctx(), row, *area_, writePreview);
    ui.MsgBox(L"试题已经存入数据库了！", Buttons::OK, L"");
    // An edited question is in its paper's list already.
    if (added && paperId_) SaveTM2Paper(Ctx(), paperId_, {id});
    ui.MsgBox(L"试题信息保存完成！", Buttons::OK, L"");
    ClearArea();
    GetControl(L"txtInTime").text = Ctx().GetClock().DateTimeText();
  } catch (const std::exception& e) {
    ShowErr(Ctx(), e, L"frmTiKu_DanTiRuKu.cmdOK_Click-->line", __LINE__);
  }
}

}  // namespace plx::bank
