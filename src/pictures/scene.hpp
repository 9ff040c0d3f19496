#pragma once
// A picture as a list of things to draw, in points from its top left: the
// one form every source (a page, a selection, the graph dialog's preview)
// is turned into and every back end (SVG, PNG, PDF, JPEG, BMP, metafiles)
// draws from.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plx::pictures {

// Colours are the host's RGB values: red in the low byte.
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

struct Point {
  double x = 0, y = 0;
};

// Arrowhead styles: 1 none, 2 triangle, 3 open, 4 stealth, 5 diamond,
// 6 oval; length and width 1 short/narrow, 2 medium, 3 long/wide.
struct Arrowhead {
  int style = 1, length = 2, width = 2;
};

// Dash styles: 1 solid, 2 square dot, 3 round dot, 4 dash, 5 dash dot,
// 6 dash dot dot, 7 long dash, 8 long dash dot.
struct Stroke {
  bool visible = true;
  double width = 0.75;
  uint32_t color = kBlack;
  int dash = 1;
  Arrowhead begin, end;
};

// Pattern 0 is a solid fill in `fore`; other numbers are the host's
// pattern fills of `fore` lines or dots over `back`.
struct Fill {
  bool visible = false;
  uint32_t fore = kWhite, back = kWhite;
  int pattern = 0;
  double transparency = 0;
};

// An outline: moves, straight segments, cubic Bézier segments (three
// points each) and closes.
struct Path {
  enum class Op { Move, Line, Curve, Close };
  std::vector<Op> ops;
  std::vector<Point> points;
  Stroke stroke;
  Fill fill;

  void MoveTo(double x, double y);
  void LineTo(double x, double y);
  void CurveTo(Point c1, Point c2, Point end);
  void Close();
  void Rectangle(double left, double top, double width, double height);
  void Ellipse(double left, double top, double width, double height);
};

struct Font {
  std::wstring latin = L"Times New Roman";
  std::wstring eastAsian = L"宋体";
  double size = 10.5;
  bool bold = false, italic = false, underline = false;
  uint32_t color = kBlack;
};

// The part of a run that shows, from its origin (left end of its base
// line), in the run's own unturned directions: text in a box shows only
// inside the box, as the word processor cuts it.
struct Clip {
  double left = 0, top = 0, right = 0, bottom = 0;
};

// One run of text on one line; `baseline` is the y of its base line.
struct Text {
  double left = 0, baseline = 0;
  std::wstring text;
  Font font;
  std::optional<Clip> clip;
};

// A picture file's image (PNG or JPEG; other kinds show as a grey
// frame) stretched over its box, after cutting off the given share of each
// side.
struct Image {
  double left = 0, top = 0, width = 0, height = 0;
  std::shared_ptr<const std::string> bytes;
  std::wstring contentType;
  double cropLeft = 0, cropTop = 0, cropRight = 0, cropBottom = 0;
};

struct Item {
  enum class Kind { Path, Text, Image } kind = Kind::Path;
  Path path;
  Text text;
  Image image;
  // Turned clockwise by `rotation` degrees about (cx, cy).
  double rotation = 0, cx = 0, cy = 0;
};

struct Scene {
  double width = 0, height = 0;  // points
  uint32_t background = kWhite;
  std::vector<Item> items;

  void Add(Path path, double rotation = 0, double cx = 0, double cy = 0);
  void Add(Text text, double rotation = 0, double cx = 0, double cy = 0);
  void Add(Image image, double rotation = 0, double cx = 0, double cy = 0);
  // Moves every item by (dx, dy).
  void Move(double dx, double dy);
  // Turns the items from `first` on clockwise by `degrees` about (cx, cy),
  // after any turn of their own (a group's turn over its items').
  void Turn(size_t first, double degrees, double cx, double cy);
};

}  // namespace plx::pictures
