#pragma once
// The data of the in-memory presentation program: presentations of slides
// holding shapes, entrance effects, a background and a transition. The
// wrappers in model_presentation.cpp give it the program's interfaces; the
// .pptx writer reads it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "slidehost/presentation.hpp"

namespace plx::slides::model {

struct ShapeData {
  enum class Kind { TextBox, Picture, OleObject } kind = Kind::TextBox;
  int id = 0;
  double left = 0, top = 0, width = 0, height = 0;
  // Text boxes.
  std::wstring text;
  std::wstring fontName = L"宋体";
  double fontSize = 18;
  // Pictures, and the picture standing for an embedded object.
  std::string png;
  // Embedded objects.
  std::string package;
  std::wstring progId;
};

struct EffectData {
  int shapeId = 0;
  int effectId = 1;
  EffectTiming timing;
};

struct BackgroundData {
  bool visible = true;
  uint32_t foreRGB = 0xFFFFFF;
  int backSchemeColor = 0;
  double transparency = 0;
  std::string picture;  // JPEG or PNG bytes; empty: the fore colour
  std::string pictureExtension;
};

struct SlideData {
  int id = 0;
  std::vector<std::shared_ptr<ShapeData>> shapes;
  std::vector<EffectData> effects;
  bool followMasterBackground = true;
  bool displayMasterShapes = true;
  BackgroundData background;
  int entryEffect = 0;
};

struct PresentationData {
  double slideWidth = 720, slideHeight = 540;  // 4:3, as a new presentation starts
  std::vector<std::shared_ptr<SlideData>> slides;
  std::weak_ptr<SlideData> selected;
  int nextSlideId = 256;
  int nextShapeId = 2;
};

// Lays a text box's text out the way the program's "resize shape to fit
// text" does: wrapped at the box's width inside its insets, East Asian
// characters one em wide and others half, lines 1.2 em; returns the height.
double FittedTextHeight(const ShapeData& box);

}  // namespace plx::slides::model
