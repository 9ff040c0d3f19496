#include "docif/uno/uno_lists.hpp"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertyState.hpp>
#include <com/sun/star/container/XIndexReplace.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/style/NumberingType.hpp>

#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

using Props = Reference<beans::XPropertySet>;

// The host's number styles: 0 Arabic, 3 upper-case letters, 4 lower-case letters.
sal_Int16 WriterNumberingType(int numberStyle) {
  if (numberStyle == 3) return style::NumberingType::CHARS_UPPER_LETTER;
  if (numberStyle == 4) return style::NumberingType::CHARS_LOWER_LETTER;
  return style::NumberingType::ARABIC;
}

constexpr sal_Int32 kListTextIndent = 741;  // 21 pt in 1/100 mm

// Numbering rules whose first level shows the template's format ("%1．").
Reference<container::XIndexReplace> Rules(WriterDoc& doc, const ListTemplate& tmpl) {
  Reference<lang::XMultiServiceFactory> factory(doc.story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XIndexReplace> rules(factory->createInstance("com.sun.star.text.NumberingRules"),
                                            uno::UNO_QUERY_THROW);
  const std::wstring format = tmpl.NumberFormat();
  const size_t at = format.find(L"%1");
  const std::wstring prefix = at == std::wstring::npos ? L"" : format.substr(0, at);
  const std::wstring suffix = at == std::wstring::npos ? format : format.substr(at + 2);
  uno::Sequence<beans::PropertyValue> level;
  rules->getByIndex(0) >>= level;
  beans::PropertyValue* values = level.getArray();
  for (sal_Int32 i = 0; i < level.getLength(); ++i) {
    beans::PropertyValue& p = values[i];
    if (p.Name == "NumberingType") p.Value <<= WriterNumberingType(tmpl.NumberStyle());
    else if (p.Name == "Prefix") p.Value <<= ToOUString(prefix);
    else if (p.Name == "Suffix") p.Value <<= ToOUString(suffix);
    else if (p.Name == "ListFormat") p.Value <<= ToOUString(prefix + L"%1%" + suffix);
    // The number stands at the paragraph's own indent, as the host's
    // gallery numbers do, not indented as Writer's default list; its text
    // follows at 21 pt (420 twips), the lines after the first too, as the
    // host writes a new list into a .docx.
    else if (p.Name == "IndentAt" || p.Name == "ListtabStopPosition") p.Value <<= kListTextIndent;
    else if (p.Name == "FirstLineIndent") p.Value <<= static_cast<sal_Int32>(-kListTextIndent);
  }
  rules->replaceByIndex(0, uno::Any(level));
  return rules;
}

Props At(WriterDoc& doc, long pos) { return Props(doc.story.CursorAt(pos), uno::UNO_QUERY_THROW); }

}  // namespace

std::wstring NumberText(const Props& paragraph) {
  rtl::OUString label;
  paragraph->getPropertyValue("ListLabelString") >>= label;
  return FromOUString(label);
}

void RemoveNumbering(const Props& paragraph) {
  paragraph->setPropertyValue("NumberingStyleName", uno::Any(rtl::OUString()));
  Reference<beans::XPropertyState>(paragraph, uno::UNO_QUERY_THROW)->setPropertyToDefault("NumberingRules");
}

void ApplyNumbering(WriterDoc& doc, long start, long end, const ListTemplate& tmpl, bool continuePreviousList) {
  const model::Story& mirror = doc.story.Mirror();
  auto paragraphs = mirror.ParagraphsIn(start, end);
  // The list to continue: the previous numbered paragraph's with the same format.
  rtl::OUString listId;
  if (continuePreviousList) {
    const std::wstring wanted = tmpl.NumberFormat();
    for (long pos = paragraphs.front().first - 1; pos >= 0 && listId.isEmpty(); --pos) {
      if (!mirror.IsParagraphEnd(pos)) continue;
      const Props p = At(doc, mirror.ParagraphAt(pos).first);
      const std::wstring shown = NumberText(p);
      if (shown.empty()) continue;
      const size_t at = wanted.find(L"%1");
      const std::wstring suffix = at == std::wstring::npos ? L"" : wanted.substr(at + 2);
      if (shown.size() >= suffix.size() && shown.compare(shown.size() - suffix.size(), suffix.size(), suffix) == 0)
        p->getPropertyValue("ListId") >>= listId;
    }
  }
  const auto rules = Rules(doc, tmpl);
  for (auto [s, e] : paragraphs) {
    const Props p = At(doc, s);
    p->setPropertyValue("NumberingRules", uno::Any(rules));
    p->setPropertyValue("NumberingLevel", uno::Any(static_cast<sal_Int16>(0)));
    if (!listId.isEmpty()) p->setPropertyValue("ListId", uno::Any(listId));
    else if (s == paragraphs.front().first) p->getPropertyValue("ListId") >>= listId;  // one list for the range
  }
}

}  // namespace plx::docif::lo
