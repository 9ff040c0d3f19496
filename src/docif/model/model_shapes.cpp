#include "docif/model/model_shapes.hpp"

#include "common/error.hpp"
#include "docif/model/picture_info.hpp"
#include "docif/model/shape_geometry.hpp"
#include "platform/codepage.hpp"

namespace plx::docif::model {
namespace {

const wchar_t* DefaultNameText(const ShapeData& s) {
  switch (s.type) {
    case kShapeLine: return L"Line";
    case kShapeTextBox: return L"Text Box";
    case kShapeFreeform: return L"Freeform";
    case kShapePicture: return L"Picture";
    case kShapeGroup: return L"Group";
    default: break;
  }
  if (s.autoShape == kAutoShapeOval) return L"Oval";
  if (s.autoShape == kAutoShapeRectangle) return L"Rectangle";
  return L"AutoShape";
}

ShapeDataPtr NewShape(int type, bool filled) {
  auto s = std::make_shared<ShapeData>();
  s->type = type;
  s->line = {.Visible = true, .Weight = 0.75, .ForeColor = 0, .DashStyle = 1,
             .BeginArrowheadStyle = 1, .BeginArrowheadLength = 2, .BeginArrowheadWidth = 2,
             .EndArrowheadStyle = 1, .EndArrowheadLength = 2, .EndArrowheadWidth = 2};
  s->fill = {.Visible = filled, .ForeColor = 0xFFFFFF, .BackColor = 0xFFFFFF, .Transparency = 0.0,
             .Pattern = 0, .PictureFile = std::nullopt};
  s->wrap = {.AllowOverlap = true, .Type = 3};
  s->frame = {.MarginLeft = 7.2, .MarginRight = 7.2, .MarginTop = 3.6, .MarginBottom = 3.6,
              .Orientation = 1};
  return s;
}

ShapeDataPtr NewBox(int type, int autoShape, double left, double top, double width, double height) {
  auto s = NewShape(type, true);
  s->autoShape = autoShape;
  s->left = left;
  s->top = top;
  s->width = width;
  s->height = height;
  return s;
}

class ModelFreeformBuilder final : public FreeformBuilder {
 public:
  ModelFreeformBuilder(std::shared_ptr<DocData> doc, float x, float y) : doc_(std::move(doc)) {
    data_ = NewShape(kShapeFreeform, false);
    data_->points.push_back({x, y});
  }
  void AddNodes(int segmentType, int, float x, float y) override {
    data_->points.push_back({x, y});
    data_->segments.push_back(segmentType);
  }
  ShapePtr ConvertToShape() override {
    if (data_->points.size() < 2) Raise(err::kInvalidCall, L"任意多边形至少需要两个节点。");
    data_->fill.Visible = data_->points.front() == data_->points.back();  // closed shapes are filled
    return AddShapeData(doc_, data_);
  }

 private:
  std::shared_ptr<DocData> doc_;
  ShapeDataPtr data_;
};

void Collect(const std::vector<ShapeDataPtr>& list, std::vector<ShapeDataPtr>& out) {
  for (const auto& s : list) {
    out.push_back(s);
    Collect(s->children, out);
  }
}

}  // namespace

std::wstring DefaultNameOf(const ShapeData& s) { return DefaultNameText(s); }

std::vector<ShapeDataPtr> AllShapes(const DocData& doc) {
  std::vector<ShapeDataPtr> out;
  Collect(doc.shapes, out);
  return out;
}

ShapePtr AddShapeData(const std::shared_ptr<DocData>& doc, ShapeDataPtr data) {
  Box b = Bounds(*data);
  data->origWidth = b.width;
  data->origHeight = b.height;
  data->name = DefaultNameOf(*data) + L" " + std::to_wstring(doc->nextShapeNumber++);
  long pos = 0;
  if (doc->selection && doc->selectionStory == doc->main) pos = doc->selection->start;
  data->anchor = doc->main->MakeParagraphAnchor(pos);
  doc->shapes.push_back(data);
  doc->Changed();
  return std::make_shared<ModelShape>(doc, data);
}

ShapePtr AddPictureShape(const std::shared_ptr<DocData>& doc, InlineObject picture, double left,
                         double top, long anchorPos) {
  auto s = NewShape(kShapePicture, false);
  s->line.Visible = picture.borders;
  s->left = left;
  s->top = top;
  s->width = picture.width;
  s->height = picture.height;
  s->rotation = picture.rotation;
  s->altText = picture.altText;
  s->effects = std::move(picture.effects);
  picture.effects.clear();
  s->picture = std::move(picture);
  ShapePtr shape = AddShapeData(doc, s);
  s->anchor = doc->main->MakeParagraphAnchor(anchorPos);
  return shape;
}

ShapePtr ModelShapes::Item(int index) const {
  if (index < 1 || index > Count()) Raise(err::kInvalidCall, L"所要求的集合成员不存在。");
  return std::make_shared<ModelShape>(doc_, doc_->shapes[index - 1]);
}

ShapePtr ModelShapes::Item(const std::wstring& name) const {
  for (const auto& s : AllShapes(*doc_))
    if (s->name == name) return std::make_shared<ModelShape>(doc_, s);
  Raise(err::kInvalidCall, L"找不到名为“" + name + L"”的图形。");
}

ShapePtr ModelShapes::AddLine(float beginX, float beginY, float endX, float endY) {
  auto s = NewShape(kShapeLine, false);
  s->points = {{beginX, beginY}, {endX, endY}};
  ShapePtr shape = AddShapeData(doc_, s);
  if (doc_->defaultLine) shape->SetLine(*doc_->defaultLine);
  return shape;
}

ShapePtr ModelShapes::AddShape(int autoShapeType, float left, float top, float width, float height) {
  auto s = NewBox(kShapeAutoShape, autoShapeType, left, top, width, height);
  s->text = std::make_shared<Story>();  // an auto shape can hold text, as a text box does
  ShapePtr shape = AddShapeData(doc_, s);
  if (doc_->defaultShape) {
    shape->SetLine(doc_->defaultShape->line);
    shape->SetFill(doc_->defaultShape->fill);
  }
  return shape;
}

ShapePtr ModelShapes::AddTextbox(int orientation, float left, float top, float width, float height) {
  auto s = NewBox(kShapeTextBox, kAutoShapeRectangle, left, top, width, height);
  s->frame.Orientation = orientation;
  s->text = std::make_shared<Story>();
  return AddShapeData(doc_, s);
}

ShapePtr ModelShapes::AddCurve(const std::vector<PointF>& points) {
  if (points.size() < 4 || (points.size() - 1) % 3 != 0)
    Raise(err::kInvalidCall, L"曲线的点数必须是 3k+1 个。");
  auto s = NewShape(kShapeFreeform, false);
  s->points = points;
  s->curve = true;
  return AddShapeData(doc_, s);
}

ShapePtr ModelShapes::AddPicture(const std::wstring& file, float left, float top, float width,
                                 float height) {
  InlineObject picture;
  picture.file = file;
  picture.bytes = ReadFileBytes(file);
  PictureInfo info = ReadPictureInfo(picture.bytes);
  if (info.contentType.empty()) Raise(err::kInvalidCall, L"无法识别的图片格式：" + file);
  picture.contentType = info.contentType;
  picture.width = width > 0 ? width : info.widthPoints;
  picture.height = height > 0 ? height : info.heightPoints;
  long pos = doc_->selection && doc_->selectionStory == doc_->main ? doc_->selection->start : 0;
  return AddPictureShape(doc_, std::move(picture), left, top, pos);
}

std::unique_ptr<FreeformBuilder> ModelShapes::BuildFreeform(int, float x1, float y1) {
  return std::make_unique<ModelFreeformBuilder>(doc_, x1, y1);
}

std::shared_ptr<ShapeRange> ModelShapes::Range(const std::vector<std::wstring>& names) {
  std::vector<ShapeDataPtr> items;
  for (const auto& name : names) {
    ShapeDataPtr found;
    for (const auto& s : doc_->shapes)
      if (s->name == name) found = s;
    if (!found) Raise(err::kInvalidCall, L"找不到名为“" + name + L"”的图形。");
    items.push_back(found);
  }
  return std::make_shared<ModelShapeRange>(doc_, items);
}

void ModelShapes::SelectAll() { doc_->selectedShapes = doc_->shapes; }

}  // namespace plx::docif::model
