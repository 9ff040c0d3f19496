#include <algorithm>
#include <cmath>

#include "common/error.hpp"
#include "docif/model/anchored_shapes.hpp"
#include "docif/model/model_range.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/model/shape_geometry.hpp"

namespace plx::docif::model {
namespace {

template <class T>
void Set(std::optional<T>& slot, const std::optional<T>& value) {
  if (value) slot = value;
}

std::vector<ShapeDataPtr>& Siblings(DocData& doc, ShapeData& s) {
  return s.parent ? s.parent->children : doc.shapes;
}

}  // namespace

ShapeData& ModelShape::Live() const {
  if (d_->deleted) Raise(err::kInvalidCall, L"该图形已被删除。");
  FollowParagraphs(*doc_);
  return *d_;
}

PictureData ModelShape::Picture() const {
  const ShapeData& d = Live();
  if (!d.picture) return {};
  const std::string& markup = d.kept && !d.kept->blipFill.empty() ? d.kept->blipFill : d.picture->rawXml;
  return PictureDataOf(d.picture->bytes, d.picture->contentType, markup);
}

void ModelShape::SetName(const std::wstring& name) {
  Live();
  for (const auto& other : AllShapes(*doc_))
    if (other != d_ && other->name == name) Raise(err::kInvalidCall, L"图形名称“" + name + L"”已被使用。");
  d_->name = name;
  doc_->Changed();
}

void ModelShape::SetLeft(double v) {
  Translate(Live(), v - Left(), 0);
  doc_->Changed();
}

void ModelShape::SetTop(double v) {
  Translate(Live(), 0, v - Top());
  doc_->Changed();
}

void ModelShape::SetWidth(double v) {
  Box b = Bounds(Live());
  if (b.width > 0) ScaleAbout(*d_, v / b.width, 1, b.left, b.top);
  else d_->width = v;
  doc_->Changed();
}

void ModelShape::SetHeight(double v) {
  Box b = Bounds(Live());
  if (b.height > 0) ScaleAbout(*d_, 1, v / b.height, b.left, b.top);
  else d_->height = v;
  doc_->Changed();
}

void ModelShape::SetRotation(double v) {
  double r = std::fmod(v, 360.0);
  Live().rotation = r < 0 ? r + 360 : r;
  doc_->Changed();
}

void ModelShape::SetRelativeVerticalPosition(int reference) {
  if (reference != kRelativeVerticalPositionPage && reference != kRelativeVerticalPositionParagraph)
    Raise(err::kInvalidCall, L"图形的纵向位置只能相对于页面或段落。");
  ShapeData& s = Live();
  const bool byParagraph = reference == kRelativeVerticalPositionParagraph;
  // From now on the shape keeps its distance from where its paragraph is now.
  if (byParagraph && !s.paragraphRelative && s.anchor) s.paragraphTop = ParagraphTop(*doc_, s.anchor->start);
  s.paragraphRelative = byParagraph;
  doc_->Changed();
}

void ModelShape::ScaleWidth(double factor, bool relativeToOriginal, int scaleFrom) {
  Box b = Bounds(Live());
  double f = relativeToOriginal && d_->origWidth > 0 && b.width > 0 ? d_->origWidth * factor / b.width : factor;
  ScaleAbout(*d_, f, 1, AnchorCoordinate(b.left, b.width, scaleFrom), b.top);
  doc_->Changed();
}

void ModelShape::ScaleHeight(double factor, bool relativeToOriginal, int scaleFrom) {
  Box b = Bounds(Live());
  double f = relativeToOriginal && d_->origHeight > 0 && b.height > 0 ? d_->origHeight * factor / b.height : factor;
  ScaleAbout(*d_, 1, f, b.left, AnchorCoordinate(b.top, b.height, scaleFrom));
  doc_->Changed();
}

void ModelShape::SetLine(const LineFormat& f) {
  LineFormat& l = Live().line;
  Set(l.Visible, f.Visible);
  Set(l.Weight, f.Weight);
  Set(l.ForeColor, f.ForeColor);
  Set(l.DashStyle, f.DashStyle);
  Set(l.BeginArrowheadStyle, f.BeginArrowheadStyle);
  Set(l.BeginArrowheadLength, f.BeginArrowheadLength);
  Set(l.BeginArrowheadWidth, f.BeginArrowheadWidth);
  Set(l.EndArrowheadStyle, f.EndArrowheadStyle);
  Set(l.EndArrowheadLength, f.EndArrowheadLength);
  Set(l.EndArrowheadWidth, f.EndArrowheadWidth);
  if (f.ForeColor && !f.Visible) l.Visible = true;  // giving a line a colour shows it
  for (auto& c : d_->children) ModelShape(doc_, c).SetLine(f);
  doc_->Changed();
}

void ModelShape::SetFill(const FillFormat& f) {
  FillFormat& fill = Live().fill;
  Set(fill.Visible, f.Visible);
  Set(fill.ForeColor, f.ForeColor);
  Set(fill.BackColor, f.BackColor);
  Set(fill.Transparency, f.Transparency);
  Set(fill.Pattern, f.Pattern);
  Set(fill.PictureFile, f.PictureFile);
  if ((f.ForeColor || f.Pattern) && !f.Visible) fill.Visible = true;
  for (auto& c : d_->children) ModelShape(doc_, c).SetFill(f);
  doc_->Changed();
}

void ModelShape::SetWrap(const WrapFormat& f) {
  Set(Live().wrap.AllowOverlap, f.AllowOverlap);
  Set(d_->wrap.Type, f.Type);
  doc_->Changed();
}

void ModelShape::SetTextFrame(const TextFrameFormat& f) {
  TextFrameFormat& t = Live().frame;
  Set(t.MarginLeft, f.MarginLeft);
  Set(t.MarginRight, f.MarginRight);
  Set(t.MarginTop, f.MarginTop);
  Set(t.MarginBottom, f.MarginBottom);
  Set(t.Orientation, f.Orientation);
  doc_->Changed();
}

RangePtr ModelShape::TextRange() {
  if (!Live().text) return nullptr;
  return MakeRange(doc_, d_->text, 0, d_->text->Length() - 1);
}

void ModelShape::SetAlternativeText(const std::wstring& t) {
  Live().altText = t;
  doc_->Changed();
}

void ModelShape::AddPictureEffect(int type, double value) {
  Live().effects.emplace_back(type, value);
  doc_->Changed();
}

void ModelShape::SetShapesDefaultProperties() {
  const ShapeData& s = Live();
  if (s.type == kShapeLine) doc_->defaultLine = s.line;
  else doc_->defaultShape = ShapeDefault{s.line, s.fill};
  doc_->Changed();
}

void ModelShape::ZOrder(int command) {
  ShapeData& s = Live();
  if (command == kBringInFrontOfText) {
    s.wrap.Type = 3;
    return;
  }
  if (command == kSendBehindText) {
    s.wrap.Type = 5;
    return;
  }
  auto& list = Siblings(*doc_, s);
  auto it = std::find(list.begin(), list.end(), d_);
  if (it == list.end()) return;
  size_t i = static_cast<size_t>(it - list.begin());
  list.erase(it);
  size_t to = i;
  if (command == kBringToFront) to = list.size();
  else if (command == kSendToBack) to = 0;
  else if (command == kBringForward) to = std::min(i + 1, list.size());
  else if (command == kSendBackward) to = i > 0 ? i - 1 : 0;
  list.insert(list.begin() + static_cast<long>(to), d_);
  doc_->Changed();
}

RangePtr ModelShape::Anchor() {
  ShapeData* top = &Live();
  while (top->parent) top = top->parent;
  long pos = top->anchor ? top->anchor->start : 0;
  auto [s, e] = doc_->main->ParagraphAt(pos);
  return MakeRange(doc_, doc_->main, s, e);
}

std::shared_ptr<ShapeRange> ModelShape::GroupItems() {
  if (Live().type != kShapeGroup) Raise(err::kInvalidCall, L"此图形不是组合。");
  return std::make_shared<ModelShapeRange>(doc_, d_->children);
}

std::shared_ptr<ShapeRange> ModelShape::Ungroup() {
  if (Live().type != kShapeGroup || d_->parent) Raise(err::kInvalidCall, L"此图形不是组合。");
  auto& list = doc_->shapes;
  auto it = std::find(list.begin(), list.end(), d_);
  std::vector<ShapeDataPtr> items = d_->children;
  for (auto& c : items) {
    c->parent = nullptr;
    c->anchor = d_->anchor;
    c->paragraphRelative = d_->paragraphRelative;
    c->paragraphTop = d_->paragraphTop;
  }
  it = list.erase(it);
  list.insert(it, items.begin(), items.end());
  d_->children.clear();
  d_->deleted = true;
  std::erase(doc_->selectedShapes, d_);
  doc_->Changed();
  return std::make_shared<ModelShapeRange>(doc_, items);
}

void ModelShape::Select(bool replace) {
  Live();
  if (replace) doc_->selectedShapes.clear();
  if (std::find(doc_->selectedShapes.begin(), doc_->selectedShapes.end(), d_) == doc_->selectedShapes.end())
    doc_->selectedShapes.push_back(d_);
  doc_->inlineSelected = false;
}

void ModelShape::Delete() {
  ShapeData& s = Live();
  std::erase(Siblings(*doc_, s), d_);
  std::erase(doc_->selectedShapes, d_);
  s.deleted = true;
  doc_->Changed();
}

std::shared_ptr<InlineShape> ModelShape::ConvertToInlineShape() {
  ShapeData& s = Live();
  if (s.type != kShapePicture || !s.picture) Raise(err::kInvalidCall, L"只有图片可以转换为嵌入式图形。");
  InlineObject object = *s.picture;
  Box b = Bounds(s);
  object.width = b.width;
  object.height = b.height;
  object.rotation = s.rotation;
  object.altText = s.altText;
  object.effects = s.effects;
  // A picture that came from the text goes back to its place there while
  // that place is still in its anchor's paragraph; any other picture goes
  // to the start of that paragraph.
  long pos = s.anchor ? s.anchor->start : 0;
  if (s.textPlace && doc_->main->ParagraphAt(s.textPlace->start).first == pos)
    pos = s.textPlace->start;
  Delete();
  uint32_t id = doc_->nextObject++;
  doc_->objects[id] = std::move(object);
  CharCell cell = InsertionCell(*doc_->main, pos);
  cell.object = id;
  doc_->main->Insert(pos, std::wstring(1, kInlineObject), cell);
  doc_->main->Cell(pos).object = id;
  return MakeRange(doc_, doc_->main, pos, pos + 1)->GetInlineShapes()->Item(1);
}

}  // namespace plx::docif::model
