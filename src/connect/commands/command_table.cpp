#include "connect/commands/command_table.hpp"

#include "common/text.hpp"
#include "figures/shu_shi.hpp"
#include "formula/embellish/mhgs.hpp"
#include "formula/formula_commands.hpp"
#include "formula/formula_input.hpp"
#include "addin/addin_context.hpp"
#include "connect/commands/basic_commands.hpp"
#include "connect/commands/present_hooks.hpp"
#include "connect/form_registry.hpp"
#include "addin/product_info.hpp"
#include "addin/services.hpp"
#include "bank/marking/plrk.hpp"
#include "bank/marking/tk_marking.hpp"
#include "paper/paper_commands.hpp"
#include "present/markers.hpp"
#include "present/pl2ppt.hpp"
#include "shapes/flowchart.hpp"
#include "shapes/shape_arrange.hpp"
#include "shapes/shape_transforms.hpp"
#include "symbols/insert_symbol.hpp"

namespace plx {
namespace {

Action Nothing() { return {L"无动作", {}}; }
// Handlers report their own failures with the standard error box, located
// at their procedure ("modMenu." + what unless given).
Action Run(std::wstring what, std::function<void(AddinContext&)> f, std::wstring procedure = L"") {
  if (procedure.empty()) procedure = L"modMenu." + what;
  return {what, [procedure, f](AddinContext& ctx) {
            try {
              f(ctx);
            } catch (const std::exception& e) {
              ShowErr(ctx, e, procedure + L"-->line", __LINE__);
            }
          }};
}

// The shape transforms report their errors under their module's name.
Action Transform(const std::wstring& what, std::function<void(AddinContext&)> f) {
  return Run(what, std::move(f), std::wstring(kTransformModule) + L"." + what);
}

// Shows a dialog modelessly.
Action Dialog(const std::wstring& form) {
  return Run(L"对话框 " + form, [form](AddinContext& ctx) {
    if (auto f = CreateForm(ctx, form)) f->Show();
  });
}

Action BankToggle(const std::wstring& what, bank::MarkKind kind) {
  return Run(what, [kind](AddinContext& ctx) { bank::ToggleMark(ctx, kind); }, L"modTiKu." + what);
}

// Batch import: the analysed paper goes to the batch import dialog.
Action BatchImport() {
  return Run(L"批量入库", [](AddinContext& ctx) {
    bank::PLRK(ctx, [](AddinContext& c, bank::PaperAnalysis analysis) {
      auto form = CreateForm(c, L"frmTiKu_PiLiangRuKu");
      if (auto target = std::dynamic_pointer_cast<bank::PaperImportTarget>(form)) {
        target->SetPaper(std::move(analysis));
        form->Show();
        return;
      }
      c.Ui().MsgBox(L"试卷已分析为" + std::to_wstring(analysis.questions.size()) +
                        L"道小题，但批量入库对话框还没有提供，题目暂时无法入库。", Buttons::OK, L"");
    });
  }, L"modTiKu.PLRK");
}

Action Message(const std::wstring& text) {
  return {L"消息 " + text, [text](AddinContext& ctx) { ctx.Ui().MsgBox(text, Buttons::OK, L""); }};
}

// A host error ends a symbol routine; nothing else is reported.
Action Quiet(std::wstring what, std::function<void(AddinContext&)> f) {
  return {std::move(what), [f](AddinContext& ctx) {
            try {
              f(ctx);
            } catch (const std::exception&) {
            }
          }};
}

Action Symbol(const std::wstring& key) {
  return Quiet(L"符号 " + key, [key](AddinContext& ctx) { InsertSymbolByKey(ctx, key); });
}

Action Greek(const std::wstring& name) {
  return Quiet(L"希腊字母 " + name, [name](AddinContext& ctx) { InsertGreek(ctx, name); });
}

Action Flowchart(const std::wstring& what, FlowchartElement e) {
  return Run(L"程序框图 " + what, [e](AddinContext& ctx) { InsertFlowchartElement(ctx, e); });
}

Action Move(const std::wstring& what, double dx, double dy) {
  return Transform(what, [dx, dy](AddinContext& ctx) { MoveSelection(ctx, dx, dy); });
}

Action Turn(const std::wstring& what, double degrees) {
  return Transform(what, [degrees](AddinContext& ctx) { Rotate(ctx, degrees); });
}

Action Open(const std::wstring& what, const std::wstring& address) {
  return Run(what, [address](AddinContext& ctx) { OpenAddress(ctx, address); });
}

std::vector<CommandEntry> BuildTable() {
  std::vector<CommandEntry> t;
  auto add = [&](const std::wstring& id, const std::wstring& legacy, Action a) {
    t.push_back({id, legacy, std::move(a)});
  };
  // Shape scaling: factors of the size, shrinking divides.
  enum class How { Enlarge, Shrink, Both, Width, Height };
  struct Scale { const wchar_t* id; const wchar_t* caption; How how; double factor; };
  for (const Scale& s : std::initializer_list<Scale>{
           {L"fd", L"放大", How::Enlarge, 1.2}, {L"fd2", L"放大2倍", How::Enlarge, 2},
           {L"fd3", L"放大3倍", How::Enlarge, 3}, {L"fd5", L"放大5倍", How::Enlarge, 5},
           {L"sx", L"缩小", How::Shrink, 1.25}, {L"sx2", L"缩小2倍", How::Shrink, 2},
           {L"sx3", L"缩小3倍", How::Shrink, 3}, {L"sx5", L"缩小5倍", How::Shrink, 5},
           {L"zyls", L"左右拉伸", How::Width, 1.2}, {L"zyss", L"左右收缩", How::Width, 0.8},
           {L"sxls", L"上下拉伸", How::Height, 1.2}, {L"sxss", L"上下收缩", How::Height, 0.8},
           {L"lfd", L"略放大", How::Both, 1.05}, {L"lsx", L"略缩小", How::Both, 0.95},
           {L"lzyls", L"左右略拉伸", How::Width, 1.05}, {L"lzyss", L"左右略收缩", How::Width, 0.95},
           {L"lsxls", L"上下略拉伸", How::Height, 1.05}, {L"lsxss", L"上下略收缩", How::Height, 0.95}}) {
    const double f = s.factor;
    std::function<void(AddinContext&)> act;
    switch (s.how) {
      case How::Enlarge: act = [f](AddinContext& ctx) { Enlarge(ctx, f); }; break;
      case How::Shrink: act = [f](AddinContext& ctx) { Shrink(ctx, f); }; break;
      case How::Both: act = [f](AddinContext& ctx) { ScaleSelection(ctx, f); }; break;
      case How::Width: act = [f](AddinContext& ctx) { StretchSelection(ctx, true, f); }; break;
      case How::Height: act = [f](AddinContext& ctx) { StretchSelection(ctx, false, f); }; break;
    }
    add(std::wstring(L"rxBtnFS_") + s.id, s.caption, Transform(s.caption, act));
  }
  add(L"rxBtnFS_zdy", L"自定义放缩", Dialog(L"frmFangSuo"));
  // Moving by one point.
  add(L"rxBtnPY_lsy", L"略上移", Move(L"略上移", 0, -1));
  add(L"rxBtnPY_lxy", L"略下移", Move(L"略下移", 0, 1));
  add(L"rxBtnPY_lzy", L"略左移", Move(L"略左移", -1, 0));
  add(L"rxBtnPY_lyy", L"略右移", Move(L"略右移", 1, 0));
  // Rotation: negative angles turn counterclockwise.
  add(L"rxBtnXZ_zz", L"正转", Turn(L"正转", -5));
  add(L"rxBtnXZ_fz", L"反转", Turn(L"反转", 5));
  add(L"rxBtnXZ_lzz", L"逆时针1度", Turn(L"逆时针1度", -1));
  add(L"rxBtnXZ_lfz", L"顺时针1度", Turn(L"顺时针1度", 1));
  for (bool counter : {true, false})
    for (int a : {1, 10, 30, 45, 60, 90}) {
      std::wstring caption = (counter ? L"逆时针" : L"顺时针") + std::to_wstring(a) + L"度";
      add(std::wstring(L"rxBtnXZ_") + (counter ? L"z" : L"f") + std::to_wstring(a), caption,
          Turn(caption, counter ? -a : a));
    }
  add(L"rxBtnXZ_zdy", L"自定义旋转", Dialog(L"frmXuanZhuan"));
  add(L"rxBtnDQFB_zypj", L"左右拼接", Run(L"左右拼接", Join_LR, L"Join_LR"));
  add(L"rxBtnDQFB_sxpj", L"上下拼接", Run(L"上下拼接", Join_UD, L"Join_UD"));
  // Shape tools.
  add(L"rxBtnzt1", L"画圆", Run(L"画圆", InsertCircle));
  add(L"rxBtnzt2", L"正方形", Run(L"正方形", InsertSquare));
  add(L"rxBtnzt3", L"分解", Run(L"分解", MyUnGroup, L"modWord.MyUnGroup"));
  add(L"rxBtnzt4", L"组合", Run(L"组合", MyGroup, L"modWord.MyGroup"));
  // Formulas.
  add(L"rxBtnGS_hu", L"弧", Run(L"弧", GS_Hu));
  add(L"rxBtnGS_fs", L"分数", Run(L"分数", GS_FenShu));
  add(L"rxBtnGS_gs", L"根式", Run(L"根式", GS));
  add(L"rxBtnGS_xl", L"向量", Run(L"向量", GS_XL));
  add(L"rxBtnGS_fcz", L"方程组", Run(L"方程组", GS_FCZ));
  add(L"rxBtnGS_plzh", L"排列组合", Dialog(L"frmPaiLie"));
  add(L"rxBtnGS_xhxs", L"循环小数", Run(L"循环小数", GS_XHXS));
  add(L"rxBtnGS_kjgs", L"快捷公式", Run(L"快捷公式", GS_Main));
  add(L"rxBtnGS_mhgs", L"公式美化", Run(L"公式美化", Mhgs));
  add(L"rxBtnGS_gsms", L"公式模式", Run(L"公式模式", ToggleFormulaMode));
  add(L"rxBtnQT_matheq", L"", Run(L"插入公式对象", InsertEquationObject));
  // Tools.
  add(L"rxBtnztqt_tk", L"图库", Dialog(L"frmTK"));
  add(L"rxBtnztqt_ss", L"插入竖式", Run(L"插入竖式", figures::ShuShi, L"ShuShi"));
  add(L"rxBtnztqt_xzq", L"选择器", Dialog(L"frmShapeSelecter"));
  add(L"rxBtnztqt_dbzf", L"点标注符", Dialog(L"frmDot"));
  add(L"rxBtnztqt_hstx", L"函数图象", Dialog(L"frmGraph"));
  add(L"rxBtnztqt_moren", L"", Run(L"默认图形样式", SetDefaultDrawingStyle, L"modWord.SetDefaultDrawingStyle"));
  add(L"rxBtnztqt_xtms", L"绘图模式", Run(L"绘图模式", ToggleDrawMode));
  add(L"rxBtnqt_config", L"配置", Dialog(L"frmConfig"));
  add(L"rxBtnqt_sx", L"刷新", Run(L"刷新", RefreshScreen));
  add(L"rxBtnqt_bat", L"批处理", Dialog(L"frmWordBat"));
  add(L"rxBtnqt_savepic", L"另存为图片", Dialog(L"frmSavePic"));
  add(L"rxBtnqt_showhidetxt", L"显/隐文字", Run(L"显示或隐藏文字", ShowOrHideText, L"modWord.ShowOrHideText"));
  add(L"rxBtnqt_jisuan", L"", Dialog(L"frmJiSuan"));
  for (int i = 0; i <= 3; ++i)
    add(i == 0 ? L"rxBtnqt_2ppt_s" : L"rxBtnqt_2ppt_ab" + std::to_wstring(i), L"",
        Run(L"批量发送到PPT " + std::to_wstring(i), [i](AddinContext& c) { present::PL2PPT(c, i, SlideSendHooks()); },
            L"modWord.PL2PPT"));
  for (int i = 1; i <= 6; ++i)
    add(L"rxBtnqt_2ppt" + std::to_wstring(i), L"send2ppt" + std::to_wstring(i),
        Run(L"发送到PPT " + std::to_wstring(i), [i](AddinContext& c) { present::Send2PPT(c, i, SlideSendHooks()); },
            L"modWord.Send2PPT"));
  add(L"rxBtnqt_2ppt_b1", L"", Run(L"插入新幻灯片标记", [](AddinContext& c) { present::InsertMarker(c, present::kNewSlideMarker); }, L"modWord.InsertMarker"));
  add(L"rxBtnqt_2ppt_b2", L"", Run(L"插入同幻灯片标记", [](AddinContext& c) { present::InsertMarker(c, present::kSameSlideMarker); }, L"modWord.InsertMarker"));
  add(L"rxBtnqt_2ppt_yk1", L"", Run(L"自动标记", present::ZhuTiBiaoJi, L"modWord.ZhuTiBiaoJi"));
  add(L"rxBtnqt_2ppt_yk2", L"", Run(L"清除标记", present::RemoveMarkers, L"modWord.RemoveMarkers"));
  // Plane figures.
  add(L"rxBtnPMJH_SZ", L"数轴", Dialog(L"frmInterval"));
  add(L"rxBtnPMJH_SX", L"扇形", Dialog(L"frmSector"));
  add(L"rxBtnPMJH_XDT", L"线段图", Dialog(L"frmXDT"));
  add(L"rxBtnPMJH_TJT", L"统计图", Dialog(L"frmTJT"));
  add(L"rxBtnPMJH_FG", L"方格", Dialog(L"frmFangGe"));
  add(L"rxBtnPMJH_ZX", L"中心", Run(L"中心", GeometricCentre, L"modWord.GeometricCentre"));
  add(L"rxBtnPMJH_ZDBX", L"正多边形", Dialog(L"frmZDBX"));
  // Flowchart.
  add(L"rxBtncxkt_start", L"", Flowchart(L"开始", FlowchartElement::Start));
  add(L"rxBtncxkt_end", L"", Flowchart(L"结束", FlowchartElement::End));
  add(L"rxBtncxkt_run", L"", Flowchart(L"处理框", FlowchartElement::Process));
  add(L"rxBtncxkt_io", L"", Flowchart(L"输入输出框", FlowchartElement::InputOutput));
  add(L"rxBtncxkt_if", L"", Flowchart(L"判断框", FlowchartElement::Decision));
  add(L"rxBtncxkt_yes", L"", Flowchart(L"是", FlowchartElement::Yes));
  add(L"rxBtncxkt_no", L"", Flowchart(L"否", FlowchartElement::No));
  // One-key clean-ups.
  for (const PaperCommand& c : PaperCommands(PaperCommandSet::CleanUps)) add(c.id, L"", Run(c.what, c.run, c.procedure));
  add(L"rxBtnonekey_zhuanhua", L"", Dialog(L"frmConvertEquation"));
  for (const PaperCommand& c : PaperCommands(PaperCommandSet::Numbering)) add(c.id, L"", Run(c.what, c.run, c.procedure));
  add(L"rxBtnonekey_zhuanhua", L"", {L"重复的条目（不会执行）", {}});
  // Exam paper.
  for (const PaperCommand& c : PaperCommands(PaperCommandSet::Layout)) add(c.id, L"", Run(c.what, c.run, c.procedure));
  add(L"rxBtnzhijuan_addtable", L"", Dialog(L"frmDaTiBiao"));
  for (const PaperCommand& c : PaperCommands(PaperCommandSet::PaperSizes)) add(c.id, L"", Run(c.what, c.run, c.procedure));
  // Question bank.
  add(L"rxBtntiku_dtrk", L"单题入库", Dialog(L"frmTiKu_DanTiRuKu"));
  add(L"rxBtntiku_sjxx", L"试卷信息", Dialog(L"frmTiKu_PaperInfo"));
  add(L"rxBtntiku_sjgl", L"试卷信息", Dialog(L"frmTiKu_PaperInfo"));
  add(L"rxBtntiku_zidongbiaoji", L"自动标记", Run(L"自动标记", bank::TiKu_AutoMark, L"modTiKu.TiKu_AutoMark"));
  add(L"rxBtntiku_biaojidati", L"撤消/标记大题", BankToggle(L"标记大题", bank::MarkKind::BigQuestion));
  add(L"rxBtntiku_biaojixiaoti", L"撤消/标记小题", BankToggle(L"标记小题", bank::MarkKind::SmallQuestion));
  add(L"rxBtntiku_biaojidaan", L"撤消/标记答案", BankToggle(L"标记答案", bank::MarkKind::Answer));
  add(L"rxBtntiku_jianchabiaoji", L"检查标记",
      Run(L"检查标记", [](AddinContext& ctx) { bank::TiKu_JianChaBiaoJi(ctx, true); }, L"modTiKu.TiKu_JianChaBiaoJi"));
  add(L"rxBtntiku_PiLiangRuKu", L"批量入库", BatchImport());
  add(L"rxBtntiku_ransedaan", L"", Run(L"答案染色", bank::ColourAnswer, L"modTiKu.RanSeDaAn"));
  add(L"rxBtntiku_xianshidaan", L"", Run(L"显示答案", [](AddinContext& ctx) { bank::HideAnswers(ctx, false); }, L"modTiKu.XianShiDaAn"));
  add(L"rxBtntiku_yincangdaan", L"", Run(L"隐藏答案", [](AddinContext& ctx) { bank::HideAnswers(ctx, true); }, L"modTiKu.YinCangDaAn"));
  add(L"rxBtntiku_viewtk", L"浏览题库", Dialog(L"frmTiKu_View"));
  add(L"rxBtnQt_cccs", L"", Dialog(L"frmCCCS"));
  // Symbols: the legacy key is the name part, lower-cased.
  auto symbols = [&](const wchar_t* family, std::initializer_list<const wchar_t*> keys, bool greek) {
    for (const wchar_t* k : keys)
      add(std::wstring(L"rxBtn") + family + L"_" + k, LCase(k), greek ? Greek(k) : Symbol(k));
  };
  symbols(L"YUNSUAN", {L"yuedengyu", L"bihao", L"budayuhao", L"budenghao", L"buxiaoyuhao", L"chenghao", L"chuhao",
                       L"dayuhao", L"denghao", L"derta", L"dianchenghao", L"fuzhenghao", L"jiahao", L"jianhao",
                       L"jueduizhi", L"xiaoyuhao", L"zhengfuhao"}, false);
  symbols(L"SET", {L"and", L"baohan", L"baohanyu", L"bingji", L"biyao", L"bubaohan", L"bubaohanyu", L"bubiyao",
                   L"buchongfen", L"buji", L"bushuyu", L"bushuyu1", L"C", L"chongfen", L"chongyao", L"feichongyao",
                   L"jiaoji", L"kongji", L"N", L"not", L"or", L"Q", L"R", L"shuyu", L"shuyu1", L"Z", L"zhenbaohan",
                   L"zhenbaohanyu"}, false);
  symbols(L"JIHE", {L"bupingxing", L"chuizhi", L"du", L"fen", L"hu", L"jiao", L"jiao1", L"miao", L"pingxing",
                    L"pingxingsibianxing", L"pingxingxiangdeng", L"pingxingqexiangdeng", L"quandeng", L"sanjiaoxing",
                    L"suoyi", L"xiangsi", L"yinwei", L"yuan", L"JHzhenbaohan", L"JHfeizhenbaohan"}, false);
  symbols(L"XILAZIMU", {L"alpha", L"beta", L"chi", L"delta", L"epsilon", L"eta", L"gamma", L"lambda", L"mu",
                        L"omega", L"phi", L"pi", L"rho", L"sigma", L"tau", L"theta", L"xi", L"zeta"}, true);
  symbols(L"QITA", {L"bucunzai", L"cunzai", L"dsjxkx", L"dsjxsx", L"genhao", L"huashidu", L"lxkx", L"lxsx",
                    L"qianfenhao", L"qt1", L"qt2", L"qt3", L"qt4", L"qt5", L"qt6", L"qt10", L"qt11", L"qt12", L"qt13",
                    L"qt14", L"qt15", L"qt16", L"qt17", L"renqu", L"sheshidu", L"sjxkx", L"sjxsx", L"txyuan",
                    L"wjxkx", L"wjxsx", L"youshang", L"youxia", L"yuankx", L"yuansx", L"yunhan", L"zfx", L"zfxsx",
                    L"zuoshang", L"zuoxia"}, false);
  symbols(L"QT", {L"jianhanshu", L"zenghanshu", L"zhangjie", L"shengluehao", L"wuqiongda", L"maoe", L"maoy"}, false);
  // About.
  add(L"rxBtnAbout_ThisVersion", L"当前版本", Run(L"当前版本", ShowVersion));
  add(L"rxBtnAbout_NewVersion", L"最新版本", Open(L"最新版本", product::kNewVersionPage));
  add(L"rxBtnAbout_Author", L"联系作者", Run(L"联系作者", ShowAuthor));
  add(L"rxBtnAbout_homepage", L"官网主页", Open(L"官网主页", product::kHomePage));
  add(L"rxBtnAbout_Help", L"使用说明",
      Message(L"本软件为测试版，暂时还不提供使用说明文件，敬请关注网站或QQ群发布的最新版信息！"));
  add(L"rxBtnAbout_AD", L"赞助合作",
      Message(L"欢迎与作者联系赞助合作相关事宜，单击“联系作者”按钮可查看作者联系方式。"));
  // Web resources.
  add(L"rxBtnSource_KeJian", L"", Message(L"本免费模块还在制作中，敬请关注网站或QQ群发布的最新版信息！"));
  add(L"rxBtnSource_JiaoAn", L"", Nothing());
  add(L"rxBtnSource_ShiJuan", L"", Nothing());
  add(L"rxBtnSource_eBook", L"", Nothing());
  add(L"rxBtnSource_SearchAnswer", L"", Run(L"搜索答案", SearchAnswer));
  add(L"rxBtnSource_WebView", L"网络资源", Dialog(L"frmWeb"));
  add(L"rxBtnSource_ViewTiKu", L"", Dialog(L"frmTiKu_View"));
  return t;
}

std::vector<std::pair<std::wstring, Action>> BuildLegacyOnly() {
  std::vector<std::pair<std::wstring, Action>> keys;
  keys.emplace_back(L"批量排版", Dialog(L"frmLWPB"));
  for (const PaperCommand& c : PaperCommands(PaperCommandSet::Article))
    keys.emplace_back(c.id, Run(c.what, c.run, c.procedure));
  keys.emplace_back(L"上移", Move(L"上移", 0, -8));
  keys.emplace_back(L"下移", Move(L"下移", 0, 8));
  keys.emplace_back(L"左移", Move(L"左移", -8, 0));
  keys.emplace_back(L"右移", Move(L"右移", 8, 0));
  // The toolbar keys of the host's own align and distribute controls.
  for (const auto& [key, caption] : std::initializer_list<std::pair<const wchar_t*, const wchar_t*>>{
           {L"左对齐", L"左对齐(&L)"}, {L"右对齐", L"右对齐(&R)"}, {L"顶端对齐", L"顶端对齐(&T)"},
           {L"底部对齐", L"底端对齐(&B)"}, {L"水平居中", L"水平居中(&C)"}, {L"垂直居中", L"垂直居中(&M)"},
           {L"横向分布", L"横向分布(&H)"}, {L"纵向分布", L"纵向分布(&V)"}})
    keys.emplace_back(key, Run(key, [control = std::wstring(caption)](AddinContext& ctx) {
                        AlignOrDistribute(ctx, control);
                      }));
  keys.emplace_back(L"插入公式", Run(L"快捷公式", GS_Main));
  keys.emplace_back(L"分解质因数", Dialog(L"frmFenJie"));
  keys.emplace_back(L"hengdengyu", Symbol(L"hengdengyu"));
  for (int n = 1; n <= 10; ++n) {
    std::wstring key = L"daiquanshuzi" + std::to_wstring(n);
    keys.emplace_back(key, Quiet(L"数字符号 " + key, [key](AddinContext& ctx) { InsertNumberSymbol(ctx, key); }));
  }
  return keys;
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  static const std::vector<CommandEntry> table = BuildTable();
  return table;
}

const std::vector<std::pair<std::wstring, Action>>& LegacyOnlyKeys() {
  static const std::vector<std::pair<std::wstring, Action>> keys = BuildLegacyOnly();
  return keys;
}

const Action* FindRibbonAction(const std::wstring& id) {
  for (const auto& e : CommandTable())
    if (e.id == id) return &e.action;
  return nullptr;
}

const Action* FindLegacyAction(const std::wstring& parameter) {
  std::wstring key = LCase(parameter);
  for (const auto& e : CommandTable())
    if (!e.legacy.empty() && LCase(e.legacy) == key) return &e.action;
  for (const auto& [k, action] : LegacyOnlyKeys())
    if (LCase(k) == key) return &action;
  return nullptr;
}

}  // namespace plx
