#include "paper/article_cleaning.hpp"

#include <algorithm>

#include "addin/addin_context.hpp"
#include "common/text.hpp"
#include "config/mod_config.hpp"
#include "docif/application.hpp"
#include "paper/paper_scope.hpp"

namespace plx {
namespace {

// Replaces every match, again while the replacement makes new ones ("^p^p"
// to "^p" on three empty lines), stopping when the text no longer changes.
void ReplaceAll(docif::Document& doc, const std::wstring& find, const std::wstring& with) {
  if (find.empty()) return;
  for (int pass = 0; pass < 50; ++pass) {
    const std::wstring before = doc.Content()->Text();
    auto f = doc.Content()->GetFind();
    f->Text = find;
    f->Replacement.Text = with;
    if (!f->Execute(docif::kReplaceAll) || doc.Content()->Text() == before) return;
  }
}

std::vector<std::wstring> Words(const std::wstring& list) {
  std::vector<std::wstring> words;
  for (const auto& w : Split(list, L"|"))
    if (!Trim(w).empty()) words.push_back(Trim(w));
  return words;
}

bool HasAny(const std::wstring& text, const std::vector<std::wstring>& words) {
  return std::any_of(words.begin(), words.end(), [&](const std::wstring& w) { return Contains(text, w); });
}

// A paragraph with a blacklisted word and no whitelisted one ("扫码关注公众号").
void DropAdvertising(docif::Document& doc, const std::vector<std::wstring>& black,
                     const std::vector<std::wstring>& white) {
  auto paragraphs = doc.Content()->Paragraphs();
  for (int i = paragraphs->Count(); i >= 1; --i) {
    auto p = paragraphs->Item(i);
    std::wstring text = ParagraphText(*p)->Text();
    if (!HasAny(text, black) || HasAny(text, white) || p->GetTables()->Count() > 0) continue;
    if (p->End() >= doc.Content()->End()) ParagraphText(*p)->Delete();  // the last mark stays
    else p->Delete();
  }
}

}  // namespace

void CleanArticle(AddinContext& ctx, docif::Document& doc) {
  ConfigDictionary& wz = ConfigGroup(ctx, L"wzconfig");
  if (wz.Flag(L"blDH0")) ReplaceAll(doc, L"^l", L"^p");
  else if (wz.Flag(L"blDH1")) ReplaceAll(doc, L"^l", L"");
  if (wz.Flag(L"blReplace"))
    for (const auto& rule : Split(wz.Text(L"txtReplace"), L"|")) {
      auto parts = Split(rule, L",");
      if (parts.size() == 2) ReplaceAll(doc, parts[0], parts[1]);
    }
  if (wz.Flag(L"blGGSB")) DropAdvertising(doc, Words(wz.Text(L"txtHMD")), Words(wz.Text(L"txtBMD")));
}

}  // namespace plx
