#include "graph/preview/preview_canvas.hpp"

#include <cstdio>

#include "common/text.hpp"

namespace plx::graph {
namespace {

std::string Colour(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
  return buf;
}

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

std::string Escaped(const std::wstring& text) {
  std::string out;
  for (char c : WideToUtf8(text)) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

}  // namespace

void PreviewCanvas::Line(double x1, double y1, double x2, double y2, uint32_t color, double width, bool arrow) {
  Item item;
  item.kind = Item::Kind::Line;
  item.points = {{static_cast<float>(x1), static_cast<float>(y1)}, {static_cast<float>(x2), static_cast<float>(y2)}};
  item.color = color;
  item.width = width;
  item.arrow = arrow;
  items_.push_back(std::move(item));
}

void PreviewCanvas::Polyline(const std::vector<docif::PointF>& points, uint32_t color, double width) {
  if (points.size() < 2) return;
  Item item;
  item.kind = Item::Kind::Polyline;
  item.points = points;
  item.color = color;
  item.width = width;
  items_.push_back(std::move(item));
}

void PreviewCanvas::Text(double left, double top, const std::wstring& text, double size, bool italic,
                         const std::wstring& font) {
  Item item;
  item.kind = Item::Kind::Text;
  item.points = {{static_cast<float>(left), static_cast<float>(top)}};
  item.text = text;
  item.size = size;
  item.italic = italic;
  item.font = font;
  items_.push_back(std::move(item));
}

std::vector<std::wstring> PreviewCanvas::Texts() const {
  std::vector<std::wstring> texts;
  for (const Item& i : items_)
    if (i.kind == Item::Kind::Text) texts.push_back(i.text);
  return texts;
}

std::string PreviewCanvas::Svg() const {
  const std::string side = Num(kSide);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"320\" height=\"320\" viewBox=\"0 0 " + side +
                    " " + side + "\">\n<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" "
                    "markerWidth=\"5\" markerHeight=\"5\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 L3,5 z\"/>"
                    "</marker></defs>\n<rect width=\"" + side + "\" height=\"" + side + "\" fill=\"white\"/>\n";
  for (const Item& i : items_) {
    switch (i.kind) {
      case Item::Kind::Line:
        svg += "<line x1=\"" + Num(i.points[0].x) + "\" y1=\"" + Num(i.points[0].y) + "\" x2=\"" + Num(i.points[1].x) +
               "\" y2=\"" + Num(i.points[1].y) + "\" stroke=\"" + Colour(i.color) + "\" stroke-width=\"" +
               Num(i.width) + "\"" + (i.arrow ? " marker-end=\"url(#arrow)\"" : "") + "/>\n";
        break;
      case Item::Kind::Polyline: {
        std::string pts;
        for (const auto& p : i.points) pts += Num(p.x) + "," + Num(p.y) + " ";
        svg += "<polyline fill=\"none\" stroke=\"" + Colour(i.color) + "\" stroke-width=\"" + Num(i.width) +
               "\" points=\"" + pts + "\"/>\n";
        break;
      }
      case Item::Kind::Text:
        svg += "<text x=\"" + Num(i.points[0].x) + "\" y=\"" + Num(i.points[0].y + i.size) + "\" font-size=\"" +
               Num(i.size) + "\" font-family=\"" + Escaped(i.font) + "\"" +
               (i.italic ? " font-style=\"italic\"" : "") + ">" + Escaped(i.text) + "</text>\n";
        break;
    }
  }
  return svg + "</svg>\n";
}

}  // namespace plx::graph
