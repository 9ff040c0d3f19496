#include <cstring>

#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/layout.hpp"
#include "docif/model/model_range.hpp"
#include "docif/model/model_shapes.hpp"
#include "docif/model/picture_info.hpp"
#include "platform/codepage.hpp"

namespace plx::docif::model {

InlineObject& ModelInlineShape::Object() const {
  long p = ref_.anchor->start;
  if (ref_.anchor->end != p + 1 || ref_.story->Text()[p] != kInlineObject)
    Raise(err::kInvalidCall, L"该嵌入式图形已被删除。");
  auto it = ref_.doc->objects.find(ref_.story->Cell(p).object);
  if (it == ref_.doc->objects.end()) Raise(err::kInvalidCall, L"该嵌入式图形已被删除。");
  return it->second;
}

PictureData ModelInlineShape::Picture() const {
  const InlineObject& o = Object();
  if (o.type != kInlineShapePicture) return {};
  return PictureDataOf(o.bytes, o.contentType, o.rawXml);
}

void ModelInlineShape::SetWidth(double w) {
  Object().width = w;
  ref_.doc->Changed();
}

void ModelInlineShape::SetHeight(double h) {
  Object().height = h;
  ref_.doc->Changed();
}

void ModelInlineShape::SetBordersEnabled(bool on) {
  Object().borders = on;
  ref_.doc->Changed();
}

void ModelInlineShape::SetAlternativeText(const std::wstring& text) {
  Object().altText = text;
  ref_.doc->Changed();
}

void ModelInlineShape::AddPictureEffect(int type, double value) {
  Object().effects.emplace_back(type, value);
  ref_.doc->Changed();
}

RangePtr ModelInlineShape::GetRange() {
  Object();
  return MakeRange(ref_.doc, ref_.story, ref_.anchor->start, ref_.anchor->end);
}

std::shared_ptr<Shape> ModelInlineShape::ConvertToShape() {
  InlineObject object = Object();
  long p = ref_.anchor->start;
  double left = LayoutInformation(*ref_.doc, *ref_.story, p, kHorizontalPositionRelativeToPage);
  double top = LayoutInformation(*ref_.doc, *ref_.story, p, kVerticalPositionRelativeToPage);
  ref_.doc->objects.erase(ref_.story->Cell(p).object);
  ref_.story->Erase(p, p + 1);
  ShapePtr shape = AddPictureShape(ref_.doc, std::move(object), left, top, p);
  if (ref_.story == ref_.doc->main)
    static_cast<ModelShape&>(*shape).Data()->textPlace = ref_.story->MakeAnchor(p, p);
  return shape;
}

void ModelInlineShape::Select() {
  Object();
  MakeRange(ref_.doc, ref_.story, ref_.anchor->start, ref_.anchor->end)->Select();
}

void ModelInlineShape::Delete() {
  Object();
  long p = ref_.anchor->start;
  ref_.doc->objects.erase(ref_.story->Cell(p).object);
  ref_.story->Erase(p, p + 1);
  ref_.doc->Changed();
}

std::vector<long> ModelInlineShapes::Positions() const {
  std::vector<long> out;
  const Story& story = *scope_.story;
  for (long i = scope_.anchor->start; i < std::max(scope_.anchor->end, scope_.anchor->start + 1) &&
                                      i < story.Length(); ++i)
    if (story.Text()[i] == kInlineObject) out.push_back(i);
  return out;
}

std::shared_ptr<InlineShape> ModelInlineShapes::Item(int index) {
  auto positions = Positions();
  if (index < 1 || index > static_cast<int>(positions.size())) Raise(5941, L"集合所要求的成员不存在。");
  long p = positions[index - 1];
  return std::make_shared<ModelInlineShape>(RangeRef{scope_.doc, scope_.story, scope_.story->MakeAnchor(p, p + 1)});
}

std::shared_ptr<InlineShape> ModelInlineShapes::Insert(InlineObject object, const Range& at) {
  DocData& d = *scope_.doc;
  Story& story = *scope_.story;
  long s = at.Start();
  if (at.End() > s) s = story.Erase(s, at.End()).first;
  uint32_t id = d.nextObject++;
  d.objects[id] = std::move(object);
  CharCell cell = InsertionCell(story, s);
  cell.object = id;
  story.Insert(s, std::wstring(1, kInlineObject), cell);
  story.Cell(s).object = id;
  d.Changed();
  return std::make_shared<ModelInlineShape>(RangeRef{scope_.doc, scope_.story, story.MakeAnchor(s, s + 1)});
}

std::shared_ptr<InlineShape> ModelInlineShapes::AddPicture(const std::wstring& file, const Range& at) {
  InlineObject object;
  object.type = kInlineShapePicture;
  object.file = file;
  object.bytes = ReadFileBytes(file);
  PictureInfo info = ReadPictureInfo(object.bytes);
  if (info.contentType.empty()) Raise(err::kInvalidCall, L"无法识别的图片格式：" + file);
  object.contentType = info.contentType;
  object.width = info.widthPoints;
  object.height = info.heightPoints;
  return Insert(std::move(object), at);
}

std::shared_ptr<InlineShape> ModelInlineShapes::AddOLEObject(const std::wstring& classType, const Range& at) {
  InlineObject object;
  object.type = kInlineShapeEmbeddedOle;
  object.oleClass = classType;
  object.width = 30;
  object.height = 20;
  return Insert(std::move(object), at);
}

}  // namespace plx::docif::model
