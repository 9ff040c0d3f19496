#include "bank/tk_question.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "addin/addin_context.hpp"
#include "bank/tk_files.hpp"
#include "common/error.hpp"
#include "common/paths.hpp"
#include "common/text.hpp"
#include "common/vbnum.hpp"
#include "pictures/document_scene.hpp"
#include "pictures/picture_file.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

// A tag, blanks and the paper's number ("[pdTM]12．") in front of a piece.
size_t LeadLength(const std::wstring& text) {
  RegExp re;
  re.Pattern = L"^(\\[pd[^\\]\\r]*\\])*[ \\t\\u3000]*(\\d+[．、.](?!\\d))?[ \\t\\u3000]*";
  auto m = re.Execute(text);
  return m.empty() ? 0 : m.front().Length;
}

// The piece without its lead, under `mark` unless it already starts with it.
void Lead(docif::Document& doc, const docif::RangePtr& piece, const std::wstring& mark) {
  size_t lead = LeadLength(piece->Text());
  if (lead > 0) doc.GetRange(piece->Start(), piece->Start() + static_cast<long>(lead))->Delete();
  if (!StartsWith(piece->Text(), mark)) doc.GetRange(piece->Start(), piece->Start())->InsertBefore(mark);
}

}  // namespace

void RemovePaperMarks(docif::Document& doc) {
  long at = doc.Content()->Start();
  for (;;) {
    auto tag = doc.GetRange(at, doc.Content()->End());
    auto find = tag->GetFind();
    find->Text = L"\\[pd*\\]";
    find->MatchWildcards = true;
    if (!find->Execute()) return;
    // A bracket that closes only in a later paragraph is no tag.
    if (Contains(tag->Text(), L"\r")) {
      at = tag->Start() + 1;
      continue;
    }
    // The blanks and the paper's number after the tag go with it, where
    // the shown text is the document's own characters (no field there).
    long end = tag->End();
    std::wstring after = doc.GetRange(end, std::min(end + 16, doc.Content()->End()))->Text();
    long lead = static_cast<long>(LeadLength(after));
    if (lead > 0 && doc.GetRange(end, end + lead)->Text() == after.substr(0, static_cast<size_t>(lead)))
      tag->SetRange(tag->Start(), end + lead);
    at = tag->Start();
    tag->Delete();
  }
}

void TrimEmptyEnd(docif::Document& doc) {
  auto content = doc.Content();
  std::wstring text = content->Text();
  size_t keep = text.size();
  while (keep >= 2 && text[keep - 1] == L'\r' && text[keep - 2] == L'\r') --keep;
  const long empty = static_cast<long>(text.size() - keep);  // empty paragraphs before the final mark
  if (empty == 0) return;
  const long end = content->End(), lastMark = end - empty - 1;
  if (lastMark < 0 || doc.GetRange(lastMark, lastMark + 1)->Text() != L"\r") {
    // After a table (or in an empty document) the final paragraph stays.
    doc.GetRange(end - empty - 1, end - 1)->Delete();
    return;
  }
  // The last paragraph with text is put over the rest, its mark over the
  // final one, so it keeps its own alignment, style and spacing.
  auto last = doc.GetRange(lastMark, lastMark)->Paragraphs()->First();
  doc.GetRange(last->Start(), end)->SetFormattedText(*last);
}

docif::RangePtr AppendCopy(docif::Document& doc, const docif::Range& source) {
  long end = doc.Content()->End() - 1;
  auto at = doc.GetRange(end, end);
  at->SetFormattedText(source);
  // A copy ending with a paragraph or a table row starts the next piece on a line of its own.
  if (!EndsWithText(at->Text(), L"\r") && !EndsWithText(at->Text(), L"\r\a")) at->InsertAfter(L"\r");
  return at;
}

docif::RangePtr AppendParagraph(docif::Document& doc, const std::wstring& text) {
  long end = doc.Content()->End() - 1;
  auto at = doc.GetRange(end, end);
  at->InsertBefore(text + L"\r");
  return doc.GetRange(at->Start(), at->Start() + static_cast<long>(text.size()));
}

std::wstring WriteWmfPreview(const pictures::Scene& scene, const std::wstring& file) {
  return pictures::WritePicture(scene, pictures::PictureFormat::Wmf, 96, WideToUtf8(file));
}

bool HasStemAndAnswer(const std::wstring& text) {
  size_t stem = text.find(kStemMark);
  return stem != std::wstring::npos && text.find(kAnswerMark, stem + kStemMark.size()) != std::wstring::npos;
}

std::wstring StemText(const std::wstring& text) {
  size_t stem = text.find(kStemMark);
  if (stem == std::wstring::npos) return text;
  size_t from = stem + kStemMark.size();
  size_t answer = text.find(kAnswerMark, from);
  return text.substr(from, answer == std::wstring::npos ? std::wstring::npos : answer - from);
}

std::shared_ptr<docif::Document> QuestionDocument(AddinContext& ctx, const AnalysedQuestion& question) {
  auto doc = ctx.App->GetDocuments()->Add();
  auto stem = AppendCopy(*doc, *question.stem);
  auto answer = question.answer ? AppendCopy(*doc, *question.answer) : nullptr;
  // The answer first: its positions come after the stem's.
  if (answer) Lead(*doc, answer, kAnswerMark);
  Lead(*doc, stem, kStemMark);
  RemovePaperMarks(*doc);
  TrimEmptyEnd(*doc);
  return doc;
}

pictures::Scene QuestionScene(AddinContext& ctx, docif::Document& doc) {
  std::shared_ptr<docif::Document> was;
  try {
    was = ctx.App->ActiveDocument();
  } catch (const VbError&) {
  }
  doc.Activate();
  doc.Content()->Select();
  struct Back {
    std::shared_ptr<docif::Document> doc;
    ~Back() {
      if (doc) doc->Activate();
    }
  } back{was};
  return pictures::SelectionScene(*ctx.App->ActiveDocument(), *ctx.App->GetSelection());
}

std::wstring FreshQuestionStem(AddinContext& ctx) {
  std::wstring name = NewFileName(ctx);
  for (;;) {
    std::wstring stem = StoredPath(ctx, name);
    if (!FileExists(stem + L".doc") && !FileExists(stem + L".wmf")) return stem;
    double next = std::fmod(Val(Right(name, 8)) + 1, 100000000.0);
    name = Left(name, 12) + Format(next, L"00000000");
  }
}

long StoreQuestion(AddinContext& ctx, QuestionRow row, docif::Document& doc, const PreviewWriter& writer) {
  // An edited question's files are rewritten where this bank keeps them.
  row.fileName = StemInBank(BankFolder(ctx), row.fileName);
  const bool fresh = row.fileName.empty();
  if (fresh) row.fileName = FreshQuestionStem(ctx);
  row.tmText = QuestionSearchText(StemText(doc.Content()->Text()));
  doc.SaveAs(row.fileName + L".doc");
  std::wstring problem = writer(QuestionScene(ctx, doc), row.fileName + L".wmf");
  if (!problem.empty()) {
    // A new question without its picture is not stored at all.
    std::error_code ec;
    if (fresh) std::filesystem::remove(std::filesystem::path(WideToUtf8(row.fileName + L".doc")), ec);
    Raise(75, L"题目的预览图片没有保存：" + problem);
  }
  if (row.id == 0) return AddQuestion(ctx, row);
  UpdateQuestion(ctx, row);
  return row.id;
}

}  // namespace plx::bank
