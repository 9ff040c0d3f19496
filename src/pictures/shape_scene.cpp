#include "pictures/shape_scene.hpp"

#include <algorithm>
#include <cmath>
#include <memory>

#include "docif/model/symbol_fonts.hpp"
#include "pictures/math_scene.hpp"
#include "pictures/paragraph_looks.hpp"
#include "pictures/text_layout.hpp"

namespace plx::pictures {
namespace {

constexpr uint32_t kAutoColor = 0xFF000000u;
// A hairline outline (width 0, as LibreOffice saves its thinnest lines) is
// drawn as a line of this width, the thinnest that shows on paper and at
// the resolutions pictures are drawn at.
constexpr double kHairline = 0.5;

Stroke StrokeOf(const docif::LineFormat& l) {
  Stroke s;
  s.visible = l.Visible.value_or(true);
  s.width = l.Weight.value_or(0.75);
  if (s.width <= 0) s.width = kHairline;
  s.color = l.ForeColor.value_or(kBlack) & 0xFFFFFF;
  s.dash = l.DashStyle.value_or(1);
  s.begin = {l.BeginArrowheadStyle.value_or(1), l.BeginArrowheadLength.value_or(2), l.BeginArrowheadWidth.value_or(2)};
  s.end = {l.EndArrowheadStyle.value_or(1), l.EndArrowheadLength.value_or(2), l.EndArrowheadWidth.value_or(2)};
  return s;
}

Fill FillOf(const docif::FillFormat& f, bool filledByDefault) {
  Fill out;
  out.visible = f.Visible.value_or(filledByDefault);
  out.fore = f.ForeColor.value_or(kWhite) & 0xFFFFFF;
  out.back = f.BackColor.value_or(kWhite) & 0xFFFFFF;
  out.pattern = f.Pattern.value_or(0);
  out.transparency = f.Transparency.value_or(0);
  return out;
}

// The outline of an auto shape in its box.
void AutoShapeOutline(Path& p, int type, double l, double t, double w, double h) {
  switch (type) {
    case docif::kAutoShapeOval: p.Ellipse(l, t, w, h); break;
    case docif::kAutoShapeFlowchartDecision:
      p.MoveTo(l + w / 2, t);
      p.LineTo(l + w, t + h / 2);
      p.LineTo(l + w / 2, t + h);
      p.LineTo(l, t + h / 2);
      p.Close();
      break;
    case docif::kAutoShapeFlowchartData: {
      const double slant = w / 5;
      p.MoveTo(l + slant, t);
      p.LineTo(l + w, t);
      p.LineTo(l + w - slant, t + h);
      p.LineTo(l, t + h);
      p.Close();
      break;
    }
    case docif::kAutoShapeFlowchartTerminator: {
      // Straight top and bottom between two half ellipses.
      const double r = std::min(w / 2, h / 2);
      constexpr double k = 0.5522847498;
      p.MoveTo(l + r, t);
      p.LineTo(l + w - r, t);
      p.CurveTo({l + w - r + k * r, t}, {l + w, t + h / 2 - k * h / 2}, {l + w, t + h / 2});
      p.CurveTo({l + w, t + h / 2 + k * h / 2}, {l + w - r + k * r, t + h}, {l + w - r, t + h});
      p.LineTo(l + r, t + h);
      p.CurveTo({l + r - k * r, t + h}, {l, t + h / 2 + k * h / 2}, {l, t + h / 2});
      p.CurveTo({l, t + h / 2 - k * h / 2}, {l + r - k * r, t}, {l + r, t});
      p.Close();
      break;
    }
    default: p.Rectangle(l, t, w, h); break;
  }
}

// A line, curve or freeform from its nodes; a path that ends where it
// began is closed.
void NodeOutline(Path& p, const std::vector<docif::PointF>& nodes, bool bezier, double dx, double dy) {
  auto at = [&](size_t i) { return Point{nodes[i].x + dx, nodes[i].y + dy}; };
  p.MoveTo(at(0).x, at(0).y);
  size_t i = 1;
  if (bezier)
    for (; i + 2 < nodes.size(); i += 3) p.CurveTo(at(i), at(i + 1), at(i + 2));
  for (; i < nodes.size(); ++i) p.LineTo(at(i).x, at(i).y);
  if (nodes.size() > 2 && nodes.front() == nodes.back()) p.Close();
}

// East Asian vertical text: the runs (laid out across the box, to be turned
// a quarter clockwise with it) are cut into characters, and each ideograph
// or full-width sign is turned back about its own middle, so that it
// stands upright in the column; other characters lie along the column.
void StandUpright(Scene& scene, size_t first) {
  const TextMeasure measure;
  std::vector<Item> items(scene.items.begin() + static_cast<long>(first), scene.items.end());
  scene.items.resize(first);
  for (const Item& item : items) {
    if (item.kind != Item::Kind::Text || item.text.text.size() < 2) {
      scene.items.push_back(item);
      continue;
    }
    const Text& run = item.text;
    const std::vector<double> starts = measure.CharacterStarts(run);
    for (size_t i = 0; i < run.text.size(); ++i) {
      Text one = run;
      one.text = run.text.substr(i, 1);
      one.left = run.left + starts[i];
      if (one.clip) {
        one.clip->left -= starts[i];
        one.clip->right -= starts[i];
      }
      const double middle = one.left + (starts[i + 1] - starts[i]) / 2, height = run.baseline - 0.35 * run.font.size;
      if (run.text[i] >= 0x2E80) {
        one.clip.reset();  // the cut lies across the column, not across the upright sign
        scene.Add(std::move(one), -90, middle, height);
      } else {
        scene.Add(std::move(one));
      }
    }
  }
}

// A text box's text, laid out by the page's rule from the box's inner top
// left: the text story's pieces stand where they would from the page
// margins' corner; centred and right-aligned lines stand so within the
// box. Text that runs down the box (upward, downward or East Asian
// vertical) is laid out across the box turned a quarter, then turned with
// it; the shape's own turn comes last.
void AddBoxText(Scene& scene, docif::Shape& shape, double rotation, double cx, double cy) {
  docif::RangePtr text = shape.TextRange();
  if (!text) return;
  const docif::TextFrameFormat frame = shape.TextFrame();
  auto pieces = text->LaidOut();
  if (pieces.empty()) return;
  const int orientation = frame.Orientation.value_or(1);
  const bool down = orientation == 2 || orientation == 3 || orientation == 5;
  const double width = down ? shape.Height() : shape.Width(), height = down ? shape.Width() : shape.Height();
  // The pieces' first line is the origin of the story's layout.
  double originX = pieces.front().left, originY = pieces.front().top;
  for (const auto& p : pieces) originX = std::min(originX, p.left);
  const double left = cx - width / 2 + frame.MarginLeft.value_or(7.2);
  const double top = cy - height / 2 + frame.MarginTop.value_or(3.6);
  const double right = cx + width / 2 - frame.MarginRight.value_or(7.2);
  std::vector<docif::LaidText> shown;
  for (const auto& p : pieces) {
    if (p.page != pieces.front().page) break;  // text beyond the box's first page of layout is not shown
    docif::LaidText q = p;
    const double size = p.font.Size.value_or(10.5);
    q.left = left + p.left - originX;
    // Inside a box lines take their natural height: the page grid does not reach into it.
    q.lineHeight = 1.2 * size;
    q.top = top + (p.top - originY) * q.lineHeight / std::max(p.lineHeight, q.lineHeight);
    shown.push_back(std::move(q));
  }
  std::vector<LineItem> none;
  AlignPieces(shown, none, ParagraphLooks(*text), [&](const LineItem&) { return right; });
  const size_t first = scene.items.size();
  AddTypesetMath(scene, *text, shown, 0, 0);
  AddLaidText(scene, shown, 0, 0);
  // The box shows its lines only between its top and bottom margins (a
  // line that runs past its sides is wrapped by the word processor, not cut).
  const double bottom = cy + height / 2 - frame.MarginBottom.value_or(3.6);
  constexpr double kUncut = 1e6;
  for (size_t i = first; i < scene.items.size(); ++i) {
    Text& t = scene.items[i].text;
    if (scene.items[i].kind == Item::Kind::Text) t.clip = Clip{-kUncut, top - t.baseline, kUncut, bottom - t.baseline};
  }
  if (orientation == 5) StandUpright(scene, first);
  scene.Turn(first, (orientation == 2 ? -90 : down ? 90 : 0) + rotation, cx, cy);
}

}  // namespace

double Baseline(double top, double lineHeight, double size) { return top + lineHeight / 2 + 0.36 * size; }

double LineHeightFor(double top, double baseline, double size) { return 2 * (baseline - 0.36 * size - top); }

Font FontOf(const docif::FontFormat& f) {
  Font out;
  out.latin = f.NameAscii.value_or(f.Name.value_or(out.latin));
  out.eastAsian = f.NameFarEast.value_or(out.eastAsian);
  out.size = f.Size.value_or(10.5);
  if (f.Superscript.value_or(false) || f.Subscript.value_or(false)) out.size *= 2.0 / 3;
  out.bold = f.Bold.value_or(false);
  out.italic = f.Italic.value_or(false);
  out.underline = f.Underline.value_or(0) != 0;
  const uint32_t color = f.Color.value_or(kAutoColor);
  out.color = color == kAutoColor ? kBlack : color & 0xFFFFFF;
  return out;
}

Text RunOf(const docif::LaidText& piece) {
  Text t;
  t.font = FontOf(piece.font);
  t.text = piece.text;
  for (wchar_t& c : t.text)
    if (docif::model::IsPrivateUse(c))
      if (auto sign = docif::model::SymbolFontCharacter(t.font.latin, c)) c = *sign;
  return t;
}

Image ImageOf(docif::PictureData data, double left, double top, double width, double height) {
  Image image;
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
  image.bytes = std::make_shared<const std::string>(std::move(data.bytes));
  image.contentType = std::move(data.contentType);
  image.cropLeft = data.cropLeft;
  image.cropTop = data.cropTop;
  image.cropRight = data.cropRight;
  image.cropBottom = data.cropBottom;
  return image;
}

double AddLaidText(Scene& scene, const std::vector<docif::LaidText>& pieces, double dx, double dy) {
  // The layout rule gives a Latin character half an em, but proportional
  // glyphs are often wider: a run that follows another on its line starts
  // where the one before really ends, so no two runs are drawn over each
  // other (a subscript after its letter, "x" after "{"). A sub- or
  // superscript, and the run after one, start right where the run before
  // ends, as they are set closer than the layout's half an em
  // ("x²", not "x ²").
  const TextMeasure measure;
  const docif::LaidText* before = nullptr;
  double drawnEnd = 0, right = 0;
  for (const auto& p : pieces) {
    if (p.font.Hidden.value_or(false)) continue;
    Text t = RunOf(p);
    t.left = p.left + dx;
    const bool follows = before && before->page == p.page && before->top == p.top &&
                         std::abs(before->left + before->width - p.left) < 0.01;
    const bool script = p.font.Superscript.value_or(false) || p.font.Subscript.value_or(false);
    const bool afterScript =
        before && (before->font.Superscript.value_or(false) || before->font.Subscript.value_or(false));
    if (follows) t.left = script || afterScript ? drawnEnd : std::max(t.left, drawnEnd);
    const double size = p.font.Size.value_or(10.5);
    t.baseline = Baseline(p.top + dy, p.lineHeight, size);
    if (p.font.Superscript.value_or(false)) t.baseline -= size / 3;
    if (p.font.Subscript.value_or(false)) t.baseline += size / 6;
    t.baseline -= p.font.Position.value_or(0);
    drawnEnd = t.left + measure.Measure(t).width;
    right = std::max(right, drawnEnd);
    before = &p;
    scene.Add(std::move(t));
  }
  return right;
}

void AddShape(Scene& scene, docif::Shape& shape, double dx, double dy) {
  const int type = shape.Type();
  if (type == docif::kShapeGroup) {
    const size_t first = scene.items.size();
    auto items = shape.GroupItems();
    for (int i = 1; i <= items->Count(); ++i) AddShape(scene, *items->Item(i), dx, dy);
    scene.Turn(first, shape.Rotation(), shape.Left() + dx + shape.Width() / 2, shape.Top() + dy + shape.Height() / 2);
    return;
  }
  const double l = shape.Left() + dx, t = shape.Top() + dy, w = shape.Width(), h = shape.Height();
  const double rotation = shape.Rotation(), cx = l + w / 2, cy = t + h / 2;
  if (type == docif::kShapePicture) {
    scene.Add(ImageOf(shape.Picture(), l, t, w, h), rotation, cx, cy);
    return;
  }
  Path path;
  path.stroke = StrokeOf(shape.Line());
  const std::vector<docif::PointF> nodes = shape.Points();
  if (nodes.size() >= 2) {
    NodeOutline(path, nodes, shape.BezierNodes(), dx, dy);
  } else if (type == docif::kShapeLine) {
    path.MoveTo(l, t);
    path.LineTo(l + w, t + h);
  } else {
    AutoShapeOutline(path, type == docif::kShapeAutoShape ? shape.AutoShapeType() : docif::kAutoShapeRectangle, l, t, w, h);
  }
  const bool closed = std::find(path.ops.begin(), path.ops.end(), Path::Op::Close) != path.ops.end();
  if (closed) path.fill = FillOf(shape.Fill(), type == docif::kShapeAutoShape || type == docif::kShapeTextBox);
  scene.Add(std::move(path), rotation, cx, cy);
  if (shape.HasTextFrame()) AddBoxText(scene, shape, rotation, cx, cy);
}

}  // namespace plx::pictures
