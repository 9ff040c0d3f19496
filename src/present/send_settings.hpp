#pragma once
// The "word2pptconfig" settings as one send reads them.
#include <string>

namespace plx {
class AddinContext;
}

namespace plx::present {

struct SendSettings {
  bool showConfig = false;
  int batchType = 2;  // iPPType: 0 document object, 1 plain text, 2 picture
  double left = 0, right = 0, top = 0, bottom = 0;
  std::wstring fontName;
  double fontSize = 0;
  bool autoSize = false;
  bool over = false;
  bool shapeAni = false, rndAni = false;
  std::wstring aniId;
  bool beauty = false, rndBeauty = false;
  std::wstring beautyName;
  bool slideAni = false, rndSlideAni = false;
  std::wstring slideAniId;
};

constexpr const wchar_t* kSendGroup = L"word2pptconfig";

// Loads the group if another is loaded and reads it. A flag that is
// missing reads false; margins and sizes are trimmed text read with a
// leading-number parse.
SendSettings ReadSendSettings(AddinContext& ctx);

}  // namespace plx::present
