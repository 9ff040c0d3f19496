#pragma once
// Equations and EQ fields in Office Math Markup, the form a .docx holds
// them in, for whoever draws them typeset. The XML is UTF-8 and uses the
// "m:" prefix of the math namespace without declaring it.
#include <optional>
#include <string>

namespace plx::docif {

// The <m:oMath> element of an equation's text (its linear format): built
// up into structure, or one run while the equation is in the linear format.
std::string OfficeMathOfEquation(const std::wstring& linear, bool builtUp);

// The <m:oMath> element of an EQ field's code (" EQ \F(1,2) "), or nothing
// when the code does not convert; the field then shows its plain result.
std::optional<std::string> OfficeMathOfEqField(const std::wstring& code);

}  // namespace plx::docif
