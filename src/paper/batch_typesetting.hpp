#pragma once
// Typesetting a folder of articles at once: each .docx gets the article
// preparation and styles and is saved beside the original under a new name;
// the original is never written.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace plx {

class AddinContext;

// Appended to the name of each typeset copy ("论文.docx" → "论文_排版.docx").
inline constexpr const wchar_t* kTypesetSuffix = L"_排版";

// The .docx files of the folder (not its sub-folders) by name, leaving out
// the word processor's lock files ("~$…") and copies typeset before.
std::vector<std::wstring> ArticlesIn(const std::wstring& folder);
// Where the typeset copy of an article goes: beside it, with the suffix,
// numbered "(2)", "(3)" … when that name is taken.
std::wstring TypesetCopyName(const std::wstring& article);

struct BatchTypesetResult {
  std::vector<std::wstring> done;                                  // the copies written
  std::vector<std::pair<std::wstring, std::wstring>> failed;       // article, reason
};

// Opens each article, cleans it as the article settings say, prepares it
// (blanks, body text), adds the styles,
// gives the first paragraph with text the title style and the paragraphs
// that begin with "摘要", "关键词" or "参考文献" theirs, saves the copy and
// closes it. An article that cannot be opened or saved is listed with the
// reason and the others go on. The document active before stays active.
BatchTypesetResult TypesetArticles(AddinContext& ctx, const std::vector<std::wstring>& articles);

}  // namespace plx
