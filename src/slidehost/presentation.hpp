#pragma once
// The presentation program as the add-in sees it: the few late-bound
// operations sending to slides uses, under the program's own names. The
// in-memory model (`slidehost/model/`) implements them and saves a real
// .pptx; an adapter over a running presentation program's automation
// interface can implement them too.
#include <cstdint>
#include <memory>
#include <string>

#include "slidehost/clipboard.hpp"

namespace plx::slides {

// Layout of a blank slide; the only one slides are added with.
constexpr int kLayoutBlank = 12;
// PasteSpecial data types.
constexpr int kPasteMetafilePicture = 3;
constexpr int kPasteOleObject = 10;
// AddTextbox orientation.
constexpr int kTextOrientationHorizontal = 1;
// Effect trigger: after the previous effect.
constexpr int kTriggerAfterPrevious = 3;
constexpr int kTriggerOnPageClick = 1;

class Shape {
 public:
  virtual ~Shape() = default;
  virtual int Id() const = 0;
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetLeft(double) = 0;
  virtual void SetTop(double) = 0;
  virtual void SetWidth(double) = 0;
  virtual void SetHeight(double) = 0;
  // Removes the shape from its slide and keeps it for the next Paste.
  virtual void Cut() = 0;
  // TextFrame.TextRange: error 5 on a shape without text.
  virtual std::wstring Text() const = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual std::wstring FontName() const = 0;
  virtual double FontSize() const = 0;
  virtual void SetFontName(const std::wstring& name) = 0;
  virtual void SetFontSize(double size) = 0;
};
using ShapePtr = std::shared_ptr<Shape>;

class Shapes {
 public:
  virtual ~Shapes() = default;
  virtual int Count() const = 0;
  // 1-based; error 5 out of range.
  virtual ShapePtr Item(int index) = 0;
  virtual ShapePtr AddTextbox(int orientation, double left, double top, double width, double height) = 0;
  // The clipboard's content in the given form; error when the clipboard
  // has nothing in that form.
  virtual ShapePtr PasteSpecial(int dataType, bool link) = 0;
  // Embeds the file as an object; a zero size takes the object's own.
  virtual ShapePtr AddOLEObject(double left, double top, double width, double height,
                                const std::wstring& fileName, bool link) = 0;
  // The shape cut last; error when nothing was cut.
  virtual ShapePtr Paste() = 0;
};

struct EffectTiming {
  int triggerType = kTriggerOnPageClick;
  double duration = 0.5;  // seconds
  double triggerDelayTime = 0;
};

class Effect {
 public:
  virtual ~Effect() = default;
  virtual int EffectType() const = 0;
  virtual EffectTiming Timing() const = 0;
  virtual void SetTiming(const EffectTiming&) = 0;
};

// TimeLine.MainSequence of a slide.
class Sequence {
 public:
  virtual ~Sequence() = default;
  virtual int Count() const = 0;
  // An entrance effect (the program's effect numbers, 1 Appear … 53) for
  // the shape; error 5 for a number it does not know or a shape of
  // another slide.
  virtual std::shared_ptr<Effect> AddEffect(Shape& shape, int effectId) = 0;
};

// Background.Fill of a slide.
class BackgroundFill {
 public:
  virtual ~BackgroundFill() = default;
  virtual void SetVisible(bool) = 0;
  virtual void SetForeColorRGB(uint32_t) = 0;
  virtual void SetBackSchemeColor(int) = 0;
  virtual void SetTransparency(double) = 0;
  // Fills with the picture file; error 53 when it cannot be read.
  virtual void UserPicture(const std::wstring& path) = 0;
};

class Slide {
 public:
  virtual ~Slide() = default;
  virtual int SlideIndex() const = 0;
  virtual void Select() = 0;
  virtual std::shared_ptr<Shapes> GetShapes() = 0;
  virtual std::shared_ptr<Sequence> MainSequence() = 0;
  virtual bool FollowMasterBackground() const = 0;
  virtual void SetFollowMasterBackground(bool) = 0;
  virtual bool DisplayMasterShapes() const = 0;
  virtual void SetDisplayMasterShapes(bool) = 0;
  virtual std::shared_ptr<BackgroundFill> Background() = 0;
  // SlideShowTransition.EntryEffect.
  virtual int EntryEffect() const = 0;
  virtual void SetEntryEffect(int effect) = 0;
};
using SlidePtr = std::shared_ptr<Slide>;

class Slides {
 public:
  virtual ~Slides() = default;
  virtual int Count() const = 0;
  virtual SlidePtr Item(int index) = 0;
  // A new slide at `index` (1 … Count + 1); error 5 otherwise.
  virtual SlidePtr Add(int index, int layout) = 0;
};

class Presentation {
 public:
  virtual ~Presentation() = default;
  virtual std::shared_ptr<Slides> GetSlides() = 0;
  // PageSetup.SlideWidth / SlideHeight in points.
  virtual double SlideWidth() const = 0;
  virtual double SlideHeight() const = 0;
  virtual void SaveAs(const std::wstring& path) = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool) = 0;
  virtual int PresentationCount() const = 0;
  // Presentations.Add.
  virtual std::shared_ptr<Presentation> AddPresentation(bool withWindow) = 0;
  // Error 4248-like (the program's "no active presentation") when none.
  virtual std::shared_ptr<Presentation> ActivePresentation() = 0;
  // ActiveWindow.Selection.SlideRange(1): the slide being edited.
  virtual SlidePtr SelectedSlide() = 0;
};

// What the operating system offers: attaching to a running program,
// starting one, and the clipboard programs share.
class Programs {
 public:
  virtual ~Programs() = default;
  // The running presentation program, or null.
  virtual std::shared_ptr<Application> Running() = 0;
  // Starts the program; raises when it cannot be started.
  virtual std::shared_ptr<Application> Start() = 0;
  virtual Clipboard& GetClipboard() = 0;
};

}  // namespace plx::slides
