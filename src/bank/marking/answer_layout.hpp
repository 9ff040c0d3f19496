#pragma once
// Where the active paper keeps its answers: after each question (a
// teacher's version), in a separate part at the end, or nowhere. Found
// once per document and kept in the context for the later commands.
#include <memory>

#include "docif/document.hpp"

namespace plx {
class AddinContext;
}

namespace plx::bank {

constexpr int kAnswersInline = 0;
constexpr int kAnswerPart = 1;
constexpr int kNoAnswers = 2;

// The layout of the document, detected when it is not known for it yet;
// layout 2 says so and is forgotten, so the next command looks again.
int AnswerLayoutOf(AddinContext& ctx, const std::shared_ptr<docif::Document>& doc);
// Where the separate answer part begins: the first paragraph that starts
// with an answer heading ("参考答案", "数学答案", "标准答案", "试卷答案"),
// else the first occurrence of `heading`; -1 when neither is there.
long AnswerPartStart(docif::Document& doc, const std::wstring& heading);

}  // namespace plx::bank
