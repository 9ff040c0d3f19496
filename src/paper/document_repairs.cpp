#include "paper/document_repairs.hpp"

#include <algorithm>
#include <vector>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "config/answer_colour.hpp"
#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Deletes every occurrence of a host find text inside the range.
void DeleteAll(const docif::Range& scope, const std::wstring& find, bool wildcards) {
  auto r = scope.Duplicate();
  auto f = r->GetFind();
  f->ClearFormatting();
  f->Text = find;
  f->Replacement.Text = L"";
  f->MatchWildcards = wildcards;
  f->Wrap = docif::kFindStop;
  f->Execute(docif::kReplaceAll);
}

bool Marked(const std::wstring& name) { return StartsWith(name, kWatermarkMark); }

void Sharpen(AddinContext& ctx, auto& picture) {
  auto& config = ConfigGroup(ctx, L"shuiyinconfig");
  picture.AddPictureEffect(docif::kPictureSharpen, config.Number(L"txtRuiHua"));
  picture.AddPictureEffect(docif::kPictureBrightness, config.Number(L"txtLiangDu"));
  picture.AddPictureEffect(docif::kPictureContrast, config.Number(L"txtDuiBiDu"));
}

bool Inside(const docif::Range& scope, const docif::Range& at) {
  return at.Start() >= scope.Start() && at.Start() <= scope.End();
}

// Pictures not yet marked get the three effects once. Inline pictures stay
// inline (made floating, they would leave their place in the question) and
// are marked before their alternative text, which they keep; floating ones
// before their name.
void TreatPictures(AddinContext& ctx, docif::Document& doc, const docif::Range& scope) {
  auto inlines = scope.Duplicate()->GetInlineShapes();
  for (int i = 1; i <= inlines->Count(); ++i) {
    auto pic = inlines->Item(i);
    if (pic->Type() != docif::kInlineShapePicture || Marked(pic->AlternativeText())) continue;
    Sharpen(ctx, *pic);
    pic->SetAlternativeText(kWatermarkMark + pic->AlternativeText());
  }
  auto shapes = doc.GetShapes();
  for (int i = 1; i <= shapes->Count(); ++i) {
    auto shape = shapes->Item(i);
    if (shape->Type() != docif::kShapePicture || Marked(shape->Name())) continue;
    if (!Inside(scope, *shape->Anchor())) continue;
    Sharpen(ctx, *shape);
    shape->SetName(kWatermarkMark + shape->Name());
  }
}

void DeleteTexts(const docif::Range& scope, const std::wstring& list) {
  if (list.empty() || list == L"Null") return;
  for (const auto& part : Split(list, L"||"))
    if (!part.empty()) DeleteAll(scope, Replace(part, L"^", L"^^"), false);
}

void DeleteSourceNotes(const docif::Range& scope) {
  DeleteAll(scope, L"\\[来源[:：][!\\]^13]@\\]", true);
  DeleteAll(scope, L"【来源[:：][!】^13]@】", true);
}

void DeleteTextWatermarkShapes(docif::Document& doc, const docif::Range& scope) {
  auto shapes = doc.GetShapes();
  std::vector<docif::ShapePtr> doomed;
  for (int i = 1; i <= shapes->Count(); ++i) {
    auto s = shapes->Item(i);
    if (s->Type() == docif::kShapePicture || s->Wrap().Type.value_or(-1) != 5 || !s->HasTextFrame()) continue;
    auto text = s->TextRange();
    if (text && !Trim(Replace(text->Text(), L"\r", L"")).empty() && Inside(scope, *s->Anchor())) doomed.push_back(s);
  }
  for (auto& s : doomed) s->Delete();
}

using Runs = std::vector<std::pair<long, long>>;

void AddTo(Runs& runs, const docif::Range& ch) {
  if (!runs.empty() && runs.back().second == ch.Start()) runs.back().second = ch.End();
  else runs.emplace_back(ch.Start(), ch.End());
}

// White characters (an invisible watermark that shows up again when pasted
// on a coloured ground) are deleted. Hidden characters may be what the
// teacher hid on purpose: those in the answer colour (answers hidden by the
// answer commands) always stay, and the others go only when the user says
// so. Runs are deleted from the end so that the positions found stay valid.
void DeleteInvisibleText(AddinContext& ctx, docif::Document& doc, const docif::Range& scope) {
  const uint32_t answer = AnswerColour(ctx);
  Runs white, hidden;
  auto paragraphs = scope.Duplicate()->Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto p = paragraphs->Item(i);
    docif::FontFormat whole = p->Font();
    if (whole.Hidden == false && whole.Color && *whole.Color != kWhite) continue;
    auto chars = p->Characters();
    for (int c = 1; c <= chars->Count(); ++c) {
      auto ch = chars->Item(c);
      if (ch->Text() == L"\r") continue;
      const docif::FontFormat f = ch->Font();
      if (f.Color == answer) continue;
      if (f.Color == kWhite) AddTo(white, *ch);
      else if (f.Hidden.value_or(false)) AddTo(hidden, *ch);
    }
  }
  if (!hidden.empty() &&
      ctx.Ui().MsgBox(L"文档中有隐藏的文字（答案颜色的隐藏答案除外，它们总是保留）。\r\n"
                      L"删除这些隐藏文字吗？选“否”只删除白色文字。",
                      Buttons::YesNo, L"去水印") != Answer::Yes)
    hidden.clear();
  Runs doomed = white;
  doomed.insert(doomed.end(), hidden.begin(), hidden.end());
  std::sort(doomed.begin(), doomed.end());
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) doc.GetRange(it->first, it->second)->Delete();
}

}  // namespace

void EmbedFonts(AddinContext& ctx) {
  bool all = ConfigGroup(ctx, L"wordconfig").Flag(L"blEmbedAllFonts");
  auto doc = ActiveDoc(ctx);
  doc->SetEmbedTrueTypeFonts(true);
  doc->SetSaveSubsetFonts(true);
  doc->SetDoNotEmbedSystemFonts(!all);
  if (doc->Saved()) doc->Save();
  doc->SetSaved(false);
  ctx.Ui().MsgBox(L"防乱码模式开启成功！", Buttons::OK, L"");
}

void RemoveWatermark(AddinContext& ctx) {
  auto& config = ConfigGroup(ctx, L"shuiyinconfig");
  const bool pictures = config.Flag(L"blQuShuiYin0"), texts = config.Flag(L"blQuShuiYin1"),
             notes = config.Flag(L"blQuShuiYin2"), shapes = config.Flag(L"blQuShuiYin3"),
             invisible = config.Flag(L"blQuShuiYin4");
  const std::wstring list = config.Text(L"txtShuiYin");
  auto doc = ActiveDoc(ctx);
  auto scope = config.Number(L"txtQuShuiYinRange") == 1 ? doc->GetBookmarks()->Item(L"\\Page") : doc->Content();
  if (pictures) TreatPictures(ctx, *doc, *scope);
  if (texts) DeleteTexts(*scope, list);
  if (notes) DeleteSourceNotes(*scope);
  if (shapes) DeleteTextWatermarkShapes(*doc, *scope);
  if (invisible) DeleteInvisibleText(ctx, *doc, *scope);
}

}  // namespace plx
