#pragma once
// Sending a whole document, piece by piece as its markers cut it.
namespace plx {
class AddinContext;
}

namespace plx::present {

struct SendHooks;

// `form` 1 document object, 2 plain text, 3 picture; 0 takes the form of
// the settings ("iPPType"), marks the document question by question first
// and removes the markers afterwards. Reports its own errors.
void PL2PPT(AddinContext& ctx, int form, const SendHooks& hooks);

}  // namespace plx::present
