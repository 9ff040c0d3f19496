#pragma once
// Sending the selection of the document to the presentation program once:
// as a picture, as plain text or as an embedded document, onto a new slide
// or the slide being edited, placed inside the margins, optionally with an
// entrance animation, a background picture and a slide transition.
#include <functional>

namespace plx {
class AddinContext;
}

namespace plx::present {

struct SendHooks {
  // Shows the settings dialog and returns when it is closed; called
  // before sending when "blShowConfig" is set.
  std::function<void(AddinContext&)> showSettings;
};

// Modes 1–3: picture, plain text, document object on a new slide; 4–6 the
// same on the slide being edited. Reports its own errors; true when the
// selection arrived on a slide.
bool Send2PPT(AddinContext& ctx, int mode, const SendHooks& hooks = {});

}  // namespace plx::present
