#pragma once
// What a send adds around the shape it made: the shape's entrance
// animation, the slide's background picture and its transition.
#include <string>

#include "slidehost/presentation.hpp"

namespace plx {
class AddinContext;
}

namespace plx::present {

struct SendSettings;

// The entrance effect number: random (never 11, flash once, or 28,
// credits) or the configured one; anything not an effect number gives 1.
int ChooseEntranceEffect(AddinContext& ctx, const SendSettings& s);
// The background picture's file name ("b001.jpg" … "b036.jpg" at random).
std::wstring ChooseBackgroundName(AddinContext& ctx, const SendSettings& s);
// The transition's table index.
int ChooseTransitionIndex(AddinContext& ctx, const SendSettings& s);

void AddEntranceEffect(slides::Slide& slide, slides::Shape& shape, int effect);
void SetBackgroundPicture(AddinContext& ctx, slides::Slide& slide, const std::wstring& name);
void SetTransition(slides::Slide& slide, int index);

}  // namespace plx::present
