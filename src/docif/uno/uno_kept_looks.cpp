#include "docif/uno/uno_formatted_text.hpp"

#include "docif/uno/uno_range.hpp"

namespace plx::docif::lo {

namespace {

// The members a character's look is told by; the copy keeps these.
FontFormat LookOf(const FontFormat& f) {
  return {.NameAscii = f.NameAscii, .NameFarEast = f.NameFarEast, .Size = f.Size, .Bold = f.Bold, .Italic = f.Italic,
          .Superscript = f.Superscript, .Subscript = f.Subscript, .Underline = f.Underline, .Color = f.Color};
}

bool SameLook(const FontFormat& a, const FontFormat& b) {
  return a.NameAscii == b.NameAscii && a.NameFarEast == b.NameFarEast && a.Size == b.Size && a.Bold == b.Bold &&
         a.Italic == b.Italic && a.Underline == b.Underline && a.Color == b.Color &&
         a.Superscript == b.Superscript && a.Subscript == b.Subscript;
}

// Every member set: the span is one run.
bool OneRun(const FontFormat& f) {
  return f.NameAscii && f.NameFarEast && f.Size && f.Bold && f.Italic && f.Underline && f.Color && f.Superscript &&
         f.Subscript;
}

}  // namespace

void KeepSourceLooks(const std::shared_ptr<WriterDoc>& source, long from, const std::shared_ptr<WriterDoc>& target,
                     long start, long length) {
  if (length <= 0) return;
  const FontFormat wanted = LookOf(MakeUnoRange(source, from, from + length)->Font());
  if (OneRun(wanted) || length == 1) {
    auto piece = MakeUnoRange(target, start, start + length);
    if (!SameLook(LookOf(piece->Font()), wanted)) piece->SetFont(wanted);
    return;
  }
  // Halves until a piece is one run of the source: a handful of calls a run.
  const long half = length / 2;
  KeepSourceLooks(source, from, target, start, half);
  KeepSourceLooks(source, from + half, target, start + half, length - half);
}

}  // namespace plx::docif::lo
