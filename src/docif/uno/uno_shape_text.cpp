#include "docif/uno/uno_shape_text.hpp"

#include <algorithm>

#include <com/sun/star/beans/XMultiPropertySet.hpp>
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

[[noreturn]] void NotInTextBox(const wchar_t* what) {
  Raise(err::kInvalidCall, std::wstring(L"LibreOffice 宿主暂时还不能在文本框中") + what + L"。");
}

// Writer's text and its mirror, shared by every range over it.
struct BoxText {
  Reference<text::XText> text;
  std::shared_ptr<model::Story> mirror = std::make_shared<model::Story>();

  // Reads Writer's text again when it is not what the mirror holds.
  void Sync() {
    std::wstring now = FromOUString(text->getString());
    std::replace(now.begin(), now.end(), L'\n', L'\r');
    now += L'\r';
    if (now == mirror->Text()) return;
    mirror->Assign(now, std::vector<model::CharCell>(now.size()));
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

class UnoShapeTextRange final : public Range {
 public:
  UnoShapeTextRange(std::shared_ptr<WriterDoc> doc, std::shared_ptr<BoxText> box, long start, long end)
      : doc_(std::move(doc)), box_(std::move(box)), anchor_(box_->mirror->MakeAnchor(start, end)) {}

  long Start() const override { return Synced().start; }
  long End() const override { return Synced().end; }
  void SetRange(long start, long end) override {
    const long last = box_->mirror->Length() - 1;
    Synced();
    anchor_->start = std::clamp(start, 0L, last);
    anchor_->end = std::clamp(end, anchor_->start, last);
  }
  RangePtr Duplicate() const override { return std::make_shared<UnoShapeTextRange>(doc_, box_, Start(), End()); }

  std::wstring Text() const override try {
    const auto& a = Synced();
    return box_->mirror->Text().substr(static_cast<size_t>(a.start), static_cast<size_t>(a.end - a.start));
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetText(const std::wstring& t) override try { Put(Synced().start, Synced().end, t, true, true); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void InsertBefore(const std::wstring& t) override try { Put(Synced().start, Synced().start, t, true, false); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void InsertAfter(const std::wstring& t) override try { Put(Synced().end, Synced().end, t, false, true); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Delete() override try { Put(Synced().start, Synced().end, L"", true, true); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void InsertBreak(int) override { NotInTextBox(L"插入分节符"); }
  void Collapse(int direction) override {
    auto& a = Synced();
    if (direction == kCollapseStart) a.end = a.start;
    else a.start = a.end;
  }
  void Select() override { NotInTextBox(L"选定文字"); }
  void InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool) override try {
    SetText(std::wstring(1, static_cast<wchar_t>(characterNumber)));
    if (font) SetFont({.Name = font});
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void Copy() override { NotInTextBox(L"复制文字"); }

  FontFormat Font() const override try { return ReadFont(Props()); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetFont(const FontFormat& font) override try { WriteFont(Props(), font); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  ParagraphFormat GetParagraphFormat() const override try { return ReadParagraphFormat(Props()); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  void SetParagraphFormat(const ParagraphFormat& format) override try { WriteParagraphFormat(Props(), format); } catch (const uno::Exception& e) { RaiseFromUno(e); }
  std::vector<TabStop> TabStops() const override { NotInTextBox(L"读取制表位"); }
  void AddTabStop(const TabStop&) override { NotInTextBox(L"设置制表位"); }
  void ClearTabStops() override { NotInTextBox(L"清除制表位"); }
  std::wstring Style() const override { NotInTextBox(L"读取样式"); }
  void SetStyle(const std::wstring&) override { NotInTextBox(L"设置样式"); }

  void ApplyListTemplate(const ListTemplate&, bool) override { NotInTextBox(L"编号"); }
  void RemoveNumbers() override { NotInTextBox(L"删除编号"); }
  void ConvertNumbersToText() override { NotInTextBox(L"转换编号"); }
  int ListType() const override { return kListNoNumbering; }
  std::wstring ListString() const override { return L""; }

  double Information(int) const override { NotInTextBox(L"读取文字的位置"); }
  // Writer lays a drawing's text out where its view cursor cannot go; an
  // empty text has nothing to lay out.
  std::vector<LaidText> LaidOut() const override try {
    if (Synced().end > Synced().start) NotInTextBox(L"读取文字的排版");
    return {};
  } catch (const uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Ranges> Characters() const override { return Spans(model::StoryRanges::Of::Characters); }
  std::shared_ptr<Ranges> Paragraphs() const override { return Spans(model::StoryRanges::Of::Paragraphs); }
  std::shared_ptr<Fields> GetFields() override { NotInTextBox(L"插入或读取域"); }
  std::shared_ptr<InlineShapes> GetInlineShapes() override { NotInTextBox(L"处理嵌入的图片"); }
  std::shared_ptr<Tables> GetTables() override { NotInTextBox(L"处理表格"); }
  std::shared_ptr<Find> GetFind() override;
  std::shared_ptr<OMaths> GetOMaths() override { NotInTextBox(L"处理公式"); }
  void SetFormattedText(const Range&) override { NotInTextBox(L"复制带格式的文字"); }

  model::Anchor& Synced() const {
    box_->Sync();
    return *anchor_;
  }

 private:
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
  return std::make_shared<ShapeTextFind>(box_, anchor_);
}

}  // namespace

RangePtr MakeShapeTextRange(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& shape) {
  if (auto frame = FrameOf(shape.shape); frame.is()) {
    auto box = WriterDoc::TextBox(doc, frame->getText());
    // Where the frame's lines start: the shape's box inside its left margin.
    box->textLeft = [doc, shape] {
      return BoxOf(*doc, shape).left + FromMm100(PropertyRead(shape.shape, {"TextLeftDistance"}).Or<sal_Int32>("TextLeftDistance", 0));
    };
    box->keptOnPage = [shape] { return !FollowsParagraph(shape.top); };
    return MakeUnoRange(box, 0, box->story.Mirror().Length() - 1);
  }
  auto box = std::make_shared<BoxText>();
  box->text.set(shape.shape, uno::UNO_QUERY_THROW);
  box->Sync();
  return std::make_shared<UnoShapeTextRange>(doc, box, 0, box->mirror->Length() - 1);
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
    const ShapeRef& shape = shapes[d.index];
    // Set alone: a group's item given it among other values ends the office.
    Reference<beans::XPropertySet>(shape, uno::UNO_QUERY_THROW)->setPropertyValue("TextBox", uno::Any(true));
    // The new frame takes the shape's margins and text anchor as they are set again.
    Reference<beans::XMultiPropertySet> props(shape, uno::UNO_QUERY_THROW);
    uno::Sequence<rtl::OUString> names(5);
    auto* name = names.getArray();
    name[0] = "TextLeftDistance", name[1] = "TextRightDistance", name[2] = "TextUpperDistance";
    name[3] = "TextLowerDistance", name[4] = "TextVerticalAdjust";
    props->setPropertyValues(names, props->getPropertyValues(names));
    auto frame = FrameOf(shape);
    Reference<beans::XPropertySet>(frame, uno::UNO_QUERY_THROW)->setPropertyValue("WritingMode", d.writingMode);
    if (d.text.is()) PutAllText(*WriterDoc::TextBox(doc, frame->getText()), d.text);
  }
}

}  // namespace plx::docif::lo
