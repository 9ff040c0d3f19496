#pragma once
// Reaching the presentation program: the presentation and slide a send
// goes to, and the slide's size.
#include <memory>
#include <optional>

#include "slidehost/presentation.hpp"

namespace plx {
class AddinContext;
}

namespace plx::present {

struct PptContext {
  std::shared_ptr<slides::Application> app;
  std::shared_ptr<slides::Presentation> presentation;
  slides::SlidePtr slide;
  double slideWidth = 0, slideHeight = 0;
};

// Attaches to the running program or starts one. A program just started
// gets a new presentation with one blank slide; otherwise `newSlide`
// appends a blank slide and selects it, or the slide being edited is used.
// When no program can be reached or started the user is told so and
// nothing is returned.
std::optional<PptContext> InitPPT(AddinContext& ctx, bool newSlide);

// Appends a blank slide after the last one and selects it.
slides::SlidePtr AppendBlankSlide(slides::Presentation& presentation);

}  // namespace plx::present
