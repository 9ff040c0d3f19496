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
// The path stem (without extension) for a file name, under the install
// folder's "TK_plendrix" folder; the year and quarter folders are created
// when missing. A name shorter than four characters is refused (error 5).
std::wstring StoredPath(AddinContext& ctx, const std::wstring& name);
// The question's stem reduced to its Chinese characters, without the stem
// mark and without the common particles that carry no meaning for search.
std::wstring QuestionSearchText(const std::wstring& stem);

}  // namespace plx::bank
