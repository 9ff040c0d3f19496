#include "paper/paper_commands.hpp"

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/error.hpp"
#include "docif/application.hpp"
#include "paper/align_options.hpp"
#include "paper/article.hpp"
#include "paper/clean_ups.hpp"
#include "paper/document_repairs.hpp"
#include "paper/paper_layout.hpp"
#include "paper/paper_scope.hpp"
#include "paper/paper_size.hpp"
#include "paper/sealing_line.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

using Routine = std::function<void(AddinContext&)>;

PaperCommand Layout(const wchar_t* name, const wchar_t* what, Routine run, const wchar_t* procedure) {
  return {std::wstring(L"rxBtnzhijuan_") + name, what, std::move(run), std::wstring(L"modZhiJuan.") + procedure};
}

PaperCommand OneKey(const wchar_t* name, const wchar_t* what, Routine run, const wchar_t* procedure) {
  return {std::wstring(L"rxBtnonekey_") + name, what, std::move(run), std::wstring(L"modWord.") + procedure};
}

PaperCommand Article(const wchar_t* key, Routine run, const wchar_t* procedure) {
  return {key, key, std::move(run), std::wstring(L"modPaiBan.") + procedure};
}

// Numbering reports its errors in the long form of its module.
void NumberQuestion(AddinContext& ctx) {
  try {
    TianJiaTiHao(ctx);
  } catch (const std::exception& e) {
    ShowErrLong(ctx, e, L"TianJiaTiHao", L"modWord", __LINE__);
  }
}

Routine Sealing(SealingSide side) {
  return [side](AddinContext& ctx) { SealingLine(ctx, side); };
}

Routine Options(int lines) {
  return [lines](AddinContext& ctx) { OptionBlock(ctx, lines); };
}

Routine Group(QuestionGroup g) {
  return [g](AddinContext& ctx) { GroupHeader(ctx, g); };
}

Routine Paper(PaperSize size) {
  return [size](AddinContext& ctx) { SetPaperSize(ctx, size); };
}

Routine Label(const wchar_t* label) {
  return [text = std::wstring(label)](AddinContext& ctx) { SetPaiBan_Other(ctx, text); };
}

}  // namespace

void ShowOrHideText(AddinContext& ctx) {
  auto scope = SelectionOrDocument(ctx);
  auto hidden = scope->Font().Hidden;
  // Undefined means part of it is hidden.
  if (!hidden || *hidden) scope->SetFont({.Hidden = false});
  else if (CurrentSelection(ctx)->End() > CurrentSelection(ctx)->Start()) scope->SetFont({.Hidden = true});
}

std::vector<PaperCommand> PaperCommands(PaperCommandSet set) {
  switch (set) {
    case PaperCommandSet::Layout:
      return {Layout(L"zuomifengxian", L"左密封线", Sealing(SealingSide::Left), L"SealingLine"),
              Layout(L"youmifengxian", L"右密封线", Sealing(SealingSide::Right), L"SealingLine"),
              Layout(L"shangmifengxian", L"上密封线", Sealing(SealingSide::Top), L"SealingLine"),
              Layout(L"xuanzeti", L"选择题题干", Group(QuestionGroup::Choice), L"GroupHeader"),
              Layout(L"tiankongti", L"填空题题干", Group(QuestionGroup::FillIn), L"GroupHeader"),
              Layout(L"jiedati", L"解答题题干", Group(QuestionGroup::Worked), L"GroupHeader"),
              Layout(L"addxuanzeti1", L"选项1行", Options(1), L"OptionBlock"),
              Layout(L"addxuanzeti2", L"选项2行", Options(2), L"OptionBlock"),
              Layout(L"addxuanzeti4", L"选项4行", Options(4), L"OptionBlock"),
              Layout(L"addtihao", L"添加题号", NumberQuestion, L"TianJiaTiHao"),
              Layout(L"addjuantou", L"添加卷头", PaperHeader, L"PaperHeader")};
    case PaperCommandSet::CleanUps:
      return {OneKey(L"fangluanma", L"防乱码", EmbedFonts, L"EmbedFonts"),
              OneKey(L"jiayinying", L"加阴影", [](AddinContext& c) { HatchSelectedShapes(c, true); }, L"JiaYinYing"),
              OneKey(L"quyinying", L"去阴影", [](AddinContext& c) { HatchSelectedShapes(c, false); }, L"QuYinYing"),
              OneKey(L"qushuiyin", L"去水印", RemoveWatermark, L"RemoveWatermark"),
              OneKey(L"qubiaoge", L"去表格边框", RemoveTableBorders, L"QuBiaoGe"),
              OneKey(L"jiabiankuang", L"加图片边框", [](AddinContext& c) { PictureBorders(c, true); }, L"JiaBianKuang"),
              OneKey(L"qubiankuang", L"去图片边框", [](AddinContext& c) { PictureBorders(c, false); }, L"QuBianKuang"),
              OneKey(L"duiqi", L"居中对齐", CentreOnLine, L"DuiQi")};
    case PaperCommandSet::Numbering:
      return {OneKey(L"chongxinbianhao", L"重新编号", [](AddinContext& c) { Renumber(c); }, L"ChongXinBianHao"),
              OneKey(L"qiehuanbianhao", L"切换编号", SwitchNumbering, L"QieHuanBianHao"),
              OneKey(L"zengdahangju", L"增大行距", [](AddinContext& c) { ChangeLineSpacing(c, 1); }, L"ZengDaHangJu"),
              OneKey(L"jianxiaohangju", L"减小行距", [](AddinContext& c) { ChangeLineSpacing(c, -1); }, L"JianXiaoHangJu"),
              OneKey(L"duiqiABCD", L"对齐选项", [](AddinContext& c) { AlignOptions(c); }, L"AlignOptions")};
    case PaperCommandSet::Article:
      return {Article(L"连续分节符", InsertContinuousSectionBreak, L"InsertContinuousSectionBreak"),
              Article(L"样式检查", PaiBan_StyleCheck, L"PaiBan_StyleCheck"),
              Article(L"预处理", PaiBan_YuChuLi, L"PaiBan_YuChuLi"),
              Article(L"文章标题", PaiBan_ZhengBiaoTi, L"PaiBan_ZhengBiaoTi"),
              Article(L"文章副标题", PaiBan_FuBiaoTi, L"PaiBan_FuBiaoTi"),
              Article(L"作者信息", PaiBan_ZuoZhe, L"PaiBan_ZuoZhe"),
              Article(L"摘要", Label(L"摘要"), L"SetPaiBan_Other"),
              Article(L"关键词", Label(L"关键词"), L"SetPaiBan_Other"),
              Article(L"参考文献", Label(L"参考文献"), L"SetPaiBan_Other")};
    case PaperCommandSet::PaperSizes:
      return {Layout(L"A4", L"A4纸", Paper(PaperSize::A4), L"SetPaperSize"),
              Layout(L"16K", L"16K纸", Paper(PaperSize::K16), L"SetPaperSize"),
              Layout(L"8K2", L"8K两栏", Paper(PaperSize::K8TwoColumns), L"SetPaperSize")};
  }
  return {};
}

}  // namespace plx
