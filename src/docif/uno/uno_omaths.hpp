#pragma once
// Equations in Writer: LibreOffice Math objects anchored as characters,
// one inline-object character of the mirror each. Writer has no linear
// format: an equation is typeset as soon as it is made, and the linear text
// it was made from is kept as the object's description, to go back to.
#include <memory>
#include <string>

#include <com/sun/star/text/XTextContent.hpp>

#include "docif/range.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

// The equations whose character lies in [start, end) (kept live).
std::shared_ptr<OMaths> MakeUnoOMaths(const std::shared_ptr<WriterDoc>& doc, long start, long end);

// Whether a text content is a LibreOffice Math object.
bool IsFormulaObject(const Reference<css::text::XTextContent>& content);
// Whether it is one of the document's equations: a Math object not added
// as an embedded object (those are inline shapes, as on the host) nor as
// the result of an EQ field.
bool IsEquationObject(const Reference<css::text::XTextContent>& content);
// Whether it is a Math object added as an embedded object.
bool IsEmbeddedFormula(const Reference<css::text::XTextContent>& content);

// What a Math object the add-in inserts is: an equation, an embedded
// object (an inline shape) or the result of an EQ field. The two last are
// named so, and are no equations.
enum class FormulaUse { kEquation, kEmbedded, kFieldResult };

// A new Math object holding `formula` in place of [start, end), keeping
// `linear` as its description when given; returns its position.
long InsertFormula(WriterDoc& doc, long start, long end, const std::wstring& formula, const std::wstring& linear,
                   FormulaUse use = FormulaUse::kEquation);

}  // namespace plx::docif::lo
