// The interfaces of the presentation program over the model's data.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "common/error.hpp"
#include "common/text.hpp"
#include "slidehost/model/model_programs.hpp"
#include "slidehost/model/object_icon.hpp"
#include "slidehost/pptx/pptx_writer.hpp"

namespace plx::slides::model {

namespace {

std::string ReadWholeFile(const std::wstring& path) {
  std::ifstream in(WideToUtf8(path), std::ios::binary);
  if (!in) Raise(err::kFileNotFound, L"文件未找到：" + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring LowerExtension(const std::wstring& path) {
  auto dot = path.rfind(L'.');
  std::wstring ext = dot == std::wstring::npos ? L"" : path.substr(dot + 1);
  for (auto& c : ext) c = static_cast<wchar_t>(std::towlower(c));
  return ext;
}

}  // namespace

// What the program shares between its objects: the cut shape waiting for
// Paste, and the system clipboard.
struct ProgramState {
  Clipboard* clipboard = nullptr;
  std::shared_ptr<ShapeData> cut;
  std::vector<std::shared_ptr<PresentationData>> presentations;
  std::weak_ptr<PresentationData> active;
  bool visible = false;
};

class ModelShape final : public Shape {
 public:
  ModelShape(std::shared_ptr<ProgramState> program, std::shared_ptr<SlideData> slide,
             std::shared_ptr<ShapeData> shape)
      : program_(std::move(program)), slide_(std::move(slide)), d_(std::move(shape)) {}
  int Id() const override { return d_->id; }
  double Left() const override { return d_->left; }
  double Top() const override { return d_->top; }
  double Width() const override { return d_->width; }
  double Height() const override { return d_->height; }
  void SetLeft(double v) override { d_->left = v; }
  void SetTop(double v) override { d_->top = v; }
  void SetWidth(double v) override { d_->width = std::max(0.0, v); }
  void SetHeight(double v) override { d_->height = std::max(0.0, v); }
  void Cut() override {
    auto& shapes = slide_->shapes;
    auto it = std::find(shapes.begin(), shapes.end(), d_);
    if (it == shapes.end()) Raise(err::kInvalidCall, L"图形已不在幻灯片上。");
    shapes.erase(it);
    std::erase_if(slide_->effects, [this](const EffectData& e) { return e.shapeId == d_->id; });
    program_->cut = d_;
  }
  std::wstring Text() const override { return TextBox().text; }
  void SetText(const std::wstring& text) override {
    TextBox().text = text;
    Refit();
  }
  std::wstring FontName() const override { return TextBox().fontName; }
  double FontSize() const override { return TextBox().fontSize; }
  void SetFontName(const std::wstring& name) override { TextBox().fontName = name; }
  void SetFontSize(double size) override {
    if (!(size >= 1 && size <= 4000)) Raise(err::kInvalidCall, L"字号必须在 1 到 4000 磅之间。");
    TextBox().fontSize = size;
    Refit();
  }

 private:
  ShapeData& TextBox() const {
    if (d_->kind != ShapeData::Kind::TextBox) Raise(err::kInvalidCall, L"此图形没有文字框。");
    return *d_;
  }
  // A text box grows or shrinks to its text, as the program's text boxes do.
  void Refit() { d_->height = FittedTextHeight(*d_); }
  std::shared_ptr<ProgramState> program_;
  std::shared_ptr<SlideData> slide_;
  std::shared_ptr<ShapeData> d_;
};

class ModelShapes final : public Shapes {
 public:
  ModelShapes(std::shared_ptr<ProgramState> program, std::shared_ptr<PresentationData> pres,
              std::shared_ptr<SlideData> slide)
      : program_(std::move(program)), pres_(std::move(pres)), slide_(std::move(slide)) {}
  int Count() const override { return static_cast<int>(slide_->shapes.size()); }
  ShapePtr Item(int index) override {
    if (index < 1 || index > Count()) Raise(err::kInvalidCall, L"图形序号超出范围。");
    return Wrap(slide_->shapes[static_cast<size_t>(index - 1)]);
  }
  ShapePtr AddTextbox(int orientation, double left, double top, double width, double height) override {
    if (orientation != kTextOrientationHorizontal) Raise(err::kInvalidCall, L"只支持横排文本框。");
    auto s = New(ShapeData::Kind::TextBox, left, top, width, height);
    s->height = FittedTextHeight(*s);
    return Wrap(s);
  }
  ShapePtr PasteSpecial(int dataType, bool link) override {
    if (link) Raise(err::kInvalidCall, L"不支持粘贴链接。");
    const Clipboard& clip = *program_->clipboard;
    if (dataType == kPasteMetafilePicture && clip.picture) {
      auto s = New(ShapeData::Kind::Picture, 0, 0, clip.picture->width, clip.picture->height);
      s->png = clip.picture->png;
      return Wrap(s);
    }
    if (dataType == kPasteOleObject && clip.document) {
      const ClipPicture& p = clip.document->preview;
      auto s = New(ShapeData::Kind::OleObject, 0, 0, p.width, p.height);
      s->png = p.png;
      s->package = clip.document->package;
      s->progId = clip.document->progId;
      return Wrap(s);
    }
    Raise(err::kInvalidCall, L"剪贴板上没有可以按此格式粘贴的内容。");
  }
  ShapePtr AddOLEObject(double left, double top, double width, double height, const std::wstring& fileName,
                        bool link) override {
    if (link) Raise(err::kInvalidCall, L"不支持链接的对象。");
    const std::wstring ext = LowerExtension(fileName);
    if (ext != L"doc" && ext != L"docx") Raise(err::kInvalidCall, L"无法嵌入这种文件：" + fileName);
    ObjectIcon icon = DocumentIcon();
    auto s = New(ShapeData::Kind::OleObject, left, top, width > 0 ? width : icon.width,
                 height > 0 ? height : icon.height);
    s->package = ReadWholeFile(fileName);
    s->progId = L"Word.Document.12";
    s->png = std::move(icon.png);
    return Wrap(s);
  }
  ShapePtr Paste() override {
    if (!program_->cut) Raise(err::kInvalidCall, L"剪贴板上没有图形。");
    auto s = std::make_shared<ShapeData>(*program_->cut);
    s->id = pres_->nextShapeId++;
    slide_->shapes.push_back(s);
    return Wrap(s);
  }

 private:
  std::shared_ptr<ShapeData> New(ShapeData::Kind kind, double l, double t, double w, double h) {
    auto s = std::make_shared<ShapeData>();
    s->kind = kind;
    s->id = pres_->nextShapeId++;
    s->left = l, s->top = t, s->width = w, s->height = h;
    slide_->shapes.push_back(s);
    return s;
  }
  ShapePtr Wrap(const std::shared_ptr<ShapeData>& s) { return std::make_shared<ModelShape>(program_, slide_, s); }
  std::shared_ptr<ProgramState> program_;
  std::shared_ptr<PresentationData> pres_;
  std::shared_ptr<SlideData> slide_;
};

class ModelEffect final : public Effect {
 public:
  ModelEffect(std::shared_ptr<SlideData> slide, size_t index) : slide_(std::move(slide)), index_(index) {}
  int EffectType() const override { return slide_->effects.at(index_).effectId; }
  EffectTiming Timing() const override { return slide_->effects.at(index_).timing; }
  void SetTiming(const EffectTiming& t) override {
    if (t.duration < 0.01 || t.triggerDelayTime < 0) Raise(err::kInvalidCall, L"动画时间无效。");
    slide_->effects.at(index_).timing = t;
  }

 private:
  std::shared_ptr<SlideData> slide_;
  size_t index_;
};

class ModelSequence final : public Sequence {
 public:
  explicit ModelSequence(std::shared_ptr<SlideData> slide) : slide_(std::move(slide)) {}
  int Count() const override { return static_cast<int>(slide_->effects.size()); }
  std::shared_ptr<Effect> AddEffect(Shape& shape, int effectId) override {
    if (effectId < 1 || effectId > 53) Raise(err::kInvalidCall, L"无效的动画效果编号。");
    const bool onSlide = std::any_of(slide_->shapes.begin(), slide_->shapes.end(),
                                     [&](const auto& s) { return s->id == shape.Id(); });
    if (!onSlide) Raise(err::kInvalidCall, L"图形不在这张幻灯片上。");
    slide_->effects.push_back({shape.Id(), effectId, {}});
    return std::make_shared<ModelEffect>(slide_, slide_->effects.size() - 1);
  }

 private:
  std::shared_ptr<SlideData> slide_;
};

class ModelBackgroundFill final : public BackgroundFill {
 public:
  explicit ModelBackgroundFill(std::shared_ptr<SlideData> slide) : slide_(std::move(slide)) {}
  void SetVisible(bool v) override { slide_->background.visible = v; }
  void SetForeColorRGB(uint32_t c) override { slide_->background.foreRGB = c & 0xFFFFFF; }
  void SetBackSchemeColor(int c) override { slide_->background.backSchemeColor = c; }
  void SetTransparency(double t) override {
    if (t < 0 || t > 1) Raise(err::kInvalidCall, L"透明度必须在 0 到 1 之间。");
    slide_->background.transparency = t;
  }
  void UserPicture(const std::wstring& path) override {
    const std::wstring ext = LowerExtension(path);
    if (ext != L"jpg" && ext != L"jpeg" && ext != L"png") Raise(err::kInvalidCall, L"不支持的图片格式：" + path);
    slide_->background.picture = ReadWholeFile(path);
    slide_->background.pictureExtension = ext == L"png" ? "png" : "jpeg";
  }

 private:
  std::shared_ptr<SlideData> slide_;
};

class ModelSlide final : public Slide {
 public:
  ModelSlide(std::shared_ptr<ProgramState> program, std::shared_ptr<PresentationData> pres,
             std::shared_ptr<SlideData> slide)
      : program_(std::move(program)), pres_(std::move(pres)), d_(std::move(slide)) {}
  int SlideIndex() const override {
    auto& s = pres_->slides;
    return static_cast<int>(std::find(s.begin(), s.end(), d_) - s.begin()) + 1;
  }
  void Select() override { pres_->selected = d_; }
  std::shared_ptr<Shapes> GetShapes() override { return std::make_shared<ModelShapes>(program_, pres_, d_); }
  std::shared_ptr<Sequence> MainSequence() override { return std::make_shared<ModelSequence>(d_); }
  bool FollowMasterBackground() const override { return d_->followMasterBackground; }
  void SetFollowMasterBackground(bool v) override { d_->followMasterBackground = v; }
  bool DisplayMasterShapes() const override { return d_->displayMasterShapes; }
  void SetDisplayMasterShapes(bool v) override { d_->displayMasterShapes = v; }
  std::shared_ptr<BackgroundFill> Background() override {
    if (d_->followMasterBackground) Raise(err::kInvalidCall, L"幻灯片沿用母版背景，不能单独设置。");
    return std::make_shared<ModelBackgroundFill>(d_);
  }
  int EntryEffect() const override { return d_->entryEffect; }
  void SetEntryEffect(int effect) override { d_->entryEffect = effect; }

 private:
  std::shared_ptr<ProgramState> program_;
  std::shared_ptr<PresentationData> pres_;
  std::shared_ptr<SlideData> d_;
};

class ModelSlides final : public Slides {
 public:
  ModelSlides(std::shared_ptr<ProgramState> program, std::shared_ptr<PresentationData> pres)
      : program_(std::move(program)), pres_(std::move(pres)) {}
  int Count() const override { return static_cast<int>(pres_->slides.size()); }
  SlidePtr Item(int index) override {
    if (index < 1 || index > Count()) Raise(err::kInvalidCall, L"幻灯片序号超出范围。");
    return Wrap(pres_->slides[static_cast<size_t>(index - 1)]);
  }
  SlidePtr Add(int index, int layout) override {
    if (index < 1 || index > Count() + 1) Raise(err::kInvalidCall, L"幻灯片序号超出范围。");
    if (layout != kLayoutBlank) Raise(err::kInvalidCall, L"只支持空白版式。");
    auto s = std::make_shared<SlideData>();
    s->id = pres_->nextSlideId++;
    pres_->slides.insert(pres_->slides.begin() + (index - 1), s);
    return Wrap(s);
  }

 private:
  SlidePtr Wrap(const std::shared_ptr<SlideData>& s) { return std::make_shared<ModelSlide>(program_, pres_, s); }
  std::shared_ptr<ProgramState> program_;
  std::shared_ptr<PresentationData> pres_;
};

class ModelPresentation final : public Presentation {
 public:
  ModelPresentation(std::shared_ptr<ProgramState> program, std::shared_ptr<PresentationData> pres)
      : program_(std::move(program)), d_(std::move(pres)) {}
  std::shared_ptr<Slides> GetSlides() override { return std::make_shared<ModelSlides>(program_, d_); }
  double SlideWidth() const override { return d_->slideWidth; }
  double SlideHeight() const override { return d_->slideHeight; }
  void SaveAs(const std::wstring& path) override { pptx::SavePptx(*d_, path); }

 private:
  std::shared_ptr<ProgramState> program_;
  std::shared_ptr<PresentationData> d_;
};

class ModelApplication final : public Application {
 public:
  explicit ModelApplication(Clipboard& clipboard) : program_(std::make_shared<ProgramState>()) {
    program_->clipboard = &clipboard;
  }
  bool Visible() const override { return program_->visible; }
  void SetVisible(bool v) override { program_->visible = v; }
  int PresentationCount() const override { return static_cast<int>(program_->presentations.size()); }
  std::shared_ptr<Presentation> AddPresentation(bool withWindow) override {
    auto p = std::make_shared<PresentationData>();
    program_->presentations.push_back(p);
    program_->active = p;
    if (withWindow) program_->visible = true;
    return std::make_shared<ModelPresentation>(program_, p);
  }
  std::shared_ptr<Presentation> ActivePresentation() override {
    return std::make_shared<ModelPresentation>(program_, Active());
  }
  SlidePtr SelectedSlide() override {
    auto p = Active();
    auto s = p->selected.lock();
    if (!s || std::find(p->slides.begin(), p->slides.end(), s) == p->slides.end()) {
      if (p->slides.empty()) Raise(err::kInvalidCall, L"演示文稿中没有幻灯片。");
      s = p->slides.front();
      p->selected = s;
    }
    return std::make_shared<ModelSlide>(program_, p, s);
  }
  const std::vector<std::shared_ptr<PresentationData>>& Data() const { return program_->presentations; }

 private:
  std::shared_ptr<PresentationData> Active() {
    auto p = program_->active.lock();
    if (!p) Raise(err::kInvalidCall, L"没有活动的演示文稿。");
    return p;
  }
  std::shared_ptr<ProgramState> program_;
};

std::shared_ptr<Application> ModelPrograms::Running() { return app_; }

std::shared_ptr<Application> ModelPrograms::Start() {
  if (!app_) app_ = std::make_shared<ModelApplication>(clipboard_);
  return app_;
}

std::vector<std::shared_ptr<PresentationData>> ModelPrograms::Presentations() const {
  if (!app_) return {};
  return app_->Data();
}

}  // namespace plx::slides::model
