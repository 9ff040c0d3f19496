#pragma once
// The answer table of a paper: pairs of rows, "题号" with the question
// numbers and "答案" with empty cells for the students' letters.
#include <optional>
#include <string>

namespace plx {

class AddinContext;

struct AnswerTableLayout {
  int count = 12;   // multiple-choice questions
  int perRow = 12;  // questions in one row pair
  int start = 1;    // the first question's number
};

constexpr int kAnswerTableMaxCount = 200;
constexpr int kAnswerTableMaxPerRow = 25;  // narrower cells no longer hold "100"
constexpr int kAnswerTableMaxStart = 999;

// The layout from the dialog's texts (full-width digits accepted), or the
// message that tells the teacher what to correct.
struct AnswerTableInput {
  std::optional<AnswerTableLayout> layout;
  std::wstring message;
};
AnswerTableInput ParseAnswerTable(const std::wstring& count, const std::wstring& perRow, const std::wstring& start);

// Inserts the table at the insertion point (before a selection, which is
// kept; under the line when the point ends a line of text), the width of the text area, every cell centred, and leaves the
// insertion point after it. Error 5 with a message inside a table.
void InsertAnswerTable(AddinContext& ctx, const AnswerTableLayout& layout);

}  // namespace plx
