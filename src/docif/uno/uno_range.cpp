#include "docif/uno/uno_range.hpp"

#include <algorithm>
#include <cmath>

#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/TabStop.hpp>

#include "common/error.hpp"
#include "docif/model/model_collections.hpp"
#include "docif/model/model_range.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_formatted_text.hpp"
#include "docif/uno/uno_laid_out.hpp"
#include "docif/uno/uno_layout.hpp"
#include "docif/uno/uno_inline_shapes.hpp"
#include "docif/uno/uno_lists.hpp"
#include "docif/uno/uno_omaths.hpp"
#include "docif/uno/uno_styles.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

using Props = Reference<beans::XPropertySet>;

Props PropertiesOf(const Reference<text::XTextCursor>& cursor) { return Props(cursor, uno::UNO_QUERY_THROW); }

// Keeps a member only while every value seen agrees.
template <class T>
void Agree(std::optional<T>& slot, const std::optional<T>& value) {
  if (slot != value) slot.reset();
}

FontFormat AgreedFont(FontFormat a, const FontFormat& b) {
  Agree(a.Name, b.Name);
  Agree(a.NameAscii, b.NameAscii);
  Agree(a.NameFarEast, b.NameFarEast);
  Agree(a.Size, b.Size);
  Agree(a.Bold, b.Bold);
  Agree(a.Italic, b.Italic);
  Agree(a.Superscript, b.Superscript);
  Agree(a.Subscript, b.Subscript);
  Agree(a.Hidden, b.Hidden);
  Agree(a.Underline, b.Underline);
  Agree(a.Color, b.Color);
  Agree(a.Position, b.Position);
  return a;
}

ParagraphFormat AgreedParagraph(ParagraphFormat a, const ParagraphFormat& b) {
  Agree(a.Alignment, b.Alignment);
  Agree(a.LineSpacingRule, b.LineSpacingRule);
  Agree(a.LineSpacing, b.LineSpacing);
  Agree(a.CharacterUnitFirstLineIndent, b.CharacterUnitFirstLineIndent);
  Agree(a.FirstLineIndent, b.FirstLineIndent);
  Agree(a.LeftIndent, b.LeftIndent);
  Agree(a.RightIndent, b.RightIndent);
  Agree(a.SpaceBefore, b.SpaceBefore);
  Agree(a.SpaceAfter, b.SpaceAfter);
  Agree(a.BaseLineAlignment, b.BaseLineAlignment);
  Agree(a.OutlineLevel, b.OutlineLevel);
  return a;
}

// A format read from each part of a range, keeping the members all parts agree on.
template <class Format>
Format AgreedOver(const std::vector<Props>& parts, Format (*read)(const Props&), Format (*agree)(Format, const Format&)) {
  std::optional<Format> out;
  for (const auto& part : parts) out = out ? agree(*out, read(part)) : read(part);
  return out.value_or(Format{});
}

// The character properties a paragraph style gives and direct formatting overrides.
const char* const kCharacterProperties[] = {
    "CharFontName", "CharFontNameAsian", "CharHeight", "CharHeightAsian", "CharWeight", "CharWeightAsian",
    "CharPosture", "CharPostureAsian", "CharUnderline", "CharColor", "CharEscapement", "CharEscapementHeight",
    "CharHidden"};

std::vector<style::TabStop> WriterTabs(const Props& p) {
  uno::Sequence<style::TabStop> tabs;
  p->getPropertyValue("ParaTabStops") >>= tabs;
  std::vector<style::TabStop> out;
  for (const auto& t : tabs)
    if (t.Alignment != style::TabAlign_DEFAULT) out.push_back(t);
  return out;
}

void SetWriterTabs(const Props& p, const std::vector<style::TabStop>& tabs) {
  uno::Sequence<style::TabStop> seq(static_cast<sal_Int32>(tabs.size()));
  std::copy(tabs.begin(), tabs.end(), seq.getArray());
  p->setPropertyValue("ParaTabStops", uno::Any(seq));
}

}  // namespace

RangePtr MakeUnoRange(const std::shared_ptr<WriterDoc>& doc, long start, long end) {
  return std::make_shared<UnoRange>(doc, doc->story.Mirror().MakeAnchor(start, end));
}

void UnoRange::SetRange(long start, long end) try {
  const long len = doc_->story.Mirror().Length();
  start = std::clamp(start, 0L, len);
  Anchor().start = start;
  Anchor().end = std::clamp(end, start, len);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

RangePtr UnoRange::Duplicate() const try { return MakeUnoRange(doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

std::wstring UnoRange::Text() const try {
  return doc_->story.Mirror().Visible(Start(), End(), doc_->showFieldCodes, nullptr);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

long UnoRange::InsertAt(long pos, const std::wstring& text) try {
  const std::wstring t = model::NormaliseInsertedText(text);
  if (!t.empty()) doc_->story.Replace(pos, pos, t);
  return static_cast<long>(t.size());
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::SetText(const std::wstring& text) try {
  const std::wstring t = model::NormaliseInsertedText(text);
  long s = Start();
  if (End() > s || !t.empty()) s = doc_->story.Replace(s, End(), t).first;
  Anchor().start = s;
  Anchor().end = s + static_cast<long>(t.size());
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::InsertBefore(const std::wstring& text) try {
  const long s = Start(), e = End();
  const long n = InsertAt(s, text);
  Anchor().start = s;
  Anchor().end = e + n;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::InsertAfter(const std::wstring& text) try {
  const long s = Start(), e = End(), len = doc_->story.Mirror().Length();
  // Text appended after the final paragraph mark goes in front of it.
  const long at = std::min(e, len - (e == len ? 1 : 0));
  const long n = InsertAt(at, text);
  Anchor().start = s;
  Anchor().end = at + n;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::Delete() try {
  if (End() > Start()) doc_->story.Replace(Start(), End(), L"");
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::InsertBreak(int type) try {
  if (type != kSectionBreakNextPage && type != kSectionBreakContinuous)
    Raise(err::kInvalidCall, L"不支持这种分隔符。");
  const long s = Start();
  if (doc_->story.Mirror().Cell(s).table) Raise(err::kInvalidCall, L"不能在表格中插入分节符。");
  doc_->story.Replace(s, End(), std::wstring(1, model::kParagraphMark));
  // Writer keeps sections apart by a page break before the new paragraph;
  // a continuous break is the paragraph end alone.
  if (type == kSectionBreakNextPage)
    PropertiesOf(doc_->story.CursorAt(s + 1))->setPropertyValue("BreakType", uno::Any(style::BreakType_PAGE_BEFORE));
  Anchor().start = Anchor().end = s + 1;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::Collapse(int direction) try {
  if (direction == kCollapseStart) Anchor().end = Anchor().start;
  else Anchor().start = Anchor().end;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::Select() try {
  // Writer's view shows the main text's selection, which the adapter keeps.
  if (doc_->body) Raise(err::kInvalidCall, L"LibreOffice 宿主暂时还不能在文本框中选定文字。");
  doc_->typing.reset();
  doc_->selection->start = Start();
  doc_->selection->end = End();
  doc_->ShowSelection();
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::InsertSymbol(int characterNumber, const std::optional<std::wstring>& font, bool) try {
  if (characterNumber < 1 || characterNumber > 0x10FFFF) Raise(err::kInvalidCall);
  SetText(std::wstring(1, static_cast<wchar_t>(characterNumber)));
  if (font) SetFont({.NameAscii = *font, .NameFarEast = *font});
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::Copy() try { CopyToClipboard(*doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

FontFormat UnoRange::Font() const try {
  std::vector<Props> parts;
  for (const auto& cursor : doc_->story.CursorsOver(Start(), End())) parts.push_back(PropertiesOf(cursor));
  return AgreedOver<FontFormat>(parts, ReadFont, AgreedFont);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::SetFont(const FontFormat& font) try {
  if (End() == Start()) return;  // nothing to format, as in the model
  for (const auto& cursor : doc_->story.CursorsOver(Start(), End())) WriteFont(PropertiesOf(cursor), font);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

ParagraphFormat UnoRange::GetParagraphFormat() const try {
  return AgreedOver<ParagraphFormat>(ParagraphProperties(), ReadParagraphFormat, AgreedParagraph);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::SetParagraphFormat(const ParagraphFormat& format) try {
  for (const auto& p : ParagraphProperties()) WriteParagraphFormat(p, format);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::vector<Reference<beans::XPropertySet>> UnoRange::ParagraphProperties() const try {
  // Whole paragraphs, so a collapsed range still reaches its paragraph.
  auto paragraphs = doc_->story.Mirror().ParagraphsIn(Start(), End());
  std::vector<Props> out;
  for (const auto& cursor : doc_->story.CursorsOver(paragraphs.front().first, paragraphs.back().second - 1))
    out.push_back(PropertiesOf(cursor));
  return out;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::vector<TabStop> UnoRange::TabStops() const try {
  std::vector<TabStop> out;
  for (const auto& t : WriterTabs(PropertiesOf(doc_->story.CursorAt(Start()))))
    out.push_back({FromMm100(t.Position), static_cast<int>(t.Alignment)});
  return out;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::AddTabStop(const TabStop& stop) try {
  for (auto [s, e] : doc_->story.Mirror().ParagraphsIn(Start(), End())) {
    const Props p = PropertiesOf(doc_->story.CursorAt(s));
    auto tabs = WriterTabs(p);
    const sal_Int32 at = static_cast<sal_Int32>(ToMm100(stop.Position));
    std::erase_if(tabs, [&](const style::TabStop& t) { return t.Position == at; });
    style::TabStop add;
    add.Position = at;
    add.Alignment = static_cast<style::TabAlign>(std::clamp(stop.Alignment, 0, 3));
    add.DecimalChar = '.';
    add.FillChar = ' ';
    tabs.push_back(add);
    std::sort(tabs.begin(), tabs.end(), [](const auto& a, const auto& b) { return a.Position < b.Position; });
    SetWriterTabs(p, tabs);
  }
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::ClearTabStops() try {
  for (const auto& p : ParagraphProperties()) SetWriterTabs(p, {});
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::wstring UnoRange::Style() const try {
  rtl::OUString name;
  PropertiesOf(doc_->story.CursorAt(Start()))->getPropertyValue("ParaStyleName") >>= name;
  return ParagraphStyleLocalName(*doc_, name);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::SetStyle(const std::wstring& name) try {
  const rtl::OUString internal = ParagraphStyleInternalName(*doc_, name);  // error 5941 when missing
  // The style's font replaces the characters' own formatting, as the host does.
  for (const auto& p : ParagraphProperties()) {
    p->setPropertyValue("ParaStyleName", uno::Any(internal));
    Reference<beans::XPropertyState> state(p, uno::UNO_QUERY_THROW);
    for (const char* property : kCharacterProperties) state->setPropertyToDefault(rtl::OUString::createFromAscii(property));
  }
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::ApplyListTemplate(const ListTemplate& tmpl, bool continuePreviousList) try {
  ApplyNumbering(*doc_, Start(), End(), tmpl, continuePreviousList);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::RemoveNumbers() try {
  for (const auto& p : ParagraphProperties()) RemoveNumbering(p);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::ConvertNumbersToText() try {
  // Number texts first: removing a number renumbers the paragraphs after it.
  std::vector<std::pair<std::shared_ptr<model::Anchor>, std::wstring>> numbers;
  for (auto [s, e] : doc_->story.Mirror().ParagraphsIn(Start(), End())) {
    const std::wstring text = NumberText(PropertiesOf(doc_->story.CursorAt(s)));
    if (!text.empty()) numbers.emplace_back(doc_->story.Mirror().MakeAnchor(s, e), text + L"\t");
  }
  for (auto& [anchor, text] : numbers) {
    RemoveNumbering(PropertiesOf(doc_->story.CursorAt(anchor->start)));
    doc_->story.Replace(anchor->start, anchor->start, text);
  }
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

int UnoRange::ListType() const try {
  return ListString().empty() ? kListNoNumbering : kListSimpleNumbering;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::wstring UnoRange::ListString() const try { return NumberText(PropertiesOf(doc_->story.CursorAt(Start()))); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

double UnoRange::Information(int type) const try { return LayoutInformation(*doc_, Start(), End(), type); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

std::vector<LaidText> UnoRange::LaidOut() const try { return LaidOutText(*doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

std::shared_ptr<Ranges> UnoRange::Spans(int of) const try {
  return std::make_shared<model::StoryRanges>(doc_->story.MirrorPtr(), Start(), End(),
                                              static_cast<model::StoryRanges::Of>(of),
                                              [doc = doc_](long s, long e) { return MakeUnoRange(doc, s, e); });
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<Ranges> UnoRange::Characters() const try {
  return Spans(static_cast<int>(model::StoryRanges::Of::Characters));
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}
std::shared_ptr<Ranges> UnoRange::Paragraphs() const try {
  return Spans(static_cast<int>(model::StoryRanges::Of::Paragraphs));
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<Fields> UnoRange::GetFields() try { return MakeUnoFields(doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<InlineShapes> UnoRange::GetInlineShapes() try { return MakeUnoInlineShapes(doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Tables> UnoRange::GetTables() try { return MakeUnoTables(doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<OMaths> UnoRange::GetOMaths() try { return MakeUnoOMaths(doc_, Start(), End()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
std::shared_ptr<Find> UnoRange::GetFind() try {
  return MakeUnoFind(doc_, [doc = doc_, anchor = anchor_]() -> model::Anchor& { return *anchor; });
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoRange::SetFormattedText(const Range& source) try {
  const auto* from = dynamic_cast<const UnoRange*>(&source);
  if (!from) {  // not a range of LibreOffice: only its text can be copied
    SetText(source.Text());
    return;
  }
  const long sourceStart = from->Start(), sourceEnd = from->End();
  const auto [s, e] = PasteFormatted(*doc_, Start(), End(), *from->Doc(), sourceStart, sourceEnd);
  if (from->Doc() != doc_) KeepSourceLooks(from->Doc(), sourceStart, doc_, s, std::min(e - s, sourceEnd - sourceStart));
  Anchor().start = s;
  Anchor().end = e;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

}  // namespace plx::docif::lo
