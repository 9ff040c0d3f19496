#pragma once
// The colour a teacher's answers are set in ("AnsFontColor" of the
// "tikuconfig" group): the answer commands colour and hide by it, and the
// clean-ups spare text in it.
#include <cstdint>

namespace plx {

class AddinContext;

// The configured answer colour; a value that is no colour reads as black.
// Loads "tikuconfig" into the configuration dictionary.
uint32_t AnswerColour(AddinContext& ctx);

}  // namespace plx
