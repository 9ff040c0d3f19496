#include "paper/article.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"
#include "platform/fonts.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kLatin = L"Times New Roman";
constexpr double kWuHao = 10.5, kXiaoSi = 12, kSanHao = 16;

struct ArticleStyle {
  const wchar_t* name;
  const wchar_t* farEast;
  double size;
  int alignment;
  int outline;
  bool bodySpacing;  // 1.5 lines, first line indented two characters
};

const ArticleStyle kStyles[] = {
    {L"正标题_Plendrix", L"黑体", kSanHao, docif::kAlignCenter, 1, false},
    {L"副标题_Plendrix", L"楷体", kXiaoSi, docif::kAlignRight, 2, false},
    {L"作者_Plendrix", L"楷体", kWuHao, docif::kAlignCenter, 3, true},
    {L"摘要_Plendrix", L"楷体", kWuHao, docif::kAlignJustify, 3, true},
    {L"关键词_Plendrix", L"楷体", kWuHao, docif::kAlignJustify, 3, true},
    {L"参考文献_Plendrix", L"楷体", kWuHao, docif::kAlignJustify, 3, true},
};

// "楷体" follows with "楷体_GB2312" where this computer has that font.
std::wstring KaiTi() {
  static const bool gb2312 = [] {
    auto families = InstalledFontFamilies();
    return std::find(families.begin(), families.end(), L"楷体_GB2312") != families.end();
  }();
  return gb2312 ? L"楷体_GB2312" : L"楷体";
}

std::wstring FarEastFont(const ArticleStyle& s) {
  return std::wstring(s.farEast) == L"楷体" ? KaiTi() : s.farEast;
}

void AddStyle(docif::Styles& styles, const ArticleStyle& s) {
  auto style = styles.Add(s.name, 1);
  style->SetAutomaticallyUpdate(false);
  style->SetFont({.Name = kLatin, .NameAscii = kLatin, .NameFarEast = FarEastFont(s), .Size = s.size});
  docif::ParagraphFormat p{.Alignment = s.alignment, .OutlineLevel = s.outline};
  if (s.bodySpacing) {
    p.LineSpacingRule = docif::kSpace1pt5;
    p.CharacterUnitFirstLineIndent = 2;
  }
  style->SetParagraphFormat(p);
}

// The selected text, or the insertion point's paragraph.
docif::RangePtr Target(AddinContext& ctx) {
  auto sel = CurrentSelection(ctx);
  if (sel->End() > sel->Start()) return sel->GetRange();
  return FirstSelectedParagraph(ctx);
}

void ApplyArticleStyle(AddinContext& ctx, const std::wstring& name) {
  PaiBan_StyleCheck(ctx);
  Target(ctx)->SetStyle(name);
}

}  // namespace

void PaiBan_StyleCheck(AddinContext& ctx) {
  auto styles = ActiveDoc(ctx)->GetStyles();
  for (const ArticleStyle& s : kStyles)
    if (!styles->Exists(s.name)) AddStyle(*styles, s);
}

void Del_Front_Space(AddinContext& ctx) {
  auto doc = ActiveDoc(ctx);
  auto paragraphs = doc->Content()->Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    std::wstring text = p->Text();
    size_t n = 0;
    while (n < text.size() && (text[n] == L' ' || text[n] == L'\t' || text[n] == L'\u3000')) ++n;
    if (n > 0) doc->GetRange(p->Start(), p->Start() + static_cast<long>(n))->Delete();
  }
}

void PaiBan_YuChuLi(AddinContext& ctx) {
  Del_Front_Space(ctx);
  auto all = ActiveDoc(ctx)->Content();
  all->Select();
  all->SetStyle(L"正文");
  all->SetFont({.Name = L"宋体", .Size = kWuHao});
  all->SetParagraphFormat({.LineSpacingRule = docif::kSpace1pt5, .CharacterUnitFirstLineIndent = 2});
}

void PaiBan_ZhengBiaoTi(AddinContext& ctx) { ApplyArticleStyle(ctx, L"正标题_Plendrix"); }

void PaiBan_FuBiaoTi(AddinContext& ctx) { ApplyArticleStyle(ctx, L"副标题_Plendrix"); }

void PaiBan_ZuoZhe(AddinContext& ctx) {
  ApplyArticleStyle(ctx, L"作者_Plendrix");
  auto doc = ActiveDoc(ctx);
  auto line = ParagraphText(*Target(ctx)->Paragraphs()->First());
  std::wstring text = line->Text();
  size_t bracket = text.find_first_of(L"(（");
  long split = line->Start() + static_cast<long>(bracket == std::wstring::npos ? text.size() : bracket);
  doc->GetRange(line->Start(), split)->SetFont({.Name = L"宋体", .NameFarEast = L"宋体", .Size = kWuHao});
  if (split < line->End()) doc->GetRange(split, line->End())->SetFont({.NameFarEast = KaiTi(), .Size = kWuHao});
}

void SetPaiBan_Other(AddinContext& ctx, const std::wstring& label) {
  PaiBan_StyleCheck(ctx);
  auto paragraph = FirstSelectedParagraph(ctx);
  auto text = ParagraphText(*paragraph);
  size_t at = text->Text().find(label);
  if (at == std::wstring::npos) {
    ctx.Ui().MsgBox(L"当前所选文本或段落中末找到：“" + label + L"”", Buttons::OK, L"");
    return;
  }
  paragraph->SetStyle(label + L"_Plendrix");
  long start = text->Start() + static_cast<long>(at);
  ActiveDoc(ctx)->GetRange(start, start + static_cast<long>(label.size()))->SetFont({.NameFarEast = L"黑体"});
}

void InsertContinuousSectionBreak(AddinContext& ctx) {
  CurrentSelection(ctx)->InsertBreak(docif::kSectionBreakContinuous);
}

}  // namespace plx
