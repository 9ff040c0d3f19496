#pragma once
// Text as pango lays it out: the one place that turns a scene's font into
// pango's font description, for drawing and for measuring.
#include <pango/pango.h>

#include <vector>

#include "pictures/scene.hpp"

namespace plx::pictures {

// A layout of `text` in `context` (whose resolution must be 72, so that
// sizes are points), set in the Latin family with the East Asian family for
// the characters the Latin one lacks. The caller unrefs it.
PangoLayout* NewTextLayout(PangoContext* context, const Text& text);

// The room a run of text takes: its advance width, and how far its ink
// reaches above and below the base line (points).
struct TextExtent {
  double width = 0, inkAscent = 0, inkDescent = 0, inkLeft = 0, inkWidth = 0;
};

// Measures text without drawing it, in a context of its own.
class TextMeasure {
 public:
  TextMeasure();
  ~TextMeasure();
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  TextExtent Measure(const Text& text) const;
  // Where each character of the text starts, from its left end, and at the
  // end where the text ends: one more than the characters (points).
  std::vector<double> CharacterStarts(const Text& text) const;

 private:
  PangoContext* context_;
};

}  // namespace plx::pictures
