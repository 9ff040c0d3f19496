#include "bank/frm_tiku_piliangruku.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"
#include "addin/services.hpp"
#include "bank/frm_tiku_paperinfo.hpp"
#include "bank/frm_tiku_paperlist.hpp"
#include "bank/tk_papers.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

std::wstring Numbered(const wchar_t* prefix, size_t i) { return prefix + std::to_wstring(i + 1); }

std::wstring Flat(const std::wstring& text) {
  return Trim(Replace(Replace(Replace(text, L"\r", L" "), L"\a", L" "), L"\u3000", L" "));
}

// The paper's title: its first line of text, without tags.
std::wstring PaperTitle(docif::Document& doc) {
  auto paragraphs = doc.Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    RegExp tags;
    tags.Pattern = L"\\[pd[^\\]\\r]*\\]";
    tags.Global = true;
    std::wstring t = Flat(tags.Replace(paragraphs->Item(i)->Text(), L""));
    if (t.size() >= 2) return Left(t, 60);
  }
  return L"";
}

std::wstring PieceText(const docif::RangePtr& r) { return r ? r->Text() : L""; }

}  // namespace

std::wstring ProposedPoints(const std::wstring& text) {
  RegExp re;
  re.Pattern = L"考点：(.*?)[．\\r]";
  auto m = re.Execute(text);
  if (m.empty()) return L"";
  return Join(PointNames(m.front().SubMatches[0]), L",");
}

std::wstring SuggestedType(const std::wstring& heading, const std::vector<std::wstring>& types) {
  auto offered = [&](const wchar_t* t) { return std::find(types.begin(), types.end(), t) != types.end(); };
  std::wstring want;
  if (Contains(heading, L"多选") || Contains(heading, L"多项选择")) want = L"多选题";
  else if (Contains(heading, L"选择") || Contains(heading, L"单选")) want = L"单选题";
  else if (Contains(heading, L"填空")) want = L"填空题";
  else if (Contains(heading, L"解答") || Contains(heading, L"计算") || Contains(heading, L"证明")) want = L"解答题";
  return !want.empty() && offered(want.c_str()) ? want : L"";
}

frmTiKu_PiLiangRuKu::frmTiKu_PiLiangRuKu(AddinContext& ctx) : Form(ctx, L"frmTiKu_PiLiangRuKu") {
  AddControl(Box(L"labCount", L"", L"")).kind = ControlKind::Label;
  Control paper = Box(L"txtPaper", L"试卷", L"");
  paper.change = [this] { paperId_ = 0; };
  AddControl(std::move(paper));
  AddControl(Button(L"cmdPaper", L"选择试卷", [this] {
    ChoosePaper(Ctx(), std::dynamic_pointer_cast<PaperPickTarget>(shared_from_this()));
  }));
  Control chapter = Box(L"txtChapter", L"章节", L"");
  chapter.enabled = false;
  AddControl(std::move(chapter));
  AddControl(Button(L"cmdChapter", L"选择章节", [this] {
    PickFromTree(Ctx(), L"PiLiang_Chapter", std::dynamic_pointer_cast<TreePickTarget>(shared_from_this()));
  }));
  AddControl(Combo(L"cmbType", L"题型", {}, L"")).listOnly = true;
  AddControl(Combo(L"cmbDegree", L"难度", {}, L"")).listOnly = true;
  AddControl(Box(L"txtPoint", L"知识点", L""));
  AddControl(Button(L"cmdPoint", L"选择知识点", [this] {
    PickFromTree(Ctx(), L"frmTiKu_PiLiangRuKu", std::dynamic_pointer_cast<TreePickTarget>(shared_from_this()));
  }));
  AddControl(Check(L"chkTX", L"题型", 0));
  AddControl(Check(L"chkND", L"难度", 0));
  AddControl(Check(L"chkZSD", L"知识点", 0));
  AddControl(Button(L"cmdApply", L"应用到全部题目", [this] { cmdApply_Click(); }));
  AddControl(Button(L"cmdOK", L"全部入库", [this] { cmdOK_Click(); }));
  AddControl(Button(L"cmdCancel", L"取消", [this] { Unload(); }));
}

void frmTiKu_PiLiangRuKu::SetPaper(PaperAnalysis analysis) {
  analysis_ = std::move(analysis);
  paper_ = Ctx().App ? Ctx().App->ActiveDocument() : nullptr;
}

void frmTiKu_PiLiangRuKu::Form_Load() {
  try {
    types_ = ValueList(Ctx(), L"tkType");
    degrees_ = ValueList(Ctx(), L"tkDegree");
    for (auto [name, items] : {std::pair{L"cmbType", &types_}, std::pair{L"cmbDegree", &degrees_}})
      GetControl(name).ListWithFirstChosen(*items);
    if (paper_) GetControl(L"txtPaper").text = PaperTitle(*paper_);
    // Opened without a marked paper there is nothing to report.
    if (Ctx().App && !analysis_.questions.empty()) BuildReport();
  } catch (const std::exception& e) {
    Ctx().Ui().Progress(100, L"");
    ShowErr(Ctx(), e, L"frmTiKu_Piliangruku.Form_Load-->line", __LINE__);
  }
}

void frmTiKu_PiLiangRuKu::Form_Unload() {
  if (report_ && Ctx().App) Ctx().App->GetDocuments()->Close(report_);
  report_ = nullptr;
  if (paper_) paper_->Activate();
}

void frmTiKu_PiLiangRuKu::BuildReport() {
  UserInterface& ui = Ctx().Ui();
  ui.Progress(0, L"正在生成报告页面,请稍等！");
  report_ = Ctx().App->GetDocuments()->Add();
  const size_t n = analysis_.questions.size();
  AppendParagraph(*report_, L"批量入库报告：共" + std::to_wstring(n) + L"道小题，请检查每题的知识点、难度和题型。");
  GetControl(L"labCount").caption = L"共" + std::to_wstring(n) + L"道小题";
  std::vector<std::pair<std::wstring, std::wstring>> proposals;  // type, points
  for (size_t i = 0; i < n; ++i) {
    const AnalysedQuestion& q = analysis_.questions[i];
    std::wstring heading = q.big >= 0 && q.big < static_cast<int>(analysis_.bigs.size())
                               ? analysis_.bigs[static_cast<size_t>(q.big)].title : L"";
    AppendParagraph(*report_, L"第" + std::to_wstring(i + 1) + L"题");
    AppendCopy(*report_, *q.stem);
    if (q.answer) AppendCopy(*report_, *q.answer);
    items_.push_back({q, AppendParagraph(*report_, L""), 0});
    proposals.emplace_back(SuggestedType(heading, types_), ProposedPoints(PieceText(q.stem) + PieceText(q.answer)));
    ui.Progress(static_cast<int>(50 * (i + 1) / n), L"正在生成报告页面,请稍等！");
  }
  ui.Progress(50, L"正在填充报告页,请稍等！");
  for (size_t i = 0; i < n; ++i) {
    AddQuestionControls(i, proposals[i].first, proposals[i].second);
    ShowChoices(i);
  }
  ui.Progress(100, L"");
}

void frmTiKu_PiLiangRuKu::AddQuestionControls(size_t i, const std::wstring& type, const std::wstring& points) {
  AddControl(Box(Numbered(L"labTM", i), L"", Left(Flat(PieceText(items_[i].question.stem)), 40))).kind =
      ControlKind::Label;
  auto show = [this, i] { ShowChoices(i); };
  Control zsd = Box(Numbered(L"txtZSD", i), L"知识点：", points);
  zsd.change = show;
  AddControl(std::move(zsd));
  Control nd = Combo(Numbered(L"cmbND", i), L"难度", degrees_, GetControl(L"cmbDegree").text);
  nd.listOnly = true;
  nd.change = show;
  AddControl(std::move(nd));
  Control tx = Combo(Numbered(L"cmbTX", i), L"题型", types_, type.empty() ? GetControl(L"cmbType").text : type);
  tx.listOnly = true;
  tx.change = show;
  AddControl(std::move(tx));
}

std::wstring frmTiKu_PiLiangRuKu::Choice(const wchar_t* prefix, size_t i) { return GetControl(Numbered(prefix, i)).text; }

void frmTiKu_PiLiangRuKu::ShowChoices(size_t i) {
  std::wstring line = L"知识点：" + Choice(L"txtZSD", i) + L"　　难度：" + Choice(L"cmbND", i) + L"　　题型：" +
                      Choice(L"cmbTX", i);
  if (items_[i].savedId) line += L"　　（已入库，编号" + std::to_wstring(items_[i].savedId) + L"）";
  if (items_[i].line) items_[i].line->SetText(line);
}

void frmTiKu_PiLiangRuKu::cmdApply_Click() {
  struct Rule {
    const wchar_t* check;
    const wchar_t* from;
    const wchar_t* to;
  };
  for (const Rule& r : {Rule{L"chkTX", L"cmbType", L"cmbTX"}, Rule{L"chkND", L"cmbDegree", L"cmbND"},
                        Rule{L"chkZSD", L"txtPoint", L"txtZSD"}}) {
    if (GetControl(r.check).value != 1) continue;
    std::wstring value = GetControl(r.from).text;
    for (size_t i = 0; i < items_.size(); ++i) GetControl(Numbered(r.to, i)).text = value;
  }
  for (size_t i = 0; i < items_.size(); ++i) ShowChoices(i);
}

void frmTiKu_PiLiangRuKu::TreePicked(const std::wstring& mode, const std::vector<TreeNode>& nodes) {
  ShowPicked(*this, mode, nodes, chapterId_);
}

void frmTiKu_PiLiangRuKu::PaperPicked(long id, const std::wstring& name) {
  GetControl(L"txtPaper").text = name;
  paperId_ = id;
}

std::optional<long> frmTiKu_PiLiangRuKu::ResolvePaper() {
  std::wstring name = Trim(GetControl(L"txtPaper").text);
  if (paperId_ && FindPaper(Ctx(), paperId_)) return paperId_;
  if (!name.empty())
    if (auto p = FindPaper(Ctx(), name)) return p->id;
  if (Ctx().Ui().MsgBox(L"数据库中还没有当前试卷信息，您要添加试卷信息吗？", Buttons::YesNo, L"") == Answer::Yes) {
    DescribePaper(Ctx(), name, std::dynamic_pointer_cast<PaperPickTarget>(shared_from_this()));
    return std::nullopt;
  }
  return 0;
}

void frmTiKu_PiLiangRuKu::cmdOK_Click() {
  UserInterface& ui = Ctx().Ui();
  std::vector<long> ids;
  long paper = 0;
  try {
    if (items_.empty()) {
      ui.MsgBox(L"没有可以入库的题目，请先标记试卷再批量入库。", Buttons::OK, L"");
      return;
    }
    // Every question needs its knowledge points, as a single question does.
    for (size_t i = 0; i < items_.size(); ++i)
      if (!items_[i].savedId && PointNames(Choice(L"txtZSD", i)).empty()) {
        ui.MsgBox(L"第" + std::to_wstring(i + 1) + L"题的知识点没有填写，请检查并填写", Buttons::OK, L"");
        return;
      }
    auto resolved = ResolvePaper();
    if (!resolved) return;
    paper = *resolved;
    std::wstring shortName = paper ? FindPaper(Ctx(), paper)->name : L"";
    ui.Progress(0, L"正在将题目保存到数据库,请稍等！");
    auto docs = Ctx().App->GetDocuments();
    const size_t n = items_.size();
    for (size_t i = 0; i < n; ++i) {
      if (items_[i].savedId) continue;
      ui.Progress(static_cast<int>(100 * i / n),
                  L"正在保存第" + std::to_wstring(i + 1) + L"题（共" + std::to_wstring(n) + L"题）,请稍等！");
      QuestionRow row;
      row.type = Choice(L"cmbTX", i);
      row.degree = Choice(L"cmbND", i);
      row.points = Join(PointNames(Choice(L"txtZSD", i)), L",");
      row.paperId = paper;
      row.shortName = shortName;
      row.chapter = chapterId_;
      row.inTime = Ctx().GetClock().DateTimeText();
      auto doc = QuestionDocument(Ctx(), items_[i].question);
      struct Closer {
        std::shared_ptr<docif::Documents> docs;
        std::shared_ptr<docif::Document> doc;
        ~Closer() { docs->Close(doc); }
      } closer{docs, doc};
      items_[i].savedId = StoreQuestion(Ctx(), row, *doc, writePreview);
      ids.push_back(items_[i].savedId);
      ShowChoices(i);
    }
    if (paper) SaveTM2Paper(Ctx(), paper, ids);
    ids.clear();
    ui.Progress(100, L"");
    ui.MsgBox(L"本次录入任务已经全部完成！", Buttons::OK, L"");
    Unload();
  } catch (const std::exception& e) {
    // The questions stored before the failure stay in the paper's list.
    try {
      if (paper) SaveTM2Paper(Ctx(), paper, ids);
    } catch (const std::exception&) {
    }
    ui.Progress(100, L"");
    ShowErr(Ctx(), e, L"frmTiKu_Piliangruku.cmdOk_Click-->line", __LINE__);
  }
}

}  // namespace plx::bank
