#pragma once
// The parts of a .pptx that do not depend on the slides: the theme, the
// master and its blank layout, and the document properties.
#include <string>

namespace plx::slides::pptx {

extern const char* const kTheme;
extern const char* const kSlideMaster;
extern const char* const kSlideMasterRels;
extern const char* const kSlideLayout;
extern const char* const kSlideLayoutRels;
extern const char* const kAppProperties;
extern const char* const kCoreProperties;

}  // namespace plx::slides::pptx
