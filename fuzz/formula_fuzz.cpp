// libFuzzer target: any formula text goes through the three builders and the
// TeX reader, with the settings switched by the first byte. Each ends in a text
// or a FormulaStopped message, never a crash, a hang or runaway memory; the
// building of an output never loses the masks it used on the way.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text.hpp"
#include "formula/eq_builder.hpp"
#include "formula/omath_builder.hpp"
#include "formula/rewrite_engine.hpp"
#include "formula/tex_builder.hpp"
#include "formula/tex_to_asc.hpp"

namespace {

bool HoldsMaskCharacters(const std::wstring& text) {
  for (wchar_t c : text)
    if (c >= 0xE000 && c < 0xF800) return true;
  return false;
}

template <class Build>
void Check(const std::wstring& input, Build build) {
  try {
    const std::wstring out = build(input);
    // Masks used by the loop are always restored.
    if (!HoldsMaskCharacters(input) && HoldsMaskCharacters(out)) __builtin_trap();
  } catch (const plx::FormulaStopped& e) {
    if (e.description().empty()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  plx::FormulaSettings settings;
  settings.blLXNumber = data[0] & 1;
  settings.blPLZH = data[0] & 2;
  settings.blChangeKH = data[0] & 4;
  settings.blSymbolReplace = data[0] & 8;
  const std::wstring text =
      plx::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  const plx::FormulaNotice notice = [](const std::wstring&) {};
  Check(text, [&](const std::wstring& t) { return plx::SetEQ(t, settings, notice); });
  Check(text, [&](const std::wstring& t) {
    plx::TeXPieces pieces;
    return plx::RestoreTeXPieces(plx::SetTeXEq(t, settings, notice, pieces), pieces);
  });
  Check(text, [&](const std::wstring& t) { return plx::SetOMathEq(t, settings, notice); });
  Check(text, [&](const std::wstring& t) { return plx::TeX2Asc(t, notice); });
  return 0;
}
