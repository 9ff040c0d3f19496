#include "bank/marking/paper_analysis.hpp"

#include <algorithm>

#include "common/text.hpp"
#include "platform/regexp.hpp"

namespace plx::bank {
namespace {

enum class Tag { Big, Small, Answer };

struct TagAt {
  long pos;
  Tag kind;
};

// Every tag with its document position. The document's text gives them at
// once when its characters are the document's positions (no field shows a
// result of another length); otherwise the host's find walks them.
std::vector<TagAt> FindTags(docif::Document& doc) {
  std::vector<TagAt> tags;
  auto content = doc.Content();
  std::wstring text = content->Text();
  if (static_cast<long>(text.size()) == content->End() - content->Start()) {
    RegExp re;
    re.Pattern = L"\\[pd(DT|TM|Ans)[^\\]\\r]*\\]";
    re.Global = true;
    for (const auto& m : re.Execute(text)) {
      Tag kind = m.SubMatches[0] == L"DT" ? Tag::Big : m.SubMatches[0] == L"TM" ? Tag::Small : Tag::Answer;
      tags.push_back({content->Start() + static_cast<long>(m.FirstIndex), kind});
    }
    return tags;
  }
  for (auto [pattern, kind] : {std::pair{L"\\[pdDT*\\]", Tag::Big}, std::pair{L"\\[pdTM*\\]", Tag::Small},
                               std::pair{L"\\[pdAns*\\]", Tag::Answer}}) {
    Tag k = kind;
    long at = content->Start();
    for (;;) {
      auto r = doc.GetRange(at, content->End());
      auto f = r->GetFind();
      f->Text = pattern;
      f->MatchWildcards = true;
      if (!f->Execute()) break;
      tags.push_back({r->Start(), k});
      at = r->End();
    }
  }
  std::sort(tags.begin(), tags.end(), [](const TagAt& a, const TagAt& b) { return a.pos < b.pos; });
  return tags;
}

std::wstring TitleOf(docif::Range& r) {
  std::wstring t = r.Paragraphs()->First()->Text();
  return Trim(Replace(Replace(t, L"\r", L""), L"\a", L""));
}

void Pair(PaperAnalysis& a, const std::vector<docif::RangePtr>& answers) {
  a.answers = answers.size();
  for (size_t i = 0; i < a.questions.size() && i < answers.size(); ++i) a.questions[i].answer = answers[i];
}

bool StartsNumbered(const std::wstring& paragraph) {
  static thread_local RegExp re;
  if (re.Pattern.empty()) re.Pattern = L"^(\\[pd[^\\]]*\\])*[\\s\\u3000]*\\d+[．、.](?!\\d)";
  return re.Test(paragraph);
}

bool IsBigHeading(const std::wstring& paragraph) {
  static thread_local RegExp re;
  if (re.Pattern.empty()) re.Pattern = L"^(\\[pd[^\\]]*\\])*[\\s\\u3000]*[一二三四五六七八九十]{1,2}[．、. ]{1}.*题";
  return Contains(paragraph, L"[pdDT") || re.Test(paragraph);
}

bool IsSeparator(const std::wstring& paragraph) {
  return Contains(paragraph, L"评卷人") || Contains(paragraph, L"非选择题") || Contains(paragraph, L"第II卷") ||
         Contains(paragraph, L"第Ⅱ卷");
}

}  // namespace

PaperAnalysis AnalyseByTags(docif::Document& doc) {
  PaperAnalysis a;
  std::vector<TagAt> tags = FindTags(doc);
  long end = doc.Content()->End();
  std::vector<docif::RangePtr> answers;
  for (size_t i = 0; i < tags.size(); ++i) {
    long next = i + 1 < tags.size() ? tags[i + 1].pos : end;
    switch (tags[i].kind) {
      case Tag::Big: {
        long stop = end;
        for (size_t j = i + 1; j < tags.size(); ++j)
          if (tags[j].kind == Tag::Big) { stop = tags[j].pos; break; }
        auto range = doc.GetRange(tags[i].pos, stop);
        a.bigs.push_back({TitleOf(*range), range});
        break;
      }
      case Tag::Small:
        a.questions.push_back({doc.GetRange(tags[i].pos, next), nullptr, static_cast<int>(a.bigs.size()) - 1});
        break;
      case Tag::Answer: {
        long stop = end;
        for (size_t j = i + 1; j < tags.size(); ++j)
          if (tags[j].kind != Tag::Answer) { stop = tags[j].pos; break; }
        answers.push_back(doc.GetRange(tags[i].pos, std::min(stop, next)));
        break;
      }
    }
  }
  Pair(a, answers);
  return a;
}

PaperAnalysis AnalyseByParagraphs(docif::Document& doc, long answerStart) {
  PaperAnalysis a;
  std::vector<docif::RangePtr> answers;
  docif::RangePtr open;  // the question, answer or heading the paragraphs run into
  auto paragraphs = doc.Paragraphs();
  for (int i = 1, n = paragraphs->Count(); i <= n; ++i) {
    auto p = paragraphs->Item(i);
    std::wstring text = p->Text();
    if (Trim(Replace(Replace(text, L"\r", L""), L"\u3000", L" ")).size() < 2) continue;
    if (p->Start() >= answerStart || Trim(text).starts_with(L"参考答案")) {
      if (p->Start() < answerStart) answerStart = p->Start();
      // Answer part: one answer per number or tag; several may share a line.
      if (Contains(text, L"[pdAns")) {
        size_t at = text.find(L"[pdAns");
        while (at != std::wstring::npos) {
          size_t next = text.find(L"[pdAns", at + 1);
          long stop = next == std::wstring::npos ? p->End() : p->Start() + static_cast<long>(next);
          open = doc.GetRange(p->Start() + static_cast<long>(at), stop);
          answers.push_back(open);
          at = next;
        }
      } else if (StartsNumbered(text)) {
        open = doc.GetRange(p->Start(), p->End());
        answers.push_back(open);
      } else if (IsBigHeading(text) || Trim(text).starts_with(L"参考答案")) {
        open = nullptr;
      } else if (open) {
        open->SetEnd(p->End());
      }
      continue;
    }
    if (IsSeparator(text)) {
      open = nullptr;
    } else if (IsBigHeading(text) && !StartsNumbered(text)) {
      auto range = doc.GetRange(p->Start(), p->End());
      a.bigs.push_back({TitleOf(*range), range});
      open = nullptr;
    } else if (StartsNumbered(text)) {
      open = doc.GetRange(p->Start(), p->End());
      a.questions.push_back({open, nullptr, static_cast<int>(a.bigs.size()) - 1});
    } else if (open) {
      open->SetEnd(p->End());
    }
    if (!a.bigs.empty()) a.bigs.back().range->SetEnd(p->End());
  }
  Pair(a, answers);
  return a;
}

}  // namespace plx::bank
