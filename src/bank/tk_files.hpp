#pragma once
// Where a question's files live: a new file name from the clock and the
// random source, the stored path stem derived from it (year folder,
// quarter folder, a name made from its MD5 digest), and the search text
// kept beside each question.
#include <string>

namespace plx {
class AddinContext;
}

namespace plx::bank {

// Twelve date digits (yymmddhhmmss) and eight random digits.
std::wstring NewFileName(AddinContext& ctx);
// The bank's own folder: "TK_plendrix" in the install folder, holding the
// database and every question's files.
std::wstring BankFolder(AddinContext& ctx);
// A stored path stem as a path in the bank folder `bank`. Stems are stored
// whole, so a bank copied with its install folder, or made on another
// computer (with "\" between the parts), names folders that are not its
// own: a stem is taken by its last three parts (year folder, quarter
// folder, name), which is where this bank keeps it. So a question's files
// are never read, written or removed outside the bank's folder. Empty when
// nothing is stored or a part is "." or "..".
std::wstring StemInBank(const std::wstring& bank, const std::wstring& stored);
// The path stem (without extension) for a file name, under the install
// folder's "TK_plendrix" folder; the year and quarter folders are created
// when missing. A name shorter than four characters is refused (error 5).
std::wstring StoredPath(AddinContext& ctx, const std::wstring& name);
// The question's stem reduced to its Chinese characters, without the stem
// mark and without the common particles that carry no meaning for search.
std::wstring QuestionSearchText(const std::wstring& stem);

}  // namespace plx::bank
