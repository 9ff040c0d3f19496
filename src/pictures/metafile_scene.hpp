#pragma once
// A scene taken apart into what the metafile formats draw, in points with
// every turn applied: the background, fills and strokes as passes of their
// own (arrowheads as outlines of their own), text in pieces of one font
// each with every character's advance, and pictures as rasters. The EMF
// and WMF writers take these in the scene's order.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures/scene.hpp"

namespace plx::pictures {

// A run of text in one font: the Latin font, or the East Asian one for
// ideographs and full-width forms.
struct TextPiece {
  Point origin;         // the left end of its base line
  double rotation = 0;  // clockwise, degrees
  std::wstring text, face;
  double size = 10.5;
  bool bold = false, italic = false, underline = false, eastAsian = false;
  uint32_t color = kBlack;
  std::vector<double> advances;  // one per character, points
  // Where it shows, on the page; none for turned text.
  std::optional<Clip> clip;
};

// A picture's pixels over its box: rows from the top, four bytes a pixel
// (blue, green, red, unused).
struct Bitmap {
  double left = 0, top = 0, width = 0, height = 0;
  int pixelWidth = 0, pixelHeight = 0;
  std::vector<uint8_t> bgrx;
};

class MetafileSink {
 public:
  virtual ~MetafileSink() = default;
  // Fills the outline's subpaths, even-odd; the fill has no transparency
  // left (it is mixed with white).
  virtual void FillOutline(const Path& outline, const Fill& fill) = 0;
  // Strokes the outline (its stroke is visible and wider than 0).
  virtual void StrokeOutline(const Path& outline, const Stroke& stroke) = 0;
  virtual void WriteText(const TextPiece& piece) = 0;
  virtual void DrawBitmap(const Bitmap& bitmap) = 0;
};

// Hands the scene to `sink`, item by item, the background first.
void TakeApart(const Scene& scene, MetafileSink& sink);

// A sink that writes a metafile into the file it opened when made.
class MetafileFileSink : public MetafileSink {
 public:
  virtual bool Started() const = 0;
  // Ends the file; false when a record or the file could not be written.
  virtual bool Finish() = 0;
};

// Writes the scene through the sink into `file`. Returns an empty text on
// success, else what went wrong; a file left half-written is removed.
std::wstring WriteThrough(MetafileFileSink& sink, const Scene& scene, const std::string& file);

// A path's subpaths as lines through points, curves flattened to within
// `tolerance` points; a closed subpath does not repeat its first point.
struct Polyline {
  std::vector<Point> points;
  bool closed = false;
};
std::vector<Polyline> Flatten(const Path& path, double tolerance);

}  // namespace plx::pictures
