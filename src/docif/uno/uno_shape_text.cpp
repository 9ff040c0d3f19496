#include "docif/uno/uno_shape_text.hpp"

#include <algorithm>

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>

#include "common/error.hpp"
#include "docif/find_pattern.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_find.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_formatted_text.hpp"
#include "docif/uno/uno_range.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// A text box's Writer text, with where its lines start and whether it is
// kept on the page, for the laid-out lines.
std::shared_ptr<WriterDoc> FramedText(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape,
                                      const Reference<text::XTextFrame>& frame) {
  auto box = WriterDoc::TextBox(doc, frame->getText());
  // Where the frame's lines start: the shape's box inside its left margin.
  box->textLeft = [doc, shape] {
    return BoxOf(*doc, shape).left + FromMm100(PropertyRead(shape.shape, {"TextLeftDistance"}).Or<sal_Int32>("TextLeftDistance", 0));
  };
  box->keptOnPage = [shape] { return !FollowsParagraph(shape.top); };
  return box;
}

// Gives a shape a Writer text frame. Set alone: a group's item given it
// among other values ends the office. The new frame takes the shape's
// margins and text anchor as they are set again.
Reference<text::XTextFrame> GiveFrame(const ShapeRef& shape) {
  Reference<beans::XPropertySet>(shape, uno::UNO_QUERY_THROW)->setPropertyValue("TextBox", uno::Any(true));
  Reference<beans::XMultiPropertySet> props(shape, uno::UNO_QUERY_THROW);
  uno::Sequence<rtl::OUString> names(5);
  auto* name = names.getArray();
  name[0] = "TextLeftDistance", name[1] = "TextRightDistance", name[2] = "TextUpperDistance";
  name[3] = "TextLowerDistance", name[4] = "TextVerticalAdjust";
  props->setPropertyValues(names, props->getPropertyValues(names));
  return FrameOf(shape);
}

// A drawing's own text, paragraph by paragraph, as runs of one look.
struct DrawingParagraph {
  ParagraphFormat format;
  std::vector<std::pair<std::wstring, FontFormat>> runs;
};

std::vector<DrawingParagraph> ReadDrawingText(const Reference<text::XText>& text) {
  std::vector<DrawingParagraph> out;
  auto paragraphs = Reference<container::XEnumerationAccess>(text, uno::UNO_QUERY_THROW)->createEnumeration();
  while (paragraphs->hasMoreElements()) {
    Reference<beans::XPropertySet> paragraph(paragraphs->nextElement(), uno::UNO_QUERY_THROW);
    DrawingParagraph& p = out.emplace_back();
    p.format = ReadParagraphFormat(paragraph);
    auto runs = Reference<container::XEnumerationAccess>(paragraph, uno::UNO_QUERY_THROW)->createEnumeration();
    while (runs->hasMoreElements()) {
      Reference<text::XTextRange> run(runs->nextElement(), uno::UNO_QUERY_THROW);
      const std::wstring piece = FromOUString(run->getString());
      if (!piece.empty()) p.runs.emplace_back(piece, ReadFont(Reference<beans::XPropertySet>(run, uno::UNO_QUERY_THROW)));
    }
  }
  return out;
}

// Gives a drawing a Writer frame and moves its text there with its looks.
std::shared_ptr<WriterDoc> MoveIntoFrame(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape,
                                         const Reference<text::XText>& text) {
  const auto paragraphs = ReadDrawingText(text);
  auto into = FramedText(doc, shape, GiveFrame(shape.shape));
  text->setString(rtl::OUString());
  long at = 0;
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) {
      MakeUnoRange(into, at, at)->InsertAfter(L"\r");
      ++at;
    }
    const long start = at;
    for (const auto& [piece, font] : paragraphs[i].runs) {
      auto run = MakeUnoRange(into, at, at);
      run->InsertAfter(piece);
      run->SetFont(font);
      at += static_cast<long>(piece.size());
    }
    MakeUnoRange(into, start, at)->SetParagraphFormat(paragraphs[i].format);
  }
  return into;
}

// Writer's text and its mirror, shared by every range over it.
struct BoxText {
  std::shared_ptr<WriterDoc> doc;
  ShapeHandle shape;
  Reference<text::XText> text;
  std::shared_ptr<model::Story> mirror = std::make_shared<model::Story>();
  // The box's text once it moved into a Writer frame.
  std::shared_ptr<WriterDoc> framed;

  // A drawing's text holds no fields, formulas or pictures and Writer does
  // not say where its lines fall; a Writer frame does. The add-in's text
  // boxes get one only when they need it, since a frame costs far more
  // time than the drawing's text (a graph has dozens of labels). The text
  // moves into the frame with its looks.
  const std::shared_ptr<WriterDoc>& Framed() {
    if (!framed) framed = MoveIntoFrame(doc, shape, text);
    return framed;
  }

  // Reads Writer's text again when it is not what the mirror holds. A
  // range taken earlier finds the frame another range gave the box: the
  // drawing's text is empty then.
  void Sync() {
    if (framed) return;
    std::wstring now = FromOUString(text->getString());
    std::replace(now.begin(), now.end(), L'\n', L'\r');
    now += L'\r';
    if (now == mirror->Text() && now.size() > 1) return;
    if (auto frame = FrameOf(shape.shape); frame.is()) {
      framed = FramedText(doc, shape, frame);
      return;
    }
    if (now != mirror->Text()) mirror->Assign(now, std::vector<model::CharCell>(now.size()));
  }

  Reference<text::XTextCursor> Cursor(long start, long end) const {
    auto cursor = text->createTextCursor();
    cursor->gotoStart(false);
    for (long left = start; left > 0; left -= 32767) cursor->goRight(static_cast<sal_Int16>(std::min(left, 32767L)), false);
    for (long left = end - start; left > 0; left -= 32767) cursor->goRight(static_cast<sal_Int16>(std::min(left, 32767L)), true);
    return cursor;
  }

  // Replaces [start, end) with the text ("\r" and "\v" start a new paragraph).
  void Replace(long start, long end, const std::wstring& with) {
    auto cursor = Cursor(start, end);
    cursor->setString(rtl::OUString());
    size_t from = 0;
    while (true) {
      const size_t brk = with.find_first_of(L"\r\v\n", from);
      const std::wstring piece = with.substr(from, brk == std::wstring::npos ? std::wstring::npos : brk - from);
      if (!piece.empty()) text->insertString(AsRange(cursor), ToOUString(piece), false);
      if (brk == std::wstring::npos) break;
      text->insertControlCharacter(AsRange(cursor), text::ControlCharacter::PARAGRAPH_BREAK, false);
      from = brk + 1;
    }
    std::wstring mirrored = with;
    std::replace_if(mirrored.begin(), mirrored.end(), [](wchar_t c) { return c == L'\v' || c == L'\n'; }, L'\r');
    if (end > start) mirror->Erase(start, end);
    if (!mirrored.empty()) mirror->Insert(start, mirrored, model::CharCell{});
  }
};

// A range over a drawing's own text, until the text moves into a Writer
// frame: from then on every call goes to the same span of the frame's
// text, which counts characters as the drawing's did.
class UnoShapeTextRange final : public Range {
 public:
  UnoShapeTextRange(std::shared_ptr<WriterDoc> doc, std::shared_ptr<BoxText> box, long start, long end)
      : doc_(std::move(doc)), box_(std::move(box)), anchor_(box_->mirror->MakeAnchor(start, end)) {}

  long Start() const override { return Writer() ? writer_->Start() : Synced().start; }
  long End() const override { return Writer() ? writer_->End() : Synced().end; }
  void SetRange(long start, long end) override {
    if (Writer()) return writer_->SetRange(start, end);
    const long last = box_->mirror->Length() - 1;
    anchor_->start = std::clamp(start, 0L, last);
    anchor_->end = std::clamp(end, anchor_->start, last);
  }
  RangePtr Duplicate() const override {
    if (Writer()) return writer_->Duplicate();
    return std::make_shared<UnoShapeTextRange>(doc_, box_, Start(), End());
  }

  std::wstring Text() const override try {
    if (Writer()) return writer_->Text();
    const auto& a = Synced();
    return box_->mirror->Text().substr(static_cast<size_t>(a.start), static_cast<size_t>(a.end - a.start));
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetText(const std::wstring& t) override try {
    if (Writer()) return writer_->SetText(t);
    Put(Synced().start, Synced().end, t, true, true);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void InsertBefore(const std::wstring& t) override try {
    if (Writer()) return writer_->InsertBefore(t);
    Put(Synced().start, Synced().start, t, true, false);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void InsertAfter(const std::wstring& t) override try {
    if (Writer()) return writer_->InsertAfter(t);
    Put(Synced().end, Synced().end, t, false, true);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override try {
    if (Writer()) return writer_->Delete();
    Put(Synced().start, Synced().end, L"", true, true);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Collapse(int direction) override {
    if (Writer()) return writer_->Collapse(direction);
    auto& a = Synced();
    if (direction == kCollapseStart) a.end = a.start;
    else a.start = a.end;
  }
  void InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool unicode) override try {
    if (Writer()) return writer_->InsertSymbol(characterNumber, font, unicode);
    SetText(std::wstring(1, static_cast<wchar_t>(characterNumber)));
    if (font) SetFont({.Name = font});
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

  FontFormat Font() const override try {
    return Writer() ? writer_->Font() : ReadFont(Props());
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetFont(const FontFormat& font) override try {
    if (Writer()) return writer_->SetFont(font);
    WriteFont(Props(), font);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  ParagraphFormat GetParagraphFormat() const override try {
    return Writer() ? writer_->GetParagraphFormat() : ReadParagraphFormat(Props());
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetParagraphFormat(const ParagraphFormat& format) override try {
    if (Writer()) return writer_->SetParagraphFormat(format);
    WriteParagraphFormat(Props(), format);
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  int ListType() const override { return Writer() ? writer_->ListType() : kListNoNumbering; }
  std::wstring ListString() const override { return Writer() ? writer_->ListString() : L""; }
  // An empty text has nothing to lay out: it needs no frame.
  std::vector<LaidText> LaidOut() const override {
    if (!Writer() && Synced().end == Synced().start) return {};
    return InFrame().LaidOut();
  }
  std::shared_ptr<Ranges> Characters() const override {
    return Writer() ? writer_->Characters() : Spans(model::StoryRanges::Of::Characters);
  }
  std::shared_ptr<Ranges> Paragraphs() const override {
    return Writer() ? writer_->Paragraphs() : Spans(model::StoryRanges::Of::Paragraphs);
  }
  std::shared_ptr<Find> GetFind() override;

  // What only Writer's text offers moves the box's text into a frame.
  void InsertBreak(int type) override { InFrame().InsertBreak(type); }
  void Select() override { InFrame().Select(); }
  void Copy() override { InFrame().Copy(); }
  std::vector<TabStop> TabStops() const override { return InFrame().TabStops(); }
  void AddTabStop(const TabStop& stop) override { InFrame().AddTabStop(stop); }
  void ClearTabStops() override { InFrame().ClearTabStops(); }
  std::wstring Style() const override { return InFrame().Style(); }
  void SetStyle(const std::wstring& style) override { InFrame().SetStyle(style); }
  void ApplyListTemplate(const ListTemplate& list, bool continuing) override {
    InFrame().ApplyListTemplate(list, continuing);
  }
  void RemoveNumbers() override { InFrame().RemoveNumbers(); }
  void ConvertNumbersToText() override { InFrame().ConvertNumbersToText(); }
  double Information(int what) const override { return InFrame().Information(what); }
  std::shared_ptr<Fields> GetFields() override { return InFrame().GetFields(); }
  std::shared_ptr<InlineShapes> GetInlineShapes() override { return InFrame().GetInlineShapes(); }
  std::shared_ptr<Tables> GetTables() override { return InFrame().GetTables(); }
  std::shared_ptr<OMaths> GetOMaths() override { return InFrame().GetOMaths(); }
  void SetFormattedText(const Range& source) override { InFrame().SetFormattedText(source); }

 private:
  // The same span of the frame's text once the box has a frame, else null
  // with the mirror read again: every call starts here.
  Range* Writer() const try {
    if (!writer_) {
      box_->Sync();
      if (box_->framed) writer_ = MakeUnoRange(box_->framed, anchor_->start, anchor_->end);
    }
    return writer_.get();
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  Range& InFrame() const try {
    if (!Writer()) box_->Framed();
    return *Writer();
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  // The span in the mirror, read again by Writer() at the call's start.
  model::Anchor& Synced() const { return *anchor_; }
  Reference<beans::XPropertySet> Props() const {
    const auto& a = Synced();
    return Reference<beans::XPropertySet>(box_->Cursor(a.start, a.end), uno::UNO_QUERY_THROW);
  }
  // Replaces [start, end) and covers the new text from the start (or end) given.
  void Put(long start, long end, const std::wstring& t, bool fromStart, bool toEnd) {
    auto& a = Synced();
    const long oldStart = a.start, oldEnd = a.end;
    box_->Replace(start, end, t);
    const long length = static_cast<long>(t.size());
    a.start = fromStart ? start : oldStart;
    a.end = toEnd ? start + length : oldEnd;
    if (!fromStart && !toEnd) a.end = oldEnd;
    a.end = std::max(a.end, a.start);
  }
  std::shared_ptr<Ranges> Spans(model::StoryRanges::Of of) const {
    const auto& a = Synced();
    auto doc = doc_;
    auto box = box_;
    return std::make_shared<model::StoryRanges>(box_->mirror, a.start, a.end, of, [doc, box](long s, long e) -> RangePtr {
      return std::make_shared<UnoShapeTextRange>(doc, box, s, e);
    });
  }

  std::shared_ptr<WriterDoc> doc_;
  std::shared_ptr<BoxText> box_;
  std::shared_ptr<model::Anchor> anchor_;
  mutable RangePtr writer_;
};

// Find in a text box's text, with the host's syntax as on the model.
class ShapeTextFind final : public Find {
 public:
  ShapeTextFind(std::shared_ptr<BoxText> box, std::shared_ptr<model::Anchor> scope)
      : box_(std::move(box)), scope_(std::move(scope)) {}
  bool Execute(int replace) override try {
    box_->Sync();
    model::Anchor& scope = *scope_;
    auto hits = model::FindHits(*box_->mirror, false, *this, scope.start, scope.end, replace);
    if (hits.empty()) return false;
    if (replace == kReplaceNone) {
      scope.start = hits[0].start;
      scope.end = hits[0].end;
      return true;
    }
    const auto parts = ParseReplacement(Replacement.Text, MatchWildcards);
    for (auto h = hits.rbegin(); h != hits.rend(); ++h)
      box_->Replace(h->start, std::min(h->end, box_->mirror->Length() - 1), ExpandReplacement(parts, h->match));
    return true;
  } catch (const uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::shared_ptr<BoxText> box_;
  std::shared_ptr<model::Anchor> scope_;
};

std::shared_ptr<Find> UnoShapeTextRange::GetFind() {
  if (Writer()) return writer_->GetFind();
  return std::make_shared<ShapeTextFind>(box_, anchor_);
}

}  // namespace

RangePtr MakeShapeTextRange(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape) {
  if (auto frame = FrameOf(shape.shape); frame.is()) {
    auto box = FramedText(doc, shape, frame);
    return MakeUnoRange(box, 0, box->story.Mirror().Length() - 1);
  }
  auto box = std::make_shared<BoxText>();
  box->doc = doc;
  box->shape = shape;
  box->text.set(shape.shape, uno::UNO_QUERY_THROW);
  box->Sync();
  return std::make_shared<UnoShapeTextRange>(doc, box, 0, box->mirror->Length() - 1);
}

void FrameText(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape) {
  if (FrameOf(shape.shape).is()) return;
  MoveIntoFrame(doc, shape, Reference<text::XText>(shape.shape, uno::UNO_QUERY_THROW));
}

bool AnyFramed(const std::vector<ShapeRef>& shapes) {
  return std::any_of(shapes.begin(), shapes.end(), [](const ShapeRef& s) { return FrameOf(s).is(); });
}

std::vector<DetachedText> DetachFrames(const std::shared_ptr<WriterDoc>& doc, const std::vector<ShapeRef>& shapes) {
  std::vector<DetachedText> out;
  for (size_t i = 0; i < shapes.size(); ++i) {
    auto frame = FrameOf(shapes[i]);
    if (!frame.is()) continue;
    auto box = WriterDoc::TextBox(doc, frame->getText());
    out.push_back({i, box->story.Mirror().Length() > 1 ? TakeAllText(*box) : nullptr,
                   Reference<beans::XPropertySet>(frame, uno::UNO_QUERY_THROW)->getPropertyValue("WritingMode")});
    PropertyBatch().Put("TextBox", uno::Any(false)).ApplyTo(shapes[i]);
  }
  return out;
}

void AttachFrames(const std::shared_ptr<WriterDoc>& doc, const std::vector<ShapeRef>& shapes,
                  const std::vector<DetachedText>& detached) {
  for (const auto& d : detached) {
    if (d.index >= shapes.size()) Raise(err::kInvalidCall, L"LibreOffice 中组合或取消组合后文本框的文字未能放回。");
    auto frame = GiveFrame(shapes[d.index]);
    Reference<beans::XPropertySet>(frame, uno::UNO_QUERY_THROW)->setPropertyValue("WritingMode", d.writingMode);
    if (d.text.is()) PutAllText(*WriterDoc::TextBox(doc, frame->getText()), d.text);
  }
}

}  // namespace plx::docif::lo
