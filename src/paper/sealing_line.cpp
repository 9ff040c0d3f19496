#include "paper/sealing_line.hpp"

#include "addin/addin_context.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"

namespace plx {
namespace {

constexpr const wchar_t* kRule = L"__________";
constexpr const wchar_t* kDotted = L"…………○…………密…………○…………封…………○…………线…………○…………";
constexpr double kFontSize = 10;

struct BoxPlace {
  float left, top, width, height;
};

BoxPlace PlaceOf(SealingSide side, double pageWidth, double pageHeight) {
  const float w = static_cast<float>(CInt(pageWidth)), h = static_cast<float>(CInt(pageHeight));
  switch (side) {
    case SealingSide::Left: return {5, 20, 60, h - 40};
    case SealingSide::Right: return {w - 60, 20, 60, h - 40};
    case SealingSide::Top: break;
  }
  return {20, 5, w - 40, 80};
}

// The part of a text box's text from `from` to its end.
docif::RangePtr ActiveDocRange(const docif::Range& body, long from) {
  auto r = body.Duplicate();
  r->SetRange(from, body.End());
  return r;
}

}  // namespace

void SealingLine(AddinContext& ctx, SealingSide side) {
  std::wstring info = ConfigGroup(ctx, L"zhijuan").Text(L"txtMFX");
  auto doc = ActiveDoc(ctx);
  docif::PageSetup page = doc->PageSetup();
  // One paragraph each (the host makes CR LF one paragraph mark).
  const std::wstring text = side == SealingSide::Right
                                ? std::wstring(kDotted) + L"\r" + kRule + L"\r" + info
                                : info + L"\r" + kRule + L"\r" + kDotted;
  BoxPlace at = PlaceOf(side, page.PageWidth, page.PageHeight);
  auto box = doc->GetShapes()->AddTextbox(1, at.left, at.top, at.width, at.height);
  box->SetFill({.Visible = false});
  box->SetLine({.Visible = false});
  box->SetTextFrame({.Orientation = side == SealingSide::Top ? 1 : 2});
  auto body = box->TextRange();
  body->SetText(text);
  body->SetParagraphFormat({.Alignment = docif::kAlignDistribute});
  body->SetFont({.Size = kFontSize});
  // Spread over the box, underscores would stand apart as dashes (and
  // where spreading happens only between East Asian characters they would
  // not spread at all): each run becomes as many underlined full-width
  // blanks, which spread and join into one ruled line.
  long from = body->Start();
  while (from < body->End()) {
    auto run = ActiveDocRange(*body, from);
    auto f = run->GetFind();
    f->ClearFormatting();
    f->Text = L"_@";
    f->MatchWildcards = true;
    f->Wrap = docif::kFindStop;
    if (!f->Execute()) break;
    const long length = run->End() - run->Start();
    run->SetText(std::wstring(static_cast<size_t>(length), L'\u3000'));
    run->SetFont({.Underline = 1});
    from = run->End();
  }
}

}  // namespace plx
