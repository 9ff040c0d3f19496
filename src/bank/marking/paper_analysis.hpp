#pragma once
// A marked paper cut into its questions for the batch import: for each
// small question its stem and its answer as live ranges of the document,
// and the big question it belongs to; the n-th question is paired with
// the n-th answer.
#include <string>
#include <vector>

#include "docif/document.hpp"
#include "docif/range.hpp"

namespace plx::bank {

struct BigQuestion {
  std::wstring title;      // the heading's text
  docif::RangePtr range;   // from the heading to the next one
};

struct AnalysedQuestion {
  docif::RangePtr stem;
  docif::RangePtr answer;  // null when the paper has fewer answers
  int big = -1;            // index into PaperAnalysis::bigs; -1 before any heading
};

struct PaperAnalysis {
  std::vector<BigQuestion> bigs;
  std::vector<AnalysedQuestion> questions;
  size_t answers = 0;
};

// A teacher's version: the tags in document order. A question's stem runs
// from its tag to the next tag, its answer from the answer tag to the next
// question or big question.
PaperAnalysis AnalyseByTags(docif::Document& doc);
// A paper with a separate answer part from `answerStart`, paragraph by
// paragraph: headings and numbered questions before it, numbered or tagged
// answers after it. Scorer boxes and part titles ("评卷人", "非选择题",
// "第II卷") end the question before them and belong to none.
PaperAnalysis AnalyseByParagraphs(docif::Document& doc, long answerStart);

}  // namespace plx::bank
