#include "pictures/metafile_scene.hpp"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "common/text.hpp"
#include "pictures/arrowheads.hpp"
#include "pictures/image_paint.hpp"
#include "pictures/patterns.hpp"
#include "pictures/text_layout.hpp"

namespace plx::pictures {
namespace {

// Pictures go into a metafile at up to 150 dpi and 4 million pixels.
constexpr double kPictureDpi = 150, kMaxPicturePixels = 4e6;

bool IsEastAsian(wchar_t c) { return c >= 0x2E80; }

// Turns points clockwise by `degrees` about (cx, cy).
class Turn {
 public:
  Turn(double degrees, double cx, double cy)
      : cos_(std::cos(degrees * std::numbers::pi / 180)), sin_(std::sin(degrees * std::numbers::pi / 180)),
        cx_(cx), cy_(cy) {}
  Point operator()(Point p) const {
    const double dx = p.x - cx_, dy = p.y - cy_;
    return {cx_ + dx * cos_ - dy * sin_, cy_ + dx * sin_ + dy * cos_};
  }

 private:
  double cos_, sin_, cx_, cy_;
};

void TakePath(const Item& item, MetafileSink& sink) {
  Path path = item.path;
  if (item.rotation != 0) {
    const Turn turn(item.rotation, item.cx, item.cy);
    for (Point& p : path.points) p = turn(p);
  }
  if (path.fill.visible && path.fill.transparency < 1) {
    Fill fill = path.fill;
    const double opaque = 1 - std::clamp(fill.transparency, 0.0, 1.0);
    fill.fore = MixColours(fill.fore, kWhite, opaque);
    fill.back = MixColours(fill.back, kWhite, opaque);
    fill.transparency = 0;
    sink.FillOutline(path, fill);
  }
  if (!path.stroke.visible || path.stroke.width <= 0) return;
  sink.StrokeOutline(path, path.stroke);
  for (const Path& head : ArrowheadPaths(path)) {
    if (head.fill.visible) sink.FillOutline(head, head.fill);
    if (head.stroke.visible) sink.StrokeOutline(head, head.stroke);
  }
}

// The run split where it changes between Latin and East Asian characters,
// each piece placed where pango puts its first character.
void TakeText(const Item& item, const TextMeasure& measure, MetafileSink& sink) {
  const Text& t = item.text;
  if (t.text.empty() || t.font.size <= 0) return;
  const std::vector<double> starts = measure.CharacterStarts(t);
  const Turn turn(item.rotation, item.cx, item.cy);
  for (size_t from = 0; from < t.text.size();) {
    const bool eastAsian = IsEastAsian(t.text[from]);
    size_t to = from + 1;
    while (to < t.text.size() && IsEastAsian(t.text[to]) == eastAsian) ++to;
    TextPiece piece;
    piece.origin = turn({t.left + starts[from], t.baseline});
    piece.rotation = item.rotation;
    piece.text = t.text.substr(from, to - from);
    piece.face = eastAsian ? t.font.eastAsian : t.font.latin;
    piece.size = t.font.size;
    piece.bold = t.font.bold;
    piece.italic = t.font.italic;
    piece.underline = t.font.underline;
    piece.eastAsian = eastAsian;
    piece.color = t.font.color;
    for (size_t i = from; i < to; ++i) piece.advances.push_back(std::max(0.0, starts[i + 1] - starts[i]));
    if (t.clip && item.rotation == 0)
      piece.clip = Clip{t.left + t.clip->left, t.baseline + t.clip->top, t.left + t.clip->right,
                        t.baseline + t.clip->bottom};
    sink.WriteText(piece);
    from = to;
  }
}

// The picture drawn by the renderer's own painter onto a raster of its box
// (so that crops and the frame of a kind it cannot decode come out the
// same as in every other format).
void TakeImage(const Image& image, MetafileSink& sink) {
  if (image.width <= 0 || image.height <= 0) return;
  const double scale =
      std::min(kPictureDpi / 72, std::sqrt(kMaxPicturePixels / (image.width * image.height)));
  Bitmap bitmap{image.left, image.top, image.width, image.height,
                std::max(1, static_cast<int>(std::ceil(image.width * scale))),
                std::max(1, static_cast<int>(std::ceil(image.height * scale))), {}};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, bitmap.pixelWidth, bitmap.pixelHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_scale(cr, bitmap.pixelWidth / image.width, bitmap.pixelHeight / image.height);
  cairo_translate(cr, -image.left, -image.top);
  PaintImage(cr, image);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  bitmap.bgrx.resize(static_cast<size_t>(bitmap.pixelWidth) * bitmap.pixelHeight * 4);
  for (int row = 0; row < bitmap.pixelHeight; ++row)
    std::memcpy(bitmap.bgrx.data() + static_cast<size_t>(row) * bitmap.pixelWidth * 4, data + row * stride,
                static_cast<size_t>(bitmap.pixelWidth) * 4);
  cairo_surface_destroy(surface);
  sink.DrawBitmap(bitmap);
}

void FlattenCurve(Point p0, Point c1, Point c2, Point p3, double tolerance, std::vector<Point>& out) {
  // Enough straight pieces that none strays more than `tolerance` from the curve.
  const double spread = std::max(std::hypot(p0.x - 2 * c1.x + c2.x, p0.y - 2 * c1.y + c2.y),
                                 std::hypot(c1.x - 2 * c2.x + p3.x, c1.y - 2 * c2.y + p3.y));
  const int pieces = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * spread / tolerance))), 1, 256);
  for (int i = 1; i <= pieces; ++i) {
    const double t = static_cast<double>(i) / pieces, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y});
  }
}

}  // namespace

void TakeApart(const Scene& scene, MetafileSink& sink) {
  Path background;
  background.Rectangle(0, 0, scene.width, scene.height);
  background.stroke.visible = false;
  sink.FillOutline(background, {.visible = true, .fore = scene.background, .back = scene.background, .pattern = 0,
                                .transparency = 0});
  const TextMeasure measure;
  for (const Item& item : scene.items) {
    switch (item.kind) {
      case Item::Kind::Path: TakePath(item, sink); break;
      case Item::Kind::Text: TakeText(item, measure, sink); break;
      case Item::Kind::Image: TakeImage(item.image, sink); break;
    }
  }
}

std::wstring WriteThrough(MetafileFileSink& sink, const Scene& scene, const std::string& file) {
  if (!sink.Started()) return L"无法写入“" + Utf8ToWide(file) + L"”。";
  TakeApart(scene, sink);
  if (sink.Finish()) return {};
  std::remove(file.c_str());
  return L"无法写入“" + Utf8ToWide(file) + L"”。";
}

std::vector<Polyline> Flatten(const Path& path, double tolerance) {
  std::vector<Polyline> out;
  size_t p = 0;
  for (Path::Op op : path.ops) {
    switch (op) {
      case Path::Op::Move: out.push_back({{path.points[p++]}, false}); break;
      case Path::Op::Line:
        if (out.empty()) out.push_back({});
        out.back().points.push_back(path.points[p++]);
        break;
      case Path::Op::Curve:
        if (out.empty() || out.back().points.empty()) out.push_back({{path.points[p]}, false});
        FlattenCurve(out.back().points.back(), path.points[p], path.points[p + 1], path.points[p + 2], tolerance,
                     out.back().points);
        p += 3;
        break;
      case Path::Op::Close:
        if (!out.empty()) {
          out.back().closed = true;
          // A closed subpath's end need not repeat its start.
          auto& pts = out.back().points;
          if (pts.size() > 1 && std::hypot(pts.back().x - pts.front().x, pts.back().y - pts.front().y) < 1e-9)
            pts.pop_back();
          const Point start = pts.empty() ? Point{} : pts.front();
          out.push_back({{start}, false});  // drawing goes on from the start, as cairo does
        }
        break;
    }
  }
  std::erase_if(out, [](const Polyline& l) { return l.points.size() < 2; });
  return out;
}

}  // namespace plx::pictures
