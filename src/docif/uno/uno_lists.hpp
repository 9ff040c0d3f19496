#pragma once
// Numbered paragraphs in Writer: a list's first level from a numbering
// template, and the number text a paragraph shows.
#include <string>

#include <com/sun/star/beans/XPropertySet.hpp>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// Numbers the paragraphs of [start, end) with the template's first level,
// continuing the list of the previous numbered paragraph of the same
// format or starting a new list.
void ApplyNumbering(WriterDoc& doc, long start, long end, const ListTemplate& tmpl, bool continuePreviousList);
void RemoveNumbering(const css::uno::Reference<css::beans::XPropertySet>& paragraph);
// The number the paragraph shows ("3．"), empty when it has none.
std::wstring NumberText(const css::uno::Reference<css::beans::XPropertySet>& paragraph);

}  // namespace plx::docif::lo
