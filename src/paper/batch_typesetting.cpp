#include "paper/batch_typesetting.hpp"

#include <algorithm>
#include <filesystem>

#include "addin/addin_context.hpp"
#include "common/error.hpp"
#include "common/text.hpp"
#include "docif/application.hpp"
#include "paper/article.hpp"
#include "paper/article_cleaning.hpp"
#include "paper/paper_scope.hpp"
#include "platform/ui.hpp"

namespace plx {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::wstring& text) { return fs::path(WideToUtf8(text)); }
std::wstring TextOf(const fs::path& path) { return Utf8ToWide(path.string()); }

bool IsDocx(const fs::path& p) { return LCase(TextOf(p.extension())) == L".docx"; }

// A copy made by an earlier run: "…_排版.docx" or "…_排版(2).docx".
bool IsTypesetCopy(const std::wstring& stem) {
  size_t at = stem.rfind(kTypesetSuffix);
  if (at == std::wstring::npos) return false;
  std::wstring rest = stem.substr(at + std::wstring(kTypesetSuffix).size());
  return rest.empty() || (rest.front() == L'(' && rest.back() == L')');
}

// Styles the parts of the article that are recognisable by their place or
// their opening word.
void StyleParts(AddinContext& ctx, docif::Document& doc) {
  bool titled = false;
  auto paragraphs = doc.Content()->Paragraphs();
  for (int i = 1; i <= paragraphs->Count(); ++i) {
    auto paragraph = paragraphs->Item(i);
    std::wstring text = Trim(ParagraphText(*paragraph)->Text());
    if (text.empty() || paragraph->GetTables()->Count() > 0) continue;
    doc.GetRange(paragraph->Start(), paragraph->Start())->Select();
    if (!titled) {
      PaiBan_ZhengBiaoTi(ctx);
      titled = true;
      continue;
    }
    for (const wchar_t* label : {L"摘要", L"关键词", L"参考文献"})
      if (StartsWith(text, label)) SetPaiBan_Other(ctx, label);
  }
}

}  // namespace

std::vector<std::wstring> ArticlesIn(const std::wstring& folder) {
  std::vector<std::wstring> found;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(PathOf(folder), ec)) {
    std::error_code kind;
    if (!entry.is_regular_file(kind) || !IsDocx(entry.path())) continue;
    std::wstring stem = TextOf(entry.path().stem());
    if (StartsWith(stem, L"~$") || IsTypesetCopy(stem)) continue;
    found.push_back(TextOf(entry.path()));
  }
  if (ec) Raise(76, L"无法读取文件夹“" + folder + L"”。");
  std::sort(found.begin(), found.end());
  return found;
}

std::wstring TypesetCopyName(const std::wstring& article) {
  fs::path p = PathOf(article);
  std::wstring base = TextOf(p.stem()) + kTypesetSuffix;
  fs::path copy = p.parent_path() / PathOf(base + L".docx");
  std::error_code ec;
  for (int n = 2; fs::exists(copy, ec); ++n)
    copy = p.parent_path() / PathOf(base + L"(" + std::to_wstring(n) + L").docx");
  return TextOf(copy);
}

BatchTypesetResult TypesetArticles(AddinContext& ctx, const std::vector<std::wstring>& articles) {
  BatchTypesetResult result;
  auto documents = ctx.App->GetDocuments();
  auto before = ctx.App->ActiveDocument();
  const int total = static_cast<int>(articles.size());
  for (int i = 0; i < total; ++i) {
    const std::wstring& article = articles[i];
    const std::wstring name = TextOf(PathOf(article).filename());
    ctx.Ui().Progress(i * 100 / total, L"正在排版（" + std::to_wstring(i + 1) + L"/" + std::to_wstring(total) +
                                           L"）：" + name);
    std::shared_ptr<docif::Document> doc;
    try {
      doc = documents->Open(article);
      CleanArticle(ctx, *doc);
      PaiBan_YuChuLi(ctx);
      PaiBan_StyleCheck(ctx);
      StyleParts(ctx, *doc);
      std::wstring copy = TypesetCopyName(article);
      doc->SaveAs(copy);
      result.done.push_back(copy);
    } catch (const std::exception& e) {
      result.failed.emplace_back(name, AsVbError(e).description());
    }
    if (doc) documents->Close(doc);
    if (before) before->Activate();
  }
  ctx.Ui().Progress(100, L"排版完成");
  return result;
}

}  // namespace plx
