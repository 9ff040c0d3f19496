#pragma once
// Formula embellishment: formulas made as EQ fields and mathematics typed as
// plain text get one look. Letters and digits take the fonts of
// "mhgsconfig", the teacher's replacement rules are applied, raised and
// lowered parts of field codes take the script size, arcs and vector arrows
// are widened over two or three capitals, and function names are upright.
#include <memory>

namespace plx {

class AddinContext;
namespace docif { class Field; }

// The embellishment command: on the selection when it holds two characters
// or more, otherwise on the document, the current page or nothing, as
// noSelection says. Field codes in the scope are shown while it works and
// hidden again afterwards.
void Mhgs(AddinContext& ctx);

// Embellishes one field's code in place (after an arc or a vector): Greek
// letters, operator forms, the "＋""－" and "＜""＞" pairs as "±" and "≠",
// "pi" as "π", the fonts of letters and digits, function names upright.
// The formatting of the characters it does not change stays.
void EmbellishFormula(AddinContext& ctx, docif::Field& field);

}  // namespace plx
