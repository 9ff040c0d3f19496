#include "present/slide_dressing.hpp"

#include "addin/addin_context.hpp"
#include "addin/services.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "present/send_settings.hpp"
#include "present/transition_table.hpp"

namespace plx::present {

namespace {

constexpr int kEffectCount = 53;
constexpr int kBackgroundCount = 36;
// Effects a random choice leaves out: flash once (11) does not leave the
// shape shown, credits (28) scrolls it off the slide.
bool LeftOutOfRandom(int effect) { return effect == 11 || effect == 28; }

}  // namespace

int ChooseEntranceEffect(AddinContext& ctx, const SendSettings& s) {
  if (s.rndAni) {
    int n;
    do n = static_cast<int>(Int(kEffectCount * ctx.Random().Rnd() + 1));
    while (LeftOutOfRandom(n));
    return n;
  }
  const std::wstring text = Trim(s.aniId);
  if (!IsNumeric(text)) return 1;
  const double n = CDbl(text);
  if (n < 1 || n >= kEffectCount + 0.5) return 1;
  return CInt(n);
}

std::wstring ChooseBackgroundName(AddinContext& ctx, const SendSettings& s) {
  if (!s.rndBeauty) return s.beautyName;
  const int n = static_cast<int>(Int(kBackgroundCount * ctx.Random().Rnd() + 1));
  return L"b" + Format(n, L"00#") + L".jpg";
}

int ChooseTransitionIndex(AddinContext& ctx, const SendSettings& s) {
  if (s.rndSlideAni) return static_cast<int>(Int(kTransitionCount * ctx.Random().Rnd() + 1));
  const double n = Val(Trim(s.slideAniId));
  return n > 32767 || n < -32768 ? 0 : CInt(n);
}

void AddEntranceEffect(slides::Slide& slide, slides::Shape& shape, int effect) {
  auto e = slide.MainSequence()->AddEffect(shape, effect);
  e->SetTiming({.triggerType = slides::kTriggerOnPageClick, .duration = 2, .triggerDelayTime = 0});
}

void SetBackgroundPicture(AddinContext& ctx, slides::Slide& slide, const std::wstring& name) {
  slide.SetFollowMasterBackground(false);
  slide.SetDisplayMasterShapes(true);
  auto fill = slide.Background();
  fill->SetVisible(true);
  fill->SetForeColorRGB(0xFFFFFF);
  fill->SetBackSchemeColor(6);
  fill->SetTransparency(0.2);
  fill->UserPicture(CollapseSeparators(GetAppPath(ctx) + L"/img/pic/" + name));
}

void SetTransition(slides::Slide& slide, int index) { slide.SetEntryEffect(TransitionAt(index).code); }

}  // namespace plx::present
