#include "connect/legacy_toolbars.hpp"

#include <optional>

#include "common/paths.hpp"
#include "common/text.hpp"
#include "addin/addin_context.hpp"
#include "connect/commands/command_table.hpp"
#include "addin/product_info.hpp"
#include "addin/services.hpp"
#include "symbols/symbol_table.hpp"

namespace plx {
namespace {

using docif::ButtonStyle;
using docif::ControlType;

// A toolbar entry: a button with its key, or a menu with items.
struct Item {
  std::wstring caption;
  std::wstring key;      // Parameter and Tag; the caption when empty
  std::wstring tooltip;
  std::wstring image;    // image name in img/, for symbol buttons
  std::vector<Item> items;  // a menu
};

Item B(std::wstring caption, std::wstring tooltip = L"") { return {caption, L"", std::move(tooltip), L"", {}}; }
Item Menu(std::wstring caption, std::vector<Item> items) { return {caption, L"", L"", L"", std::move(items)}; }
std::vector<Item> Buttons(std::initializer_list<const wchar_t*> captions) {
  std::vector<Item> out;
  for (const wchar_t* c : captions) out.push_back(B(c));
  return out;
}

// Symbol buttons show their image and use the key everywhere.
Item SymbolButton(const std::wstring& name, bool hasImage) {
  std::wstring key = LCase(name);
  return {key, key, key, hasImage ? name : L"", {}};
}

std::vector<Item> SymbolButtons(std::initializer_list<const wchar_t*> names, bool images = true) {
  std::vector<Item> out;
  for (const wchar_t* n : names) out.push_back(SymbolButton(n, images));
  return out;
}

struct BarSpec {
  const wchar_t* prefix;
  const wchar_t* menuCaption;
  std::vector<Item> items;
};

std::vector<Item> Concat(std::vector<Item> a, const std::vector<Item>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::vector<BarSpec>& SecondaryBars() {
  static const std::vector<BarSpec> bars = [] {
    std::vector<Item> rotations;
    for (int a : {1, 10, 30, 45, 60, 90}) rotations.push_back(B(L"逆时针" + std::to_wstring(a) + L"度"));
    for (int a : {1, 10, 30, 45, 60, 90}) rotations.push_back(B(L"顺时针" + std::to_wstring(a) + L"度"));
    rotations.push_back(B(L"自定义旋转"));
    std::vector<Item> shapes = Buttons({L"上移", L"下移", L"左移", L"右移", L"放大", L"缩小", L"左右拉伸",
                                        L"左右收缩", L"上下拉伸", L"上下收缩"});
    shapes[0].tooltip = L"将所选图形向上移动8磅";
    shapes[4].tooltip = L"将所选图形放大20%";
    shapes[5].tooltip = L"将所选图形缩小20%";
    shapes.push_back(Menu(L"特殊放缩", Buttons({L"放大2倍", L"放大3倍", L"放大5倍", L"缩小2倍", L"缩小3倍",
                                                L"缩小5倍", L"自定义放缩"})));
    shapes.push_back(B(L"正转", L"将所选图形逆时针旋转5度"));
    shapes.push_back(B(L"反转"));
    shapes.push_back(Menu(L"特殊旋转", rotations));
    shapes = Concat(shapes, Buttons({L"分解", L"组合", L"绘图模式", L"左右拼接", L"上下拼接", L"左对齐", L"右对齐",
                                     L"顶端对齐", L"底部对齐", L"水平居中", L"垂直居中", L"横向分布", L"纵向分布"}));
    std::vector<Item> numbers;
    for (int n = 1; n <= 10; ++n) numbers.push_back(SymbolButton(L"daiquanshuzi" + std::to_wstring(n), true));
    for (int n = 1; n <= 10; ++n) numbers.push_back(SymbolButton(L"heiquanshuzi" + std::to_wstring(n), false));
    std::vector<Item> others = SymbolButtons(
        {L"bucunzai", L"cunzai", L"dsjxkx", L"dsjxsx", L"genhao", L"huashidu", L"lxkx", L"lxsx", L"qianfenhao",
         L"qt1", L"qt2", L"qt3", L"qt4", L"qt5", L"qt6", L"qt10", L"qt11", L"qt12", L"qt13", L"qt14", L"qt15",
         L"qt16", L"qt17", L"renqu", L"sheshidu", L"sjxkx", L"sjxsx", L"txyuan", L"wjxkx", L"wjxsx", L"youshang",
         L"youxia", L"yuankx", L"yuansx", L"yunhan", L"zfx", L"zfxsx", L"zuoshang", L"zuoxia"}, false);
    others = Concat(others, SymbolButtons({L"jianhanshu", L"zenghanshu", L"zhangjie", L"shengluehao", L"wuqiongda",
                                           L"maoe", L"maoy"}));
    others = Concat(others, SymbolButtons({L"qt7", L"qt8", L"qt9"}, false));
    return std::vector<BarSpec>{
        {L"plendrix_TXCL", L"图形处理", shapes},
        {L"plendrix_WXTZ", L"微小调整",
         Buttons({L"逆时针1度", L"顺时针1度", L"略放大", L"略缩小", L"左右略拉伸", L"左右略收缩", L"上下略拉伸",
                  L"上下略收缩", L"略上移", L"略下移", L"略左移", L"略右移"})},
        {L"plendrix_SXGS", L"数学公式",
         Buttons({L"上划线", L"循环小数", L"矩阵", L"行列式", L"求积", L"求和", L"极限", L"积分", L"几何符号",
                  L"代数符号", L"分数", L"根式", L"方程组", L"向量", L"弧", L"排列组合", L"公式美化"})},
        {L"plendrix_JHFH", L"几何符号",
         SymbolButtons({L"bupingxing", L"chuizhi", L"du", L"fen", L"hu", L"jiao", L"jiao1", L"miao", L"pingxing",
                        L"pingxingsibianxing", L"pingxingxiangdeng", L"pingxingqexiangdeng", L"quandeng",
                        L"sanjiaoxing", L"suoyi", L"xiangsi", L"yinwei", L"yuan", L"JHzhenbaohan",
                        L"JHfeizhenbaohan"})},
        {L"plendrix_SET", L"集合符号",
         SymbolButtons({L"and", L"baohan", L"baohanyu", L"bingji", L"biyao", L"bubaohan", L"bubaohanyu", L"bubiyao",
                        L"buchongfen", L"buji", L"bushuyu", L"bushuyu1", L"C", L"chongfen", L"chongyao",
                        L"feichongyao", L"jiaoji", L"kongji", L"N", L"not", L"or", L"Q", L"R", L"shuyu", L"shuyu1",
                        L"Z", L"zhenbaohan", L"zhenbaohanyu"})},
        {L"plendrix_YSFH", L"运算符号",
         Concat(SymbolButtons({L"yuedengyu", L"bihao", L"budayuhao", L"budenghao", L"buxiaoyuhao", L"chenghao",
                               L"chuhao", L"dayuhao", L"denghao", L"derta", L"dianchenghao", L"fuzhenghao",
                               L"jiahao", L"jianhao", L"jueduizhi", L"xiaoyuhao", L"zhengfuhao"}),
                {Item{L"hengdengyu", L"hengdengyu", L"恒等于", L"", {}}})},
        {L"plendrix_SYMBOL", L"希腊字母",
         SymbolButtons({L"alpha", L"beta", L"chi", L"delta", L"epsilon", L"eta", L"gamma", L"lambda", L"mu",
                        L"omega", L"phi", L"pi", L"rho", L"sigma", L"tau", L"theta", L"xi", L"zeta"})},
        {L"plendrix_SZFH", L"数字符号", numbers},
        {L"plendrix_QTFH", L"其它符号", others},
        {L"plendrix_GSPB", L"格式排版",
         Buttons({L"连续分节符", L"样式检查", L"预处理", L"文章标题", L"文章副标题", L"作者信息", L"摘要",
                  L"关键词", L"参考文献", L"批量排版"})},
        {L"plendrix_TK", L"题库",
         Buttons({L"试卷信息", L"试卷分析", L"自动标记", L"撤消/标记大题", L"撤消/标记小题", L"撤消/标记答案",
                  L"检查标记", L"查看报告", L"单题入库", L"浏览题库", L"自动组卷"})},
    };
  }();
  return bars;
}

std::vector<Item> MainBarItems() {
  std::vector<Item> sendItems;
  const wchar_t* sendCaptions[] = {L"以图片形式发送到新PPT", L"以纯文本形式发送到新PPT", L"以word文档形式发送到新PPT",
                                   L"以图片形式发送到当前PPT", L"以纯文本形式发送到当前PPT", L"以word文档形式发送到当前PPT"};
  for (int i = 0; i < 6; ++i)
    sendItems.push_back({sendCaptions[i], L"send2ppt" + std::to_wstring(i + 1), sendCaptions[i], L"", {}});
  return {
      B(L"重载", L"重新加载Plendrix"),
      B(L"刷新", L"刷新当前word工作区，防止因程序意外造成的word假死。"),
      B(L"配置", L"Plendrix参数配置"),
      B(L"显/隐文字", L"显示或隐藏文字（当有隐藏文字时，显示隐藏文字，否则隐藏所选文字）"),
      B(L"另存为图片", L"将word中选中的内容另存为图片。"),
      Menu(L"发送到PPT", sendItems),
      Menu(L"数学计算", Buttons({L"插入竖式", L"分解质因数", L"角、弧度互化", L"解方程", L"解不等式"})),
      Menu(L"平面几何", Buttons({L"数轴", L"统计图", L"线段图", L"正多边形", L"方格", L"扇形", L"中心"})),
      Menu(L"立体几何", {Menu(L"棱柱", Buttons({L"正方体"}))}),
      B(L"函数图象"), B(L"快捷公式"), B(L"公式模式"), B(L"点标注符"), B(L"图库"), B(L"选择器"), B(L"公式美化"),
      Menu(L"其它工具栏", Buttons({L"数学公式", L"图形处理", L"数学作图", L"运算符号", L"集合符号", L"几何符号",
                                   L"希腊字母", L"数字符号", L"其它符号", L"格式排版", L"程序框图", L"题库", L"批处理",
                                   L"微小调整"})),
      Menu(L"资源", Buttons({L"网络资源", L"浏览题库", L"试卷下载", L"课件下载", L"教案下载", L"论文下载", L"电子书籍",
                             L"软件下载"})),
      Menu(L"关于", Buttons({L"当前版本", L"最新版本", L"使用说明", L"联系作者", L"赞助合作", L"官网主页"})),
  };
}

// Adds items to a control collection; every button gets a sink.
void AddItems(AddinContext& ctx, docif::CommandBarControls& controls, const std::vector<Item>& items,
              ButtonEventCol& sinks) {
  for (const Item& item : items) {
    if (!item.items.empty()) {
      auto menu = controls.Add(ControlType::Popup, true);
      menu->SetCaption(item.caption);
      AddItems(ctx, *menu->Controls(), item.items, sinks);
      continue;
    }
    auto b = controls.Add(ControlType::Button, true);
    std::wstring key = item.key.empty() ? item.caption : item.key;
    b->SetCaption(item.caption);
    b->SetParameter(key);
    b->SetTag(key);
    if (!item.tooltip.empty()) b->SetTooltipText(item.tooltip);
    if (!item.image.empty()) {
      b->SetStyle(ButtonStyle::IconAndCaption);
      b->SetPicture(CollapseSeparators(AppFile(ctx, L"img/" + item.image + L".bmp")));
    } else {
      b->SetStyle(ButtonStyle::Caption);
    }
    sinks.Add(b);
  }
}

std::shared_ptr<docif::CommandBar> NewBar(AddinContext& ctx, const std::wstring& name) {
  auto bar = ctx.App->GetCommandBars()->Add(name, docif::BarPosition::Top, false, true);
  bar->SetVisible(true);
  return bar;
}

const BarSpec* SpecOf(const std::wstring& caption) {
  for (const auto& b : SecondaryBars())
    if (caption == b.menuCaption) return &b;
  return nullptr;
}

}  // namespace

void ButtonEvent::Button_Click(docif::CommandBarControl& ctrl, bool& cancelDefault) {
  std::wstring key = LCase(ctrl.Parameter());
  if (const BarSpec* bar = SpecOf(key); bar && ctrl.Caption() == bar->menuCaption) {
    ToggleToolbar(ctx_, key);
  } else if (const Action* action = FindLegacyAction(key); action && action->run) {
    // Whatever the command changes is one step of the host's undo, named by the button's caption.
    std::optional<docif::UndoRecord> record;
    if (ctx_.App) record.emplace(*ctx_.App, ctrl.Caption().empty() ? ctrl.Parameter() : ctrl.Caption());
    action->run(ctx_);
  }
  cancelDefault = true;
}

void ButtonEventCol::Add(const std::shared_ptr<docif::CommandBarControl>& button) {
  auto sink = std::make_shared<ButtonEvent>(ctx_);
  sinks_.push_back(sink);
  button->AddClickHandler([sink](docif::CommandBarControl& c, bool& cancel) { sink->Button_Click(c, cancel); });
}

std::wstring ToolbarName(const std::wstring& caption) {
  const BarSpec* layout = SpecOf(caption);
  return layout ? std::wstring(layout->prefix) + product::kSiteLabel : L"";
}

void BuildMainToolbar(AddinContext& ctx) {
  ctx.Sinks = std::make_shared<ButtonEventCol>(ctx);
  auto bar = NewBar(ctx, product::kMainToolbar);
  AddItems(ctx, *bar->Controls(), MainBarItems(), *ctx.Sinks);
  ctx.MainBar = bar;
}

void ToggleToolbar(AddinContext& ctx, const std::wstring& caption) {
  const BarSpec* layout = SpecOf(caption);
  if (!layout) return;
  std::wstring name = ToolbarName(caption);
  auto bars = ctx.App->GetCommandBars();
  std::shared_ptr<docif::CommandBar> bar;
  try {
    bar = bars->Item(name);
    bar->SetVisible(!bar->Visible());
  } catch (...) {
    // Not built yet (or lost): build it, which shows it.
    if (!ctx.Sinks) ctx.Sinks = std::make_shared<ButtonEventCol>(ctx);
    bar = NewBar(ctx, name);
    AddItems(ctx, *bar->Controls(), layout->items, *ctx.Sinks);
  }
  if (auto entry = bars->FindControl(caption)) entry->SetState(bar->Visible());
}

}  // namespace plx
