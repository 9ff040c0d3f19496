#include "pictures/document_scene.hpp"

#include <algorithm>
#include <array>
#include <limits>

#include "common/error.hpp"
#include "pictures/math_scene.hpp"
#include "pictures/paragraph_looks.hpp"
#include "pictures/shape_scene.hpp"

namespace plx::pictures {
namespace {

constexpr double kTableBorder = 0.5;
// The white border around a cut-out selection, in points.
constexpr double kMargin = 4;

// A cell of the document's tables laid out on `page`, with the borders its
// table shows on each of its sides (top, left, bottom, right): the table's
// outer sides at its edges, the lines between rows and columns inside.
struct PageCell {
  docif::CellBox box;
  std::array<bool, 4> sides{};
};

// The cells of the tables on `page`, and of the tables in their cells.
void AddCells(std::vector<PageCell>& cells, docif::Tables& tables, int page) {
  for (int i = 1; i <= tables.Count(); ++i) {
    auto table = tables.Item(i);
    AddCells(cells, *table->NestedTables(), page);
    const std::vector<docif::CellBox> boxes = table->CellBoxes();
    if (boxes.empty()) continue;
    const bool on = table->BordersEnabled();
    auto visible = [&](int border) { return on && table->BorderVisible(border); };
    const bool top = visible(docif::kBorderTop), left = visible(docif::kBorderLeft),
               bottom = visible(docif::kBorderBottom), right = visible(docif::kBorderRight),
               between = visible(docif::kBorderHorizontal), across = visible(docif::kBorderVertical);
    const int lastRow = boxes.back().row;
    for (size_t b = 0; b < boxes.size(); ++b) {
      const docif::CellBox& box = boxes[b];
      if (box.page != page) continue;
      const bool lastInRow = b + 1 == boxes.size() || boxes[b + 1].row != box.row;
      cells.push_back({box,
                       {box.row == 1 ? top : between, box.column == 1 ? left : across,
                        box.row == lastRow ? bottom : between, lastInRow ? right : across}});
    }
  }
}

std::vector<PageCell> CellsOn(docif::Document& doc, int page) {
  std::vector<PageCell> cells;
  AddCells(cells, *doc.GetTables(), page);
  return cells;
}

// Each shown side once: a cell draws its top and left, and its bottom and
// right where no cell below or after it draws them.
void AddTableBorders(Scene& scene, const std::vector<PageCell>& cells, double dx, double dy) {
  auto line = [&](double x1, double y1, double x2, double y2) {
    Path p;
    p.stroke.width = kTableBorder;
    p.MoveTo(x1 + dx, y1 + dy);
    p.LineTo(x2 + dx, y2 + dy);
    scene.Add(std::move(p));
  };
  for (size_t i = 0; i < cells.size(); ++i) {
    const docif::CellBox& b = cells[i].box;
    const auto& s = cells[i].sides;
    const double right = b.left + b.width, bottom = b.top + b.height;
    const bool rowBelow = i + 1 < cells.size() && cells[i + 1].box.row != b.row && cells[i + 1].box.page == b.page;
    const bool cellAfter = i + 1 < cells.size() && cells[i + 1].box.row == b.row;
    if (s[0]) line(b.left, b.top, right, b.top);
    if (s[1]) line(b.left, b.top, b.left, bottom);
    if (s[2] && !rowBelow) line(b.left, bottom, right, bottom);
    if (s[3] && !cellAfter) line(right, b.top, right, bottom);
  }
}

// An inline picture where the layout puts it: its top left at its
// character's line top.
struct PlacedPicture {
  long start = 0;
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
    out.push_back({at->Start(), static_cast<int>(at->Information(docif::kActiveEndPageNumber)),
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

// The laid-out text of `page` (and its inline pictures) as the page shows
// it: list numbers drawn before their paragraphs, centred and right-aligned
// lines moved by their drawn width within the margins, or within their
// table cell. `pieces` are all the range's; those of other pages are
// dropped.
void ShowParagraphs(Scene& scene, docif::Document& doc, std::vector<docif::LaidText>& pieces,
                    std::vector<PlacedPicture>& pictures, const std::vector<PageCell>& cells, int page, double dx,
                    double dy) {
  long first = -1, last = -1;
  for (const auto& p : pieces)
    if (p.page == page) {
      first = first < 0 ? p.start : std::min(first, p.start);
      last = std::max(last, p.start + static_cast<long>(p.text.size()));
    }
  std::vector<ParagraphLook> looks;
  if (first >= 0) {
    looks = ParagraphLooks(*doc.GetRange(first, last));
    AddListNumbers(scene, pieces, looks, page, dx, dy);
  }
  std::erase_if(pieces, [&](const docif::LaidText& p) { return p.page != page; });
  std::erase_if(pictures, [&](const PlacedPicture& p) { return p.page != page; });
  std::vector<LineItem> others;
  for (const PlacedPicture& p : pictures) others.push_back({p.start, p.page, p.top, p.left, p.width, p.width});
  const docif::PageSetup setup = doc.PageSetup();
  AlignPieces(pieces, others, looks, [&](const LineItem& item) {
    for (const PageCell& cell : cells)
      if (item.left >= cell.box.left - 0.01 && item.left < cell.box.left + cell.box.width &&
          item.top >= cell.box.top - 0.01 && item.top < cell.box.top + cell.box.height)
        return cell.box.left + cell.box.width;
    return setup.PageWidth - setup.RightMargin;
  });
  for (size_t i = 0; i < pictures.size(); ++i) pictures[i].left = others[i].left;
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

// The floating shapes anchored in the range's paragraphs on `page` (a
// question's figures belong to its text).
std::vector<docif::ShapePtr> AnchoredShapes(docif::Document& doc, docif::Range& range, int page) {
  std::vector<docif::ShapePtr> out;
  auto shapes = doc.GetShapes();
  for (int i = 1; i <= shapes->Count(); ++i) {
    auto s = shapes->Item(i);
    docif::RangePtr anchor = s->Anchor();
    if (anchor && anchor->Start() >= range.Start() && anchor->Start() < std::max(range.End(), range.Start() + 1) &&
        ShapePage(*s, false) == page)
      out.push_back(s);
  }
  return out;
}

Scene TextScene(docif::Document& doc, docif::Range& range) {
  auto pieces = range.LaidOut();
  std::vector<PlacedPicture> pictures = InlinePictures(range);
  if (pieces.empty() && pictures.empty())
    Raise(err::kInvalidCall, L"所选内容中没有可以保存为图片的文字或图形。");
  const int page = pieces.empty() ? pictures.front().page : pieces.front().page;
  const std::vector<docif::ShapePtr> shapes = AnchoredShapes(doc, range, page);
  // Numbers and alignment are drawn into a scene of their own first: the
  // selection's extent is known only once its lines stand where they show.
  Scene numbers;
  ShowParagraphs(numbers, doc, pieces, pictures, CellsOn(doc, page), page, 0, 0);
  Extent e;
  for (const Item& item : numbers.items)
    e.Take(item.text.left, item.text.baseline - item.text.font.size, item.text.left, item.text.baseline);
  for (const auto& p : pieces) e.Take(p.left, p.top, p.left + p.width, p.top + p.lineHeight);
  for (const auto& p : pictures)
    if (p.page == page) e.Take(p.left, p.top, p.left + p.width, p.top + p.height);
  for (const auto& s : shapes) {
    const double o = Overhang(*s);
    e.Take(s->Left() - o, s->Top() - o, s->Left() + s->Width() + o, s->Top() + s->Height() + o);
  }
  Scene scene;
  scene.width = e.right - e.left + 2 * kMargin;
  scene.height = e.bottom - e.top + 2 * kMargin;
  for (const auto& s : shapes)
    if (s->Wrap().Type.value_or(3) == 5) AddShape(scene, *s, kMargin - e.left, kMargin - e.top);
  for (Item item : numbers.items) {
    item.text.left += kMargin - e.left;
    item.text.baseline += kMargin - e.top;
    scene.items.push_back(std::move(item));
  }
  AddInlinePictures(scene, pictures, pieces, page, kMargin - e.left, kMargin - e.top);
  AddTypesetMath(scene, range, pieces, kMargin - e.left, kMargin - e.top);
  // Glyphs wider than their layout slots must not be cut off at the right.
  const double right = AddLaidText(scene, pieces, kMargin - e.left, kMargin - e.top);
  scene.width = std::max(scene.width, right + kMargin);
  for (const auto& s : shapes)
    if (s->Wrap().Type.value_or(3) != 5) AddShape(scene, *s, kMargin - e.left, kMargin - e.top);
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
  std::vector<PlacedPicture> pictures = InlinePictures(*content);
  const std::vector<PageCell> cells = CellsOn(doc, page);
  ShowParagraphs(scene, doc, pieces, pictures, cells, page, 0, 0);
  AddInlinePictures(scene, pictures, pieces, page, 0, 0);
  AddTypesetMath(scene, *content, pieces, 0, 0);
  AddLaidText(scene, pieces, 0, 0);
  AddTableBorders(scene, cells, 0, 0);
  for (auto& s : front) AddShape(scene, *s, 0, 0);
  return scene;
}

Scene SelectionScene(docif::Document& doc, docif::Selection& selection) {
  if (selection.Type() == docif::kSelectionShape) {
    auto shapes = selection.GetShapeRange();
    if (shapes && shapes->Count() > 0) return ShapesScene(*shapes);
  }
  if (selection.Start() == selection.End()) Raise(err::kInvalidCall, L"请先选中要保存为图片的图形或文字。");
  return TextScene(doc, selection);
}

int SelectionPage(docif::Selection& selection) {
  if (selection.Type() == docif::kSelectionShape) {
    auto shapes = selection.GetShapeRange();
    if (shapes && shapes->Count() > 0) return ShapePage(*shapes->Item(1), false);
  }
  return static_cast<int>(selection.Information(docif::kActiveEndPageNumber));
}

}  // namespace plx::pictures
