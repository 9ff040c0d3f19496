#pragma once
// Finding commands in TeX text, shared by the two readers of TeX (into the
// host's linear format and back into the formula language).
#include <cstddef>
#include <string>
#include <string_view>

namespace plx::tex {

// No command found.
constexpr size_t kNone = std::wstring::npos;

// The end of the command whose backslash is at pos: after its letters, or
// after the one sign that follows the backslash.
size_t CommandEnd(const std::wstring& t, size_t pos);

// The next command "\" + name from `from` on, as a whole word ("\frac", not
// "\fracture"); a "\\" row break is no command. kNone when there is none.
size_t FindCommand(const std::wstring& t, std::wstring_view name, size_t from = 0);

// The first position from pos on that is not a blank.
size_t SkipBlanks(const std::wstring& t, size_t pos);

}  // namespace plx::tex
