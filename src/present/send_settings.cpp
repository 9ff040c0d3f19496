#include "present/send_settings.hpp"

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "config/mod_config.hpp"

namespace plx::present {

namespace {

// A stored value that is no boolean (written by hand or by an older
// version) stops the send with the key named, so the user knows what to fix.
bool FlagOrFalse(const ConfigDictionary& d, const wchar_t* key) {
  try {
    return !Trim(d.Text(key)).empty() && d.Flag(key);
  } catch (const VbError& e) {
    Raise(e.number(), L"类型不匹配：设置项“" + std::wstring(key) + L"”的值“" + d.Text(key) +
                          L"”不是 True 或 False，请在设置中改正。");
  }
}

double Number(const ConfigDictionary& d, const wchar_t* key) { return Val(Trim(d.Text(key))); }

}  // namespace

SendSettings ReadSendSettings(AddinContext& ctx) {
  const ConfigDictionary& d = ConfigGroup(ctx, kSendGroup);
  SendSettings s;
  s.showConfig = FlagOrFalse(d, L"blShowConfig");
  s.batchType = static_cast<int>(Number(d, L"iPPType"));
  s.left = Number(d, L"intLeft");
  s.right = Number(d, L"intRight");
  s.top = Number(d, L"intTop");
  s.bottom = Number(d, L"intButtom");
  s.fontName = d.Text(L"pptFontName");
  s.fontSize = Number(d, L"pptFontSize");
  s.autoSize = FlagOrFalse(d, L"blAutoSize");
  s.over = FlagOrFalse(d, L"blOver");
  s.shapeAni = FlagOrFalse(d, L"blShapeAni");
  s.rndAni = FlagOrFalse(d, L"blRndAni");
  s.aniId = d.Text(L"txtAniID");
  s.beauty = FlagOrFalse(d, L"blBeauty");
  s.rndBeauty = FlagOrFalse(d, L"blRndBeauty");
  s.beautyName = d.Text(L"txtBeautyName");
  s.slideAni = FlagOrFalse(d, L"blPPAni");
  s.rndSlideAni = FlagOrFalse(d, L"blRndPPAni");
  s.slideAniId = d.Text(L"txtPPAniID");
  return s;
}

}  // namespace plx::present
