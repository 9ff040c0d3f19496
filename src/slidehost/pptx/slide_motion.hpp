#pragma once
// A slide's transition and its entrance animations as PresentationML.
#include <pugixml.hpp>

#include "slidehost/model/slide_data.hpp"

namespace plx::slides::pptx {

// Appends <p:transition> for the program's entry-effect code (nothing for
// 0, "no effect", or for codes no transition stands for).
void AppendTransition(pugi::xml_node sld, int entryEffect);

// Appends <p:timing> with the slide's effects in the main sequence.
void AppendTiming(pugi::xml_node sld, const model::SlideData& slide);

}  // namespace plx::slides::pptx
