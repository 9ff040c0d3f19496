#pragma once
// A picture's adjustments (sharpen, brightness, contrast) in DrawingML:
// brightness and contrast as the blip's a:lum, which every reader honours,
// and sharpening as the picture effect layer of the 2010 drawing extension
// (a14:imgProps), which is where the word processor keeps its own.
#include <string>

#include <pugixml.hpp>

#include "docif/range.hpp"

namespace plx::docif::ooxml {

// The adjustments a:blip holds, in the order sharpen, brightness, contrast.
PictureEffectList ReadPictureEffects(const pugi::xml_node& blip);

// The pic:blipFill XML with its a:blip carrying the effects (several of one
// type add up, limited to ±100 %); adjustments it held before are replaced.
std::string BlipFillWithEffects(const std::string& blipFill, const PictureEffectList& effects);

}  // namespace plx::docif::ooxml
