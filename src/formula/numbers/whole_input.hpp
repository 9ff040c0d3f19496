#pragma once
// Whole numbers typed into the number dialogs, read exactly (not through a
// double) so that large values are either right or refused.
#include <cstdint>
#include <string>

namespace plx::numbers {

enum class WholeStatus { Ok, Empty, NotWhole, OutOfRange };

struct WholeInput {
  int64_t value = 0;
  WholeStatus status = WholeStatus::Ok;
};

// The trimmed text as a whole number: "12", "-7", "+3", "4.0" (full-width
// digits folded). Empty text, text that is no number and a number with a
// fractional part are refused; so is one beyond 64 bits.
WholeInput ReadWhole(const std::wstring& text);

}  // namespace plx::numbers
