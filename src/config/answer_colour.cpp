#include "config/answer_colour.hpp"

#include "config/mod_config.hpp"

namespace plx {

uint32_t AnswerColour(AddinContext& ctx) {
  double v = ConfigGroup(ctx, L"tikuconfig").Number(L"AnsFontColor");
  return v >= 0 && v <= 0xFFFFFF ? static_cast<uint32_t>(v) : 0;
}

}  // namespace plx
