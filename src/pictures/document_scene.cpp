#include "pictures/document_scene.hpp"

#include <algorithm>
#include <limits>

#include "common/error.hpp"
#include "pictures/math_scene.hpp"
#include "pictures/shape_scene.hpp"

namespace plx::pictures {
namespace {

constexpr double kTableBorder = 0.5;
// The white border around a cut-out selection, in points.
constexpr double kMargin = 4;

void AddTableBorders(Scene& scene, docif::Document& doc, int page, double dx, double dy) {
  auto tables = doc.GetTables();
  for (int i = 1; i <= tables->Count(); ++i) {
    auto table = tables->Item(i);
    if (!table->BordersEnabled()) continue;
    for (const docif::CellBox& box : table->CellBoxes()) {
      if (box.page != page) continue;
      Path p;
      p.stroke.width = kTableBorder;
      p.Rectangle(box.left + dx, box.top + dy, box.width, box.height);
      scene.Add(std::move(p));
    }
  }
}

// An inline picture where the layout puts it: its top left at its
// character's line top.
struct PlacedPicture {
  int page = 1;
  double left = 0, top = 0, width = 0, height = 0;
  std::shared_ptr<docif::InlineShape> shape;
};

std::vector<PlacedPicture> InlinePictures(docif::Range& range) {
  std::vector<PlacedPicture> out;
  auto pictures = range.GetInlineShapes();
  for (int i = 1; i <= pictures->Count(); ++i) {
    auto picture = pictures->Item(i);
    if (picture->Type() != docif::kInlineShapePicture) continue;
    docif::RangePtr at = picture->GetRange();
    out.push_back({static_cast<int>(at->Information(docif::kActiveEndPageNumber)),
                   at->Information(docif::kHorizontalPositionRelativeToPage),
                   at->Information(docif::kVerticalPositionRelativeToPage), picture->Width(), picture->Height(),
                   picture});
  }
  return out;
}

// The pictures on `page`, moved by (dx, dy). The text of a line that holds
// a picture stands on the picture's bottom, as word processors set it,
// rather than in the middle of the tall line.
void AddInlinePictures(Scene& scene, const std::vector<PlacedPicture>& pictures, std::vector<docif::LaidText>& pieces,
                       int page, double dx, double dy) {
  for (const PlacedPicture& p : pictures) {
    if (p.page != page) continue;
    scene.Add(ImageOf(p.shape->Picture(), p.left + dx, p.top + dy, p.width, p.height));
    for (docif::LaidText& piece : pieces) {
      const double size = piece.font.Size.value_or(10.5);
      const double baseline = p.top + p.height - 0.2 * size;
      if (piece.page == page && piece.top == p.top && Baseline(piece.top, piece.lineHeight, size) < baseline)
        piece.lineHeight = LineHeightFor(piece.top, baseline, size);
    }
  }
}

// The page a floating shape stands on: its anchor paragraph's.
int ShapePage(docif::Shape& shape, bool onePage) {
  if (onePage) return 1;
  docif::RangePtr anchor = shape.Anchor();
  return anchor ? static_cast<int>(anchor->Information(docif::kActiveEndPageNumber)) : 1;
}

struct Extent {
  double left = std::numeric_limits<double>::max(), top = left, right = -left, bottom = -left;
  void Take(double l, double t, double r, double b) {
    left = std::min(left, l);
    top = std::min(top, t);
    right = std::max(right, r);
    bottom = std::max(bottom, b);
  }
  bool Empty() const { return right < left; }
};

// The room a shape's outline takes beyond its box: half the line, and
// the arrowheads.
double Overhang(docif::Shape& shape) {
  const docif::LineFormat line = shape.Line();
  const double w = line.Weight.value_or(0.75);
  const bool arrows = line.BeginArrowheadStyle.value_or(1) > 1 || line.EndArrowheadStyle.value_or(1) > 1;
  return w / 2 + (arrows ? 5 * std::max(w, 1.0) / 2 : 0);
}

Scene ShapesScene(docif::ShapeRange& shapes) {
  Extent e;
  for (int i = 1; i <= shapes.Count(); ++i) {
    auto s = shapes.Item(i);
    const double o = Overhang(*s);
    e.Take(s->Left() - o, s->Top() - o, s->Left() + s->Width() + o, s->Top() + s->Height() + o);
  }
  Scene scene;
  const double dx = kMargin - e.left, dy = kMargin - e.top;
  scene.width = e.right - e.left + 2 * kMargin;
  scene.height = e.bottom - e.top + 2 * kMargin;
  for (int i = 1; i <= shapes.Count(); ++i) AddShape(scene, *shapes.Item(i), dx, dy);
  return scene;
}

Scene TextScene(docif::Range& range) {
  auto pieces = range.LaidOut();
  const std::vector<PlacedPicture> pictures = InlinePictures(range);
  if (pieces.empty() && pictures.empty())
    Raise(err::kInvalidCall, L"所选内容中没有可以保存为图片的文字或图形。");
  const int page = pieces.empty() ? pictures.front().page : pieces.front().page;
  std::erase_if(pieces, [&](const docif::LaidText& p) { return p.page != page; });
  Extent e;
  for (const auto& p : pieces) e.Take(p.left, p.top, p.left + p.width, p.top + p.lineHeight);
  for (const auto& p : pictures)
    if (p.page == page) e.Take(p.left, p.top, p.left + p.width, p.top + p.height);
  Scene scene;
  scene.width = e.right - e.left + 2 * kMargin;
  scene.height = e.bottom - e.top + 2 * kMargin;
  AddInlinePictures(scene, pictures, pieces, page, kMargin - e.left, kMargin - e.top);
  AddTypesetMath(scene, range, pieces, kMargin - e.left, kMargin - e.top);
  // Glyphs wider than their layout slots must not be cut off at the right.
  const double right = AddLaidText(scene, pieces, kMargin - e.left, kMargin - e.top);
  scene.width = std::max(scene.width, right + kMargin);
  return scene;
}

}  // namespace

int PageCount(docif::Document& doc) {
  return static_cast<int>(doc.Content()->Information(docif::kNumberOfPagesInDocument));
}

Scene PageScene(docif::Document& doc, int page) {
  const int pages = PageCount(doc);
  if (page < 1 || page > pages)
    Raise(err::kInvalidCall, L"文档只有 " + std::to_wstring(pages) + L" 页，没有第 " + std::to_wstring(page) + L" 页。");
  const docif::PageSetup setup = doc.PageSetup();
  Scene scene;
  scene.width = setup.PageWidth;
  scene.height = setup.PageHeight;
  // Shapes behind the text first, then the text and tables, then the rest.
  auto shapes = doc.GetShapes();
  std::vector<docif::ShapePtr> behind, front;
  for (int i = 1; i <= shapes->Count(); ++i) {
    auto s = shapes->Item(i);
    if (ShapePage(*s, pages == 1) != page) continue;
    (s->Wrap().Type.value_or(3) == 5 ? behind : front).push_back(s);
  }
  for (auto& s : behind) AddShape(scene, *s, 0, 0);
  auto content = doc.Content();
  auto pieces = content->LaidOut();
  std::erase_if(pieces, [&](const docif::LaidText& p) { return p.page != page; });
  AddInlinePictures(scene, InlinePictures(*content), pieces, page, 0, 0);
  AddTypesetMath(scene, *content, pieces, 0, 0);
  AddLaidText(scene, pieces, 0, 0);
  AddTableBorders(scene, doc, page, 0, 0);
  for (auto& s : front) AddShape(scene, *s, 0, 0);
  return scene;
}

Scene SelectionScene(docif::Selection& selection) {
  if (selection.Type() == docif::kSelectionShape) {
    auto shapes = selection.GetShapeRange();
    if (shapes && shapes->Count() > 0) return ShapesScene(*shapes);
  }
  if (selection.Start() == selection.End()) Raise(err::kInvalidCall, L"请先选中要保存为图片的图形或文字。");
  return TextScene(selection);
}

}  // namespace plx::pictures
