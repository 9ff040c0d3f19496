#include "config/config_bindings.hpp"

#include <cmath>

#include "common/error.hpp"
#include "common/text.hpp"
#include "common/units.hpp"
#include "common/vbnum.hpp"

namespace plx {
namespace {

using enum SettingControl;

SettingBinding Check_(const wchar_t* key, const wchar_t* caption) { return {key, Check, caption, {}, {}, {}}; }
SettingBinding Text_(const wchar_t* key, const wchar_t* caption) { return {key, Text, caption, {}, {}, {}}; }
// A text box holding a number of the range.
SettingBinding Number_(const wchar_t* key, const wchar_t* caption, NumberRange range) {
  return {key, Text, caption, {}, {}, range};
}
SettingBinding Choice_(const wchar_t* key, const wchar_t* caption, std::vector<std::wstring> options) {
  return {key, Choice, caption, std::move(options), {}, {}};
}
SettingBinding Pair_(const wchar_t* key, const wchar_t* caption, const wchar_t* partner) {
  return {key, OptionFlag, caption, {}, partner, {}};
}
SettingBinding Font_(const wchar_t* key, const wchar_t* caption) { return {key, FontName, caption, {}, {}, {}}; }
SettingBinding Size_(const wchar_t* key, const wchar_t* caption) { return {key, FontSize, caption, {}, {}, {}}; }
SettingBinding Colour_(const wchar_t* key, const wchar_t* caption) { return {key, Colour, caption, {}, {}, {}}; }

// Margins on a slide, line weights (the host's widest line), effect
// numbers of the entrance effects and of the transition table, picture
// adjustments in percent, the watermark range (0 the document, 1 the page),
// and the frame's ratios to the page.
constexpr NumberRange kMargin{0, 1000, false};
constexpr NumberRange kLineWeight{0, 1584, false};
constexpr NumberRange kEntranceEffect{1, 53, true};
constexpr NumberRange kTransition{1, 97, true};
constexpr NumberRange kAdjustment{-100, 100, false};
constexpr NumberRange kPageOrRange{0, 1, true};
constexpr NumberRange kRatio{1, 100, true};

const std::vector<std::wstring> kAnchors = {L"左上", L"中间", L"右下"};

}  // namespace

const std::vector<SettingsTab>& SettingsTabs() {
  static const std::vector<SettingsTab> tabs = {
      {L"wordconfig", L"文档",
       {Check_(L"blEmbedAllFonts", L"防乱码时嵌入全部字体")}},
      {L"gsconfig", L"公式",
       {Choice_(L"iMathType", L"公式输出形式", {L"域代码公式", L"TeX（交公式编辑器）", L"Word公式"}),
        Check_(L"blPLZH", L"排列组合上下标互换"), Check_(L"blChangeKH", L"自动拉伸括号"),
        Check_(L"blSymbolReplace", L"生成公式后替换符号"), Text_(L"txtSymbolReplace", L"符号替换表"),
        Check_(L"blZDMH", L"插入公式后自动美化"), Check_(L"blZDYGZ", L"应用自定义规则"),
        Check_(L"blAutoNarrow", L"全角字符转为半角"), Check_(L"blNarrowExp", L"转半角时保留例外字符"),
        Text_(L"txtNarrowExp", L"例外字符"), Check_(L"blGsExp", L"启用保护词"), Text_(L"txtGsExp", L"保护词"),
        Check_(L"blLXNumber", L"连续数字整体作分子或分母")}},
      {L"mhgsconfig", L"公式美化",
       {Choice_(L"noSelection", L"未选中内容时的美化范围", {L"全文", L"当前页", L"不处理"}),
        Font_(L"FontName", L"字母的字体"), Check_(L"blItalic", L"字母用斜体"), Check_(L"blBold", L"字母加粗"),
        Text_(L"FuncList", L"设为正体的函数名"), Text_(L"ReplaceRull", L"美化时的替换规则"),
        Font_(L"FontName_Num", L"数字的字体"), Check_(L"blItalic_Num", L"数字用斜体"),
        Check_(L"blBold_Num", L"数字加粗"), Size_(L"sxbFontSize", L"上下标字号")}},
      {L"zhijuan", L"试卷",
       {Text_(L"JuanTou", L"卷头"), Text_(L"XuanZeTiGan", L"选择题题干"), Text_(L"TianKongTiGan", L"填空题题干"),
        Text_(L"JieDaTiGan", L"解答题题干"), Text_(L"txtMFX", L"密封线文字")}},
      {L"word2pptconfig", L"发送到幻灯片",
       {Choice_(L"iPPType", L"批量发送的形式", {L"Word文档对象", L"纯文本", L"图片"}),
        Check_(L"blOver", L"允许与已有图形重叠"), Check_(L"blAutoSize", L"按比例充满边距"),
        Number_(L"intLeft", L"左边距（磅）", kMargin), Number_(L"intRight", L"右边距（磅）", kMargin),
        Number_(L"intTop", L"上边距（磅）", kMargin), Number_(L"intButtom", L"下边距（磅）", kMargin),
        Check_(L"blShapeAni", L"添加进入动画"),
        Check_(L"blRndAni", L"随机进入动画"), Number_(L"txtAniID", L"进入动画编号", kEntranceEffect),
        Check_(L"blBeauty", L"设置背景图片"), Check_(L"blRndBeauty", L"随机背景图片"),
        Text_(L"txtBeautyName", L"背景图片文件名"), Check_(L"blPPAni", L"设置切换效果"),
        Check_(L"blRndPPAni", L"随机切换效果"), Number_(L"txtPPAniID", L"切换效果序号", kTransition),
        Font_(L"pptFontName", L"纯文本的字体"), Size_(L"pptFontSize", L"纯文本的字号")}},
      {L"ShpConfig", L"图形",
       {Choice_(L"Horizontal", L"横向缩放的基准", kAnchors), Choice_(L"Vertical", L"纵向缩放的基准", kAnchors),
        Number_(L"LineWeight", L"线条粗细（磅）", kLineWeight), Colour_(L"LineColor", L"线条颜色"),
        Number_(L"ShapeLineWeight", L"图形边线粗细（磅）", kLineWeight), Colour_(L"ShapeLineColor", L"图形边线颜色"),
        Colour_(L"ShapeFillColor", L"图形填充颜色"), Check_(L"ShapeFillVisible", L"图形填充")}},
      {L"zbxconfig", L"坐标系",
       {Check_(L"blYkdLeft", L"y轴刻度线画在左侧"), Check_(L"blYtxtLeft", L"y轴刻度数字写在左侧"),
        Check_(L"blXkdUp", L"x轴刻度线画在上方"), Check_(L"blXtxtUp", L"x轴刻度数字写在上方"),
        Number_(L"intK", L"图形与页面的比", kRatio), Number_(L"intKD", L"刻度线长的比例", kRatio),
        Check_(L"blAutoKD", L"自动确定刻度间隔"), Text_(L"KDKD", L"保留的刻度设置")}},
      {L"shuiyinconfig", L"去水印",
       {Number_(L"txtRuiHua", L"锐化量", kAdjustment), Number_(L"txtLiangDu", L"亮度增量", kAdjustment),
        Number_(L"txtDuiBiDu", L"对比度增量", kAdjustment),
        Text_(L"txtShuiYin", L"水印文字"), Check_(L"blQuShuiYin0", L"处理图片去浅色水印"),
        Check_(L"blQuShuiYin1", L"删除水印文字"), Check_(L"blQuShuiYin2", L"附加步骤2"),
        Check_(L"blQuShuiYin3", L"附加步骤3"), Check_(L"blQuShuiYin4", L"删除白色文字和隐藏文字（先询问，隐藏答案保留）"),
        Number_(L"txtQuShuiYinRange", L"去水印范围（0全文，1当前页）", kPageOrRange)}},
      {L"tikuconfig", L"题库",
       {Text_(L"txtAnsKey", L"答案标志文字"), Text_(L"txtTeacher", L"教师版标志"), Text_(L"txtNormal", L"答案部分标题"),
        Text_(L"txtTM", L"小题查找"), Text_(L"txtAns", L"答案查找"), Text_(L"txtDT", L"大题查找"),
        Text_(L"txtTMRep", L"小题替换"), Text_(L"txtAnsRep", L"答案替换"), Text_(L"txtDTRep", L"大题替换"),
        Colour_(L"AnsFontColor", L"答案文字颜色")}},
      {L"wzconfig", L"文章排版",
       {Pair_(L"blDH0", L"段内手动换行改为分段", L"blDH1"), Pair_(L"blDH1", L"删除段内手动换行", L"blDH0"),
        Check_(L"blReplace", L"排版时替换"), Text_(L"txtReplace", L"替换规则"),
        Check_(L"blGGSB", L"删除广告段落"), Text_(L"txtBMD", L"白名单"), Text_(L"txtHMD", L"黑名单")}},
  };
  return tabs;
}

const SettingBinding* FindSetting(const std::wstring& key) {
  for (const auto& tab : SettingsTabs())
    for (const auto& s : tab.settings)
      if (s.key == key) return &s;
  return nullptr;
}

namespace {

// Whether the text is a number of the range (blanks around it aside).
bool InRange(const std::wstring& value, const NumberRange& range) {
  if (!IsNumeric(value)) return false;
  const double v = CDbl(value);
  return v >= range.min && v <= range.max && (!range.whole || v == std::floor(v));
}

std::wstring Between(const NumberRange& range) {
  return DecimalText(range.min) + L"～" + DecimalText(range.max) + (range.whole ? L"的整数" : L"的数");
}

}  // namespace

std::wstring SettingValueProblem(const SettingBinding& setting, const std::wstring& value) {
  std::wstring takes;
  switch (setting.control) {
    case Check:
    case OptionFlag:
      try {
        CBool(value);
        return L"";
      } catch (const VbError&) {
        takes = L"True 或 False（也可以是数字，0 为 False）";
      }
      break;
    case Choice: {
      const NumberRange choices{0, static_cast<double>(setting.options.size()) - 1, true};
      if (InRange(value, choices)) return L"";
      takes = Between(choices) + L"（";
      for (size_t i = 0; i < setting.options.size(); ++i)
        takes += (i ? L"，" : L"") + std::to_wstring(i) + L" " + setting.options[i];
      takes += L"）";
      break;
    }
    case Colour:
      if (InRange(value, {0, 16777215, true})) return L"";
      takes = L"0～16777215 的整数（颜色的 RGB 值）";
      break;
    case FontSize:
      if (FontSizeFromName(Trim(value)) > 0) return L"";
      takes = L"字号名（如“小四”）或大于 0 的磅值";
      break;
    case Text:
      if (!setting.number || InRange(value, *setting.number)) return L"";
      takes = Between(*setting.number);
      break;
    case FontName:
      return L"";
  }
  return L"设置项“" + setting.key + L"”（" + setting.caption + L"）不能取“" + value + L"”，只能取" + takes + L"。";
}

const std::vector<std::wstring>& FontSizeChoices() {
  static const std::vector<std::wstring> sizes = {
      L"初号", L"小初", L"一号", L"小一", L"二号", L"小二", L"三号", L"小三", L"四号", L"小四", L"五号",
      L"小五", L"六号", L"小六", L"七号", L"八号", L"5",   L"5.5", L"6",   L"6.5", L"7.5", L"8",
      L"9",    L"10",   L"10.5", L"11",  L"12",   L"14",  L"16",  L"18",  L"20",  L"22",  L"24",
      L"26",   L"28",   L"30",   L"32",  L"36",   L"48",  L"72"};
  return sizes;
}

}  // namespace plx
